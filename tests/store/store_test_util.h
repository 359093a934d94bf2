#pragma once
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/current_measurement.h"
#include "store/record_file.h"
#include "store/store_state.h"
#include "test_files.h"

namespace oxi::testing {

inline RecordHeader MakeHeader(const std::string& id, int yy, int mo, int dd, int hh, int mi) {
  RecordHeader h;
  for (int i = 0; i < kDeviceIdLength; ++i) h.deviceId[i] = i < int(id.size()) ? id[i] : 0;
  h.year = static_cast<std::uint8_t>(yy);
  h.month = static_cast<std::uint8_t>(mo);
  h.day = static_cast<std::uint8_t>(dd);
  h.hour = static_cast<std::uint8_t>(hh);
  h.minute = static_cast<std::uint8_t>(mi);
  h.fatThickness = 55;
  h.rate = 10;
  h.sto2Average = 683;
  h.maxHeartRate = 181;
  return h;
}

// Sample i of a made-up measurement: every field differs from its neighbours'.
inline Sample MakeSample(int i) {
  return Sample{static_cast<std::int16_t>(i % 7 == 3 ? -1 : 400 + i % 500),
                static_cast<std::uint8_t>(60 + i % 120), static_cast<std::uint8_t>(i % 200),
                static_cast<std::uint8_t>((i * 3) % 200)};
}

inline std::string RecordBytes(const RecordHeader& h, int samples) {
  const auto head = EncodeHeader(h);
  std::string bytes(head.begin(), head.end());
  for (int i = 0; i < samples; ++i) {
    const auto s = EncodeSample(MakeSample(i));
    bytes.append(s.begin(), s.end());
  }
  return bytes;
}

// Random samples with runs of invalid ones, including at the very start and end.
inline void FillRandom(CurrentMeasurement& m, int n, std::mt19937& rng) {
  m.EnsureCapacity(n);
  m.n = n;
  std::uniform_int_distribution<int> sto2(0, 1200), byte(0, 255), runLength(1, 12), coin(0, 5);
  for (int i = 0; i < n;) {
    const bool invalidRun = coin(rng) == 0;
    for (int k = runLength(rng); k > 0 && i < n; --k, ++i) {
      m.sto2[i] = static_cast<std::int16_t>(invalidRun ? -1 - byte(rng) * 100 : sto2(rng));
      m.hr[i] = static_cast<std::uint8_t>(byte(rng));
      m.oxhb[i] = static_cast<std::uint8_t>(byte(rng));
      m.dxhb[i] = static_cast<std::uint8_t>(byte(rng));
    }
  }
}

inline constexpr const char* kTestDeviceId = "0123456789AB";

// A data root of its own with the folder (and comment folder) of the current device.
class DeviceFolderTest : public ::testing::Test {
 protected:
  DeviceFolderTest() {
    store.dataRoot = tmp.Path() / "root";
    store.currentDeviceId = kTestDeviceId;
    std::filesystem::create_directories(Folder() / "Comment");
  }
  std::filesystem::path Folder(const std::string& id = kTestDeviceId) const {
    return DeviceFolder(store, id);
  }

  TempFolder tmp;
  StoreState store;
};

// A working folder of its own for a store to start in.
class StoreStartFixture : public ::testing::Test {
 protected:
  std::filesystem::path Root() const { return tmp.Path() / "Application Data" / "StO2"; }
  void MakeDevice(const std::string& folder) {
    std::filesystem::create_directories(Root() / folder);
  }

  TempFolder tmp;
  StoreState store;
};

}  // namespace oxi::testing

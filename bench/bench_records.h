#pragma once
// Record files for the benchmarks: smooth-looking random values with a run of invalid
// samples every 450.
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "store/record_file.h"

namespace oxi::bench {

inline constexpr const char* kBenchDeviceId = "0123456789AB";

// Writes a record of `samples` samples at 1 s, started at `h`'s time, into `folder`
// under its record name, which it returns.
inline std::string WriteBenchRecord(const std::filesystem::path& folder, RecordHeader h,
                                    int samples) {
  std::copy(kBenchDeviceId, kBenchDeviceId + kDeviceIdLength, h.deviceId.begin());
  h.rate = 10;
  std::ofstream out(folder / RecordFileName(h), std::ios::binary);
  const auto head = EncodeHeader(h);
  out.write(reinterpret_cast<const char*>(head.data()), head.size());
  std::mt19937 rng(samples);
  for (int i = 0; i < samples; ++i) {
    const bool invalid = (i / 50) % 9 == 4;
    const Sample s{static_cast<std::int16_t>(invalid ? -1 : 300 + rng() % 600),
                   static_cast<std::uint8_t>(60 + rng() % 120),
                   static_cast<std::uint8_t>(rng() % 200), static_cast<std::uint8_t>(rng() % 200)};
    const auto bytes = EncodeSample(s);
    out.write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }
  return RecordFileName(h);
}

}  // namespace oxi::bench

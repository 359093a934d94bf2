#pragma once
// The download of two measurements, A and B, with faults injected on the line, and the
// checks every outcome must pass.
#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "device_test_support.h"
#include "res/texts.h"
#include "store/damage_note.h"
#include "store/record_file.h"

namespace oxi::testing {
namespace {

namespace fs = std::filesystem;
using Kind = SimulatedFault::Kind;
using monitor::MonitorSample;

const std::string kId = "OXI000000001";
// Measurement A fills sectors 1..5 (48 + 3 x 51 + 20 samples), B sector 6.
constexpr int kSamplesA = 221;
constexpr int kSamplesB = 30;
constexpr int kSectorOfA[] = {1, 3, 5};  // first, middle, last
const char* const kPlaceName[] = {"first", "middle", "last"};

struct MatrixCase {
  std::string name;
  std::vector<SimulatedFault> faults;
  bool erased;  // what the download must end with
};

void PrintTo(const MatrixCase& c, std::ostream* os) {
  *os << c.name;
}

class FaultMatrix : public DownloadTest, public ::testing::WithParamInterface<MatrixCase> {
 protected:
  void SetUp() override {
    DownloadTest::SetUp();
    Plug(ImageBuilder(kId)
             .Add(1, Head(8, 3, 15, 9, 5), samplesA)
             .Add(6, Head(8, 3, 16, 10, 0), samplesB)
             .Build())
        .faults = GetParam().faults;
  }
  Bytes Whole(char which) const {
    return which == 'A'
               ? ExpectedRecord(kId, 8, 3, 15, 9, 5, Head(8, 3, 15, 9, 5), samplesA, kSamplesA)
               : ExpectedRecord(kId, 8, 3, 16, 10, 0, Head(8, 3, 16, 10, 0), samplesB, kSamplesB);
  }
  // Which measurement a record file holds and how many of its samples; fails the test
  // for a file that is not the first part of either.
  std::string Describe(const Bytes& file) const {
    for (char which : {'A', 'B'}) {
      const Bytes whole = Whole(which);
      if (file.size() > whole.size() || !std::equal(file.begin(), file.end(), whole.begin())) {
        continue;
      }
      if (file.size() == whole.size()) return std::string(1, which) + " whole";
      const auto samples = (file.size() - kRecordHeaderSize) / kSampleSize;
      return std::string(1, which) + " " + std::to_string(samples) + " samples";
    }
    ADD_FAILURE() << "a record file that is no part of what the monitor held";
    return "?";
  }
  // The checks every case must pass; returns the record files' descriptions.
  std::vector<std::string> CheckInvariants() {
    const std::string root = store.dataRoot.generic_string() + "/";
    for (const auto& e : fs::recursive_directory_iterator(dir)) {
      const std::string p = e.path().generic_string() + (e.is_directory() ? "/" : "");
      EXPECT_TRUE(p.rfind(root, 0) == 0 || root.rfind(p, 0) == 0) << "outside the root: " << p;
    }
    std::vector<std::string> described;
    std::vector<Bytes> files;
    for (const std::string& name : Records(kId)) {
      const fs::path path = Folder(kId) / name;
      if (fs::is_directory(path)) continue;
      // A damaged head is noted until the memory is erased.
      if (IsDamageNoteName(name) && !Erased(Memory(0))) continue;
      EXPECT_EQ(path.extension(), ".oxi") << "stray file " << name;
      const Bytes bytes = ReadFileBytes(path);
      EXPECT_GE(bytes.size(), static_cast<std::size_t>(kRecordHeaderSize)) << name;
      EXPECT_EQ((bytes.size() - kRecordHeaderSize) % kSampleSize, 0u) << name;
      described.push_back(Describe(bytes));
      files.push_back(bytes);
    }
    if (Erased(Memory(0))) {
      EXPECT_NE(std::find(files.begin(), files.end(), Whole('A')), files.end());
      EXPECT_NE(std::find(files.begin(), files.end(), Whole('B')), files.end());
    } else {
      const auto& boxes = Boxes();
      EXPECT_TRUE(std::any_of(boxes.begin(), boxes.end(), [](const auto& b) {
        return b.caption == texts::kErrorCaption;
      })) << "memory kept without telling the user";
    }
    return described;
  }
  void PrintRow(const std::vector<std::string>& records) {
    if (!std::getenv("OXI_PRINT_MATRIX")) return;
    std::string joined;
    for (const std::string& r : records) joined += (joined.empty() ? "" : ", ") + r;
    std::cout << "| " << GetParam().name << " | " << (Erased(Memory(0)) ? "erased" : "kept")
              << " | " << (joined.empty() ? "none" : joined) << " |\n";
  }

  const std::vector<MonitorSample> samplesA = Samples(kSamplesA, 1);
  const std::vector<MonitorSample> samplesB = Samples(kSamplesB, 2);
};

}  // namespace
}  // namespace oxi::testing

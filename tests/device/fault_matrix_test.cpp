// Every fault the simulated monitor can inject, on the first, a middle and the last sector
// of a measurement, once and on every try, plus stores that cannot be written. Whatever
// the case, nothing lands outside the data root, no record name holds part of a file or
// anything but what the monitor held, no temporary file stays, and the memory is erased
// only when every measurement is stored whole. Set OXI_PRINT_MATRIX=1 to print each
// case's outcome as a table row.
#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iostream>

#include "device_test_support.h"
#include "platform/text/text_format.h"
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
    const std::string root = store.dataRoot.string() + "/";
    for (const auto& e : fs::recursive_directory_iterator(dir)) {
      const std::string p = e.path().string() + (e.is_directory() ? "/" : "");
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

TEST_P(FaultMatrix, StoresOnlyWholeCopiesAndErasesOnlyWhenAllAreWhole) {
  Run();
  const auto records = CheckInvariants();
  EXPECT_EQ(Erased(Memory(0)), GetParam().erased);
  PrintRow(records);
}

std::string SectorCommand(int sector) {
  char text[8];
  std::snprintf(text, sizeof text, "SR,%04X", sector);
  return text;
}

// One sector-read fault of each kind at each place, once and on every try.
std::vector<MatrixCase> SectorCases() {
  struct Row {
    const char* name;
    Kind kind;
    int value;
    bool erasedOnce;
    bool erasedAlways;
  };
  const Row rows[] = {
      {"NAK", Kind::kNak, 0, true, false},
      {"silence", Kind::kSilence, 0, true, false},
      {"garbage before STX", Kind::kGarbageBefore, 6, true, true},
      {"second STX", Kind::kSecondStx, 40, true, true},
      {"frame split 700 ms", Kind::kSplitFrame, 700, true, true},
      {"answer 2 s late", Kind::kDelay, 2000, true, true},
      {"noise instead of the answer", Kind::kAnswer, 0, true, false},
      {"wrong sector type", Kind::kSectorType, 0, false, false},
      {"unplugged 60 ms into the reply", Kind::kUnplug, 60, false, false},
  };
  std::vector<MatrixCase> cases;
  for (const Row& row : rows) {
    for (int place = 0; place < 3; ++place) {
      const int sector = kSectorOfA[place];
      for (const int times : {1, -1}) {
        if (row.kind == Kind::kUnplug && times == -1) continue;  // one unplug is final
        SimulatedFault f{row.kind, SectorCommand(sector), row.value, 0, times};
        // A head that says continuation, a continuation that says head.
        if (row.kind == Kind::kSectorType) f.value = sector == 1 ? 0x02 : 0x01;
        if (row.kind == Kind::kAnswer) f.bytes = {'x', 0x7F, 0x03, '1'};
        if (row.kind == Kind::kSectorType && times == -1) continue;  // the same as once
        cases.push_back({std::string(row.name) + ", " + kPlaceName[place] + " sector, " +
                             (times == 1 ? "once" : "every try"),
                         {f},
                         times == 1 ? row.erasedOnce : row.erasedAlways});
      }
    }
  }
  return cases;
}

// The clock and erase commands disturbed.
std::vector<MatrixCase> CommandCases() {
  return {
      {"erase completion 2.5 s after its ACK", {{Kind::kEraseDuration, "DE", 2500}}, true},
      // The monitor finishes after the wait gave up: erased, but not confirmed.
      {"erase completion after 70 s", {{Kind::kEraseDuration, "DE", 70'000}}, true},
      {"erase refused (NAK)", {{Kind::kNak, "DE"}}, false},
      {"erase unanswered", {{Kind::kSilence, "DE"}}, false},
      // The erase command reached the monitor before the plug was pulled.
      {"unplugged during the erase", {{Kind::kUnplug, "DE", 1}}, true},
      {"clock refused (NAK)", {{Kind::kNak, "SC"}}, true},
      {"clock unanswered", {{Kind::kSilence, "SC"}}, true},
      {"unplugged at the clock", {{Kind::kUnplug, "SC", 1}}, false},
  };
}

INSTANTIATE_TEST_SUITE_P(SectorFaults, FaultMatrix, ::testing::ValuesIn(SectorCases()));
INSTANTIATE_TEST_SUITE_P(CommandFaults, FaultMatrix, ::testing::ValuesIn(CommandCases()));

// Stores that cannot take the records.
class UnwritableStore : public FaultMatrix {};

TEST_P(UnwritableStore, FileWhereTheDeviceFolderBelongs) {
  std::ofstream(Folder(kId)) << "not a folder";
  const DownloadResult result = Run();
  EXPECT_FALSE(Erased(Memory(0)));
  EXPECT_TRUE(result.Records().empty());
  EXPECT_EQ(ReadFileBytes(Folder(kId)),
            Bytes({'n', 'o', 't', ' ', 'a', ' ', 'f', 'o', 'l', 'd', 'e', 'r'}));
}

TEST_P(UnwritableStore, DiskFullInTheMiddleOfARecord) {
  // Files may grow to B's size but not to A's: A's writing fails part-way, as on a full
  // disk, B's succeeds.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ::getrlimit(RLIMIT_FSIZE, &old);
  const rlimit small{Whole('B').size() + 100, old.rlim_max};
  ::setrlimit(RLIMIT_FSIZE, &small);
  const DownloadResult result = Run();
  ::setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_FALSE(Erased(Memory(0)));
  EXPECT_EQ(CheckInvariants(), std::vector<std::string>{"B whole"});
  EXPECT_EQ(result.converters, std::vector<ConverterOutcome>{ConverterOutcome::kNotErased});
  // Reported as a write that failed, with the system's reason, and A as not stored.
  const std::string reason = std::make_error_code(std::errc::file_too_large).message();
  ASSERT_GE(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].text, FormatText(texts::kStoreNotWritableFormat,
                                        Folder(kId).string().c_str(), reason.c_str()));
  EXPECT_EQ(Boxes()[1].text, FormatText(texts::kNotErasedFormat, 1));
}

// Removes a folder tree through folder handles, so paths of any length go.
void RemoveTree(int parent, const char* name) {
  const int fd = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
  if (fd < 0) {
    ::unlinkat(parent, name, 0);
    return;
  }
  DIR* d = ::fdopendir(fd);
  std::vector<std::string> entries;
  while (dirent* e = ::readdir(d)) {
    if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
      entries.push_back(e->d_name);
  }
  for (const std::string& e : entries) RemoveTree(fd, e.c_str());
  ::closedir(d);
  ::unlinkat(parent, name, AT_REMOVEDIR);
}

TEST_P(UnwritableStore, WorkingFolderPathTooLong) {
  // A working folder whose absolute path is longer than any path the system takes: it
  // exists, but nothing below it can be named.
  const std::string part(200, 'd');
  int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
  fs::path deep = dir;
  for (int i = 0; i < 25; ++i) {
    ASSERT_EQ(::mkdirat(fd, part.c_str(), 0700), 0);
    const int next = ::openat(fd, part.c_str(), O_RDONLY | O_DIRECTORY);
    ::close(fd);
    fd = next;
    deep /= part;
  }
  ::close(fd);
  ASSERT_GT(deep.string().size(), static_cast<std::size_t>(PATH_MAX));
  StoreState deepStore;
  StartStore(deepStore, deep, platform);
  const DownloadResult result =
      Download(platform, d2xx, deepStore, shownYear, shownMonth, dayTable);
  // Found out before the monitor is asked for anything.
  EXPECT_FALSE(Erased(Memory(0)));
  EXPECT_TRUE(d2xx.Converter(0).commands.empty());
  EXPECT_TRUE(result.converters.empty());
  ASSERT_FALSE(Boxes().empty());
  // The message names the data root (the system's reason follows it).
  EXPECT_EQ(Boxes()[0].text.find(deepStore.dataRoot.string()),
            std::string(texts::kStoreNotWritableFormat).find("%s"));
  const int top = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
  RemoveTree(top, part.c_str());
  ::close(top);
}

INSTANTIATE_TEST_SUITE_P(Stores, UnwritableStore,
                         ::testing::Values(MatrixCase{"no fault on the line", {}, false}));

}  // namespace
}  // namespace oxi::testing

// Every fault the simulated monitor can inject, on the first, a middle and the last sector
// of a measurement, once and on every try, plus stores that cannot be written. Whatever
// the case, nothing lands outside the data root, no record name holds part of a file or
// anything but what the monitor held, no temporary file stays, and the memory is erased
// only when every measurement is stored whole. Set OXI_PRINT_MATRIX=1 to print each
// case's outcome as a table row.
#include <fstream>

#include "fault_matrix.h"

namespace oxi::testing {
namespace {

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

INSTANTIATE_TEST_SUITE_P(Stores, UnwritableStore,
                         ::testing::Values(MatrixCase{"no fault on the line", {}, false}));

}  // namespace
}  // namespace oxi::testing

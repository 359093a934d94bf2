#include "csv_file_fixture.h"
#include "graph/test_measurement.h"
#include "platform/ui/scripted_platform.h"

namespace oxi {
namespace {

TEST_F(CsvFile, WritesAndReplacesWholeFilesOnly) {
  const fs::path target = folder_ / "a.csv";
  ASSERT_TRUE(WriteFileAtomically(target, "first\r\n"));
  EXPECT_EQ(Read(target), "first\r\n");
  ASSERT_TRUE(WriteFileAtomically(target, "second"));
  EXPECT_EQ(Read(target), "second");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"a.csv"}));  // no temporary left
}

TEST_F(CsvFile, FailuresLeaveNothingUnderTheName) {
  EXPECT_FALSE(WriteFileAtomically(folder_ / "missing" / "a.csv", "x"));
  EXPECT_FALSE(fs::exists(folder_ / "missing"));
  // A folder of that name cannot be replaced by a file.
  fs::create_directory(folder_ / "b.csv");
  EXPECT_FALSE(WriteFileAtomically(folder_ / "b.csv", "x"));
  EXPECT_TRUE(fs::is_directory(folder_ / "b.csv"));
  EXPECT_EQ(Entries(), (std::vector<std::string>{"b.csv"}));
}

TEST_F(CsvFile, SaveButtonAsksForAFileAndWritesTheCsv) {
  ScriptedPlatform platform;
  const CurrentMeasurement m = testing::MakeConstant(10, 10, Sample{683, 80, 45, 7});

  CsvExport(platform, m, 0);  // nothing shown: no dialog
  EXPECT_EQ(platform.lastProposedSaveName, "");

  CsvExport(platform, m, 1);  // cancelled
  EXPECT_EQ(platform.lastProposedSaveName, "2008_0315_0905.csv");
  EXPECT_TRUE(Entries().empty());

  platform.saveFileAnswer = PathToUtf8(folder_ / "out.csv");
  CsvExport(platform, m, 1);
  EXPECT_EQ(Read(folder_ / "out.csv"), CsvBytes(m));
  EXPECT_TRUE(platform.MessageBoxes().empty());
}

TEST_F(CsvFile, AHeaderWithoutSamplesIsSavedButNothingAfterAFailedLoad) {
  // A record of a header and no samples: its two header lines, under a name the user
  // gives (it has no title to propose one from).
  ScriptedPlatform platform;
  CurrentMeasurement m = testing::MakeConstant(0, 10, Sample{});
  m.title.clear();
  platform.lastProposedSaveName = "not asked";
  platform.saveFileAnswer = PathToUtf8(folder_ / "header.csv");
  CsvExport(platform, m, 1);
  EXPECT_EQ(platform.lastProposedSaveName, "");
  const std::string header = CsvBytes(m);
  EXPECT_EQ(Read(folder_ / "header.csv"), header);
  EXPECT_EQ(std::count(header.begin(), header.end(), '\n'), 2);

  // What a failed load leaves: the previous record's header values, no samples.
  m.headerStale = true;
  platform.lastProposedSaveName = "not asked";
  platform.saveFileAnswer = PathToUtf8(folder_ / "stale.csv");
  CsvExport(platform, m, 1);
  EXPECT_EQ(platform.lastProposedSaveName, "not asked");
  EXPECT_EQ(Entries(), std::vector<std::string>{"header.csv"});
  EXPECT_TRUE(platform.MessageBoxes().empty());
}

TEST_F(CsvFile, FailedSaveShowsTheErrorBox) {
  ScriptedPlatform platform;
  platform.saveFileAnswer = PathToUtf8(folder_ / "gone" / "out.csv");
  CsvExport(platform, testing::MakeConstant(10, 10, Sample{}), 1);
  ASSERT_EQ(platform.MessageBoxes().size(), 1u);
  EXPECT_EQ(platform.MessageBoxes()[0].text, "error");
  EXPECT_EQ(platform.MessageBoxes()[0].caption, platform.ApplicationName());
  EXPECT_FALSE(fs::exists(folder_ / "gone"));
}

}  // namespace
}  // namespace oxi

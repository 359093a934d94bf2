#include "csv_file_fixture.h"
#include "export/open_export.h"
#include "graph/test_measurement.h"
#include "platform/ui/scripted_platform.h"
#include "res/texts.h"

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

// A failure the user can mend is named in the box (here a read-only file); any other
// keeps the command's own text. Nothing is written either way.
TEST_F(CsvFile, FailedSavesSayWhatIsWrong) {
  const fs::path readOnly = folder_ / "kept.csv";
  testing::WriteBytes(readOnly, "old");
  testing::SetReadOnly(readOnly, true);
  using Save = void (*)(Platform&, const CurrentMeasurement&, int);
  const struct {
    Save save;
    fs::path target;
    const char* text;
  } cases[] = {
      {CsvExport, folder_ / "gone" / "out.csv", "error"},
      {CsvExport, readOnly, texts::kReadOnlyFileError},
      {OpenFormatExport, folder_ / "gone" / "out.fit", texts::kExportError},
      {OpenFormatExport, readOnly, texts::kReadOnlyFileError},
  };
  for (const auto& c : cases) {
    ScriptedPlatform platform;
    platform.saveFileAnswer = PathToUtf8(c.target);
    c.save(platform, testing::MakeConstant(10, 10, Sample{683, 80, 45, 7}), 1);
    ASSERT_EQ(platform.MessageBoxes().size(), 1u) << PathToUtf8(c.target);
    EXPECT_EQ(platform.MessageBoxes()[0].text, c.text);
    EXPECT_EQ(platform.MessageBoxes()[0].caption, platform.ApplicationName());
  }
  testing::SetReadOnly(readOnly, false);
  EXPECT_EQ(Read(readOnly), "old");
  EXPECT_EQ(Entries(), std::vector<std::string>{"kept.csv"});
}

// A name may take all the bytes a name can have: about 80 Japanese characters.
TEST_F(CsvFile, TheLongestJapaneseNamesAreSaved) {
  std::string name;
  for (int i = 0; i < 80; ++i) name += "測";
  name += ".fit";  // 244 bytes
  ScriptedPlatform platform;
  platform.saveFileAnswer = PathToUtf8(folder_ / PathFromUtf8(name));
  OpenFormatExport(platform, testing::MakeConstant(10, 10, Sample{683, 80, 45, 7}), 1);
  EXPECT_TRUE(platform.MessageBoxes().empty());
  EXPECT_EQ(Entries(), std::vector<std::string>{name});
}

}  // namespace
}  // namespace oxi

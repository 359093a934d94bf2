#include "store/record_writer.h"

#include <gtest/gtest.h>

#include "store_test_util.h"

namespace oxi {
namespace {

using testing::Names;
using testing::ReadBytes;
using testing::TempFolder;

std::optional<std::filesystem::path> Write(const std::filesystem::path& folder,
                                           const RecordHeader& h, int samples) {
  RecordFileWriter writer(folder);
  writer.WriteHeader(h);
  for (int i = 0; i < samples; ++i) writer.AppendSample(testing::MakeSample(i));
  return writer.Commit(RecordBaseName(h));
}

TEST(RecordWriter, NoRecordNameHoldsAHalfWrittenFile) {
  TempFolder tmp;
  const RecordHeader h = testing::MakeHeader("0123456789AB", 8, 3, 15, 9, 5);
  RecordFileWriter writer(tmp.Path());
  ASSERT_TRUE(writer.Ok());
  writer.WriteHeader(h);
  writer.AppendSample(testing::MakeSample(0));
  const auto during = Names(tmp.Path());
  ASSERT_EQ(during.size(), 1u);
  EXPECT_EQ(during[0][0], '.');
  EXPECT_EQ(during[0].find(".oxi"), std::string::npos);

  const auto path = writer.Commit("0803150905");
  ASSERT_TRUE(path);
  EXPECT_EQ(path->filename(), "0803150905.oxi");
  EXPECT_EQ(Names(tmp.Path()), std::vector<std::string>{"0803150905.oxi"});
  EXPECT_EQ(ReadBytes(*path), testing::RecordBytes(h, 1));
}

TEST(RecordWriter, SameMinuteKeepsBothMeasurementsAndSameBytesReplace) {
  TempFolder tmp;
  const RecordHeader h = testing::MakeHeader("0123456789AB", 8, 3, 15, 9, 5);
  EXPECT_EQ(Write(tmp.Path(), h, 10)->filename(), "0803150905.oxi");
  EXPECT_EQ(Write(tmp.Path(), h, 10)->filename(), "0803150905.oxi");
  EXPECT_EQ(Write(tmp.Path(), h, 11)->filename(), "0803150905b.oxi");
  EXPECT_EQ(Write(tmp.Path(), h, 12)->filename(), "0803150905c.oxi");
  EXPECT_EQ(Write(tmp.Path(), h, 11)->filename(), "0803150905b.oxi");
  EXPECT_EQ(Names(tmp.Path()),
            (std::vector<std::string>{"0803150905.oxi", "0803150905b.oxi", "0803150905c.oxi"}));
  EXPECT_EQ(ReadBytes(tmp.Path() / "0803150905b.oxi"), testing::RecordBytes(h, 11));
}

TEST(RecordWriter, FailsWhenEveryNameOfTheMinuteIsTaken) {
  TempFolder tmp;
  const RecordHeader h = testing::MakeHeader("0123456789AB", 8, 3, 15, 9, 5);
  for (int k = 0; k < 26; ++k) ASSERT_TRUE(Write(tmp.Path(), h, k));
  EXPECT_TRUE(std::filesystem::exists(tmp.Path() / "0803150905z.oxi"));
  EXPECT_FALSE(Write(tmp.Path(), h, 26));
  EXPECT_EQ(Names(tmp.Path()).size(), 26u);  // and no temporary left behind
  EXPECT_TRUE(Write(tmp.Path(), h, 3));      // an identical copy still finds its place
}

TEST(RecordWriter, ReportsFailureWhereNothingCanBeWritten) {
  TempFolder tmp;
  const RecordHeader h = testing::MakeHeader("0123456789AB", 8, 3, 15, 9, 5);
  RecordFileWriter missing(tmp.Path() / "no such folder");
  EXPECT_FALSE(missing.Ok());
  missing.WriteHeader(h);
  EXPECT_FALSE(missing.Commit("0803150905"));

  testing::WriteBytes(tmp.Path() / "plain", "x");
  EXPECT_FALSE(Write(tmp.Path() / "plain", h, 1));

  // The folder disappears between writing and committing.
  std::filesystem::create_directory(tmp.Path() / "gone");
  RecordFileWriter writer(tmp.Path() / "gone");
  writer.WriteHeader(h);
  std::filesystem::remove_all(tmp.Path() / "gone");
  EXPECT_FALSE(writer.Commit("0803150905"));

  RecordFileWriter badName(tmp.Path());
  badName.WriteHeader(h);
  EXPECT_FALSE(badName.Commit("../0803150905"));
  EXPECT_EQ(Names(tmp.Path()), std::vector<std::string>{"plain"});
}

TEST(RecordWriter, AbortAndDestructionLeaveNothing) {
  TempFolder tmp;
  {
    RecordFileWriter writer(tmp.Path());
    writer.WriteHeader(testing::MakeHeader("0123456789AB", 8, 3, 15, 9, 5));
  }
  RecordFileWriter aborted(tmp.Path());
  aborted.Abort();
  EXPECT_FALSE(aborted.Ok());
  EXPECT_TRUE(Names(tmp.Path()).empty());
}

}  // namespace
}  // namespace oxi

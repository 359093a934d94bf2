#include "store/record_writer.h"

#include <gtest/gtest.h>

#include <map>

#include "store_test_util.h"

namespace oxi {
namespace {

namespace fs = std::filesystem;
using testing::Names;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

const RecordHeader kHeader = testing::MakeHeader("0123456789AB", 8, 3, 15, 9, 5);

// Another measurement of the same minute: its settings differ.
RecordHeader OtherHeader(int k = 1) {
  RecordHeader h = kHeader;
  h.fatThickness = static_cast<std::uint8_t>(h.fatThickness + k);
  return h;
}

std::optional<StoredRecord> Write(const fs::path& folder, const RecordHeader& h, int samples,
                                  const std::string& baseName = "0803150905",
                                  CopySearch search = CopySearch::kSameMinute) {
  RecordFileWriter writer(folder);
  writer.WriteHeader(h);
  for (int i = 0; i < samples; ++i) writer.AppendSample(testing::MakeSample(i));
  return writer.Commit(baseName, search);
}

// A file time well in the past, so that a file written again shows.
// Whole seconds: Windows keeps file times to 100 ns, Wine's file systems less finely.
const fs::file_time_type kLongAgo = std::chrono::time_point_cast<std::chrono::seconds>(
    fs::file_time_type::clock::now() - std::chrono::hours(48));

TEST(RecordWriter, NoRecordNameHoldsAHalfWrittenFile) {
  TempFolder tmp;
  RecordFileWriter writer(tmp.Path());
  ASSERT_TRUE(writer.Ok());
  writer.WriteHeader(kHeader);
  writer.AppendSample(testing::MakeSample(0));
  const auto during = Names(tmp.Path());
  ASSERT_EQ(during.size(), 1u);
  EXPECT_EQ(during[0][0], '.');
  EXPECT_EQ(during[0].find(".oxi"), std::string::npos);

  const auto stored = writer.Commit("0803150905");
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->path.filename(), "0803150905.oxi");
  EXPECT_EQ(stored->how, StoredAs::kNew);
  EXPECT_EQ(Names(tmp.Path()), std::vector<std::string>{"0803150905.oxi"});
  EXPECT_EQ(ReadBytes(stored->path), testing::RecordBytes(kHeader, 1));
}

// What a new record of 20 samples does beside the files a folder already holds.
struct CopyCase {
  const char* name;
  std::map<std::string, std::string> stored;  // file name -> bytes
  StoredAs how;
  std::string path;  // where the record is afterwards
  std::string baseName = "0803150905";
  CopySearch search = CopySearch::kSameMinute;
};

void PrintTo(const CopyCase& c, std::ostream* os) {
  *os << c.name;
}

std::string R(int samples) {
  return testing::RecordBytes(kHeader, samples);
}

class EarlierCopies : public ::testing::TestWithParam<CopyCase> {};

TEST_P(EarlierCopies, OneMeasurementKeepsOneFile) {
  const CopyCase& c = GetParam();
  TempFolder tmp;
  for (const auto& [name, bytes] : c.stored) {
    WriteBytes(tmp.Path() / name, bytes);
    fs::last_write_time(tmp.Path() / name, kLongAgo);
  }
  const auto stored = Write(tmp.Path(), kHeader, 20, c.baseName, c.search);
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->how, c.how);
  EXPECT_EQ(stored->path, tmp.Path() / c.path);
  // Nothing written but the record's own file; no temporary left.
  std::map<std::string, std::string> expected = c.stored;
  const bool written = c.how == StoredAs::kNew || c.how == StoredAs::kExtended;
  if (written) expected[c.path] = R(20);
  std::map<std::string, std::string> now;
  for (const std::string& name : Names(tmp.Path())) {
    now[name] = ReadBytes(tmp.Path() / name);
    if (!written || name != c.path) {
      EXPECT_EQ(fs::last_write_time(tmp.Path() / name), kLongAgo) << name << " was written";
    }
  }
  EXPECT_EQ(now, expected);
}

const std::string kPlain = "0803150905.oxi";
const std::string kB = "0803150905b.oxi";

INSTANTIATE_TEST_SUITE_P(
    Cases, EarlierCopies,
    ::testing::Values(
        CopyCase{
            "an interrupted reading is replaced", {{kPlain, R(10)}}, StoredAs::kExtended, kPlain},
        CopyCase{"a header alone is replaced", {{kPlain, R(0)}}, StoredAs::kExtended, kPlain},
        CopyCase{
            "the same bytes write nothing", {{kPlain, R(20)}}, StoredAs::kAlreadyStored, kPlain},
        CopyCase{
            "a longer copy writes nothing", {{kPlain, R(30)}}, StoredAs::kStoredLonger, kPlain},
        CopyCase{"another measurement of the minute",
                 {{kPlain, testing::RecordBytes(OtherHeader(), 10)}},
                 StoredAs::kNew,
                 kB},
        CopyCase{"a copy whose samples differ",
                 {{kPlain, R(10).replace(40, 1, "\x7f")}},
                 StoredAs::kNew,
                 kB},
        CopyCase{"a copy that ends inside a sample", {{kPlain, R(10) + "xyz"}}, StoredAs::kNew, kB},
        CopyCase{"a header cut short", {{kPlain, R(20).substr(0, 20)}}, StoredAs::kNew, kB},
        CopyCase{"the whole copy under a letter",
                 {{kPlain, R(10)}, {kB, R(20)}},
                 StoredAs::kAlreadyStored,
                 kB},
        CopyCase{"a shorter copy under a letter",
                 {{kPlain, testing::RecordBytes(OtherHeader(), 5)}, {kB, R(10)}},
                 StoredAs::kExtended,
                 kB},
        CopyCase{"another minute's name is not looked at",
                 {{kPlain, R(10)}},
                 StoredAs::kNew,
                 "0912312359.oxi",
                 "0912312359"},
        CopyCase{"searched in the whole folder",
                 {{kPlain, R(10)}},
                 StoredAs::kExtended,
                 kPlain,
                 "0912312359",
                 CopySearch::kWholeFolder},
        CopyCase{"found the same in the whole folder",
                 {{kPlain, R(20)}, {"0803150906.oxi", R(3)}},
                 StoredAs::kAlreadyStored,
                 kPlain,
                 "0912312359",
                 CopySearch::kWholeFolder}));

TEST(RecordWriter, FailsWhenEveryNameOfTheMinuteIsTaken) {
  TempFolder tmp;
  for (int k = 0; k < 26; ++k) ASSERT_TRUE(Write(tmp.Path(), OtherHeader(k), 1));
  EXPECT_TRUE(fs::exists(tmp.Path() / "0803150905z.oxi"));
  RecordFileWriter writer(tmp.Path());
  writer.WriteHeader(OtherHeader(26));
  EXPECT_FALSE(writer.Commit("0803150905"));
  EXPECT_EQ(writer.Error(), std::make_error_code(std::errc::file_exists));
  EXPECT_EQ(Names(tmp.Path()).size(), 26u);  // and no temporary left behind
  // A copy of one of them still finds its place.
  EXPECT_EQ(Write(tmp.Path(), OtherHeader(3), 1)->how, StoredAs::kAlreadyStored);
}

TEST(RecordWriter, ReportsFailureWhereNothingCanBeWritten) {
  TempFolder tmp;
  RecordFileWriter missing(tmp.Path() / "no such folder");
  EXPECT_FALSE(missing.Ok());
  // As a condition: Windows reports a missing folder as a path not found.
  EXPECT_EQ(missing.Error(), std::make_error_condition(std::errc::no_such_file_or_directory));
  missing.WriteHeader(kHeader);
  EXPECT_FALSE(missing.Commit("0803150905"));

  WriteBytes(tmp.Path() / "plain", "x");
  EXPECT_FALSE(Write(tmp.Path() / "plain", kHeader, 1));

  // The folder disappears between writing and committing, where the system lets a folder
  // go that holds an open file (Windows does not).
  fs::create_directory(tmp.Path() / "gone");
  {
    RecordFileWriter writer(tmp.Path() / "gone");
    writer.WriteHeader(kHeader);
    std::error_code ec;
    fs::remove_all(tmp.Path() / "gone", ec);
    if (!fs::exists(tmp.Path() / "gone")) {
      EXPECT_FALSE(writer.Commit("0803150905"));
    }
  }
  fs::remove_all(tmp.Path() / "gone");

  RecordFileWriter badName(tmp.Path());
  badName.WriteHeader(kHeader);
  EXPECT_FALSE(badName.Commit("../0803150905"));
  EXPECT_EQ(Names(tmp.Path()), std::vector<std::string>{"plain"});
}

TEST(RecordWriter, AbortAndDestructionLeaveNothing) {
  TempFolder tmp;
  {
    RecordFileWriter writer(tmp.Path());
    writer.WriteHeader(kHeader);
  }
  RecordFileWriter aborted(tmp.Path());
  aborted.Abort();
  EXPECT_FALSE(aborted.Ok());
  EXPECT_TRUE(Names(tmp.Path()).empty());
}

// Only the writer's own temporary files, and only those nobody has written for an hour:
// a download at work in another process keeps its file.
TEST(RecordFolder, IsPreparedWithoutTheLeftoversOfKilledWriters) {
  TempFolder tmp;
  const fs::path folder = tmp.Path() / "a" / "OXI0123456789AB";
  const auto old = fs::file_time_type::clock::now() - kStaleTempAge - std::chrono::minutes(1);
  const std::vector<std::string> kept = {".tmp-0123456789",      // written a moment ago
                                         ".tmp-out-abcdefghij",  // the safe writer's
                                         ".tmp-ABCDEFGHIJ",     ".tmp-abcdefghi",
                                         "tmp-abcdefghij",      "0803150905.oxi"};
  EXPECT_FALSE(PrepareRecordFolder(folder));  // parents made too
  for (const std::string& name : kept) WriteBytes(folder / name, "x");
  WriteBytes(folder / ".tmp-stale12345", "x");
  fs::create_directory(folder / ".tmp-folder1234");
  // (Windows sets no time on a folder this way: there the folder is merely new.)
  for (const auto& entry : fs::directory_iterator(folder)) {
    std::error_code ec;
    if (entry.path().filename() != ".tmp-0123456789") fs::last_write_time(entry.path(), old, ec);
  }
  EXPECT_FALSE(PrepareRecordFolder(folder));
  std::vector<std::string> expected = kept;
  expected.push_back(".tmp-folder1234");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Names(folder), expected);

  // A plain file in the folder's place: the system's reason, and the file left as it is.
  WriteBytes(tmp.Path() / "file", "not a folder");
  EXPECT_TRUE(PrepareRecordFolder(tmp.Path() / "file"));
  EXPECT_EQ(ReadBytes(tmp.Path() / "file"), "not a folder");
}

}  // namespace
}  // namespace oxi

// The file-system seam on every operating system: what Windows does differently from POSIX
// (replacing renames, names in UTF-16, files held open) must not show through it.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/fs/files.h"
#include "platform/fs/folder_reads.h"
#include "platform/fs/safe_write.h"
#include "test_files.h"

namespace oxi {
namespace {

namespace fs = std::filesystem;
using testing::Names;
using testing::ReadBytes;
using testing::WriteBytes;

class Files : public ::testing::Test {
 protected:
  testing::TempFolder temp_{"oxi-files"};
  const fs::path& dir_ = temp_.Path();
};

TEST_F(Files, MovesReplaceOnlyWhenAskedTo) {
  WriteBytes(dir_ / "a", "new");
  WriteBytes(dir_ / "b", "old");
  EXPECT_FALSE(MoveWithoutReplacing(dir_ / "a", dir_ / "b"));
  EXPECT_EQ(ReadBytes(dir_ / "a"), "new");
  EXPECT_EQ(ReadBytes(dir_ / "b"), "old");
  EXPECT_TRUE(MoveReplacing(dir_ / "a", dir_ / "b"));
  EXPECT_EQ(ReadBytes(dir_ / "b"), "new");
  EXPECT_TRUE(MoveWithoutReplacing(dir_ / "b", dir_ / "c"));
  EXPECT_EQ(Names(dir_), std::vector<std::string>{"c"});
  EXPECT_EQ(ReadBytes(dir_ / "c"), "new");
}

TEST_F(Files, JapaneseNamesSurviveTheWayThroughThePath) {
  const std::string folder = "測定データ";
  const std::string file = "記録～①.csv";
  EXPECT_EQ(PathToUtf8(PathFromUtf8(folder + "/" + file)), folder + "/" + file);
  const fs::path path = dir_ / PathFromUtf8(folder) / PathFromUtf8(file);
  fs::create_directories(path.parent_path());
  std::FILE* f = OpenStream(path, "wb");
  ASSERT_NE(f, nullptr);
  std::fputs("x", f);
  std::fclose(f);
  EXPECT_EQ(Names(dir_), std::vector<std::string>{folder});
  EXPECT_EQ(Names(dir_ / PathFromUtf8(folder)), std::vector<std::string>{file});
  EXPECT_EQ(WriteFileSafely(path, "y"), WriteStatus::kWritten);
  EXPECT_EQ(ReadBytes(path), "y");
}

TEST_F(Files, TemporaryFilesAreNewAndGoUnlessReleased) {
  TempFile a, b;
  ASSERT_TRUE(a.Create(dir_, ".tmp-x."));
  ASSERT_TRUE(b.Create(dir_, ".tmp-x."));
  EXPECT_NE(a.Path(), b.Path());
  EXPECT_EQ(a.Path().parent_path(), dir_);
  EXPECT_EQ(PathToUtf8(a.Path().filename()).rfind(".tmp-x.", 0), 0u);
  EXPECT_TRUE(a.Write("abc"));
  EXPECT_TRUE(a.Finish());
  EXPECT_EQ(ReadBytes(a.Path()), "abc");
  ASSERT_TRUE(MoveReplacing(a.Path(), dir_ / "kept"));
  a.Release();
  b.Remove();
  EXPECT_EQ(Names(dir_), std::vector<std::string>{"kept"});
  {
    TempFile dropped;
    ASSERT_TRUE(dropped.Create(dir_, ".tmp-y."));
  }
  EXPECT_EQ(Names(dir_), std::vector<std::string>{"kept"});
  TempFile nowhere;
  EXPECT_FALSE(nowhere.Create(dir_ / "missing", ".tmp-z."));
}

// A file another program holds open may not be replaceable (Windows refuses to rename over
// it): the write then fails whole and says so, keeping the old file and leaving no
// temporary file.
TEST_F(Files, AFileHeldOpenIsReplacedWholeOrNotAtAll) {
  const fs::path target = dir_ / "held.csv";
  WriteBytes(target, "old");
  std::FILE* held = OpenStream(target, "rb");
  ASSERT_NE(held, nullptr);
  const WriteStatus status = WriteFileSafely(target, "new");
  std::fclose(held);
  ASSERT_TRUE(status == WriteStatus::kWritten || status == WriteStatus::kInUse)
      << WriteStatusText(status);
  EXPECT_EQ(ReadBytes(target), status == WriteStatus::kWritten ? "new" : "old");
  EXPECT_EQ(Names(dir_), std::vector<std::string>{"held.csv"});
}

// A listing tells files from folders, Japanese names included, and a read gives the bytes
// with the very time the standard library reports, which the figures' cache keys rows by.
TEST_F(Files, ListingsAndMeasuredReadsAgreeWithTheStandardLibrary) {
  const std::string japanese = "記録.oxi";
  WriteBytes(dir_ / "a.oxi", "abc");
  WriteBytes(dir_ / PathFromUtf8(japanese), "");
  fs::create_directory(dir_ / "Cache");
  auto sorted = [](std::vector<std::string> v) { return std::sort(v.begin(), v.end()), v; };
  EXPECT_EQ(sorted(EntryNames(dir_, EntryKind::kFile)),
            (std::vector<std::string>{"a.oxi", japanese}));
  EXPECT_EQ(EntryNames(dir_, EntryKind::kFolder), std::vector<std::string>{"Cache"});
  EXPECT_TRUE(EntryNames(dir_ / "missing", EntryKind::kFile).empty());

  std::string bytes = "left over from another file";
  fs::file_time_type modified;
  EXPECT_EQ(ReadMeasured(dir_ / "a.oxi", 3, bytes, modified), MeasuredRead::kRead);
  EXPECT_EQ(bytes, "abc");
  EXPECT_EQ(modified, fs::last_write_time(dir_ / "a.oxi"));
  EXPECT_EQ(ReadMeasured(dir_ / "a.oxi", 2, bytes, modified), MeasuredRead::kTooLarge);
  EXPECT_EQ(ReadMeasured(dir_ / "Cache", 100, bytes, modified), MeasuredRead::kUnreadable);
  EXPECT_EQ(ReadMeasured(dir_ / "missing", 100, bytes, modified), MeasuredRead::kUnreadable);
}

}  // namespace
}  // namespace oxi

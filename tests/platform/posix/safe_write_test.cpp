// The POSIX cases of the safe writer: links, pipes, devices, modes, a file-size limit.
#include "platform/fs/safe_write.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include "test_files.h"

#include "posix/file_size_limit.h"

namespace oxi {
namespace {

namespace fs = std::filesystem;

class SafeWrite : public ::testing::Test {
 protected:
  static std::string Read(const fs::path& p) { return testing::ReadBytes(p); }
  static void Put(const fs::path& p, const std::string& bytes) { testing::WriteBytes(p, bytes); }
  // Names in the folder: a failed or finished write leaves no temporary file.
  std::vector<std::string> Names() const { return testing::Names(dir_); }

  testing::TempFolder temp_{"oxi-write"};
  const fs::path& dir_ = temp_.Path();
};

TEST_F(SafeWrite, ReplacesARegularFileKeepingItsPermissions) {
  Put(dir_ / "a.csv", "old");
  ::chmod((dir_ / "a.csv").c_str(), 0600);
  EXPECT_EQ(WriteFileSafely(dir_ / "a.csv", "new"), WriteStatus::kWritten);
  EXPECT_EQ(Read(dir_ / "a.csv"), "new");
  struct stat st;
  ASSERT_EQ(::stat((dir_ / "a.csv").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
  EXPECT_EQ(Names(), std::vector<std::string>{"a.csv"});
}

TEST_F(SafeWrite, ASymlinkStaysAndTheFileItNamesIsReplaced) {
  fs::create_directory(dir_ / "real");
  Put(dir_ / "real" / "a.csv", "old");
  fs::create_symlink("real/a.csv", dir_ / "link.csv");
  fs::create_symlink("real/new.csv", dir_ / "dangling.csv");
  EXPECT_EQ(WriteFileSafely(dir_ / "link.csv", "new"), WriteStatus::kWritten);
  EXPECT_EQ(WriteFileSafely(dir_ / "dangling.csv", "made"), WriteStatus::kWritten);
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.csv"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "dangling.csv"));
  EXPECT_EQ(Read(dir_ / "real" / "a.csv"), "new");
  EXPECT_EQ(Read(dir_ / "real" / "new.csv"), "made");
}

TEST_F(SafeWrite, RefusesWhatIsNotARegularFileAndTouchesNothing) {
  fs::create_directory(dir_ / "folder");
  ASSERT_EQ(::mkfifo((dir_ / "fifo").c_str(), 0600), 0);
  fs::create_symlink("fifo", dir_ / "to-fifo");
  fs::create_symlink("loop", dir_ / "loop");
  for (const char* name : {"folder", "fifo", "to-fifo", "loop"}) {
    EXPECT_EQ(WriteFileSafely(dir_ / name, "x"), WriteStatus::kNotAFile) << name;
  }
  EXPECT_EQ(WriteFileSafely("/dev/null", "x"), WriteStatus::kNotAFile);
  EXPECT_EQ(WriteFileSafely(dir_ / "missing" / "a.csv", "x"), WriteStatus::kCannotCreate);
  EXPECT_TRUE(fs::is_fifo(dir_ / "fifo"));
  EXPECT_EQ(Names(), (std::vector<std::string>{"fifo", "folder", "loop", "to-fifo"}));
}

// A write that fails half-way (here: a file-size limit, as a full disk would) keeps the
// earlier file whole and leaves no temporary file.
TEST_F(SafeWrite, AFailedWriteKeepsTheEarlierFile) {
  Put(dir_ / "a.csv", "earlier");
  EXPECT_TRUE(testing::InChildUnderFileSizeLimit(4096, [&] {
    return WriteFileSafely(dir_ / "a.csv", std::string(100000, 'x')) == WriteStatus::kCannotWrite;
  }));
  EXPECT_EQ(Read(dir_ / "a.csv"), "earlier");
  EXPECT_EQ(Names(), std::vector<std::string>{"a.csv"});
}

}  // namespace
}  // namespace oxi

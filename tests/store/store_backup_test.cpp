#include "store/store_backup.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "store/backup_setting.h"
#include "test_files.h"

namespace oxi::testing {
namespace {

namespace fs = std::filesystem;
using std::chrono::seconds;

// A store's root with a record, files beside the records, a nested folder the program may
// add later, and a writer's temporary file; and the folder a backup goes to.
class StoreBackupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Put("OXIAB12/080315_0905.oxi", "record one");
    Put("OXIAB12/Comment/080315_0905.txt", "a comment");
    Put("OXIAB12/Raw/20080315090500.img", std::string(5000, '\x5a'));
    Put("backup.ini", "[backup]\n");
    Put("OXIAB12/.tmp-abcdefghij", "half a record");
  }

  void Put(const std::string& rel, const std::string& bytes) { WriteBytes(root_ / rel, bytes); }
  fs::path Copy(const std::string& rel) const { return backup_ / rel; }
  BackupReport Run(const BackupOptions& options = {}) {
    return BackupStore(root_, backup_, options);
  }

  TempFolder store_{"oxi-backup-store"};
  TempFolder target_{"oxi-backup-target"};
  const fs::path root_ = store_.Path() / "StO2";
  const fs::path backup_ = target_.Path() / "stick";
};

TEST_F(StoreBackupTest, CopiesEveryFileOnceAndASecondRunNothing) {
  const BackupReport first = Run();
  EXPECT_TRUE(first.Ok());
  EXPECT_EQ(first.copied, 4);
  for (const char* rel : {"OXIAB12/080315_0905.oxi", "OXIAB12/Comment/080315_0905.txt",
                          "OXIAB12/Raw/20080315090500.img", "backup.ini"}) {
    EXPECT_EQ(ReadBytes(Copy(rel)), ReadBytes(root_ / rel)) << rel;
    EXPECT_EQ(fs::last_write_time(Copy(rel)), fs::last_write_time(root_ / rel)) << rel;
  }
  // Neither the writer's temporary file nor one of the backup's own is left there.
  EXPECT_EQ(Names(Copy("OXIAB12")),
            (std::vector<std::string>{"080315_0905.oxi", "Comment", "Raw"}));

  const BackupReport second = Run();
  EXPECT_TRUE(second.Ok());
  EXPECT_EQ(second.copied, 0);
  EXPECT_EQ(second.unchanged, 4);
}

// FAT keeps times in 2-s steps: a copy 1 s away counts as the same file, 3 s older as
// an old copy, 3 s newer as the backup's own newer file, which is never replaced.
TEST_F(StoreBackupTest, ComparesTimesWithinTwoSecondsAndSizes) {
  const std::string rel = "OXIAB12/080315_0905.oxi";
  const struct {
    int copyOffsetSeconds;
    std::string copyBytes;
    int copied, unchanged, newer;
  } cases[] = {
      {-1, "record one", 0, 1, 0}, {1, "record one", 0, 1, 0}, {-3, "record one", 1, 0, 0},
      {0, "record 1", 1, 0, 0},    {3, "record 1", 0, 0, 1},
  };
  ASSERT_TRUE(Run().Ok());
  const fs::file_time_type original = fs::last_write_time(root_ / rel);
  for (const auto& c : cases) {
    WriteBytes(Copy(rel), c.copyBytes);
    fs::last_write_time(Copy(rel), original + seconds(c.copyOffsetSeconds));
    const BackupReport report = Run();
    EXPECT_EQ(report.copied, c.copied) << c.copyOffsetSeconds;
    EXPECT_EQ(report.unchanged, c.unchanged + 3) << c.copyOffsetSeconds;
    EXPECT_EQ(report.skippedNewer, c.newer) << c.copyOffsetSeconds;
    EXPECT_EQ(ReadBytes(Copy(rel)), c.copied ? "record one" : c.copyBytes);
  }
}

TEST_F(StoreBackupTest, AChangedRecordIsCopiedAgain) {
  ASSERT_TRUE(Run().Ok());
  const std::string rel = "OXIAB12/080315_0905.oxi";
  Put(rel, "record one, mended");
  fs::last_write_time(root_ / rel, fs::last_write_time(root_ / rel) + seconds(60));
  const BackupReport report = Run();
  EXPECT_EQ(report.copied, 1);
  EXPECT_EQ(ReadBytes(Copy(rel)), "record one, mended");
}

// A copy that reads back otherwise than the original never takes the name: a new file
// stays missing, a changed one keeps the earlier good copy, and the next run tries again.
TEST_F(StoreBackupTest, ADamagedCopyIsFoundAndNotKept) {
  const std::string changed = "OXIAB12/080315_0905.oxi";
  ASSERT_TRUE(Run().Ok());
  Put(changed, "record one, mended");
  fs::last_write_time(root_ / changed, fs::last_write_time(root_ / changed) + seconds(60));
  Put("OXIAB12/080316_1000.oxi", "record two");
  BackupOptions damaging;
  damaging.beforeReadBack = [](const fs::path& copy) {
    std::fstream f(copy, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(2);
    f.put('#');
  };
  const BackupReport report = Run(damaging);
  EXPECT_FALSE(report.Ok());
  EXPECT_EQ(report.copied, 0);
  EXPECT_EQ(report.failed, 2);
  ASSERT_EQ(report.problems.size(), 2u);
  EXPECT_EQ(report.problems[0].path, PathToUtf8(fs::path(changed).make_preferred()));
  EXPECT_NE(report.problems[0].reason.find("read back"), std::string::npos);
  EXPECT_EQ(ReadBytes(Copy(changed)), "record one");
  EXPECT_FALSE(fs::exists(Copy("OXIAB12/080316_1000.oxi")));
  EXPECT_EQ(Names(Copy("OXIAB12")),
            (std::vector<std::string>{"080315_0905.oxi", "Comment", "Raw"}));

  const BackupReport again = Run();
  EXPECT_TRUE(again.Ok());
  EXPECT_EQ(again.copied, 2);
}

// Two names that differ only in letter case are two devices' folders in the store; where
// the backup's file system takes them for one, the second is refused rather than mixed
// into the first. Where it tells them apart, both are copied.
TEST_F(StoreBackupTest, NamesDifferingOnlyInCaseNeverOverwriteEachOther) {
  if (fs::exists(root_ / "oxiab12")) {
    GTEST_SKIP() << "the store's own file system cannot hold two such names";
  }
  Put("OXIab12/080315_0905.oxi", "another device's record");
  fs::create_directories(backup_);
  WriteBytes(backup_ / "probe", "");
  const bool ignoresCase = fs::exists(backup_ / "PROBE");
  const BackupReport report = Run();
  EXPECT_EQ(ReadBytes(Copy("OXIAB12/080315_0905.oxi")), "record one");
  if (ignoresCase) {
    EXPECT_EQ(report.failed, 1);
    ASSERT_EQ(report.problems.size(), 1u);
    EXPECT_EQ(report.problems[0].path, PathToUtf8(fs::path("OXIab12")));
    EXPECT_NE(report.problems[0].reason.find("letter case"), std::string::npos);
  } else {
    EXPECT_TRUE(report.Ok());
    EXPECT_EQ(ReadBytes(Copy("OXIab12/080315_0905.oxi")), "another device's record");
  }
}

TEST_F(StoreBackupTest, RefusesWhatCannotBeABackup) {
  const struct {
    fs::path root;
    fs::path folder;
  } cases[] = {
      {store_.Path() / "none", backup_},            // no store
      {root_, root_ / "OXIAB12" / "backup"},        // inside the store
      {root_, root_},                               // the store itself
      {root_, target_.Path() / "plain" / "under"},  // below a file
  };
  WriteBytes(target_.Path() / "plain", "");
  for (const auto& c : cases) {
    const BackupReport report = BackupStore(c.root, c.folder);
    EXPECT_FALSE(report.refused.empty()) << c.folder;
    EXPECT_EQ(report.copied + report.failed, 0) << c.folder;
  }
  EXPECT_FALSE(fs::exists(root_ / "OXIAB12" / "backup"));
}

// The setting's name can never be taken for a device's folder, and the folder survives a
// name in Japanese and line ends a Windows editor leaves.
TEST(BackupSetting, RemembersTheFolderAsUtf8) {
  EXPECT_NE(std::string(kBackupSettingFile).substr(0, 3), "OXI");
  EXPECT_NE(std::string(kBackupSettingFile).substr(0, 3), "oxi");
  TempFolder store("oxi-backup-setting");
  EXPECT_FALSE(RememberedBackupFolder(store.Path()).has_value());
  const fs::path folder = PathFromUtf8("E:/バックアップ/測定");
  ASSERT_EQ(RememberBackupFolder(store.Path(), folder), WriteStatus::kWritten);
  EXPECT_EQ(RememberedBackupFolder(store.Path()), folder);
  WriteBytes(store.Path() / kBackupSettingFile, "[backup]\r\nfolder=D:\\save\r\n");
  EXPECT_EQ(RememberedBackupFolder(store.Path()), PathFromUtf8("D:\\save"));
}

}  // namespace
}  // namespace oxi::testing

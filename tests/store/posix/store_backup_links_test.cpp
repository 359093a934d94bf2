#include <gtest/gtest.h>

#include "store/store_backup.h"
#include "test_files.h"

namespace oxi::testing {
namespace {

namespace fs = std::filesystem;

// A backup holds files only: links in the store are told and not copied, and a link in
// the backup is never written through to wherever it points.
TEST(StoreBackupLinks, AreNeitherCopiedNorWrittenThrough) {
  TempFolder store("oxi-backup-links");
  TempFolder target("oxi-backup-links-target");
  const fs::path root = store.Path() / "StO2";
  WriteBytes(root / "OXIAB12" / "080315_0905.oxi", "record");
  WriteBytes(root / "OXIAB12" / "080316_1000.oxi", "record two");
  fs::create_symlink("080315_0905.oxi", root / "OXIAB12" / "alias.oxi");
  fs::create_directory_symlink("OXIAB12", root / "OXIlinked");
  const fs::path outside = store.Path() / "outside.txt";
  WriteBytes(outside, "not the backup's");
  fs::create_directories(target.Path() / "OXIAB12");
  fs::create_symlink(outside, target.Path() / "OXIAB12" / "080316_1000.oxi");

  const BackupReport report = BackupStore(root, target.Path());
  EXPECT_EQ(report.copied, 1);
  EXPECT_EQ(report.failed, 3);
  for (const BackupProblem& p : report.problems) {
    EXPECT_NE(p.reason.find("symbolic link"), std::string::npos) << p.path;
  }
  EXPECT_EQ(ReadBytes(outside), "not the backup's");
  int links = 0;
  for (const auto& e : fs::recursive_directory_iterator(target.Path())) links += e.is_symlink();
  EXPECT_EQ(links, 1);  // the one the test put there
}

}  // namespace
}  // namespace oxi::testing

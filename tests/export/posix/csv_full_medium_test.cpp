// A full medium, made by a file-size limit (which holds even for root).
#include "export/csv_file_fixture.h"
#include "posix/file_size_limit.h"

namespace oxi {
namespace {

TEST_F(CsvFile, FullMediumKeepsThePreviousFile) {
  // A file size limit makes the writes fail the way a full disk does, even for root.
  const fs::path target = folder_ / "c.csv";
  ASSERT_TRUE(WriteFileAtomically(target, "old"));
  bool written = true;
  {
    const testing::FileSizeLimit limit(4096);
    written = WriteFileAtomically(target, std::string(1 << 20, 'x'));
  }
  EXPECT_FALSE(written);
  EXPECT_EQ(Read(target), "old");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"c.csv"}));
}

}  // namespace
}  // namespace oxi

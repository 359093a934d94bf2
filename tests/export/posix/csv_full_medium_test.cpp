// A full medium, made by a file-size limit (which holds even for root).
#include <signal.h>
#include <sys/resource.h>

#include "export/csv_file_fixture.h"

namespace oxi {
namespace {

TEST_F(CsvFile, FullMediumKeepsThePreviousFile) {
  // A file size limit makes the writes fail the way a full disk does, even for root.
  const fs::path target = folder_ / "c.csv";
  ASSERT_TRUE(WriteFileAtomically(target, "old"));
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 4096;
  const auto previous = ::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = WriteFileAtomically(target, std::string(1 << 20, 'x'));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, previous);
  EXPECT_FALSE(written);
  EXPECT_EQ(Read(target), "old");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"c.csv"}));
}

}  // namespace
}  // namespace oxi

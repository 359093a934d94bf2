// Stores that cannot take the records for reasons only POSIX lets a test make: a full
// disk (a file-size limit) and a working folder deeper than any path the system takes.
#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <climits>
#include <csignal>

#include "app/download_view.h"
#include "device/fault_matrix.h"
#include "platform/text/text_format.h"

namespace oxi::testing {
namespace {

class UnwritablePosixStore : public FaultMatrix {};

TEST_P(UnwritablePosixStore, DiskFullInTheMiddleOfARecord) {
  // Files may grow to B's size but not to A's: A's writing fails part-way, as on a full
  // disk, B's succeeds.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ::getrlimit(RLIMIT_FSIZE, &old);
  const rlimit small{Whole('B').size() + 100, old.rlim_max};
  ::setrlimit(RLIMIT_FSIZE, &small);
  const DownloadResult result = Run();
  ::setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_FALSE(Erased(Memory(0)));
  EXPECT_EQ(CheckInvariants(), std::vector<std::string>{"B whole"});
  EXPECT_EQ(result.converters, std::vector<ConverterOutcome>{ConverterOutcome::kNotErased});
  // Reported as a write that failed, with the system's reason, and A as not stored.
  const std::string reason = std::make_error_code(std::errc::file_too_large).message();
  ASSERT_GE(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].text, FormatText(texts::kStoreNotWritableFormat,
                                        Folder(kId).string().c_str(), reason.c_str()));
  EXPECT_EQ(Boxes()[1].text, FormatText(texts::kNotErasedFormat, 1));
}

// Removes a folder tree through folder handles, so paths of any length go.
void RemoveTree(int parent, const char* name) {
  const int fd = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
  if (fd < 0) {
    ::unlinkat(parent, name, 0);
    return;
  }
  DIR* d = ::fdopendir(fd);
  std::vector<std::string> entries;
  while (dirent* e = ::readdir(d)) {
    if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
      entries.push_back(e->d_name);
  }
  for (const std::string& e : entries) RemoveTree(fd, e.c_str());
  ::closedir(d);
  ::unlinkat(parent, name, AT_REMOVEDIR);
}

TEST_P(UnwritablePosixStore, WorkingFolderPathTooLong) {
  // A working folder whose absolute path is longer than any path the system takes: it
  // exists, but nothing below it can be named.
  const std::string part(200, 'd');
  int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
  fs::path deep = dir;
  for (int i = 0; i < 25; ++i) {
    ASSERT_EQ(::mkdirat(fd, part.c_str(), 0700), 0);
    const int next = ::openat(fd, part.c_str(), O_RDONLY | O_DIRECTORY);
    ::close(fd);
    fd = next;
    deep /= part;
  }
  ::close(fd);
  ASSERT_GT(deep.string().size(), static_cast<std::size_t>(PATH_MAX));
  StoreState deepStore;
  StartStore(deepStore, deep, ChooseFirstDevice);
  WindowDownloadEvents events(platform);
  const DownloadResult result = Download(events, d2xx, deepStore);
  // Found out before the monitor is asked for anything.
  EXPECT_FALSE(Erased(Memory(0)));
  EXPECT_TRUE(d2xx.Converter(0).commands.empty());
  EXPECT_TRUE(result.converters.empty());
  ASSERT_FALSE(Boxes().empty());
  // The message names the data root (the system's reason follows it).
  EXPECT_EQ(Boxes()[0].text.find(deepStore.dataRoot.string()),
            std::string(texts::kStoreNotWritableFormat).find("%s"));
  const int top = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
  RemoveTree(top, part.c_str());
  ::close(top);
}

INSTANTIATE_TEST_SUITE_P(PosixStores, UnwritablePosixStore,
                         ::testing::Values(MatrixCase{"no fault on the line", {}, false}));

}  // namespace
}  // namespace oxi::testing

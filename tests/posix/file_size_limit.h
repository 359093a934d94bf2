#pragma once
// A file-size limit makes writes fail the way a full disk does, for root too: the tests of
// what a failed write leaves behind use it.
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace oxi::testing {

// The limit for the length of a scope, in this process: writes beyond `bytes` fail (the
// signal that would end the process is ignored meanwhile).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) : previousSignal_(::signal(SIGXFSZ, SIG_IGN)) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit limited = saved_;
    limited.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    ::signal(SIGXFSZ, previousSignal_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  sighandler_t previousSignal_;
};

// Runs `write` in a child process under the limit, which stays the child's own; what
// `write` returned, false also when the child did not end normally.
inline bool InChildUnderFileSizeLimit(rlim_t bytes, const std::function<bool()>& write) {
  const pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    const FileSizeLimit limit(bytes);
    ::_exit(write() ? 0 : 1);
  }
  int status = 0;
  if (::waitpid(child, &status, 0) != child) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace oxi::testing

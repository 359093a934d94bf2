#include "usb/emulator/child_process.h"

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

namespace oxi::usb {
namespace {

constexpr auto kWaitStep = std::chrono::milliseconds(10);

std::string TempFile() {
  char name[] = "/tmp/oxi-child-XXXXXX";
  const int fd = ::mkstemp(name);
  if (fd >= 0) ::close(fd);
  return name;
}

std::string ReadAndRemove(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::remove(file.c_str());
  return text;
}

double Seconds(const timeval& t) {
  return t.tv_sec + t.tv_usec / 1e6;
}

[[noreturn]] void Exec(const std::vector<std::string>& argv, const ChildOptions& options,
                       const std::string& outFile, const std::string& errFile) {
  if (options.capture) {
    const int out = ::open(outFile.c_str(), O_WRONLY | O_TRUNC);
    const int err = ::open(errFile.c_str(), O_WRONLY | O_TRUNC);
    ::dup2(out, STDOUT_FILENO);
    ::dup2(err, STDERR_FILENO);
  }
  if (options.user) {
    if (::setgroups(0, nullptr) != 0 || ::setgid(*options.user) != 0 ||
        ::setuid(*options.user) != 0) {
      std::perror("cannot change the user");
      ::_exit(126);
    }
  }
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  ::execvp(args[0], args.data());
  std::perror(args[0]);
  ::_exit(127);
}

}  // namespace

ChildRun RunChild(const std::vector<std::string>& argv, const ChildOptions& options) {
  ChildRun run;
  const std::string outFile = options.capture ? TempFile() : "";
  const std::string errFile = options.capture ? TempFile() : "";
  if (options.capture && options.user) {
    ::chown(outFile.c_str(), *options.user, *options.user);
    ::chown(errFile.c_str(), *options.user, *options.user);
  }
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = ::fork();
  if (pid == 0) Exec(argv, options, outFile, errFile);
  const auto limit = start + std::chrono::duration<double>(options.timeLimitSeconds);
  int status = 0;
  rusage usage{};
  while (pid > 0 && ::wait4(pid, &status, WNOHANG, &usage) == 0) {
    if (std::chrono::steady_clock::now() > limit) {
      ::kill(pid, SIGKILL);
      ::wait4(pid, &status, 0, &usage);
      break;
    }
    std::this_thread::sleep_for(kWaitStep);
  }
  run.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.cpuSeconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
  if (pid > 0 && WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
  if (options.capture) {
    run.out = ReadAndRemove(outFile);
    run.err = ReadAndRemove(errFile);
  }
  return run;
}

}  // namespace oxi::usb

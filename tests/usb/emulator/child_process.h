#pragma once
#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace oxi::usb {

struct ChildRun {
  int exitCode = -1;  // -1: it did not end by itself (killed at the time limit, or signalled)
  double wallSeconds = 0;
  double cpuSeconds = 0;  // user and system time
  std::string out;        // what it wrote to stdout and stderr, when captured
  std::string err;
};

struct ChildOptions {
  bool capture = true;  // else its output goes where this process's goes
  double timeLimitSeconds = 120;
  std::optional<uid_t> user;  // run as this user (this process must be root)
};

// Runs a program to its end with this process's environment (the test bed's variables and
// the preload library with it): the program under test, unmodified.
ChildRun RunChild(const std::vector<std::string>& argv, const ChildOptions& options = {});

}  // namespace oxi::usb

#pragma once
#include <string>
#include <vector>

namespace oxi::cli {

// One subcommand of oxitool. Each command's file registers itself with a static
// CommandRegistration, so adding a command touches no other file.
struct Command {
  const char* name;
  const char* usage;  // one line, shown by `oxitool help`
  int (*run)(const std::vector<std::string>& args);  // args after the command name
};

struct CommandRegistration {
  explicit CommandRegistration(const Command& command);
};

// Prints "oxitool: <message>" on stderr and returns 1, for one-line failures.
int Fail(const std::string& message);

}  // namespace oxi::cli

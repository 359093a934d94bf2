#pragma once
#include <string>
#include <vector>

namespace oxi::cli {

// One subcommand of oxitool. Each command's file registers itself with a static
// CommandRegistration, so adding a command touches no other file.
struct Command {
  const char* name;
  const char* arguments;  // what follows the name, e.g. "FILE.oxi -o OUT.png"
  const char* summary;    // what the command does, in a few words
  int (*run)(const std::vector<std::string>& args);  // args after the command name
};

struct CommandRegistration {
  explicit CommandRegistration(const Command& command);
};

// Prints "oxitool: <message>" on stderr and returns 1, for one-line failures.
int Fail(const std::string& message);

// Prints "oxitool: <message>" on stderr for something the user should know of a command
// that still succeeds.
void Note(const std::string& message);

// Fail with the registered usage line of the named command, and a note when given.
int FailUsage(const char* commandName, const std::string& note = "");

}  // namespace oxi::cli

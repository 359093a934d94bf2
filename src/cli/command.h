#pragma once
#include <string>
#include <vector>

namespace oxi::cli {

// One subcommand of oxitool. Each command's file registers itself with a static
// CommandRegistration, so adding a command touches no other file: "oxitool --help" lists
// it and "oxitool NAME --help" shows its usage. (Its manual page section is written by hand,
// in res/man/oxitool.1.in.)
struct Command {
  const char* name;
  const char* arguments;  // what follows the name, e.g. "FILE.oxi -o OUT.png"
  const char* summary;    // what the command does, in a few words
  int (*run)(const std::vector<std::string>& args);  // args after the command name
  // Whether this build can do what the command does; one that cannot is not listed (it
  // still runs, to say why it refuses). Null: always.
  bool (*available)() = nullptr;
};

struct CommandRegistration {
  explicit CommandRegistration(const Command& command);
};

// The exit status of a command line that was not understood.
inline constexpr int kExitUsage = 2;

// Prints "oxitool: <message>" on stderr and returns 1, for one-line failures.
int Fail(const std::string& message);

// Prints "oxitool: <message>" on stderr for something the user should know of a command
// that still succeeds.
void Note(const std::string& message);

// Prints the registered usage line of the named command, and a note when given, on stderr
// and returns kExitUsage.
int FailUsage(const char* commandName, const std::string& note = "");

}  // namespace oxi::cli

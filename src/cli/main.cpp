#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/command.h"

namespace oxi::cli {
namespace {

std::vector<Command>& Registry() {
  static std::vector<Command> commands;
  return commands;
}

int Usage(FILE* out) {
  std::fprintf(out, "usage: oxitool COMMAND [ARGS]\n");
  for (const Command& c : Registry()) {
    std::fprintf(out, "  %s %s\n      %s\n", c.name, c.arguments, c.summary);
  }
  return out == stdout ? 0 : 2;
}

}  // namespace

CommandRegistration::CommandRegistration(const Command& command) {
  Registry().push_back(command);
}

void Note(const std::string& message) {
  std::fprintf(stderr, "oxitool: %s\n", message.c_str());
}

int Fail(const std::string& message) {
  Note(message);
  return 1;
}

int FailUsage(const char* commandName, const std::string& note) {
  for (const Command& c : Registry()) {
    if (std::strcmp(c.name, commandName) != 0) continue;
    std::string message = std::string("usage: oxitool ") + c.name + " " + c.arguments;
    if (!note.empty()) message += " (" + note + ")";
    return Fail(message);
  }
  return Fail(std::string("usage: oxitool ") + commandName);
}

}  // namespace oxi::cli

int main(int argc, char** argv) {
  using namespace oxi::cli;
  if (argc < 2) return Usage(stderr);
  if (!std::strcmp(argv[1], "help") || !std::strcmp(argv[1], "--help")) return Usage(stdout);
  for (const Command& c : Registry()) {
    if (!std::strcmp(argv[1], c.name))
      return c.run(std::vector<std::string>(argv + 2, argv + argc));
  }
  std::fprintf(stderr, "oxitool: unknown command '%s'\n", argv[1]);
  return Usage(stderr);
}

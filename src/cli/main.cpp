#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/command.h"
#include "platform/ui/process.h"
#include "platform/ui/process_signals.h"
#include "res/build_info.h"

namespace oxi::cli {
namespace {

std::vector<Command>& Registry() {
  static std::vector<Command> commands;
  return commands;
}

const Command* Find(const char* name) {
  for (const Command& c : Registry()) {
    if (!std::strcmp(name, c.name)) return &c;
  }
  return nullptr;
}

bool IsHelp(const std::string& arg) {
  return arg == "--help" || arg == "-h";
}

// The list of commands: on stdout when asked for, on stderr with a refusal.
int Usage(FILE* out) {
  std::fprintf(out, "usage: oxitool COMMAND [ARGS]\n       oxitool COMMAND --help\n");
  std::fprintf(out, "       oxitool --help | --version\ncommands:\n");
  for (const Command& c : Registry()) {
    std::fprintf(out, "  %s %s\n      %s\n", c.name, c.arguments, c.summary);
  }
  return out == stdout ? 0 : kExitUsage;
}

int CommandHelp(const Command& c) {
  std::printf("usage: oxitool %s %s\n  %s\n", c.name, c.arguments, c.summary);
  return 0;
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
  std::string message = std::string("usage: oxitool ") + commandName;
  if (const Command* c = Find(commandName)) message = message + " " + c->arguments;
  if (!note.empty()) message += " (" + note + ")";
  Fail(message);
  return kExitUsage;
}

}  // namespace oxi::cli

int main(int argc, char** argv) {
  using namespace oxi::cli;
  oxi::PrepareStandardStreams();
  const std::vector<std::string> args = oxi::Utf8Arguments(argc, argv);
  if (args.empty()) return Usage(stderr);
  const std::string& first = args[0];
  if (first == "help" || IsHelp(first)) return Usage(stdout);
  if (first == "--version") {
    std::printf("oxitool %s\n", oxi::build::kVersion);
    return 0;
  }
  const Command* command = Find(first.c_str());
  if (!command) {
    std::fprintf(stderr, "oxitool: unknown command '%s'\n", first.c_str());
    return Usage(stderr);
  }
  const std::vector<std::string> commandArgs(args.begin() + 1, args.end());
  for (const std::string& arg : commandArgs) {
    if (IsHelp(arg)) return CommandHelp(*command);
  }
  // Every command writes through temporary files: a file-size limit fails a write as a
  // full disk does, and Ctrl-C, SIGTERM and SIGHUP ask the command to stop between files
  // (or sectors), so that the process never ends with a temporary file left behind.
  oxi::IgnoreFileSizeLimitSignal();
  oxi::CatchInterrupt();
  return command->run(commandArgs);
}

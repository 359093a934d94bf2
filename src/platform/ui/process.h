#pragma once
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace oxi {

// What a command-line program takes from its process, as UTF-8 and as plain bytes on every
// operating system.

// The standard output and error streams pass bytes unchanged (never LF as CR LF), and a
// console shows them as UTF-8.
void PrepareStandardStreams();

// True when the stream is a terminal or console (not a file or a pipe).
bool IsTerminal(std::FILE* stream);

// The program's arguments after its own name, as UTF-8. (Windows hands main() the
// arguments in the ANSI code page, which cannot hold every file name.)
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// The value of an environment variable as UTF-8; nothing when it is not set.
std::optional<std::string> EnvironmentVariable(const char* name);

// Sets (or, with nothing, removes) an environment variable of this process, which the
// programs it starts inherit.
void SetEnvironmentValue(const char* name, const std::optional<std::string>& value);

// What separates the paths of a list in an environment variable: ':' on POSIX, ';' on
// Windows, whose paths hold ':' after the drive letter.
extern const char kPathListSeparator;

}  // namespace oxi

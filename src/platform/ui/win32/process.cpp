#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>
// After windows.h: the wide command line and the C runtime's stream modes.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include "platform/text/utf16.h"
#include "platform/ui/process.h"

namespace oxi {

const char kPathListSeparator = ';';

namespace {

HANDLE HandleOf(std::FILE* stream) {
  return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
}

// Lets a console interpret the escape sequences the progress line uses.
void EnableEscapes(std::FILE* stream) {
  DWORD mode = 0;
  if (GetConsoleMode(HandleOf(stream), &mode)) {
    SetConsoleMode(HandleOf(stream), mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
  }
}

}  // namespace

void PrepareStandardStreams() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  SetConsoleOutputCP(CP_UTF8);
  EnableEscapes(stdout);
  EnableEscapes(stderr);
}

// A console, not merely a character device: the C runtime's _isatty also says yes to NUL.
bool IsTerminal(std::FILE* stream) {
  DWORD mode = 0;
  return GetConsoleMode(HandleOf(stream), &mode) != 0;
}

std::vector<std::string> Utf8Arguments(int, char**) {
  std::vector<std::string> arguments;
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return arguments;
  for (int i = 1; i < count; ++i) {
    arguments.push_back(Utf8FromUtf16(std::wstring_view(wide[i])));
  }
  LocalFree(wide);
  return arguments;
}

std::optional<std::string> EnvironmentVariable(const char* name) {
  const std::wstring wideName = Utf16FromUtf8<wchar_t>(name);
  const DWORD size = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
  if (size == 0) return std::nullopt;
  std::wstring value(size, L'\0');
  const DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(), size);
  if (length >= size) return std::nullopt;  // changed in between
  value.resize(length);
  return Utf8FromUtf16(std::wstring_view(value));
}

void SetEnvironmentValue(const char* name, const std::optional<std::string>& value) {
  const std::wstring wideName = Utf16FromUtf8<wchar_t>(name);
  if (value) {
    SetEnvironmentVariableW(wideName.c_str(), Utf16FromUtf8<wchar_t>(*value).c_str());
  } else {
    SetEnvironmentVariableW(wideName.c_str(), nullptr);
  }
}

}  // namespace oxi

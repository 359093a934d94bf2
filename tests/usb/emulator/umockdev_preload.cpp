#include "usb/emulator/umockdev_preload.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace oxi::usb {
namespace {

constexpr char kPreloadLibrary[] = "libumockdev-preload.so.0";
constexpr char kAsanLinkOrder[] = "verify_asan_link_order=0";

std::string Joined(const char* variable, const char* value, char separator) {
  const char* current = std::getenv(variable);
  if (!current || !*current) return value;
  return std::string(current) + separator + value;
}

}  // namespace

void EnsureUmockdevPreload(char** argv) {
  const char* preload = std::getenv("LD_PRELOAD");
  if (preload && std::string(preload).find(kPreloadLibrary) != std::string::npos) return;
  // The library goes first, so that it sees the calls before anything else does.
  const std::string libraries =
      preload && *preload ? std::string(kPreloadLibrary) + ":" + preload : kPreloadLibrary;
  ::setenv("LD_PRELOAD", libraries.c_str(), 1);
  ::setenv("ASAN_OPTIONS", Joined("ASAN_OPTIONS", kAsanLinkOrder, ':').c_str(), 1);
  ::execv("/proc/self/exe", argv);
  std::perror("cannot start again with the umockdev preload library");
  std::exit(2);
}

}  // namespace oxi::usb

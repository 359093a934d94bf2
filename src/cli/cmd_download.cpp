// oxitool download [--root DIR]: the window's Download button without the window. Copies
// the measurements of every monitor plugged in (or simulated through
// OXI_SIMULATED_MONITOR) into DIR/Application Data/StO2, sets the monitors' clocks and
// erases them once everything is on disk. The progress is a bar on the terminal, the
// messages go to stderr, the record files written are listed on stdout. Exit status 0
// when every converter was read and erased.
#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/console_platform.h"
#include "device/download.h"
#include "platform/d2xx/d2xx_factory.h"
#include "store/store_state.h"

namespace oxi::cli {
namespace {

constexpr const char* kName = "download";

int RunDownload(const std::vector<std::string>& args) {
  std::filesystem::path root = std::filesystem::current_path();
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--root" && i + 1 < args.size()) {
      root = args[++i];
    } else {
      return FailUsage(kName);
    }
  }
  std::error_code ec;
  if (!std::filesystem::is_directory(root, ec)) return Fail(root.string() + ": no such folder");
  ConsolePlatform platform;
  StoreState store;
  StartStore(store, root, platform);
  std::unique_ptr<D2xx> d2xx = MakeD2xxFromEnvironment(platform.GetClock());
  const LocalTime now = platform.Now();
  std::array<Colorref, 31> dayTable{};
  const DownloadResult result =
      Download(platform, *d2xx, store, now.TwoDigitYear(), now.month, dayTable);
  for (const std::filesystem::path& record : result.records) {
    std::printf("%s\n", record.lexically_relative(store.dataRoot).string().c_str());
  }
  return result.AllReadAndErased() ? 0 : 1;
}

const CommandRegistration kRegistration(
    {kName, "[--root DIR]",
     "copy every connected monitor's measurements into DIR's store, set its clock, erase it",
     RunDownload});

}  // namespace
}  // namespace oxi::cli

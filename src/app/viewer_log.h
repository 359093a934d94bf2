#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/ui/diagnostics.h"

namespace oxi {

// The window's log file, in the store's folder. Its name must not begin with "OXI" in any
// letter case: whatever reads the store takes OXI* entries (matched without case on
// Windows) for devices.
inline constexpr const char* kViewerLogName = "viewer.log";
// Past this size the older half of the log goes, so that it never grows without end.
inline constexpr std::uintmax_t kViewerLogLimitBytes = 256 * 1024;

// The log file of the store whose folder is `dataRoot`.
std::filesystem::path ViewerLogFile(const std::filesystem::path& dataRoot);

// The window's diagnostics. Lines go to stderr at once, as oxitool's do, and to the log file
// in the store's folder, where a user who started the window from a menu (and so sees no
// terminal) can read them; the about box names the file. Lines that come before the store
// is known wait for it. The file has the local time before each line.
class ViewerLog : public Diagnostics {
 public:
  void Log(std::string_view lines) override;
  // From now on lines go to `file` too, those that waited first.
  void OpenFile(const std::filesystem::path& file);

 private:
  void Append(std::string_view stamped);

  std::filesystem::path file_;
  std::string waiting_;
};

}  // namespace oxi

#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/d2xx/monitor_image.h"

namespace oxi {

// What the monitor sends back for one command: `immediate` right after it, `later` (the
// erase's completion frame) `laterDelayMs` after that.
struct MonitorAnswer {
  std::vector<std::uint8_t> immediate;
  std::vector<std::uint8_t> later;
  std::int64_t laterDelayMs = 0;
};

// Where a simulated monitor tells why its file was not written back, one line each.
using MonitorReport = std::function<void(const std::string& line)>;

// A monitor that answers the sector-read, clock and erase commands from a memory image.
// When the image came from a file, the clock and the erase are written back to it, as the
// real monitor keeps them in its memory. The file is read again at every connection, and
// never written back once it holds other bytes than were read from it: someone else wrote
// it meanwhile (a newer demo memory), and writing would destroy what they wrote. A write
// back that is refused or fails refuses the command, as a monitor whose memory cannot take
// it would, and is reported.
class SimulatedMonitor {
 public:
  explicit SimulatedMonitor(monitor::MonitorImage image,
                            std::optional<std::filesystem::path> file = std::nullopt,
                            MonitorReport report = nullptr);

  // Takes the file's image as it is now (a connection begins); an unreadable file is
  // reported and leaves the image as it was, never to be written back over the file.
  void Reload();

  // `text` is what came between STX and ETX. Unknown or malformed commands get a NAK.
  MonitorAnswer Answer(std::string_view text);

  monitor::MonitorImage& Image() { return image_; }
  // How long the erase takes before its completion frame follows the ACK.
  std::int64_t eraseDurationMs = 0;

 private:
  MonitorAnswer ReadSector(std::string_view text);
  MonitorAnswer SetClock(std::string_view text);
  MonitorAnswer Erase();
  // Makes `next` the memory, written back to the file first; false, reported, when the
  // file changed since it was read or cannot be written.
  bool WriteBack(const monitor::MonitorImage& next);
  void Report(const std::string& why) const;

  monitor::MonitorImage image_;
  std::optional<std::filesystem::path> file_;
  // The file's image as last read or written: what the file must still hold.
  std::optional<monitor::MonitorImage> fileImage_;
  MonitorReport report_;
};

}  // namespace oxi

#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
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

// A monitor that answers the sector-read, clock and erase commands from a memory image.
// When the image came from a file, the clock and the erase are written back to it, as the
// real monitor keeps them in its memory.
class SimulatedMonitor {
 public:
  explicit SimulatedMonitor(monitor::MonitorImage image,
                            std::optional<std::filesystem::path> file = std::nullopt);

  // `text` is what came between STX and ETX. Unknown or malformed commands get a NAK.
  MonitorAnswer Answer(std::string_view text);

  monitor::MonitorImage& Image() { return image_; }
  // How long the erase takes before its completion frame follows the ACK.
  std::int64_t eraseDurationMs = 0;

 private:
  MonitorAnswer ReadSector(std::string_view text);
  MonitorAnswer SetClock(std::string_view text);
  MonitorAnswer Erase();
  void WriteBack();

  monitor::MonitorImage image_;
  std::optional<std::filesystem::path> file_;
};

}  // namespace oxi

#pragma once
#include <cstdint>
#include <string>

#include "platform/d2xx/monitor_image.h"
#include "platform/ui/local_time.h"

namespace oxi {

struct DemoMonitorOptions {
  int measurements = 6;  // 0..30: the data table has room for 30
  std::uint32_t seed = 1;
  std::string deviceId = "DEMO00000001";
  int ringSize = 1000;
};

// A monitor memory with exercise measurements as a monitor records them: rest, work bouts
// in which StO2 and oxHb fall while HR and dxHb rise, recovery, and a few invalid samples
// (a moved sensor). They start on days up to `today` of today's month, in order, and lie
// one after the other in the ring from its first sector on; the system sector's clock
// bytes hold `today`. Six measurements fill about 100 sectors. The same options and day
// give the same image.
monitor::MonitorImage MakeDemoMonitor(const DemoMonitorOptions& options, const LocalTime& today);

}  // namespace oxi

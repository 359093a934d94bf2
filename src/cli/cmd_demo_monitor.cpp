// oxitool demo-monitor -o IMAGE [--measurements N] [--seed S]: writes a monitor memory
// image with exercise measurements dated in the current month, for the simulated monitor
// (OXI_SIMULATED_MONITOR=IMAGE). The image holds device ID DEMO00000001, a ring of 1000
// sectors, and in the system sector's unused bytes 22..27 the clock (BCD YYMMDDhhmmss).
#include <charconv>
#include <string>
#include <vector>

#include "cli/command.h"
#include "device/demo_monitor.h"
#include "monitor/sectors.h"
#include "platform/fs/files.h"
#include "platform/ui/local_time.h"

namespace oxi::cli {
namespace {

constexpr const char* kName = "demo-monitor";

template <typename T>
bool ParseNumber(const std::string& text, T& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

int RunDemoMonitor(const std::vector<std::string>& args) {
  DemoMonitorOptions options;
  std::string output;
  bool ok = true;
  for (std::size_t i = 0; i < args.size() && ok; ++i) {
    const bool hasValue = i + 1 < args.size();
    if (args[i] == "-o" && hasValue) {
      output = args[++i];
    } else if (args[i] == "--measurements" && hasValue) {
      ok = ParseNumber(args[++i], options.measurements) && options.measurements >= 0 &&
           options.measurements <= monitor::kDataTableEntries;
    } else if (args[i] == "--seed" && hasValue) {
      ok = ParseNumber(args[++i], options.seed);
    } else {
      ok = false;
    }
  }
  if (!ok || output.empty()) {
    return FailUsage(kName, "N from 0 to 30");
  }
  const monitor::MonitorImage image = MakeDemoMonitor(options, CurrentLocalTime());
  const WriteStatus saved = image.Save(PathFromUtf8(output));
  if (saved != WriteStatus::kWritten) return Fail(output + ": " + WriteStatusText(saved));
  return 0;
}

const CommandRegistration kRegistration(
    {kName, "-o IMAGE [--measurements N] [--seed S]",
     "a simulated monitor's memory with exercise measurements of this month", RunDemoMonitor});

}  // namespace
}  // namespace oxi::cli

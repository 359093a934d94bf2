// oxi_usb_emulator: runs a program (unmodified) with an emulated FTDI converter plugged in
// and a simulated monitor behind it that answers from a memory image file, to which it
// writes the clock and the erase back; then tells how fast the monitor was read.
//
//   oxi_usb_emulator --image FILE [--latency MS] [--serial S] [--product ID] [--bcd B]
//                    [--unplug-after N] -- PROGRAM [ARGS...]
//
// --latency is what the chip's latency timer holds when it is plugged in (16, its power-on
// value, unless a program set another); --product and --bcd are hexadecimal; with
// --unplug-after the converter is pulled out when the monitor receives its command after
// the N-th. The summary goes to stderr; the exit status is the program's.
#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

#include "device/commands.h"
#include "platform/d2xx/ftdi_divisor.h"
#include "platform/d2xx/monitor_image.h"
#include "usb/emulator/child_process.h"
#include "usb/emulator/emulated_converter.h"
#include "usb/emulator/umockdev_preload.h"

namespace oxi::usb {
namespace {

struct Arguments {
  std::string image;
  FtdiChipOptions chip;
  int unplugAfter = -1;
  std::vector<std::string> program;
};

bool ParseNumber(const std::string& text, int& value, int base = 10) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  return ec == std::errc() && end == text.data() + text.size();
}

bool Parse(int argc, char** argv, Arguments& a) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--") {
      a.program.assign(argv + i + 1, argv + argc);
      break;
    }
    if (i + 1 >= argc) return false;
    const std::string value = argv[++i];
    int number = 0;
    if (arg == "--image") {
      a.image = value;
    } else if (arg == "--serial") {
      a.chip.serial = value;
    } else if (arg == "--latency" && ParseNumber(value, number)) {
      a.chip.latencyMs = number;
    } else if (arg == "--product" && ParseNumber(value, number, 16)) {
      a.chip.productId = static_cast<std::uint16_t>(number);
    } else if (arg == "--bcd" && ParseNumber(value, number, 16)) {
      a.chip.bcdDevice = static_cast<std::uint16_t>(number);
    } else if (arg == "--unplug-after" && ParseNumber(value, number)) {
      a.unplugAfter = number;
    } else {
      return false;
    }
  }
  return !a.image.empty() && !a.program.empty();
}

// A sector read's bytes on the wire: the command and the reply frame, ten bits a byte.
double WireMsPerSector() {
  const double bytes = SectorReadCommand(0).size() + monitor::kSectorReplyTextLength + 2;
  return bytes * monitor::kBitsPerByteOnLine * 1000 / FtdiBitsPerSecond(monitor::kLineDivisor);
}

void Summarize(const EmulatedConverter& converter, int latencyBefore, const ChildRun& run) {
  const FtdiChip& chip = converter.chip;
  const std::vector<std::string> commands = chip.Commands(0);
  const std::vector<std::int64_t> times = chip.CommandTimesUs(0);
  std::vector<std::int64_t> reads;  // of the measurements' sectors: after the system sector
  for (std::size_t i = 0; i < commands.size(); ++i) {
    if (commands[i].rfind("SR,", 0) == 0 && commands[i] != "SR,0000") reads.push_back(times[i]);
  }
  std::fprintf(stderr, "emulator: latency timer %d ms before, %d ms after; ", latencyBefore,
               chip.LatencyMs(0));
  if (reads.size() > 1) {
    const double period = (reads.back() - reads.front()) / 1000.0 / (reads.size() - 1);
    std::fprintf(stderr, "%zu sector reads, one every %.1f ms = %.3fx the %.2f ms wire time; ",
                 reads.size(), period, period / WireMsPerSector(), WireMsPerSector());
  }
  // The clock command waits for its acknowledgement with the link's polls; the erase
  // follows it.
  for (std::size_t i = 0; i + 1 < commands.size(); ++i) {
    if (commands[i].rfind("SC,", 0) == 0 && commands[i + 1] == "DE") {
      std::fprintf(stderr, "erase %.1f ms after the clock; ", (times[i + 1] - times[i]) / 1000.0);
    }
  }
  const long requests = converter.node.Requests();
  std::fprintf(stderr,
               "program %.2f s wall, %.3f s CPU (%.1f %%); %ld usbfs requests, %.0f us CPU each\n",
               run.wallSeconds, run.cpuSeconds, 100 * run.cpuSeconds / run.wallSeconds, requests,
               requests ? 1e6 * run.cpuSeconds / requests : 0.0);
}

int Main(int argc, char** argv) {
  EnsureUmockdevPreload(argv);
  Arguments a;
  if (!Parse(argc, argv, a)) {
    std::fprintf(stderr,
                 "usage: oxi_usb_emulator --image FILE [--latency MS] [--serial S] [--product "
                 "ID] [--bcd B] [--unplug-after N] -- PROGRAM [ARGS...]\n");
    return 2;
  }
  auto image = monitor::MonitorImage::Load(a.image);
  if (!image) {
    std::fprintf(stderr, "oxi_usb_emulator: cannot read %s\n", a.image.c_str());
    return 2;
  }
  UsbTestbed testbed;
  std::vector<std::unique_ptr<SimulatedMonitor>> monitors;
  monitors.push_back(std::make_unique<SimulatedMonitor>(std::move(*image), a.image));
  const EmulatedConverter converter = PlugConverter(testbed, a.chip, std::move(monitors));
  if (a.unplugAfter >= 0) converter.chip.UnplugAfterCommands(0, a.unplugAfter);
  ChildOptions options;
  options.capture = false;
  const ChildRun run = RunChild(a.program, options);
  Summarize(converter, a.chip.latencyMs, run);
  return run.exitCode < 0 ? 1 : run.exitCode;
}

}  // namespace
}  // namespace oxi::usb

int main(int argc, char** argv) {
  return oxi::usb::Main(argc, argv);
}

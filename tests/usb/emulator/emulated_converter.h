#pragma once
#include <memory>
#include <vector>

#include "platform/d2xx/simulated_monitor.h"
#include "usb/emulator/ftdi_chip.h"
#include "usb/emulator/usb_testbed.h"

namespace oxi::usb {

struct EmulatedConverter {
  FtdiChip& chip;
  UsbfsNode& node;
};

// Plugs an FTDI converter into the test bed with these monitors behind its channels, in
// order (channels left over have nothing behind them).
EmulatedConverter PlugConverter(UsbTestbed& testbed, const FtdiChipOptions& options,
                                std::vector<std::unique_ptr<SimulatedMonitor>> monitors);

}  // namespace oxi::usb

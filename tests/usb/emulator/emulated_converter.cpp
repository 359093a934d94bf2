#include "usb/emulator/emulated_converter.h"

namespace oxi::usb {

EmulatedConverter PlugConverter(UsbTestbed& testbed, const FtdiChipOptions& options,
                                std::vector<std::unique_ptr<SimulatedMonitor>> monitors) {
  auto chip = std::make_unique<FtdiChip>(options, std::move(monitors));
  FtdiChip& plugged = *chip;
  const UsbStrings strings{"FTDI", chip->Product(), options.serial};
  UsbfsNode& node = testbed.Plug(std::move(chip), strings);
  return {plugged, node};
}

}  // namespace oxi::usb

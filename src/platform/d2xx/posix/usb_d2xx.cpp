#include "platform/d2xx/usb_d2xx.h"

#include "platform/d2xx/posix/ftdi_d2xx.h"

namespace oxi {

std::unique_ptr<D2xx> MakeUsbD2xx(Clock& clock, Diagnostics& diagnostics) {
  return std::make_unique<FtdiD2xx>(clock, diagnostics);
}

}  // namespace oxi

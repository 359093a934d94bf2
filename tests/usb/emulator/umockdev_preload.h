#pragma once

namespace oxi::usb {

// A test bed is only seen by processes that run with umockdev's preload library. A program
// started without it calls this first thing in main(): it starts itself again with the
// library preloaded (and AddressSanitizer told not to mind that it is not first), and
// returns only when the library is already there. Its children inherit the setting.
void EnsureUmockdevPreload(char** argv);

}  // namespace oxi::usb

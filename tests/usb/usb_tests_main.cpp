// The tests see the emulated converters only through umockdev's preload library.
#include <gtest/gtest.h>

#include "usb/emulator/umockdev_preload.h"

int main(int argc, char** argv) {
  oxi::usb::EnsureUmockdevPreload(argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

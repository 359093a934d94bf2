# The system libraries of the POSIX backends (Linux): text through FreeType and fontconfig,
# PNG through libpng, converters through libftdi1 (and libusb, to list them).
find_package(PkgConfig REQUIRED)
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
pkg_check_modules(PNG REQUIRED IMPORTED_TARGET libpng)
pkg_check_modules(FTDI REQUIRED IMPORTED_TARGET libftdi1)
pkg_check_modules(LIBUSB REQUIRED IMPORTED_TARGET libusb-1.0)
set(OXI_GDI_SYSTEM_LIBS PkgConfig::FREETYPE PkgConfig::FONTCONFIG PkgConfig::PNG)
set(OXI_D2XX_SYSTEM_LIBS PkgConfig::FTDI PkgConfig::LIBUSB)

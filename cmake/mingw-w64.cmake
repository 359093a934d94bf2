# Cross-compiles the Windows programs (64-bit) on Debian with mingw-w64:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
# The tests and the programs run under Wine, which CTest starts for every test program.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(OXI_MINGW_TRIPLE x86_64-w64-mingw32)
# The posix-threads flavour: std::thread and std::mutex need it.
set(CMAKE_C_COMPILER ${OXI_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${OXI_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${OXI_MINGW_TRIPLE}-windres)

# Headers and libraries come from the cross tree only; programs run at build time are the
# build machine's.
set(CMAKE_FIND_ROOT_PATH /usr/${OXI_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Without this pkg-config would answer with the Linux libraries.
set(PKG_CONFIG_EXECUTABLE ${OXI_MINGW_TRIPLE}-pkg-config CACHE FILEPATH "pkg-config of the cross tree")

# The C++ and threads runtimes go into every program and DLL, so that nothing but the
# system's own DLLs (and the converter's driver) is needed beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -static)

find_program(OXI_WINE wine)
if(OXI_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${OXI_WINE})
endif()

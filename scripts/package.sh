#!/usr/bin/env bash
# Builds the Debian package: a Release build of the programs with Debian's hardening flags,
# then `cpack -G DEB`, then lintian over the package when it is installed. Prints the
# package's path last. Build folder: PACKAGE_BUILD_DIR (build-package).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${PACKAGE_BUILD_DIR:-$root/build-package}
flags=()
export DEB_BUILD_MAINT_OPTIONS=${DEB_BUILD_MAINT_OPTIONS:-hardening=+all}
if command -v dpkg-buildflags >/dev/null; then
  flags=(-DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
    -DCMAKE_C_FLAGS="$(dpkg-buildflags --get CFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)")
fi
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DOXI_BUILD_TESTS=OFF \
  -DOXI_BUILD_BENCH=OFF "${flags[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"
(cd "$build" && rm -f ./*.deb && cpack -G DEB >/dev/null)
package=$(ls "$build"/*.deb)
if command -v lintian >/dev/null; then
  lintian --info "$package" || true
fi
echo "$package"

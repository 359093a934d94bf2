# shellcheck shell=bash
# Shared by windows-zip.sh and windows-installer.sh: the Windows programs built as Release
# (64-bit, cross-compiled with mingw-w64) up to the build target $1, in $build
# (WINDOWS_RELEASE_DIR, default build-windows-release); the project's version in $version.
windows_release() {
  local root
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
  build=${WINDOWS_RELEASE_DIR:-$root/build-windows-release}
  "$root/scripts/install-deps.sh"
  BUILD_TYPE=Release BUILD_DIR=$build BUILD_TARGETS=$1 "$root/scripts/build.sh" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DOXI_BUILD_TESTS=OFF
  # shellcheck disable=SC2034  # read by the scripts that source this
  version=$(sed -n 's/^project(oxi VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
}

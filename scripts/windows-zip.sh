#!/usr/bin/env bash
# Builds the Windows programs (64-bit, cross-compiled with mingw-w64, Release) and packs
# oxiview.exe, oxitool.exe and the Windows users' README into one zip:
#   ./scripts/windows-zip.sh      -> build-windows-release/zip/oxiview-VERSION-win64.zip
# Build folder: WINDOWS_RELEASE_DIR (build-windows-release).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${WINDOWS_RELEASE_DIR:-$root/build-windows-release}
"$root/scripts/install-deps.sh"
BUILD_TYPE=Release BUILD_DIR=$build "$root/scripts/build.sh" \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DOXI_BUILD_TESTS=OFF

version=$(sed -n 's/^project(oxi VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
name=oxiview-$version-win64
stage=$build/zip/$name
rm -rf "$build/zip"
mkdir -p "$stage"
for program in src/win32/oxiview.exe src/cli/oxitool.exe; do
  x86_64-w64-mingw32-strip -o "$stage/$(basename "$program")" "$build/$program"
done
# Notepad reads it as UTF-8 with a byte-order mark, and wants CR LF line ends.
{ printf '\xef\xbb\xbf'; sed 's/$/\r/' "$root/res/windows/README.txt"; } >"$stage/README.txt"
(cd "$build/zip" && zip -q -r -X "$name.zip" "$name")
echo "$build/zip/$name.zip"

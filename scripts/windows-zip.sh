#!/usr/bin/env bash
# Builds the Windows programs and packs them, stripped, with the README for Windows users
# into WINDOWS_BUILD_DIR/package/oxiview-<version>-windows-x64.zip (build-windows by
# default). oxiview.exe goes in whenever the Windows build has it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${WINDOWS_BUILD_DIR:-$root/build-windows}
"$root/scripts/install-deps.sh"
BUILD_DIR=$build BUILD_TARGETS=oxitool "$root/scripts/build.sh" \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake"
if cmake --build "$build" --target help | grep -qx '\.\.\. oxiview'; then
  cmake --build "$build" --target oxiview -j"$(nproc)"
fi

version=$(sed -n 's/^project(oxi VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
name=oxiview-$version-windows-x64
stage=$build/package/$name
rm -rf "$stage" "$stage.zip"
mkdir -p "$stage"
for program in oxitool oxiview; do
  exe=$(find "$build/src" -name "$program.exe" -print -quit)
  [[ -n "$exe" ]] && x86_64-w64-mingw32-strip -o "$stage/$program.exe" "$exe"
done
# Notepad reads it as UTF-8 with a byte-order mark, and wants CR LF line ends.
{ printf '\xef\xbb\xbf'; sed 's/$/\r/' "$root/res/README-Windows.txt"; } >"$stage/README.txt"
(cd "$build/package" && zip -qr "$name.zip" "$name")
echo "$build/package/$name.zip"

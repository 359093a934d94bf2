#!/usr/bin/env bash
# Builds the Windows programs (64-bit, cross-compiled with mingw-w64, Release) and packs
# oxiview.exe, oxitool.exe and the Windows users' README, staged as the installer ships
# them (res/windows/stage.sh), into one zip:
#   ./scripts/windows-zip.sh      -> build-windows-release/zip/oxiview-VERSION-win64.zip
# Build folder: WINDOWS_RELEASE_DIR (build-windows-release).
set -euo pipefail
# shellcheck source=scripts/lib/windows-release.sh
source "$(dirname "$0")/lib/windows-release.sh"
windows_release windows_stage
name=oxiview-$version-win64
rm -rf "$build/zip"
mkdir -p "$build/zip"
cp -r "$build/windows-stage" "$build/zip/$name"
(cd "$build/zip" && zip -q -r -X "$name.zip" "$name")
echo "$build/zip/$name.zip"

#!/usr/bin/env bash
# Builds the Windows programs (64-bit, cross-compiled with mingw-w64, Release) and their
# installer with NSIS (res/windows/oxiview.nsi): a per-user install without administrator
# rights, Start-menu shortcut, uninstall entry, silent with /S.
#   ./scripts/windows-installer.sh
#       -> build-windows-release/installer/oxiview-VERSION-win64-setup.exe
# Build folder: WINDOWS_RELEASE_DIR (build-windows-release), shared with windows-zip.sh.
set -euo pipefail
# shellcheck source=scripts/lib/windows-release.sh
source "$(dirname "$0")/lib/windows-release.sh"
windows_release windows_installer
echo "$build/installer/oxiview-$version-win64-setup.exe"

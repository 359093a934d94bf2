#!/usr/bin/env bash
# Installs what is missing, builds, and starts the application on a demo store with a
# simulated monitor plugged in (press Download to copy its measurements).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
build=${BUILD_DIR:-$root/build}
BUILD_DIR=$build "$root/scripts/build.sh"
demo=${DEMO_DIR:-$root/demo}
mkdir -p "$demo"
image="$demo/monitor.img"
[[ -f "$image" ]] || "$build/src/cli/oxitool" demo-monitor -o "$image" --measurements 6
cd "$demo"
if [[ -x "$build/src/qt/oxiview" ]]; then
  OXI_SIMULATED_MONITOR="$image" exec "$build/src/qt/oxiview"
fi
# A build without the Qt host (-DOXI_BUILD_QT=OFF): download the demo monitor on the
# terminal and show what it held.
OXI_SIMULATED_MONITOR="$image" "$build/src/cli/oxitool" download --root "$demo"
for f in "$demo"/Application\ Data/StO2/OXI*/*.oxi; do "$build/src/cli/oxitool" info "$f"; done

#!/usr/bin/env bash
# Installs what the programs need, builds them (no tests), writes a fresh demo monitor, and
# starts the window on the demo store with that monitor plugged in: press Download to copy
# its measurements into the store (which erases the monitor). Every run writes a new
# monitor with new measurements, so every run has something to download.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" run
build=${BUILD_DIR:-$root/build-demo}
BUILD_DIR=$build "$root/scripts/build.sh" -DOXI_WERROR=OFF -DOXI_BUILD_TESTS=OFF \
  -DOXI_BUILD_BENCH=OFF
demo=${DEMO_DIR:-$root/demo}
mkdir -p "$demo"
image="$demo/monitor.img"
"$build/src/cli/oxitool" demo-monitor -o "$image" --measurements 6 --seed "$(date +%s)"
echo "store: $demo/Application Data/StO2"
echo "simulated monitor: $image (6 new measurements; Download copies them, then erases it)"
if [[ -x "$build/src/qt/oxiview" ]]; then
  OXI_SIMULATED_MONITOR="$image" exec "$build/src/qt/oxiview" --root "$demo"
fi
# A build without the Qt host (-DOXI_BUILD_QT=OFF): download the demo monitor on the
# terminal and show what it held.
OXI_SIMULATED_MONITOR="$image" "$build/src/cli/oxitool" download --root "$demo" |
  while read -r record; do
    "$build/src/cli/oxitool" info "$demo/Application Data/StO2/$record"
  done

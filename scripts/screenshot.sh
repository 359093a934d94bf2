#!/usr/bin/env bash
# Takes the README's picture of the window: a demo monitor downloaded into a fresh store,
# the window started on it on a virtual screen, the day of the first measurement pressed.
# Writes docs/screenshot.png (or the file given). Needs the programs built (BUILD_DIR,
# default build) and Xvfb, xdotool and ImageMagick (./scripts/install-deps.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/docs/screenshot.png}")
export OXI_BINARY_DIR=${BUILD_DIR:-$root/build}
source "$root/tests/qt/xvfb_session.sh"
oxi_require_view
tool="$OXI_BINARY_DIR/src/cli/oxitool"

oxi_start_display
store="$OXI_WORK/store"
mkdir -p "$store"
"$tool" demo-monitor -o "$OXI_WORK/monitor.img" --measurements 6 --seed 7
OXI_SIMULATED_MONITOR="$OXI_WORK/monitor.img" "$tool" download --root "$store" 2>/dev/null |
  sort >"$OXI_WORK/records"
first=$(head -n 1 "$OXI_WORK/records")  # OXI<ID>/YYMMDDhhmm.oxi
[[ -n "$first" ]] || oxi_fail "the demo monitor gave no records"
name=$(basename "$first" .oxi)

oxi_start_view "$OXI_WORK" --root "$store"
read -r cx cy < <(oxi_day_cell "20${name:0:2}" "$((10#${name:2:2}))" "$((10#${name:4:2}))")
xdotool mousemove $((cx + 14)) $((cy + 12)) click 1
# The pointer rests on the bare face, so every drawn control shows its normal look.
xdotool mousemove --window "$OXI_WINDOW" 4 730
sleep 1
import -window "$OXI_WINDOW" "$out"
echo "$out"

#!/usr/bin/env bash
# Starts oxiview on a virtual screen with a simulated monitor, presses Download, then the
# progress dialog's Cancel: the download stops with its message, keeps no temporary file
# and leaves the monitor's memory as it was. Saves the dialog as oxiview_download.png.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../qt/xvfb_session.sh"

oxi_require_view
oxi_start_display
run="$OXI_WORK/run"
mkdir -p "$run"
"$OXI_BINARY_DIR/src/cli/oxitool" demo-monitor -o "$OXI_WORK/monitor.img" --measurements 3
cp "$OXI_WORK/monitor.img" "$OXI_WORK/before.img"
export OXI_SIMULATED_MONITOR=$OXI_WORK/monitor.img
oxi_start_view "$run"

xdotool mousemove --window "$OXI_WINDOW" 790 44 click 1
dialog=$(oxi_wait_window 20 --name '^データの転送$') || true
[[ -n "$dialog" ]] || oxi_fail "no progress dialog"
# Wait for a sector or two, so the Cancel lands in the middle of the first measurement.
sleep 1
shot="$OXI_WORK/dialog.png"
oxi_shot "$shot"
cp "$shot" "${OXI_DOWNLOAD_SHOT_OUT:-$OXI_BINARY_DIR/oxiview_download.png}"
# The Cancel button, centred under the bar: 75 x 22 pixels from 102,136 of the dialog.
xdotool mousemove --window "$dialog" 139 147 click 1
box=$(oxi_wait_window 20 --name '^oxiview$') || true
[[ -n "$box" ]] || oxi_fail "no message after the cancel"
cmp -s "$OXI_WORK/before.img" "$OXI_WORK/monitor.img" || oxi_fail "the monitor's memory changed"
[[ -z $(find "$run" -name '.tmp-*') ]] || oxi_fail "a temporary file stayed"
echo "oxiview_download_cancel: all checks passed"

#!/usr/bin/env bash
# oxiview.exe under Wine scrolled with the pointer as the Linux window's checks scroll the
# Qt one: the list's down arrow held until the list ends; the graph's thumb dragged. With
# OXI_LINUX_BINARY_DIR naming a Linux build, the Qt window does the same over the same
# store and every step is compared outside text, pixel for pixel.
set -euo pipefail
source "$(cd "$(dirname "$0")" && pwd)/lib/window_session.sh"

new_store
# Two hours at one sample a second: longer than the graph shows at once, so its thumb can
# be dragged; twelve records: more than the list's eight rows, so it scrolls.
oxi_write_records "$run" TESTDEV00001 "$year" "$month" "$day" 12 7200
settle() { sleep "${OXI_SETTLE:-0.6}"; }

# Each step leaves a shot named SIDE-STEP; `side` says which window runs.
session() {
  "$1" "$run"
  press_today
  # The list's down arrow held: pressed while held, and held long enough to reach the end.
  point 993 523
  xdotool mousedown 1
  settle && side_shot list-arrow-held
  sleep 2.5
  xdotool mouseup 1
  point 900 450 && settle && side_shot list-end
  # The graph's thumb dragged 150 pixels to the right and let go.
  point $((20 + 216 + 8)) 688
  xdotool mousedown 1
  for dx in 30 60 90 120 150; do point $((20 + 216 + 8 + dx)) 688; done
  xdotool mouseup 1
  point 500 300 && settle && side_shot graph-dragged
  end_view
}
play_both session

has_linux_view || { echo "oxiview.exe scroll checks passed"; exit 0; }
compare_shots list-arrow-held "17x17+985+515"
compare_shots list-end "17x174+985+358"
# The plots' insides and the graph's scroll bar.
compare_shots graph-dragged "598x273+81+66" "598x273+81+376" "461x17+218+680"
((differing == 0)) || oxi_fail "the Windows and Qt windows differ outside text in $differing pixels"
echo "oxiview.exe scroll checks passed, the same pixels as the Qt window outside text"

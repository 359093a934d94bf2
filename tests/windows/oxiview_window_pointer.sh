#!/usr/bin/env bash
# oxiview.exe under Wine worked with the pointer as the Linux window's checks work the Qt
# one: hover frames on a day, the month arrows, the command and spin buttons; the list's
# down arrow held until the list ends; the graph's thumb dragged. With OXI_LINUX_BINARY_DIR
# naming a Linux build, the Qt window does the same over the same store and every step is
# compared outside text, pixel for pixel.
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
  point $((cx + 14)) $((cy + 12))
  hovered() { shot hover && (($(day_frame_count "$OXI_WORK/hover.png" "$day" 00FF00) > 20)); }
  oxi_until 25 hovered || oxi_fail "$side: the hovered day is not framed in green"
  side_shot day-hovered
  point $((755 + 185)) $((60 + 43)) && settle && side_shot month-arrow-hovered
  point 790 33 && settle && side_shot download-hovered
  point 894 576 && settle && side_shot spin-hovered
  # A day pressed shows its first record; Print and Save then answer the pointer too.
  press_today
  settle
  point 948 33 && settle && side_shot save-hovered
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

has_linux_view || { echo "oxiview.exe pointer checks passed"; exit 0; }
# The button strips above and below their labels; the plots' insides and the scroll bars.
plots=("598x273+81+66" "598x273+81+376")
compare_shots day-hovered "28x2+$cx+$cy" "28x2+$cx+$((cy + 22))"
compare_shots month-arrow-hovered "30x27+$((755 + 173))+$((60 + 30))"
compare_shots download-hovered "71x3+755+18" "71x3+755+46"
compare_shots spin-hovered "19x27+885+570"
compare_shots save-hovered "71x3+913+18" "71x3+913+46"
compare_shots list-arrow-held "17x17+985+515"
compare_shots list-end "17x174+985+358"
compare_shots graph-dragged "${plots[@]}" "461x17+218+680"
((differing == 0)) || oxi_fail "the Windows and Qt windows differ outside text in $differing pixels"
echo "oxiview.exe pointer checks passed, the same pixels as the Qt window outside text"

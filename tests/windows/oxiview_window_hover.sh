#!/usr/bin/env bash
# oxiview.exe under Wine under the pointer as the Linux window's checks have the Qt one:
# hover frames on a day, a month arrow, the command and spin buttons. With
# OXI_LINUX_BINARY_DIR naming a Linux build, the Qt window does the same over the same
# store and every step is compared outside text, pixel for pixel.
set -euo pipefail
source "$(cd "$(dirname "$0")" && pwd)/lib/window_session.sh"

new_store
oxi_write_records "$run" TESTDEV00001 "$year" "$month" "$day" 2 600
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
  end_view
}
play_both session

has_linux_view || { echo "oxiview.exe hover checks passed"; exit 0; }
compare_shots day-hovered "28x2+$cx+$cy" "28x2+$cx+$((cy + 22))"
# The month arrow's glyphs are text; its hover frame's top rows and left columns are not.
compare_shots month-arrow-hovered "30x2+$((755 + 173))+$((60 + 30))" "2x26+$((755 + 173))+$((60 + 30))"
# The button strips above and below their labels.
compare_shots download-hovered "71x3+755+18" "71x3+755+46"
compare_shots spin-hovered "19x27+885+570"
compare_shots save-hovered "71x3+913+18" "71x3+913+46"
((differing == 0)) || oxi_fail "the Windows and Qt windows differ outside text in $differing pixels"
echo "oxiview.exe hover checks passed, the same pixels as the Qt window outside text"

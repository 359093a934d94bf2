#!/usr/bin/env bash
# oxiview.exe under Wine at the keyboard: the window starts with the moving-average field
# focused and its "1" selected, so that a window typed at once replaces it; after a day
# press, 10 typed into the field and confirmed by Enter smooths the graph; a bad value
# brings up the refusal box, centred on the window, and Enter ends it. With
# OXI_LINUX_BINARY_DIR naming a Linux build, the Qt window does the same over the same
# store and the graphs are compared outside text.
set -euo pipefail
source "$(cd "$(dirname "$0")" && pwd)/lib/window_session.sh"

new_store
oxi_write_records "$run" TESTDEV00001 "$year" "$month" "$day" 2 600

# The refusal box: the window named as the program names its own boxes.
box_window() { window_named oxiview; }
box_up() { box_window >/dev/null; }

session() {
  "$1" "$run"
  # No click into the field: it has the keyboard from the start, its "1" selected, so that
  # 50 typed replaces it and Enter takes it (unselected, 150 or 501 would be refused).
  point 500 300
  xdotool type 50
  xdotool key Return
  sleep 1
  box_up && oxi_fail "$side: 50 typed at the start was refused"
  press_today
  side_shot unsmoothed
  point 860 584
  xdotool click 1
  xdotool key ctrl+a
  xdotool type 10
  xdotool key Return
  smoothed() {
    side_shot smoothed
    (($(oxi_diff_pixels "$OXI_WORK/$side-unsmoothed.png" "$OXI_WORK/$side-smoothed.png" 600 600 \
      $((ox + 80)) $((oy + 40))) > 200))
  }
  oxi_until 25 smoothed || oxi_fail "$side: 10 typed and Enter did not smooth the graph"
  box_up && oxi_fail "$side: 10 was refused"
  # A value out of range is refused with the program's box over the window.
  xdotool key ctrl+a
  xdotool type abc
  xdotool key Return
  oxi_until 25 box_up || oxi_fail "$side: no refusal box"
  read -r bx by < <(window_centre "$(box_window)")
  read -r mx my < <(window_centre "$(oxi_visible_window --name '^OxiView')")
  echo "$side: the refusal box's centre ($bx, $by), the window's ($mx, $my)"
  centred_at "$bx" "$by" "$mx" "$my" || oxi_fail "$side: the refusal box is not centred on the window"
  xdotool key Return
  box_gone() { ! box_up; }
  oxi_until 25 box_gone || oxi_fail "$side: the refusal box stays"
  kill -0 "$OXI_VIEW_PID" || oxi_fail "$side: the box ended the program"
  end_view
}
play_both session

has_linux_view || { echo "oxiview.exe keyboard checks passed"; exit 0; }
compare_shots smoothed "598x273+81+66" "598x273+81+376"
((differing == 0)) || oxi_fail "the Windows and Qt windows differ outside text in $differing pixels"
echo "oxiview.exe keyboard checks passed, the same graph as the Qt window outside text"

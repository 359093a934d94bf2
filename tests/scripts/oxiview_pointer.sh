#!/usr/bin/env bash
# Works oxiview with the pointer and the keyboard on a virtual screen: hovering and pressing
# a day with records, holding the graph's right arrow, dragging the list thumb, entering a
# moving-average window and an invalid one, the analysis window beside the main window;
# checks what each leaves on the screen.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../qt/xvfb_session.sh"

oxi_require_view
oxi_start_display
run="$OXI_WORK/run"
mkdir -p "$run"
read -r year month day < <(date +'%Y %-m %-d')
# Two hours at one sample a second: longer than the graph shows at once, so it scrolls;
# twelve records: more than the list shows, so its thumb can be dragged.
oxi_write_records "$run" TESTDEV00001 "$year" "$month" "$day" 12 7200
oxi_start_view "$run"
read -r cx cy < <(oxi_day_cell "$year" "$month" "$day")
shot() { oxi_shot "$OXI_WORK/$1.png"; }
frame_has() {  # frame_has SHOT HEX: the day's frame shows that colour
  (($(oxi_count_colour "$OXI_WORK/$1.png" 28 24 "$cx" "$cy" "$2") > 20))
}
shot_frame_has() {
  shot "$1"
  frame_has "$@"
}
graph_changed() { (($(oxi_diff_pixels "$OXI_WORK/$1.png" "$OXI_WORK/$2.png" 600 600 80 40) > 500)); }
list_changed() { (($(oxi_diff_pixels "$OXI_WORK/$1.png" "$OXI_WORK/$2.png" 250 180 755 355) > 200)); }

# A visible window of oxiview captioned exactly "oxiview" (window names are matched
# case-blind by xdotool, and the main window is "OxiView").
box_up() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$OXI_VIEW_PID" 2>/dev/null); do
    [[ $(xdotool getwindowname "$w") == oxiview ]] && return 0
  done
  return 1
}

shot start
# Hovering the day frames it in green, pressing in yellow, releasing in green again.
xdotool mousemove $((cx + 14)) $((cy + 12))
oxi_until 20 shot_frame_has hover 00FF00 || oxi_fail "hovered day is not framed in green"
xdotool mousedown 1
oxi_until 20 shot_frame_has pressed FFFF00 || oxi_fail "pressed day is not framed in yellow"
xdotool mouseup 1
oxi_until 20 shot_frame_has released 00FF00 || oxi_fail "released day is not framed in green"
graph_changed start released || oxi_fail "the press drew no graph"
list_changed start released || oxi_fail "the press listed no records"

# Holding the graph's right arrow scrolls the graph.
xdotool mousemove 670 688
sleep 0.3
xdotool mousedown 1
sleep 0.5
xdotool mouseup 1
sleep 0.3
shot scrolled
graph_changed released scrolled || oxi_fail "holding the right arrow did not scroll the graph"

# Dragging the list thumb down scrolls the list.
xdotool mousemove 993 400
sleep 0.2
xdotool mousedown 1
for y in 410 420 430 440; do
  xdotool mousemove 993 "$y"
  sleep 0.1
done
xdotool mouseup 1
sleep 0.3
shot dragged
list_changed scrolled dragged || oxi_fail "dragging the thumb did not scroll the list"

# A window of 10 entered with Enter smooths the curves; the window stays.
xdotool mousemove 860 584 click 1
xdotool key ctrl+a
xdotool type 10
xdotool key Return
sleep 0.5
shot smoothed
graph_changed dragged smoothed || oxi_fail "Enter with 10 did not redraw the graph"
kill -0 "$OXI_VIEW_PID" || oxi_fail "Enter ended oxiview"

# An invalid window brings up the application's message box; Enter closes it.
xdotool key ctrl+a
xdotool type abc
xdotool key Return
oxi_until 25 box_up || oxi_fail "no message box"
xdotool key Return
sleep 0.5
box_up && oxi_fail "the message box stays"
kill -0 "$OXI_VIEW_PID" || oxi_fail "oxiview ended"

# The window menu's analysis item opens the analysis window beside the main window: its
# chart drawn, its copy button putting the episode table on the clipboard, an invalid Δ
# refused with the program's box, Esc closing it and leaving the main window.
analysis_up() { xdotool search --all --onlyvisible --pid "$OXI_VIEW_PID" --name '^解析 - ' >/dev/null 2>&1; }
oxi_open_analysis 400 300
oxi_until 25 analysis_up || oxi_fail "no analysis window"
read -r ax ay < <(oxi_wait_analysis "$OXI_WORK/analysis.png") ||
  oxi_fail "the analysis chart is not drawn"
cp "$OXI_WORK/analysis.png" "$OXI_BINARY_DIR/oxiview_analysis.png"
oxi_copy_analysis "$ax" "$ay" || oxi_fail "the copy button put no episode table on the clipboard"
xdotool mousemove $((ax + 90)) $((ay + 23)) click 1 key ctrl+a type 0
xdotool key Return
box_focused() {
  local w
  w=$(xdotool getwindowfocus 2>/dev/null) && [[ $(xdotool getwindowname "$w") == oxiview ]]
}
oxi_until 25 box_focused || oxi_fail "an invalid delta brought no message box"
xdotool key Return
box_gone() { ! box_up; }
oxi_until 25 box_gone || oxi_fail "the message box stays"
analysis_up || oxi_fail "the analysis window went with the box"
xdotool key Escape
analysis_gone() { ! analysis_up; }
oxi_until 25 analysis_gone || oxi_fail "Esc left the analysis window"
kill -0 "$OXI_VIEW_PID" || oxi_fail "Esc in the analysis window ended oxiview"
echo "oxiview pointer checks passed"

#!/usr/bin/env bash
# Starts oxiview on a virtual screen over a store with records today, named by --root from
# another folder, takes a screenshot, checks the window's size and title and pixels that
# must be on its face, and ends it with Esc.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../qt/xvfb_session.sh"

oxi_require_view
oxi_start_display
run="$OXI_WORK/run"
mkdir -p "$run"
read -r year month day < <(date +'%Y %-m %-d')
oxi_write_records "$run" TESTDEV00001 "$year" "$month" "$day" 3
oxi_start_view "$OXI_WORK" --root "$run"
title=$(xdotool getwindowname "$OXI_WINDOW")
[[ "$title" == "OxiView - $run/Application Data/StO2" ]] || oxi_fail "title: $title"
[[ -d "$OXI_WORK/Application Data" ]] && oxi_fail "a store was made in the working folder"

shot="$OXI_WORK/face.png"
oxi_shot "$shot"
out=${OXI_SCREENSHOT_OUT:-$OXI_BINARY_DIR/oxiview_screenshot.png}
cp "$shot" "$out"
echo "screenshot: $out"

geometry=$(xdotool getwindowgeometry "$OXI_WINDOW" | awk '/Geometry/ { print $2 }')
[[ "$geometry" == 1024x738 ]] || oxi_fail "window is $geometry"

# The light grey face, left of the graph and below everything.
for point in "5 5" "10 400" "1015 720" "760 690"; do
  read -r x y <<<"$point"
  [[ $(oxi_pixel "$shot" "$x" "$y") == 245,245,245 ]] || oxi_fail "face at $x,$y is $(oxi_pixel "$shot" "$x" "$y")"
done
# The Download, Print and Save buttons in their normal face colour.
for x in 790 869 948; do
  [[ $(oxi_pixel "$shot" "$x" 44) == 212,245,255 ]] || oxi_fail "button face at $x,44"
done
# The graph's white plot area.
[[ $(oxi_pixel "$shot" 400 200) == 255,255,255 ]] || oxi_fail "graph plot is not white"

# Today has records: its calendar cell is framed in magenta; another day is not.
read -r cx cy < <(oxi_day_cell "$year" "$month" "$day")
framed=$(oxi_count_colour "$shot" 28 24 "$cx" "$cy" FF00FF)
((framed > 20)) || oxi_fail "today's cell has $framed magenta pixels"
other=$((day == 1 ? 2 : 1))
read -r ox oy < <(oxi_day_cell "$year" "$month" "$other")
unframed=$(oxi_count_colour "$shot" 28 24 "$ox" "$oy" FF00FF)
((unframed == 0)) || oxi_fail "day $other is framed"

# Esc ends the application normally.
xdotool windowfocus --sync "$OXI_WINDOW"
xdotool key Escape
for _ in $(seq 50); do
  kill -0 "$OXI_VIEW_PID" 2>/dev/null || break
  sleep 0.2
done
kill -0 "$OXI_VIEW_PID" 2>/dev/null && oxi_fail "oxiview still runs after Esc"
status=0
wait "$OXI_VIEW_PID" || status=$?
((status == 0)) || oxi_fail "oxiview exited with $status"
echo "oxiview screenshot checks passed"

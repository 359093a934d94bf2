#!/usr/bin/env bash
# oxiview.exe under Wine on a virtual screen, over a store with records today and a
# simulated monitor behind the converter: the start face, a day pressed (its graph the
# same pixels as oxitool.exe render of the record), the analysis window of that record,
# Download with its progress window and the downloaded days, Esc. With
# OXI_LINUX_BINARY_DIR naming a Linux build, the Qt window over the same store is shown on
# the same screen and the two compared outside text, the main and the analysis window.
set -euo pipefail
source "$(cd "$(dirname "$0")" && pwd)/lib/window_session.sh"

oxi_start_display
run="$OXI_WORK/run"
mkdir -p "$run"
read -r year month day < <(date +'%Y %-m %-d')
oxi_write_records "$run" TESTDEV00001 "$year" "$month" "$day" 3
cp -r "$run" "$OXI_WORK/linux-run"  # the store as it is before the download
"$emulator" "$tool_exe" demo-monitor -o "$(windows_path "$run/demo.img")" --measurements 6 \
  >/dev/null 2>&1 || oxi_fail "no demo monitor"
first_record=$(find "$run" -name '*.oxi' | sort | head -n 1)
"$emulator" "$tool_exe" render "$(windows_path "$first_record")" \
  -o "$(windows_path "$OXI_WORK/render.png")" >/dev/null 2>&1 || oxi_fail "oxitool.exe render failed"

# The command line is read before any window: --version answers, what only the Qt host
# takes is refused with status 2, a --root that is no folder ends with 1.
version=$("$emulator" "$view_exe" --version 2>/dev/null) || oxi_fail "oxiview.exe --version failed"
[[ "$version" =~ ^oxiview\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || oxi_fail "--version says '$version'"
status=0
"$emulator" "$view_exe" -platform offscreen >/dev/null 2>&1 || status=$?
((status == 2)) || oxi_fail "a Qt option ended oxiview.exe with $status, not 2"
status=0
"$emulator" "$view_exe" --root "$(windows_path "$run/missing")" >/dev/null 2>&1 || status=$?
((status == 1)) || oxi_fail "a missing --root folder ended oxiview.exe with $status, not 1"

# Started elsewhere, --root names the folder of the store; the title bar names the store.
(cd "$OXI_WORK" && OXI_SIMULATED_MONITOR=$(windows_path "$run/demo.img") exec "$emulator" \
  "$view_exe" --root "$(windows_path "$run")") >"$OXI_WORK/oxiview.log" 2>&1 &
OXI_VIEW_PID=$!
oxi_pids+=("$OXI_VIEW_PID")
window=$(oxi_wait_window 60 --name '^OxiView - ') || true
[[ -n "$window" ]] || oxi_fail "no oxiview.exe window"
title=$(xdotool getwindowname "$window")
expected_title="OxiView - $(windows_path "$run")\\Application Data\\StO2"
[[ "$title" == "$expected_title" ]] || oxi_fail "the title is '$title', not '$expected_title'"
geometry=$(xdotool getwindowgeometry "$window" | awk '/Geometry/ { print $2 }')
[[ "$geometry" == 1024x738 ]] || oxi_fail "the window is $geometry outside"
face_drawn() { shot start && client_origin "$OXI_WORK/start.png" >/dev/null; }
oxi_until 50 face_drawn || oxi_fail "the face is not drawn"
read -r ox oy < <(client_origin "$OXI_WORK/start.png")
cp "$OXI_WORK/start.png" "${OXI_SCREENSHOT_OUT:-$OXI_BINARY_DIR/oxiview_wine_start.png}"

# The face as the Linux window's checks find it: grey, the buttons' face colour, the white
# plot, today's records framed in magenta and no other day.
for p in "5 5" "10 400" "1010 700" "760 690"; do
  read -r x y <<<"$p"
  [[ $(pixel "$OXI_WORK/start.png" "$x" "$y") == 245,245,245 ]] || oxi_fail "face at $x,$y"
done
for x in 790 869 948; do
  [[ $(pixel "$OXI_WORK/start.png" "$x" 44) == 212,245,255 ]] || oxi_fail "button face at $x,44"
done
[[ $(pixel "$OXI_WORK/start.png" 400 200) == 255,255,255 ]] || oxi_fail "graph plot is not white"
(($(day_frame_count "$OXI_WORK/start.png" "$day" FF00FF) > 20)) || oxi_fail "today is not framed"
other=$((day == 1 ? 2 : 1))
(($(day_frame_count "$OXI_WORK/start.png" "$other" FF00FF) == 0)) || oxi_fail "day $other is framed"

# A day pressed: framed in yellow while held, in green once released; its first record's
# graph is on the screen as oxitool.exe renders it, to the pixel.
read -r cx cy < <(oxi_day_cell "$year" "$month" "$day")
point $((cx + 14)) $((cy + 12))
xdotool mousedown 1
pressed() { shot pressed && (($(day_frame_count "$OXI_WORK/pressed.png" "$day" FFFF00) > 20)); }
oxi_until 25 pressed || oxi_fail "the pressed day is not framed in yellow"
xdotool mouseup 1
released() { shot released && (($(day_frame_count "$OXI_WORK/released.png" "$day" 00FF00) > 20)); }
oxi_until 25 released || oxi_fail "the released day is not framed in green"
cp "$OXI_WORK/released.png" "${OXI_SCREENSHOT_OUT:-$OXI_BINARY_DIR/oxiview_wine_day.png}"
convert "$OXI_WORK/released.png" -crop 720x685+$((ox + 20))+$((oy + 15)) +repage "$OXI_WORK/graph.png"
differ=$(compare -metric AE "$OXI_WORK/graph.png" "$OXI_WORK/render.png" null: 2>&1 || true)
[[ "$differ" == 0 ]] || oxi_fail "the graph differs from oxitool.exe render in $differ pixels"
echo "graph after the day press: the same pixels as oxitool.exe render"

# The window menu's analysis item: the analysis window of the shown record beside the
# main window, its copy button putting the episode table on the clipboard (Windows' line
# ends, which Wine hands the X clipboard as they are or as LF), Esc closing it alone.
analysis_named() { visible_named '^解析 - '; }
oxi_open_analysis $((ox + 400)) $((oy + 300))
oxi_until 50 analysis_named || oxi_fail "no analysis window"
read -r wax way < <(oxi_wait_analysis "$OXI_WORK/analysis.png") ||
  oxi_fail "the analysis chart is not drawn"
cp "$OXI_WORK/analysis.png" "${OXI_SCREENSHOT_OUT:-$OXI_BINARY_DIR/oxiview_wine_analysis.png}"
oxi_copy_analysis "$wax" "$way" || oxi_fail "the copy button put no episode table on the clipboard"
xdotool key Escape
analysis_gone() { ! analysis_named; }
oxi_until 25 analysis_gone || oxi_fail "Esc left the analysis window"
echo "analysis window: drawn, the table copied, closed by Esc"

# Download: the progress window comes up, the download ends with the box that asks to
# unplug the converter, the monitor's records are in the store and the calendar shows
# their days.
point 790 33
xdotool click 1
oxi_until 50 visible_named 'データの転送' || oxi_fail "no progress window"
shot downloading
cp "$OXI_WORK/downloading.png" "${OXI_SCREENSHOT_OUT:-$OXI_BINARY_DIR/oxiview_wine_download.png}"
unplug_box() { visible_named '^　$'; }
oxi_until 100 unplug_box || oxi_fail "the download did not end with its box"
visible_named 'データの転送' && oxi_fail "the progress window stays"
# The box stands centred on the window, and the calendar behind it is already the one the
# window shows once the box is gone.
sleep 0.5
shot behind-box
read -r bx by < <(window_centre "$(oxi_visible_window --name '^　$')")
read -r mx my < <(window_centre "$window")
side=wine
centred_at "$bx" "$by" "$mx" "$my" ||
  oxi_fail "the unplug box's centre ($bx, $by) is not the window's ($mx, $my)"
xdotool key Return
box_gone() { ! unplug_box; }
oxi_until 25 box_gone || oxi_fail "the box stays"
records=$(find "$run/Application Data/StO2/OXIDEMO00000001" -name '*.oxi' | wc -l)
((records == 6)) || oxi_fail "$records records downloaded"
sleep 0.5
shot downloaded
framed=$(oxi_count_colour "$OXI_WORK/downloaded.png" 250 290 $((ox + 755)) $((oy + 60)) FF00FF)
((framed > 20)) || oxi_fail "the calendar frames no downloaded day"
late=$(oxi_diff_pixels "$OXI_WORK/behind-box.png" "$OXI_WORK/downloaded.png" 250 290 \
  $((ox + 755)) $((oy + 60)))
((late == 0)) || oxi_fail "the calendar changed in $late pixels after the unplug box"
echo "download: progress window shown, 6 records stored, their days framed before the box ends"

# Esc ends the program normally.
xdotool key Escape
ended() { ! kill -0 "$OXI_VIEW_PID" 2>/dev/null; }
oxi_until 50 ended || oxi_fail "oxiview.exe still runs after Esc"
status=0
wait "$OXI_VIEW_PID" || status=$?
((status == 0)) || oxi_fail "oxiview.exe exited with $status"

# The Qt window over the store as it was, on the same screen, pixel for pixel outside text
# after the same press: the plots' insides, the graph's scroll bar, the list's scroll bar,
# the pressed day's frame.
if [[ -z "${OXI_LINUX_BINARY_DIR:-}" || ! -x "$OXI_LINUX_BINARY_DIR/src/qt/oxiview" ]]; then
  echo "oxiview.exe window checks passed (no Linux build named to compare with)"
  exit 0
fi
OXIVIEW="$OXI_LINUX_BINARY_DIR/src/qt/oxiview"
oxi_start_view "$OXI_WORK/linux-run"
linux_face() { shot linux && client_origin "$OXI_WORK/linux.png" >/dev/null; }
oxi_until 25 linux_face || oxi_fail "the Qt window's face is not drawn"
wine_ox=$ox wine_oy=$oy
read -r ox oy < <(client_origin "$OXI_WORK/linux.png")
point $((cx + 14)) $((cy + 12))
xdotool click 1
linux_released() { shot linux && (($(day_frame_count "$OXI_WORK/linux.png" "$day" 00FF00) > 20)); }
oxi_until 25 linux_released || oxi_fail "the Qt window's day is not framed in green"
total=$(oxi_compare_regions "$OXI_WORK/released.png" "$wine_ox" "$wine_oy" "$OXI_WORK/linux.png" \
  "$ox" "$oy" "598x273+81+66" "598x273+81+376" "461x17+218+680" "17x174+985+358" \
  "28x2+$cx+$cy" "28x2+$cx+$((cy + 22))")
((total == 0)) || oxi_fail "the Windows and Qt windows differ outside text in $total pixels"

# The Qt analysis window of the same record: the same pixels outside text.
oxi_open_analysis $((ox + 400)) $((oy + 300))
read -r lax lay < <(oxi_wait_analysis "$OXI_WORK/linux_analysis.png") ||
  oxi_fail "the Qt analysis window is not drawn"
cp "$OXI_WORK/linux_analysis.png" "${OXI_SCREENSHOT_OUT:-$OXI_BINARY_DIR/oxiview_linux_analysis.png}"
total=$(oxi_compare_regions "$OXI_WORK/analysis.png" "$wax" "$way" \
  "$OXI_WORK/linux_analysis.png" "$lax" "$lay" "${OXI_ANALYSIS_DRAWN[@]}")
echo "analysis window: $total pixels differ outside text between the Windows and the Qt window"
((total == 0)) || oxi_fail "the Windows and Qt analysis windows differ outside text"
echo "oxiview.exe window checks passed"

#!/usr/bin/env bash
# oxiview.exe under Wine with the trend window: opened from the window menu over a store of
# records in this and the last months, the choice of figure pressed, a point pressed,
# which shows its record in the main window (the calendar turns to its month). With
# OXI_LINUX_BINARY_DIR naming a Linux build, the Qt window does the same over the same
# store and the two trend windows are compared outside text.
set -euo pipefail
source "$(cd "$(dirname "$0")" && pwd)/lib/window_session.sh"

new_store
oxi_write_records "$run" TESTDEV00001 "$year" "$month" "$day" 1 100
# Five records on a day of last month, of 120 to 240 samples: the most samples stand highest.
read -r py pm < <(date -d "$(date +%Y-%m-15) -1 month" +'%Y %-m')
oxi_write_records "$run" TESTDEV00001 "$py" "$pm" 12 5
oxi_write_records "$run" TESTDEV00001 "$py" "$pm" 3 2

# The trend window's client origin: its plot's frame, the only thing drawn in its colour,
# has its top left at client (299, 43).
trend_origin() {
  local box
  box=$(convert "$1" -fill black +opaque "#604890" -format "%@" info: 2>/dev/null)
  [[ $box =~ ^([0-9]+)x[0-9]+\+([0-9]+)\+([0-9]+)$ ]] && ((BASH_REMATCH[1] > 500)) || return 1
  echo "$((BASH_REMATCH[2] - 299)) $((BASH_REMATCH[3] - 43))"
}
# The first pixel of a record's point, row by row from the top, in screen coordinates: the
# topmost row holding the points' colour, then the first such pixel in that row.
top_point() {
  local box row
  box=$(convert "$1" -fill black +opaque "#466EC8" -format "%@" info: 2>/dev/null)
  [[ $box =~ ^[1-9][0-9]*x[0-9]+\+[0-9]+\+([0-9]+)$ ]] || return 1
  row=${BASH_REMATCH[1]}
  box=$(convert "$1" -crop "x1+0+$row" +repage -fill black +opaque "#466EC8" -format "%@" info:)
  [[ $box =~ ^[1-9][0-9]*x[0-9]+\+([0-9]+)\+[0-9]+$ ]] || return 1
  echo "${BASH_REMATCH[1]} $row"
}

session() {
  "$1" "$run"
  press_today
  side_shot before
  xdotool mousemove $((ox + 400)) $((oy + 300))
  sleep 0.3
  xdotool click 3
  sleep 0.5
  xdotool key Down Down Down Return
  trend_drawn() { side_shot trend && trend_origin "$OXI_WORK/$side-trend.png" >/dev/null &&
    top_point "$OXI_WORK/$side-trend.png" >/dev/null; }
  oxi_until 50 trend_drawn || oxi_fail "$side: no trend window with points"
  read -r tx ty < <(trend_origin "$OXI_WORK/$side-trend.png")
  # The valid samples, the second choice.
  xdotool mousemove $((tx + 60)) $((ty + 44 + 22 + 10))
  sleep 0.3
  xdotool click 1
  # The chosen figure's row framed in the buttons' outline colour, the points drawn anew.
  figure_chosen() {
    side_shot trend && top_point "$OXI_WORK/$side-trend.png" >/dev/null &&
      [[ $(oxi_pixel "$OXI_WORK/$side-trend.png" $((tx + 12)) $((ty + 66))) == 128,192,255 ]]
  }
  oxi_until 25 figure_chosen || oxi_fail "$side: the second figure is not chosen"
  cp "$OXI_WORK/$side-trend.png" "${OXI_SCREENSHOT_OUT:-$OXI_BINARY_DIR}/oxiview_${side}_trend.png"
  read -r px py < <(top_point "$OXI_WORK/$side-trend.png")
  xdotool mousemove "$px" "$py"
  sleep 0.3
  xdotool click 1
  ringed() {
    side_shot chosen &&
      (($(oxi_count_colour "$OXI_WORK/$side-chosen.png" 880 560 "$tx" "$ty" FF8000) > 0))
  }
  oxi_until 25 ringed || oxi_fail "$side: the pressed point is not marked"
  xdotool key Escape
  trend_gone() { ! visible_named '^推移 - '; }
  oxi_until 25 trend_gone || oxi_fail "$side: Esc left the trend window"
  sleep 0.5
  side_shot shown
  # The record of most samples is last month's: the calendar has turned to it.
  changed=$(oxi_diff_pixels "$OXI_WORK/$side-before.png" "$OXI_WORK/$side-shown.png" 230 60 \
    $((ox + 755)) $((oy + 60)))
  ((changed > 0)) || oxi_fail "$side: the main window did not turn to the pressed record's month"
  eval "${side}_tx=$tx ${side}_ty=$ty"
  end_view
}
play_both session

has_linux_view || { echo "oxiview.exe trend window checks passed"; exit 0; }
total=$(oxi_compare_regions "$OXI_WORK/wine-trend.png" "$wine_tx" "$wine_ty" \
  "$OXI_WORK/qt-trend.png" "$qt_tx" "$qt_ty" "568x458+299+43" "32x24+12+8" "32x24+48+8" \
  "200x1+12+66" "200x1+12+87")
((total == 0)) || oxi_fail "the Windows and Qt trend windows differ outside text in $total pixels"
echo "oxiview.exe trend window checks passed, the same pixels as the Qt window outside text"

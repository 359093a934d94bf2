#!/usr/bin/env bash
# oxiview.exe under Wine over a store of two devices: the ID chooser comes up before the
# window, centred on the screen and on OK; Tab, the list opened, the second ID taken and
# Enter make the second device the one shown. With OXI_LINUX_BINARY_DIR naming a Linux
# build, the Qt window does the same over the same store; the calendars are compared
# outside text, and the choosers' centres.
set -euo pipefail
source "$(cd "$(dirname "$0")" && pwd)/lib/window_session.sh"

new_store
first=$((day == 1 ? 2 : 1))
# The first device (listed first) has records on another day than the second.
oxi_write_records "$run" AAAADEVICE01 "$year" "$month" "$first" 1 120
oxi_write_records "$run" BBBBDEVICE02 "$year" "$month" "$day" 1 120
chooser() { window_named 'IDの選択'; }
chooser_up() { chooser >/dev/null; }

session() {
  OXI_NO_FACE_WAIT=1 "$1" "$run"
  oxi_until 150 chooser_up || oxi_fail "$side: no ID chooser"
  sleep 0.5
  read -r x y < <(window_centre "$(chooser)")
  echo "$side: the chooser's centre ($x, $y)"
  # Shown before the window, it has no owner: the screen is its place.
  centred_at "$x" "$y" 640 512 || oxi_fail "$side: the chooser is not centred on the screen"
  # From OK, Tab reaches the list; the second ID is taken as the list closes up.
  xdotool key Tab
  sleep 0.3
  xdotool key alt+Down
  sleep 0.5
  xdotool key Down
  sleep 0.3
  xdotool key Return
  sleep 0.5
  xdotool key Return
  wait_face
  chosen() { shot chosen && (($(day_frame_count "$OXI_WORK/chosen.png" "$day" FF00FF) > 20)); }
  oxi_until 25 chosen || oxi_fail "$side: the second device's day is not framed"
  (($(day_frame_count "$OXI_WORK/chosen.png" "$first" FF00FF) == 0)) ||
    oxi_fail "$side: the first device's day is framed"
  side_shot chosen
  end_view
}
play_both session

has_linux_view || { echo "oxiview.exe chooser checks passed"; exit 0; }
read -r fx fy < <(oxi_day_cell "$year" "$month" "$first")
compare_shots chosen "28x2+$cx+$cy" "28x2+$cx+$((cy + 22))" "28x2+$fx+$fy" "28x2+$fx+$((fy + 22))"
((differing == 0)) || oxi_fail "the Windows and Qt windows differ outside text in $differing pixels"
echo "oxiview.exe chooser checks passed, the same calendar frames as the Qt window"

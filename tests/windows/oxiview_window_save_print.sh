#!/usr/bin/env bash
# oxiview.exe under Wine: Save and Print through their dialogs once a day is pressed. Save
# writes the CSV file whose path is typed into the system's save dialog; Print opens the
# print dialog, and Esc there leaves the window as it was. With OXI_LINUX_BINARY_DIR naming
# a Linux build, the Qt window does the same over the same store: both CSV files must be
# the same bytes.
set -euo pipefail
source "$(cd "$(dirname "$0")" && pwd)/lib/window_session.sh"

new_store
oxi_write_records "$run" TESTDEV00001 "$year" "$month" "$day" 1 300

# A visible window other than the main one: a dialog of the program or of the system.
dialog_window() {
  local w
  for w in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
    [[ $(xdotool getwindowname "$w") =~ ^OxiView ]] || { echo "$w"; return 0; }
  done
  return 1
}
dialog_up() { dialog_window >/dev/null; }
dialog_gone() { ! dialog_up; }

session() {
  "$1" "$run"
  press_today
  local csv="$OXI_WORK/$side.csv" target
  target=$csv
  [[ $side == wine ]] && target=$(windows_path "$csv")
  point 948 33
  xdotool click 1
  oxi_until 50 dialog_up || oxi_fail "$side: Save opened no dialog"
  sleep 1
  echo "$side: Save's dialog is '$(xdotool getwindowname "$(dialog_window)")'"
  xdotool key ctrl+a
  xdotool type --delay 20 "$target"
  xdotool key Return
  oxi_until 50 dialog_gone || oxi_fail "$side: Save's dialog stays"
  written() { [[ -s "$csv" ]]; }
  oxi_until 25 written || oxi_fail "$side: Save wrote no $csv"
  point 870 33
  xdotool click 1
  oxi_until 50 dialog_up || oxi_fail "$side: Print opened no dialog"
  sleep 1
  echo "$side: Print's dialog is '$(xdotool getwindowname "$(dialog_window)")'"
  xdotool key Escape
  oxi_until 50 dialog_gone || oxi_fail "$side: Esc left Print's dialog up"
  kill -0 "$OXI_VIEW_PID" || oxi_fail "$side: the program ended"
  end_view
}
play_both session

has_linux_view || { echo "oxiview.exe Save and Print checks passed"; exit 0; }
cmp "$OXI_WORK/wine.csv" "$OXI_WORK/qt.csv" ||
  oxi_fail "the Windows and the Qt window saved different CSV files"
echo "oxiview.exe Save and Print checks passed, the same CSV file as the Qt window's"

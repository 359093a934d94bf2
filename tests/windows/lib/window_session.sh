# Helpers of the Windows window checks: oxiview.exe under Wine on a virtual screen, and the
# Qt window of a Linux build (OXI_LINUX_BINARY_DIR) over the same store on the same screen,
# the two compared outside text. Sourced after tests/qt/xvfb_session.sh's set-up names.
here_lib=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here_lib/../../qt/xvfb_session.sh"
emulator=${OXI_EMULATOR:-wine}
view_exe="$OXI_BINARY_DIR/src/win32/oxiview.exe"
tool_exe="$OXI_BINARY_DIR/src/cli/oxitool.exe"
[[ -f "$view_exe" && -f "$tool_exe" ]] || { echo "FAIL: the Windows programs are not built" >&2; exit 1; }

# A Unix path as the Windows programs see it (Wine's drive Z: is the root).
windows_path() { local p=${1//\//\\}; echo "Z:$p"; }

# The screen position of a window's client area: the graph control's frame, the top left
# of everything drawn in the frame colour, stands at client (20, 15).
client_origin() {
  local box
  box=$(convert "$1" -fill black +opaque "#716F64" -format "%@" info: 2>/dev/null)
  # Nothing in that colour yet: no box as wide as the graph's frame.
  [[ $box =~ ^([0-9]+)x[0-9]+\+([0-9]+)\+([0-9]+)$ ]] && ((BASH_REMATCH[1] >= 720)) || return 1
  BASH_REMATCH=("${BASH_REMATCH[0]}" "${BASH_REMATCH[2]}" "${BASH_REMATCH[3]}")
  echo "$((BASH_REMATCH[1] - 20)) $((BASH_REMATCH[2] - 15))"
}

# Pointer at a client point of the window under test (origin ox, oy), with the time the
# window system needs to see the move before a button.
point() {
  xdotool mousemove $((ox + $1)) $((oy + $2))
  sleep 0.3
}
pixel() { oxi_pixel "$1" $((ox + $2)) $((oy + $3)); }
day_frame_count() {  # day_frame_count SHOT DAY HEX: pixels of that colour on the day's cell
  local cx cy
  read -r cx cy < <(oxi_day_cell "$year" "$month" "$2")
  oxi_count_colour "$1" 28 24 $((ox + cx)) $((oy + cy)) "$3"
}
shot() { oxi_shot "$OXI_WORK/$1.png"; }
visible_named() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
has_linux_view() { [[ -n "${OXI_LINUX_BINARY_DIR:-}" && -x "$OXI_LINUX_BINARY_DIR/src/qt/oxiview" ]]; }

face_drawn() { shot face && client_origin "$OXI_WORK/face.png" >/dev/null; }

# start_wine_view RUN [VAR=VALUE...]: oxiview.exe on the store below RUN, started from the
# work folder, with the environment given; waits for its face and sets ox, oy and
# OXI_VIEW_PID. With OXI_NO_FACE_WAIT=1 it returns once the process runs (a chooser first).
start_wine_view() {
  local run=$1
  shift
  (cd "$OXI_WORK" && exec env "$@" "$emulator" "$view_exe" --root "$(windows_path "$run")") \
    >"$OXI_WORK/oxiview.log" 2>&1 &
  OXI_VIEW_PID=$!
  oxi_pids+=("$OXI_VIEW_PID")
  [[ "${OXI_NO_FACE_WAIT:-}" == 1 ]] && return 0
  wait_face
}

# start_qt_view RUN: the Qt window of the Linux build on the store below RUN; as above.
start_qt_view() {
  OXIVIEW="$OXI_LINUX_BINARY_DIR/src/qt/oxiview"
  (cd "$1" && exec "$OXIVIEW") >"$OXI_WORK/oxiview.log" 2>&1 &
  OXI_VIEW_PID=$!
  oxi_pids+=("$OXI_VIEW_PID")
  [[ "${OXI_NO_FACE_WAIT:-}" == 1 ]] && return 0
  wait_face
}

wait_face() {
  oxi_until 150 face_drawn || oxi_fail "the face is not drawn"
  read -r ox oy < <(client_origin "$OXI_WORK/face.png")
}

# Esc ends the window under test normally.
end_view() {
  xdotool key Escape
  ended() { ! kill -0 "$OXI_VIEW_PID" 2>/dev/null; }
  oxi_until 50 ended || oxi_fail "the window still runs after Esc"
  local status=0
  wait "$OXI_VIEW_PID" || status=$?
  ((status == 0)) || oxi_fail "the window exited with $status"
}

# compare_shots STEP REGION...: the Windows shot wine-STEP.png at the origin wine_ox,
# wine_oy against the Qt shot qt-STEP.png at qt_ox, qt_oy, over client regions WxH+X+Y;
# prints each count and adds the differing pixels to `differing`.
differing=0
compare_shots() {
  local step=$1 region n w h x y
  shift
  for region in "$@"; do
    [[ $region =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || oxi_fail "region $region"
    w=${BASH_REMATCH[1]} h=${BASH_REMATCH[2]} x=${BASH_REMATCH[3]} y=${BASH_REMATCH[4]}
    convert "$OXI_WORK/wine-$step.png" -crop "${w}x${h}+$((wine_ox + x))+$((wine_oy + y))" \
      +repage "$OXI_WORK/a.png"
    convert "$OXI_WORK/qt-$step.png" -crop "${w}x${h}+$((qt_ox + x))+$((qt_oy + y))" +repage \
      "$OXI_WORK/b.png"
    n=$(compare -metric AE "$OXI_WORK/a.png" "$OXI_WORK/b.png" null: 2>&1 || true)
    echo "$step, client ${w}x${h}+$x+$y: $n pixels differ between the Windows and the Qt window"
    differing=$((differing + n))
  done
}

# play SESSION: runs `session` (the script's steps, taking shots named SIDE-STEP) for the
# Windows window and, when a Linux build is named, for the Qt one; records the origins.
play_both() {
  side=wine
  "$@" start_wine_view
  wine_ox=$ox wine_oy=$oy
  if ! has_linux_view; then
    echo "(no Linux build named to compare with)"
    return 0
  fi
  side=qt
  "$@" start_qt_view
  qt_ox=$ox qt_oy=$oy
}
side_shot() { shot "$side-$1"; }

# The centre of a window on the screen, "X Y".
window_centre() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  echo "$((X + WIDTH / 2)) $((Y + HEIGHT / 2))"
}

# The visible window of the process under test whose name is exactly NAME.
window_named() {
  local w
  for w in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
    [[ $(xdotool getwindowname "$w") == "$1" ]] && { echo "$w"; return 0; }
  done
  return 1
}

# A virtual screen and an empty store folder `run`; today's date in year, month and day,
# today's calendar cell in cx, cy.
new_store() {
  oxi_start_display
  run="$OXI_WORK/run"
  mkdir -p "$run"
  read -r year month day < <(date +'%Y %-m %-d')
  read -r cx cy < <(oxi_day_cell "$year" "$month" "$day")
}

# Today's cell clicked in the window under test, until its frame shows it chosen.
press_today() {
  point $((cx + 14)) $((cy + 12))
  xdotool click 1
  today_chosen() { shot pressed && (($(day_frame_count "$OXI_WORK/pressed.png" "$day" 00FF00) > 20)); }
  oxi_until 25 today_chosen || oxi_fail "$side: the pressed day is not framed in green"
}

# centred_at X Y CX CY: whether a window centred at (X, Y) stands centred at (CX, CY) as the
# side's toolkit centres: Wine exactly (it draws the frames itself), Qt 10 pixels left and
# 40 up, the frame it allows for when no window manager tells it one.
centred_at() {
  local dx=0 dy=0
  [[ $side == qt ]] && dx=10 dy=40
  local ex=$(($3 - dx - $1)) ey=$(($4 - dy - $2))
  ((ex <= 2 && -ex <= 2 && ey <= 2 && -ey <= 2))
}

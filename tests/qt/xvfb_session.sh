# Helpers for running oxiview on a virtual X display; sourced by the window checks and
# the held-arrow measurement. Everything started here is stopped by oxi_cleanup.
# Needs: Xvfb, xdotool, ImageMagick, python3.

OXI_BINARY_DIR=${OXI_BINARY_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/build}
OXIVIEW="$OXI_BINARY_DIR/src/qt/oxiview"
oxi_pids=()

# A build without the Qt host has no window to check: say so and stop. With the host
# configured, a missing oxiview is a failure like any other.
oxi_require_view() {
  if grep -q '^OXI_BUILD_QT:BOOL=OFF' "$OXI_BINARY_DIR/CMakeCache.txt" 2>/dev/null; then
    echo "skipped: this build has no Qt host"
    exit 0
  fi
  [[ -x "$OXIVIEW" ]] || { echo "FAIL: $OXIVIEW is not built" >&2; exit 1; }
}

# oxi_fail MESSAGE: reports a failed window check with oxiview's output, and exits.
oxi_fail() {
  echo "FAIL: $*" >&2
  [[ -f "${OXI_WORK:-}/oxiview.log" ]] && cat "$OXI_WORK/oxiview.log" >&2
  exit 1
}

oxi_cleanup() {
  local pid
  for pid in "${oxi_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${oxi_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  [[ -n "${OXI_WORK:-}" && -d "$OXI_WORK" ]] && rm -rf "$OXI_WORK"
}

# Creates the work folder and a virtual screen on a free display; exports DISPLAY.
oxi_start_display() {
  OXI_WORK=$(mktemp -d)
  trap oxi_cleanup EXIT
  local fifo="$OXI_WORK/display"
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >"$OXI_WORK/xvfb.log" 2>&1 &
  oxi_pids+=($!)
  local number
  read -r -t 20 number <"$fifo" || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$number"
  # Keeps the pointer off the window until a check moves it there.
  xdotool mousemove 1270 1010
}

# oxi_write_records ROOT DEVICE_ID YEAR MONTH DAY COUNT [SAMPLES]: COUNT record files of
# DEVICE_ID started on that day one minute apart from 08:00, in the store below ROOT, of
# SAMPLES samples each (default 120 to 240).
oxi_write_records() {
  python3 - "$@" <<'PY'
import math, os, struct, sys
root, device = sys.argv[1], sys.argv[2]
year, month, day, count = map(int, sys.argv[3:7])
fixed = int(sys.argv[7]) if len(sys.argv) > 7 else 0
folder = os.path.join(root, "Application Data", "StO2", "OXI" + device)
os.makedirs(os.path.join(folder, "Comment"), exist_ok=True)
for i in range(count):
    hour, minute = 8 + i // 60, i % 60
    samples = fixed or 120 + 30 * (i % 5)
    head = device.encode("ascii") + bytes([year % 100, month, day, hour, minute, 0, 0, 0, 46, 10])
    head += struct.pack("<H", 655) + bytes([0, 170, 3]) + struct.pack("<H", samples & 0xFFFF)
    body = b"".join(
        struct.pack("<hBBB", 650 + int(150 * math.sin(s / 15.0)), 80 + (s % 60),
                    100 + int(20 * math.sin(s / 10.0)), 60 + int(20 * math.cos(s / 10.0)))
        for s in range(samples))
    name = "%02d%02d%02d%02d%02d.oxi" % (year % 100, month, day, hour, minute)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(head + body)
PY
}

# oxi_visible_window SEARCH...: the first visible window `xdotool search` finds with those
# arguments, or nothing. A window that goes away while xdotool looks at it ends xdotool
# with an X error (Wine makes and drops helper windows as it starts), so that counts as
# not found yet rather than as a failure.
oxi_visible_window() { { xdotool search --onlyvisible "$@" 2>/dev/null || true; } | head -n 1; }

# oxi_wait_window SECONDS SEARCH...: as above, asked again until found or SECONDS pass.
oxi_wait_window() {
  local until=$((SECONDS + $1)) w
  shift
  while ((SECONDS < until)); do
    w=$(oxi_visible_window "$@")
    [[ -n "$w" ]] && { echo "$w"; return 0; }
    sleep 0.2
  done
  return 1
}

# Starts oxiview in folder $1, with the arguments that follow, and waits for its window;
# sets OXI_VIEW_PID and OXI_WINDOW.
oxi_start_view() {
  (cd "$1" && exec "$OXIVIEW" "${@:2}") >"$OXI_WORK/oxiview.log" 2>&1 &
  OXI_VIEW_PID=$!
  oxi_pids+=("$OXI_VIEW_PID")
  OXI_WINDOW=$(oxi_wait_window 20 --pid "$OXI_VIEW_PID" --name '^OxiView') || true
  [[ -n "$OXI_WINDOW" ]] || { echo "no oxiview window" >&2; return 1; }
  # The first expose paints the face after the window maps.
  sleep 1
}

# oxi_shot FILE: the whole screen as PNG.
oxi_shot() { import -window root "$1"; }

# oxi_pixel FILE X Y: "R,G,B" of one pixel.
oxi_pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# oxi_count_colour FILE W H X Y HEX: pixels of colour HEX (e.g. FF00FF) in the rectangle.
oxi_count_colour() {
  convert "$1" -crop "$2x$3+$4+$5" +repage -depth 8 txt:- | grep -ci "#$6 " || true
}

# Sunday-first column of day 1 of a month, and the calendar cell rectangle of a day:
# prints "X Y" of the cell's outer frame corner in window coordinates.
oxi_day_cell() {
  local year=$1 month=$2 day=$3
  local first
  first=$(date -d "$year-$month-01" +%w)
  local index=$((first + day - 1))
  echo "$((755 + 32 * (index % 7) + 14)) $((60 + 32 * (index / 7) + 88))"
}

# oxi_open_analysis X Y: the window menu opened with the right button at that screen
# point, its second item (the analysis) chosen with the keys.
oxi_open_analysis() {
  xdotool mousemove "$1" "$2"
  sleep 0.3
  xdotool click 3
  sleep 0.5
  xdotool key Down Down Return
}

# oxi_analysis_origin FILE: "X Y" of the analysis window's client area on the screen: its
# chart's frame, the only thing drawn in that colour, has its top left at client (56, 52).
oxi_analysis_origin() {
  local box
  box=$(convert "$1" -fill black +opaque "#486090" -format "%@" info:)
  [[ $box =~ \+([0-9]+)\+([0-9]+)$ ]] || return 1
  echo "$((BASH_REMATCH[1] - 56)) $((BASH_REMATCH[2] - 52))"
}

# oxi_wait_analysis FILE: waits until the analysis window's chart is on the screen (FILE
# the screenshot that shows it) and prints its client origin as oxi_analysis_origin does.
oxi_wait_analysis() {
  local tries
  for tries in $(seq 50); do
    oxi_shot "$1"
    oxi_analysis_origin "$1" && return 0
    sleep 0.2
  done
  return 1
}

# oxi_copy_analysis X Y: presses the copy button of the analysis window whose client area
# stands at (X, Y) and waits for the episode table's heading on the clipboard.
oxi_copy_analysis() {
  xdotool mousemove $(($1 + 886)) $(($2 + 23))
  sleep 0.3
  xdotool click 1
  oxi_until 25 oxi_clipboard_has_table
}
oxi_clipboard_has_table() {
  xclip -o -selection clipboard 2>/dev/null | head -n 1 | grep -q $'^episode\tpeak_s\t'
}

# Client rectangles (WxH+X+Y) of the analysis window where nothing but our own drawing
# lies: the chart, the time ticks, the legend's signs, the copy button's edges above and
# below its caption, the table's rule, the page buttons.
OXI_ANALYSIS_DRAWN=("889x203+56+52" "889x5+56+255" "14x12+56+283" "9x9+340+284" "9x9+440+285"
  "124x8+824+7" "124x8+824+31" "929x1+12+454" "68x24+12+642")

# oxi_compare_regions A AX AY B BX BY REGION...: how many pixels differ between two
# screenshots in the given client rectangles of a window whose client area stands at
# (AX, AY) in A and (BX, BY) in B; one line per rectangle on stdout, the total last.
oxi_compare_regions() {
  local a=$1 ax=$2 ay=$3 b=$4 bx=$5 by=$6 total=0 region n w h x y
  shift 6
  for region in "$@"; do
    [[ $region =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]]
    w=${BASH_REMATCH[1]} h=${BASH_REMATCH[2]} x=${BASH_REMATCH[3]} y=${BASH_REMATCH[4]}
    convert "$a" -crop "${w}x${h}+$((ax + x))+$((ay + y))" +repage "$OXI_WORK/region_a.png"
    convert "$b" -crop "${w}x${h}+$((bx + x))+$((by + y))" +repage "$OXI_WORK/region_b.png"
    n=$(compare -metric AE "$OXI_WORK/region_a.png" "$OXI_WORK/region_b.png" null: 2>&1 || true)
    echo "client $region: $n pixels differ" >&2
    total=$((total + n))
  done
  echo "$total"
}

# oxi_cpu_ticks PID: user + system time of a process so far, in clock ticks.
oxi_cpu_ticks() {
  awk '{ print $14 + $15 }' "/proc/$1/stat"
}

# oxi_diff_pixels FILE1 FILE2 W H X Y: how many pixels of the rectangle differ.
oxi_diff_pixels() {
  local a="$OXI_WORK/diff_a.png" b="$OXI_WORK/diff_b.png"
  convert "$1" -crop "$3x$4+$5+$6" +repage "$a"
  convert "$2" -crop "$3x$4+$5+$6" +repage "$b"
  compare -metric AE "$a" "$b" null: 2>&1 || true
}

# oxi_until TRIES COMMAND...: runs COMMAND every 0.2 s until it succeeds; fails after TRIES.
oxi_until() {
  local tries=$1
  shift
  for _ in $(seq "$tries"); do
    "$@" && return 0
    sleep 0.2
  done
  return 1
}

#!/usr/bin/env bash
# CPU time of oxiview while the day list's down arrow is held, and while the graph's
# scroll thumb is held still, under Xvfb.
# Usage: bench/held_arrow_cpu.sh [RUNS] [HOLD_SECONDS]   (OXI_BINARY_DIR: the build folder)
# The day shown has 300 records, so the list is still scrolling when the hold ends.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../tests/qt/xvfb_session.sh"
runs=${1:-5}
hold=${2:-5}
# Middle of the list's down arrow, in window coordinates (the window sits at 0,0).
arrow_x=993
arrow_y=523
# A point on the graph bar's thumb, which fills the track for these short records.
thumb_x=440
thumb_y=688

oxi_require_view
oxi_start_display
run="$OXI_WORK/run"
mkdir -p "$run"
read -r year month day < <(date +'%Y %-m %-d')
oxi_write_records "$run" BENCHDEV0001 "$year" "$month" "$day" 300
oxi_start_view "$run"
read -r cx cy < <(oxi_day_cell "$year" "$month" "$day")
tick_ms=$((1000 / $(getconf CLK_TCK)))

measure() {  # prints "cpu_ms wall_ms" of oxiview over the next $hold seconds
  local t0 c0 c1 t1
  t0=$(date +%s%N)
  c0=$(oxi_cpu_ticks "$OXI_VIEW_PID")
  "$@"
  c1=$(oxi_cpu_ticks "$OXI_VIEW_PID")
  t1=$(date +%s%N)
  echo "$(((c1 - c0) * tick_ms)) $(((t1 - t0) / 1000000))"
}
hold_arrow() {
  xdotool mousedown 1
  sleep "$hold"
  xdotool mouseup 1
}

echo "idle: $(measure sleep "$hold") (cpu_ms wall_ms)"
results=()
for i in $(seq "$runs"); do
  # A press on the day lists its records from the top again.
  xdotool mousemove $((cx + 14)) $((cy + 12)) click 1
  sleep 1
  xdotool mousemove "$arrow_x" "$arrow_y"
  sleep 0.3
  read -r cpu wall < <(measure hold_arrow)
  echo "run $i: cpu ${cpu} ms over ${wall} ms = $((100 * cpu / wall))%"
  results+=("$cpu")
done
[[ -n "${OXI_BENCH_SHOT:-}" ]] && oxi_shot "$OXI_BENCH_SHOT"
sorted=$(printf '%s\n' "${results[@]}" | sort -n)
echo "cpu ms while held: median $(echo "$sorted" | sed -n "$(((runs + 1) / 2))p")," \
  "min $(echo "$sorted" | head -n 1), max $(echo "$sorted" | tail -n 1)"

# Holding the thumb without moving: the drag loop pumps, but nothing needs drawing.
xdotool mousemove "$thumb_x" "$thumb_y"
sleep 0.3
read -r cpu wall < <(measure hold_arrow)
echo "graph thumb held still: cpu ${cpu} ms over ${wall} ms = $((100 * cpu / wall))%"

#!/usr/bin/env bash
# Kills `oxitool download` with SIGKILL at KILLS moments spread evenly over a download of
# the demo monitor (MEASUREMENTS measurements) and follows each kill with a complete run.
# Checks after every kill: each record file in the store is byte-identical to the
# reference download's file of that name (no half-written record under a record's name),
# and the monitor is erased only when every record is. After every complete run: exactly
# the reference's record files, byte for byte, no temporary file, the monitor erased. A raw
# image exists for every erase that happened (a monitor found erased after a kill must have
# left one, and so must the complete run that erased it), and recovering the store's raw
# images into an empty store gives the reference's record files, byte for byte.
# The temporary files a kill leaves are aged by two hours before the complete run, as the
# download removes only those nobody has written for an hour (another download may be at
# work). Prints a line per moment and a summary; exit status 1 if any check failed.
#   scripts/crash-consistency.sh [KILLS [MEASUREMENTS]]    (default 30 and 6)
# BUILD_DIR names the build (default: build).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kills=${1:-30}
measurements=${2:-6}
tool=${BUILD_DIR:-$root/build}/src/cli/oxitool
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
now_ms() {
  date +%s%3N
}
erased() {  # IMAGE: the data table's first entry is the end mark
  python3 -c 'import sys; b = open(sys.argv[1], "rb").read(); sys.exit(b[128:130] != b"\xff\xff")' "$1"
}
device_folder() {
  echo "$1/Application Data/StO2/OXIDEMO00000001"
}
# Every record of STORE equals the reference's file of its name; with "all", the store
# holds all of them and nothing else. Leaves the count of records in $count.
check_records() {  # STORE all|some LABEL
  local folder name
  count=0
  folder=$(device_folder "$1")
  for file in "$folder"/*.oxi; do
    [ -e "$file" ] || continue
    name=$(basename "$file")
    count=$((count + 1))
    cmp -s "$file" "$reference/$name" || fail "$3: $name differs from the reference"
  done
  if [ "$2" = all ] && [ "$count" -ne "$expected" ]; then
    fail "$3: $count record files instead of $expected"
  fi
}
temporaries() {
  find "$1" -name '.tmp-*' | wc -l
}
raw_images() {  # STORE
  find "$(device_folder "$1")/Raw" -name '*.img' 2>/dev/null | wc -l
}
# The store's raw images recovered into an empty store: the reference's records.
check_recovery() {  # STORE LABEL
  local fresh=$work/recovered
  rm -rf "$fresh"
  mkdir -p "$fresh"
  find "$(device_folder "$1")/Raw" -name '*.img' -print0 |
    xargs -0 "$tool" recover --root "$fresh" >/dev/null 2>&1 || fail "$2: recovery failed"
  check_records "$fresh" all "$2, recovered"
}

"$tool" demo-monitor -o "$work/demo.img" --measurements "$measurements" || exit 1

# The reference: a download that nothing disturbs, and how long it takes.
mkdir -p "$work/ref/store"
cp "$work/demo.img" "$work/ref/monitor.img"
start=$(now_ms)
OXI_SIMULATED_MONITOR=$work/ref/monitor.img "$tool" download --root "$work/ref/store" \
  >/dev/null 2>&1 || fail "the reference download failed"
duration=$(($(now_ms) - start))
reference=$(device_folder "$work/ref/store")
expected=$(find "$reference" -name '*.oxi' | wc -l)
echo "reference download: $expected records in $duration ms"
printf '%-6s %-9s %-22s %-12s %-7s %-11s %s\n' kill at_ms "records after the kill" temporaries \
  erased "raw images" "after the complete run"

for ((k = 1; k <= kills; ++k)); do
  at=$((duration * k / (kills + 1)))
  run=$work/run$k
  mkdir -p "$run/store"
  cp "$work/demo.img" "$run/monitor.img"
  OXI_SIMULATED_MONITOR=$run/monitor.img "$tool" download --root "$run/store" >/dev/null 2>&1 &
  pid=$!
  sleep "$(printf '%d.%03d' $((at / 1000)) $((at % 1000)))"
  kill -KILL "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  before=$failures
  check_records "$run/store" some "kill $k"
  kept=$count
  left=$(temporaries "$run/store")
  wiped=no
  if erased "$run/monitor.img"; then
    wiped=yes
    [ "$kept" -eq "$expected" ] || fail "kill $k: erased with $kept of $expected records stored"
    [ "$(raw_images "$run/store")" -ge 1 ] || fail "kill $k: erased without a raw image"
  fi
  images_after_kill=$(raw_images "$run/store")
  find "$run/store" -name '.tmp-*' -exec touch -d '-2 hours' {} +
  OXI_SIMULATED_MONITOR=$run/monitor.img "$tool" download --root "$run/store" >/dev/null 2>&1 ||
    fail "kill $k: the complete run did not end with the monitor read and erased"
  check_records "$run/store" all "run after kill $k"
  [ "$(temporaries "$run/store")" -eq 0 ] || fail "kill $k: temporary files after the complete run"
  erased "$run/monitor.img" || fail "kill $k: not erased after the complete run"
  # The complete run erased the monitor unless the kill's run had, and kept an image of its
  # own then (a kill between an image and its erase leaves one more).
  images=$(raw_images "$run/store")
  needed=$images_after_kill
  [ "$wiped" = yes ] || needed=$((images_after_kill + 1))
  [ "$images" -ge "$needed" ] && [ "$images" -ge 1 ] ||
    fail "kill $k: $images raw images after the complete run, $needed needed"
  check_recovery "$run/store" "kill $k"
  result=ok
  [ "$failures" -eq "$before" ] || result=FAILED
  printf '%-6s %-9s %-22s %-12s %-7s %-11s %s\n' "$k" "$at" "$kept of $expected" "$left" "$wiped" \
    "$images_after_kill/$images" "$result"
  rm -rf "$run"
done

if [ "$failures" -ne 0 ]; then
  echo "crash-consistency: $failures failure(s) in $kills kills"
  exit 1
fi
echo "crash-consistency: all $kills kills passed"

#!/bin/bash
# oxitool.exe under Wine and the Linux build's oxitool on the same monitor and records:
# the download through the driver DLL writes the same record files, info and csv give
# the same bytes, and the rendered graph has the same pixels wherever no text is.
source "$(dirname "$0")/lib/windows_checks.sh"

linux=${OXI_LINUX_TOOL:-}
if [ -z "$linux" ] || [ ! -x "$linux" ]; then
  echo "FAIL: OXI_LINUX_TOOL names no Linux oxitool (configure with -DOXI_LINUX_OXITOOL=...)" >&2
  exit 1
fi

"$linux" demo-monitor -o "$work/monitor.img" --measurements 2 || fail "demo-monitor failed"
cp "$work/monitor.img" "$work/for-windows.img"
mkdir "$work/linux" "$work/windows"
OXI_SIMULATED_MONITOR="$work/monitor.img" "$linux" download --root "$work/linux" \
  >"$work/linux.out" 2>/dev/null || fail "Linux download failed"
download_with_driver "$work/for-windows.img" "$work/windows" ||
  fail "download through the driver DLL failed: $(cat "$work/windows.err")"
cmp -s "$work/linux.out" "$work/windows.out" ||
  fail "records listed differ: $(cat "$work/linux.out") / $(cat "$work/windows.out")"
# The raw images are named and stamped with the time of their download, so only their
# count can match.
diff -r -x Raw "$work/linux" "$work/windows" >/dev/null ||
  fail "stores differ: $(diff -rq -x Raw "$work/linux" "$work/windows")"
for side in linux windows; do
  [ "$(find "$work/$side" -path '*/Raw/*.img' | wc -l)" -eq 1 ] || fail "$side: not one raw image"
done
# Both monitors were erased alike; only their clocks (system sector bytes 22..27), set to
# the time of each download, may differ.
cmp -s <(head -c 22 "$work/monitor.img") <(head -c 22 "$work/for-windows.img") &&
  cmp -s <(tail -c +29 "$work/monitor.img") <(tail -c +29 "$work/for-windows.img") ||
  fail "the monitors were left differently"
[ "$(records "$work/windows.out" | wc -l)" -eq 2 ] ||
  fail "expected two records: $(cat "$work/windows.out")"

store="$work/linux/Application Data/StO2"
while read -r record; do
  file="$store/$record"
  "$linux" info "$file" >"$work/info.linux"
  "$tool" info "$file" >"$work/info.windows" || fail "info $record failed"
  cmp -s "$work/info.linux" "$work/info.windows" || fail "info $record differs"
  "$linux" csv "$file" -o "$work/linux.csv"
  "$tool" csv "$file" -o "$work/windows.csv" || fail "csv $record failed"
  cmp -s "$work/linux.csv" "$work/windows.csv" || fail "csv $record differs"
  "$linux" render "$file" -o "$work/linux.png" --window 5 --offset 30
  "$tool" render "$file" -o "$work/windows.png" --window 5 --offset 30 || fail "render failed"
  python3 "$(dirname "$0")/same_pixels_outside_text.py" "$work/linux.png" "$work/windows.png" ||
    fail "render $record differs outside the texts"
done < <(records "$work/linux.out")

finish "oxitool.exe same as Linux"

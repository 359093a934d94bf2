#!/bin/bash
# oxitool.exe download under Wine: without the converter's driver, with two simulated
# monitors named by Windows paths (which hold ':', so the list is separated by ';'), into a
# store below a folder with a Japanese name, and stopped by Ctrl-C.
source "$(dirname "$0")/lib/windows_checks.sh"

"$tool" demo-monitor -o "$work/a.img" --measurements 1 || fail "demo-monitor a failed"
"$tool" demo-monitor -o "$work/b.img" --measurements 1 --seed 2 || fail "demo-monitor b failed"

# No driver DLL anywhere (Windows also looks in the working folder): the message of a
# missing device, and a line naming the DLL.
mkdir "$work/none"
(cd "$work" && WINEPATH= "$tool" download --root "$work/none" >"$work/none.out" 2>"$work/none.err")
rc=$?
[ "$rc" -eq 1 ] || fail "exit code $rc without a driver"
grep -q "FTD2XX.DLL cannot be loaded" "$work/none.err" || fail "DLL not named: $(cat "$work/none.err")"
grep -q "デバイスが認識できません。" "$work/none.err" || fail "no device message: $(cat "$work/none.err")"
[ -s "$work/none.out" ] && fail "records listed without a driver: $(cat "$work/none.out")"

# Two simulated monitors by their Windows paths.
mkdir "$work/two"
OXI_SIMULATED_MONITOR="$(winpath "$work/a.img");$(winpath "$work/b.img")" \
  "$tool" download --root "$work/two" >"$work/two.out" 2>"$work/two.err" ||
  fail "download of two monitors failed: $(cat "$work/two.err")"
[ "$(records "$work/two.out" | wc -l)" -eq 2 ] ||
  fail "expected a record of each monitor: $(cat "$work/two.out")"
while read -r record; do
  [ -s "$work/two/Application Data/StO2/$record" ] || fail "$record not in the store"
done < <(records "$work/two.out")

# A Japanese folder name reaches the file system as it is, through the driver DLL.
root="$work/測定データ"
mkdir "$root"
"$tool" demo-monitor -o "$work/c.img" --measurements 1 || fail "demo-monitor c failed"
download_with_driver "$work/c.img" "$root" || fail "download into $root failed: $(cat "$root.err")"
record=$(records "$root.out")
[ -s "$root/Application Data/StO2/$record" ] || fail "no record below the Japanese folder: $record"
"$tool" info "$root/Application Data/StO2/$record" >/dev/null || fail "info of $record failed"

# Ctrl-C (Wine hands SIGINT to the console control handler as CTRL_C_EVENT), once the
# device folder is there: stops after the sector being read, exits 130, leaves the monitor
# as it was and no temporary file.
"$tool" demo-monitor -o "$work/ref.img" --measurements 2 || fail "demo-monitor ref failed"
cp "$work/ref.img" "$work/d.img"
mkdir "$work/int"
OXI_SIMULATED_MONITOR="$(winpath "$work/d.img")" \
  "$tool" download --root "$work/int" >"$work/int.out" 2>"$work/int.err" &
pid=$!
for _ in $(seq 300); do
  [ -d "$work/int/Application Data/StO2/OXIDEMO00000001" ] && break
  sleep 0.1
done
kill -INT "$pid"
wait "$pid"
rc=$?
[ "$rc" -eq 130 ] || fail "exit code $rc after Ctrl-C: $(cat "$work/int.err")"
grep -q '転送を中止しました' "$work/int.err" || fail "no cancel message: $(cat "$work/int.err")"
grep -q '^incomplete: DEMO00000001 measurement 2 (sector [0-9]*): 0 of [0-9]* samples read, not read' \
  "$work/int.out" || fail "the measurement not read is not reported: $(cat "$work/int.out")"
cmp -s "$work/ref.img" "$work/d.img" || fail "the monitor's memory changed after Ctrl-C"
[ -z "$(find "$work/int" -name '.tmp-*')" ] || fail "a temporary file stayed after Ctrl-C"

finish "oxitool.exe download"

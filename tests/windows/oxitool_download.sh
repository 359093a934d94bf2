#!/bin/bash
# oxitool.exe download under Wine: without the converter's driver, with two simulated
# monitors named by Windows paths (which hold ':', so the list is separated by ';'), and
# into a store below a folder with a Japanese name.
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
[ "$(wc -l <"$work/two.out")" -eq 2 ] || fail "expected a record of each monitor: $(cat "$work/two.out")"
while read -r record; do
  [ -s "$work/two/Application Data/StO2/$record" ] || fail "$record not in the store"
done <"$work/two.out"

# A Japanese folder name reaches the file system as it is, through the driver DLL.
root="$work/測定データ"
mkdir "$root"
"$tool" demo-monitor -o "$work/c.img" --measurements 1 || fail "demo-monitor c failed"
download_with_driver "$work/c.img" "$root" || fail "download into $root failed: $(cat "$root.err")"
record=$(cat "$root.out")
[ -s "$root/Application Data/StO2/$record" ] || fail "no record below the Japanese folder: $record"
"$tool" info "$root/Application Data/StO2/$record" >/dev/null || fail "info of $record failed"

finish "oxitool.exe download"

#!/bin/bash
# oxitool.exe under Wine, where names follow Windows' rules: two devices whose IDs differ
# only in letter case reach one folder there, so a store export refuses the second device
# rather than writing over the first one's files or mixing its records in; and a name
# Windows keeps for a device is refused as such, not as a full disk.
source "$(dirname "$0")/lib/windows_checks.sh"
lib="$(dirname "$0")/../scripts/lib"

# record PATH DEVICE SAMPLES START
record() {
  PYTHONPATH="$lib" python3 -c "
import oxi_record as r, sys
r.write(sys.argv[1], r.varied($3), 10, start=$4, device=sys.argv[2].encode())" "$1" "$2"
}

# Made on the Linux side, which keeps both folders (a store copied from a system that tells
# case apart); the devices' records of 15 March share a minute.
store="$work/store/Application Data/StO2"
mkdir -p "$store/OXIKXDEVICE0001" "$store/OXIkxdevice0001"
record "$store/OXIKXDEVICE0001/2603150905.oxi" KXDEVICE0001 30 "(26, 3, 15, 9, 5)"
record "$store/OXIKXDEVICE0001/2603160905.oxi" KXDEVICE0001 30 "(26, 3, 16, 9, 5)"
record "$store/OXIkxdevice0001/2603150905.oxi" kxdevice0001 40 "(26, 3, 15, 9, 5)"
record "$store/OXIkxdevice0001/2603170905.oxi" kxdevice0001 40 "(26, 3, 17, 9, 5)"
"$tool" export --format csv --root "$work/store" -d "$work/out" 2>"$work/err"
rc=$?
[ "$rc" -eq 1 ] || fail "exit code $rc for two devices in one folder"
grep -q "OXIkxdevice0001.*not exported" "$work/err" || fail "the second device is not named: $(cat "$work/err")"
found=$(cd "$work/out" && find . -type f | sort | tr '\n' ' ')
[ "$found" = "./OXIKXDEVICE0001/2026_0315_0905.csv ./OXIKXDEVICE0001/2026_0316_0905.csv " ] ||
  fail "store export wrote: $found"
[ "$(wc -l <"$work/out/OXIKXDEVICE0001/2026_0315_0905.csv")" -eq 31 ] ||
  fail "the first device's file was written over"

# Names of devices: the reason, exit 1, nothing made.
mkdir "$work/names"
for name in CON NUL COM1 AUX.csv LPT1.csv; do
  err=$(cd "$work/names" && "$tool" csv "$store/OXIKXDEVICE0001/2603150905.oxi" -o "$name" 2>&1 >/dev/null)
  rc=$?
  [ "$rc" -eq 1 ] || fail "exit code $rc for $name"
  grep -q "$name: is the name of a device" <<<"$err" || fail "no reason for $name: $err"
done
[ -z "$(ls -A "$work/names")" ] || fail "left in the folder: $(ls -A "$work/names")"

finish "oxitool.exe names"

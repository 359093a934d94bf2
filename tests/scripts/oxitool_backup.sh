#!/bin/bash
# oxitool backup: a store mirrored into a folder, then nothing on a second run, a changed
# record copied again, a newer file in the backup kept, a file it cannot copy told with
# exit status 1.
source "$(dirname "$0")/lib/checks.sh"
unset OXI_SIMULATED_MONITOR

"$tool" demo-monitor -o "$work/demo.img" --measurements 3 || fail "demo-monitor failed"
mkdir "$work/home"
OXI_SIMULATED_MONITOR=$work/demo.img "$tool" download --root "$work/home" >/dev/null 2>&1 ||
  fail "download failed"
store="$work/home/Application Data/StO2"
device="$store/OXIDEMO00000001"
# Whatever else the store holds is copied too.
mkdir -p "$device/Raw" && printf 'image' >"$device/Raw/20261209120000.img"
files=$(cd "$store" && find . -type f | wc -l)
record=$(cd "$device" && ls ./*.oxi | head -n 1)
stick="$work/stick"

backup() {  # FOLDER; the exit status in $rc, the outputs in out and err
  "$tool" backup --root "$work/home" --to "$1" >"$work/out" 2>"$work/err"
  rc=$?
}
counts() {  # copied unchanged newer failed
  echo "$1 copied, $2 unchanged, $3 newer in the backup (left as they are), $4 failed"
}
later() {  # SECONDS FILE: the file's time that many seconds from now
  touch -d "@$(($(date +%s) + $1))" "$2"
}

backup "$stick"
[ "$rc" -eq 0 ] || fail "first backup: exit $rc: $(cat "$work/err")"
grep -qxF "$(counts "$files" 0 0 0)" "$work/out" || fail "first backup: $(cat "$work/out")"
diff -r "$store" "$stick" >/dev/null || fail "the backup differs from the store"

backup "$stick"
[ "$rc" -eq 0 ] || fail "second backup: exit $rc"
grep -qxF "nothing to copy: the backup is up to date ($(counts 0 "$files" 0 0))" "$work/out" ||
  fail "second backup: $(cat "$work/out")"

printf 'x' >>"$device/$record" && later 60 "$device/$record"
backup "$stick"
grep -qxF "$(counts 1 $((files - 1)) 0 0)" "$work/out" || fail "changed record: $(cat "$work/out")"
cmp -s "$device/$record" "$stick/OXIDEMO00000001/$record" || fail "changed record not copied"

# A file in the backup newer than the store's is never replaced.
printf 'y' >>"$device/$record" && later 120 "$device/$record"
later 600 "$stick/OXIDEMO00000001/$record"
backup "$stick"
[ "$rc" -eq 0 ] || fail "newer in the backup: exit $rc"
grep -qF "($(counts 0 $((files - 1)) 1 0))" "$work/out" || fail "newer in the backup: $(cat "$work/out")"
grep -q "left as it is" "$work/err" || fail "newer file not told: $(cat "$work/err")"
cmp -s "$device/$record" "$stick/OXIDEMO00000001/$record" && fail "the newer copy was replaced"

# A folder where the record's copy should go: that file fails, the others are copied.
mkdir -p "$work/other/OXIDEMO00000001/$record"
backup "$work/other"
[ "$rc" -eq 1 ] || fail "a file not copied: exit $rc"
grep -qxF "$(counts $((files - 1)) 0 0 1)" "$work/out" || fail "a file not copied: $(cat "$work/out")"
grep -q "OXIDEMO00000001[/\\]${record#./}" "$work/err" || fail "the file not copied is not named: $(cat "$work/err")"

"$tool" backup --root "$work/home" >/dev/null 2>&1
[ $? -eq 2 ] || fail "no --to: not a usage error"
"$tool" backup --root "$work/nowhere" --to "$work/s" 2>/dev/null
[ $? -eq 1 ] || fail "no store: exit not 1"
backup "$device/inside"
[ "$rc" -eq 1 ] && [ ! -e "$device/inside" ] || fail "a backup inside the store was not refused"

finish oxitool_backup

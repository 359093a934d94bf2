#!/bin/bash
# oxitool.exe download through the converter's driver DLL, the stand-in on the prefix's
# PATH answering as the vendor documents its driver: a converter that another program
# holds open, and a converter pulled out between a command and its reply and while the
# monitor erases.
source "$(dirname "$0")/lib/windows_checks.sh"

"$tool" demo-monitor -o "$work/ref.img" --measurements 2 || fail "demo-monitor failed"

# start_download NAME FAULTS: a fresh copy of the monitor downloaded into a store of its
# own through the driver with these faults, in the background; its process in $pid.
start_download() {
  cp "$work/ref.img" "$work/$1.img"
  mkdir "$work/$1"
  OXI_STANDIN_FAULTS=$2 download_with_driver "$work/$1.img" "$work/$1" &
  pid=$!
}
# download NAME FAULTS: the same, waited for; its exit status in $rc.
download() {
  start_download "$1" "$2"
  rc=0
  wait "$pid" || rc=$?
}
said() { grep -q "$2" "$work/$1.err"; }

# A converter another program holds: its download goes on (the monitor answers its second
# sector only at the third try, its clock command late), while a second program cannot
# open it and reads nothing. The vendor's driver opens a converter for one program at a
# time.
start_download held "silence:SR,0001:0:0:2;delay:SC:4000"
holder=$pid
for _ in $(seq 200); do
  [ -d "$work/held/Application Data/StO2/OXIDEMO00000001" ] && break
  sleep 0.1
done
mkdir "$work/second"
rc=0
download_with_driver "$work/held.img" "$work/second" || rc=$?
kill -0 "$holder" 2>/dev/null || fail "the holder ended before the second program tried"
[ "$rc" -eq 1 ] || fail "exit code $rc of a download from a converter held elsewhere"
said second "デバイスを開くことができませんでした。" || fail "not said: $(cat "$work/second.err")"
[ -s "$work/second.out" ] && fail "records from a converter held elsewhere: $(cat "$work/second.out")"
rc=0
wait "$holder" || rc=$?
[ "$rc" -eq 0 ] || fail "the holder's download failed ($rc): $(cat "$work/held.err")"
[ "$(records "$work/held.out" | wc -l)" -eq 2 ] || fail "the holder read $(cat "$work/held.out")"

# Pulled out the moment the command for sector 2 arrives, before any byte of its reply:
# what was read whole is kept, the monitor keeps everything (no clock set, nothing erased).
download between "unplug:SR,0002:0"
[ "$rc" -eq 1 ] || fail "exit code $rc after a pull-out before a reply"
said between "通信エラーが起きました。" || fail "not said: $(cat "$work/between.err")"
grep -q "^incomplete: .*the monitor went away" "$work/between.out" ||
  fail "no measurement reported gone: $(cat "$work/between.out")"
cmp -s "$work/ref.img" "$work/between.img" || fail "the monitor changed after a pull-out"

# Pulled out a second after the erase was acknowledged, two seconds before the monitor
# says it is done: every record is stored, and the user is told the erase failed.
download erase "erase:DE:3000;unplug:DE:1000"
[ "$rc" -eq 1 ] || fail "exit code $rc after a pull-out during the erase"
said erase "通信エラーが起きました。" || fail "not said: $(cat "$work/erase.err")"
[ "$(records "$work/erase.out" | wc -l)" -eq 2 ] || fail "records: $(cat "$work/erase.out")"
grep -q "^incomplete:" "$work/erase.out" && fail "incomplete after the erase: $(cat "$work/erase.out")"

finish "oxitool.exe download through the driver DLL"

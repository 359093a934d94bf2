#!/bin/bash
# oxitool download from simulated monitors: its report of each measurement, a damaged head
# sector read twice, Ctrl-C and the other signals that end a program, a file-size limit, a
# store that cannot be written and images that are no monitor memory; and demo-monitor's
# writing of an image.
source "$(dirname "$0")/lib/checks.sh"
unset OXI_SIMULATED_MONITOR

# The first sector of the data table's first entry: 65535 once the monitor is erased.
first_entry() {
  python3 -c 'import sys; b = open(sys.argv[1], "rb").read(); print(b[128] << 8 | b[129])' "$1"
}
temporaries() {
  find "$1" -name '.tmp-*' | wc -l
}
download() {  # IMAGE ROOT: stdout, stderr and status in $out, $err, $rc
  mkdir -p "$2"
  OXI_SIMULATED_MONITOR=$1 "$tool" download --root "$2" >"$work/out" 2>"$work/err"
  rc=$?
  out=$(cat "$work/out")
  err=$(cat "$work/err")
}

"$tool" demo-monitor -o "$work/ref.img" --measurements 2 || fail "demo-monitor failed"

# A whole download: a line for each record with its sample count, and the monitor erased.
cp "$work/ref.img" "$work/a.img"
download "$work/a.img" "$work/a"
[ "$rc" -eq 0 ] || fail "exit code $rc for a whole download: $err"
[ "$(grep -c '^record: OXIDEMO00000001/[0-9]\{10\}\.oxi, [0-9]* samples$' <<<"$out")" -eq 2 ] ||
  fail "expected two record lines, got: $out"
while read -r _ path samples _; do
  size=$(stat -c %s "$work/a/Application Data/StO2/${path%,}")
  [ "$size" -eq $((29 + 5 * samples)) ] || fail "$path holds $size bytes, not $samples samples"
done < <(grep '^record: ' <<<"$out")
[ "$(first_entry "$work/a.img")" -eq 65535 ] || fail "the monitor was not erased"

# A head sector damaged in the monitor's memory: kept the first time, reported as damaged
# and erased once the second download reads the same bytes.
cp "$work/ref.img" "$work/h.img"
python3 -c 'import sys; f = open(sys.argv[1], "r+b"); f.seek(256 * int(sys.argv[2])); f.write(b"\x02")' \
  "$work/h.img" "$(first_entry "$work/h.img")"
download "$work/h.img" "$work/h"
[ "$rc" -eq 1 ] || fail "exit code $rc for a damaged head read once"
grep -q '^incomplete: DEMO00000001 measurement 1 (sector [0-9]*): 0 of [0-9]* samples read, a sector of the wrong type$' \
  <<<"$out" || fail "the damaged head is not reported: $out"
download "$work/h.img" "$work/h"
[ "$rc" -eq 0 ] || fail "exit code $rc for a damaged head read twice: $err"
grep -q '^damaged: DEMO00000001 measurement 1 (sector [0-9]*): ' <<<"$out" ||
  fail "the second reading of the damage is not reported: $out"
[ "$(first_entry "$work/h.img")" -eq 65535 ] || fail "not erased after the second reading"

# Ctrl-C, a request to end (SIGTERM) and a closed terminal (SIGHUP) stop it alike: after
# the sector being read, whole records only, the monitor as it was (not even its clock
# set); it says what it kept and exits 128 + the signal's number.
for stop in "INT 130" "TERM 143" "HUP 129"; do
  read -r signal status <<<"$stop"
  cp "$work/ref.img" "$work/b.img"
  rm -rf "$work/b"
  mkdir -p "$work/b"
  # Started as from a terminal: a shell starts background commands with Ctrl-C ignored.
  OXI_SIMULATED_MONITOR=$work/b.img env --default-signal=INT "$tool" download --root "$work/b" \
    >"$work/out" 2>"$work/err" &
  pid=$!
  sleep 1.5
  kill -"$signal" "$pid"
  wait "$pid"
  rc=$?
  out=$(cat "$work/out")
  [ "$rc" -eq "$status" ] || fail "exit code $rc after SIG$signal"
  grep -q '転送を中止しました' "$work/err" || fail "SIG$signal: no cancel message: $(cat "$work/err")"
  grep -q '^incomplete: DEMO00000001 measurement 2 (sector [0-9]*): 0 of [0-9]* samples read, not read$' \
    <<<"$out" || fail "SIG$signal: the measurement not read is not reported: $out"
  cmp -s "$work/ref.img" "$work/b.img" || fail "SIG$signal: the monitor's memory changed"
  [ "$(temporaries "$work/b")" -eq 0 ] || fail "SIG$signal: a temporary file stayed"
  stored=$(find "$work/b" -name '*.oxi' | wc -l)
  [ "$stored" -eq "$(grep -c '^record: ' <<<"$out")" ] || fail "SIG$signal: records not listed: $out"
done

# A file-size limit: the write fails as on a full disk, reported with its reason; the
# process is not killed, no temporary file stays and nothing is erased.
cp "$work/ref.img" "$work/c.img"
mkdir -p "$work/c"
# (The limit holds for every file the process writes: its messages go through a pipe.)
err=$(
  ulimit -f 1
  OXI_SIMULATED_MONITOR=$work/c.img "$tool" download --root "$work/c" 2>&1 >/dev/null
)
rc=$?
[ "$rc" -eq 1 ] || fail "exit code $rc under a file-size limit"
grep -q '（File too large）' <<<"$err" || fail "no reason for the failed write: $err"
[ "$(temporaries "$work/c")" -eq 0 ] || fail "a temporary file stayed after a failed write"
[ "$(first_entry "$work/c.img")" -ne 65535 ] || fail "erased although a record was not written"

# A store that cannot be made: its folder and the system's reason, before the monitor is
# asked for anything.
cp "$work/ref.img" "$work/d.img"
mkdir -p "$work/d"
echo "a file" >"$work/d/Application Data"
download "$work/d.img" "$work/d"
[ "$rc" -eq 1 ] || fail "exit code $rc for a store that cannot be made"
grep -qF "$work/d/Application Data/StO2" <<<"$err" || fail "the folder is not named: $err"
grep -q '（Not a directory）' <<<"$err" || fail "the reason is not given: $err"
cmp -s "$work/ref.img" "$work/d.img" || fail "the monitor was touched"

# Images that are no monitor memory: named with the reason, nothing downloaded.
head -c 100 "$work/ref.img" >"$work/short.img"
for image in "$work" "$work/short.img" "$work/missing.img"; do
  download "$image" "$work/e"
  [ "$rc" -eq 1 ] || fail "exit code $rc for the image $image"
  grep -qF "oxitool: $image: " <<<"$err" || fail "the image $image is not named: $err"
done
[ ! -e "$work/e/Application Data" ] || fail "a store was made for unusable images"

# demo-monitor writes through a unique temporary file: a link at the target has its file
# replaced, a link planted beside it is left alone, a folder is refused.
echo "old" >"$work/target.img"
ln -s "$work/target.img" "$work/link.img"
echo "planted" >"$work/victim"
ln -s "$work/victim" "$work/link.img.saving"
"$tool" demo-monitor -o "$work/link.img" --measurements 1 || fail "demo-monitor through a link"
[ -L "$work/link.img" ] || fail "the link was replaced"
[ "$(first_entry "$work/target.img")" -ne 65535 ] || fail "the linked file holds no image"
[ "$(cat "$work/victim")" = planted ] || fail "a planted link was followed"
mkdir "$work/folder.img"
"$tool" demo-monitor -o "$work/folder.img" 2>"$work/err" && fail "a folder was taken as an image"
grep -qF "$work/folder.img: is not a regular file" "$work/err" || fail "no reason: $(cat "$work/err")"

finish oxitool_download

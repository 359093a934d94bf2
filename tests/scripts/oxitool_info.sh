#!/bin/bash
# oxitool info: the header lines of a record file, and a one-line refusal with exit code 1
# for anything that is not a readable record.
source "$(dirname "$0")/lib/checks.sh"

# header: ID, 08-03-15 09:05, reserved, fat 55, rate $2, StO2 avg 683, reserved, HR 181,
# current, announced 3600; then $1 samples of 5 bytes and $3 stray bytes.
make_record() {
  python3 - "$1" "$2" "$3" "$4" <<'PY'
import struct, sys
samples, rate, stray, path = int(sys.argv[1]), int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
head = b"0123456789AB" + bytes([8, 3, 15, 9, 5, 1, 2, 3, 55, rate])
head += struct.pack("<H", 683) + bytes([4, 181, 6]) + struct.pack("<H", 3600)
body = b"".join(struct.pack("<hBBB", 600 + i % 300, 70, 20, 30) for i in range(samples))
open(path, "wb").write(head + body + b"\x01" * stray)
PY
}

expect_line() {  # output, expected line
  grep -qxF -- "$2" <<<"$1" || fail "missing line '$2' in: $1"
}

make_record 3723 10 0 "$work/0803150905.oxi"
out=$("$tool" info "$work/0803150905.oxi")
rc=$?
[ "$rc" -eq 0 ] || fail "exit code $rc for a good record"
expect_line "$out" "device_id: 0123456789AB"
expect_line "$out" "start: 2008-03-15 09:05"
expect_line "$out" "fat_thickness_mm: 5.5"
expect_line "$out" "rate_s: 1.0"
expect_line "$out" "sto2_average: 68.3"
expect_line "$out" "max_heart_rate: 181"
expect_line "$out" "announced_samples: 3600"
expect_line "$out" "samples: 3723"
expect_line "$out" "duration: 1:02:03"
expect_line "$out" "title: 2008_0315_0905"
[ "$(wc -l <<<"$out")" -eq 10 ] || fail "expected 10 lines, got: $out"

# Rate byte 0 counts as 1.0 s; a trailing incomplete sample counts as one more.
make_record 10 0 3 "$work/zero-rate.oxi"
out=$("$tool" info "$work/zero-rate.oxi")
expect_line "$out" "rate_s: 1.0"
expect_line "$out" "samples: 11"
expect_line "$out" "duration: 0:00:11"
make_record 100 25 0 "$work/slow.oxi"
out=$("$tool" info "$work/slow.oxi")
expect_line "$out" "rate_s: 2.5"
expect_line "$out" "duration: 0:04:10"

# What is not a readable record: one line on stderr, nothing on stdout, exit 1.
head -c 28 "$work/0803150905.oxi" >"$work/short.oxi"
: >"$work/empty.oxi"
mkdir "$work/folder.oxi"
truncate -s $((29 + 5 * 1000001)) "$work/huge.oxi"
for bad in short.oxi empty.oxi folder.oxi huge.oxi missing.oxi; do
  "$tool" info "$work/$bad" >"$work/out" 2>"$work/err"
  rc=$?
  [ "$rc" -eq 1 ] || fail "$bad: exit code $rc"
  [ -s "$work/out" ] && fail "$bad: wrote to stdout"
  [ "$(wc -l <"$work/err")" -eq 1 ] || fail "$bad: stderr was: $(cat "$work/err")"
done
"$tool" info >/dev/null 2>&1 && fail "no argument accepted"

finish "oxitool info"

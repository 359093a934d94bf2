#!/bin/bash
# oxitool csv: the CSV bytes of record files, where they go, and what happens to records
# that cannot be read.
source "$(dirname "$0")/lib/checks.sh"

# A record started 20$1-03-15 09:05, fat 5.5 mm, rate 1.0 s, with three samples: valid,
# invalid with HR 49, valid with oxHb and dxHb 255.
make_record() {
  python3 - "$1" "$2" <<'PY'
import struct, sys
year, path = int(sys.argv[1]), sys.argv[2]
head = b"0123456789AB" + bytes([year, 3, 15, 9, 5, 0, 0, 0, 55, 10])
head += struct.pack("<H", 683) + bytes([0, 181, 6]) + struct.pack("<H", 3)
body = struct.pack("<hBBB", 683, 120, 45, 7) + struct.pack("<hBBB", -1, 49, 1, 1)
body += struct.pack("<hBBB", 1000, 200, 255, 255)
open(path, "wb").write(head + body)
PY
}

# The expected file, CR LF line ends, the Japanese words in CP932.
expected() {
  python3 - "$1" "$2" <<'PY'
import sys
year, path = int(sys.argv[1]), sys.argv[2]
lines = [
    "Date,20%02d-03-15 09:05,測定時間,00:00:03,脂肪厚み,5.5mm,rate,1.0sec," % year,
    "time,HR,StO2,oxHb,dxHb,toHb,",
    "00:00:00.0,120,68.3,0.045,0.007,0.052,",
    "00:00:01.0,---,68.3,---,---,---,",
    "00:00:02.0,200,100.0,0.255,0.255,0.510,",
]
open(path, "wb").write("".join(l + "\r\n" for l in lines).encode("cp932"))
PY
}

make_record 8 "$work/a.oxi"
make_record 9 "$work/b.oxi"
expected 8 "$work/a.expected"
expected 9 "$work/b.expected"

# Default: "<title>.csv" in the working folder.
mkdir "$work/here"
(cd "$work/here" && "$tool" csv "$work/a.oxi") || fail "csv of one record failed"
cmp -s "$work/here/2008_0315_0905.csv" "$work/a.expected" || fail "default output differs"

# -o names the file.
"$tool" csv "$work/a.oxi" -o "$work/out.csv" || fail "csv -o failed"
cmp -s "$work/out.csv" "$work/a.expected" || fail "-o output differs"

# -d takes several records.
mkdir "$work/dir"
"$tool" csv "$work/a.oxi" "$work/b.oxi" -d "$work/dir" || fail "csv -d failed"
cmp -s "$work/dir/2008_0315_0905.csv" "$work/a.expected" || fail "-d output of a differs"
cmp -s "$work/dir/2009_0315_0905.csv" "$work/b.expected" || fail "-d output of b differs"

# -o cannot take several records; nothing is written.
if "$tool" csv "$work/a.oxi" "$work/b.oxi" -o "$work/two.csv" 2>/dev/null; then
  fail "-o with two records succeeded"
fi
[ -e "$work/two.csv" ] && fail "-o with two records wrote a file"

# A record that cannot be read: one line on stderr, the others still written, exit 1.
head -c 20 "$work/a.oxi" >"$work/short.oxi"
mkdir "$work/mixed"
err=$("$tool" csv "$work/short.oxi" "$work/missing.oxi" "$work/b.oxi" -d "$work/mixed" 2>&1 >/dev/null)
rc=$?
[ "$rc" -eq 1 ] || fail "exit code $rc with unreadable records"
[ "$(wc -l <<<"$err")" -eq 2 ] || fail "expected one error line per bad record, got: $err"
grep -q "short.oxi" <<<"$err" || fail "no error names short.oxi: $err"
cmp -s "$work/mixed/2009_0315_0905.csv" "$work/b.expected" || fail "good record not written"
[ "$(ls "$work/mixed" | wc -l)" -eq 1 ] || fail "unexpected files: $(ls "$work/mixed")"

# A folder that does not exist: an error and no file.
if "$tool" csv "$work/a.oxi" -o "$work/nowhere/x.csv" 2>/dev/null; then
  fail "writing into a missing folder succeeded"
fi

finish "oxitool csv"

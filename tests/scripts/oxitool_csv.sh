#!/bin/bash
# oxitool csv: the CSV bytes of record files, where they go, and what happens to records
# that cannot be read.
source "$(dirname "$0")/lib/checks.sh"

# A record started 20$1-03-15 09:05, fat 5.5 mm, rate 1.0 s, with three samples: valid,
# invalid with HR 49, valid with oxHb and dxHb 255; and as many more valid ones as $3 says.
make_record() {
  python3 - "$1" "$2" "${3:-0}" <<'PY'
import struct, sys
year, path, more = int(sys.argv[1]), sys.argv[2], int(sys.argv[3])
head = b"0123456789AB" + bytes([year, 3, 15, 9, 5, 0, 0, 0, 55, 10])
head += struct.pack("<H", 683) + bytes([0, 181, 6]) + struct.pack("<H", 3)
body = struct.pack("<hBBB", 683, 120, 45, 7) + struct.pack("<hBBB", -1, 49, 1, 1)
body += struct.pack("<hBBB", 1000, 200, 255, 255) + struct.pack("<hBBB", 500, 90, 9, 9) * more
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

# Records of the same minute keep apart: the record's letter goes into the CSV's name.
mkdir "$work/minute" "$work/same"
make_record 26 "$work/minute/2603150905.oxi"
make_record 26 "$work/minute/2603150905b.oxi"
make_record 26 "$work/minute/2603150905c.oxi"
expected 26 "$work/26.expected"
"$tool" csv "$work"/minute/*.oxi -d "$work/same" || fail "csv -d of one minute's records failed"
for name in 2026_0315_0905 2026_0315_0905b 2026_0315_0905c; do
  cmp -s "$work/same/$name.csv" "$work/26.expected" || fail "$name.csv missing or different"
done

# An existing CSV in the folder is kept and named, the others written, exit 1; --force
# replaces it.
echo "mine" >"$work/same/2026_0315_0905b.csv"
rm "$work/same/2026_0315_0905.csv"
err=$("$tool" csv "$work"/minute/*.oxi -d "$work/same" 2>&1)
rc=$?
[ "$rc" -eq 1 ] || fail "exit code $rc with existing CSVs"
grep -q "2026_0315_0905b.csv" <<<"$err" || fail "the kept file is not named: $err"
[ "$(cat "$work/same/2026_0315_0905b.csv")" = "mine" ] || fail "an existing CSV was replaced"
cmp -s "$work/same/2026_0315_0905.csv" "$work/26.expected" || fail "the free name was not written"
"$tool" csv "$work/minute/2603150905b.oxi" -d "$work/same" --force || fail "--force failed"
cmp -s "$work/same/2026_0315_0905b.csv" "$work/26.expected" || fail "--force did not replace"

# -o through a link replaces the file it names and keeps the link; a replaced file keeps
# its mode; "-" is standard output. (Links and modes are the POSIX build's: under Wine a
# Unix link shows as the file it names.)
if [ -z "${OXI_EMULATOR:-}" ]; then
  mkdir "$work/real"
  echo old >"$work/real/target.csv"
  chmod 600 "$work/real/target.csv"
  ln -s real/target.csv "$work/link.csv"
  "$tool" csv "$work/a.oxi" -o "$work/link.csv" || fail "csv -o through a link failed"
  [ -L "$work/link.csv" ] || fail "the link was replaced"
  cmp -s "$work/real/target.csv" "$work/a.expected" || fail "the link's file was not written"
  [ "$(stat -c %a "$work/real/target.csv")" = 600 ] || fail "mode 0600 not kept"
fi
"$tool" csv "$work/a.oxi" -o - >"$work/stdout.csv" || fail "csv -o - failed"

# A read-only file and the record itself are left as they are, and said why: exit 1.
cp "$work/b.expected" "$work/readonly.csv"
chmod 444 "$work/readonly.csv"
cp "$work/a.oxi" "$work/self.oxi"
for kept in "readonly.csv:read-only" "self.oxi:is the record being read"; do
  target=$work/${kept%%:*}
  cp "$target" "$work/before"
  err=$("$tool" csv "$work/self.oxi" -o "$target" 2>&1)
  rc=$?
  [ "$rc" -eq 1 ] || fail "exit code $rc writing $target"
  grep -qF "${kept#*:}" <<<"$err" || fail "no reason for $target: $err"
  cmp -s "$target" "$work/before" || fail "$target was replaced"
done
cmp -s "$work/stdout.csv" "$work/a.expected" || fail "-o - output differs"

# What is not a regular file is refused at once and left as it is: a pipe, a folder, a
# device node (made here, never the system's own).
mkfifo "$work/pipe.csv"
mkdir "$work/folder.csv"
targets=("$work/pipe.csv" "$work/folder.csv")
if [ "$(id -u)" -eq 0 ] && mknod "$work/null.csv" c 1 3 2>/dev/null; then
  targets+=("$work/null.csv")
fi
for target in "${targets[@]}"; do
  if timeout 10 "$tool" csv "$work/a.oxi" -o "$target" 2>/dev/null; then
    fail "wrote to $target"
  fi
done
[ -p "$work/pipe.csv" ] || fail "the pipe was replaced"
[ -d "$work/folder.csv" ] || fail "the folder was replaced"
[ "${#targets[@]}" -lt 3 ] || [ -c "$work/null.csv" ] || fail "the device node was replaced"

# A full disk (a file-size limit here): exit 1, the earlier CSV whole, no temporary left.
make_record 8 "$work/long.oxi" 20000
mkdir "$work/full"
cp "$work/a.expected" "$work/full/kept.csv"
if (trap '' XFSZ; ulimit -f 16; "$tool" csv "$work/long.oxi" -o "$work/full/kept.csv" 2>/dev/null); then
  fail "a write beyond the size limit succeeded"
fi
cmp -s "$work/full/kept.csv" "$work/a.expected" || fail "the earlier CSV was damaged"
[ "$(ls -A "$work/full")" = kept.csv ] || fail "left behind: $(ls -A "$work/full")"

finish "oxitool csv"

#!/bin/bash
# oxitool render: the graph of a record read in place, written the safe way.
source "$(dirname "$0")/lib/checks.sh"

# 7200 samples of device "../x" started on the impossible 2008-13-40: info and csv read
# it, and so does render.
python3 - "$work/odd.oxi" <<'PY'
import struct, sys
head = b"../x\x00\x00\x00\x00\x00\x00\x00\x00" + bytes([8, 13, 40, 9, 5, 0, 0, 0, 55, 10])
head += struct.pack("<H", 683) + bytes([0, 181, 6]) + struct.pack("<H", 7200)
body = b"".join(struct.pack("<hBBB", 300 + i % 700, 60 + i % 140, i % 200, (i * 7) % 200)
                for i in range(7200))
open(sys.argv[1], "wb").write(head + body)
PY
"$tool" info "$work/odd.oxi" >/dev/null || fail "info refused the record"
"$tool" render "$work/odd.oxi" -o "$work/odd.png" || fail "render refused what info reads"
[ "$(identify -format %wx%h "$work/odd.png")" = 720x685 ] || fail "not the graph control"

# "-o -" writes the PNG to standard output.
"$tool" render "$work/odd.oxi" -o - >"$work/stdout.png" || fail "render -o - failed"
cmp -s "$work/stdout.png" "$work/odd.png" || fail "-o - differs from the file"

# A pipe as the record is refused at once instead of waited on.
mkfifo "$work/pipe.oxi"
timeout 20 "$tool" render "$work/pipe.oxi" -o "$work/pipe.png" 2>/dev/null
rc=$?
[ "$rc" -eq 1 ] || fail "a pipe as the record: exit $rc"

# A full disk (a file-size limit here) keeps the earlier PNG whole.
cp "$work/odd.png" "$work/kept.png"
if (trap '' XFSZ; ulimit -f 4; "$tool" render "$work/odd.oxi" -o "$work/kept.png" --window 9 \
  2>/dev/null); then
  fail "a write beyond the size limit succeeded"
fi
cmp -s "$work/kept.png" "$work/odd.png" || fail "the earlier PNG was damaged"

finish "oxitool render"

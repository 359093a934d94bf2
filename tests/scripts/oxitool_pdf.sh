#!/bin/bash
# oxitool pdf: the printed pages of a record as a PDF: page count, size, title, texts and
# curve colours, and the refusals.
source "$(dirname "$0")/lib/checks.sh"

# 5000 samples at 1.0 s with smooth curves and a run of invalid samples; a comment of
# 70 lines in CP932 with lone LF line ends.
python3 - "$work" <<'PY'
import math, struct, sys
work = sys.argv[1]
head = b"0123456789AB" + bytes([8, 3, 15, 9, 5, 0, 0, 0, 55, 10])
head += struct.pack("<H", 683) + bytes([0, 181, 6]) + struct.pack("<H", 5000)
body = b"".join(struct.pack("<hBBB", -1 if 2000 <= i < 2300 else int(600 + 200 * math.sin(i / 300)),
                            int(120 + 50 * math.sin(i / 500)), int(80 + 40 * math.sin(i / 200)),
                            int(40 + 20 * math.cos(i / 250))) for i in range(5000))
open(work + "/0803150905.oxi", "wb").write(head + body)
text = "".join("行 %d：コメント\n" % i for i in range(70))
open(work + "/comment.txt", "wb").write(text.encode("cp932"))
PY

out=$("$tool" pdf "$work/0803150905.oxi" -o "$work/plain.pdf" 2>&1)
listed=$("$tool" --help | grep -c '^  pdf ')
if grep -q "without Qt" <<<"$out"; then
  ((listed == 0)) || fail "--help lists pdf, which this build refuses"
  echo "oxitool pdf: skipped (built without Qt)"
  exit 0
fi
((listed == 1)) || fail "--help does not list pdf"
[ -s "$work/plain.pdf" ] || fail "no PDF written: $out"
info=$(pdfinfo "$work/plain.pdf")
grep -q "^Pages: *1$" <<<"$info" || fail "expected one page: $info"
grep -q "^Title: *2008_0315_0905$" <<<"$info" || fail "title: $info"
grep -q "^Page size: *842 x 595 pts (A4)" <<<"$info" || fail "not A4 landscape: $info"
text=$(pdftotext "$work/plain.pdf" -)
grep -qF "Date 2008年03月15日09時05分" <<<"$text" || fail "header missing: $text"
grep -qF "Time 1:23:20" <<<"$text" || fail "duration missing: $text"
grep -qF "01:15:00" <<<"$text" || fail "last tick label missing: $text"
pdftoppm -r 72 -png "$work/plain.pdf" "$work/plain"
colours=$(convert "$work/plain-1.png" -format %c histogram:info:)
for c in "#FF0000" "#008000" "#0080FF" "#FF8000" "#E0E0E0"; do
  grep -q "$c" <<<"$colours" || fail "no $c pixels on the page"
done

# 70 comment lines: 6 on the first page, 40 on the second, 24 on the third.
"$tool" pdf "$work/0803150905.oxi" -o "$work/long.pdf" --window 30 --comment "$work/comment.txt" \
  2>/dev/null || fail "pdf with a comment failed"
grep -q "^Pages: *3$" <<<"$(pdfinfo "$work/long.pdf")" || fail "expected three pages"
page3=$(pdftotext -f 3 -l 3 "$work/long.pdf" -)
grep -qF "行 46：コメント" <<<"$page3" || fail "page 3 does not start at line 46: $page3"
grep -qF "行 69：コメント" <<<"$page3" || fail "last line missing: $page3"

# Refusals: exit 1, one line on stderr, no file.
for args in "--window 0" "--window 101" "--window x" "--comment $work/missing.txt"; do
  # shellcheck disable=SC2086
  if "$tool" pdf "$work/0803150905.oxi" -o "$work/bad.pdf" $args 2>/dev/null; then
    fail "accepted $args"
  fi
done
head -c 10 "$work/0803150905.oxi" >"$work/short.oxi"
err=$("$tool" pdf "$work/short.oxi" -o "$work/bad.pdf" 2>&1)
[ $? -eq 1 ] || fail "a short record was accepted"
[ "$(wc -l <<<"$err")" -eq 1 ] || fail "expected one error line: $err"
[ -e "$work/bad.pdf" ] && fail "a refused command wrote a file"

# A 20 MB comment of line ends: 64 KiB of it are read (said on stderr) and the comment
# stops after 20 pages, the last line an ellipsis; the memory stays bounded.
head -c 20000000 /dev/zero | tr '\0' '\n' >"$work/huge.txt"
measure=()
[ -x /usr/bin/time ] && measure=(/usr/bin/time -f "%M" -o "$work/huge.kb")
err=$("${measure[@]}" "$tool" pdf "$work/0803150905.oxi" -o "$work/huge.pdf" \
  --comment "$work/huge.txt" 2>&1) || fail "pdf with a 20 MB comment failed: $err"
grep -q "huge.txt: only the first 65536 bytes" <<<"$err" || fail "no note of the cut: $err"
grep -q "^Pages: *20$" <<<"$(pdfinfo "$work/huge.pdf")" || fail "expected 20 pages"
[ "$(pdftotext -f 20 -l 20 "$work/huge.pdf" - | grep -c "…")" -eq 1 ] || fail "no ellipsis"
if [ -s "$work/huge.kb" ]; then
  # Peak resident memory in KiB; without the bounds it was over 1 GB.
  [ "$(cat "$work/huge.kb")" -lt 400000 ] || fail "peak memory $(cat "$work/huge.kb") KiB"
fi

# "-o -" writes the PDF to standard output; a pipe as the output is refused at once.
"$tool" pdf "$work/0803150905.oxi" -o - >"$work/stdout.pdf" || fail "pdf -o - failed"
grep -q "^Pages: *1$" <<<"$(pdfinfo "$work/stdout.pdf")" || fail "-o - gave no PDF"
mkfifo "$work/pipe.pdf"
timeout 20 "$tool" pdf "$work/0803150905.oxi" -o "$work/pipe.pdf" 2>/dev/null && fail "wrote a pipe"
[ -p "$work/pipe.pdf" ] || fail "the pipe was replaced"

finish "oxitool pdf"

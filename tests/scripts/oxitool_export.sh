#!/bin/bash
# oxitool export: FIT, SNIRF and UTF-8 CSV files checked by readers that are not ours
# (the FIT SDK's decoder, MNE-Python with h5py, Python's csv module), file names, the store
# export, and what happens to records that cannot be exported.
source "$(dirname "$0")/lib/checks.sh"
lib="$(dirname "$0")/lib"
# The records' start times are local times; a fixed zone makes their UTC known.
export TZ=Asia/Tokyo
utc_offset=9
fitsdk="$OXI_BINARY_DIR/npm"
[ -d "$fitsdk/node_modules/@garmin/fitsdk" ] || fail "FIT SDK not installed in $fitsdk"

# name rate samples-expression [start]
make() {
  PYTHONPATH="$lib" python3 -c "
import oxi_record as r, sys
r.write(sys.argv[1], $3, $2${4:+, start=$4})" "$1"
}

mkdir -p "$work/測定データ" "$work/one"
make "$work/測定データ/2603150905.oxi" 10 "r.varied(300)"          # Japanese folder, 1 s
make "$work/測定データ/2603150905b.oxi" 5 "r.varied(40)"           # same minute, 0.5 s
make "$work/one/2603151000.oxi" 0 "r.varied(30)" "(26, 3, 15, 10, 0)"  # rate 0 counts as 1 s
make "$work/one/2603151100.oxi" 100 "r.varied(20)" "(26, 3, 15, 11, 0)"  # 10 s
make "$work/one/2603151200.oxi" 10 "[(-1, 0, 0, 0)] * 5 + r.varied(5)" "(26, 3, 15, 12, 0)"
make "$work/one/2603151300.oxi" 10 "r.varied(1)" "(26, 3, 15, 13, 0)"   # one sample
make "$work/one/2612312359.oxi" 10 "r.varied(65535)" "(26, 12, 31, 23, 59)"  # into the new year
make "$work/one/2603151400.oxi" 10 "r.bouts(1200)" "(26, 3, 15, 14, 0)"  # four exercise bouts

# A build without HDF5 (the Windows one) writes no SNIRF and says so.
formats=(fit csv)
if "$tool" export --format snirf "$work/one/2603151300.oxi" -o "$work/probe.snirf" 2>&1 |
  grep -q "no SNIRF support"; then
  echo "oxitool export: SNIRF left out (built without HDF5)"
else
  formats+=(snirf)
  rm -f "$work/probe.snirf"
fi

out="$work/出力"
for f in "${formats[@]}"; do
  "$tool" export --format $f "$work"/測定データ/*.oxi "$work"/one/*.oxi -d "$out" ||
    fail "export --format $f failed"
done

# Each record file and its exported file, by the export name.
declare -A names=(
  ["測定データ/2603150905.oxi"]=2026_0315_0905 ["測定データ/2603150905b.oxi"]=2026_0315_0905b
  [one/2603151000.oxi]=2026_0315_1000 [one/2603151100.oxi]=2026_0315_1100
  [one/2603151200.oxi]=2026_0315_1200 [one/2603151300.oxi]=2026_0315_1300
  [one/2612312359.oxi]=2026_1231_2359 [one/2603151400.oxi]=2026_0315_1400)
# The laps of the FIT file and the events of the SNIRF file are the episodes that
# `oxitool analyze` finds, with its default parameters.
fits=() snirfs=() csvs=()
for record in "${!names[@]}"; do
  base="$out/${names[$record]}"
  analysis="$work/analysis/${names[$record]}.json"
  mkdir -p "$work/analysis"
  "$tool" analyze "$work/$record" --format json -o "$analysis" || fail "analyze $record"
  fits+=("$work/$record" "$base.fit" "$analysis")
  snirfs+=("$work/$record" "$base.snirf" "$analysis")
  csvs+=("$work/$record" "$base.csv")
done
# Four bouts: the recovery first stores 70.0 % at 284 s of each, the 5 s mean two samples
# later, where the next episode's peak lies.
python3 -c "
import json, sys
peaks = [e['peak_s'] for e in json.load(open(sys.argv[1]))[0]['episodes']]
assert peaks == [0, 286, 586, 886], peaks" "$work/analysis/2026_0315_1400.json" ||
  fail "episodes of four bouts"
node "$lib/check_fit.mjs" "$fitsdk" "${fits[@]}" || fail "FIT files"
if [[ " ${formats[*]} " == *" snirf "* ]]; then
  PYTHONPATH="$lib" /usr/bin/python3 "$lib/check_snirf.py" $utc_offset "${snirfs[@]}" ||
    fail "SNIRF files"
fi
PYTHONPATH="$lib" python3 "$lib/check_csv.py" "${csvs[@]}" || fail "CSV files"
[ "$(ls "$out" | wc -l)" -eq $((${#formats[@]} * ${#names[@]})) ] ||
  fail "unexpected files: $(ls "$out")"

# --bom puts the byte-order mark in front; -o names the file.
"$tool" export --format csv --bom "$work/one/2603151000.oxi" -o "$work/bom.csv" || fail "--bom"
PYTHONPATH="$lib" python3 "$lib/check_csv.py" --bom "$work/one/2603151000.oxi" "$work/bom.csv" ||
  fail "CSV with byte-order mark"

# Without -o or -d the file goes to the working folder.
(cd "$work/one" && "$tool" export --format fit 2603151300.oxi) || fail "export into ."
[ -f "$work/one/2026_0315_1300.fit" ] || fail "no file in the working folder"

# The store: every device's records of the dates asked, one folder per device, records of
# two devices started in the same minute both kept.
store="$work/store/Application Data/StO2"
mkdir -p "$store/OXIAAAAAAAAAAAA" "$store/OXIBBBBBBBBBBBB/Comment"
make "$store/OXIAAAAAAAAAAAA/2603150905.oxi" 10 "r.varied(10)"
make "$store/OXIAAAAAAAAAAAA/2603170905.oxi" 10 "r.varied(10)" "(26, 3, 17, 9, 5)"
make "$store/OXIBBBBBBBBBBBB/2603150905.oxi" 10 "r.varied(12)"
echo "not a record" >"$store/OXIBBBBBBBBBBBB/notes.txt"
"$tool" export --format csv --root "$work/store" -d "$work/all" --from 2026-03-15 --to 2026-03-16 ||
  fail "store export failed"
found=$(cd "$work/all" && find . -type f | sort | tr '\n' ' ')
[ "$found" = "./OXIAAAAAAAAAAAA/2026_0315_0905.csv ./OXIBBBBBBBBBBBB/2026_0315_0905.csv " ] ||
  fail "store export wrote: $found"
PYTHONPATH="$lib" python3 "$lib/check_csv.py" "$store/OXIBBBBBBBBBBBB/2603150905.oxi" \
  "$work/all/OXIBBBBBBBBBBBB/2026_0315_0905.csv" || fail "store export of device B"

# Records that cannot be exported: one line each on stderr, the others written, exit 1.
head -c 20 "$work/one/2603151000.oxi" >"$work/short.oxi"
head -c 29 "$work/one/2603151000.oxi" >"$work/2603150000.oxi"  # a header without samples
err=$("$tool" export --format fit "$work/short.oxi" "$work/2603150000.oxi" \
  "$work/one/2603151100.oxi" -d "$work/mixed" 2>&1 >/dev/null)
rc=$?
[ "$rc" -eq 1 ] || fail "exit code $rc with records that cannot be exported"
[ "$(wc -l <<<"$err")" -eq 2 ] || fail "expected one line per bad record, got: $err"
[ "$(ls "$work/mixed")" = "2026_0315_1100.fit" ] || fail "mixed export wrote: $(ls "$work/mixed")"

# Two records that would share a file: the second is refused, not written over the first.
mkdir -p "$work/twin"
cp "$work/one/2603151100.oxi" "$work/twin/"
if "$tool" export --format fit "$work/one/2603151100.oxi" "$work/twin/2603151100.oxi" \
  -d "$work/twins" 2>/dev/null; then
  fail "two records into one file succeeded"
fi

# Summer time: in Berlin 2024-03-31 02:00 became 03:00. A record started 01:30 for an hour
# gives the zone's local time at each instant, none of the hour that never existed.
mkdir "$work/summer"
make "$work/summer/2403310130.oxi" 10 "r.varied(3600)" "(24, 3, 31, 1, 30)"
for f in fit csv; do
  TZ=Europe/Berlin "$tool" export --format $f "$work/summer/2403310130.oxi" -d "$work/summer" ||
    fail "summer-time export --format $f failed"
done
TZ=Europe/Berlin node "$lib/check_fit.mjs" "$fitsdk" "$work/summer/2403310130.oxi" \
  "$work/summer/2024_0331_0130.fit" || fail "summer-time FIT file"
TZ=Europe/Berlin PYTHONPATH="$lib" python3 "$lib/check_csv.py" "$work/summer/2403310130.oxi" \
  "$work/summer/2024_0331_0130.csv" || fail "summer-time CSV file"
grep -q ',2024-03-31T02:' "$work/summer/2024_0331_0130.csv" && fail "a local time that never was"

# A record is never exported over itself.
cp "$work/one/2603151100.oxi" "$work/self.oxi"
"$tool" export --format csv "$work/self.oxi" -o "$work/self.oxi" 2>/dev/null &&
  fail "a record was exported over itself"
cmp -s "$work/one/2603151100.oxi" "$work/self.oxi" || fail "the record was replaced"

# Usage errors, and a folder without a store.
one="$work/one/2603151100.oxi"
for args in "--format gpx $one" "$one" "--format fit --root $work/store" \
  "--format fit --root $work/one -d $work/none" "--format fit $one --from 2026-01-01"; do
  # shellcheck disable=SC2086
  "$tool" export $args >/dev/null 2>&1 && fail "accepted: export $args"
done

finish "oxitool export"

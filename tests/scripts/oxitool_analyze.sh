#!/bin/bash
# oxitool analyze: the hand-worked exercise bout through every output format, several
# records and a store at once, records that cannot be read, and arguments refused.
source "$(dirname "$0")/lib/checks.sh"
lib="$(dirname "$0")/lib"

# name samples-expression [start]
make() {
  PYTHONPATH="$lib" python3 -c "
import oxi_record as r, sys
r.write(sys.argv[1], $2, 10${3:+, start=$3})" "$1"
}

make "$work/2603150905.oxi" "r.bouts(300)"
make "$work/2603151000.oxi" "r.bouts(451)" "(26, 3, 15, 10, 0)"  # cut off on its second floor
make "$work/2603151100.oxi" "[(-1, 0, 0, 0)] * 20" "(26, 3, 15, 11, 0)"  # nothing valid

# JSON: the bout's answers worked out by hand, unsmoothed (1 s at 1 Hz).
"$tool" analyze "$work/2603150905.oxi" "$work/2603151100.oxi" --smooth 1 --format json \
  -o "$work/out.json" || fail "analyze --format json"
python3 - "$work/out.json" "$work/2603150905.oxi" <<'PY' || fail "JSON"
import json, sys
one, empty = json.load(open(sys.argv[1], encoding="utf-8"))
assert one["record"] == sys.argv[2], one["record"]
assert (one["device"], one["start"], one["rate_s"]) == ("0123456789AB", "2026-03-15T09:05:00", 1)
assert one["summary"] == {"sto2": {"min": 30, "max": 70, "mean": one["summary"]["sto2"]["mean"]},
                          "tohb": {"min": 0.1, "max": 0.1, "mean": 0.1},
                          "hr": {"min": 120, "max": 120, "mean": 120},
                          "valid_samples": 300}, one["summary"]
[e] = one["episodes"]
want = {"peak_s": 0, "peak": 70, "min_s": 150, "min": 30, "drop": 40, "desat_slope": -0.667,
        "half_recovery_s": 13.9, "recovery_max_s": 284, "recovery_max": 70}
assert {k: e[k] for k in want} == want, e
assert e["reox_slope"] > 1, e
assert one["zones"] == [{"from": None, "to": 40, "seconds": 50},
                        {"from": 40, "to": 60, "seconds": 52},
                        {"from": 60, "to": None, "seconds": 198}], one["zones"]
assert empty["episodes"] == [] and empty["summary"]["valid_samples"] == 0, empty
assert empty["summary"]["sto2"] == {"min": None, "max": None, "mean": None}, empty
assert [z["seconds"] for z in empty["zones"]] == [0, 0, 0], empty
PY

# CSV: one row per episode of every record, missing values empty, other bands and delta.
"$tool" analyze "$work"/*.oxi --format csv --delta 20 --zones 35,50,65 >"$work/out.csv" ||
  fail "analyze --format csv"
python3 - "$work/out.csv" "$work" <<'PY' || fail "CSV"
import csv, sys
rows = list(csv.DictReader(open(sys.argv[1], encoding="utf-8", newline="")))
assert list(rows[0]) == ["record", "episode", "peak_s", "peak", "min_s", "min", "drop",
                         "desat_slope", "reox_slope", "half_recovery_s", "recovery_max_s",
                         "recovery_max"], list(rows[0])
names = [(r["record"].rsplit("/", 1)[-1], r["episode"]) for r in rows]
assert names == [("2603150905.oxi", "1"), ("2603151000.oxi", "1"), ("2603151000.oxi", "2")], names
cut = rows[2]
assert (cut["min_s"], cut["min"], cut["recovery_max"], cut["half_recovery_s"]) == ("450", "30", "", ""), cut
PY

# Text: a table for a terminal, the zones with their edges.
out=$("$tool" analyze "$work/2603150905.oxi" --smooth 1)
grep -q "zones:  <40 %: [0-9.]* s  40-<60 %: [0-9.]* s  >=60 %: [0-9.]* s" <<<"$out" ||
  fail "text zones: $out"
grep -Eq "^ *episode +peak_s .*recovery_max$" <<<"$out" || fail "text header: $out"
grep -Eq "^ +1 +0 +70 +150 " <<<"$out" || fail "text row: $out"

# A record that cannot be read is named on stderr; the others are still analysed, exit 1.
head -c 20 "$work/2603150905.oxi" >"$work/short.oxi"
err=$("$tool" analyze "$work/short.oxi" "$work/2603150905.oxi" --format csv \
  -o "$work/mixed.csv" 2>&1)
rc=$?
[ "$rc" -eq 1 ] || fail "exit code $rc with an unreadable record"
[ "$(wc -l <<<"$err")" -eq 1 ] && grep -q "short.oxi" <<<"$err" || fail "stderr: $err"
[ "$(wc -l <"$work/mixed.csv")" -eq 2 ] || fail "mixed: $(cat "$work/mixed.csv")"

# A store: the records of the dates asked, from every device.
store="$work/store/Application Data/StO2"
mkdir -p "$store/OXIAAAAAAAAAAAA" "$store/OXIBBBBBBBBBBBB"
cp "$work/2603150905.oxi" "$store/OXIAAAAAAAAAAAA/"
cp "$work/2603150905.oxi" "$store/OXIBBBBBBBBBBBB/"
make "$store/OXIBBBBBBBBBBBB/2603170905.oxi" "r.bouts(10)" "(26, 3, 17, 9, 5)"
"$tool" analyze --root "$work/store" --from 2026-03-15 --to 2026-03-16 --format json \
  -o "$work/store.json" || fail "analyze --root"
python3 - "$work/store.json" <<'PY' || fail "store analysis"
import json, sys
records = [r["record"].replace("\\", "/").split("/")[-2:] for r in json.load(open(sys.argv[1]))]
assert records == [["OXIAAAAAAAAAAAA", "2603150905.oxi"], ["OXIBBBBBBBBBBBB", "2603150905.oxi"]], records
PY

# Output that cannot be written fails; arguments that make no sense are refused.
"$tool" analyze "$work/2603150905.oxi" -o "$work" 2>/dev/null && fail "wrote over a folder"
one="$work/2603150905.oxi"
for args in "" "$one --delta 0" "$one --smooth -1" "$one --zones 60,40" "$one --format xml" \
  "$one --from 2026-01-01" "--root $work/store $one" "--root $work/nostore"; do
  # shellcheck disable=SC2086
  "$tool" analyze $args >/dev/null 2>&1 && fail "accepted: analyze $args"
done

finish "oxitool analyze"

#!/bin/bash
# oxitool trend over a store downloaded from the demo monitor: the figures of every record
# are those oxitool analyze gives for it, the cache serves a second run, two runs filling
# the cache at once both answer right and leave it whole, and the plot is a picture.
source "$(dirname "$0")/lib/checks.sh"
unset OXI_SIMULATED_MONITOR

"$tool" demo-monitor -o "$work/demo.img" --measurements 8 --seed 7 || fail "demo-monitor"
OXI_SIMULATED_MONITOR="$work/demo.img" "$tool" download --root "$work" >/dev/null 2>&1 ||
  fail "download"
"$tool" analyze --root "$work" --format json -o "$work/analyze.json" || fail "analyze"
"$tool" trend --root "$work" --format json -o "$work/trend.json" 2>"$work/err" ||
  fail "trend: $(cat "$work/err")"
[ ! -s "$work/err" ] || fail "a first trend said: $(cat "$work/err")"

python3 - "$work/analyze.json" "$work/trend.json" <<'PY' || fail "trend against analyze"
import json, statistics, sys
analyses = {a["record"]: a for a in json.load(open(sys.argv[1], encoding="utf-8"))}
rows = json.load(open(sys.argv[2], encoding="utf-8"))
assert len(rows) == len(analyses) == 8, (len(rows), len(analyses))
assert [r["start"] for r in rows] == sorted(r["start"] for r in rows), "not by start"
def median(values):  # a median of values written to `places` decimals is good to half of one
    return statistics.median(values) if values else None
for r in rows:
    a = analyses[r["record"]]
    s, e = a["summary"], a["episodes"]
    want = {"device": a["device"], "start": a["start"], "valid_samples": s["valid_samples"],
            "sto2_min": s["sto2"]["min"], "sto2_max": s["sto2"]["max"],
            "sto2_mean": s["sto2"]["mean"], "tohb_mean": s["tohb"]["mean"],
            "hr_mean": s["hr"]["mean"], "hr_max": s["hr"]["max"], "episodes": len(e),
            "desat_slope_min": min((x["desat_slope"] for x in e if x["desat_slope"] is not None), default=None),
            "reox_slope_max": max((x["reox_slope"] for x in e if x["reox_slope"] is not None), default=None),
            "zone_seconds": [z["seconds"] for z in a["zones"]]}
    assert {k: r[k] for k in want} == want, (r, want)
    assert r["duration_s"] >= sum(z["seconds"] for z in a["zones"]), r
    for key, values in (("drop_median", [x["drop"] for x in e]),
                        ("half_recovery_median_s", [x["half_recovery_s"] for x in e if x["half_recovery_s"] is not None])):
        m = median(values)
        assert (r[key] is None) == (m is None) and (m is None or abs(r[key] - m) <= 0.005 + 1e-9), (key, r[key], m)
PY

# The cache serves the second run with the same answer and nothing said.
cache=$(echo "$work/Application Data/StO2/OXIDEMO00000001/Cache/Figures")
[ -s "$cache" ] || fail "no cache written"
"$tool" trend --root "$work" --format json 2>"$work/err" | cmp -s - "$work/trend.json" ||
  fail "a warm run differs"
[ ! -s "$work/err" ] || fail "a warm run said: $(cat "$work/err")"

# Two runs filling the cache at once: both right, and the cache whole afterwards.
for round in 1 2 3; do
  rm -f "$cache"
  "$tool" trend --root "$work" --format json -o "$work/a.json" 2>"$work/a.err" &
  "$tool" trend --root "$work" --format json -o "$work/b.json" 2>"$work/b.err" &
  wait
  cmp -s "$work/a.json" "$work/trend.json" && cmp -s "$work/b.json" "$work/trend.json" ||
    fail "round $round: a run at once differs"
  "$tool" trend --root "$work" --format json 2>"$work/err" | cmp -s - "$work/trend.json" ||
    fail "round $round: after two at once"
  # Windows refuses to replace a file another program is replacing at that moment: the run
  # that loses says its cache was not written, which is all it may say.
  grep -hv 'Figures: not written' "$work/a.err" "$work/b.err" >"$work/ab.err" || true
  [ ! -s "$work/ab.err" ] && [ ! -s "$work/err" ] ||
    fail "round $round said: $(cat "$work/a.err" "$work/b.err" "$work/err")"
done

# A cache cut short is made again with one line on stderr, and the answer is the same.
head -c 300 "$cache" >"$work/cut" && cp "$work/cut" "$cache"
"$tool" trend --root "$work" --format json 2>"$work/err" | cmp -s - "$work/trend.json" ||
  fail "after a cut cache"
[ "$(wc -l <"$work/err")" -eq 1 ] || fail "a cut cache: $(cat "$work/err")"

# CSV: the columns named, a row per record; dates and device choose the rows.
"$tool" trend --root "$work" --device DEMO00000001 --format csv -o "$work/t.csv" || fail "csv"
head -1 "$work/t.csv" | grep -qx "record,device,start,duration_s,valid_samples,sto2_min,sto2_max,sto2_mean,tohb_mean,hr_mean,hr_max,episodes,drop_median,half_recovery_median_s,desat_slope_min,reox_slope_max,zone_1_s,zone_2_s,zone_3_s" ||
  fail "csv header: $(head -1 "$work/t.csv")"
[ "$(wc -l <"$work/t.csv")" -eq 9 ] || fail "csv rows: $(wc -l <"$work/t.csv")"
[ "$("$tool" trend --root "$work" --device NOSUCHDEVICE | wc -l)" -eq 1 ] || fail "--device"
[ "$("$tool" trend --root "$work" --from 2000-01-01 --to 2000-01-02 | wc -l)" -eq 1 ] ||
  fail "--from/--to"

# PNG: a picture of a panel per figure.
"$tool" trend --root "$work" --format png -o "$work/t.png" || fail "png"
python3 -c "
import sys
b = open(sys.argv[1], 'rb').read()
assert b[:8] == b'\x89PNG\r\n\x1a\n', b[:8]
w, h = int.from_bytes(b[16:20], 'big'), int.from_bytes(b[20:24], 'big')
assert w == 1000 and h > 16 * 110, (w, h)" "$work/t.png" || fail "png header"

# Refused: no root, an unknown format, a store that is not there.
"$tool" trend --format csv 2>/dev/null && fail "no --root accepted"
"$tool" trend --root "$work" --format xml 2>/dev/null && fail "--format xml accepted"
"$tool" trend --root "$work/none" 2>/dev/null && fail "a missing store accepted"
finish oxitool_trend

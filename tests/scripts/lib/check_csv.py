"""The UTF-8 CSV read by Python's csv module: header, one row per sample, every number
through float(), empty cells where a value is missing."""
import csv
import datetime
import sys

from oxi_record import Record

COLUMNS = ["time_s", "elapsed", "local_time", "sto2_percent", "heart_rate_bpm",
           "oxhb_mM", "dxhb_mM", "tohb_mM"]


def check(record_path, csv_path, bom):
    rec = Record(record_path)
    raw = open(csv_path, "rb").read()
    assert raw.startswith(b"\xef\xbb\xbf") == bom, "byte-order mark"
    assert b"\r" not in raw, "CR in file"
    text = raw.decode("utf-8-sig" if bom else "utf-8")
    rows = list(csv.reader(text.splitlines()))
    assert rows[0] == COLUMNS, rows[0]
    assert len(rows) == 1 + len(rec.samples), (len(rows), len(rec.samples))
    for i, (row, sample) in enumerate(zip(rows[1:], rec.samples)):
        assert len(row) == len(COLUMNS), row
        seconds = rec.seconds(i)
        assert abs(float(row[0]) - seconds) < 1e-9, row
        h, rest = divmod(seconds, 3600)
        assert row[1] == "%02d:%02d:%04.1f" % (h, rest // 60, rest % 60), row
        assert datetime.datetime.fromisoformat(row[2]) == rec.local_time(seconds), row
        for cell, want in zip(row[3:], Record.values(sample)):
            if want is None:
                assert cell == "", row
            else:
                assert abs(float(cell) - want) < 1e-9, row


if __name__ == "__main__":
    # [--bom] RECORD.oxi FILE.csv [RECORD.oxi FILE.csv...]
    bom = sys.argv[1] == "--bom"
    args = sys.argv[2:] if bom else sys.argv[1:]
    for k in range(0, len(args), 2):
        try:
            check(args[k], args[k + 1], bom)
        except AssertionError as e:
            sys.exit("FAIL %s: %s" % (args[k + 1], e))

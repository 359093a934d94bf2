"""A SNIRF file read by MNE-Python and h5py: every field the SNIRF format
requires, the types it requires, the record's values in mol/L, %, 1/min, and the
episodes of oxitool's analysis of the record as events."""
import datetime
import json
import sys

import h5py
import mne
import numpy as np

from oxi_record import Record

# Required by the SNIRF format (its schema table, '*' and '+' marks): paths below
# /nirs, and per indexed group.
REQUIRED = ["formatVersion", "nirs", "nirs/metaDataTags", "nirs/metaDataTags/SubjectID",
            "nirs/metaDataTags/MeasurementDate", "nirs/metaDataTags/MeasurementTime",
            "nirs/metaDataTags/LengthUnit", "nirs/metaDataTags/TimeUnit",
            "nirs/metaDataTags/FrequencyUnit", "nirs/data1", "nirs/data1/dataTimeSeries",
            "nirs/data1/time", "nirs/probe", "nirs/probe/wavelengths"]
MEASUREMENT_LIST = ["sourceIndex", "detectorIndex", "wavelengthIndex", "dataType",
                    "dataTypeIndex", "dataTypeLabel"]  # the label: required as processed
AUX = ["name", "dataTimeSeries", "time"]
ONE_OF = [("nirs/probe/sourcePos2D", "nirs/probe/sourcePos3D"),
          ("nirs/probe/detectorPos2D", "nirs/probe/detectorPos3D")]
STRINGS = ["formatVersion"] + [p for p in REQUIRED if p.startswith("nirs/metaDataTags/")]
AUX_SERIES = [("HbT", "M", 4), ("StO2", "%", 0), ("HR", "1/min", 1)]  # index into values


def check_structure(f, rec):
    for path in REQUIRED:
        assert path in f, "missing " + path
    for pair in ONE_OF:
        assert any(p in f for p in pair), "missing " + " or ".join(pair)
    lists = sorted(k for k in f["nirs/data1"] if k.startswith("measurementList"))
    assert lists == ["measurementList1", "measurementList2"], lists
    for name in lists:
        for field in MEASUREMENT_LIST:
            ds = f["nirs/data1/%s/%s" % (name, field)]
            assert ds.shape == (), "%s/%s not scalar" % (name, field)
        assert f["nirs/data1/%s/dataType" % name][()] == 99999
        assert f["nirs/data1/%s/dataUnit" % name][()] == b"M"
        assert f["nirs/data1/%s/dataType" % name].dtype == np.int32
    for path in STRINGS + ["nirs/data1/measurementList1/dataTypeLabel"]:
        assert f[path].shape == () and f[path].id.get_type().is_variable_str(), path + " not a string"
    assert f["nirs/metaDataTags/SubjectID"][()] == rec.device.encode()
    assert f["nirs/data1/dataTimeSeries"].shape == (len(rec.samples), 2)
    assert len(f["nirs/probe/wavelengths"]) == 2


def check_aux(f, rec):
    for j, (name, unit, index) in enumerate(AUX_SERIES, start=1):
        group = "nirs/aux%d" % j
        for field in AUX:
            assert group + "/" + field in f, "missing %s/%s" % (group, field)
        assert f[group + "/name"][()] == name.encode()
        assert f[group + "/dataUnit"][()] == unit.encode()
        got = f[group + "/dataTimeSeries"][()].ravel()
        for g, sample in zip(got, rec.samples):
            want = Record.values(sample)[index]
            if want is None:
                assert np.isnan(g), (name, g)
            else:
                want = want / 1000 if unit == "M" else want  # mM to M
                assert abs(g - want) < 1e-12 + 1e-9 * abs(want), (name, g, want)


def episode_events(rec, analysis):
    """(onset, duration, amplitude) of each episode: from its peak to its recovery
    maximum, or to the last sample when the record ends before it recovers."""
    last = rec.seconds(len(rec.samples) - 1)
    return [(e["peak_s"], (e["recovery_max_s"] if e["recovery_max_s"] is not None else last)
             - e["peak_s"], e["drop"]) for e in analysis["episodes"]]


def check_stim(f, rec, analysis):
    events = episode_events(rec, analysis)
    if not events:
        assert "nirs/stim1" not in f, "a stim group without episodes"
        return
    assert f["nirs/stim1/name"][()] == b"episodes"
    data = f["nirs/stim1/data"][()]
    assert data.shape == (len(events), 3), data.shape
    for got, want in zip(data, events):
        # The analysis's JSON gives levels to 0.01.
        assert all(abs(g - w) < 0.0051 for g, w in zip(got, want)), (got, want)


def check_mne(path, rec, start_utc, analysis):
    raw = mne.io.read_raw_snirf(path, preload=True, verbose="error")
    assert raw.get_channel_types() == ["hbo", "hbr"], raw.get_channel_types()
    if len(rec.samples) > 1:
        assert abs(raw.info["sfreq"] - 10 / rec.rate) < 1e-9, raw.info["sfreq"]
    assert raw.info["meas_date"] == start_utc, (raw.info["meas_date"], start_utc)
    onsets = [e["peak_s"] for e in analysis["episodes"]]
    assert list(raw.annotations.description) == ["episodes"] * len(onsets), raw.annotations
    assert np.allclose(raw.annotations.onset, onsets, atol=1e-9), (raw.annotations.onset, onsets)
    data = raw.get_data()
    for i, sample in enumerate(rec.samples):
        _, _, ox, dx, _ = Record.values(sample)
        for got, want in ((data[0, i], ox), (data[1, i], dx)):
            if want is None:
                assert np.isnan(got), (i, got)
            else:
                assert abs(got - want / 1000) < 1e-15, (i, got, want)


def check(record_path, snirf_path, analysis_path, utc_offset_hours):
    rec = Record(record_path)
    with open(analysis_path, encoding="utf-8") as f:
        analysis = json.load(f)[0]
    start_utc = (rec.local_start - datetime.timedelta(hours=utc_offset_hours)).replace(
        tzinfo=datetime.timezone.utc)
    with h5py.File(snirf_path, "r") as f:
        check_structure(f, rec)
        check_aux(f, rec)
        check_stim(f, rec, analysis)
    check_mne(snirf_path, rec, start_utc, analysis)


if __name__ == "__main__":
    # UTC_OFFSET_HOURS RECORD.oxi FILE.snirf ANALYSIS.json [...]
    for k in range(2, len(sys.argv), 3):
        try:
            check(sys.argv[k], sys.argv[k + 1], sys.argv[k + 2], float(sys.argv[1]))
        except AssertionError as e:
            sys.exit("FAIL %s: %s" % (sys.argv[k + 1], e))

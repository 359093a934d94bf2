"""Record files for the export checks: written from a list of samples, read back as the
values each reader must show. Independent of the program's own code on purpose."""
import datetime
import math
import struct

HEADER = 29


def write(path, samples, rate, start=(26, 3, 15, 9, 5), device=b"0123456789AB"):
    """samples: (sto2, hr, oxhb, dxhb) tuples, sto2 negative for an invalid sample."""
    head = device + bytes(start) + bytes([0, 0, 0, 55, rate])
    head += struct.pack("<H", 600) + bytes([0, 180, 6]) + struct.pack("<H", len(samples) & 0xFFFF)
    body = b"".join(struct.pack("<hBBB", *s) for s in samples)
    with open(path, "wb") as f:
        f.write(head + body)


def varied(n, invalid_every=7):
    """n samples with invalid StO2 and out-of-range heart rates mixed in."""
    out = []
    for i in range(n):
        sto2 = -1 if i % invalid_every == 3 else 300 + (i * 37) % 700
        hr = [45, 50, 120, 200, 201, 0][i % 6] if i % 5 == 0 else 60 + i % 130
        out.append((sto2, hr, (i * 13) % 256, (i * 7) % 256))
    return out


def bouts(n):
    """n samples of exercise bouts of 300 s at 1 Hz, one after another: StO2 70 % until
    60 s, a straight fall to 30 % at 120 s, 30 % until 150 s, then a recovery
    70 - 40 e^(-(t - 150) / 20); heart rate 120, oxHb 0.060 and dxHb 0.040 mM."""
    out = []
    for i in range(n):
        t = i % 300
        percent = 70.0
        if 60 <= t <= 120:
            percent = 70 - (t - 60) * 40 / 60
        if t > 120:
            percent = 30.0
        if t > 150:
            percent = 70 - 40 * math.exp(-(t - 150) / 20)
        out.append((math.floor(percent * 10 + 0.5), 120, 60, 40))
    return out


class Record:
    def __init__(self, path):
        data = open(path, "rb").read()
        self.device = data[:12].decode("ascii")
        y, mo, d, h, mi = data[12:17]
        self.local_start = datetime.datetime(2000 + y, mo, d, h, mi)
        self.rate = data[21] or 10  # tenths of a second; 0 counts as 1 s
        self.samples = [struct.unpack("<hBBB", data[i:i + 5])
                        for i in range(HEADER, len(data) - 4, 5)]

    def seconds(self, i):
        return i * self.rate / 10

    def local_time(self, seconds):
        """The wall clock `seconds` after the start: the time zone's (TZ) at that instant,
        so that a summer-time change moves it as it moves every clock."""
        return datetime.datetime.fromtimestamp(self.local_start.timestamp() + seconds)

    @staticmethod
    def values(sample):
        """(sto2 %, hr bpm, oxhb mM, dxhb mM, tohb mM), None where missing."""
        sto2, hr, ox, dx = sample
        hr = hr if 50 <= hr <= 200 else None
        if sto2 < 0:
            return None, hr, None, None, None
        return sto2 / 10, hr, ox / 1000, dx / 1000, (ox + dx) / 1000

"""Compares two renders of the graph control where no text is drawn: the plots below their
titles, the frame columns and the scroll bar. Glyphs come from different engines on Linux
and Windows; lines, curves, grid and scroll bar come from the same rasterizer.
   same_pixels_outside_text.py A.png B.png"""
import struct
import sys
import zlib

# (left, top, right, bottom), inclusive: the plots' frames and insides below the plot
# titles, the control's outer columns, the scroll bar strip.
REGIONS = [(60, 51, 660, 325), (60, 361, 660, 635), (0, 0, 0, 684), (719, 0, 719, 684),
           (0, 662, 719, 684)]


def read_png(path):
    """The pixels of an 8-bit RGB or RGBA PNG without interlacing, as rows of tuples."""
    data = open(path, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", path
    pos, idat, width, height, channels = 8, b"", 0, 0, 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            assert depth == 8 and colour in (2, 6) and interlace == 0, (path, depth, colour)
            channels = 3 if colour == 2 else 4
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        line = raw[y * (stride + 1):(y + 1) * (stride + 1)]
        kind, row = line[0], bytearray(line[1:])
        for i in range(stride):
            a = row[i - channels] if i >= channels else 0
            b = previous[i]
            c = previous[i - channels] if i >= channels else 0
            if kind == 1:
                row[i] = (row[i] + a) & 0xFF
            elif kind == 2:
                row[i] = (row[i] + b) & 0xFF
            elif kind == 3:
                row[i] = (row[i] + (a + b) // 2) & 0xFF
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                row[i] = (row[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
        rows.append([tuple(row[x * channels:x * channels + 3]) for x in range(width)])
        previous = row
    return rows


a, b = read_png(sys.argv[1]), read_png(sys.argv[2])
if (len(a), len(a[0])) != (len(b), len(b[0])):
    sys.exit("sizes differ: %dx%d and %dx%d" % (len(a[0]), len(a), len(b[0]), len(b)))
differing = [(x, y) for (l, t, r, btm) in REGIONS for y in range(t, btm + 1)
             for x in range(l, r + 1) if a[y][x] != b[y][x]]
if differing:
    sys.exit("%d pixels differ, the first at %s" % (len(differing), differing[:5]))

#!/usr/bin/env python3
"""Draws the ZORVAN-DIGI icon and writes it as a Windows .ico file.

The picture: a navy rounded square with the tuning bars of a two-tone digital signal
(the two tall bars are the mark and space tones) in the module's colours, green for
what is still to work and magenta for what is worked, standing on a pale yellow
baseline, the background colour of the module's windows.

Three images, 48, 32 and 16 pixels, each 32-bit BGRA with an AND mask (set where the
pixel is transparent, for renderers that ignore alpha). Each size has its own pixel
layout so the bars stay sharp; edges are smoothed by 8x8 supersampling. Only exact
arithmetic is used (no trigonometry), so the output is the same byte for byte on any
machine: the committed .ico is checked against this script by a test.

Usage: make_icon.py OUT.ico
"""
import struct
import sys

# Colours (red, green, blue).
NAVY_TOP = (38, 70, 132)
NAVY_BOTTOM = (18, 36, 82)
OUTLINE = (8, 18, 44)
GREEN = (40, 220, 60)
MAGENTA = (235, 40, 235)
BASE = (255, 250, 198)

# Per size: corner radius of the square, bar width and gap, baseline top and height,
# and the bars from left to right as (height above the baseline, colour), in pixels.
# The magenta bars are the two tones; the smallest size keeps only the middle three.
LAYOUTS = {
    48: dict(radius=10.0, bar=5, gap=3, base_top=37, base_h=3,
             bars=((9, GREEN), (25, MAGENTA), (14, GREEN), (25, MAGENTA), (9, GREEN))),
    32: dict(radius=7.0, bar=3, gap=2, base_top=24, base_h=2,
             bars=((6, GREEN), (16, MAGENTA), (9, GREEN), (16, MAGENTA), (6, GREEN))),
    16: dict(radius=3.5, bar=2, gap=1, base_top=12, base_h=1,
             bars=((8, MAGENTA), (4, GREEN), (8, MAGENTA))),
}
SUPERSAMPLE = 8


def inside_rounded_square(x, y, size, inset, radius):
    """True when (x, y) lies inside the square [inset, size - inset] with rounded corners."""
    lo, hi = inset, size - inset
    r = radius - (inset - 0.5) if inset > 0.5 else radius
    if not (lo <= x <= hi and lo <= y <= hi):
        return False
    cx = min(max(x, lo + r), hi - r)
    cy = min(max(y, lo + r), hi - r)
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r


def shape_colour(x, y, size, layout):
    """The colour of the point (x, y) of the picture, or None outside it."""
    if not inside_rounded_square(x, y, size, 0.5, layout["radius"]):
        return None
    outline = 1.0 if size < 32 else 1.5
    if not inside_rounded_square(x, y, size, 0.5 + outline, layout["radius"]):
        return OUTLINE
    bars = layout["bars"]
    bar, gap = layout["bar"], layout["gap"]
    span = len(bars) * bar + (len(bars) - 1) * gap
    left = (size - span) // 2
    base_top, base_h = layout["base_top"], layout["base_h"]
    base_left, base_right = left - gap, left + span + gap
    if base_top <= y < base_top + base_h and base_left <= x < base_right:
        return BASE
    for i, (h, colour) in enumerate(bars):
        x0 = left + i * (bar + gap)
        if x0 <= x < x0 + bar and base_top - h <= y < base_top:
            return colour
    # The square's fill: a vertical blend from the top colour to the bottom one.
    t = y / size
    return tuple(a + (b - a) * t for a, b in zip(NAVY_TOP, NAVY_BOTTOM))


def render(size):
    """Rows of (r, g, b, a) bytes, top row first."""
    layout = LAYOUTS[size]
    n = SUPERSAMPLE
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0]
            covered = 0
            for sy in range(n):
                for sx in range(n):
                    c = shape_colour(px + (sx + 0.5) / n, py + (sy + 0.5) / n, size, layout)
                    if c is not None:
                        covered += 1
                        for k in range(3):
                            acc[k] += c[k]
            if covered:
                rgb = tuple(int(acc[k] / covered + 0.5) for k in range(3))
            else:
                rgb = (0, 0, 0)
            row.append(rgb + ((covered * 255 + n * n // 2) // (n * n),))
        rows.append(row)
    return rows


def icon_image(size):
    """One image of the .ico: header, BGRA pixels bottom-up, AND mask bottom-up."""
    rows = render(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(struct.pack("<BBBB", b, g, r, a) for row in reversed(rows)
                      for (r, g, b, a) in row)
    stride = (size + 31) // 32 * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def icon_file(sizes=(48, 32, 16)):
    images = [icon_image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    with open(argv[1], "wb") as f:
        f.write(icon_file())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

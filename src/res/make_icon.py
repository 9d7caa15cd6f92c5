#!/usr/bin/env python3
"""Draws the program icon and writes memorion.ico (16, 24, 32, 48 and 256 pixels).

The picture is a flash card behind a speech bubble that holds the letter M, in a few flat
colours. Shapes are described in unit coordinates (0..1, y down) and rendered by
supersampling, so that every size is drawn from the same geometry rather than scaled from
one bitmap. Standard library only; run it again after changing the picture and commit the
.ico, so that building the program needs no Python:

    python3 src/res/make_icon.py [output.ico]
"""

import math
import os
import struct
import sys
import zlib

SIZES = (16, 24, 32, 48, 256)

# Colours as (r, g, b).
CARD = (0xF5, 0xA6, 0x23)        # the flash card behind
CARD_EDGE = (0xB8, 0x6E, 0x0A)
CARD_LINE = (0xFF, 0xE3, 0xB0)   # ruled lines on the card
BUBBLE = (0x2F, 0x6F, 0xD6)      # the speech bubble in front
BUBBLE_EDGE = (0x17, 0x3E, 0x86)
LETTER = (0xFF, 0xFF, 0xFF)


def round_rect_distance(x, y, left, top, right, bottom, radius):
    """Signed distance from (x, y) to a rounded rectangle: negative inside."""
    cx, cy = (left + right) / 2, (top + bottom) / 2
    hx, hy = (right - left) / 2 - radius, (bottom - top) / 2 - radius
    dx, dy = abs(x - cx) - hx, abs(y - cy) - hy
    outside = math.hypot(max(dx, 0.0), max(dy, 0.0))
    return outside + min(max(dx, dy), 0.0) - radius


def segment_distance(x, y, ax, ay, bx, by):
    abx, aby = bx - ax, by - ay
    t = ((x - ax) * abx + (y - ay) * aby) / (abx * abx + aby * aby)
    t = min(max(t, 0.0), 1.0)
    return math.hypot(x - (ax + t * abx), y - (ay + t * aby))


def polygon_distance(x, y, points):
    """Signed distance to a simple polygon: negative inside (even-odd rule)."""
    inside = False
    best = float("inf")
    n = len(points)
    for i in range(n):
        ax, ay = points[i]
        bx, by = points[(i + 1) % n]
        best = min(best, segment_distance(x, y, ax, ay, bx, by))
        if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
            inside = not inside
    return -best if inside else best


BUBBLE_TAIL = [(0.15, 0.78), (0.36, 0.78), (0.10, 0.97)]

# An M of straight strokes: two upright bars joined by a V that reaches below the middle.
LETTER_M = [
    (0.19, 0.74), (0.19, 0.38), (0.29, 0.38), (0.40, 0.535), (0.51, 0.38), (0.61, 0.38),
    (0.61, 0.74), (0.51, 0.74), (0.51, 0.545), (0.40, 0.69), (0.29, 0.545), (0.29, 0.74),
]


def sample(x, y, edge):
    """Colour and coverage of the picture at one point; edge is the outline width."""
    bubble = min(round_rect_distance(x, y, 0.04, 0.26, 0.76, 0.84, 0.10),
                 polygon_distance(x, y, BUBBLE_TAIL))
    if bubble < 0:
        if polygon_distance(x, y, LETTER_M) < 0:
            return LETTER
        return BUBBLE_EDGE if bubble > -edge else BUBBLE
    card = round_rect_distance(x, y, 0.30, 0.04, 0.96, 0.64, 0.08)
    if card < 0:
        if card > -edge:
            return CARD_EDGE
        # Two ruled lines in the part of the card that the bubble leaves visible.
        for line_y in (0.14, 0.22):
            if abs(y - line_y) < edge * 0.9 and 0.42 < x < 0.86:
                return CARD_LINE
        return CARD
    return None


def render(size):
    """Returns rows of (r, g, b, a), top row first, premultiplied-free."""
    grid = 4 if size <= 48 else 3
    # Outlines stay about one pixel wide at the small sizes and thin at the large one.
    edge = max(1.0 / size, 0.018)
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = hits = 0
            for sy in range(grid):
                for sx in range(grid):
                    colour = sample((px + (sx + 0.5) / grid) / size,
                                    (py + (sy + 0.5) / grid) / size, edge)
                    if colour is not None:
                        r += colour[0]
                        g += colour[1]
                        b += colour[2]
                        hits += 1
            if hits:
                row.append((round(r / hits), round(g / hits), round(b / hits),
                            round(255 * hits / (grid * grid))))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def bmp_image(rows):
    """A 32-bit icon bitmap: header, BGRA pixels bottom-up, then the 1-bit AND mask."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + bytes(pixels) + bytes(mask)


def png_image(rows):
    size = len(rows)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    raw = bytearray()
    for row in rows:
        raw.append(0)  # filter: none
        for pixel in row:
            raw += bytes(pixel)
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))


def build_ico():
    images = []
    for size in SIZES:
        rows = render(size)
        # Vista and later read PNG for the 256-pixel image; it keeps the file small.
        images.append((size, png_image(rows) if size >= 256 else bmp_image(rows)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        dim = 0 if size >= 256 else size
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    return out


def main():
    target = (sys.argv[1] if len(sys.argv) > 1
              else os.path.join(os.path.dirname(os.path.abspath(__file__)), "memorion.ico"))
    with open(target, "wb") as f:
        f.write(build_ico())


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Draws Vantrelle's application icon and writes it as a multi-size .ico.

The picture: a rounded square shading from violet to blue, a white "V" and
a small gold star at its upper right. Each size is drawn on its own with 4x4
supersampling, so the small sizes stay crisp. Standard library only.

Usage: tools/make_icon.py [output.ico]   (default: app/vantrelle.ico)
"""
import math
import struct
import sys
from pathlib import Path

SIZES = (16, 24, 32, 48, 64)
SUPERSAMPLE = 4


def inside_rounded_square(x, y, radius):
    """x, y in 0..1; the square spans 0.03..0.97 with rounded corners."""
    lo, hi = 0.03, 0.97
    cx = min(max(x, lo + radius), hi - radius)
    cy = min(max(y, lo + radius), hi - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2 and lo <= x <= hi and lo <= y <= hi


def distance_to_segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def inside_v(x, y):
    """Two thick strokes meeting at the bottom."""
    width = 0.085
    return (distance_to_segment(x, y, 0.24, 0.26, 0.47, 0.78) <= width or
            distance_to_segment(x, y, 0.70, 0.26, 0.47, 0.78) <= width)


def star_points(cx, cy, outer, inner):
    points = []
    for i in range(10):
        angle = -math.pi / 2 + i * math.pi / 5
        r = outer if i % 2 == 0 else inner
        points.append((cx + r * math.cos(angle), cy + r * math.sin(angle)))
    return points


STAR = star_points(0.78, 0.22, 0.16, 0.07)


def inside_polygon(x, y, points):
    result = False
    j = len(points) - 1
    for i, (xi, yi) in enumerate(points):
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            result = not result
        j = i
    return result


def sample(x, y):
    """The colour (r, g, b, a) of the picture at x, y in 0..1."""
    if inside_polygon(x, y, STAR):
        return (255, 200, 40, 255)
    if not inside_rounded_square(x, y, 0.2):
        return (0, 0, 0, 0)
    if inside_v(x, y):
        return (255, 255, 255, 255)
    t = (x + y) / 2  # violet at the top left to blue at the bottom right
    return (int(150 - 110 * t), int(60 + 40 * t), int(220 + 30 * t), 255)


def draw(size):
    """Rows of premultiplied-then-averaged BGRA pixels, top row first."""
    rows = []
    n = SUPERSAMPLE
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0
            for sy in range(n):
                for sx in range(n):
                    cr, cg, cb, ca = sample((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size)
                    r += cr * ca
                    g += cg * ca
                    b += cb * ca
                    a += ca
            if a:
                row.append((b // a, g // a, r // a, a // (n * n)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def icon_image(size):
    """One icon entry: a BITMAPINFOHEADER, the 32-bit XOR bitmap bottom-up,
    and the 1-bit AND mask (transparent where alpha is low)."""
    rows = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes(channel for pixel in row for channel in pixel) for row in reversed(rows))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, pixel in enumerate(row):
            if pixel[3] < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "app" / "vantrelle.ico"
    images = [icon_image(size) for size in SIZES]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, image in zip(SIZES, images):
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    out.write_bytes(directory + entries + b"".join(images))


if __name__ == "__main__":
    main()

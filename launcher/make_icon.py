#!/usr/bin/env python3
"""Draws corvane.ico (32x32 and 16x16, 32-bit with alpha): a blue disc
with a white open ring, a "C", and an amber dot in the ring's opening."""
import math
import struct
import sys

SUPERSAMPLE = 4
DISC = (0x1f, 0x4e, 0x9a)
DISC_LIGHT = (0x4a, 0x86, 0xd8)
RING = (0xff, 0xff, 0xff)
DOT = (0xf5, 0xa6, 0x23)


def shade(x, y):
    """The colour and coverage of one point in the unit square (0..1)."""
    dx, dy = x - 0.5, y - 0.5
    r = math.hypot(dx, dy)
    if math.hypot(x - 0.80, y - 0.50) <= 0.085:
        return DOT
    angle = math.degrees(math.atan2(dy, dx))  # 0 = right, opening faces right
    if 0.22 <= r <= 0.34 and abs(angle) >= 40:
        return RING
    if r <= 0.47:
        t = min(1.0, max(0.0, (x + y) / 2))  # light from the top left
        return tuple(round(a + (b - a) * t) for a, b in zip(DISC_LIGHT, DISC))
    return None


def render(size):
    """Rows of (r, g, b, a), top row first."""
    rows = []
    n = SUPERSAMPLE
    for py in range(size):
        row = []
        for px in range(size):
            total = [0, 0, 0]
            hits = 0
            for sy in range(n):
                for sx in range(n):
                    c = shade((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size)
                    if c:
                        hits += 1
                        total = [t + v for t, v in zip(total, c)]
            if hits:
                row.append(tuple(round(t / hits) for t in total) + (round(255 * hits / (n * n)),))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def dib(size):
    rows = render(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = b""
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + pixels + mask


def main(path):
    sizes = (32, 16)
    images = [dib(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "corvane.ico")

#!/usr/bin/env python3
"""Draws corvane.ico (32x32 and 16x16, 32-bit with alpha): a blue disc
with a white open ring, a "C", and an amber dot in the ring's opening."""
import math
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tools"))
from icon_file import render, write_ico  # noqa: E402

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


def main(path):
    write_ico(path, [render(shade, size, SUPERSAMPLE) for size in (32, 16)],
              record_image_size=False)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "corvane.ico")

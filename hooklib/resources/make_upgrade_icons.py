#!/usr/bin/env python3
"""Draws the upgrade monitor's icons as 32x32 icons, 32-bit with alpha:
product.ico (103: a blue disc with a white open ring and an amber
dot), upgrade_high.ico (108, high importance: a red disc with a white
up arrow) and upgrade_low.ico (109, low importance: a grey-green disc with
a white down arrow).

The importance marks fill only the top-left quarter-and-a-bit of their
square: the dialog places the icon just left of the importance text, and
the rest of the square stays transparent.  Run from this folder:
    python3 make_upgrade_icons.py
"""
import math
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools"))
from icon_file import render, write_ico  # noqa: E402

SIZE = 32
SUPERSAMPLE = 4
WHITE = (0xff, 0xff, 0xff)


def product(x, y):
    """Colour at a point of the unit square, or None where transparent."""
    dx, dy = x - 0.5, y - 0.5
    r = math.hypot(dx, dy)
    if math.hypot(x - 0.80, y - 0.50) <= 0.085:
        return (0xf5, 0xa6, 0x23)
    angle = math.degrees(math.atan2(dy, dx))
    if 0.22 <= r <= 0.34 and abs(angle) >= 40:
        return WHITE
    if r <= 0.47:
        t = min(1.0, max(0.0, (x + y) / 2))
        light, dark = (0x4a, 0x86, 0xd8), (0x1f, 0x4e, 0x9a)
        return tuple(round(a + (b - a) * t) for a, b in zip(light, dark))
    return None


MARK = 14 / SIZE  # side of the importance mark, from the top-left corner


def arrow(u, v, up):
    """Whether a point of the mark's unit square lies on the arrow."""
    if not up:
        v = 1 - v
    head = v >= 0.2 and v <= 0.55 and abs(u - 0.5) <= (v - 0.2) * 0.9
    shaft = 0.55 <= v <= 0.82 and abs(u - 0.5) <= 0.12
    return head or shaft


def importance(disc, up):
    def shade(x, y):
        u, v = x / MARK, y / MARK
        if u > 1 or v > 1:
            return None
        if math.hypot(u - 0.5, v - 0.5) > 0.5:
            return None
        return WHITE if arrow(u, v, up) else disc
    return shade


ICONS = {
    "product.ico": product,
    "upgrade_high.ico": importance((0xc8, 0x2a, 0x1e), up=True),
    "upgrade_low.ico": importance((0x6f, 0x8a, 0x6a), up=False),
}

if __name__ == "__main__":
    for name, shade in ICONS.items():
        write_ico(name, [render(shade, SIZE, SUPERSAMPLE)], record_image_size=False)

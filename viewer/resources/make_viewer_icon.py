#!/usr/bin/env python3
"""Writes the History Viewer's application icon, a closed history book with a
clock face on its cover, at 32x32 and 16x16 pixels.

The book is drawn in a 32-unit design space and sampled at each size, so both
images keep the same shape.  Run from this folder:
    python3 make_viewer_icon.py
"""
import math
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools"))
from icon_file import render, write_ico  # noqa: E402

COVER = (122, 38, 30)
COVER_LIGHT = (168, 62, 48)
SPINE = (84, 24, 20)
PAGES = (244, 240, 226)
PAGE_LINES = (190, 184, 168)
GOLD = (222, 178, 64)
CLOCK_FACE = (250, 248, 236)
CLOCK_HANDS = (40, 30, 30)

# Design space (32 units): cover, page block below and right of it.
BOOK_LEFT, BOOK_TOP, BOOK_RIGHT, BOOK_BOTTOM = 5, 2, 26, 27
PAGE_DEPTH = 3
CLOCK_X, CLOCK_Y, CLOCK_R = 16.5, 14.0, 6.5


def colour_at(u, v):
    """The book's colour at design point (u, v), None where transparent."""
    # Page block, seen at the bottom and right edges behind the cover.
    if BOOK_LEFT + 2 <= u < BOOK_RIGHT + PAGE_DEPTH and BOOK_TOP + PAGE_DEPTH <= v < BOOK_BOTTOM + PAGE_DEPTH:
        behind_cover = u < BOOK_RIGHT and v < BOOK_BOTTOM
        if not behind_cover:
            edge_line = int(u) % 2 == 0 if u >= BOOK_RIGHT else int(v) % 2 == 0
            return PAGE_LINES if edge_line else PAGES
    if not (BOOK_LEFT <= u < BOOK_RIGHT and BOOK_TOP <= v < BOOK_BOTTOM):
        return None
    distance = math.hypot(u - CLOCK_X, v - CLOCK_Y)
    if distance < CLOCK_R:
        if distance < CLOCK_R - 1.2:
            hour_hand = abs(u - CLOCK_X) < 0.9 and CLOCK_Y - 4.0 < v <= CLOCK_Y
            minute_hand = abs(v - CLOCK_Y) < 0.9 and CLOCK_X <= u < CLOCK_X + 4.5
            return CLOCK_HANDS if hour_hand or minute_hand else CLOCK_FACE
        return GOLD
    if u < BOOK_LEFT + 3:
        return SPINE
    if v < BOOK_TOP + 2 or BOOK_BOTTOM - 4 <= v < BOOK_BOTTOM - 2.5:
        return GOLD
    return COVER_LIGHT if u < BOOK_LEFT + 5 else COVER


def image(size):
    """Pixels (r, g, b, a) by row, top row first, sampled at pixel centres."""
    return render(lambda x, y: colour_at(x * 32, y * 32), size, supersample=1)


if __name__ == "__main__":
    write_ico("viewer.ico", [image(size) for size in (32, 16)])

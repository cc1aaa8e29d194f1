#!/usr/bin/env python3
"""Writes the three looks of the Buddy List's quick-menu button as 32x32 icons.

The visible button fills the part of the square that reacts to the mouse
(x 3..20, y 7..23); the rest stays transparent.  Run from this folder:
    python3 make_quick_menu_icons.py
"""
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools"))
from icon_file import TRANSPARENT, write_ico  # noqa: E402

SIZE = 32
LEFT, TOP, RIGHT, BOTTOM = 3, 7, 20, 23  # inclusive


def button(face, light, dark, glyph, shift):
    """Pixels (r, g, b, a) by row, top row first."""
    pixels = [[TRANSPARENT] * SIZE for _ in range(SIZE)]
    for y in range(TOP, BOTTOM + 1):
        for x in range(LEFT, RIGHT + 1):
            corner = (x in (LEFT, RIGHT)) and (y in (TOP, BOTTOM))
            if corner:
                continue
            if y == TOP or x == LEFT:
                colour = light
            elif y == BOTTOM or x == RIGHT:
                colour = dark
            else:
                colour = face
            pixels[y][x] = colour + (255,)
    # Three menu lines over a small arrow pointing down.
    for row in (11, 14, 17):
        for x in range(7, 17):
            pixels[row + shift][x + shift] = glyph + (255,)
    for step, y in enumerate(range(19, 22)):
        for x in range(9 + step, 15 - step):
            pixels[y + shift][x + shift] = glyph + (255,)
    return pixels


LOOKS = {
    "quick_menu_normal.ico": button((212, 208, 200), (255, 255, 255), (128, 128, 128),
                                    (40, 40, 40), 0),
    "quick_menu_hover.ico": button((200, 220, 250), (255, 255, 255), (60, 100, 180),
                                   (20, 60, 150), 0),
    "quick_menu_pressed.ico": button((160, 185, 225), (60, 100, 180), (255, 255, 255),
                                     (10, 40, 120), 1),
}

if __name__ == "__main__":
    for name, pixels in LOOKS.items():
        write_ico(name, [pixels])

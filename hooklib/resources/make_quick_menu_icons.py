#!/usr/bin/env python3
"""Writes the three looks of the Buddy List's quick-menu button as 32x32 icons.

The visible button fills the part of the square that reacts to the mouse
(x 3..20, y 7..23); the rest stays transparent.  Run from this folder:
    python3 make_quick_menu_icons.py
"""
import struct

SIZE = 32
LEFT, TOP, RIGHT, BOTTOM = 3, 7, 20, 23  # inclusive


def button(face, light, dark, glyph, shift):
    """Pixels (r, g, b, a) by row, top row first."""
    pixels = [[(0, 0, 0, 0)] * SIZE for _ in range(SIZE)]
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


def icon_bytes(pixels):
    xor = bytearray()
    mask = bytearray()
    for row in reversed(pixels):  # bitmaps run bottom-up
        bits = 0
        for x, (r, g, b, a) in enumerate(row):
            xor += bytes((b, g, r, a))
            if a == 0:
                bits |= 1 << (31 - x)
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    image = header + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


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
        with open(name, "wb") as out:
            out.write(icon_bytes(pixels))

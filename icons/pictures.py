"""The pictures our icons show.

Drawn pictures are shade functions for icon_file.render: the colour (r, g, b)
at a point of the unit square (x to the right, y down), or None where
transparent.  The quick-menu button is drawn pixel by pixel instead, since its
edges must fall exactly on the pixels that react to the mouse.
"""
import math

from icon_file import TRANSPARENT

WHITE = (0xff, 0xff, 0xff)


# The logo: a blue disc lit from the top left, a white ring open to the right
# and an amber dot in the opening.
LOGO_DISC = (0x1f, 0x4e, 0x9a)
LOGO_DISC_LIGHT = (0x4a, 0x86, 0xd8)
LOGO_DOT = (0xf5, 0xa6, 0x23)


def logo(x, y):
    dx, dy = x - 0.5, y - 0.5
    r = math.hypot(dx, dy)
    if math.hypot(x - 0.80, y - 0.50) <= 0.085:
        return LOGO_DOT
    angle = math.degrees(math.atan2(dy, dx))  # 0 = right, where the ring opens
    if 0.22 <= r <= 0.34 and abs(angle) >= 40:
        return WHITE
    if r <= 0.47:
        t = min(1.0, max(0.0, (x + y) / 2))
        return tuple(round(a + (b - a) * t) for a, b in zip(LOGO_DISC_LIGHT, LOGO_DISC))
    return None


# An update's importance: a white arrow up on a red disc for high, down on a
# grey-green disc for low.  The mark fills only the top-left 14 of 32 pixels,
# since the upgrade dialog places the icon's corner just left of the
# importance text.
MARK = 14 / 32
IMPORTANCE_HIGH_DISC = (0xc8, 0x2a, 0x1e)
IMPORTANCE_LOW_DISC = (0x6f, 0x8a, 0x6a)


def _on_arrow(u, v, up):
    """Whether a point of the mark's unit square lies on the arrow."""
    if not up:
        v = 1 - v
    head = 0.2 <= v <= 0.55 and abs(u - 0.5) <= (v - 0.2) * 0.9
    shaft = 0.55 <= v <= 0.82 and abs(u - 0.5) <= 0.12
    return head or shaft


def importance_mark(high):
    disc, up = (IMPORTANCE_HIGH_DISC, True) if high else (IMPORTANCE_LOW_DISC, False)

    def shade(x, y):
        u, v = x / MARK, y / MARK
        if u > 1 or v > 1 or math.hypot(u - 0.5, v - 0.5) > 0.5:
            return None
        return WHITE if _on_arrow(u, v, up) else disc
    return shade


# The History Viewer's picture: a closed history book with a clock face on its
# cover, drawn in a 32-unit design space so every size keeps the same shape.
BOOK_COVER = (122, 38, 30)
BOOK_COVER_LIGHT = (168, 62, 48)
BOOK_SPINE = (84, 24, 20)
BOOK_PAGES = (244, 240, 226)
BOOK_PAGE_LINES = (190, 184, 168)
BOOK_GOLD = (222, 178, 64)
CLOCK_FACE = (250, 248, 236)
CLOCK_HANDS = (40, 30, 30)

BOOK_LEFT, BOOK_TOP, BOOK_RIGHT, BOOK_BOTTOM = 5, 2, 26, 27
PAGE_DEPTH = 3
CLOCK_X, CLOCK_Y, CLOCK_R = 16.5, 14.0, 6.5


def _book_at(u, v):
    # The page block shows at the bottom and right edges, behind the cover.
    if BOOK_LEFT + 2 <= u < BOOK_RIGHT + PAGE_DEPTH and BOOK_TOP + PAGE_DEPTH <= v < BOOK_BOTTOM + PAGE_DEPTH:
        behind_cover = u < BOOK_RIGHT and v < BOOK_BOTTOM
        if not behind_cover:
            edge_line = int(u) % 2 == 0 if u >= BOOK_RIGHT else int(v) % 2 == 0
            return BOOK_PAGE_LINES if edge_line else BOOK_PAGES
    if not (BOOK_LEFT <= u < BOOK_RIGHT and BOOK_TOP <= v < BOOK_BOTTOM):
        return None
    distance = math.hypot(u - CLOCK_X, v - CLOCK_Y)
    if distance < CLOCK_R:
        if distance < CLOCK_R - 1.2:
            hour_hand = abs(u - CLOCK_X) < 0.9 and CLOCK_Y - 4.0 < v <= CLOCK_Y
            minute_hand = abs(v - CLOCK_Y) < 0.9 and CLOCK_X <= u < CLOCK_X + 4.5
            return CLOCK_HANDS if hour_hand or minute_hand else CLOCK_FACE
        return BOOK_GOLD
    if u < BOOK_LEFT + 3:
        return BOOK_SPINE
    if v < BOOK_TOP + 2 or BOOK_BOTTOM - 4 <= v < BOOK_BOTTOM - 2.5:
        return BOOK_GOLD
    return BOOK_COVER_LIGHT if u < BOOK_LEFT + 5 else BOOK_COVER


def history_book(x, y):
    return _book_at(x * 32, y * 32)


# The Buddy List's quick-menu button, 32x32: a raised or pressed face over
# the part of the square that reacts to the mouse (x 3..20, y 7..23,
# inclusive), three menu lines over a small arrow pointing down.
BUTTON_SIZE = 32
BUTTON_LEFT, BUTTON_TOP, BUTTON_RIGHT, BUTTON_BOTTOM = 3, 7, 20, 23
# Face, top and left edge, bottom and right edge, glyph, and how far the glyph
# moves right and down.
BUTTON_LOOKS = {
    "normal": ((212, 208, 200), (255, 255, 255), (128, 128, 128), (40, 40, 40), 0),
    "hover": ((200, 220, 250), (255, 255, 255), (60, 100, 180), (20, 60, 150), 0),
    "pressed": ((160, 185, 225), (60, 100, 180), (255, 255, 255), (10, 40, 120), 1),
}


def quick_menu_button(look):
    """Pixels (r, g, b, a) by row, top row first."""
    face, light, dark, glyph, shift = BUTTON_LOOKS[look]
    pixels = [[TRANSPARENT] * BUTTON_SIZE for _ in range(BUTTON_SIZE)]
    for y in range(BUTTON_TOP, BUTTON_BOTTOM + 1):
        for x in range(BUTTON_LEFT, BUTTON_RIGHT + 1):
            if x in (BUTTON_LEFT, BUTTON_RIGHT) and y in (BUTTON_TOP, BUTTON_BOTTOM):
                continue  # rounded corners
            if y == BUTTON_TOP or x == BUTTON_LEFT:
                colour = light
            elif y == BUTTON_BOTTOM or x == BUTTON_RIGHT:
                colour = dark
            else:
                colour = face
            pixels[y][x] = colour + (255,)
    for row in (11, 14, 17):
        for x in range(7, 17):
            pixels[row + shift][x + shift] = glyph + (255,)
    for step, y in enumerate(range(19, 22)):
        for x in range(9 + step, 15 - step):
            pixels[y + shift][x + shift] = glyph + (255,)
    return pixels

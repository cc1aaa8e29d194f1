"""Draws square icon images and writes them as 32-bit .ico files with alpha
and an AND mask.

An image is a list of rows of (r, g, b, a), top row first, as many rows as
pixels in a row; sizes up to 255.
"""
import struct

TRANSPARENT = (0, 0, 0, 0)


def render(shade, size, supersample=4):
    """An image of size x size pixels drawn by shade(x, y).

    shade gives the colour (r, g, b) at a point of the unit square (x to the
    right, y down, both 0..1), or None where transparent.  Each pixel averages
    supersample x supersample evenly spread points; its alpha is the share of
    them that hit, so edges come out smooth.
    """
    n = supersample
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            total, hits = [0, 0, 0], 0
            for sy in range(n):
                for sx in range(n):
                    c = shade((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size)
                    if c:
                        hits += 1
                        total = [t + v for t, v in zip(total, c)]
            if hits:
                row.append(tuple(round(t / hits) for t in total) + (round(255 * hits / (n * n)),))
            else:
                row.append(TRANSPARENT)
        rows.append(row)
    return rows


def _bitmap(rows, record_image_size):
    """The DIB of one image: header, BGRA pixels, then the AND mask."""
    size = len(rows)
    mask_stride = ((size + 31) // 32) * 4
    pixels = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # bitmaps run bottom-up
        bits = bytearray(mask_stride)
        for x, (r, g, b, a) in enumerate(row):
            pixels += bytes((b, g, r, a))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    image_size = len(pixels) + len(mask) if record_image_size else 0
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, image_size, 0, 0, 0, 0)
    return header + bytes(pixels) + bytes(mask)


def ico_bytes(images, record_image_size=True):
    """The .ico file holding the images, in the given order.

    An uncompressed bitmap may leave its image size at 0; record_image_size=False
    does so, which some of our committed icons were written with.
    """
    bitmaps = [_bitmap(rows, record_image_size) for rows in images]
    out = struct.pack("<HHH", 0, 1, len(bitmaps))
    offset = 6 + 16 * len(bitmaps)
    for rows, data in zip(images, bitmaps):
        size = len(rows)
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(bitmaps)


def write_ico(path, images, record_image_size=True):
    with open(path, "wb") as f:
        f.write(ico_bytes(images, record_image_size))

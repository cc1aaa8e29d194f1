#!/usr/bin/env python3
"""The committed icons are exactly what draw_icons.py draws, and each is an
.ico file as Windows reads it."""
import struct
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

HERE = Path(__file__).resolve().parent


def committed_icons():
    return {path.name: path.read_bytes() for path in sorted(HERE.glob("*.ico"))}


def first_difference(a, b):
    return next((i for i, (x, y) in enumerate(zip(a, b)) if x != y), min(len(a), len(b)))


class CommittedIconsTest(unittest.TestCase):
    def test_redrawn_icons_are_the_committed_files(self):
        with tempfile.TemporaryDirectory() as out:
            subprocess.run([sys.executable, "-B", str(HERE / "draw_icons.py"), "--out", out], check=True)
            drawn = {path.name: path.read_bytes() for path in sorted(Path(out).iterdir())}
        committed = committed_icons()
        self.assertEqual(sorted(drawn), sorted(committed), "the icons drawn, and those committed in icons/")
        for name, data in drawn.items():
            with self.subTest(icon=name):
                if data != committed[name]:
                    self.fail(f"{name}: the committed file ({len(committed[name])} bytes) differs from the "
                              f"drawn one ({len(data)} bytes) from byte {first_difference(data, committed[name])}; "
                              "run icons/draw_icons.py and commit what it writes")

    def test_each_icon_is_a_32_bit_icon_with_a_matching_mask(self):
        for name, data in committed_icons().items():
            with self.subTest(icon=name):
                reserved, kind, count = struct.unpack_from("<HHH", data)
                self.assertEqual((reserved, kind), (0, 1))
                self.assertGreater(count, 0)
                sizes, end = [], 6 + 16 * count
                for entry in range(count):
                    width, height, colours, _, planes, bits, length, offset = struct.unpack_from(
                        "<BBBBHHII", data, 6 + 16 * entry)
                    self.assertEqual((width, colours, planes, bits), (height, 0, 1, 32))
                    self.assertEqual(offset, end, "images follow the directory and each other")
                    self.check_bitmap(data[offset:offset + length], width)
                    sizes.append(width)
                    end = offset + length
                self.assertEqual(end, len(data))
                self.assertIn(32, sizes, "every icon is shown at 32x32 somewhere")

    def check_bitmap(self, bitmap, size):
        header, width, height, planes, bits, compression, image_size = struct.unpack_from("<IiiHHII", bitmap)
        pixel_bytes = size * size * 4
        mask_stride = (size + 31) // 32 * 4
        self.assertEqual((header, width, height, planes, bits, compression), (40, size, 2 * size, 1, 32, 0))
        self.assertEqual(len(bitmap), 40 + pixel_bytes + mask_stride * size)
        self.assertIn(image_size, (0, pixel_bytes + mask_stride * size))
        # Where a program draws without alpha, the AND mask alone decides
        # what is transparent: it must agree with the alpha channel.
        for y in range(size):
            mask_row = bitmap[40 + pixel_bytes + y * mask_stride:][:mask_stride]
            for x in range(size):
                alpha = bitmap[40 + (y * size + x) * 4 + 3]
                masked = bool(mask_row[x // 8] & (0x80 >> (x % 8)))
                if masked != (alpha == 0):
                    self.fail(f"pixel {x},{y} from the bottom of the {size}x{size} image: alpha {alpha}, "
                              f"mask bit {int(masked)}")


if __name__ == "__main__":
    unittest.main()

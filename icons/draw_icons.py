#!/usr/bin/env python3
"""Redraws every icon file of the programs.

    icons/draw_icons.py [--out DIR]

writes them into DIR, by default this folder, whose committed files the
resource scripts use; icons_test.py checks that those are what this draws.
"""
import argparse
import sys
from pathlib import Path

from icon_file import ico_bytes, render
import pictures

HERE = Path(__file__).resolve().parent
SUPERSAMPLE = 4


def icon_files():
    """Every icon file's name and bytes."""
    logo = render(pictures.logo, 32, SUPERSAMPLE)
    # The logo and the importance marks leave the bitmaps' image size at 0,
    # as they were first written; the others record it.
    files = {
        # Corvane.exe's icon (1), with a 16x16 image for title bars and lists.
        "corvane.ico": ico_bytes([logo, render(pictures.logo, 16, SUPERSAMPLE)],
                                 record_image_size=False),
        # The library's product icon (103), which its dialogs show at 32x32.
        "product.ico": ico_bytes([logo], record_image_size=False),
        # The upgrade dialog's importance marks (108 and 109).
        "upgrade_high.ico": ico_bytes([render(pictures.importance_mark(high=True), 32, SUPERSAMPLE)],
                                      record_image_size=False),
        "upgrade_low.ico": ico_bytes([render(pictures.importance_mark(high=False), 32, SUPERSAMPLE)],
                                     record_image_size=False),
        # The History Viewer's application icon (128), meant pixel for pixel.
        "viewer.ico": ico_bytes([render(pictures.history_book, size, supersample=1) for size in (32, 16)]),
    }
    # The Buddy List's quick-menu button (104, 106 and 105).
    for look in pictures.BUTTON_LOOKS:
        files[f"quick_menu_{look}.ico"] = ico_bytes([pictures.quick_menu_button(look)])
    return files


def main(argv):
    parser = argparse.ArgumentParser(description="Redraws every icon file of the programs.")
    parser.add_argument("--out", type=Path, default=HERE, help="folder to write them into (default: this folder)")
    out = parser.parse_args(argv).out
    out.mkdir(parents=True, exist_ok=True)
    for name, data in icon_files().items():
        (out / name).write_bytes(data)


if __name__ == "__main__":
    main(sys.argv[1:])

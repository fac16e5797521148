#!/usr/bin/env python3
"""Draws the default skin (24 BMPs and its INI), the program's own pictures in resources/ and the
contact sheet docs/skin-default.png, then checks what it wrote.

    python3 skins/default/generate.py           # regenerate everything, then check
    python3 skins/default/generate.py --check   # only check the files in the tree

Deterministic: the same sources always give the same bytes. Standard library only.
"""

import argparse
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [HERE, os.path.dirname(HERE)]  # this skin's slate_art and the shared orvoart
sys.dont_write_bytecode = True  # keep the skin folders free of caches

from orvoart import checks, contact_sheet, mockup, pictures  # noqa: E402
from orvoart.codecs import bmp_bytes, png_bytes  # noqa: E402
from orvoart.raster import MAGENTA, Image  # noqa: E402
from slate_art import palette, skin  # noqa: E402
from slate_art.mockup import SlateMockup  # noqa: E402

ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
SKIN_DIR = HERE
RESOURCES = os.path.join(ROOT, "resources")
SHEET = os.path.join(ROOT, "docs", "skin-default.png")


def _write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def _desktop_scene(bitmaps, icon16):
    """An inactive window behind the active main window, on a desktop colour."""
    m = SlateMockup(bitmaps, icon16)
    back = m.window(250, 110, "Orvo - About", active=False, menu=())
    front = mockup.main_window(m)
    scene = Image(front.w + 120, front.h + 70, mockup.DESKTOP)
    scene.paste(back, 16, 12, MAGENTA)
    scene.paste(front, 104, 54, MAGENTA)
    return scene


def generate():
    bitmaps = skin.bitmaps()
    for name, img in bitmaps.items():
        _write(os.path.join(SKIN_DIR, name), bmp_bytes(img, 32))
    _write(os.path.join(SKIN_DIR, skin.INI_NAME), skin.ini_text().encode("ascii"))

    outputs = pictures.render(palette)
    for name, data in pictures.encode(outputs, palette).items():
        _write(os.path.join(RESOURCES, name), data)

    shown = pictures.sheet_entries(outputs)
    scene = _desktop_scene(bitmaps, outputs["icon"][16])
    sheet = contact_sheet.contact_sheet(bitmaps, skin.LAYOUT, shown, [("Mock-up", scene)])
    _write(SHEET, png_bytes(sheet))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true", help="only check the files in the tree")
    args = parser.parse_args()
    if not args.check:
        generate()
    problems = checks.check_tree(skin, SKIN_DIR) + checks.resource_problems(RESOURCES, palette.FACE)
    for p in problems:
        print("problem:", p, file=sys.stderr)
    if problems:
        return 1
    print(f"ok: {len(skin.LAYOUT)} bitmaps, {skin.INI_NAME}, resources checked")
    return 0


if __name__ == "__main__":
    sys.exit(main())

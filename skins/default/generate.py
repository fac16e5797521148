#!/usr/bin/env python3
"""Draws the default skin (25 BMPs and its INI), the program's own pictures in resources/ and the
contact sheet docs/skin-default.png, then checks what it wrote.

    python3 skins/default/generate.py           # regenerate everything, then check
    python3 skins/default/generate.py --check   # only check the files in the tree

Deterministic: the same sources always give the same bytes. Standard library only.
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [HERE, os.path.dirname(HERE)]  # this skin's slate_art and the shared orvoart
sys.dont_write_bytecode = True  # keep the skin folders free of caches

from orvoart import checks, contact_sheet, generator, mockup, pictures  # noqa: E402
from orvoart.codecs import png_bytes  # noqa: E402
from slate_art import palette, skin  # noqa: E402
from slate_art.mockup import SlateMockup  # noqa: E402

ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
SKIN_DIR = HERE
RESOURCES = os.path.join(ROOT, "resources")
SHEET = os.path.join(ROOT, "docs", "skin-default.png")


def _desktop_scene(bitmaps, icon16):
    """An inactive window behind the active main window, on a desktop colour."""
    m = SlateMockup(bitmaps, icon16)
    back = m.window(250, 110, "Orvo - About", active=False, menu=())
    front = mockup.main_window(m)
    return mockup.desktop(back, front)


def generate():
    bitmaps = generator.write_skin(skin, SKIN_DIR)

    outputs = pictures.render(palette)
    for name, data in pictures.encode(outputs, palette).items():
        generator.write(os.path.join(RESOURCES, name), data)

    shown = pictures.sheet_entries(outputs)
    scene = _desktop_scene(bitmaps, outputs["icon"][16])
    sheet = contact_sheet.contact_sheet(bitmaps, skin.LAYOUT, shown, [("Mock-up", scene)])
    generator.write(SHEET, png_bytes(sheet))


def check():
    return checks.check_tree(skin, SKIN_DIR) + checks.resource_problems(RESOURCES, palette.FACE)


def main():
    return generator.run(__doc__.splitlines()[0], generate, check,
                         f"ok: {len(skin.LAYOUT)} bitmaps, {skin.INI_NAME}, resources checked")


if __name__ == "__main__":
    sys.exit(main())

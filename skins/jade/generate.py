#!/usr/bin/env python3
"""Draws the skin "Orvo Jade" (its 46 BMPs and its INI) and its contact sheet docs/skin-jade.png,
then checks what it wrote.

    python3 skins/jade/generate.py           # regenerate everything, then check
    python3 skins/jade/generate.py --check   # only check the files in the tree

Deterministic: the same sources always give the same bytes. Standard library only; the drawing
library is the one the default skin's generator uses (skins/orvoart).
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [HERE, os.path.dirname(HERE)]  # this skin's jade_art and the shared orvoart
sys.dont_write_bytecode = True  # keep the skin folders free of caches

from jade_art import skin  # noqa: E402
from jade_art.mockup import JadeMockup  # noqa: E402
from orvoart import checks, contact_sheet, generator, mockup  # noqa: E402
from orvoart.codecs import png_bytes  # noqa: E402
from orvoart.emblem import emblem  # noqa: E402
from orvoart.raster import MAGENTA, Image  # noqa: E402

ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
SKIN_DIR = HERE
SHEET = os.path.join(ROOT, "docs", "skin-jade.png")
FILE_MENU = ["Open file...", "Choose folder...", "-", "Split now", "-", "Exit"]


def desktop_scene(bitmaps):
    """An inactive dialog with a help button behind the active main window, whose File menu is
    open, on a desktop colour."""
    m = JadeMockup(bitmaps, emblem(16))
    back = m.window(250, 110, "Orvo - About", active=False, menu=(),
                    buttons=("CloseButton.bmp", "HelpButton.bmp"))
    m.hot_item = 0
    front = mockup.main_window(m)
    x = m.BORDER + 4 + 8  # the File item's left edge: bar margin, start offset
    front.paste(m.popup_menu(FILE_MENU, 150, 3), x, m.CAPTION + m.MENU_H, MAGENTA)
    return mockup.desktop(back, front)


def generate():
    bitmaps = generator.write_skin(skin, SKIN_DIR)
    window = JadeMockup(bitmaps, emblem(16)).controls_window()
    controls = Image(window.w + 32, window.h + 32, mockup.DESKTOP)
    controls.paste(window, 16, 16, MAGENTA)
    sheet = contact_sheet.contact_sheet(bitmaps, skin.LAYOUT, [],
                                        [("Mock-up", desktop_scene(bitmaps)),
                                         ("Other controls, a maximised MDI child", controls)])
    generator.write(SHEET, png_bytes(sheet))


def main():
    return generator.run(__doc__.splitlines()[0], generate, lambda: checks.check_tree(skin, SKIN_DIR),
                         f"ok: {len(skin.LAYOUT)} bitmaps, {skin.INI_NAME} checked")


if __name__ == "__main__":
    sys.exit(main())

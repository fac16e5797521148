#!/usr/bin/python3
"""Renders the skins and the program's pictures from their sources (cairo and Pillow), as the build
does, and the contact sheets in docs/ (by hand).

    render.py skin NAME FOLDER     skins/NAME at every scale, and its INI, into FOLDER
    render.py pictures FOLDER      the program's pictures (menu glyphs, track images, icon, About)
    render.py sheet NAME PNG       the contact sheet of skins/NAME

Deterministic: the same sources give the same bytes."""

import os
import sys

sys.dont_write_bytecode = True  # keep the source tree free of caches
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from orvoart import files, registry  # noqa: E402


def main(argv):
    if len(argv) == 3 and argv[0] == "skin":
        files.write_skin(registry.load(argv[1]), argv[2])
    elif len(argv) == 2 and argv[0] == "pictures":
        from orvoart import pictures
        pictures.write_all(argv[1])
    elif len(argv) == 3 and argv[0] == "sheet":
        from orvoart import contact_sheet
        contact_sheet.write(registry.load(argv[1]), argv[2])
    else:
        print(__doc__, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

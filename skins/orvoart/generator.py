"""What every skin generator does around its drawing: write files, and the command line
(regenerate then check, or --check only)."""

import argparse
import os
import sys


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def write_skin(skin, skin_dir):
    """Draws the skin's bitmaps and writes them and its INI into skin_dir; returns the bitmaps."""
    from .codecs import bmp_bytes
    bitmaps = skin.bitmaps()
    for name, img in bitmaps.items():
        write(os.path.join(skin_dir, name), bmp_bytes(img, 32))
    write(os.path.join(skin_dir, skin.INI_NAME), skin.ini_text().encode("ascii"))
    return bitmaps


def run(description, generate, check, done):
    """Parses the command line, runs generate() unless --check is given, then check(), which
    returns the problems found; prints them, or done when there are none. Returns the exit code."""
    parser = argparse.ArgumentParser(description=description)
    parser.add_argument("--check", action="store_true", help="only check the files in the tree")
    args = parser.parse_args()
    if not args.check:
        generate()
    problems = check()
    for p in problems:
        print("problem:", p, file=sys.stderr)
    if problems:
        return 1
    print(done)
    return 0

"""Checks of a skin's files in the tree: what the engine and the packer rely on, and the rules the
art must keep (exact magenta only where drawn transparently, flat stretched middles); and of the
program's own pictures in resources/.

A skin is described by a module (or object) `skin` with:
    INI_NAME      the INI's file name
    LAYOUT        file name -> (width, height, frame count, "h" or "v"), in archive order
    KEYED         the images drawn with magenta as the transparent colour
    FLAT_MIDDLES  file name -> [("cols" | "rows", first, last)]: parts that must be flat per frame
    frame_joins(bitmaps) -> problems: the skin's own checks of how its frame pieces meet
"""

import os
import re
import struct

from .codecs import bmp_fourth_bytes, read_bmp, read_gif, read_ico
from .raster import MAGENTA, channels
from .slicing import frame_origin


def near_magenta(c):
    """A colour a reader could take for the key: close to magenta but not exactly it."""
    r, g, b = channels(c)
    return c != MAGENTA and (255 - r) + g + (255 - b) <= 96


def colour_problems(skin, name, img):
    out = []
    keyed = name in skin.KEYED
    for i, c in enumerate(img.px):
        if near_magenta(c):
            out.append(f"{name}: near-magenta pixel at {i % img.w},{i // img.w}")
            break
        if c == MAGENTA and not keyed:
            out.append(f"{name}: magenta in an image drawn opaque, at {i % img.w},{i // img.w}")
            break
    return out


def bmp_problems(skin, name, data):
    """Format and size of one skin bitmap."""
    try:
        img, bpp = read_bmp(data)
    except ValueError as e:
        return [f"{name}: {e}"], None
    out = []
    w, h, _, _ = skin.LAYOUT[name]
    height = struct.unpack_from("<i", data, 22)[0]
    if bpp != 32:
        out.append(f"{name}: {bpp} bits per pixel, want 32")
    if (img.w, img.h) != (w, h):
        out.append(f"{name}: {img.w} x {img.h}, want {w} x {h}")
    if height < 0:
        out.append(f"{name}: stored top-down, want bottom-up")
    if bpp == 32 and bmp_fourth_bytes(data) != {0}:
        out.append(f"{name}: fourth pixel byte is not 0")
    return out, img


def _columns_equal(img, x0, x1, y0, y1):
    return all(img.get(x, y) == img.get(x0, y) for y in range(y0, y1) for x in range(x0, x1))


def _rows_equal(img, y0, y1, x0, x1):
    return all(img.get(x, y) == img.get(x, y0) for y in range(y0, y1) for x in range(x0, x1))


def layout_problems(skin, name, img):
    out = []
    _, _, count, orientation = skin.LAYOUT[name]
    for i in range(1, count + 1):
        frame = img.crop(*frame_origin(img, count, i, orientation == "v"))
        for kind, first, last in skin.FLAT_MIDDLES.get(name, []):
            ok = (_columns_equal(frame, first, last + 1, 0, frame.h) if kind == "cols"
                  else _rows_equal(frame, first, last + 1, 0, frame.w))
            if not ok:
                out.append(f"{name}: frame {i} {kind} {first}-{last} differ (would show a seam)")
    return out


def ini_problems(skin, text_bytes):
    out = []
    if b"\n" in text_bytes.replace(b"\r\n", b""):
        out.append(f"{skin.INI_NAME}: line ends other than CR LF")
    text = text_bytes.decode("ascii", errors="replace")
    mentioned = []
    for name in re.findall(r"=\s*([A-Za-z0-9_]+\.bmp)\s*$", text, re.M | re.I):
        if name.lower() not in mentioned:
            mentioned.append(name.lower())
    want = [n.lower() for n in skin.LAYOUT]
    if mentioned != want:
        out.append(f"{skin.INI_NAME}: bitmaps first named in the order {mentioned}, want {want}")
    for needed in ("[TitlebarSkin]", "SkinName=", "SkinAuthor=", "[Skins]", "Version=150"):
        if needed not in text:
            out.append(f"{skin.INI_NAME}: {needed} missing")
    return out


def resource_problems(resources, face):
    """face: the colour the About picture's background and hidden rows must have."""
    out = []

    def load(name):
        path = os.path.join(resources, name)
        if not os.path.exists(path):
            out.append(f"resources/{name} missing")
            return None
        with open(path, "rb") as f:
            return f.read()

    for name, size in (("menu_glyphs.bmp", (64, 16)), ("track.bmp", (40, 4)), ("trackvert.bmp", (4, 40))):
        data = load(name)
        if data is None:
            continue
        img, bpp = read_bmp(data)
        if bpp != 24 or (img.w, img.h) != size:
            out.append(f"resources/{name}: {img.w} x {img.h} at {bpp} bits, want {size} at 24")
        elif name == "menu_glyphs.bmp" and any(img.get(x, 0) != 0xFFFFFF for x in range(img.w)):
            out.append("resources/menu_glyphs.bmp: top row is not the white transparent colour")
    data = load("orvo.ico")
    if data is not None:
        sizes = sorted(w for w, h, _, _ in read_ico(data))
        if sizes != [16, 24, 32, 48, 256]:
            out.append(f"resources/orvo.ico: sizes {sizes}")
    data = load("about.gif")
    if data is not None:
        img, _ = read_gif(data)
        if not data.startswith(b"GIF89a") or (img.w, img.h) != (110, 110):
            out.append("resources/about.gif: want a GIF89a of 110 x 110")
        elif any(c != face for c in img.px[-5 * 110:]) or img.get(0, 0) != face:
            out.append("resources/about.gif: background or hidden bottom rows are not plain face colour")
    return out


def check_tree(skin, skin_dir):
    """Every problem of the skin's files in skin_dir."""
    problems, bitmaps = [], {}
    for name in skin.LAYOUT:
        path = os.path.join(skin_dir, name)
        if not os.path.exists(path):
            problems.append(f"{name} missing")
            continue
        with open(path, "rb") as f:
            found, img = bmp_problems(skin, name, f.read())
        problems += found
        if img is not None and not found:
            bitmaps[name] = img
            problems += colour_problems(skin, name, img) + layout_problems(skin, name, img)
    if len(bitmaps) == len(skin.LAYOUT):
        problems += skin.frame_joins(bitmaps)
    inis = [n for n in os.listdir(skin_dir) if n.lower().endswith(".ini")]
    if inis != [skin.INI_NAME]:
        problems.append(f"want exactly one INI ({skin.INI_NAME}), found {inis}")
    else:
        with open(os.path.join(skin_dir, skin.INI_NAME), "rb") as f:
            problems += ini_problems(skin, f.read())
    return problems

"""Checks of the files in the tree: what the engine and the packer rely on, and the rules the art
must keep (exact magenta only where drawn transparently, flat stretched middles)."""

import os
import re
import struct

from . import palette as P
from .codecs import bmp_fourth_bytes, read_bmp, read_gif, read_ico
from .raster import MAGENTA, channels
from .skin import INI_NAME, KEYED, LAYOUT
from .slicing import frame_origin


def near_magenta(c):
    """A colour a reader could take for the key: close to magenta but not exactly it."""
    r, g, b = channels(c)
    return c != MAGENTA and (255 - r) + g + (255 - b) <= 96


def colour_problems(name, img):
    out = []
    keyed = name in KEYED
    for i, c in enumerate(img.px):
        if near_magenta(c):
            out.append(f"{name}: near-magenta pixel at {i % img.w},{i // img.w}")
            break
        if c == MAGENTA and not keyed:
            out.append(f"{name}: magenta in an image drawn opaque, at {i % img.w},{i // img.w}")
            break
    return out


def bmp_problems(name, data):
    """Format and size of one skin bitmap."""
    try:
        img, bpp = read_bmp(data)
    except ValueError as e:
        return [f"{name}: {e}"], None
    out = []
    w, h, _, _ = LAYOUT[name]
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


# Stretched middles that must not show seams: name -> (kind, first, last) per frame, where kind
# "cols" means columns first..last are identical and "rows" rows first..last.
FLAT_MIDDLES = {
    "Buttons.bmp": [("cols", 8, 9), ("rows", 9, 11)],
    "Progress.bmp": [("rows", 3, 15)],
    "ScrollbarHBar.bmp": [("cols", 0, 33)],
    "ScrollbarVBar.bmp": [("rows", 0, 33)],
    "ScrollbarHThumb.bmp": [("cols", 5, 16)],
    "ScrollbarVThumb.bmp": [("rows", 5, 16)],
    "Header.bmp": [("cols", 1, 12)],
    "FrameLeft.bmp": [("rows", 29, 244)],
    "FrameRight.bmp": [("rows", 29, 244)],
    "FrameTop.bmp": [("cols", 32, 252)],
    "FrameBottom.bmp": [("cols", 32, 252)],
}


def layout_problems(name, img):
    out = []
    _, _, count, orientation = LAYOUT[name]
    for i in range(1, count + 1):
        frame = img.crop(*frame_origin(img, count, i, orientation == "v"))
        for kind, first, last in FLAT_MIDDLES.get(name, []):
            ok = (_columns_equal(frame, first, last + 1, 0, frame.h) if kind == "cols"
                  else _rows_equal(frame, first, last + 1, 0, frame.w))
            if not ok:
                out.append(f"{name}: frame {i} {kind} {first}-{last} differ (would show a seam)")
    return out


def frame_joins(bitmaps):
    """The caption bar continues from the left and right pieces into the top piece."""
    out = []
    left, top, right = bitmaps["FrameLeft.bmp"], bitmaps["FrameTop.bmp"], bitmaps["FrameRight.bmp"]
    for f in (0, 1):
        for y in range(8, 27):
            t = top.get(100, 29 * f + y)
            if left.get(4 * f + 3, y) != t or right.get(4 * f, y) != t:
                out.append(f"frame {f + 1}: caption row {y} differs between the pieces")
                break
        if left.get(4 * f, 0) != MAGENTA or right.get(4 * f + 3, 0) != MAGENTA:
            out.append(f"frame {f + 1}: top corners are not rounded off")
    return out


def ini_problems(text_bytes):
    out = []
    if b"\n" in text_bytes.replace(b"\r\n", b""):
        out.append(f"{INI_NAME}: line ends other than CR LF")
    text = text_bytes.decode("ascii", errors="replace")
    mentioned = []
    for name in re.findall(r"=\s*([A-Za-z0-9_]+\.bmp)\s*$", text, re.M | re.I):
        if name.lower() not in mentioned:
            mentioned.append(name.lower())
    want = [n.lower() for n in LAYOUT]
    if mentioned != want:
        out.append(f"{INI_NAME}: bitmaps first named in the order {mentioned}, want {want}")
    for needed in ("[TitlebarSkin]", "SkinName=", "SkinAuthor=", "[Skins]", "Version=150"):
        if needed not in text:
            out.append(f"{INI_NAME}: {needed} missing")
    return out


def resource_problems(resources):
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
        elif any(c != P.FACE for c in img.px[-5 * 110:]) or img.get(0, 0) != P.FACE:
            out.append("resources/about.gif: background or hidden bottom rows are not plain face colour")
    return out


def check_tree(skin_dir, resources):
    problems, bitmaps = [], {}
    for name in LAYOUT:
        path = os.path.join(skin_dir, name)
        if not os.path.exists(path):
            problems.append(f"{name} missing")
            continue
        with open(path, "rb") as f:
            found, img = bmp_problems(name, f.read())
        problems += found
        if img is not None and not found:
            bitmaps[name] = img
            problems += colour_problems(name, img) + layout_problems(name, img)
    if len(bitmaps) == len(LAYOUT):
        problems += frame_joins(bitmaps)
    inis = [n for n in os.listdir(skin_dir) if n.lower().endswith(".ini")]
    if inis != [INI_NAME]:
        problems.append(f"want exactly one INI ({INI_NAME}), found {inis}")
    else:
        with open(os.path.join(skin_dir, INI_NAME), "rb") as f:
            problems += ini_problems(f.read())
    return problems + resource_problems(resources)

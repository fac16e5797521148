"""Checks of a rendered skin folder: what the engine and the packer rely on, at every scale, and the
rules the art keeps:

- every image at every scale, 32 bits per pixel, BI_RGB, bottom-up, fourth byte 0, of the size the
  rule gives (files.scaled_size);
- exact magenta only in images the engine draws transparently, and no colour near it anywhere
  (a soft edge mixed with the key would show as a pink fringe);
- the parts the engine stretches or repeats (between an element's margins, scaled) flat;
- the skin's own joins (how its frame pieces meet);
- one INI, CR LF line ends, naming the images first in archive order.
"""

import os
import re
import struct

from PIL import Image

from .colour import MAGENTA, channels, near_magenta, rgb
from .files import scaled_size
from .scale import SKIN_SCALES, Scale
from .strips import frames

KEY = channels(MAGENTA)


def header_problems(name, data):
    """The stored layout of one bitmap."""
    if len(data) < 54 or data[:2] != b"BM":
        return [f"{name}: not a BMP file"]
    offset = struct.unpack_from("<I", data, 10)[0]
    _, _, height, _, bpp, compression = struct.unpack_from("<IiiHHI", data, 14)
    out = []
    if bpp != 32:
        out.append(f"{name}: {bpp} bits per pixel, want 32")
    if compression != 0:
        out.append(f"{name}: compression {compression}, want BI_RGB")
    if height < 0:
        out.append(f"{name}: stored top-down, want bottom-up")
    if bpp == 32 and set(data[offset + 3::4]) - {0}:
        out.append(f"{name}: fourth pixel byte is not 0")
    return out


def colour_problems(name, image, keyed):
    colours = {rgb(*c) for _, c in image.getcolors(image.width * image.height)}
    out = []
    near = sorted(c for c in colours if near_magenta(c))
    if near:
        out.append(f"{name}: near-magenta colour {near[0]:06X} (a soft edge mixed with the key)")
    if MAGENTA in colours and not keyed:
        out.append(f"{name}: magenta in an image drawn opaque")
    return out


def flat_problems(name, image, entry, rules, k):
    out = []
    _, _, count, orientation = entry
    for i, frame in enumerate(frames(image, count, orientation == "v"), 1):
        for kind, before, after in rules:
            along = frame.width if kind == "cols" else frame.height
            first, last = k(before), along - k(after) - 1
            if first > last:
                continue
            box = (first, 0, last + 1, frame.height) if kind == "cols" else (0, first, frame.width, last + 1)
            part = frame.crop(box)
            # Flat across: every column (row) equals the first one.
            line = part.crop((0, 0, 1, part.height) if kind == "cols" else (0, 0, part.width, 1))
            if part != line.resize(part.size, Image.Resampling.NEAREST):
                out.append(f"{name}: frame {i} {kind} {first}-{last} differ (a seam would show)")
    return out


def ini_problems(art, text_bytes):
    out = []
    if b"\n" in text_bytes.replace(b"\r\n", b""):
        out.append(f"{art.INI_NAME}: line ends other than CR LF")
    text = text_bytes.decode("ascii", errors="replace")
    mentioned = []
    for name in re.findall(r"=\s*([A-Za-z0-9_]+\.bmp)\s*$", text, re.M | re.I):
        if name.lower() not in mentioned:
            mentioned.append(name.lower())
    want = [n.lower() for n in art.LAYOUT]
    if mentioned != want:
        out.append(f"{art.INI_NAME}: images first named in the order {mentioned}, want {want}")
    for needed in ("[TitlebarSkin]", "SkinName=", "SkinAuthor=", "[Skins]", "Version=150"):
        if needed not in text:
            out.append(f"{art.INI_NAME}: {needed} missing")
    return out


def load(folder, name):
    path = os.path.join(folder, name)
    with open(path, "rb") as f:
        data = f.read()
    return data, Image.open(path).convert("RGB")


def check_folder(art, folder, scales=SKIN_SCALES):
    """Every problem of the rendered skin in folder."""
    problems = []
    for percent in scales:
        k = Scale(percent)
        images = {}
        for name, entry in art.LAYOUT.items():
            file = k.file_name(name)
            if not os.path.exists(os.path.join(folder, file)):
                problems.append(f"{file} missing")
                continue
            data, image = load(folder, file)
            found = header_problems(file, data)
            want = scaled_size(entry, k)
            if image.size != want:
                found.append(f"{file}: {image.width} x {image.height}, want {want[0]} x {want[1]}")
            problems += found
            if found:
                continue
            images[name] = image
            problems += colour_problems(file, image, name in art.KEYED)
            problems += flat_problems(file, image, entry, art.FLAT.get(name, []), k)
        if len(images) == len(art.LAYOUT):
            problems += art.joins(images, k)
    inis = [n for n in os.listdir(folder) if n.lower().endswith(".ini")]
    if inis != [art.INI_NAME]:
        problems.append(f"want exactly one INI ({art.INI_NAME}), found {inis}")
    else:
        with open(os.path.join(folder, art.INI_NAME), "rb") as f:
            problems += ini_problems(art, f.read())
    return problems

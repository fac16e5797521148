"""The program's own pictures: the system-menu glyph strip, the built-in track-bar channels, the
product icon and the About dialog's logo. They are drawn in the default skin's colours: the
functions that need colours take that skin's palette P."""

from .codecs import bmp_bytes, gif_bytes, ico_bytes
from .emblem import emblem
from .quantize import quantize
from .raster import Image, mix, rgb

ICON_SIZES = (16, 24, 32, 48, 256)
ABOUT_SIZE = 110
ABOUT_HIDDEN_ROWS = 5  # the About dialog covers the picture's bottom rows

WHITE = 0xFFFFFF
MENU_INK = rgb(31, 43, 61)
MENU_HALO = rgb(226, 231, 238)

# 16 x 16 system-menu glyphs in image-list order: 0 restore, 1 maximise, 2 minimise, 3 close.
MENU_GLYPHS = [
    ["................", "................", "................", "......#######...",
     "......#######...", "......#.....#...", "...#######...#...", "...#######...#...",
     "...#.....#...#...", "...#.....#####...", "...#.....#.......", "...#.....#.......",
     "...#######.......", "................", "................", "................"],
    ["................", "................", "................", "...##########...",
     "...##########...", "...#........#...", "...#........#...", "...#........#...",
     "...#........#...", "...#........#...", "...#........#...", "...#........#...",
     "...##########...", "................", "................", "................"],
    ["................", "................", "................", "................",
     "................", "................", "................", "................",
     "................", "................", "................", "....########....",
     "....########....", "................", "................", "................"],
    ["................", "................", "................", "...##......##...",
     "...###....###...", "....###..###....", ".....######.....", "......####......",
     "......####......", ".....######.....", "....###..###....", "...###....###...",
     "...##......##...", "................", "................", "................"],
]


def menu_glyphs():
    """64 x 16 on white (the image list's transparent colour). A pale halo keeps each glyph
    readable on the dark selection colour and is barely visible on the white menu."""
    strip = Image(16 * len(MENU_GLYPHS), 16, WHITE)
    for i, rows in enumerate(MENU_GLYPHS):
        strip.stamp(16 * i, 0, rows, {"#": MENU_INK})
    halo = []
    for y in range(strip.h):
        for x in range(strip.w):
            if strip.get(x, y) == WHITE and x % 16 not in (0, 15) and any(
                    strip.inside(x + dx, y + dy) and strip.get(x + dx, y + dy) == MENU_INK
                    for dx in (-1, 0, 1) for dy in (-1, 0, 1)):
                halo.append((x, y))
    for x, y in halo:
        strip.set(x, y, MENU_HALO)
    return strip


def track_horizontal(P):
    """40 x 4: a sunken groove as tall as the platform's track-bar channel, with 3-pixel ends."""
    rows = [P.SHADOW, mix(P.SHADOW, P.LIGHT, 0.6), mix(P.LIGHT, WHITE, 0.5), WHITE]
    img = Image(40, 4)
    for y, c in enumerate(rows):
        img.hline(0, 39, y, c)
    for y in (1, 2):
        img.set(0, y, P.SHADOW)
        img.set(39, y, WHITE)
    for x, y in ((0, 0), (0, 3), (39, 0), (39, 3)):
        img.set(x, y, P.FACE)
    img.set(1, 3, mix(P.SHADOW, WHITE, 0.5))
    img.set(38, 0, mix(P.SHADOW, WHITE, 0.5))
    return img


def about_logo(P):
    """110 x 110 on the button face: the emblem with a soft ground shadow; bottom rows plain."""
    s = 84
    img = Image(ABOUT_SIZE, ABOUT_SIZE, P.FACE)
    x0 = (ABOUT_SIZE - s) // 2
    y0 = 6
    cx, cy, rx, ry = ABOUT_SIZE / 2, y0 + s + 3.0, s * 0.44, 4.5
    for y in range(ABOUT_SIZE - ABOUT_HIDDEN_ROWS):
        for x in range(ABOUT_SIZE):
            d = ((x + 0.5 - cx) / rx) ** 2 + ((y + 0.5 - cy) / ry) ** 2
            if d < 1:
                img.set(x, y, mix(P.FACE, P.DK_SHADOW, 0.45 * (1 - d) ** 1.5))
    badge = emblem(s, background=None)
    for y in range(s):
        for x in range(s):
            a = badge.get_alpha(x, y)
            if a:
                img.set(x0 + x, y0 + y, mix(img.get(x0 + x, y0 + y), badge.get(x, y), a / 255))
    return img


def render(P):
    return {
        "menu_glyphs": menu_glyphs(),
        "track": track_horizontal(P),
        "trackvert": track_horizontal(P).transposed(),
        "icon": {s: emblem(s) for s in ICON_SIZES},
        "about": about_logo(P),
    }


def encode(out, P):
    """File name -> bytes for resources/."""
    about = out["about"]
    palette, indices = quantize(about.px, 256, keep=(P.FACE,))
    return {
        "menu_glyphs.bmp": bmp_bytes(out["menu_glyphs"], 24),
        "track.bmp": bmp_bytes(out["track"], 24),
        "trackvert.bmp": bmp_bytes(out["trackvert"], 24),
        "orvo.ico": ico_bytes([out["icon"][s] for s in ICON_SIZES]),
        "about.gif": gif_bytes(about.w, about.h, palette, indices),
    }


def sheet_entries(out):
    """(title, detail, image) for the contact sheet."""
    entries = [
        ("menu_glyphs.bmp", "64 x 16, 24-bit, white transparent", out["menu_glyphs"], 3),
        ("track.bmp", "40 x 4", out["track"], 3),
        ("trackvert.bmp", "4 x 40", out["trackvert"], 3),
    ]
    entries += [("orvo.ico", f"{s} x {s}", out["icon"][s], 3) for s in ICON_SIZES if s <= 48]
    entries.append(("about.gif", "110 x 110", out["about"], 2))
    entries.append(("orvo.ico", "256 x 256 at 1x", out["icon"][256], 1))
    return entries

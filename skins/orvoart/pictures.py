"""The program's own pictures, compiled into the program from the build tree: the system-menu glyph
strip, the built-in track-bar channels, the product icon and the About dialog's picture. They are
drawn in the default skin's colours (its palette P)."""

import io
import os

from PIL import Image, ImageChops, ImageFilter

from . import caption, emblem
from .canvas import Layer
from .colour import WHITE, channels, mix, rgb
from .files import write
from .registry import load
from .scale import UNIT
from .strips import transposed

ICON_SIZES = (16, 24, 32, 48, 256)
ABOUT_SIZE = 110
ABOUT_HIDDEN_ROWS = 5  # the About dialog covers the picture's bottom rows
FILES = ("menu_glyphs.bmp", "track.bmp", "trackvert.bmp", "orvo.ico", "about.gif")

MENU_INK = rgb(31, 43, 61)
MENU_HALO = rgb(226, 231, 238)
MENU_GLYPHS = ("restore", "max", "min", "close")  # the image list's order


def menu_glyphs():
    """64 x 16 on white, which the image list takes as transparent: so the glyphs are drawn
    without smoothing (a soft edge would leave a pale fringe on a dark selection), and a pale
    halo keeps each readable on the dark selection colour."""
    layer = Layer(16 * len(MENU_GLYPHS), 16, antialias=False)
    for i, name in enumerate(MENU_GLYPHS):
        caption.draw_glyph(layer, name, 16 * i + 3, 3, 10, UNIT, MENU_INK, stroke=2.5)
    strip = layer.over(WHITE)
    ink = layer.coverage().point(lambda a: 255 if a else 0)
    halo = ImageChops.subtract(ink.filter(ImageFilter.MaxFilter(3)), ink)
    for x in range(0, strip.width, 16):  # the cells' outer columns stay white
        halo.paste(0, (x, 0, x + 1, 16))
        halo.paste(0, (x + 15, 0, x + 16, 16))
    strip.paste(channels(MENU_HALO), (0, 0, strip.width, strip.height), halo)
    return strip


def track(P):
    """40 x 4: a sunken groove as tall as the platform's track-bar channel, with 3-pixel ends."""
    from .controls import groove
    return groove(UNIT, (P.SHADOW, mix(P.SHADOW, P.LIGHT, 0.6), mix(P.LIGHT, WHITE, 0.5), WHITE), P.FACE)


def about_logo(P):
    """110 x 110: the emblem on a ground the GIF leaves transparent (the colour P.FACE), so the
    dialog's own face shows around it under any skin. A GIF pixel is either shown or not: the
    emblem's edge is cut where it is half covered, in its own colours, without a shadow or a blend
    with any one ground that would fringe it on another."""
    s = 84
    layer = Layer(ABOUT_SIZE, ABOUT_SIZE - ABOUT_HIDDEN_ROWS)
    layer.place(emblem.emblem(s), (ABOUT_SIZE - s) // 2, 6)
    drawn = layer.rgba()
    shown = drawn.getchannel("A").point(lambda a: 255 if a >= 128 else 0)
    out = Image.new("RGB", (ABOUT_SIZE, ABOUT_SIZE), channels(P.FACE))
    out.paste(drawn.convert("RGB"), (0, 0), shown)
    return out


def gif_bytes(image, keep, transparent=False):
    """A GIF of at most 256 colours with fixed quantiser settings; the colour keep is kept exactly
    (the dialog's background must meet the picture without a seam), or, when transparent, is the
    GIF's transparent colour."""
    q = image.quantize(colors=255, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    palette = q.getpalette()[:255 * 3]
    palette += [0] * (255 * 3 - len(palette)) + list(channels(keep))
    exact = [255 if p == channels(keep) else 0 for p in image.getdata()]
    mask = Image.new("L", image.size)
    mask.putdata(exact)
    q.paste(255, (0, 0, *image.size), mask)
    q.putpalette(palette)
    out = io.BytesIO()
    if transparent:
        q.save(out, "GIF", optimize=False, transparency=255)
    else:
        q.save(out, "GIF", optimize=False)
    return out.getvalue()


def ico_bytes(layers):
    """An icon of every size, each drawn for its size, with alpha."""
    images = [layer.rgba() for layer in layers]
    out = io.BytesIO()
    images[-1].save(out, "ICO", sizes=[im.size for im in images], append_images=images[:-1])
    return out.getvalue()


def bmp24_bytes(image):
    out = io.BytesIO()
    image.convert("RGB").save(out, "BMP")
    return out.getvalue()


def render():
    """File name -> bytes of every picture."""
    P = load("default").palette
    strip = track(P)
    return {
        "menu_glyphs.bmp": bmp24_bytes(menu_glyphs()),
        "track.bmp": bmp24_bytes(strip),
        "trackvert.bmp": bmp24_bytes(transposed(strip)),
        "orvo.ico": ico_bytes([emblem.emblem(s) for s in ICON_SIZES]),
        "about.gif": gif_bytes(about_logo(P), P.FACE, transparent=True),
    }


def write_all(folder):
    for name, data in render().items():
        write(os.path.join(folder, name), data)

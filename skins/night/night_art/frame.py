"""The Night window: a dark chrome round the form with softly rounded corners and a thin outer line,
flat caption buttons that light up under the pointer (the close button red), the caption text on
a soft chip, a menu bar of the caption's colour, and the buttons of a maximised MDI child."""

from orvoart import caption, window_frame
from orvoart.canvas import Layer
from orvoart.strips import hstrip, vstrip

from . import palette as P

BORDER = 4  # left and right border width
CAPTION = 32  # caption bar height
BOTTOM = 4  # bottom border height
RADIUS = 8  # every outer corner
# Fixed parts of the pieces: the sides keep the caption rows and the rounded bottom; the top and
# bottom pieces the columns of the corners.
SIDE_TOP, SIDE_BOTTOM = CAPTION, RADIUS
END_LEFT, END_RIGHT = 12, 12


def _look(outline, chrome):
    flat = ((0.0, chrome), (1.0, chrome))
    return dict(outline=outline, shine=chrome, light=chrome, body=chrome, inner=chrome, caption=flat)


FRAME = window_frame.WindowFrame([_look(P.OUTLINE, P.CHROME), _look(P.OUTLINE_OFF, P.CHROME)], BORDER, CAPTION,
                                 BOTTOM, RADIUS, RADIUS)
ACTIVE, INACTIVE = 0, 1

# ----------------------------------------------------------------------------- caption buttons

BUTTON_W, BUTTON_H = 30, 24
BUTTON_Y = (CAPTION - BUTTON_H) // 2
GAP = 2
# Distance of each button's left edge from the window's right edge (XCoord, Align 1).
CLOSE_X = 2 + BORDER + BUTTON_W
MAX_X = CLOSE_X + GAP + BUTTON_W
MIN_X = MAX_X + GAP + BUTTON_W
CAPTION_IMAGES = {"close": "CloseButton.bmp", "max": "MaxButton.bmp", "min": "MinButton.bmp",
                  "restore": "RestoreButton.bmp", "help": "HelpButton.bmp"}
GLYPH = 10


def _looks(glyph):
    """(look index, background or None, glyph ink) of the six frames: normal, pressed, hot,
    inactive window, disabled, hot on an inactive window."""
    close = glyph == "close"
    hot = P.CLOSE_HOT if close else P.CAPTION_HOT
    return [(ACTIVE, None, P.TEXT), (ACTIVE, P.CLOSE_DOWN if close else P.CAPTION_DOWN, P.TEXT if not close else P.WHITE),
            (ACTIVE, hot, P.WHITE if close else P.TEXT), (INACTIVE, None, P.TEXT_DIM),
            (ACTIVE, None, P.TEXT_OFF), (INACTIVE, hot, P.WHITE if close else P.TEXT)]


def caption_button(k, glyph):
    w, h = k(BUTTON_W), k(BUTTON_H)
    g = k(GLYPH)
    frames = []
    for index, back, ink in _looks(glyph):
        layer = Layer(w, h)
        if back is not None:
            layer.fill_rounded(0, 0, w, h, 4 * k.f, back)
        caption.draw_glyph(layer, glyph, (w - g) // 2, (h - g) // 2, g, k, ink, stroke=1.25 * k.f,
                           thin_only=True)
        frames.append(layer.keyed(FRAME.caption_under(k, index, k(BUTTON_Y), w, h)))
    return hstrip(frames)


ICON = 16  # the system-menu button: the engine draws the window's small icon in its place
ICON_X = 10
ICON_Y = (CAPTION - ICON) // 2


def caption_buttons(k):
    drawn = {image: caption_button(k, glyph) for glyph, image in CAPTION_IMAGES.items()}
    drawn["IconButton.bmp"] = Layer(k(ICON), k(ICON)).keyed(0)
    return drawn


# ------------------------------------------------------------------------------ caption text

CHIP_W = 40
CHIP_END = 12  # TXTBackleft and TXTBackRight: the rounded ends, copied unscaled
CHIP_TOP, CHIP_BOTTOM = 5, 27  # rows of the chip inside the caption


def _chip(k, index, colour):
    w, h = k(CHIP_W), k(CAPTION)
    y0, y1 = k(CHIP_TOP), k(CHIP_BOTTOM)
    layer = Layer(w, h)
    layer.fill_rounded(0, y0, w, y1 - y0, min((y1 - y0) / 2, k(CHIP_END) - k.line()), colour)
    return layer.keyed(FRAME.caption_under(k, index, 0, w, h))


def title_back(k):
    """40 x 64, two frames stacked (active, inactive): a soft chip behind the caption text; its
    middle columns are repeated by the engine, so they are flat."""
    return vstrip([_chip(k, ACTIVE, P.TITLE_BACK), _chip(k, INACTIVE, P.TITLE_BACK_OFF)])


# ---------------------------------------------------------------------------------- menu bar

MENUBAR_W, MENUBAR_H = 40, 20
MENUBAR_END = 4  # TileLeftMenu and TileRightMenu


def _menubar(k):
    w, h = k(MENUBAR_W), k(MENUBAR_H)
    layer = Layer(w, h)
    layer.fill_rect(0, 0, w, h, P.CHROME)
    layer.fill_rect(0, h - k.line(), w, k.line(), P.TRACK)
    return layer.over(P.CHROME)


def menu_bar(k):
    """40 x 40, two frames stacked (active, inactive): the caption's colour, a faint line under it;
    every column alike, so it stretches to any width."""
    return vstrip([_menubar(k), _menubar(k)])


# --------------------------------------------------------------------- maximised MDI child buttons


def mdi_controls(k):
    """192 x 14: minimise, restore and close of a maximised MDI child on the menu bar, each in four
    16-wide frames (1 normal, 2 pressed, 3 disabled, 4 hot): flat, lit like the caption buttons."""
    w, h = k(caption.MDI_W), k(caption.MDI_H)
    g = k(8)
    frames = []
    for glyph in caption.MDI_GLYPHS:
        close = glyph == "close"
        for back, ink in ((None, P.TEXT), (P.CLOSE_DOWN if close else P.CAPTION_DOWN, P.TEXT),
                          (None, P.TEXT_OFF), (P.CLOSE_HOT if close else P.CAPTION_HOT, P.WHITE if close else P.TEXT)):
            layer = Layer(w, h)
            if back is not None:
                layer.fill_rounded(0, 0, w, h, 3 * k.f, back)
            caption.draw_glyph(layer, glyph, (w - g) // 2, (h - g) // 2, g, k, ink, stroke=1.25 * k.f,
                               thin_only=True)
            frames.append(layer.keyed(P.CHROME))
    return hstrip(frames)

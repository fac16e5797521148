"""The Jade window frame: the four border pieces (active and inactive), the round caption buttons,
the caption text's plaque, the menu bar and the buttons of a maximised MDI child.

Round shapes are smoothed against the caption rows they sit on (the engine places them at fixed
rows of the caption), never against the transparent key."""

import math

import cairo

from orvoart import caption, window_frame
from orvoart.canvas import Layer, vertical
from orvoart.colour import mix
from orvoart.strips import vstrip

from . import palette as P

BORDER = 5  # left and right border width
CAPTION = 30  # caption bar height
BOTTOM = 6  # bottom border height
TOP_RADIUS, BOTTOM_RADIUS = 9, 4
# Fixed parts of the pieces: the left and right pieces keep the caption rows and the bottom rows;
# the top and bottom pieces keep the columns of the rounded corners.
SIDE_TOP, SIDE_BOTTOM = CAPTION, BOTTOM
END_LEFT, END_RIGHT = 12, 12

FRAME = window_frame.WindowFrame(window_frame.looks(P, 0.5), BORDER, CAPTION, BOTTOM, TOP_RADIUS,
                                 BOTTOM_RADIUS)
ACTIVE, INACTIVE = 0, 1

# ----------------------------------------------------------------------------- caption buttons

BUTTON = 20  # round caption buttons, 20 x 20 frames
BUTTON_Y = (CAPTION - BUTTON) // 2  # YCoord of every caption button
CAPTION_IMAGES = {"close": "CloseButton.bmp", "max": "MaxButton.bmp", "min": "MinButton.bmp",
                  "restore": "RestoreButton.bmp", "help": "HelpButton.bmp"}


def _disc(layer, k, s, top, bottom, outline, shine):
    c = s / 2
    r = 9 * k.f
    line = k.line()
    layer.disc(c, c, r, outline)
    layer.disc(c, c, r - line, vertical(line, s - 1 - line, [(0, top), (1, bottom)]))
    if shine is not None:  # a light rim along the upper half
        cr = layer.cr
        cr.save()
        cr.rectangle(0, 0, s, c - 2 * k.f)
        cr.clip()
        cr.new_sub_path()
        cr.arc(c, c, r - line, 0, 2 * math.pi)
        cr.new_sub_path()
        cr.arc(c, c, r - 2 * line, 0, 2 * math.pi)
        cr.set_fill_rule(cairo.FILL_RULE_EVEN_ODD)
        layer.set_source(shine)
        cr.fill()
        cr.restore()


def caption_buttons(k):
    s = k(BUTTON)
    under = lambda index: FRAME.caption_under(k, index, k(BUTTON_Y), s, s)
    drawn = {image: caption.caption_button(k, BUTTON, glyph, caption.caption_looks(P, glyph), _disc, under,
                                           (6, 6), 8)
             for glyph, image in CAPTION_IMAGES.items()}
    drawn["IconButton.bmp"] = icon_slot(k)
    return drawn


ICON = 16  # the system-menu button's slot: the engine draws the window's small icon in it
ICON_Y = (CAPTION - ICON) // 2


def icon_slot(k):
    """16 x 16, one frame, all transparent: it only gives the button its size, the engine draws the
    program's icon there."""
    return Layer(k(ICON), k(ICON)).keyed(0)


# ------------------------------------------------------------------------- caption text plaque

PLAQUE_W = 40
PLAQUE_END = 10  # TXTBackleft and TXTBackRight: the rounded ends, copied unscaled
PLAQUE_TOP, PLAQUE_BOTTOM = 6, 24  # rows of the plaque inside the caption's height


def _plaque(k, index, edge, lip, top, bottom):
    w, h = k(PLAQUE_W), k(CAPTION)
    y0, y1 = k(PLAQUE_TOP), k(PLAQUE_BOTTOM)
    line = k.line()
    layer = Layer(w, h)
    mid = (y0 + y1) // 2
    outline = vertical(y0, y1 - 1, [(0, edge), ((mid - y0 - 0.5) / max(y1 - 1 - y0, 1), edge),
                                     ((mid - y0 + 0.5) / max(y1 - 1 - y0, 1), lip), (1, lip)])
    layer.box(0, y0, w, y1 - y0, 7 * k.f, outline, vertical(y0 + line, y1 - 1 - line, [(0, top), (1, bottom)]),
              line)
    return layer.keyed(FRAME.caption_under(k, index, 0, w, h))


def title_back(k):
    """40 x 60, two frames stacked (active, inactive): a sunken plaque behind the caption text, as
    high as the caption; its middle columns are repeated by the engine, so they are flat."""
    return vstrip([_plaque(k, ACTIVE, P.PLAQUE_EDGE, P.PLAQUE_LIP, P.PLAQUE_TOP, P.PLAQUE_BOTTOM),
                   _plaque(k, INACTIVE, P.PLAQUE_EDGE_OFF, P.PLAQUE_LIP_OFF, P.PLAQUE_TOP_OFF, P.PLAQUE_BOTTOM_OFF)])


# ---------------------------------------------------------------------------------- menu bar

MENUBAR_W, MENUBAR_H = 40, 20
MENUBAR_END = 4  # TileLeftMenu and TileRightMenu


def _menubar_frame(k, top, bottom, line_colour):
    w, h = k(MENUBAR_W), k(MENUBAR_H)
    line = k.line()
    layer = Layer(w, h)
    layer.fill_rect(0, 0, w, h, vertical(line, h - 1 - line, [(0, top), (1, bottom)]))
    layer.fill_rect(0, 0, w, line, P.HILIGHT_WHITE)
    layer.fill_rect(0, h - line, w, line, line_colour)
    return layer.over(top)


def menu_bar(k):
    """40 x 40, two frames stacked (active, inactive): a soft gradient with a dividing line under
    it; every column is alike, so it stretches to any width."""
    return vstrip([_menubar_frame(k, P.MENUBAR_TOP, P.MENUBAR_BOTTOM, P.MENUBAR_LINE),
                   _menubar_frame(k, P.MENUBAR_OFF, P.MENUBAR_OFF, P.MENUBAR_LINE)])


def mdi_controls(k):
    """The buttons of a maximised MDI child, drawn in the menu bar."""
    return caption.mdi_controls(P, k, mix(P.MENUBAR_TOP, P.MENUBAR_BOTTOM, 0.5))

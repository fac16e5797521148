"""The Jade window frame: the four border pieces (active and inactive), the round caption buttons,
the caption text's plaque, the menu bar and the buttons of a maximised MDI child.

Round shapes are smoothed at their rims by blending with the caption colour of the row they sit on
(the engine places them at fixed rows of the caption), never with the transparent key colour.
"""

from orvoart import window_frame
from orvoart.raster import MAGENTA, Image, coverage, hstrip, mix, vstrip
from orvoart.shapes import box

from . import palette as P

BORDER = 5  # left and right border width
CAPTION = 30  # caption bar height
BOTTOM = 6  # bottom border height
TOP_RADIUS, BOTTOM_RADIUS = 9, 4
GEOMETRY = window_frame.FrameGeometry(BORDER, CAPTION, BOTTOM, TOP_RADIUS, BOTTOM_RADIUS)
# Fixed parts of the pieces: the left and right pieces keep the caption rows and the bottom rows;
# the top and bottom pieces keep the columns of the rounded corners.
SIDE_TOP, SIDE_BOTTOM = CAPTION, BOTTOM
END_LEFT, END_RIGHT = 12, 12

ACTIVE, INACTIVE = window_frame.looks(P, 0.5)


def frame_pieces():
    """FrameLeft, FrameRight (2 frames side by side), FrameTop, FrameBottom (2 frames stacked)."""
    return window_frame.frame_pieces(GEOMETRY, [ACTIVE, INACTIVE])


def _caption_row(look, y):
    return GEOMETRY.caption_colour(look, y)


def _blend_over_caption(look, y0, w, h, shape):
    """An image of w x h whose row y lies on caption row y0 + y. shape(x, y) gives (coverage of the
    whole shape, coverage of its inside, inside colour, rim colour); pixels outside the shape are
    magenta, the rim is blended with the caption beneath."""
    img = Image(w, h, MAGENTA)
    for y in range(h):
        under = _caption_row(look, y0 + y)
        for x in range(w):
            outer, inner, fill, rim = shape(x, y)
            if outer <= 0:
                continue
            c = mix(under, rim, outer) if inner <= 0 else mix(rim, fill, inner / outer)
            img.set(x, y, c)
    return img


# ----------------------------------------------------------------------------- caption buttons

BUTTON = 20  # round caption buttons, 20 x 20 frames
BUTTON_Y = (CAPTION - BUTTON) // 2  # YCoord of every caption button
GLYPHS = {
    "close": ["##....##", "###..###", ".######.", "..####..", "..####..", ".######.",
              "###..###", "##....##"],
    "max": ["########", "########", "#......#", "#......#", "#......#", "#......#", "#......#",
            "########"],
    "min": ["........", "........", "........", "........", "........", "........", "########",
            "########"],
    "restore": ["..######", "..######", "..#....#", "######.#", "######.#", "#....###",
                "#....#..", "######.."],
    "help": ["..####..", ".##..##.", ".....##.", "....##..", "...##...", "...##...", "........",
             "...##..."],
}


def _disc(top, bottom, outline, shine):
    r, cx, cy = 9.0, BUTTON / 2, BUTTON / 2

    def shape(x, y):
        outer = coverage(lambda fx, fy: (fx - cx) ** 2 + (fy - cy) ** 2 <= r * r, x, y)
        inner = coverage(lambda fx, fy: (fx - cx) ** 2 + (fy - cy) ** 2 <= (r - 1) ** 2, x, y)
        fill = mix(top, bottom, max(0.0, (y - 1) / (BUTTON - 3)))
        if shine is not None and y < cy - 2:
            ring = coverage(lambda fx, fy: (fx - cx) ** 2 + (fy - cy) ** 2 > (r - 2) ** 2, x, y)
            fill = mix(fill, shine, ring)
        return outer, inner, fill, outline
    return shape


def _caption_button_frame(glyph, look, *, top, bottom, outline, shine, ink, shadow, shift=0):
    f = _blend_over_caption(look, BUTTON_Y, BUTTON, BUTTON, _disc(top, bottom, outline, shine))
    rows = GLYPHS[glyph]
    if shadow is not None:
        f.stamp(6 + shift, 7 + shift, rows, {"#": shadow})
    f.stamp(6 + shift, 6 + shift, rows, {"#": ink})
    return f


def caption_button(glyph):
    """Six frames: 1 normal, 2 pressed, 3 hot, 4 inactive window (or disabled button), and two the
    engine does not pick today, drawn for completeness: 5 disabled on an active window, 6 hot on
    an inactive window."""
    close = glyph == "close"
    hot = ((P.CLOSE_HOT_TOP, P.CLOSE_HOT_BOTTOM, P.CLOSE_HOT_SHINE, P.CLOSE_OUTLINE) if close
           else (P.CAPBTN_HOT_TOP, P.CAPBTN_HOT_BOTTOM, P.CAPBTN_HOT_SHINE, P.CAPBTN_OUTLINE))
    down = ((P.CLOSE_DOWN_TOP, P.CLOSE_DOWN_BOTTOM, P.CLOSE_OUTLINE) if close
            else (P.CAPBTN_DOWN_TOP, P.CAPBTN_DOWN_BOTTOM, P.CAPBTN_OUTLINE))
    white = P.TEXT_ACTIVE
    frames = [
        _caption_button_frame(glyph, ACTIVE, top=P.CAPBTN_TOP, bottom=P.CAPBTN_BOTTOM,
                              outline=P.CAPBTN_OUTLINE, shine=P.CAPBTN_SHINE, ink=white,
                              shadow=P.GLYPH_SHADOW),
        _caption_button_frame(glyph, ACTIVE, top=down[0], bottom=down[1], outline=down[2],
                              shine=None, ink=white, shadow=None, shift=1),
        _caption_button_frame(glyph, ACTIVE, top=hot[0], bottom=hot[1], outline=hot[3],
                              shine=hot[2], ink=white,
                              shadow=P.CLOSE_OUTLINE if close else P.GLYPH_SHADOW),
        _caption_button_frame(glyph, INACTIVE, top=P.CAPTION_TOP_OFF, bottom=P.CAPTION_BOTTOM_OFF,
                              outline=P.CAPTION_OUTLINE_OFF, shine=P.CAPTION_SHINE_OFF,
                              ink=P.TEXT_INACTIVE, shadow=None),
        _caption_button_frame(glyph, ACTIVE, top=P.CAPBTN_TOP, bottom=P.CAPBTN_BOTTOM,
                              outline=P.CAPBTN_OUTLINE, shine=None, ink=P.GLYPH_DIM, shadow=None),
        _caption_button_frame(glyph, INACTIVE, top=P.CAPTION_SHINE_OFF, bottom=P.CAPTION_MID_OFF,
                              outline=P.CAPTION_OUTLINE_OFF, shine=P.TEXT_INACTIVE,
                              ink=P.TEXT_ACTIVE, shadow=P.CAPTION_OUTLINE_OFF),
    ]
    return hstrip(frames)


ICON = 16  # the system-menu button's slot: the engine draws the window's small icon in it
ICON_Y = (CAPTION - ICON) // 2


def icon_slot():
    """16 x 16, one frame, all transparent: it only gives the button its size, the engine draws the
    program's icon there."""
    return Image(ICON, ICON, MAGENTA)


def caption_buttons():
    return {
        "CloseButton.bmp": caption_button("close"),
        "MaxButton.bmp": caption_button("max"),
        "MinButton.bmp": caption_button("min"),
        "RestoreButton.bmp": caption_button("restore"),
        "HelpButton.bmp": caption_button("help"),
        "IconButton.bmp": icon_slot(),
    }


# ------------------------------------------------------------------------- caption text plaque

PLAQUE_W = 40
PLAQUE_END = 10  # TXTBackleft and TXTBackRight: the rounded ends, copied unscaled
PLAQUE_TOP, PLAQUE_BOTTOM = 6, 24  # rows of the plaque inside the caption's height


def _rounded_box_cover(x0, y0, x1, y1, r):
    def inside(fx, fy):
        if not (x0 <= fx < x1 and y0 <= fy < y1):
            return False
        cx = min(max(fx, x0 + r), x1 - r)
        cy = min(max(fy, y0 + r), y1 - r)
        return (fx - cx) ** 2 + (fy - cy) ** 2 <= r * r
    return inside


def _plaque(look, edge, lip, top, bottom):
    outer_f = _rounded_box_cover(0, PLAQUE_TOP, PLAQUE_W, PLAQUE_BOTTOM, 7.0)
    inner_f = _rounded_box_cover(1, PLAQUE_TOP + 1, PLAQUE_W - 1, PLAQUE_BOTTOM - 1, 6.0)
    mid = (PLAQUE_TOP + PLAQUE_BOTTOM) / 2

    def shape(x, y):
        fill = mix(top, bottom, (y - PLAQUE_TOP) / (PLAQUE_BOTTOM - PLAQUE_TOP - 1))
        return coverage(outer_f, x, y), coverage(inner_f, x, y), fill, edge if y < mid else lip
    return _blend_over_caption(look, 0, PLAQUE_W, CAPTION, shape)


def title_back():
    """40 x 60, two frames stacked (active, inactive): a sunken plaque behind the caption text, as
    high as the caption; columns 10-29 are repeated by the engine, so they are flat."""
    return vstrip([_plaque(ACTIVE, P.PLAQUE_EDGE, P.PLAQUE_LIP, P.PLAQUE_TOP, P.PLAQUE_BOTTOM),
                   _plaque(INACTIVE, P.PLAQUE_EDGE_OFF, P.PLAQUE_LIP_OFF, P.PLAQUE_TOP_OFF,
                           P.PLAQUE_BOTTOM_OFF)])


# ---------------------------------------------------------------------------------- menu bar

MENUBAR_W, MENUBAR_H = 40, 20
MENUBAR_END = 4  # TileLeftMenu and TileRightMenu


def _menubar_frame(top, bottom, line):
    f = Image(MENUBAR_W, MENUBAR_H)
    for y in range(MENUBAR_H):
        c = P.HILIGHT_WHITE if y == 0 else line if y == MENUBAR_H - 1 else mix(top, bottom, (y - 1) / (MENUBAR_H - 3))
        f.hline(0, MENUBAR_W - 1, y, c)
    return f


def menu_bar():
    """40 x 40, two frames stacked (active, inactive): a soft gradient with a dividing line under
    it; every column is alike, so it stretches to any width."""
    return vstrip([_menubar_frame(P.MENUBAR_TOP, P.MENUBAR_BOTTOM, P.MENUBAR_LINE),
                   _menubar_frame(P.MENUBAR_OFF, P.MENUBAR_OFF, P.MENUBAR_LINE)])


# --------------------------------------------------------------------- maximised MDI child buttons

MDI_W, MDI_H = 16, 14
MDI_GLYPHS = {
    "min": ["........", "........", "........", "........", "########", "########"],
    "restore": ["..######", "..#....#", "######.#", "#....###", "#....#..", "######.."],
    "close": [".##..##.", "..####..", "...##...", "...##...", "..####..", ".##..##."],
}


def _mdi_frame(glyph, outline, top, bottom, ink):
    f = box(MDI_W, MDI_H, radius=2, outside=MAGENTA, outline=outline, top=top, bottom=bottom)
    f.stamp(4, 4, MDI_GLYPHS[glyph], {"#": ink})
    return f


def mdi_controls():
    """192 x 14: minimise, restore and close of a maximised MDI child, each in four 16-wide frames
    (1 normal, 2 pressed, 3 disabled, 4 hot), drawn in the menu bar."""
    frames = []
    for glyph in ("min", "restore", "close"):
        hot = (P.CLOSE_HOT_TOP, P.CLOSE_HOT_BOTTOM) if glyph == "close" else (P.BTN_HOT_TOP, P.BTN_HOT_BOTTOM)
        frames += [
            _mdi_frame(glyph, P.BTN_OUTLINE, P.BTN_TOP, P.BTN_BOTTOM, P.GLYPH),
            _mdi_frame(glyph, P.BTN_DOWN_OUTLINE, P.BTN_DOWN_TOP, P.BTN_DOWN_BOTTOM, P.SELECTION),
            _mdi_frame(glyph, P.BTN_OFF_OUTLINE, P.BTN_OFF_BODY, P.BTN_OFF_BODY, P.GLYPH_OFF),
            _mdi_frame(glyph, P.CLOSE_OUTLINE if glyph == "close" else P.BTN_HOT_OUTLINE, hot[0],
                       hot[1], P.HILIGHT_WHITE if glyph == "close" else P.SELECTION),
        ]
    return hstrip(frames)

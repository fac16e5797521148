"""The Slate window frame (four border pieces, active and inactive) and the caption buttons."""

from . import palette as P
from orvoart import window_frame
from orvoart.raster import MAGENTA, Image, hstrip
from orvoart.shapes import box

BORDER = 4  # left and right border width (one frame of FrameLeft/FrameRight)
CAPTION = 29  # caption bar height (one frame of FrameTop)
BOTTOM = 5  # bottom border height (one frame of FrameBottom)
NOMINAL_W, NOMINAL_H = 300, 250  # FrameTop/FrameBottom are 292 = 300 - 2 * BORDER wide
TOP_RADIUS, BOTTOM_RADIUS = 7, 2
GEOMETRY = window_frame.FrameGeometry(BORDER, CAPTION, BOTTOM, TOP_RADIUS, BOTTOM_RADIUS,
                                      (NOMINAL_W, NOMINAL_H))

_ACTIVE, _INACTIVE = window_frame.looks(P, 0.45)


def frame_pieces():
    """FrameLeft, FrameRight (2 frames side by side), FrameTop, FrameBottom (2 frames stacked)."""
    return window_frame.frame_pieces(GEOMETRY, [_ACTIVE, _INACTIVE])


# Caption-button glyphs, 9 x 9, placed at (6, 6) of a 21 x 21 frame.
GLYPHS = {
    "close": ["##.....##", "###...###", ".###.###.", "..#####..", "...###...",
              "..#####..", ".###.###.", "###...###", "##.....##"],
    "max": ["#########", "#########", "#.......#", "#.......#", "#.......#",
            "#.......#", "#.......#", "#.......#", "#########"],
    "min": [".........", ".........", ".........", ".........", ".........",
            ".........", ".........", "#########", "#########"],
    "restore": ["..#######", "..#######", "..#.....#", "#######.#", "#######.#",
                "#.....#.#", "#.....###", "#.....#..", "#######.."],
}

CAPTION_BUTTON = 21


def _caption_frame(glyph, *, top, bottom, outline, shine, ink, shadow, shift=0):
    # The outer pixel ring stays transparent so neighbouring buttons never touch.
    f = Image(CAPTION_BUTTON, CAPTION_BUTTON, MAGENTA)
    framed = box(CAPTION_BUTTON - 2, CAPTION_BUTTON - 2, radius=3, outline=outline, top=top,
                 bottom=bottom, outside=MAGENTA, shine=shine, shine_until=3)
    f.paste(framed, 1, 1)
    rows = GLYPHS[glyph]
    if shadow is not None:
        f.stamp(6 + shift, 7 + shift, rows, {"#": shadow})
    f.stamp(6 + shift, 6 + shift, rows, {"#": ink})
    return f


def caption_button(glyph):
    """Six frames: 1 normal, 2 pressed, 3 hot, 4 inactive window (or disabled button), and two the
    engine does not pick today, drawn for completeness: 5 disabled on an active window, 6 hot on
    an inactive window."""
    hot_top, hot_bottom, hot_shine, hot_outline = (
        (P.CLOSE_HOT_TOP, P.CLOSE_HOT_BOTTOM, P.CLOSE_HOT_SHINE, P.CLOSE_OUTLINE) if glyph == "close"
        else (P.CAPBTN_HOT_TOP, P.CAPBTN_HOT_BOTTOM, P.CAPBTN_HOT_SHINE, P.CAPBTN_OUTLINE))
    down_top, down_bottom, down_outline = (
        (P.CLOSE_DOWN_TOP, P.CLOSE_DOWN_BOTTOM, P.CLOSE_OUTLINE) if glyph == "close"
        else (P.CAPBTN_DOWN_TOP, P.CAPBTN_DOWN_BOTTOM, P.CAPBTN_OUTLINE))
    white = P.TEXT_ACTIVE
    frames = [
        _caption_frame(glyph, top=P.CAPBTN_TOP, bottom=P.CAPBTN_BOTTOM, outline=P.CAPBTN_OUTLINE,
                       shine=P.CAPBTN_SHINE, ink=white, shadow=P.GLYPH_SHADOW),
        _caption_frame(glyph, top=down_top, bottom=down_bottom, outline=down_outline, shine=None,
                       ink=white, shadow=None, shift=1),
        _caption_frame(glyph, top=hot_top, bottom=hot_bottom, outline=hot_outline, shine=hot_shine,
                       ink=white, shadow=P.GLYPH_SHADOW if glyph != "close" else P.CLOSE_OUTLINE),
        _caption_frame(glyph, top=P.CAPTION_TOP_OFF, bottom=P.CAPTION_BOTTOM_OFF,
                       outline=P.CAPTION_OUTLINE_OFF, shine=P.CAPTION_SHINE_OFF, ink=P.TEXT_INACTIVE,
                       shadow=None),
        _caption_frame(glyph, top=P.CAPBTN_TOP, bottom=P.CAPBTN_BOTTOM, outline=P.CAPBTN_OUTLINE,
                       shine=None, ink=P.GLYPH_DIM, shadow=None),
        _caption_frame(glyph, top=P.CAPTION_SHINE_OFF, bottom=P.CAPTION_MID_OFF,
                       outline=P.CAPTION_OUTLINE_OFF, shine=P.TEXT_INACTIVE, ink=P.TEXT_ACTIVE,
                       shadow=P.CAPTION_OUTLINE_OFF),
    ]
    return hstrip(frames)


def caption_buttons():
    return {
        "CloseButton.bmp": caption_button("close"),
        "MaxButton.bmp": caption_button("max"),
        "MinButton.bmp": caption_button("min"),
        "RestroreButton.bmp": caption_button("restore"),
    }


# The buttons of a maximised MDI child, drawn in the menu bar: 16 x 14 frames, 8 x 6 glyphs at (4, 4).
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
    (1 normal, 2 pressed, 3 disabled, 4 hot), light buttons on the grey menu bar."""
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

"""Push buttons, check and radio glyphs, tabs, header, progress, combo button, status bar panels and
the popup-menu background.

Every function takes the skin's palette P first (a module or object with the colour names of
skins/default/slate_art/palette.py), so one drawing serves every skin of the family."""

from .raster import MAGENTA, Image, hstrip, mix
from .shapes import box, flat_middle

# ------------------------------------------------------------------------------ push buttons


def push_buttons(P):
    """90 x 21, five 18-wide frames: 1 normal, 2 pressed, 3 disabled, 4 hot, 5 focused/default.
    Rows 9-11 and columns 8-9 lie between the fixed margins and are stretched, so they are flat."""
    w, h = 18, 21
    common = dict(radius=3, outside=P.FACE, t_of_y=flat_middle(h, 9, 11), shine_until=9)
    return hstrip([
        box(w, h, outline=P.BTN_OUTLINE, top=P.BTN_TOP, bottom=P.BTN_BOTTOM, shine=P.BTN_SHINE,
            base=P.BTN_BASE, **common),
        box(w, h, outline=P.BTN_DOWN_OUTLINE, top=P.BTN_DOWN_TOP, bottom=P.BTN_DOWN_BOTTOM,
            **common),
        box(w, h, outline=P.BTN_OFF_OUTLINE, top=P.BTN_OFF_BODY, bottom=P.BTN_OFF_BODY, **common),
        box(w, h, outline=P.BTN_HOT_OUTLINE, top=P.BTN_HOT_TOP, bottom=P.BTN_HOT_BOTTOM,
            shine=P.BTN_SHINE, **common),
        box(w, h, outline=P.SELECTION, top=P.BTN_TOP, bottom=P.BTN_BOTTOM, ring1=P.FOCUS_RING,
            **common),
    ])


# ------------------------------------------------------------------------- check and radio

CHECK_MARK = ["........#", ".......##", "#.....##.", "##...##..", ".##.##...", "..###....",
              "...#....."]
RADIO_DOT = [".###.", "#####", "#####", "#####", ".###."]


def _check_frame(P, checked, enabled):
    f = box(13, 13, radius=2, outside=MAGENTA,
            outline=P.THUMB_OUTLINE if enabled else P.BTN_OFF_OUTLINE,
            top=P.BTN_TOP if enabled else P.BTN_OFF_BODY,
            bottom=P.BTN_BOTTOM if enabled else P.BTN_OFF_BODY,
            shine=None, base=None)
    if checked:
        f.stamp(2, 3, CHECK_MARK, {"#": P.SELECTION if enabled else P.GLYPH_OFF})
    return f


def _glyph_states(P, draw):
    """52 x 13, four frames: unchecked, checked, unchecked disabled, checked disabled."""
    return hstrip([draw(P, False, True), draw(P, True, True), draw(P, False, False), draw(P, True, False)])


def check_boxes(P):
    return _glyph_states(P, _check_frame)


def _radio_frame(P, checked, enabled):
    outline = P.THUMB_OUTLINE if enabled else P.BTN_OFF_OUTLINE
    top, bottom = (P.BTN_TOP, P.BTN_BOTTOM) if enabled else (P.BTN_OFF_BODY, P.BTN_OFF_BODY)
    return radio_disc(P, checked, outline, top, bottom, P.SELECTION if enabled else P.GLYPH_OFF)


def radio_disc(P, checked, outline, top, bottom, ink):
    """A 13 x 13 circle with a solid outline; its outer rim is smoothed towards the face colour
    (never towards the key colour), the rest outside is transparent."""
    f = Image(13, 13, MAGENTA)
    for y in range(13):
        for x in range(13):
            d = ((x - 6) ** 2 + (y - 6) ** 2) ** 0.5
            if d <= 5.0:
                f.set(x, y, mix(top, bottom, y / 12))
            elif d <= 6.1:
                f.set(x, y, outline)
            elif d <= 6.6:
                f.set(x, y, mix(P.FACE, outline, 0.45))
    if checked:
        f.stamp(4, 4, RADIO_DOT, {"#": ink})
    return f


def radio_buttons(P):
    return _glyph_states(P, _radio_frame)


# -------------------------------------------------------------------------------- progress

def _trough(P):
    return mix(P.TRACK, P.HILIGHT_WHITE, 0.6)


def progress_trough(P):
    """9 x 19, one frame; the middle (rows 3-15, column 4) is tiled, so it is one flat colour."""
    trough = _trough(P)
    f = box(9, 19, radius=2, outside=MAGENTA, outline=P.SHADOW, top=trough, bottom=trough)
    for x in range(1, 8):
        if f.get(x, 1) != MAGENTA:
            f.set(x, 1, mix(P.SHADOW, trough, 0.55))
            f.set(x, 2, mix(P.SHADOW, trough, 0.8))
    return f


def progress_chunk(P):
    """10 x 12: an 8-pixel block and a 2-pixel gap in the trough's colour."""
    f = Image(10, 12, _trough(P))
    for y in range(12):
        c = P.ACCENT_LIGHT if y == 0 else mix(P.ACCENT, P.SELECTION, (y - 1) / 10)
        f.hline(0, 7, y, c)
    f.vline(0, 1, 11, mix(P.ACCENT, P.ACCENT_LIGHT, 0.4))
    return f


# ------------------------------------------------------------------------------------ tabs


def _tab(P, top, bottom, outline, accent=None, open_bottom=False):
    f = box(18, 18, radius=3, outside=P.FACE, outline=outline, top=top, bottom=bottom,
            shine=None if accent else P.HILIGHT_WHITE, corners=(True, True, False, False),
            t_of_y=flat_middle(18, 6, 11))
    if accent:
        for x in range(18):
            if f.get(x, 0) == outline:
                f.set(x, 0, accent)
            if f.get(x, 1) not in (outline, P.FACE):
                f.set(x, 1, mix(accent, P.HILIGHT_WHITE, 0.45))
    for x in range(1, 17):
        f.set(x, 17, P.FACE if open_bottom else P.SHADOW)
    return f


def tabs(P):
    """90 x 18, five frames: 1 tab, 2 selected tab, 3 hot, 4 disabled, 5 selected and hot."""
    return hstrip([
        _tab(P, mix(P.BTN_TOP, P.FACE, 0.3), P.FACE, P.SHADOW),
        _tab(P, P.HILIGHT_WHITE, P.FACE, P.SHADOW, accent=P.ACCENT, open_bottom=True),
        _tab(P, P.BTN_HOT_TOP, P.BTN_HOT_BOTTOM, P.SHADOW, accent=P.ACCENT_LIGHT),
        _tab(P, P.BTN_OFF_BODY, P.BTN_OFF_BODY, P.BTN_OFF_OUTLINE),
        _tab(P, P.HILIGHT_WHITE, P.BTN_HOT_BOTTOM, P.SHADOW, accent=P.SELECTION, open_bottom=True),
    ])


def tab_border(P):
    """48 x 48 page frame: outline, a light inner edge top and left, a soft one bottom and right."""
    f = Image(48, 48, P.FACE)
    f.frame_rect(0, 0, 48, 48, P.SHADOW)
    f.hline(1, 46, 1, P.HILIGHT_WHITE)
    f.vline(1, 1, 46, P.HILIGHT_WHITE)
    f.hline(1, 46, 46, P.LIGHT)
    f.vline(46, 2, 46, mix(P.LIGHT, P.SHADOW, 0.3))
    return f


# ---------------------------------------------------------------------------------- header


def _header_item(P, top, bottom, line, line2=None, separator=None):
    """One 14 x 18 item: the engine copies columns 0-7 and 6-13, so only the edges differ."""
    separator = P.SHADOW if separator is None else separator
    f = Image(14, 18)
    t_of_y = flat_middle(18, 3, 13)
    for y in range(18):
        f.hline(0, 13, y, mix(top, bottom, t_of_y(y)))
    f.vline(0, 0, 16, mix(top, P.HILIGHT_WHITE, 0.7))
    f.vline(13, 3, 14, mix(separator, bottom, 0.35))
    if line2 is not None:
        f.hline(0, 13, 16, line2)
    f.hline(0, 13, 17, line)
    return f


def header(P):
    """72 x 18: five 14-wide frames (1 normal, 2 hot, 3 pressed, 4 disabled, 5 sorted) and two
    spare columns that the engine never reads."""
    frames = [
        _header_item(P, P.HILIGHT_WHITE, mix(P.FACE, P.HILIGHT_WHITE, 0.35), P.SHADOW),
        _header_item(P, P.HILIGHT_WHITE, P.BTN_HOT_BOTTOM, P.ACCENT, P.ACCENT_LIGHT),
        _header_item(P, mix(P.FACE, P.SHADOW, 0.25), P.FACE, P.SHADOW),
        _header_item(P, P.BTN_OFF_BODY, P.BTN_OFF_BODY, P.BTN_OFF_OUTLINE, separator=P.BTN_OFF_OUTLINE),
        _header_item(P, P.HILIGHT_WHITE, mix(P.FACE, P.HILIGHT_WHITE, 0.35), P.SELECTION, P.ACCENT),
    ]
    out = Image(72, 18, P.FACE)
    out.paste(hstrip(frames), 0, 0)
    return out


# ---------------------------------------------------------------------------- combo button

COMBO_ARROW = ["#######", ".#####.", "..###..", "...#..."]


def _combo_frame(P, top, bottom, outline, ink, shine=None):
    f = box(15, 16, radius=2, outside=MAGENTA, outline=outline, top=top, bottom=bottom, shine=shine)
    f.stamp(4, 6, COMBO_ARROW, {"#": ink})
    return f


def combo_button(P):
    """60 x 16, four frames: 1 normal, 2 pressed, 3 disabled, 4 hot or focused."""
    return hstrip([
        _combo_frame(P, P.BTN_TOP, P.BTN_BOTTOM, P.BTN_OUTLINE, P.GLYPH, P.BTN_SHINE),
        _combo_frame(P, P.BTN_DOWN_TOP, P.BTN_DOWN_BOTTOM, P.BTN_DOWN_OUTLINE, P.SELECTION),
        _combo_frame(P, P.BTN_OFF_BODY, P.BTN_OFF_BODY, P.BTN_OFF_OUTLINE, P.GLYPH_OFF),
        _combo_frame(P, P.BTN_HOT_TOP, P.BTN_HOT_BOTTOM, P.BTN_HOT_OUTLINE, P.SELECTION, P.BTN_SHINE),
    ])


# ------------------------------------------------------------------------------ status bar


def _panel(P, top_left, bottom_right, body):
    f = Image(68, 15, body)
    f.hline(0, 66, 0, top_left)
    f.vline(0, 0, 13, top_left)
    f.hline(1, 67, 14, bottom_right)
    f.vline(67, 1, 14, bottom_right)
    return f


def status_bar(P):
    """204 x 15, three 68-wide panels: 1 lowered, 2 raised, 3 no bevel."""
    return hstrip([
        _panel(P, P.SHADOW, P.HILIGHT_WHITE, mix(P.FACE, P.LIGHT, 0.5)),
        _panel(P, P.HILIGHT_WHITE, P.SHADOW, P.FACE),
        Image(68, 15, P.FACE),
    ])


# ---------------------------------------------------------------------------- popup menus


def menu_background(P):
    """20 x 20 with one-pixel margins: an outline round a white centre that is stretched."""
    f = Image(20, 20, P.MENU)
    f.frame_rect(0, 0, 20, 20, P.MENU_EDGE)
    return f

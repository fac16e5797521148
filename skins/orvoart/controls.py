"""Controls of the bevelled family (Slate, Jade): push buttons, check and radio glyphs, tabs and the
page frame, header items, the progress trough and chunk, the combo button, status bar panels and
the popup-menu background.

Each function takes the skin's palette P (the colour names of skins/default/slate_art/palette.py)
and the Scale k, and returns the image at that scale; sizes in the docstrings are at 100 %."""

from . import glyphs
from .canvas import TOP, Layer, flat_vertical, vertical
from .colour import mix
from .strips import hstrip


def _button_face(P, k, w, h, look, margins, outside, radius=3):
    """One rounded, bevelled face of a push-button-like element; margins (top, bottom) at 96 DPI
    bound the rows the engine stretches, which stay flat."""
    outline, top, bottom, shine, base, ring = look
    line = k.line()
    first, last = k(margins[0]), h - k(margins[1]) - 1
    layer = Layer(w, h)
    body = flat_vertical(0, h, first, last, top, bottom)
    if ring is not None:  # the focused face: a full ring inside the outline
        layer.box(0, 0, w, h, radius * k.f, outline, ring, line)
        layer.fill_rounded(2 * line, 2 * line, w - 4 * line, h - 4 * line, max(radius * k.f - 2 * line, 0), body)
    else:
        layer.box(0, 0, w, h, radius * k.f, outline, body, line,
                  shine=None if shine is None else (shine, first))
    if base is not None:
        layer.fill_rect(line + round(radius * k.f), h - 2 * line, w - 2 * line - 2 * round(radius * k.f), line, base)
    return layer.over(outside)


def push_buttons(P, k):
    """90 x 21, five 18-wide frames: 1 normal, 2 pressed, 3 disabled, 4 hot, 5 focused/default.
    The rows and columns between the margins (9 and 8) are stretched, so they are flat."""
    w, h = k(18), k(21)
    looks = [
        (P.BTN_OUTLINE, P.BTN_TOP, P.BTN_BOTTOM, P.BTN_SHINE, P.BTN_BASE, None),
        (P.BTN_DOWN_OUTLINE, P.BTN_DOWN_TOP, P.BTN_DOWN_BOTTOM, None, None, None),
        (P.BTN_OFF_OUTLINE, P.BTN_OFF_BODY, P.BTN_OFF_BODY, None, None, None),
        (P.BTN_HOT_OUTLINE, P.BTN_HOT_TOP, P.BTN_HOT_BOTTOM, P.BTN_SHINE, None, None),
        (P.SELECTION, P.BTN_TOP, P.BTN_BOTTOM, None, None, P.FOCUS_RING),
    ]
    return hstrip([_button_face(P, k, w, h, look, (9, 9), P.FACE) for look in looks])


# ------------------------------------------------------------------------- check and radio


def check_glyph(P, k, outline, top, bottom, mark, ink, under=None):
    """A 13 x 13 check box: a rounded square, a tick (mark "checked"), a bar ("mixed") or nothing;
    transparent round it, its corners smoothed against the face colour."""
    s = k(13)
    line = k.line()
    layer = Layer(s, s)
    layer.box(0, 0, s, s, 2 * k.f, outline, vertical(line, s - 1 - line, [(0, top), (1, bottom)]), line)
    if mark == "checked":
        glyphs.check(layer, 2.5 * k.f, 2.5 * k.f, 8 * k.f, 1.7 * k.f, ink)
    elif mark == "mixed":
        bar = k(3)
        layer.fill_rect(k(3), (s - bar) // 2, s - 2 * k(3), bar, ink)
    return layer.keyed(P.FACE if under is None else under)


def radio_glyph(P, k, outline, top, bottom, checked, ink, under=None):
    """A 13 x 13 round radio button with a solid outline and a dot when checked."""
    s = k(13)
    c = s / 2
    layer = Layer(s, s)
    layer.disc(c, c, 6.1 * k.f, outline)
    layer.disc(c, c, 6.1 * k.f - k.line(), vertical(0, s - 1, [(0, top), (1, bottom)]))
    if checked:
        layer.disc(c, c, 2.6 * k.f, ink)
    return layer.keyed(P.FACE if under is None else under)


def check_boxes(P, k):
    """52 x 13, four frames: unchecked, checked, unchecked disabled, checked disabled."""
    on = (P.THUMB_OUTLINE, P.BTN_TOP, P.BTN_BOTTOM)
    off = (P.BTN_OFF_OUTLINE, P.BTN_OFF_BODY, P.BTN_OFF_BODY)
    return hstrip([check_glyph(P, k, *on, None, None), check_glyph(P, k, *on, "checked", P.SELECTION),
                   check_glyph(P, k, *off, None, None), check_glyph(P, k, *off, "checked", P.GLYPH_OFF)])


def radio_buttons(P, k):
    """52 x 13, four frames: unchecked, checked, unchecked disabled, checked disabled."""
    on = (P.THUMB_OUTLINE, P.BTN_TOP, P.BTN_BOTTOM)
    off = (P.BTN_OFF_OUTLINE, P.BTN_OFF_BODY, P.BTN_OFF_BODY)
    return hstrip([radio_glyph(P, k, *on, False, None), radio_glyph(P, k, *on, True, P.SELECTION),
                   radio_glyph(P, k, *off, False, None), radio_glyph(P, k, *off, True, P.GLYPH_OFF)])


# -------------------------------------------------------------------------------- progress


def trough_colour(P):
    return mix(P.TRACK, P.HILIGHT_WHITE, 0.6)


def progress_trough(P, k):
    """9 x 19, one frame, drawn transparently: a sunken trough; its middle (between margins 4 and
    3) is repeated, so flat."""
    w, h = k(9), k(19)
    line = k.line()
    trough = trough_colour(P)
    layer = Layer(w, h)
    inner = vertical(line, line + 2 * line, [(0, mix(P.SHADOW, trough, 0.55)), (0.5, mix(P.SHADOW, trough, 0.8)),
                                              (1, trough)])
    layer.box(0, 0, w, h, 2 * k.f, P.SHADOW, inner, line)
    layer.fill_rect(line, k(3), w - 2 * line, h - k(3) - line, trough)
    layer.fill_rounded(line, h - 3 * line, w - 2 * line, 2 * line, max(2 * k.f - line, 0), trough)
    return layer.keyed(P.FACE)


def progress_chunk(P, k, h=12, trough=None):
    """10 x 12: an 8-wide block with a light top row and a 2-wide gap in the trough's colour."""
    w, hh = k(10), k(h)
    line = k.line()
    layer = Layer(w, hh)
    layer.fill_rect(0, 0, w, hh, trough_colour(P) if trough is None else trough)
    block = k(8)
    layer.fill_rect(0, 0, block, hh, vertical(line, hh - 1, [(0, P.ACCENT), (1, P.SELECTION)]))
    layer.fill_rect(0, 0, block, line, P.ACCENT_LIGHT)
    layer.fill_rect(0, line, line, hh - line, mix(P.ACCENT, P.ACCENT_LIGHT, 0.4))
    return layer.over(P.FACE)


# ------------------------------------------------------------------------------------ tabs


def _tab(P, k, top, bottom, outline, accent=None, open_bottom=False):
    w = h = k(18)
    line = k.line()
    layer = Layer(w, h)
    body = flat_vertical(0, h, k(6), h - k(6) - 1, top, bottom)
    layer.box(0, 0, w, h + 4 * line, 3 * k.f, outline, body, line, TOP,
              shine=None if accent else (P.HILIGHT_WHITE, k(9)))
    if accent:
        layer.cr.save()
        layer.cr.rectangle(0, 0, w, line)
        layer.cr.clip()
        layer.fill_rounded(0, 0, w, h, 3 * k.f, accent, TOP)
        layer.cr.restore()
        layer.cr.save()
        layer.cr.rectangle(0, line, w, line)
        layer.cr.clip()
        layer.fill_rounded(line, line, w - 2 * line, h, max(3 * k.f - line, 0), mix(accent, P.HILIGHT_WHITE, 0.45),
                           TOP)
        layer.cr.restore()
    layer.fill_rect(line, h - line, w - 2 * line, line, P.FACE if open_bottom else P.SHADOW)
    return layer.over(P.FACE)


def tabs(P, k):
    """90 x 18, five frames: 1 tab, 2 selected tab, 3 hot, 4 disabled, 5 selected and hot."""
    return hstrip([
        _tab(P, k, mix(P.BTN_TOP, P.FACE, 0.3), P.FACE, P.SHADOW),
        _tab(P, k, P.HILIGHT_WHITE, P.FACE, P.SHADOW, accent=P.ACCENT, open_bottom=True),
        _tab(P, k, P.BTN_HOT_TOP, P.BTN_HOT_BOTTOM, P.SHADOW, accent=P.ACCENT_LIGHT),
        _tab(P, k, P.BTN_OFF_BODY, P.BTN_OFF_BODY, P.BTN_OFF_OUTLINE),
        _tab(P, k, P.HILIGHT_WHITE, P.BTN_HOT_BOTTOM, P.SHADOW, accent=P.SELECTION, open_bottom=True),
    ])


def page_frame(P, k, size, soft):
    """A size x size page frame: outline, a light inner edge top and left, a soft one bottom and
    right (soft: its colour)."""
    s = k(size)
    line = k.line()
    layer = Layer(s, s)
    layer.fill_rect(0, 0, s, s, P.SHADOW)
    layer.fill_rect(line, line, s - 2 * line, s - 2 * line, soft)
    layer.fill_rect(line, line, s - 3 * line, s - 3 * line, P.HILIGHT_WHITE)
    layer.fill_rect(2 * line, 2 * line, s - 4 * line, s - 4 * line, P.FACE)
    return layer.over(P.FACE)


def tab_border(P, k):
    """48 x 48: the page under the tabs."""
    return page_frame(P, k, 48, mix(P.LIGHT, P.SHADOW, 0.3))


# ---------------------------------------------------------------------------------- header


def _header_item(P, k, top, bottom, line_colour, line2=None, separator=None):
    """One 14 x 18 item, flat across but for its first column (light) and last (a separator)."""
    separator = P.SHADOW if separator is None else separator
    w, h = k(14), k(18)
    line = k.line()
    layer = Layer(w, h)
    layer.fill_rect(0, 0, w, h, flat_vertical(0, h, k(3), h - k(4) - 1, top, bottom))
    layer.fill_rect(0, 0, line, h - line, mix(top, P.HILIGHT_WHITE, 0.7))
    layer.fill_rect(w - line, k(3), line, h - k(3) - k(3), mix(separator, bottom, 0.35))
    if line2 is not None:
        layer.fill_rect(0, h - 2 * line, w, line, line2)
    layer.fill_rect(0, h - line, w, line, line_colour)
    return layer.over(P.FACE)


def header_items(P, k):
    """Five 14-wide frames: 1 normal, 2 hot, 3 pressed, 4 disabled, 5 sorted."""
    return [
        _header_item(P, k, P.HILIGHT_WHITE, mix(P.FACE, P.HILIGHT_WHITE, 0.35), P.SHADOW),
        _header_item(P, k, P.HILIGHT_WHITE, P.BTN_HOT_BOTTOM, P.ACCENT, P.ACCENT_LIGHT),
        _header_item(P, k, mix(P.FACE, P.SHADOW, 0.25), P.FACE, P.SHADOW),
        _header_item(P, k, P.BTN_OFF_BODY, P.BTN_OFF_BODY, P.BTN_OFF_OUTLINE, separator=P.BTN_OFF_OUTLINE),
        _header_item(P, k, P.HILIGHT_WHITE, mix(P.FACE, P.HILIGHT_WHITE, 0.35), P.SELECTION, P.ACCENT),
    ]


# ---------------------------------------------------------------------------- combo button


def combo_frame(P, k, w, h, outline, top, bottom, ink, shine=None, under=None, arrow=True, radius=2,
                margins=None):
    """A rounded button face with a down arrow, transparent round its corners."""
    line = k.line()
    layer = Layer(w, h)
    body = (vertical(line, h - 1 - line, [(0, top), (1, bottom)]) if margins is None
            else flat_vertical(0, h, k(margins[0]), h - k(margins[1]) - 1, top, bottom))
    layer.box(0, 0, w, h, radius * k.f, outline, body, line,
              shine=None if shine is None else (shine, k(3) if margins else h // 2))
    if arrow:
        aw, ah = 7 * k.f, 4 * k.f
        glyphs.triangle(layer, (w - aw) / 2, (h - ah) / 2, aw, ah, "down", ink)
    return layer.keyed(P.FACE if under is None else under)


def combo_button(P, k):
    """60 x 16, four 15-wide frames: 1 normal, 2 pressed, 3 disabled, 4 hot or focused."""
    w, h = k(15), k(16)
    return hstrip([
        combo_frame(P, k, w, h, P.BTN_OUTLINE, P.BTN_TOP, P.BTN_BOTTOM, P.GLYPH, P.BTN_SHINE),
        combo_frame(P, k, w, h, P.BTN_DOWN_OUTLINE, P.BTN_DOWN_TOP, P.BTN_DOWN_BOTTOM, P.SELECTION),
        combo_frame(P, k, w, h, P.BTN_OFF_OUTLINE, P.BTN_OFF_BODY, P.BTN_OFF_BODY, P.GLYPH_OFF),
        combo_frame(P, k, w, h, P.BTN_HOT_OUTLINE, P.BTN_HOT_TOP, P.BTN_HOT_BOTTOM, P.SELECTION, P.BTN_SHINE),
    ])


# ------------------------------------------------------------------------------ status bar


def _panel(P, k, top_left, bottom_right, body):
    w, h = k(68), k(15)
    line = k.line()
    layer = Layer(w, h)
    layer.fill_rect(0, 0, w, h, body)
    if top_left is not None:
        layer.fill_rect(line, h - line, w - line, line, bottom_right)
        layer.fill_rect(w - line, line, line, h - line, bottom_right)
        layer.fill_rect(0, 0, w - line, line, top_left)
        layer.fill_rect(0, 0, line, h - line, top_left)
    return layer.over(body)


def status_bar(P, k):
    """204 x 15, three 68-wide panels: 1 lowered, 2 raised, 3 no bevel."""
    return hstrip([
        _panel(P, k, P.SHADOW, P.HILIGHT_WHITE, mix(P.FACE, P.LIGHT, 0.5)),
        _panel(P, k, P.HILIGHT_WHITE, P.SHADOW, P.FACE),
        _panel(P, k, None, None, P.FACE),
    ])


# ---------------------------------------------------------------------------- popup menus


def menu_background(P, k, edge=None, body=None):
    """20 x 20 with one-pixel margins: an outline round a plain centre that is stretched."""
    s = k(20)
    layer = Layer(s, s)
    layer.fill_rect(0, 0, s, s, P.MENU_EDGE if edge is None else edge)
    line = k.line()
    layer.fill_rect(line, line, s - 2 * line, s - 2 * line, P.MENU if body is None else body)
    return layer.over(P.MENU)


# ---------------------------------------------------------------------------- track channels


def groove(k, rows, face, length=40, thickness=4):
    """A length x thickness sunken channel: four bands from top to bottom (rows: the outer dark
    line, two inner bands, the light line), its ends closed by the dark and light lines, its
    corners in the face colour. The engine keeps 3 pixels at each end and stretches the rest."""
    w, h = k(length), k(thickness)
    line = k.line()
    layer = Layer(w, h)
    band = (h - 2 * line) // 2
    top, upper, lower, bottom = rows
    for y, n, c in ((0, line, top), (line, band, upper), (line + band, h - 2 * line - band, lower),
                    (h - line, line, bottom)):
        layer.fill_rect(0, y, w, n, c)
    layer.fill_rect(0, line, line, h - 2 * line, top)
    layer.fill_rect(w - line, line, line, h - 2 * line, bottom)
    for x in (0, w - line):
        layer.fill_rect(x, 0, line, line, face)
        layer.fill_rect(x, h - line, line, line, face)
    return layer.over(face)

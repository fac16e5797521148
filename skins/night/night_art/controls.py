"""Night's controls: flat faces with soft corners and a one-pixel outline, the accent where a control
has the focus, is checked, selected or filled. Every function takes the Scale k; sizes in the
docstrings are at 100 %."""

from orvoart import controls as family
from orvoart import glyphs
from orvoart.canvas import BOTTOM, LEFT, RIGHT, TOP, Layer
from orvoart.strips import flipped_v, hstrip, transposed

from . import palette as P

# ------------------------------------------------------------------------------ push buttons

# (fill, outline) of the five button frames: normal, pressed, disabled, hot, focused or default.
BUTTON_LOOKS = ((P.SURFACE, P.BORDER), (P.SURFACE_DOWN, P.BORDER), (P.SURFACE_OFF, P.BORDER_OFF),
                (P.SURFACE_HOT, P.BORDER_HOT), (P.DEFAULT_BUTTON, P.DEFAULT_EDGE))


def _face(k, w, h, fill, outline, radius=4, corners=(True, True, True, True)):
    layer = Layer(w, h)
    layer.box(0, 0, w, h, radius * k.f, outline, fill, k.line(), corners)
    return layer


def push_buttons(k):
    """90 x 21, five 18-wide frames: 1 normal, 2 pressed, 3 disabled, 4 hot, 5 focused or default
    (filled with the accent). Flat, so any part may be stretched."""
    w, h = k(18), k(21)
    return hstrip([_face(k, w, h, fill, outline).over(P.FACE) for fill, outline in BUTTON_LOOKS])


# ------------------------------------------------------------------------- check and radio

# (outline, fill, mark) for normal, hot, pressed and disabled: unchecked, then checked.
UNCHECKED = ((P.TEXT_DIM, P.WINDOW), (P.TEXT, P.RAISED), (P.BORDER_HOT, P.SURFACE_DOWN), (P.BORDER_OFF, P.FACE))
CHECKED = ((P.ACCENT, P.ACCENT), (P.ACCENT_HOT, P.ACCENT_HOT), (P.ACCENT_DOWN, P.ACCENT_DOWN),
           (P.ACCENT_OFF, P.ACCENT_OFF))
MARKS = (P.WHITE, P.WHITE, P.WHITE, P.TEXT_OFF)


def _check(k, outline, fill, mark, ink):
    s = k(13)
    layer = Layer(s, s)
    layer.box(0, 0, s, s, 3 * k.f, outline, fill, k.line())
    if mark == "checked":
        glyphs.check(layer, 2.5 * k.f, 2.5 * k.f, 8 * k.f, 1.6 * k.f, ink)
    elif mark == "mixed":
        bar = k.line(2)
        layer.fill_rect(k(3), (s - bar) // 2, s - 2 * k(3), bar, ink)
    return layer.keyed(P.FACE)


def check_boxes(k):
    """156 x 13, twelve frames: unchecked, checked and indeterminate, each normal, hot, pressed
    and disabled (the engine shows 1, 4, 5, 8, 9 and 12)."""
    frames = [_check(k, o, f, None, None) for o, f in UNCHECKED]
    frames += [_check(k, o, f, "checked", m) for (o, f), m in zip(CHECKED, MARKS)]
    frames += [_check(k, o, f, "mixed", m) for (o, f), m in zip(CHECKED, MARKS)]
    return hstrip(frames)


def _radio(k, outline, fill, dot):
    s = k(13)
    c = s / 2
    layer = Layer(s, s)
    layer.disc(c, c, 6.5 * k.f, outline)
    layer.disc(c, c, 6.5 * k.f - k.line(), fill)
    if dot is not None:
        layer.disc(c, c, 2.6 * k.f, dot)
    return layer.keyed(P.FACE)


def radio_buttons(k):
    """104 x 13, eight frames: unchecked and checked, each normal, hot, pressed and disabled (the
    engine shows 1, 4, 5 and 8)."""
    return hstrip([_radio(k, o, f, None) for o, f in UNCHECKED] +
                  [_radio(k, o, f, m) for (o, f), m in zip(CHECKED, MARKS)])


# -------------------------------------------------------------------------------- progress


def progress(k):
    """24 x 19, two 12-wide frames, drawn transparently: 1 the trough, 2 the fill in the accent;
    margins 4 across and 3 along, flat between them."""
    w, h = k(12), k(19)
    r = 3 * k.f
    trough = Layer(w, h)
    trough.fill_rounded(0, 0, w, h, r, P.RAISED)
    trough_image = trough.keyed(P.FACE)
    fill = Layer(w, h)
    fill.fill_rounded(0, 0, w, h, r, P.ACCENT)
    return hstrip([trough_image, fill.keyed(trough_image)])


def progress_chunk(k):
    """10 x 13: an accent block and a gap, for bars drawn in chunks."""
    w, h = k(10), k(13)
    layer = Layer(w, h)
    layer.fill_rect(0, 0, w, h, P.RAISED)
    layer.fill_rounded(0, 0, k(8), h, 1.5 * k.f, P.ACCENT)
    return layer.over(P.RAISED)


# ------------------------------------------------------------------------------------ tabs

TAB_LOOKS = ((P.TRACK, None), (P.FACE, P.ACCENT), (P.RAISED, None), (P.TRACK, None), (P.FACE, P.ACCENT_HOT))


def _tab(k, fill, accent, selected, text_off=False):
    s = k(18)
    line = k.line()
    layer = Layer(s, s)
    r = 4 * k.f
    if selected:
        layer.box(0, 0, s, s + 4 * line, r, P.BORDER, fill, line, TOP)
        layer.cr.save()
        layer.cr.rectangle(0, 0, s, k.line(2))
        layer.cr.clip()
        layer.fill_rounded(0, 0, s, s, r, accent, TOP)
        layer.cr.restore()
    else:
        layer.fill_rounded(0, k(2), s, s, r, fill, TOP)
        layer.fill_rect(0, s - line, s, line, P.BORDER)
    return layer.over(P.FACE)


def tabs(k):
    """90 x 18, five frames: 1 tab, 2 selected tab (the page's colour, an accent line on top, open
    below), 3 hot, 4 disabled, 5 selected and hot. Drawn for tabs on top; the engine turns them."""
    return hstrip([_tab(k, f, a, a is not None) for f, a in TAB_LOOKS[:3]] +
                  [_tab(k, P.FACE, None, False), _tab(k, *TAB_LOOKS[4], True)])


def tab_pane(k):
    """24 x 24: the page under the tabs, its outline round the form's colour; margins 4."""
    s = k(24)
    return _face(k, s, s, P.FACE, P.BORDER, radius=3).over(P.FACE)


# ---------------------------------------------------------------------------- combo box


SUNK_LOOKS = ((P.WINDOW, P.BORDER), (P.WINDOW, P.ACCENT_DOWN), (P.FACE, P.BORDER_OFF), (P.WINDOW, P.ACCENT))


def sunken_edge(k):
    """48 x 21, four 12-wide frames (1 normal, 2 pressed, 3 disabled, 4 hot or focused): the field of
    a combo box, rounded; margins 3. The engine builds the combo picture from it, the button and
    the arrow."""
    w, h = k(12), k(21)
    return hstrip([_face(k, w, h, fill, outline, radius=3).over(P.FACE) for fill, outline in SUNK_LOOKS])


def combo_button(k):
    """68 x 21, four 17-wide frames (1 normal, 2 pressed, 3 disabled, 4 hot or focused), drawn
    transparently at the field's right end: nothing but a soft light under the pointer."""
    w, h = k(17), k(21)
    inset = k(3)
    frames = []
    for back, (fill, _) in zip((None, P.SURFACE_DOWN, None, P.RAISED), SUNK_LOOKS):
        layer = Layer(w, h)
        if back is not None:  # its round corners stay inside the 3-pixel margins
            layer.fill_rounded(k(1), k(1), w - 2 * k(1), h - 2 * k(1), 1.5 * k.f, back)
        else:
            layer.fill_rect(0, inset, k.line(), h - 2 * inset, P.BORDER if fill == P.WINDOW else P.BORDER_OFF)
        frames.append(layer.keyed(fill))
    return hstrip(frames)


def extra_images(k):
    """60 x 12, five 12-wide frames: the combo box's down arrow normal, pressed, disabled and hot,
    and the status bar's size grip."""
    s = k(12)
    frames = []
    for ink, under in ((P.TEXT_DIM, P.WINDOW), (P.TEXT, P.SURFACE_DOWN), (P.TEXT_OFF, P.FACE), (P.TEXT, P.RAISED)):
        layer = Layer(s, s)
        aw, ah = 8 * k.f, 4 * k.f
        glyphs.chevron(layer, (s - aw) / 2, (s - ah) / 2, aw, ah, "down", 1.4 * k.f, ink)
        frames.append(layer.keyed(under))
    grip = Layer(s, s)
    glyphs.grip(grip, 0, 0, s - k(1), k(2), P.GRIP, P.FACE)
    frames.append(grip.keyed(P.FACE))
    return hstrip(frames)


# ------------------------------------------------------------------------------ status bar


def status_bar(k):
    """204 x 15, three 68-wide panels: 1 lowered (a shade darker), 2 raised, 3 no bevel; each with a
    faint line on top."""
    w, h = k(68), k(15)
    line = k.line()
    frames = []
    for fill, edge in ((P.TRACK, P.DIVIDER), (P.FACE, P.DIVIDER), (P.FACE, None)):
        layer = Layer(w, h)
        layer.fill_rect(0, 0, w, h, fill)
        if edge is not None:
            layer.fill_rect(0, 0, w, line, edge)
            layer.fill_rect(w - line, line, line, h - line, edge)
        frames.append(layer.over(fill))
    return hstrip(frames)


# ---------------------------------------------------------------------------------- header


def header(k):
    """70 x 18, five 14-wide items: 1 normal, 2 hot, 3 pressed, 4 disabled, 5 sorted (an accent line
    at the bottom); a separator at the right of each."""
    w, h = k(14), k(18)
    line = k.line()
    frames = []
    for fill, bottom in ((P.RAISED, P.DIVIDER), (P.SURFACE, P.DIVIDER), (P.SURFACE_DOWN, P.DIVIDER),
                         (P.FACE, P.BORDER_OFF), (P.RAISED, P.ACCENT)):
        layer = Layer(w, h)
        layer.fill_rect(0, 0, w, h, fill)
        layer.fill_rect(w - line, k(3), line, h - k(3) - k(4), P.BORDER)
        thick = k.line(2) if bottom == P.ACCENT else line
        layer.fill_rect(0, h - thick, w, thick, bottom)
        frames.append(layer.over(fill))
    return hstrip(frames)


# ------------------------------------------------------------------------------- group box


def group_box_edge(k):
    """48 x 24, two frames (enabled, disabled): a rounded frame line; the inside transparent."""
    s = k(24)
    frames = []
    for outline in (P.BORDER, P.BORDER_OFF):
        layer = Layer(s, s)
        layer.fill_rounded(0, 0, s, s, 4 * k.f, outline)
        layer.cut(k.line(), k.line(), s - 2 * k.line(), s - 2 * k.line(), 4 * k.f - k.line())
        frames.append(layer.keyed(P.FACE))
    return hstrip(frames)


def group_box_label(k):
    """40 x 16: the form's colour behind a group box's caption, cutting the frame line."""
    w, h = k(40), k(16)
    layer = Layer(w, h)
    layer.fill_rounded(0, 0, w, h, 5 * k.f, P.FACE)
    return layer.keyed(P.FACE)


# -------------------------------------------------------------------------------- track bars


def track(k):
    """40 x 4: the horizontal channel, a rounded bar; its ends (3) unscaled."""
    w, h = k(40), k(4)
    layer = Layer(w, h)
    layer.fill_rounded(0, 0, w, h, min(h / 2, k(3)), P.BORDER)
    return layer.over(P.FACE)


def track_vert(k):
    return transposed(track(k))


# Thumb frames: 1 hot, 2 normal (the engine draws frame 2 in every state), 3 pressed,
# 4 disabled, 5 focused; (ring, fill).
THUMB_LOOKS = ((P.SURFACE_HOT, P.ACCENT_HOT), (P.SURFACE, P.ACCENT), (P.SURFACE, P.ACCENT_DOWN),
               (P.BORDER_OFF, P.ACCENT_OFF), (P.TEXT, P.ACCENT))
THUMB_W, THUMB_H = 11, 21


def _thumb(k, ring, fill, pointed):
    """An upright thumb: a pill, or pointed at the top."""
    w, h = k(THUMB_W), k(THUMB_H)
    line = k.line()
    layer = Layer(w, h)
    cr = layer.cr
    tip = k(5) if pointed else 0
    r = w / 2 if not pointed else 2.5 * k.f

    def outline(d):
        cr.new_path()
        if pointed:
            cr.move_to(w / 2, d * 1.6)
            cr.line_to(w - d, tip + d * 0.6)
        else:
            cr.arc(w / 2, r, r - d, 3.14159265, 0)
        cr.arc(w - r, h - r, r - d, 0, 1.57079633)
        cr.arc(r, h - r, r - d, 1.57079633, 3.14159265)
        if pointed:
            cr.line_to(d, tip + d * 0.6)
        cr.close_path()

    outline(0)
    layer.set_source(ring)
    cr.fill()
    outline(2 * line)
    layer.set_source(fill)
    cr.fill()
    return layer.keyed(P.FACE)


def _thumbs(k, point, turn=False):
    if point == "down":
        frames = [flipped_v(_thumb(k, ring, fill, True)) for ring, fill in THUMB_LOOKS]
    else:
        frames = [_thumb(k, ring, fill, point == "up") for ring, fill in THUMB_LOOKS]
    return hstrip([transposed(f) for f in frames] if turn else frames)


def track_thumbs(k):
    """Five frames each: ThumbHorz (a horizontal bar's thumb, 11 x 21), ThumbVert (turned,
    21 x 11), ThumbUp and ThumbDown (pointed, 11 x 21), ThumbLeft and ThumbRight (21 x 11)."""
    return {
        "TrackThumbHorz.bmp": _thumbs(k, None),
        "TrackThumbVert.bmp": _thumbs(k, None, turn=True),
        "TrackThumbLeft.bmp": _thumbs(k, "up", turn=True),
        "TrackThumbRight.bmp": _thumbs(k, "down", turn=True),
        "TrackThumbUp.bmp": _thumbs(k, "up"),
        "TrackThumbDown.bmp": _thumbs(k, "down"),
    }


# ---------------------------------------------------------------------------------- up-down

UPDOWN_LOOKS = ((P.SURFACE, P.BORDER, P.TEXT), (P.SURFACE_DOWN, P.BORDER, P.TEXT), (P.SURFACE_OFF, P.BORDER_OFF, P.TEXT_OFF),
                (P.SURFACE_HOT, P.BORDER_HOT, P.WHITE))


def _updown_faces(k, first, second, w, h):
    return hstrip([_face(k, k(w), k(h), fill, outline, 3, corners=corners).keyed(P.FACE)
                   for corners in (first, second) for fill, outline, _ in UPDOWN_LOOKS])


def _arrows(k, first, second, w, h):
    frames = []
    for direction in (first, second):
        for fill, _, ink in UPDOWN_LOOKS:
            layer = Layer(k(w), k(h))
            glyphs.triangle(layer, 0, 0, k(w), k(h), direction, ink)
            frames.append(layer.keyed(fill))
    return hstrip(frames)


def updown(k):
    """UpDown.Vert: eight 16 x 11 faces (the up half normal, pressed, disabled, hot; then the down
    half) and their glyphs, eight 7 x 4 arrows; UpDown.Horz the same for left and right, 11 x 16
    faces and 4 x 7 arrows."""
    return {
        "UpDownHorz.bmp": _updown_faces(k, LEFT, RIGHT, 11, 16),
        "UpDownHorzGlyph.bmp": _arrows(k, "left", "right", 4, 7),
        "UpDownVert.bmp": _updown_faces(k, TOP, BOTTOM, 16, 11),
        "UpDownVertGlyph.bmp": _arrows(k, "up", "down", 7, 4),
    }


# ------------------------------------------------------------------------------- popup menus

ITEM_W, ITEM_H = 24, 20
ITEM_MARGIN = 4  # left, top and right margins; the bottom one holds the separator
ITEM_BOTTOM = 5


def _item(k, fill):
    w, h = k(ITEM_W), k(ITEM_H)
    layer = Layer(w, h)
    if fill is not None:
        layer.fill_rounded(k(2), k(1), w - 2 * k(2), h - 2 * k(1), 2 * k.f, fill)
    return layer.keyed(P.MENU)


def _separator(k):
    w, h = k(ITEM_W), k(ITEM_H)
    layer = Layer(w, h)
    m = k(ITEM_MARGIN)
    layer.fill_rect(m, h - k(ITEM_BOTTOM), w - 2 * m, k.line(), P.DIVIDER)
    return layer.keyed(P.MENU)


def menu_items(k):
    """120 x 20, five 24-wide frames over the menu's background (magenta shows it): 1 an item
    (nothing drawn), 2 the separator (its lowest rows), 3 a disabled item under the pointer, 4 the
    selected item (the selection colour, soft corners), 5 selected in a menu without the focus."""
    return hstrip([_item(k, None), _separator(k), _item(k, P.RAISED), _item(k, P.SELECTION), _item(k, P.SURFACE)])


def menu_background(k):
    """20 x 20, margins 1: a faint outline round the menu's colour."""
    return family.menu_background(P, k, edge=P.DIVIDER, body=P.MENU)

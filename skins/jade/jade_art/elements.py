"""Jade's own control pieces: the twelve-frame check box and eight-frame radio strips, the combo box
parts (sunken edge, button face, arrow glyphs and size grip), the progress bar, the tab page, group
box edge and label, the track-bar channels and thumbs, the up-down buttons and the menu items.
Every function takes the Scale k; sizes in the docstrings are at 100 %."""

from orvoart import controls, glyphs
from orvoart.canvas import Layer, flat_vertical, vertical
from orvoart.colour import mix
from orvoart.strips import flipped_v, hstrip, transposed

from . import palette as P

# (outline, body top, body bottom, ink) per state: normal, hot, pressed, disabled.
STATES = (
    (P.THUMB_OUTLINE, P.BTN_TOP, P.BTN_BOTTOM, P.SELECTION),
    (P.BTN_HOT_OUTLINE, P.BTN_HOT_TOP, P.BTN_HOT_BOTTOM, P.SELECTION),
    (P.BTN_DOWN_OUTLINE, P.BTN_DOWN_TOP, P.BTN_DOWN_BOTTOM, P.CAPTION_BOTTOM),
    (P.BTN_OFF_OUTLINE, P.BTN_OFF_BODY, P.BTN_OFF_BODY, P.GLYPH_OFF),
)


# ---------------------------------------------------------------------- check and radio glyphs


def check_boxes(k):
    """156 x 13, twelve frames: unchecked, checked and indeterminate, each normal, hot, pressed
    and disabled (the engine shows 1, 4, 5, 8, 9 and 12)."""
    return hstrip([controls.check_glyph(P, k, o, t, b, mark, ink) for mark in (None, "checked", "mixed")
                   for o, t, b, ink in STATES])


def radio_buttons(k):
    """104 x 13, eight frames: unchecked and checked, each normal, hot, pressed and disabled (the
    engine shows 1, 4, 5 and 8)."""
    return hstrip([controls.radio_glyph(P, k, o, t, b, checked, ink) for checked in (False, True)
                   for o, t, b, ink in STATES])


# -------------------------------------------------------------------------------- combo box

SUNK_LOOKS = ((P.SHADOW, P.HILIGHT_WHITE), (P.BTN_DOWN_OUTLINE, P.HILIGHT_WHITE),
              (P.BTN_OFF_OUTLINE, P.BTN_OFF_BODY), (P.BTN_HOT_OUTLINE, P.HILIGHT_WHITE))


def _sunk(k, w, h, outline, body):
    layer = Layer(w, h)
    layer.fill_rect(0, 0, w, h, outline)
    line = k.line()
    layer.fill_rect(line, line, w - 2 * line, h - 2 * line, body)
    return layer.over(body)


def sunken_edge(k):
    """48 x 21, four 12-wide frames (1 normal, 2 pressed, 3 disabled, 4 hot or focused): the box
    round a combo box's text. The engine builds the combo picture from it, the button face and the
    arrow glyph; margins 3, so the middle is flat."""
    return hstrip([_sunk(k, k(12), k(21), o, b) for o, b in SUNK_LOOKS])


BUTTON_LOOKS = ((P.BTN_OUTLINE, P.BTN_TOP, P.BTN_BOTTOM, P.BTN_SHINE),
                (P.BTN_DOWN_OUTLINE, P.BTN_DOWN_TOP, P.BTN_DOWN_BOTTOM, None),
                (P.BTN_OFF_OUTLINE, P.BTN_OFF_BODY, P.BTN_OFF_BODY, None),
                (P.BTN_HOT_OUTLINE, P.BTN_HOT_TOP, P.BTN_HOT_BOTTOM, P.BTN_SHINE))


def combo_button(k):
    """68 x 21, four 17-wide frames (1 normal, 2 pressed, 3 disabled, 4 hot or focused): the face of
    the drop-down button, drawn transparently over the sunken edge; its arrow comes from
    ExtraImages."""
    w, h = k(17), k(21)
    frames = []
    for (outline, top, bottom, shine), (edge, body) in zip(BUTTON_LOOKS, SUNK_LOOKS):
        under = _sunk(k, w + k.line(), h, edge, body).crop((k.line(), 0, w + k.line(), h))
        frames.append(controls.combo_frame(P, k, w, h, outline, top, bottom, None, shine, under, arrow=False,
                                           margins=(3, 3)))
    return hstrip(frames)


def extra_images(k):
    """60 x 12, five 12-wide frames: the combo box arrow normal, pressed, disabled and hot (drawn
    on the button's face), and the status bar's size grip."""
    s = k(12)
    frames = []
    for ink, (_, top, bottom, _) in zip((P.GLYPH, P.SELECTION, P.GLYPH_OFF, P.SELECTION), BUTTON_LOOKS):
        layer = Layer(s, s)
        aw, ah = 7 * k.f, 4 * k.f
        glyphs.triangle(layer, (s - aw) / 2, (s - ah) / 2, aw, ah, "down", ink)
        frames.append(layer.keyed(mix(top, bottom, 0.5)))
    grip = Layer(s, s)
    glyphs.grip(grip, 0, 0, s - k(1), k(2), P.GRIP_DARK, P.GRIP_LIGHT)
    frames.append(grip.keyed(P.FACE))
    return hstrip(frames)


# ---------------------------------------------------------------------------------- progress


def progress(k):
    """24 x 19, two 12-wide frames: 1 the trough, 2 the fill (drawn over the trough); margins 4
    across and 3 along, the middle columns flat."""
    w, h = k(12), k(19)
    line = k.line()
    trough = Layer(w, h)
    trough.box(0, 0, w, h, 3 * k.f, P.SHADOW, vertical(line, h - 1 - line, [(0, P.TRACK_DOWN), (1, P.TRACK)]), line)
    trough_image = trough.keyed(P.FACE)
    fill = Layer(w, h)
    fill.box(0, 0, w, h, 3 * k.f, P.ITEM_SELECTED_EDGE,
             vertical(line, h - 1 - line, [(0, P.ACCENT_LIGHT), (1, P.SELECTION)]), line,
             shine=(mix(P.ACCENT_LIGHT, P.HILIGHT_WHITE, 0.5), k(6)))
    return hstrip([trough_image, fill.keyed(trough_image)])


def progress_chunk(k):
    """10 x 13: a block and a gap in the trough's colour, for bars drawn in chunks."""
    return controls.progress_chunk(P, k, 13, P.TRACK)


# -------------------------------------------------------------------------- tabs and groups


def tab_pane(k):
    """24 x 24, one frame: the page under the tabs (margins 4: outline, light inner edge, face)."""
    return controls.page_frame(P, k, 24, mix(P.FACE, P.SHADOW, 0.3))


def _group_edge(k, outline, light):
    s = k(24)
    line = k.line()
    layer = Layer(s, s)
    r = 4 * k.f
    layer.fill_rounded(0, 0, s, s, r, outline)
    layer.fill_rounded(line, line, s - 2 * line, s - 2 * line, r - line, light)
    layer.cut(2 * line, 2 * line, s - 4 * line, s - 4 * line, max(r - 2 * line, 0))  # the group shows through
    return layer.keyed(P.FACE)


def group_box_edge(k):
    """48 x 24, two frames (enabled, disabled): a rounded frame line with a light inner line; the
    inside is transparent. Margins 6."""
    return hstrip([_group_edge(k, P.SHADOW, P.HILIGHT_WHITE), _group_edge(k, P.BTN_OFF_OUTLINE, P.LIGHT)])


def group_box_label(k):
    """40 x 16, one frame: the soft plaque behind a group box's caption; margins 6."""
    w, h = k(40), k(16)
    line = k.line()
    layer = Layer(w, h)
    layer.box(0, 0, w, h, 5 * k.f, mix(P.FACE, P.SHADOW, 0.5),
              vertical(line, h - 1 - line, [(0, P.HILIGHT_WHITE), (1, mix(P.FACE, P.HILIGHT_WHITE, 0.4))]), line)
    return layer.keyed(P.FACE)


# -------------------------------------------------------------------------------- track bars


def track(k):
    """40 x 4: the horizontal channel, a groove with 3-pixel ends."""
    return controls.groove(k, (P.SHADOW, mix(P.SHADOW, P.TRACK_DOWN, 0.5), P.TRACK_DOWN, P.HILIGHT_WHITE), P.FACE)


def track_vert(k):
    """4 x 40: the vertical channel."""
    return transposed(track(k))


# Thumb frames: 1 hot, 2 normal (the engine draws frame 2 in every state), 3 pressed,
# 4 disabled, 5 focused.
THUMB_LOOKS = (
    (P.BTN_HOT_OUTLINE, P.THUMB_HOT_TOP, P.THUMB_HOT_BOTTOM, True),
    (P.THUMB_DOWN_OUTLINE, P.HILIGHT_WHITE, P.THUMB_BOTTOM, True),
    (P.THUMB_DOWN_OUTLINE, P.THUMB_DOWN_TOP, P.THUMB_DOWN_BOTTOM, True),
    (P.BTN_OFF_OUTLINE, P.BTN_OFF_BODY, P.BTN_OFF_BODY, False),
    (P.SELECTION, P.HILIGHT_WHITE, P.THUMB_HOT_BOTTOM, True),
)
THUMB_W, THUMB_H = 11, 21


def _thumb_path(layer, w, h, r, tip):
    """An upright thumb: pointed at the top over `tip` rows when tip > 0, rounded below."""
    cr = layer.cr
    cr.new_path()
    if tip:
        cr.move_to(w / 2, 0)
        cr.line_to(w, tip)
    else:
        cr.move_to(r, 0)
        cr.arc(w - r, r, r, -1.5707963, 0)
    cr.arc(w - r, h - r, r, 0, 1.5707963)
    cr.arc(r, h - r, r, 1.5707963, 3.1415926)
    if tip:
        cr.line_to(0, tip)
    else:
        cr.arc(r, r, r, 3.1415926, 4.712389)
    cr.close_path()


def _thumb(k, outline, top, bottom, shine, pointed):
    w, h = k(THUMB_W), k(THUMB_H)
    line = k.line()
    tip = k(5) if pointed else 0
    layer = Layer(w, h)
    cr = layer.cr
    _thumb_path(layer, w, h, 2 * k.f, tip)
    cr.save()
    cr.clip_preserve()
    layer.set_source(vertical(0, h - 1, [(0, top), (1, bottom)]))
    cr.fill_preserve()
    if shine:
        cr.set_line_width(4 * line)
        layer.set_source(P.HILIGHT_WHITE)
        cr.stroke_preserve()
    cr.set_line_width(2 * line)
    layer.set_source(outline)
    cr.stroke()
    cr.restore()
    if not pointed:
        for y in (8, 10, 12):
            layer.fill_rect(k(3), k(y), k(8) - k(3), line, mix(outline, bottom, 0.4))
    return layer.keyed(P.FACE)


def _thumbs(point, turn=False):
    def draw(k):
        if point == "down":  # the upward thumb upside down, its light still from above
            frames = [flipped_v(_thumb(k, o, b, t, s, True)) for o, t, b, s in THUMB_LOOKS]
        else:
            frames = [_thumb(k, o, t, b, s, point == "up") for o, t, b, s in THUMB_LOOKS]
        return hstrip([transposed(f) for f in frames] if turn else frames)
    return draw


def track_thumbs(k):
    """Five frames each: ThumbHorz (a horizontal bar's thumb, 11 x 21), ThumbVert (turned,
    21 x 11), ThumbUp and ThumbDown (pointed, 11 x 21), ThumbLeft and ThumbRight (21 x 11)."""
    return {
        "TrackThumbHorz.bmp": _thumbs(None)(k),
        "TrackThumbVert.bmp": _thumbs(None, turn=True)(k),
        "TrackThumbLeft.bmp": _thumbs("up", turn=True)(k),
        "TrackThumbRight.bmp": _thumbs("down", turn=True)(k),
        "TrackThumbUp.bmp": _thumbs("up")(k),
        "TrackThumbDown.bmp": _thumbs("down")(k),
    }


# ---------------------------------------------------------------------------------- up-down

UPDOWN_LOOKS = (
    (P.BTN_OUTLINE, P.BTN_TOP, P.BTN_BOTTOM, P.GLYPH),
    (P.BTN_DOWN_OUTLINE, P.BTN_DOWN_TOP, P.BTN_DOWN_BOTTOM, P.SELECTION),
    (P.BTN_OFF_OUTLINE, P.BTN_OFF_BODY, P.BTN_OFF_BODY, P.GLYPH_OFF),
    (P.BTN_HOT_OUTLINE, P.BTN_HOT_TOP, P.BTN_HOT_BOTTOM, P.SELECTION),
)


def _updown_faces(k, first_corners, second_corners, w, h):
    frames = []
    line = k.line()
    for corners in (first_corners, second_corners):
        for outline, top, bottom, _ in UPDOWN_LOOKS:
            layer = Layer(k(w), k(h))
            layer.box(0, 0, k(w), k(h), 2 * k.f, outline, vertical(line, k(h) - 1 - line, [(0, top), (1, bottom)]),
                      line, corners)
            frames.append(layer.keyed(P.FACE))
    return hstrip(frames)


def _arrow_glyphs(k, first, second, w, h):
    frames = []
    for direction in (first, second):
        for _, top, bottom, ink in UPDOWN_LOOKS:
            layer = Layer(k(w), k(h))
            glyphs.triangle(layer, 0, 0, k(w), k(h), direction, ink)
            frames.append(layer.keyed(mix(top, bottom, 0.5)))
    return hstrip(frames)


UD_LONG, UD_SHORT = 16, 11


def updown(k):
    """UpDown.Vert: eight 16 x 11 faces (up half normal, pressed, disabled, hot; then the down
    half), stretched to each half; its glyphs, eight 7 x 4 arrows drawn at their size. UpDown.Horz:
    the same for left and right, 11 x 16 faces and 4 x 7 arrows."""
    return {
        "UpDownHorz.bmp": _updown_faces(k, (True, False, False, True), (False, True, True, False), UD_SHORT, UD_LONG),
        "UpDownHorzGlyph.bmp": _arrow_glyphs(k, "left", "right", 4, 7),
        "UpDownVert.bmp": _updown_faces(k, (True, True, False, False), (False, False, True, True), UD_LONG, UD_SHORT),
        "UpDownVertGlyph.bmp": _arrow_glyphs(k, "up", "down", 7, 4),
    }


# ------------------------------------------------------------------------------- menu items

ITEM_W, ITEM_H = 24, 20
ITEM_MARGIN = 4  # left, top and right margins; the bottom one holds the separator's lines
ITEM_BOTTOM = 5


def _separator(k):
    w, h = k(ITEM_W), k(ITEM_H)
    line = k.line()
    layer = Layer(w, h)
    y = h - k(ITEM_BOTTOM)  # the engine uses the frame's lowest rows, as many as the item is high
    m = k(ITEM_MARGIN)
    layer.fill_rect(m, y, w - 2 * m, line, mix(P.MENU_EDGE, P.MENU, 0.35))
    layer.fill_rect(m, y + line, w - 2 * m, line, P.HILIGHT_WHITE)
    return layer.keyed(P.MENU)


def _highlight(k, outline, top, bottom):
    w, h = k(ITEM_W), k(ITEM_H)
    layer = Layer(w, h)
    layer.box(0, 0, w, h, 3 * k.f, outline,
              flat_vertical(0, h, k(ITEM_MARGIN), h - k(ITEM_BOTTOM) - 1, top, bottom), k.line())
    return layer.keyed(P.MENU)


def menu_items(k):
    """120 x 20, five 24-wide frames over the menu's background (magenta shows it): 1 an item
    (nothing drawn), 2 the separator (its lowest rows), 3 a disabled item under the pointer, 4 the
    selected item, 5 a selected item of a menu that lost the focus. The engine draws 1, 2 and 4."""
    empty = Layer(k(ITEM_W), k(ITEM_H)).keyed(P.MENU)
    return hstrip([
        empty,
        _separator(k),
        _highlight(k, mix(P.MENU_EDGE, P.MENU, 0.3), P.MENU, P.MENU),
        _highlight(k, P.ITEM_SELECTED_EDGE, P.ITEM_SELECTED_TOP, P.ITEM_SELECTED_BOTTOM),
        _highlight(k, P.SHADOW, P.THUMB_TOP, P.THUMB_BOTTOM),
    ])

"""Jade's own control pieces: the twelve-frame check box and eight-frame radio strips, the combo box
parts (sunken edge, button face, arrow glyphs and size grip), the progress bar, the tab page, group
box edge and label, the track-bar channels and thumbs, the up-down buttons and the menu items."""

from orvoart import controls
from orvoart.raster import MAGENTA, Image, hstrip, mix
from orvoart.shapes import box, flat_middle

from . import palette as P

# ---------------------------------------------------------------------- check and radio glyphs

GLYPH = 13
CHECK_MARK = ["........#", ".......##", "#.....##.", "##...##..", ".##.##...", "..###....",
              "...#....."]
MIXED_MARK = ["#######", "#######", "#######"]
# (outline, body top, body bottom, ink) per state: normal, hot, pressed, disabled.
_STATES = (
    (P.THUMB_OUTLINE, P.BTN_TOP, P.BTN_BOTTOM, P.SELECTION),
    (P.BTN_HOT_OUTLINE, P.BTN_HOT_TOP, P.BTN_HOT_BOTTOM, P.SELECTION),
    (P.BTN_DOWN_OUTLINE, P.BTN_DOWN_TOP, P.BTN_DOWN_BOTTOM, P.CAPTION_BOTTOM),
    (P.BTN_OFF_OUTLINE, P.BTN_OFF_BODY, P.BTN_OFF_BODY, P.GLYPH_OFF),
)


def _check_frame(mark, state):
    outline, top, bottom, ink = _STATES[state]
    f = box(GLYPH, GLYPH, radius=2, outside=MAGENTA, outline=outline, top=top, bottom=bottom)
    if mark == "checked":
        f.stamp(2, 3, CHECK_MARK, {"#": ink})
    elif mark == "mixed":
        f.stamp(3, 5, MIXED_MARK, {"#": ink})
    return f


def check_boxes():
    """156 x 13, twelve frames: unchecked, checked and indeterminate, each normal, hot, pressed
    and disabled (the engine shows 1, 4, 5, 8, 9 and 12)."""
    return hstrip([_check_frame(mark, s) for mark in ("empty", "checked", "mixed") for s in range(4)])


def _radio_frame(checked, state):
    outline, top, bottom, ink = _STATES[state]
    return controls.radio_disc(P, checked, outline, top, bottom, ink)


def radio_buttons():
    """104 x 13, eight frames: unchecked and checked, each normal, hot, pressed and disabled (the
    engine shows 1, 4, 5 and 8)."""
    return hstrip([_radio_frame(checked, s) for checked in (False, True) for s in range(4)])


# -------------------------------------------------------------------------------- combo box

def sunken_edge():
    """48 x 21, four 12-wide frames (1 normal, 2 pressed, 3 disabled, 4 hot or focused): the box
    round a combo box's text. The engine builds the combo picture from it, the button face and
    the arrow glyph; margins 3, so rows 3-17 and columns 3-8 are flat."""
    looks = ((P.SHADOW, P.HILIGHT_WHITE), (P.BTN_DOWN_OUTLINE, P.HILIGHT_WHITE),
             (P.BTN_OFF_OUTLINE, P.BTN_OFF_BODY), (P.BTN_HOT_OUTLINE, P.HILIGHT_WHITE))
    frames = []
    for outline, body in looks:
        f = Image(12, 21, body)
        f.frame_rect(0, 0, 12, 21, outline)
        frames.append(f)
    return hstrip(frames)


def combo_button():
    """68 x 21, four 17-wide frames (1 normal, 2 pressed, 3 disabled, 4 hot or focused): the face
    of the drop-down button; its arrow comes from ExtraImages."""
    looks = ((P.BTN_OUTLINE, P.BTN_TOP, P.BTN_BOTTOM, P.BTN_SHINE),
             (P.BTN_DOWN_OUTLINE, P.BTN_DOWN_TOP, P.BTN_DOWN_BOTTOM, None),
             (P.BTN_OFF_OUTLINE, P.BTN_OFF_BODY, P.BTN_OFF_BODY, None),
             (P.BTN_HOT_OUTLINE, P.BTN_HOT_TOP, P.BTN_HOT_BOTTOM, P.BTN_SHINE))
    return hstrip([box(17, 21, radius=2, outside=MAGENTA, outline=o, top=t, bottom=b, shine=s,
                       shine_until=3, t_of_y=flat_middle(21, 3, 17)) for o, t, b, s in looks])


ARROW = ["#######", ".#####.", "..###..", "...#..."]


def extra_images():
    """60 x 12, five 12-wide frames: the combo box arrow normal, pressed, disabled and hot, and the
    status bar's size grip."""
    frames = []
    for ink in (P.GLYPH, P.SELECTION, P.GLYPH_OFF, P.SELECTION):
        f = Image(12, 12, MAGENTA)
        f.stamp(2, 4, ARROW, {"#": ink})
        frames.append(f)
    grip = Image(12, 12, MAGENTA)
    for i in range(3):
        for j in range(3 - i):
            x, y = 9 - 3 * j, 9 - 3 * i
            grip.fill_rect(x, y, x + 2, y + 2, P.GRIP_DARK)
            grip.set(x + 1, y + 1, P.GRIP_LIGHT)
    frames.append(grip)
    return hstrip(frames)


# ---------------------------------------------------------------------------------- progress

def progress():
    """24 x 19, two 12-wide frames: 1 the trough, 2 the fill; margins 4 across and 3 along, the
    middle columns flat."""
    trough = box(12, 19, radius=3, outside=MAGENTA, outline=P.SHADOW, top=P.TRACK_DOWN,
                 bottom=P.TRACK)
    fill = box(12, 19, radius=3, outside=MAGENTA, outline=P.ITEM_SELECTED_EDGE,
               top=P.ACCENT_LIGHT, bottom=P.SELECTION, shine=mix(P.ACCENT_LIGHT, P.HILIGHT_WHITE, 0.5),
               shine_until=6)
    return hstrip([trough, fill])


def progress_chunk():
    """10 x 13: a block and a gap in the trough's colour, for bars drawn in chunks."""
    f = Image(10, 13, P.TRACK)
    for y in range(13):
        f.hline(0, 7, y, P.ACCENT_LIGHT if y == 0 else mix(P.ACCENT, P.SELECTION, (y - 1) / 11))
    return f


# -------------------------------------------------------------------------- tabs and groups

def tab_pane():
    """24 x 24, one frame: the page under the tabs (margins 4: outline, light inner edge, face)."""
    f = Image(24, 24, P.FACE)
    f.frame_rect(0, 0, 24, 24, P.SHADOW)
    f.hline(1, 22, 1, P.HILIGHT_WHITE)
    f.vline(1, 1, 22, P.HILIGHT_WHITE)
    f.hline(1, 22, 22, mix(P.FACE, P.SHADOW, 0.3))
    f.vline(22, 2, 22, mix(P.FACE, P.SHADOW, 0.3))
    return f


def _group_edge(outline, light):
    f = Image(24, 24, MAGENTA)
    ring = box(24, 24, radius=4, outside=MAGENTA, outline=outline, top=MAGENTA, bottom=MAGENTA,
               ring1=light)
    f.paste(ring, 0, 0)
    return f


def group_box_edge():
    """48 x 24, two frames (enabled, disabled): a rounded frame line with a light inner line; the
    inside is transparent. Margins 6."""
    return hstrip([_group_edge(P.SHADOW, P.HILIGHT_WHITE), _group_edge(P.BTN_OFF_OUTLINE, P.LIGHT)])


def group_box_label():
    """40 x 16, one frame: the soft plaque behind a group box's caption; margins 6."""
    return box(40, 16, radius=5, outside=MAGENTA, outline=mix(P.FACE, P.SHADOW, 0.5),
               top=P.HILIGHT_WHITE, bottom=mix(P.FACE, P.HILIGHT_WHITE, 0.4))


# -------------------------------------------------------------------------------- track bars

def track():
    """40 x 4: the horizontal channel, a groove with 3-pixel ends."""
    rows = [P.SHADOW, mix(P.SHADOW, P.TRACK_DOWN, 0.5), P.TRACK_DOWN, P.HILIGHT_WHITE]
    img = Image(40, 4)
    for y, c in enumerate(rows):
        img.hline(0, 39, y, c)
    for y in (1, 2):
        img.set(0, y, P.SHADOW)
        img.set(39, y, P.HILIGHT_WHITE)
    for x, y in ((0, 0), (0, 3), (39, 0), (39, 3)):
        img.set(x, y, P.FACE)
    return img


def track_vert():
    """4 x 40: the vertical channel."""
    return track().transposed()


# Thumb frames: 1 hot, 2 normal (the engine draws frame 2 in every state), 3 pressed,
# 4 disabled, 5 focused.
_THUMB_LOOKS = (
    (P.BTN_HOT_OUTLINE, P.THUMB_HOT_TOP, P.THUMB_HOT_BOTTOM),
    (P.THUMB_DOWN_OUTLINE, P.HILIGHT_WHITE, P.THUMB_BOTTOM),
    (P.THUMB_DOWN_OUTLINE, P.THUMB_DOWN_TOP, P.THUMB_DOWN_BOTTOM),
    (P.BTN_OFF_OUTLINE, P.BTN_OFF_BODY, P.BTN_OFF_BODY),
    (P.SELECTION, P.HILIGHT_WHITE, P.THUMB_HOT_BOTTOM),
)
THUMB_W, THUMB_H = 11, 21


def _thumb(outline, top, bottom, point):
    """An upright thumb, flat (point None) or pointed up or down."""
    f = box(THUMB_W, THUMB_H, radius=2, outside=MAGENTA, outline=outline, top=top, bottom=bottom,
            shine=P.HILIGHT_WHITE if top != P.BTN_OFF_BODY else None, shine_until=THUMB_H)
    if point is None:
        for y in (8, 10, 12):
            f.hline(3, 7, y, mix(outline, bottom, 0.4))
        return f
    tip = 5  # rows of the point
    for y in range(tip):
        half = y  # the point widens one pixel per row on each side
        for x in range(THUMB_W):
            inside = abs(x - THUMB_W // 2) <= half
            if not inside:
                f.set(x, y, MAGENTA)
            elif abs(x - THUMB_W // 2) == half:
                f.set(x, y, outline)
    for y in range(tip, tip + 2):  # the box's rounded top corners are under the point
        f.set(0, y, outline)
        f.set(THUMB_W - 1, y, outline)
    return f


def _flipped_v(img):
    out = Image(img.w, img.h)
    for y in range(img.h):
        for x in range(img.w):
            out.set(x, y, img.get(x, img.h - 1 - y))
    return out


def _thumbs(point, turn=False):
    if point == "down":  # the upward thumb upside down, its light still from above
        frames = [_flipped_v(_thumb(o, b, t, "up")) for o, t, b in _THUMB_LOOKS]
    else:
        frames = [_thumb(o, t, b, point) for o, t, b in _THUMB_LOOKS]
    return hstrip([fr.transposed() for fr in frames] if turn else frames)


def track_thumbs():
    """Five frames each: ThumbHorz (a horizontal bar's thumb, 11 x 21), ThumbVert (turned,
    21 x 11), ThumbUp and ThumbDown (pointed, 11 x 21), ThumbLeft and ThumbRight (21 x 11)."""
    return {
        "TrackThumbHorz.bmp": _thumbs(None),
        "TrackThumbVert.bmp": _thumbs(None, turn=True),
        "TrackThumbLeft.bmp": _thumbs("up", turn=True),
        "TrackThumbRight.bmp": _thumbs("down", turn=True),
        "TrackThumbUp.bmp": _thumbs("up"),
        "TrackThumbDown.bmp": _thumbs("down"),
    }


# ---------------------------------------------------------------------------------- up-down

_UPDOWN_LOOKS = (
    (P.BTN_OUTLINE, P.BTN_TOP, P.BTN_BOTTOM),
    (P.BTN_DOWN_OUTLINE, P.BTN_DOWN_TOP, P.BTN_DOWN_BOTTOM),
    (P.BTN_OFF_OUTLINE, P.BTN_OFF_BODY, P.BTN_OFF_BODY),
    (P.BTN_HOT_OUTLINE, P.BTN_HOT_TOP, P.BTN_HOT_BOTTOM),
)
UD_LONG, UD_SHORT = 16, 11


def _updown_faces(first_corners, second_corners, w, h):
    frames = []
    for corners in (first_corners, second_corners):
        for outline, top, bottom in _UPDOWN_LOOKS:
            frames.append(box(w, h, radius=2, outside=MAGENTA, outline=outline, top=top,
                              bottom=bottom, corners=corners))
    return hstrip(frames)


UP = ["...#...", "..###..", ".#####.", "#######"]


def _arrow_glyphs(rows_first, rows_second, w, h):
    inks = (P.GLYPH, P.SELECTION, P.GLYPH_OFF, P.SELECTION)
    frames = []
    for rows in (rows_first, rows_second):
        for ink in inks:
            f = Image(w, h, MAGENTA)
            f.stamp(0, 0, rows, {"#": ink})
            frames.append(f)
    return hstrip(frames)


def updown():
    """UpDown.Vert: eight 16 x 11 faces (up half normal, pressed, disabled, hot; then the down
    half), stretched to each half; its glyphs, eight 7 x 4 arrows drawn at their size. UpDown.Horz:
    the same for left and right, 11 x 16 faces and 4 x 7 arrows."""
    down = UP[::-1]
    left = ["".join(UP[3 - i][j] for i in range(4)) for j in range(7)]
    right = [row[::-1] for row in left]
    return {
        "UpDownHorz.bmp": _updown_faces((True, False, False, True), (False, True, True, False),
                                        UD_SHORT, UD_LONG),
        "UpDownHorzGlyph.bmp": _arrow_glyphs(left, right, 4, 7),
        "UpDownVert.bmp": _updown_faces((True, True, False, False), (False, False, True, True),
                                        UD_LONG, UD_SHORT),
        "UpDownVertGlyph.bmp": _arrow_glyphs(UP, down, 7, 4),
    }


# ------------------------------------------------------------------------------- menu items

ITEM_W, ITEM_H = 24, 20
ITEM_MARGIN = 4  # left, top and right margins; the bottom one holds the separator's lines
ITEM_BOTTOM = 5


def _separator():
    f = Image(ITEM_W, ITEM_H, MAGENTA)
    y = ITEM_H - ITEM_BOTTOM  # the engine uses the frame's lowest rows, as many as the item is high
    f.hline(ITEM_MARGIN, ITEM_W - 1 - ITEM_MARGIN, y, mix(P.MENU_EDGE, P.MENU, 0.35))
    f.hline(ITEM_MARGIN, ITEM_W - 1 - ITEM_MARGIN, y + 1, P.HILIGHT_WHITE)
    return f


def _highlight(outline, top, bottom):
    return box(ITEM_W, ITEM_H, radius=3, outside=MAGENTA, outline=outline, top=top, bottom=bottom,
               t_of_y=flat_middle(ITEM_H, ITEM_MARGIN, ITEM_H - 1 - ITEM_BOTTOM))


def menu_items():
    """120 x 20, five 24-wide frames over the menu's background (magenta shows it): 1 an item
    (nothing drawn), 2 the separator (its lowest rows), 3 a disabled item under the pointer, 4 the
    selected item, 5 a selected item of a menu that lost the focus. The engine draws 1, 2 and 4."""
    return hstrip([
        Image(ITEM_W, ITEM_H, MAGENTA),
        _separator(),
        _highlight(mix(P.MENU_EDGE, P.MENU, 0.3), P.MENU, P.MENU),
        _highlight(P.ITEM_SELECTED_EDGE, P.ITEM_SELECTED_TOP, P.ITEM_SELECTED_BOTTOM),
        _highlight(P.SHADOW, P.THUMB_TOP, P.THUMB_BOTTOM),
    ])

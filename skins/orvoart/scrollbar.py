"""Scroll-bar art: the 23-frame arrow and grip strip, tracks and thumbs.

Everything is drawn for a horizontal bar and transposed for the vertical one. Across the bar the
track has one edge row on each side; arrows and thumbs keep the track's colours where they are not
drawn, so they sit in the track without seams.
"""

from .raster import MAGENTA, Image, hstrip, mix
from .shapes import box

SIZE = 17  # bar thickness and arrow length


def _track_row(P, y, body, h=SIZE):
    return P.TRACK_EDGE if y in (0, h - 1) else body


def _track(P, length, body):
    f = Image(length, SIZE)
    for y in range(SIZE):
        f.hline(0, length - 1, y, _track_row(P, y, body))
    return f


# Left arrow, 4 x 7, centred in a 17 x 17 frame.
ARROW_LEFT = ["...#", "..##", ".###", "####", ".###", "..##", "...#"]


def _arrow_frame(P, state, direction):
    """state: normal, pressed, disabled, hot; direction: left, right, up, down."""
    f = _track(P, SIZE, P.TRACK)
    looks = {
        "normal": (mix(P.TRACK_EDGE, P.SHADOW, 0.35), P.HILIGHT_WHITE, mix(P.TRACK, P.FACE, 0.5), P.GLYPH),
        "pressed": (P.THUMB_DOWN_OUTLINE, P.THUMB_DOWN_TOP, P.THUMB_DOWN_BOTTOM, P.SELECTION),
        "disabled": (None, None, None, P.GLYPH_OFF),
        "hot": (P.BTN_HOT_OUTLINE, P.THUMB_HOT_TOP, P.THUMB_HOT_BOTTOM, P.SELECTION),
    }
    outline, top, bottom, ink = looks[state]
    if outline is not None:
        f.paste(box(SIZE - 2, SIZE - 2, radius=2, outside=MAGENTA, outline=outline, top=top,
                    bottom=bottom), 1, 1, MAGENTA)
    glyph = Image(4, 7, MAGENTA)
    glyph.stamp(0, 0, ARROW_LEFT, {"#": ink})
    if direction == "right":
        glyph = glyph.flipped_h()
    f.paste(glyph, 6 if direction == "left" else 7, 5, MAGENTA)
    return f


def _grip_frame(P, dark, light):
    """Three etched ridges across a horizontal thumb; transparent elsewhere."""
    f = Image(SIZE, SIZE, MAGENTA)
    for x in (5, 8, 11):
        f.vline(x, 6, 10, dark)
        f.vline(x + 1, 6, 10, light)
    return f


def _both_ways(frames):
    return frames + [f.transposed() for f in frames]


def arrow_strip(P):
    """391 x 17, 23 frames: arrows left (1-4), right (5-8), up (9-12), down (13-16) each normal,
    pressed, disabled, hot; thumb grips horizontal (17-19) and vertical (20-22) each normal,
    pressed, hot; 23 a plain piece of track."""
    states = ("normal", "pressed", "disabled", "hot")
    horizontal = [_arrow_frame(P, s, d) for d in ("left", "right") for s in states]
    grips = [_grip_frame(P, P.THUMB_OUTLINE, P.HILIGHT_WHITE),
             _grip_frame(P, P.THUMB_DOWN_OUTLINE, P.THUMB_DOWN_TOP),
             _grip_frame(P, P.BTN_HOT_OUTLINE, P.HILIGHT_WHITE)]
    arrows = _both_ways(horizontal)
    return hstrip(arrows + _both_ways(grips) + [_track(P, SIZE, P.TRACK)])


def _track_frames(P, transpose):
    frames = [_track(P, 34, body) for body in (P.TRACK, P.TRACK_DOWN, P.TRACK_OFF, P.TRACK_HOT)]
    return hstrip([f.transposed() for f in frames] if transpose else frames)


def horizontal_track(P):
    """136 x 17, four 34-wide frames: 1 enabled, 2 pressed, 3 disabled, 4 hot."""
    return _track_frames(P, False)


def vertical_track(P):
    """68 x 34, four 17-wide frames, the horizontal track turned."""
    return _track_frames(P, True)


def _thumb(P, outline, top, bottom, shine):
    """22 x 15: a rounded bar inset one pixel into the track on every side."""
    f = Image(22, 15)
    for y in range(15):
        f.hline(0, 21, y, _track_row(P, y, P.TRACK, 15))
    f.paste(box(20, 13, radius=3, outside=MAGENTA, outline=outline, top=top, bottom=bottom,
                shine=shine), 1, 1, MAGENTA)
    return f


def _thumbs(P):
    return [_thumb(P, P.THUMB_OUTLINE, P.THUMB_TOP, P.THUMB_BOTTOM, P.HILIGHT_WHITE),
            _thumb(P, P.THUMB_DOWN_OUTLINE, P.THUMB_DOWN_TOP, P.THUMB_DOWN_BOTTOM, None),
            _thumb(P, P.BTN_HOT_OUTLINE, P.THUMB_HOT_TOP, P.THUMB_HOT_BOTTOM, P.HILIGHT_WHITE)]


def horizontal_thumb(P):
    """66 x 15, three frames: 1 normal, 2 pressed, 3 hot."""
    return hstrip(_thumbs(P))


def vertical_thumb(P):
    """45 x 22, the horizontal thumbs turned."""
    return hstrip([t.transposed() for t in _thumbs(P)])

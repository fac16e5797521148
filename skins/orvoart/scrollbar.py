"""Scroll-bar art of the bevelled family: the 23-frame strip of arrows and thumb grips, the tracks
and the thumbs.

Everything is drawn for a horizontal bar and turned for the vertical one. Across the bar the track
has an edge line on each side; arrows and thumbs sit in the track, so they are drawn over it."""

from . import glyphs
from .canvas import Layer, vertical
from .colour import mix
from .strips import hstrip, transposed

SIZE = 17  # the bar's thickness and an arrow's length, at 100 %


def _track(P, k, length, body, thickness=None):
    w, h = length, k(SIZE) if thickness is None else thickness
    line = k.line()
    layer = Layer(w, h)
    layer.fill_rect(0, 0, w, h, P.TRACK_EDGE)
    layer.fill_rect(0, line, w, h - 2 * line, body)
    return layer


def _arrow(P, k, state, direction):
    """state: normal, pressed, disabled, hot; direction: left or right."""
    s = k(SIZE)
    line = k.line()
    layer = _track(P, k, s, P.TRACK)
    looks = {
        "normal": (mix(P.TRACK_EDGE, P.SHADOW, 0.35), P.HILIGHT_WHITE, mix(P.TRACK, P.FACE, 0.5), P.GLYPH),
        "pressed": (P.THUMB_DOWN_OUTLINE, P.THUMB_DOWN_TOP, P.THUMB_DOWN_BOTTOM, P.SELECTION),
        "disabled": (None, None, None, P.GLYPH_OFF),
        "hot": (P.BTN_HOT_OUTLINE, P.THUMB_HOT_TOP, P.THUMB_HOT_BOTTOM, P.SELECTION),
    }
    outline, top, bottom, ink = looks[state]
    if outline is not None:
        layer.box(line, line, s - 2 * line, s - 2 * line, 2 * k.f, outline,
                  vertical(2 * line, s - 3 * line, [(0, top), (1, bottom)]), line)
    aw, ah = 4 * k.f, 7 * k.f
    x = (s - aw) / 2 + (-0.5 if direction == "left" else 0.5) * k.f
    glyphs.triangle(layer, x, (s - ah) / 2, aw, ah, direction, ink)
    return layer.over(P.TRACK)


def _grip(P, k, dark, light, under):
    """Three etched ridges across a horizontal thumb; transparent elsewhere."""
    s = k(SIZE)
    line = k.line()
    layer = Layer(s, s)
    for x in (5, 8, 11):
        layer.fill_rect(k(x), k(6), line, k(11) - k(6), dark)
        layer.fill_rect(k(x) + line, k(6), line, k(11) - k(6), light)
    return layer.keyed(under)


def arrow_strip(P, k):
    """391 x 17, 23 frames: arrows left (1-4), right (5-8), up (9-12), down (13-16) each normal,
    pressed, disabled, hot; thumb grips horizontal (17-19) and vertical (20-22) each normal,
    pressed, hot; 23 a plain piece of track."""
    states = ("normal", "pressed", "disabled", "hot")
    horizontal = [_arrow(P, k, s, d) for d in ("left", "right") for s in states]
    grips = [_grip(P, k, P.THUMB_OUTLINE, P.HILIGHT_WHITE, P.THUMB_BOTTOM),
             _grip(P, k, P.THUMB_DOWN_OUTLINE, P.THUMB_DOWN_TOP, P.THUMB_DOWN_BOTTOM),
             _grip(P, k, P.BTN_HOT_OUTLINE, P.HILIGHT_WHITE, P.THUMB_HOT_BOTTOM)]
    both = lambda fs: fs + [transposed(f) for f in fs]
    return hstrip(both(horizontal) + both(grips) + [_track(P, k, k(SIZE), P.TRACK).over(P.TRACK)])


def _tracks(P, k, turn):
    frames = [_track(P, k, k(34), body).over(body)
              for body in (P.TRACK, P.TRACK_DOWN, P.TRACK_OFF, P.TRACK_HOT)]
    return hstrip([transposed(f) for f in frames] if turn else frames)


def horizontal_track(P, k):
    """136 x 17, four 34-wide frames: 1 enabled, 2 pressed, 3 disabled, 4 hot."""
    return _tracks(P, k, False)


def vertical_track(P, k):
    """68 x 34, four 17-wide frames: the horizontal track turned."""
    return _tracks(P, k, True)


def _thumb(P, k, outline, top, bottom, shine):
    """22 x 15: a rounded bar inset one pixel into the track on every side."""
    w, h = k(22), k(15)
    line = k.line()
    layer = _track(P, k, w, P.TRACK, h)
    layer.box(line, line, w - 2 * line, h - 2 * line, 3 * k.f, outline,
              vertical(2 * line, h - 3 * line, [(0, top), (1, bottom)]), line,
              shine=None if shine is None else (shine, h // 2))
    return layer.over(P.TRACK)


def _thumbs(P, k):
    return [_thumb(P, k, P.THUMB_OUTLINE, P.THUMB_TOP, P.THUMB_BOTTOM, P.HILIGHT_WHITE),
            _thumb(P, k, P.THUMB_DOWN_OUTLINE, P.THUMB_DOWN_TOP, P.THUMB_DOWN_BOTTOM, None),
            _thumb(P, k, P.BTN_HOT_OUTLINE, P.THUMB_HOT_TOP, P.THUMB_HOT_BOTTOM, P.HILIGHT_WHITE)]


def horizontal_thumb(P, k):
    """66 x 15, three frames: 1 normal, 2 pressed, 3 hot."""
    return hstrip(_thumbs(P, k))


def vertical_thumb(P, k):
    """45 x 22: the horizontal thumbs turned."""
    return hstrip([transposed(t) for t in _thumbs(P, k)])

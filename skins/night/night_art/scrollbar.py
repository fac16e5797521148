"""Night's scroll bars: a flat track of the lists' darkness, a pill-shaped thumb that lightens under
the pointer and when held, small arrow heads that get a soft light under the pointer. No grips.

Drawn for a horizontal bar and turned for the vertical one."""

from orvoart import glyphs
from orvoart.canvas import Layer
from orvoart.strips import hstrip, transposed

from . import palette as P

SIZE = 17
TRACKS = (P.TRACK, P.RAISED, P.WINDOW, P.RAISED)  # enabled, pressed, disabled, hot


def _plain(k, w, h, colour):
    layer = Layer(w, h)
    layer.fill_rect(0, 0, w, h, colour)
    return layer


def _arrow(k, state, direction):
    s = k(SIZE)
    layer = _plain(k, s, s, P.TRACK)
    back, ink = {"normal": (None, P.TEXT_DIM), "pressed": (P.SURFACE, P.TEXT), "disabled": (None, P.TEXT_OFF),
                 "hot": (P.RAISED, P.TEXT)}[state]
    if back is not None:
        layer.fill_rounded(k(2), k(2), s - 2 * k(2), s - 2 * k(2), 3 * k.f, back)
    aw, ah = 4 * k.f, 7 * k.f
    glyphs.triangle(layer, (s - aw) / 2, (s - ah) / 2, aw, ah, direction, ink)
    return layer.over(P.TRACK)


def arrow_strip(k):
    """391 x 17, 23 frames: arrows left (1-4), right (5-8), up (9-12), down (13-16) each normal,
    pressed, disabled, hot; the six thumb-grip frames (17-22) empty, a flat thumb has none;
    23 a plain piece of track."""
    states = ("normal", "pressed", "disabled", "hot")
    horizontal = [_arrow(k, s, d) for d in ("left", "right") for s in states]
    s = k(SIZE)
    empty = Layer(s, s).keyed(P.THUMB)
    return hstrip(horizontal + [transposed(f) for f in horizontal] + [empty] * 6 +
                  [_plain(k, s, s, P.TRACK).over(P.TRACK)])


def _tracks(k, turn):
    frames = [_plain(k, k(34), k(SIZE), c).over(c) for c in TRACKS]
    return hstrip([transposed(f) for f in frames] if turn else frames)


def horizontal_track(k):
    """136 x 17, four 34-wide frames: 1 enabled, 2 pressed, 3 disabled, 4 hot."""
    return _tracks(k, False)


def vertical_track(k):
    """68 x 34: the horizontal track turned."""
    return _tracks(k, True)


def _thumb(k, colour):
    """22 x 15: a pill 8 high across the track; its round ends stay inside the 5-pixel margins."""
    w, h = k(22), k(15)
    t = k(8)
    layer = _plain(k, w, h, P.TRACK)
    layer.fill_rounded(k(1), (h - t) // 2, w - 2 * k(1), t, t / 2, colour)
    return layer.over(P.TRACK)


def _thumbs(k):
    return [_thumb(k, c) for c in (P.THUMB, P.THUMB_DOWN, P.THUMB_HOT)]


def horizontal_thumb(k):
    """66 x 15, three frames: 1 normal, 2 pressed, 3 hot."""
    return hstrip(_thumbs(k))


def vertical_thumb(k):
    """45 x 22: the horizontal thumbs turned."""
    return hstrip([transposed(t) for t in _thumbs(k)])

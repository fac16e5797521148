"""The product emblem: a page cut into three pieces, the middle one slid aside, on a slate badge.

Drawn per size: the pieces' edges fall on whole pixels, so they stay crisp from 16 to 256 pixels;
the badge's rounded outline is smooth (into the alpha channel, or into a background colour)."""

from .canvas import Layer, vertical
from .colour import rgb, unit

BADGE = ((0.0, rgb(98, 130, 172)), (0.55, rgb(52, 80, 119)), (1.0, rgb(30, 50, 80)))
BADGE_EDGE = rgb(20, 33, 53)
BADGE_SHINE = rgb(140, 168, 204)
PAGE_TOP = rgb(255, 255, 255)
PAGE_BOTTOM = rgb(219, 229, 242)
PAGE_SHADOW = rgb(18, 31, 51)
FOLD = rgb(168, 188, 215)
LINES = rgb(128, 153, 189)
CUT = rgb(150, 178, 216)

# Vertical layout of the page as fractions of the size: top piece, gap, middle, gap, bottom.
_ROWS = (0.17, 0.40, 0.47, 0.61, 0.68, 0.83)
# Small sizes get hand-placed rows (top, bottom exclusive) so every piece keeps its shape.
_SMALL_ROWS = {16: (3, 7, 8, 10, 11, 13), 24: (4, 10, 11, 15, 16, 20)}


def _badge(layer, s):
    r = s * 0.2
    edge = max(1.0, s / 48)
    layer.fill_rounded(0, 0, s, s, r, BADGE_EDGE)
    layer.fill_rounded(edge, edge, s - 2 * edge, s - 2 * edge, r - edge, vertical(0, s - 1, BADGE))
    shine = max(1, round(edge))
    cr = layer.cr
    cr.set_source_rgba(*unit(BADGE_SHINE), 0.7)
    cr.rectangle(round(r), round(edge), s - 2 * round(r), shine)
    cr.fill()


def _piece(layer, x0, y0, x1, y1, fold, lines, shadow):
    cr = layer.cr
    if shadow:
        cr.set_source_rgba(*unit(PAGE_SHADOW), 0.55)
        cr.rectangle(x0 + 1, y1, x1 - x0, shadow)
        cr.fill()
    body = vertical(y0, y1 - 1, [(0, PAGE_TOP), (1, PAGE_BOTTOM)])
    if fold:
        layer.polygon([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)], body)
        layer.polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], FOLD)
    else:
        layer.fill_rect(x0, y0, x1 - x0, y1 - y0, body)
    for (ly0, ly1), right in lines:
        layer.fill_rect(x0 + max(1, (x1 - x0) // 7), ly0, right - x0 - max(1, (x1 - x0) // 7), ly1 - ly0, LINES)


def _page_lines(s, y0, y1, x0, x1, count, fold=0):
    """Text lines inside a piece: (row range, right end) pairs, none when too small."""
    t = max(1, round(s / 32))
    if s < 24 or y1 - y0 < 3 * t + 2:
        return []
    step = max(2 * t + 1, round(s / 13))
    out, y = [], y0 + max(2 * t, step - t)
    lengths = (0.78, 0.92, 0.62, 0.85)
    for i in range(count):
        if y + t > y1 - t:
            break
        right = x0 + round((x1 - x0) * lengths[i % 4])
        if fold and y < y0 + fold + t:
            right = min(right, x1 - fold - 2 * t)
        out.append(((y, y + t), right))
        y += step
    return out


def _cut_lines(layer, s, centres):
    """Dashed cut marks through the gaps, from badge edge to badge edge (large sizes only)."""
    if s < 48:
        return
    t = max(1, round(s / 64))
    dash, space = max(2, round(s * 0.045)), max(2, round(s * 0.03))
    inset = round(s * 0.1)
    cr = layer.cr
    cr.set_source_rgba(*unit(CUT), 0.85)
    for cy in centres:
        x = inset
        while x < s - inset:
            cr.rectangle(x, cy - t // 2, min(dash, s - inset - x), t)
            x += dash + space
    cr.fill()


def emblem(s):
    """The emblem as an s x s Layer, transparent round the badge."""
    layer = Layer(s, s)
    _badge(layer, s)
    rows = _SMALL_ROWS.get(s) or tuple(round(f * s) for f in _ROWS)
    x0, x1 = round(s * 0.28), round(s * 0.72)
    slide = max(1, round(s * 0.05))
    fold = max(2, round(s * 0.13))
    shadow = 0 if s < 24 else max(1, round(s / 40))
    pieces = [(x0, rows[0], x1, rows[1], fold), (x0 + slide, rows[2], x1 + slide, rows[3], 0),
              (x0, rows[4], x1, rows[5], 0)]
    _cut_lines(layer, s, [(rows[1] + rows[2]) // 2, (rows[3] + rows[4]) // 2])
    for px0, py0, px1, py1, f in pieces:
        _piece(layer, px0, py0, px1, py1, f, _page_lines(s, py0, py1, px0, px1, 4, f), shadow)
    return layer


"""The product emblem: a page cut into three pieces, the middle one slid aside, on a slate badge.

Drawn per size with pixel-snapped geometry, so the pieces stay crisp from 16 to 256 pixels; only
the badge's rounded outline is anti-aliased (into alpha, or into the background colour)."""

from .raster import Image, coverage, mix, ramp, rgb

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


def _in_rounded(fx, fy, x0, y0, x1, y1, r):
    if not (x0 <= fx < x1 and y0 <= fy < y1):
        return False
    cx = min(max(fx, x0 + r), x1 - r)
    cy = min(max(fy, y0 + r), y1 - r)
    return (fx - cx) ** 2 + (fy - cy) ** 2 <= r * r


def _badge(img, s, background):
    """Rounded square with an edge, a gradient and a shine line, blended at its rim."""
    r = s * 0.2
    edge = max(1.0, s / 48)
    samples = 4 if s <= 48 else 3
    for y in range(s):
        body = ramp(BADGE, y / (s - 1))
        for x in range(s):
            outer = coverage(lambda fx, fy: _in_rounded(fx, fy, 0, 0, s, s, r), x, y, samples)
            if outer == 0:
                continue
            inner = coverage(lambda fx, fy: _in_rounded(fx, fy, edge, edge, s - edge, s - edge, r - edge),
                             x, y, samples)
            c = mix(BADGE_EDGE, body, inner)
            if background is None:
                img.set(x, y, c, round(255 * outer))
            else:
                img.set(x, y, mix(background, c, outer))
    shine_y = round(edge)
    for x in range(round(r), s - round(r)):
        img.set(x, shine_y, mix(img.get(x, shine_y), BADGE_SHINE, 0.7), img.get_alpha(x, shine_y))


def _piece(img, x0, y0, x1, y1, fold, lines, shadow):
    if shadow:
        img.fill_rect(x0 + 1, y1, x1 + 1, y1 + shadow, mix(img.get(x0, y1), PAGE_SHADOW, 0.55))
    for y in range(y0, y1):
        c = mix(PAGE_TOP, PAGE_BOTTOM, (y - y0) / max(y1 - y0 - 1, 1))
        for x in range(x0, x1):
            d = (x - (x1 - fold)) - (y - y0)  # > 0 above the fold's diagonal
            if fold and d > 0:
                continue
            if fold and d >= -1 and x >= x1 - fold:
                img.set(x, y, FOLD if d == 0 else mix(FOLD, c, 0.5))
            elif fold and x >= x1 - fold and y - y0 < fold:
                img.set(x, y, mix(FOLD, c, 0.35))
            else:
                img.set(x, y, c)
    for ly, lx1 in lines:
        img.fill_rect(x0 + max(1, (x1 - x0) // 7), ly[0], lx1, ly[1], LINES)


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


def _cut_lines(img, s, centres):
    """Dashed cut marks through the gaps, from badge edge to badge edge (large sizes only)."""
    if s < 48:
        return
    t = max(1, round(s / 64))
    dash, space = max(2, round(s * 0.045)), max(2, round(s * 0.03))
    inset = round(s * 0.1)
    for cy in centres:
        x = inset
        while x < s - inset:
            for y in range(cy - t // 2, cy - t // 2 + t):
                for xx in range(x, min(x + dash, s - inset)):
                    img.set(xx, y, mix(img.get(xx, y), CUT, 0.85), img.get_alpha(xx, y))
            x += dash + space


def emblem(s, background=None):
    """The emblem at s x s pixels: with alpha (background None) or composed on a colour."""
    img = Image(s, s, background if background is not None else 0, alpha=None if background is not None else 0)
    _badge(img, s, background)
    rows = _SMALL_ROWS.get(s) or tuple(round(f * s) for f in _ROWS)
    x0, x1 = round(s * 0.28), round(s * 0.72)
    slide = max(1, round(s * 0.05))
    fold = max(2, round(s * 0.13))
    shadow = 0 if s < 24 else max(1, round(s / 40))
    pieces = [(x0, rows[0], x1, rows[1], fold), (x0 + slide, rows[2], x1 + slide, rows[3], 0),
              (x0, rows[4], x1, rows[5], 0)]
    _cut_lines(img, s, [(rows[1] + rows[2]) // 2, (rows[3] + rows[4]) // 2])
    for px0, py0, px1, py1, f in pieces:
        lines = _page_lines(s, py0, py1, px0, px1, 4, f)
        _piece(img, px0, py0, px1, py1, f, lines, shadow)
    return img

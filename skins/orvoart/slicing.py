"""The engine's ways of cutting skin images, redone here so the contact sheet's mock-up shows the
art exactly as the program will draw it: nine-slice with frame selection (corners fixed, edges
stretched, centre stretched or tiled) and single-frame stretching, nearest-neighbour throughout."""

from .raster import Image


def _stretch(dst, src, dx0, dy0, dw, dh, sx0, sy0, sw, sh):
    """Nearest-neighbour copy of the source rectangle onto the target one. A negative source
    size mirrors, as a stretching blit does."""
    if dw <= 0 or dh <= 0 or sw == 0 or sh == 0:
        return
    for j in range(dh):
        sy = sy0 + ((2 * j + 1) * sh) // (2 * dh)
        for i in range(dw):
            sx = sx0 + ((2 * i + 1) * sw) // (2 * dw)
            if src.inside(sx, sy):
                dst.set(dx0 + i, dy0 + j, src.get(sx, sy))


def _tile(dst, src, dx0, dy0, dw, dh, sx0, sy0, sw, sh):
    if sw <= 0 or sh <= 0:
        return
    for j in range(dh):
        for i in range(dw):
            dst.set(dx0 + i, dy0 + j, src.get(sx0 + i % sw, sy0 + j % sh))


def frame_origin(img, count, index, stacked):
    """(x0, y0, frame width, frame height) of 1-based frame index of a strip of count frames."""
    if stacked:
        fh = img.h // count
        return 0, (index - 1) * fh, img.w, fh
    fw = img.w // count
    return (index - 1) * fw, 0, fw, img.h


def sliced(img, count, index, stacked, margins, size, tile=False):
    """One frame of img drawn at size (W, H) keeping margins (l, t, r, b) unscaled."""
    l, t, r, b = margins
    W, H = size
    x0, y0, fw, fh = frame_origin(img, count, index, stacked)
    if W < l + r:
        l = r = 0
    if H < t + b:
        t = b = 0
    out = Image(W, H)
    s = _stretch
    s(out, img, 0, 0, l, t, x0, y0, l, t)
    s(out, img, 0, H - b, l, b, x0, y0 + fh - b, l, b)
    s(out, img, W - r, 0, r, t, x0 + fw - r, y0, r, t)
    s(out, img, 0, t, l, H - b - t, x0, y0 + t, l, fh - b - t)
    s(out, img, l, 0, W - r - l, t, x0 + l, y0, fw - r - l, t)
    centre = _tile if tile else _stretch
    centre(out, img, l, t, W - r - l, H - b - t, x0 + l, y0 + t, fw - r - l, fh - b - t)
    s(out, img, W - r, H - b, r, b, x0 + fw - r, y0 + fh - b, r, b)
    s(out, img, W - r, t, r, H - b - t, x0 + fw - r, y0 + t, r, fh - b - t)
    s(out, img, l, H - b, W - r - l, b, x0 + l, y0 + fh - b, fw - r - l, b)
    return out


def frame_strip(img, count, index, size):
    """One side-by-side frame stretched to size."""
    x0, y0, fw, fh = frame_origin(img, count, index, False)
    out = Image(*size)
    _stretch(out, img, 0, 0, size[0], size[1], x0, y0, fw, fh)
    return out


def three_slice(img, count, index, stacked, l, r, size):
    """One frame drawn at size (W, H): its first l and last r columns unscaled, the columns between
    repeated across the middle, every part stretched to the height H."""
    W, H = size
    x0, y0, fw, fh = frame_origin(img, count, index, stacked)
    out = Image(W, H)
    _stretch(out, img, 0, 0, l, H, x0, y0, l, fh)
    m = fw - l - r
    x = l
    while m > 0 and x < W - r:
        _stretch(out, img, x, 0, m, H, x0 + l, y0, m, fh)
        x += m
    _stretch(out, img, W - r, 0, r, H, x0 + fw - r, y0, r, fh)
    return out

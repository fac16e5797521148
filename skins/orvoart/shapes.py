"""Bevelled rounded boxes: the one shape most skin pieces are made of."""

from .raster import Image, mix, rounded_inside, shape_rings


def flat_middle(h, first, last):
    """A row-to-gradient mapping whose rows first..last share one colour, so that a renderer
    that stretches or tiles those rows (the image's fixed margins end there) shows no seam."""
    span = h - 1 - (last - first)

    def t(y):
        if y < first:
            return y / span
        if y <= last:
            return first / span
        return (y - (last - first)) / span

    return t


def box(w, h, *, radius, outline, top, bottom, outside, shine=None, base=None,
        corners=(True, True, True, True), t_of_y=None, ring1=None, shine_until=None):
    """A w x h rounded box: outline ring, an optional shine on the upper part of the ring just
    inside it (rows above shine_until; or a full inner ring colour), a vertical body gradient and an optional base line
    along the bottom inside the outline. Pixels outside the rounding get `outside`."""
    inside = lambda x, y: rounded_inside(x, y, w, h, radius, corners)
    rings = shape_rings(w, h, inside)
    t_of_y = t_of_y or (lambda y: y / max(h - 1, 1))
    shine_until = h // 2 if shine_until is None else shine_until
    img = Image(w, h, outside)
    for y in range(h):
        for x in range(w):
            r = rings[y][x]
            if r < 0:
                continue
            if r == 0:
                c = outline
            elif r == 1 and ring1 is not None:
                c = ring1
            elif r == 1 and shine is not None and y < shine_until:
                c = shine
            elif r == 1 and base is not None and y == h - 2:
                c = base
            else:
                c = mix(top, bottom, t_of_y(y))
            img.set(x, y, c)
    return img


def inset(background, content, x0, y0, key):
    """content pasted over a copy of background, skipping the key colour."""
    out = background.crop(0, 0, background.w, background.h)
    out.paste(content, x0, y0, key)
    return out

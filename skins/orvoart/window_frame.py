"""A skin's window frame drawn as one whole window of a nominal size and then cut into the four
border pieces, so the caption bar, the rounded corners and the bevels line up exactly wherever the
engine joins them.

`FrameGeometry` holds a skin's sizes; a look is a dict of colours: outline, shine (the ring just
inside the outline along the caption), light and body (the side rings and the rest of the border),
inner (the ring round the client area) and caption (ramp stops of the caption's gradient).
"""

from .raster import MAGENTA, Image, hstrip, ramp, rounded_inside, shape_rings, vstrip


class FrameGeometry:
    def __init__(self, border, caption, bottom, top_radius, bottom_radius, nominal=(300, 250)):
        self.border, self.caption, self.bottom = border, caption, bottom
        self.top_radius, self.bottom_radius = top_radius, bottom_radius
        self.w, self.h = nominal

    def caption_colour(self, look, y):
        """The caption gradient at row y (rows 2 to caption - 2 carry it)."""
        return ramp(look["caption"], (y - 2) / (self.caption - 4))


def looks(P, mid):
    """The active and inactive looks from a palette with the family's frame colour names (those
    ending in _OFF for the inactive look); mid is where the caption's middle colour stands."""
    def look(off):
        c = lambda name: getattr(P, name + off)
        return dict(outline=c("CAPTION_OUTLINE"), shine=c("CAPTION_SHINE"), light=c("FRAME_LIGHT"),
                    body=c("FRAME_BODY"), inner=c("FRAME_INNER"),
                    caption=((0.0, c("CAPTION_TOP")), (mid, c("CAPTION_MID")), (1.0, c("CAPTION_BOTTOM"))))
    return look(""), look("_OFF")


def whole_window(g, look):
    """The frame of a window of g's nominal size; the client area is left magenta (it is never part
    of a piece)."""
    w, h = g.w, g.h

    def inside(x, y):
        return (rounded_inside(x, y, w, h, g.top_radius, (True, True, False, False)) and
                rounded_inside(x, y, w, h, g.bottom_radius, (False, False, True, True)))

    rings = shape_rings(w, h, inside)
    client = (g.border, g.caption, w - g.border, h - g.bottom)
    img = Image(w, h, MAGENTA)
    for y in range(h):
        for x in range(w):
            r = rings[y][x]
            if r < 0:
                continue
            if client[0] <= x < client[2] and client[1] <= y < client[3]:
                continue
            near_client = (client[0] - 1 <= x <= client[2] and client[1] - 1 <= y <= client[3])
            if r == 0:
                c = look["outline"]
            elif near_client:
                c = look["inner"]
            elif y < g.caption - 1:
                c = look["shine"] if r == 1 else g.caption_colour(look, y)
            else:
                c = look["light"] if r == 1 else look["body"]
            img.set(x, y, c)
    return img


def frame_pieces(g, looks):
    """FrameLeft, FrameRight (one frame per look, side by side), FrameTop, FrameBottom (stacked)."""
    wins = [whole_window(g, look) for look in looks]
    w, h, b = g.w, g.h, g.border
    return {
        "FrameLeft.bmp": hstrip([win.crop(0, 0, b, h) for win in wins]),
        "FrameRight.bmp": hstrip([win.crop(w - b, 0, b, h) for win in wins]),
        "FrameTop.bmp": vstrip([win.crop(b, 0, w - 2 * b, g.caption) for win in wins]),
        "FrameBottom.bmp": vstrip([win.crop(b, h - g.bottom, w - 2 * b, g.bottom) for win in wins]),
    }

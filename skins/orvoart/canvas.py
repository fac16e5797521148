"""Drawing with cairo in device pixels, and turning what was drawn into skin images (Pillow, RGB).

A `Layer` is a transparent surface the shapes of one frame are drawn on, anti-aliased. It becomes
an image in one of three ways:

- `over(under)`: composed over what it will sit on (a colour, or an image of the same size);
- `keyed(under)`: the same, but magenta wherever nothing at all was drawn, so a soft edge is mixed
  with the colour it will really meet and never with the transparent key (no pink fringe);
- `silhouette()`: the shape's own colours inside its outline and magenta outside, cut where the
  shape covers half a pixel: for edges that meet the unknown desktop (a window region).

Straight edges are drawn on whole pixels, so they stay crisp; only curves and slants are smoothed.
"""

import cairo
from PIL import Image

from .colour import MAGENTA, channels, mix, unit

ALL = (True, True, True, True)  # rounded corners: top left, top right, bottom right, bottom left
TOP = (True, True, False, False)
BOTTOM = (False, False, True, True)
LEFT = (True, False, False, True)
RIGHT = (False, True, True, False)


def vertical(y0, y1, stops):
    """A gradient from row y0 to row y1 (pixel rows, inclusive): stops are (0..1, colour)."""
    g = cairo.LinearGradient(0, y0 + 0.5, 0, max(y1, y0) + 0.5)
    for t, c in stops:
        g.add_color_stop_rgb(t, *unit(c))
    return g


def flat_vertical(y0, h, first, last, top, bottom):
    """Top to bottom over the h rows from y0, one flat colour from row first to row last (counted
    from y0): the part between an element's fixed margins, which the engine stretches or repeats,
    so no seam can show."""
    if h <= 1:
        return vertical(y0, y0, [(0, top), (1, top)])
    span = max(h - 1 - (last - first), 1)
    mid_t = first / span
    mid = mix(top, bottom, mid_t)
    n = h - 1
    return vertical(y0, y0 + n, [(0, top), (first / n, mid), (last / n, mid), (1, bottom)])


class Layer:
    """A w x h transparent surface; every method draws in device pixels, (0, 0) the top left."""

    def __init__(self, w, h, antialias=True):
        self.w, self.h = w, h
        self.surface = cairo.ImageSurface(cairo.FORMAT_ARGB32, w, h)
        self.cr = cairo.Context(self.surface)
        self.cr.set_antialias(cairo.ANTIALIAS_GRAY if antialias else cairo.ANTIALIAS_NONE)
        self.cr.set_fill_rule(cairo.FILL_RULE_WINDING)

    # ------------------------------------------------------------------------------- paths

    def rounded(self, x, y, w, h, r, corners=ALL):
        """Adds a w x h rectangle at (x, y) whose chosen corners are rounded with radius r; a
        corner given as a number instead of True or False has that radius of its own."""
        cr = self.cr
        limit = min(w / 2, h / 2)
        tl, tr, br, bl = (max(0.0, min(r if c is True else 0 if c is False else c, limit))
                          for c in corners)
        cr.new_sub_path()
        cr.move_to(x + tl, y)
        cr.line_to(x + w - tr, y)
        if tr:
            cr.arc(x + w - tr, y + tr, tr, -_QUARTER, 0)
        cr.line_to(x + w, y + h - br)
        if br:
            cr.arc(x + w - br, y + h - br, br, 0, _QUARTER)
        cr.line_to(x + bl, y + h)
        if bl:
            cr.arc(x + bl, y + h - bl, bl, _QUARTER, 2 * _QUARTER)
        cr.line_to(x, y + tl)
        if tl:
            cr.arc(x + tl, y + tl, tl, 2 * _QUARTER, 3 * _QUARTER)
        cr.close_path()

    def set_source(self, paint):
        """What the next fill or stroke paints with: a colour (0xRRGGBB) or a cairo pattern."""
        if isinstance(paint, int):
            self.cr.set_source_rgb(*unit(paint))
        else:
            self.cr.set_source(paint)

    # ------------------------------------------------------------------------------ shapes

    def fill_rect(self, x, y, w, h, paint):
        if w <= 0 or h <= 0:
            return
        self.cr.rectangle(x, y, w, h)
        self.set_source(paint)
        self.cr.fill()

    def fill_rounded(self, x, y, w, h, r, paint, corners=ALL):
        if w <= 0 or h <= 0:
            return
        self.rounded(x, y, w, h, r, corners)
        self.set_source(paint)
        self.cr.fill()

    def cut(self, x, y, w, h, r=0, corners=ALL):
        """Clears a (rounded) rectangle: nothing is drawn there any more."""
        self.cr.save()
        self.cr.set_operator(cairo.OPERATOR_CLEAR)
        self.rounded(x, y, w, h, r, corners)
        self.cr.fill()
        self.cr.restore()

    def box(self, x, y, w, h, r, outline, body, line=1, corners=ALL, shine=None):
        """A rounded box: its outline `line` pixels wide, the body paint inside it; shine
        (colour, rows) lays a ring of that colour just inside the outline over its top rows."""
        self.fill_rounded(x, y, w, h, r, outline, corners)
        def inset(n):
            d = n * line
            return (x + d, y + d, w - 2 * d, h - 2 * d, max(r - d, 0.0)), shrunk(corners, d)

        self.fill_rounded(*inset(1)[0], body, inset(1)[1])
        if shine is not None:
            colour, rows = shine
            cr = self.cr
            cr.save()
            cr.rectangle(x, y, w, rows)
            cr.clip()
            self.rounded(*inset(1)[0], inset(1)[1])
            self.rounded(*inset(2)[0], inset(2)[1])
            cr.set_fill_rule(cairo.FILL_RULE_EVEN_ODD)
            self.set_source(colour)
            cr.fill()
            cr.restore()

    def disc(self, cx, cy, radius, paint):
        self.cr.new_sub_path()
        self.cr.arc(cx, cy, radius, 0, 4 * _QUARTER)
        self.set_source(paint)
        self.cr.fill()

    def polygon(self, points, paint):
        self.cr.move_to(*points[0])
        for p in points[1:]:
            self.cr.line_to(*p)
        self.cr.close_path()
        self.set_source(paint)
        self.cr.fill()

    def polyline(self, points, width, paint, round_ends=True):
        cr = self.cr
        cr.set_line_width(width)
        cr.set_line_cap(cairo.LINE_CAP_ROUND if round_ends else cairo.LINE_CAP_BUTT)
        cr.set_line_join(cairo.LINE_JOIN_ROUND if round_ends else cairo.LINE_JOIN_MITER)
        cr.move_to(*points[0])
        for p in points[1:]:
            cr.line_to(*p)
        self.set_source(paint)
        cr.stroke()

    def place(self, image, x=0, y=0):
        """Draws an RGB image (or a layer's surface) at (x, y), opaque."""
        surface = image.surface if isinstance(image, Layer) else _surface_of(image)
        self.cr.set_source_surface(surface, x, y)
        self.cr.paint()

    # ----------------------------------------------------------------------------- results

    def rgba(self):
        self.surface.flush()
        return Image.frombuffer("RGBA", (self.w, self.h), bytes(self.surface.get_data()), "raw", "BGRa",
                                self.surface.get_stride(), 1)

    def coverage(self):
        """How much of each pixel the drawing covers, 0..255 (Pillow "L")."""
        return self.rgba().getchannel("A")

    def over(self, under):
        """What was drawn, composed over under: a colour or an RGB image of the layer's size."""
        base = _surface_of(under if not isinstance(under, int) else Image.new("RGB", (self.w, self.h),
                                                                                 channels(under)))
        cr = cairo.Context(base)
        cr.set_source_surface(self.surface, 0, 0)
        cr.paint()
        return _image_of(base, self.w, self.h)

    def keyed(self, under):
        """over(under), with the magenta key wherever the drawing covers nothing."""
        out = self.over(under)
        out.paste(channels(MAGENTA), (0, 0, self.w, self.h), self.coverage().point(_NOTHING))
        return out

    def silhouette(self):
        """The drawing's own colours where it covers at least half a pixel, magenta elsewhere."""
        rgba = self.rgba()
        out = rgba.convert("RGB")
        out.paste(channels(MAGENTA), (0, 0, self.w, self.h), rgba.getchannel("A").point(_LESS_THAN_HALF))
        return out


_QUARTER = 1.5707963267948966


def shrunk(corners, d):
    """The corners of a shape inset by d: radii of their own shrink with it."""
    return tuple(c if isinstance(c, bool) else max(c - d, 0.0) for c in corners)
_NOTHING = [255] + [0] * 255
_LESS_THAN_HALF = [255] * 128 + [0] * 128


def _surface_of(image):
    w, h = image.size
    data = bytearray(image.convert("RGBA").tobytes("raw", "BGRA"))
    return cairo.ImageSurface.create_for_data(data, cairo.FORMAT_ARGB32, w, h, w * 4)


def _image_of(surface, w, h):
    surface.flush()
    return Image.frombuffer("RGB", (w, h), bytes(surface.get_data()), "raw", "BGRX", surface.get_stride(), 1)


def solid(w, h, colour):
    """An RGB image of one colour."""
    return Image.new("RGB", (w, h), channels(colour))

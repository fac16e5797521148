"""A skin's window frame, drawn as one whole window of a nominal size and cut into the four border
pieces, so the caption bar, the rounded corners and the bevels meet exactly where the engine joins
them, at every scale.

A look is a dict of colours: outline, shine (the line just inside the outline along the caption),
light and body (the line inside the outline below the caption, and the rest of the border), inner
(the line round the client area) and caption (the caption's gradient as (0..1, colour) stops).
The outer corners meet the desktop, which no image can know: they are cut where the shape covers
half a pixel (the window region follows them); every edge inside the frame is smooth."""

from PIL import Image

from .canvas import Layer, vertical
from .strips import hstrip, vstrip


def looks(P, mid):
    """The active and inactive looks from a palette with the family's frame colour names (those
    ending in _OFF for the inactive look); mid is where the caption's middle colour stands."""
    def look(off):
        c = lambda name: getattr(P, name + off)
        return dict(outline=c("CAPTION_OUTLINE"), shine=c("CAPTION_SHINE"), light=c("FRAME_LIGHT"),
                    body=c("FRAME_BODY"), inner=c("FRAME_INNER"),
                    caption=((0.0, c("CAPTION_TOP")), (mid, c("CAPTION_MID")), (1.0, c("CAPTION_BOTTOM"))))
    return look(""), look("_OFF")


class WindowFrame:
    """border, caption, bottom: the frame's widths; top_radius, bottom_radius: the outer corners;
    side_height: FrameLeft/FrameRight's height, end_width: FrameTop/FrameBottom's width (the
    window is drawn 2 * border + end_width wide and side_height high); all at 100 %."""

    def __init__(self, looks_, border, caption, bottom, top_radius, bottom_radius, side_height=250,
                 end_width=None):
        self.looks = looks_
        self.border, self.caption, self.bottom = border, caption, bottom
        self.top_radius, self.bottom_radius = top_radius, bottom_radius
        self.side_height = side_height
        self.end_width = 300 - 2 * border if end_width is None else end_width
        self._windows = {}

    def sizes(self, k):
        """(border, caption, bottom, window width, window height) at scale k."""
        b = k(self.border)
        return b, k(self.caption), k(self.bottom), 2 * b + k(self.end_width), k(self.side_height)

    def window(self, k, index):
        """The whole window of look index (0 active, 1 inactive), its client area transparent."""
        key = (k.percent, index)
        if key not in self._windows:
            self._windows[key] = self._draw(k, self.looks[index])
        return self._windows[key]

    def _draw(self, k, look):
        b, c, bt, w, h = self.sizes(k)
        line = k.line()
        rt, rb = self.top_radius * k.f, self.bottom_radius * k.f
        shape = lambda d: (d, d, w - 2 * d, h - 2 * d)
        corners = lambda d: (max(rt - d, 0.0), max(rt - d, 0.0), max(rb - d, 0.0), max(rb - d, 0.0))
        layer = Layer(w, h)
        layer.fill_rounded(*shape(0), 0, look["outline"], corners(0))
        layer.fill_rounded(*shape(line), 0, look["light"], corners(line))
        layer.fill_rounded(*shape(2 * line), 0, look["body"], corners(2 * line))
        cr = layer.cr
        cr.save()
        cr.rectangle(0, 0, w, c - line)
        cr.clip()
        layer.fill_rounded(*shape(line), 0, look["shine"], corners(line))
        layer.fill_rounded(*shape(2 * line), 0, vertical(2 * line, c - 2 * line, look["caption"]), corners(2 * line))
        cr.restore()
        layer.fill_rect(b - line, c - line, w - 2 * b + 2 * line, h - c - bt + 2 * line, look["inner"])
        layer.cut(b, c, w - 2 * b, h - c - bt)  # the client area belongs to no piece
        return layer.silhouette()

    def pieces(self, k):
        """FrameLeft, FrameRight (one frame per look, side by side), FrameTop, FrameBottom (stacked)."""
        b, c, bt, w, h = self.sizes(k)
        wins = [self.window(k, i) for i in range(len(self.looks))]
        return {
            "FrameLeft.bmp": hstrip([win.crop((0, 0, b, h)) for win in wins]),
            "FrameRight.bmp": hstrip([win.crop((w - b, 0, w, h)) for win in wins]),
            "FrameTop.bmp": vstrip([win.crop((b, 0, w - b, c)) for win in wins]),
            "FrameBottom.bmp": vstrip([win.crop((b, h - bt, w - b, h)) for win in wins]),
        }

    def caption_under(self, k, index, y, w, h):
        """A w x h image of the caption rows from y as they are in the middle of the caption bar:
        what a caption button or the caption text's background sits on."""
        win = self.window(k, index)
        mid = win.width // 2
        return win.crop((mid, y, mid + 1, y + h)).resize((w, h), Image.Resampling.NEAREST)


def join_problems(images, k, frame, corners=("top",)):
    """Where the pieces meet: every caption row below the rounded corners continues from the left
    and right pieces into the top piece, the given outer corners ("top", "bottom") are cut round
    (transparent), and the bottom piece keeps its bottom edge."""
    from .colour import MAGENTA, channels
    out = []
    b, c, bt, _, _ = frame.sizes(k)
    left, top, right = images["FrameLeft.bmp"], images["FrameTop.bmp"], images["FrameRight.bmp"]
    bottom = images["FrameBottom.bmp"]
    h = left.height
    key = channels(MAGENTA)
    for f in range(len(frame.looks)):
        for y in range(k(frame.top_radius) + 1, c - 2 * k.line()):
            t = top.getpixel((top.width // 2, c * f + y))
            if left.getpixel((b * f + b - 1, y)) != t or right.getpixel((b * f, y)) != t:
                out.append(f"{k.percent} %, frame {f + 1}: caption row {y} differs between the pieces")
                break
        if "top" in corners and {left.getpixel((b * f, 0)), right.getpixel((b * f + b - 1, 0))} != {key}:
            out.append(f"{k.percent} %, frame {f + 1}: the top corners are not rounded off")
        if "bottom" in corners and {left.getpixel((b * f, h - 1)), right.getpixel((b * f + b - 1, h - 1))} != {key}:
            out.append(f"{k.percent} %, frame {f + 1}: the bottom corners are not rounded off")
        if bottom.getpixel((bottom.width // 2, bt * f + bt - 1)) == key:
            out.append(f"{k.percent} %, frame {f + 1}: the bottom edge is cut away")
    return out

"""A small RGB(A) raster with the handful of drawing operations the art needs.

Pixels are ints 0xRRGGBB; an image may carry a parallel alpha list (0..255) for the icon work.
Everything is integer or exactly rounded so that the generator is deterministic.
"""

MAGENTA = 0xFF00FF


def rgb(r, g, b):
    return (r << 16) | (g << 8) | b


def channels(c):
    return (c >> 16) & 255, (c >> 8) & 255, c & 255


def mix(a, b, t):
    """Colour between a (t = 0) and b (t = 1), rounded per channel."""
    ar, ag, ab = channels(a)
    br, bg, bb = channels(b)
    return rgb(round(ar + (br - ar) * t), round(ag + (bg - ag) * t), round(ab + (bb - ab) * t))


def luminance(c):
    """Relative luminance (sRGB, as for contrast ratios)."""
    def lin(v):
        v /= 255
        return v / 12.92 if v <= 0.03928 else ((v + 0.055) / 1.055) ** 2.4
    r, g, b = channels(c)
    return 0.2126 * lin(r) + 0.7152 * lin(g) + 0.0722 * lin(b)


def contrast(a, b):
    """Contrast ratio of two colours, 1 to 21; text wants at least 4.5."""
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def ramp(stops, t):
    """Piecewise-linear colour ramp; stops are (position, colour) with positions rising 0..1."""
    t = min(max(t, 0.0), 1.0)
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix(c0, c1, 0.0 if p1 == p0 else (t - p0) / (p1 - p0))
    return stops[-1][1]


class Image:
    def __init__(self, w, h, fill=0, alpha=None):
        self.w, self.h = w, h
        self.px = [fill] * (w * h)
        self.alpha = None if alpha is None else [alpha] * (w * h)

    def inside(self, x, y):
        return 0 <= x < self.w and 0 <= y < self.h

    def get(self, x, y):
        return self.px[y * self.w + x]

    def set(self, x, y, c, a=255):
        if self.inside(x, y):
            self.px[y * self.w + x] = c
            if self.alpha is not None:
                self.alpha[y * self.w + x] = a

    def get_alpha(self, x, y):
        return 255 if self.alpha is None else self.alpha[y * self.w + x]

    def fill_rect(self, x0, y0, x1, y1, c):
        """Fills [x0, x1) x [y0, y1), clipped."""
        for y in range(max(y0, 0), min(y1, self.h)):
            for x in range(max(x0, 0), min(x1, self.w)):
                self.set(x, y, c)

    def hline(self, x0, x1, y, c):
        self.fill_rect(x0, y, x1 + 1, y + 1, c)

    def vline(self, x, y0, y1, c):
        self.fill_rect(x, y0, x + 1, y1 + 1, c)

    def frame_rect(self, x0, y0, x1, y1, c):
        """One-pixel outline of [x0, x1) x [y0, y1)."""
        self.hline(x0, x1 - 1, y0, c)
        self.hline(x0, x1 - 1, y1 - 1, c)
        self.vline(x0, y0, y1 - 1, c)
        self.vline(x1 - 1, y0, y1 - 1, c)

    def crop(self, x0, y0, w, h):
        out = Image(w, h, alpha=None if self.alpha is None else 0)
        for y in range(h):
            for x in range(w):
                out.set(x, y, self.get(x0 + x, y0 + y), self.get_alpha(x0 + x, y0 + y))
        return out

    def paste(self, src, x0, y0, key=None):
        """Copies src at (x0, y0); pixels equal to key are skipped."""
        for y in range(src.h):
            for x in range(src.w):
                c = src.get(x, y)
                if c != key:
                    self.set(x0 + x, y0 + y, c, src.get_alpha(x, y))

    def scaled(self, factor):
        """Nearest-neighbour enlargement by an integer factor."""
        out = Image(self.w * factor, self.h * factor)
        for y in range(out.h):
            row = y // factor * self.w
            for x in range(out.w):
                out.px[y * out.w + x] = self.px[row + x // factor]
        return out

    def replaced(self, old, new):
        out = self.crop(0, 0, self.w, self.h)
        out.px = [new if c == old else c for c in out.px]
        return out

    def flipped_h(self):
        out = Image(self.w, self.h)
        for y in range(self.h):
            for x in range(self.w):
                out.px[y * self.w + x] = self.get(self.w - 1 - x, y)
        return out

    def transposed(self):
        out = Image(self.h, self.w)
        for y in range(self.h):
            for x in range(self.w):
                out.px[x * self.h + y] = self.get(x, y)
        return out

    def stamp(self, x0, y0, rows, colours):
        """Draws ASCII art: each character that is a key of colours paints that colour."""
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch in colours:
                    self.set(x0 + dx, y0 + dy, colours[ch])


def hstrip(frames):
    """Frames of equal size side by side."""
    out = Image(sum(f.w for f in frames), frames[0].h)
    x = 0
    for f in frames:
        out.paste(f, x, 0)
        x += f.w
    return out


def vstrip(frames):
    """Frames of equal size stacked."""
    out = Image(frames[0].w, sum(f.h for f in frames))
    y = 0
    for f in frames:
        out.paste(f, 0, y)
        y += f.h
    return out


def rounded_inside(x, y, w, h, r, corners=(True, True, True, True)):
    """Whether pixel (x, y) lies in a w x h box whose corners (tl, tr, br, bl) are rounded with
    radius r. Decided at the pixel centre, so edges stay hard (no blending into a key colour)."""
    if not (0 <= x < w and 0 <= y < h):
        return False
    cx, cy = x + 0.5, y + 0.5
    for on, ox, oy in (
        (corners[0], r, r),
        (corners[1], w - r, r),
        (corners[2], w - r, h - r),
        (corners[3], r, h - r),
    ):
        if not on or r <= 0:
            continue
        in_x = cx < ox if ox == r else cx > ox
        in_y = cy < oy if oy == r else cy > oy
        if in_x and in_y and (cx - ox) ** 2 + (cy - oy) ** 2 > r * r:
            return False
    return True


def shape_rings(w, h, inside):
    """Distance in 4-neighbour steps from the outside of a shape, for every pixel (-1 outside).

    Ring 0 is the outline, ring 1 the pixels just within it, and so on; this gives bevels that
    follow rounded corners exactly."""
    ring = [[-1] * w for _ in range(h)]
    frontier = []
    for y in range(h):
        for x in range(w):
            if inside(x, y):
                edge = any(not (0 <= nx < w and 0 <= ny < h) or not inside(nx, ny)
                           for nx, ny in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)))
                if edge:
                    ring[y][x] = 0
                    frontier.append((x, y))
    depth = 0
    while frontier:
        nxt = []
        for x, y in frontier:
            for nx, ny in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)):
                if 0 <= nx < w and 0 <= ny < h and ring[ny][nx] == -1 and inside(nx, ny):
                    ring[ny][nx] = depth + 1
                    nxt.append((nx, ny))
        frontier = nxt
        depth += 1
    return ring


def coverage(inside_f, x, y, n=4):
    """Fraction of an n x n grid of sample points of pixel (x, y) for which inside_f(fx, fy)
    holds; used only for the anti-aliased icon and logo, never for skin bitmaps."""
    hits = 0
    for j in range(n):
        for i in range(n):
            if inside_f(x + (i + 0.5) / n, y + (j + 0.5) / n):
                hits += 1
    return hits / (n * n)

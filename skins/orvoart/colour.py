"""Colours as 0xRRGGBB integers (the palettes' notation), their mixes, and the contrast ratio of
two colours as text legibility is judged (WCAG 2: relative luminance, 1 to 21)."""

MAGENTA = 0xFF00FF  # the transparent key of every skin image
WHITE = 0xFFFFFF
BLACK = 0x000000


def rgb(r, g, b):
    return (r << 16) | (g << 8) | b


def channels(c):
    return (c >> 16) & 255, (c >> 8) & 255, c & 255


def mix(a, b, t):
    """The colour between a (t = 0) and b (t = 1), rounded per channel."""
    return rgb(*(round(x + (y - x) * t) for x, y in zip(channels(a), channels(b))))


def unit(c):
    """The colour as three floats 0..1, as cairo takes it."""
    return tuple(v / 255 for v in channels(c))


def luminance(c):
    def lin(v):
        v /= 255
        return v / 12.92 if v <= 0.03928 else ((v + 0.055) / 1.055) ** 2.4

    r, g, b = channels(c)
    return 0.2126 * lin(r) + 0.7152 * lin(g) + 0.0722 * lin(b)


def contrast(a, b):
    """The contrast ratio of two colours, 1 to 21; text wants at least 4.5."""
    hi, lo = sorted((luminance(a), luminance(b)), reverse=True)
    return (hi + 0.05) / (lo + 0.05)


def text(c):
    """The colour as an INI colour text, "R G B"."""
    return " ".join(str(v) for v in channels(c))


def near_magenta(c):
    """A colour a reader could take for the key: close to magenta but not exactly it."""
    r, g, b = channels(c)
    return c != MAGENTA and (255 - r) + g + (255 - b) <= 96

"""The small symbols drawn on skin pieces: caption-button glyphs (close, maximise, minimise,
restore, help), arrows, the check mark, the indeterminate bar and the size grip.

Each is drawn into a square or box of device pixels on a Layer, with strokes of whole-pixel widths
where they run straight, so a glyph is as crisp at 200 % as at 100 %."""

import math

import cairo

from .canvas import Layer


def close(layer: Layer, x, y, s, width, ink):
    """An X filling the s x s box at (x, y), strokes `width` thick (square ends, cut to the box)."""
    cr = layer.cr
    cr.save()
    cr.rectangle(x, y, s, s)
    cr.clip()
    inset = width / 2 / math.sqrt(2)
    layer.polyline([(x + inset, y + inset), (x + s - inset, y + s - inset)], width, ink, round_ends=False)
    layer.polyline([(x + s - inset, y + inset), (x + inset, y + s - inset)], width, ink, round_ends=False)
    cr.restore()


def frame(layer: Layer, x, y, w, h, side, top, ink):
    """A rectangle outline: sides `side` thick, the top edge `top` thick (a window's caption)."""
    cr = layer.cr
    cr.save()
    cr.rectangle(x, y, w, h)
    cr.rectangle(x + side, y + top, w - 2 * side, h - top - side)
    cr.set_fill_rule(cairo.FILL_RULE_EVEN_ODD)  # the inner rectangle is a hole
    layer.set_source(ink)
    cr.fill()
    cr.restore()


def maximise(layer, x, y, s, side, top, ink):
    frame(layer, x, y, s, s, side, top, ink)


def minimise(layer, x, y, s, bar, ink):
    layer.fill_rect(x, y + s - bar, s, bar, ink)


def restore(layer, x, y, s, side, top, ink):
    """Two windows, the front one at the bottom left covering the back one's corner."""
    inner = s - max(2, round(s * 2 / 9))
    back = (x + s - inner, y)
    front = (x, y + s - inner)
    cr = layer.cr
    cr.save()
    # The back window shows only where the front one does not cover it.
    cr.rectangle(x, y, s, s)
    cr.rectangle(*front, inner, inner)
    cr.set_fill_rule(cairo.FILL_RULE_EVEN_ODD)
    cr.clip()
    frame(layer, *back, inner, inner, side, top, ink)
    cr.restore()
    frame(layer, *front, inner, inner, side, top, ink)


def help_mark(layer, x, y, s, width, ink):
    """A question mark in the s x s box."""
    r = s * 0.3
    cx, cy = x + s / 2, y + r + width / 2
    cr = layer.cr
    cr.set_line_width(width)
    cr.set_line_cap(cairo.LINE_CAP_BUTT)
    cr.new_path()
    cr.arc(cx, cy, r, math.pi, 2.15 * math.pi)
    stem_top = cy + r * 0.95
    cr.line_to(cx, stem_top)
    cr.line_to(cx, y + s * 0.68)
    layer.set_source(ink)
    cr.stroke()
    dot = width * 0.75
    layer.disc(cx, y + s - dot, dot, ink)


def triangle(layer, x, y, w, h, direction, ink):
    """A solid arrow head in the w x h box at (x, y), pointing left, right, up or down."""
    points = {
        "left": [(x + w, y), (x, y + h / 2), (x + w, y + h)],
        "right": [(x, y), (x + w, y + h / 2), (x, y + h)],
        "up": [(x, y + h), (x + w / 2, y), (x + w, y + h)],
        "down": [(x, y), (x + w / 2, y + h), (x + w, y)],
    }[direction]
    layer.polygon(points, ink)


def chevron(layer, x, y, w, h, direction, width, ink):
    """An open arrow (two strokes) in the w x h box, pointing as triangle() does."""
    points = {
        "left": [(x + w, y), (x, y + h / 2), (x + w, y + h)],
        "right": [(x, y), (x + w, y + h / 2), (x, y + h)],
        "up": [(x, y + h), (x + w / 2, y), (x + w, y + h)],
        "down": [(x, y), (x + w / 2, y + h), (x + w, y)],
    }[direction]
    layer.polyline(points, width, ink)


def check(layer, x, y, s, width, ink):
    """A tick in the s x s box."""
    layer.polyline([(x + s * 0.08, y + s * 0.52), (x + s * 0.38, y + s * 0.82), (x + s * 0.94, y + s * 0.2)],
                   width, ink)


def grip(layer, x, y, s, dot, dark, light):
    """The size grip: a triangle of square dots in the bottom right of the s x s box, each with a
    light highlight below and right of it."""
    step = s / 3
    for row in range(3):  # from the bottom
        for col in range(3 - row):  # from the right
            gx = round(x + s - (col + 1) * step)
            gy = round(y + s - (row + 1) * step)
            layer.fill_rect(gx + 1, gy + 1, dot, dot, light)
            layer.fill_rect(gx, gy, dot, dot, dark)

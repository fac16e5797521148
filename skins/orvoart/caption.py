"""Caption buttons and the buttons of a maximised MDI child, for any skin: the frames in the
engine's order, each shape drawn over the caption (or menu bar) rows it will sit on.

Caption-button frames: 1 normal, 2 pressed, 3 hot, 4 inactive window (or disabled button), and two
the engine does not pick today, drawn for completeness: 5 disabled on an active window, 6 hot on
an inactive window. MDI-button frames: 1 normal, 2 pressed, 3 disabled, 4 hot."""

from . import glyphs
from .canvas import Layer, vertical
from .strips import hstrip

GLYPHS = ("close", "max", "min", "restore", "help")


def draw_glyph(layer, name, x, y, s, k, ink, stroke=None, thin_only=False):
    """Caption glyph `name` in the s x s box at (x, y): strokes of one pixel at 100 %, the top of a
    window and the minimise bar two (one too with thin_only)."""
    thin = k.line()
    thick = thin if thin_only else k.line(2)
    if name == "close":
        glyphs.close(layer, x, y, s, stroke or 2.2 * k.f, ink)
    elif name == "max":
        glyphs.maximise(layer, x, y, s, thin, thick, ink)
    elif name == "min":
        glyphs.minimise(layer, x, y, s, thick, ink)
    elif name == "restore":
        glyphs.restore(layer, x, y, s, thin, thick, ink)
    elif name == "help":
        glyphs.help_mark(layer, x, y, s, stroke or 1.8 * k.f, ink)
    else:
        raise ValueError(name)


def caption_looks(P, glyph):
    """The six frames' (look index, top, bottom, outline, shine, ink, shadow, pressed) from a
    palette with the family's caption-button names; the close button lights red."""
    close = glyph == "close"
    hot = ((P.CLOSE_HOT_TOP, P.CLOSE_HOT_BOTTOM, P.CLOSE_HOT_SHINE, P.CLOSE_OUTLINE) if close
           else (P.CAPBTN_HOT_TOP, P.CAPBTN_HOT_BOTTOM, P.CAPBTN_HOT_SHINE, P.CAPBTN_OUTLINE))
    down = ((P.CLOSE_DOWN_TOP, P.CLOSE_DOWN_BOTTOM, P.CLOSE_OUTLINE) if close
            else (P.CAPBTN_DOWN_TOP, P.CAPBTN_DOWN_BOTTOM, P.CAPBTN_OUTLINE))
    white = P.TEXT_ACTIVE
    return [
        (0, P.CAPBTN_TOP, P.CAPBTN_BOTTOM, P.CAPBTN_OUTLINE, P.CAPBTN_SHINE, white, P.GLYPH_SHADOW, False),
        (0, down[0], down[1], down[2], None, white, None, True),
        (0, hot[0], hot[1], hot[3], hot[2], white, P.CLOSE_OUTLINE if close else P.GLYPH_SHADOW, False),
        (1, P.CAPTION_TOP_OFF, P.CAPTION_BOTTOM_OFF, P.CAPTION_OUTLINE_OFF, P.CAPTION_SHINE_OFF,
         P.TEXT_INACTIVE, None, False),
        (0, P.CAPBTN_TOP, P.CAPBTN_BOTTOM, P.CAPBTN_OUTLINE, None, P.GLYPH_DIM, None, False),
        (1, P.CAPTION_SHINE_OFF, P.CAPTION_MID_OFF, P.CAPTION_OUTLINE_OFF, P.TEXT_INACTIVE, P.TEXT_ACTIVE,
         P.CAPTION_OUTLINE_OFF, False),
    ]


def caption_button(k, size, glyph, looks, shape, under, glyph_at, glyph_size):
    """One caption button's frames, size x size each (at 100 %). shape(layer, k, s, top, bottom,
    outline, shine) draws the button; under(look index) is the caption under it; the glyph goes
    into the glyph_size box at glyph_at, one pixel lower (and further right) when pressed, with
    its shadow a pixel below it."""
    s = k(size)
    frames = []
    for index, top, bottom, outline, shine, ink, shadow, pressed in looks:
        layer = Layer(s, s)
        shape(layer, k, s, top, bottom, outline, shine)
        x, y = k(glyph_at[0]), k(glyph_at[1])
        if pressed:
            x, y = x + k.line(), y + k.line()
        g = k(glyph_size)
        if shadow is not None:
            draw_glyph(layer, glyph, x, y + k.line(), g, k, shadow)
        draw_glyph(layer, glyph, x, y, g, k, ink)
        frames.append(layer.keyed(under(index)))
    return hstrip(frames)


def rounded_shape(radius, inset=1):
    """A rounded square button inset from its frame (the frame's rim stays transparent, so two
    buttons never touch), with a shine line over its top rows."""
    def shape(layer, k, s, top, bottom, outline, shine):
        d = k.line() * inset
        line = k.line()
        layer.box(d, d, s - 2 * d, s - 2 * d, radius * k.f, outline,
                  vertical(d + line, s - d - line - 1, [(0, top), (1, bottom)]), line,
                  shine=None if shine is None else (shine, k(3)))
    return shape


MDI_W, MDI_H = 16, 14
MDI_GLYPHS = ("min", "restore", "close")


def mdi_controls(P, k, under):
    """192 x 14: minimise, restore and close of a maximised MDI child, each in four 16-wide frames
    (1 normal, 2 pressed, 3 disabled, 4 hot): small light buttons on the menu bar (under: its
    colour or an image of a frame's size)."""
    w, h = k(MDI_W), k(MDI_H)
    line = k.line()
    frames = []
    for glyph in MDI_GLYPHS:
        close = glyph == "close"
        looks = [
            (P.BTN_OUTLINE, P.BTN_TOP, P.BTN_BOTTOM, P.GLYPH),
            (P.BTN_DOWN_OUTLINE, P.BTN_DOWN_TOP, P.BTN_DOWN_BOTTOM, P.SELECTION),
            (P.BTN_OFF_OUTLINE, P.BTN_OFF_BODY, P.BTN_OFF_BODY, P.GLYPH_OFF),
            (P.CLOSE_OUTLINE if close else P.BTN_HOT_OUTLINE,
             P.CLOSE_HOT_TOP if close else P.BTN_HOT_TOP, P.CLOSE_HOT_BOTTOM if close else P.BTN_HOT_BOTTOM,
             P.HILIGHT_WHITE if close else P.SELECTION),
        ]
        for outline, top, bottom, ink in looks:
            layer = Layer(w, h)
            layer.box(0, 0, w, h, 2 * k.f, outline, vertical(line, h - 1 - line, [(0, top), (1, bottom)]), line)
            g = k(6)
            draw_glyph(layer, glyph, (w - g) // 2, (h - g) // 2, g, k, ink, stroke=1.6 * k.f)
            frames.append(layer.keyed(under))
    return hstrip(frames)

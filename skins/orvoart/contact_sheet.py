"""The contact sheet: every skin image enlarged and cut into its frames, labelled, magenta shown as
a checkerboard; the program's own pictures; and mock-up windows at their real size."""

from .font import HEIGHT, draw_text, text_width
from .raster import MAGENTA, Image, mix
from .slicing import frame_origin

SCALE = 3
BACKGROUND = 0x9A9A9A
INK = 0x161616
SUBTLE = 0x3C3C3C
CHECKER = (0xD8D8D8, 0xF4F4F4)
FRAME_GAP = 6
MARGIN = 24


def _enlarged(img, scale=SCALE):
    """img enlarged, magenta replaced by a checkerboard; alpha (if any) composed over it."""
    out = Image(img.w * scale, img.h * scale)
    for y in range(out.h):
        for x in range(out.w):
            c = img.get(x // scale, y // scale)
            check = CHECKER[((x // 6) + (y // 6)) & 1]
            if c == MAGENTA and img.alpha is None:
                c = check
            elif img.alpha is not None:
                c = mix(check, c, img.get_alpha(x // scale, y // scale) / 255)
            out.px[y * out.w + x] = c
    return out


def _frames(img, count, stacked):
    return [img.crop(*frame_origin(img, count, i, stacked)) for i in range(1, count + 1)]


class _Sheet:
    """Places blocks left to right in rows, like words in a paragraph."""

    def __init__(self, width):
        self.width = width
        self.blocks = []  # (x, y, image)
        self.x = self.y = MARGIN
        self.row_h = 0

    def add(self, block):
        if self.x > MARGIN and self.x + block.w > self.width - MARGIN:
            self.newline()
        self.blocks.append((self.x, self.y, block))
        self.x += block.w + MARGIN
        self.row_h = max(self.row_h, block.h)

    def newline(self):
        self.x = MARGIN
        self.y += self.row_h + MARGIN
        self.row_h = 0

    def render(self):
        self.newline()
        out = Image(self.width, self.y, BACKGROUND)
        for x, y, b in self.blocks:
            out.paste(b, x, y)
        return out


def _caption(title, detail, body):
    w = max(text_width(title), text_width(detail), body.w)
    block = Image(w, 2 * (HEIGHT + 3) + body.h, BACKGROUND)
    draw_text(block, 0, 0, title, INK)
    draw_text(block, 0, HEIGHT + 3, detail, SUBTLE)
    block.paste(body, 0, 2 * (HEIGHT + 3))
    return block


def _strip_block(name, img, count, orientation):
    frames = [_enlarged(f) for f in _frames(img, count, orientation == "v")]
    numbers = count > 1
    label_h = HEIGHT + 2 if numbers else 0
    if orientation == "v":
        w = frames[0].w
        h = sum(f.h + label_h for f in frames) + FRAME_GAP * (count - 1)
    else:
        w = sum(f.w for f in frames) + FRAME_GAP * (count - 1)
        h = frames[0].h + label_h
    body = Image(w, h, BACKGROUND)
    x = y = 0
    for i, f in enumerate(frames, 1):
        if numbers:
            draw_text(body, x, y, str(i), SUBTLE)
        body.paste(f, x, y + label_h)
        if orientation == "v":
            y += f.h + label_h + FRAME_GAP
        else:
            x += f.w + FRAME_GAP
    detail = f"{img.w} x {img.h}" + (f", {count} frames" if count > 1 else "")
    return _caption(name, detail, body)


def _stack(blocks):
    body = Image(max(b.w for b in blocks), sum(b.h for b in blocks) + MARGIN * (len(blocks) - 1),
                 BACKGROUND)
    y = 0
    for b in blocks:
        body.paste(b, 0, y)
        y += b.h + MARGIN
    return body


# Wide, flat pieces go in one column beside the tall side pieces, together with the mock-ups.
BESIDE_SIDES = ("FrameTop.bmp", "FrameBottom.bmp")


def contact_sheet(bitmaps, layout, pictures, mockups, width=1880):
    """bitmaps/layout: the skin; pictures: (title, detail, image, scale) of the program's pictures;
    mockups: (title, image) shown at 1x."""
    sheet = _Sheet(width)
    column = []
    for name, img in bitmaps.items():
        w, h, count, orientation = layout[name]
        block = _strip_block(name, img, count, orientation)
        if name == "FrameLeft.bmp":
            sheet.newline()
        if name in BESIDE_SIDES:
            column.append(block)
        else:
            sheet.add(block)
    column += [_caption(title, f"{img.w} x {img.h} at 1x", img) for title, img in mockups]
    sheet.add(_stack(column))
    sheet.newline()
    for title, detail, img, scale in pictures:
        sheet.add(_caption(title, detail, _enlarged(img, scale)))
    return sheet.render()

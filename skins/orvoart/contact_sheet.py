"""The contact sheet of a skin (docs/skin-<name>.png): every image cut into its frames, at each
scale it is drawn at, enlarged without smoothing, magenta shown as a checkerboard, labelled."""

from PIL import Image, ImageDraw, ImageFont

from . import files
from .colour import MAGENTA, channels
from .scale import SKIN_SCALES, Scale
from .strips import frames

# Labels come from a font file of a Debian package (fonts-dejavu-core), named by path.
FONT_FILE = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
ZOOM = 2
BACKGROUND = (154, 154, 154)
INK = (22, 22, 22)
SUBTLE = (60, 60, 60)
CHECKER = ((216, 216, 216), (244, 244, 244))
GAP = 6
MARGIN = 24
WIDTH = 1880


def _font(size):
    return ImageFont.truetype(FONT_FILE, size)


def enlarged(image, zoom=ZOOM):
    """image zoom times larger, pixel for pixel, its magenta shown as a checkerboard."""
    big = image.resize((image.width * zoom, image.height * zoom), Image.Resampling.NEAREST)
    board = Image.new("RGB", big.size, CHECKER[0])
    draw = ImageDraw.Draw(board)
    for y in range(0, big.height, 6):
        for x in range((y // 6) % 2 * 6, big.width, 12):
            draw.rectangle((x, y, x + 5, y + 5), fill=CHECKER[1])
    key = Image.new("RGB", big.size, channels(MAGENTA))
    mask = Image.eval(_difference(big, key), lambda v: 255 if v == 0 else 0)
    big.paste(board, (0, 0), mask)
    return big


def _difference(a, b):
    from PIL import ImageChops
    r, g, bb = ImageChops.difference(a, b).split()
    return ImageChops.lighter(ImageChops.lighter(r, g), bb)


def _label(lines, font, colours):
    w = max(int(font.getlength(t)) for t in lines) + 2
    h = len(lines) * (font.size + 4)
    img = Image.new("RGB", (w, h), BACKGROUND)
    draw = ImageDraw.Draw(img)
    for i, (text, colour) in enumerate(zip(lines, colours)):
        draw.text((0, i * (font.size + 4)), text, fill=colour, font=font)
    return img


def _row(images, gap=GAP):
    out = Image.new("RGB", (sum(i.width for i in images) + gap * (len(images) - 1), max(i.height for i in images)),
                    BACKGROUND)
    x = 0
    for i in images:
        out.paste(i, (x, 0))
        x += i.width + gap
    return out


def _column(images, gap=GAP):
    out = Image.new("RGB", (max(i.width for i in images), sum(i.height for i in images) + gap * (len(images) - 1)),
                    BACKGROUND)
    y = 0
    for i in images:
        out.paste(i, (0, y))
        y += i.height + gap
    return out


def image_block(name, entry, by_scale, font, small):
    """One image: its name and 100 % size, then a row of frames per scale."""
    w, h, count, orientation = entry
    title = _label([name, f"{w} x {h}" + (f", {count} frames" if count > 1 else "")], font, (INK, SUBTLE))
    rows = [title]
    for percent, image in by_scale.items():
        cut = frames(image, count, orientation == "v")
        frames_img = _column([enlarged(f) for f in cut]) if orientation == "v" else _row([enlarged(f) for f in cut])
        tag = _label([f"{percent} %"], small, (SUBTLE,))
        rows.append(_row([tag, frames_img]))
    return _column(rows, gap=4)


class _Flow:
    """Places blocks left to right in rows, like words in a paragraph."""

    def __init__(self, width):
        self.width, self.blocks = width, []
        self.x = self.y = MARGIN
        self.row_h = 0

    def add(self, block):
        if self.x > MARGIN and self.x + block.width > self.width - MARGIN:
            self.newline()
        self.blocks.append((self.x, self.y, block))
        self.x += block.width + MARGIN
        self.row_h = max(self.row_h, block.height)

    def newline(self):
        self.x, self.y, self.row_h = MARGIN, self.y + self.row_h + MARGIN, 0

    def render(self):
        self.newline()
        out = Image.new("RGB", (self.width, self.y), BACKGROUND)
        for x, y, b in self.blocks:
            out.paste(b, (x, y))
        return out


def sheet(art, scales=SKIN_SCALES):
    font, small = _font(13), _font(11)
    rendered = {p: files.render(art, Scale(p)) for p in scales}
    flow = _Flow(WIDTH)
    title = _label([f"{art.NAME}: every image at {', '.join(f'{p} %' for p in scales)}",
                    "magenta, the transparent key, shown as a checkerboard; enlarged " f"{ZOOM} times"],
                   _font(16), (INK, SUBTLE))
    flow.add(title)
    flow.newline()
    for name, entry in art.LAYOUT.items():
        flow.add(image_block(name, entry, {p: rendered[p][name] for p in scales}, font, small))
    return flow.render()


def write(art, path):
    sheet(art).save(path, optimize=True)

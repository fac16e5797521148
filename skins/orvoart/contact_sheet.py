"""The contact sheet of a skin (docs/skin-<name>.png): every image cut into its frames, at each
scale it is drawn at, enlarged without smoothing (the frame's large pieces at their size), magenta
shown as a checkerboard, labelled."""

from PIL import Image, ImageChops, ImageDraw, ImageFont

from . import files
from .colour import MAGENTA, channels, luminance
from .scale import SKIN_SCALES, Scale
from .strips import frames

# Labels come from a font file of a Debian package (fonts-dejavu-core), named by path.
FONT_FILE = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
ZOOM = 2
GAP = 6
MARGIN = 24
WIDTH = 1880
LIGHT = dict(background=(154, 154, 154), ink=(22, 22, 22), subtle=(60, 60, 60),
             checker=((216, 216, 216), (244, 244, 244)))
# A dark skin is judged on a dark sheet: its soft edges were drawn for dark surroundings.
DARK = dict(background=(58, 60, 64), ink=(232, 234, 237), subtle=(170, 174, 180),
            checker=((20, 21, 23), (34, 36, 39)))


def _font(size):
    return ImageFont.truetype(FONT_FILE, size)


def _is_key(image):
    """A mask of the pixels that are exactly the key."""
    r, g, b = ImageChops.difference(image, Image.new("RGB", image.size, channels(MAGENTA))).split()
    return ImageChops.lighter(ImageChops.lighter(r, g), b).point(lambda v: 255 if v == 0 else 0)


class Sheet:
    def __init__(self, look):
        self.background, self.ink, self.subtle = look["background"], look["ink"], look["subtle"]
        self.checker = look["checker"]
        self.font, self.small = _font(13), _font(11)

    def enlarged(self, image, zoom):
        """image zoom times larger, pixel for pixel, its magenta shown as a checkerboard."""
        big = image.resize((image.width * zoom, image.height * zoom), Image.Resampling.NEAREST)
        board = Image.new("RGB", big.size, self.checker[0])
        draw = ImageDraw.Draw(board)
        for y in range(0, big.height, 6):
            for x in range((y // 6) % 2 * 6, big.width, 12):
                draw.rectangle((x, y, x + 5, y + 5), fill=self.checker[1])
        big.paste(board, (0, 0), _is_key(big))
        return big

    def label(self, lines, font, colours):
        w = max(int(font.getlength(t)) for t in lines) + 2
        img = Image.new("RGB", (w, len(lines) * (font.size + 4)), self.background)
        draw = ImageDraw.Draw(img)
        for i, (text, colour) in enumerate(zip(lines, colours)):
            draw.text((0, i * (font.size + 4)), text, fill=colour, font=font)
        return img

    def row(self, images, gap=GAP):
        out = Image.new("RGB", (sum(i.width for i in images) + gap * (len(images) - 1),
                                max(i.height for i in images)), self.background)
        x = 0
        for i in images:
            out.paste(i, (x, 0))
            x += i.width + gap
        return out

    def column(self, images, gap=GAP):
        out = Image.new("RGB", (max(i.width for i in images),
                                sum(i.height for i in images) + gap * (len(images) - 1)), self.background)
        y = 0
        for i in images:
            out.paste(i, (0, y))
            y += i.height + gap
        return out

    def image_block(self, name, entry, by_scale):
        """One image: its name and 100 % size, then its frames at each scale: in rows, or side by
        side for tall images."""
        w, h, count, orientation = entry
        fw, fh = (w, h // count) if orientation == "v" else (w // count, h)
        zoom = ZOOM if max(fw, fh) <= 100 else 1
        detail = f"{w} x {h}" + (f", {count} frames" if count > 1 else "") + ("" if zoom == ZOOM else ", not enlarged")
        tall = h > 2 * w
        scales = []
        for percent, image in by_scale.items():
            cut = [self.enlarged(f, zoom) for f in frames(image, count, orientation == "v")]
            tag = self.label([f"{percent} %"], self.small, (self.subtle,))
            body = self.column(cut) if orientation == "v" else self.row(cut)
            scales.append(self.column([tag, body], gap=2) if tall else self.row([tag, body]))
        title = self.label([name, detail], self.font, (self.ink, self.subtle))
        return self.column([title, self.row(scales, gap=3 * GAP) if tall else self.column(scales, gap=4)], gap=4)

    def render(self, blocks):
        """Blocks placed left to right in rows, like words in a paragraph."""
        placed, x, y, row_h = [], MARGIN, MARGIN, 0
        for block in blocks:
            if block is None or (x > MARGIN and x + block.width > WIDTH - MARGIN):
                x, y, row_h = MARGIN, y + row_h + MARGIN, 0
            if block is None:
                continue
            placed.append((x, y, block))
            x += block.width + MARGIN
            row_h = max(row_h, block.height)
        out = Image.new("RGB", (WIDTH, y + row_h + MARGIN), self.background)
        for bx, by, b in placed:
            out.paste(b, (bx, by))
        return out


def sheet(art, scales=SKIN_SCALES):
    s = Sheet(DARK if luminance(art.palette.FACE) < 0.2 else LIGHT)
    rendered = {p: files.render(art, Scale(p)) for p in scales}
    title = s.label([f"{art.NAME}: every image at {', '.join(f'{p} %' for p in scales)}",
                     f"magenta, the transparent key, shown as a checkerboard; enlarged {ZOOM} times"],
                    _font(16), (s.ink, s.subtle))
    blocks = [title, None]  # None: a new row
    blocks += [s.image_block(name, entry, {p: rendered[p][name] for p in scales}) for name, entry in art.LAYOUT.items()]
    return s.render(blocks)


def write(art, path):
    sheet(art).save(path, optimize=True)

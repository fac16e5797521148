"""Frames of a skin image: equal frames side by side (most images) or stacked (the top and bottom
borders, the menu bar, the caption's text background), numbered from 1 as the engine numbers them."""

from PIL import Image


def hstrip(frames):
    """Frames of equal size side by side."""
    out = Image.new("RGB", (sum(f.width for f in frames), frames[0].height))
    x = 0
    for f in frames:
        out.paste(f, (x, 0))
        x += f.width
    return out


def vstrip(frames):
    """Frames of equal size stacked."""
    out = Image.new("RGB", (frames[0].width, sum(f.height for f in frames)))
    y = 0
    for f in frames:
        out.paste(f, (0, y))
        y += f.height
    return out


def frame_box(size, count, index, stacked):
    """(left, top, right, bottom) of frame index (from 1) of an image of size holding count frames,
    cut as the engine cuts it (whole division; spare columns or rows at the end are never used)."""
    w, h = size
    if stacked:
        fh = h // count
        return 0, (index - 1) * fh, w, index * fh
    fw = w // count
    return (index - 1) * fw, 0, index * fw, h


def frames(image, count, stacked=False):
    return [image.crop(frame_box(image.size, count, i, stacked)) for i in range(1, count + 1)]


def transposed(image):
    """Turned about its main diagonal: a horizontal piece becomes the vertical one."""
    return image.transpose(Image.Transpose.TRANSPOSE)


def flipped_v(image):
    """Mirrored top to bottom."""
    return image.transpose(Image.Transpose.FLIP_TOP_BOTTOM)

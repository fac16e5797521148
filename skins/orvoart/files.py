"""Writing a rendered skin: its bitmaps at every scale and its INI, into one folder the packer reads.

What a skin's art module gives (each skin's `<name>_art/skin.py`):

    NAME, INI_NAME  the skin's name and its INI's file name
    LAYOUT          file name -> (width, height, frame count, "h" side by side or "v" stacked) at
                    100 %, in the order the archive holds them (the INI names them in that order)
    KEYED           the images the engine draws with magenta as the transparent colour
    FLAT            file name -> [("cols" | "rows", fixed before, fixed after)]: per frame, the part
                    between those 96-DPI margins is stretched or repeated by the engine, so flat
    images(k)       file name -> RGB image, drawn at the Scale k
    ini_text()      the INI, CR LF line ends (the same at every scale)
    joins(images, k) problems with how the skin's pieces meet (the checks call it)
"""

import io
import os

from .scale import SKIN_SCALES, Scale


def scaled_size(entry, k):
    """The size of an image at scale k: every frame's sides scaled by the rule (a strip's spare
    columns or rows, which no frame uses, scaled as one piece after the frames)."""
    w, h, count, orientation = entry
    if orientation == "v":
        fh = h // count
        return k(w), count * k(fh) + k(h - count * fh)
    fw = w // count
    return count * k(fw) + k(w - count * fw), k(h)


def bmp_bytes(image):
    """32 bits per pixel, BI_RGB, bottom-up, the fourth byte of every pixel 0."""
    rgba = image.convert("RGB").convert("RGBA")
    rgba.putalpha(0)
    out = io.BytesIO()
    rgba.save(out, "BMP")
    return out.getvalue()


def write(path, data):
    os.makedirs(os.path.dirname(path) or ".", exist_ok=True)
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


def render(art, k):
    """The skin's images at scale k, each checked for its size."""
    images = art.images(k)
    if list(images) != list(art.LAYOUT):
        raise ValueError(f"{art.NAME}: images {list(images)} do not follow the layout")
    for name, image in images.items():
        want = scaled_size(art.LAYOUT[name], k)
        if image.size != want:
            raise ValueError(f"{art.NAME} at {k.percent} %: {name} is {image.size}, want {want}")
    return images


def write_skin(art, folder, scales=SKIN_SCALES):
    """Renders the skin at every scale into folder: Name.bmp at 100 %, Name@150.bmp and so on
    beside it, and the INI. Files of other names already there are left alone."""
    for percent in scales:
        k = Scale(percent)
        for name, image in render(art, k).items():
            write(os.path.join(folder, k.file_name(name)), bmp_bytes(image))
    write(os.path.join(folder, art.INI_NAME), art.ini_text().encode("ascii"))

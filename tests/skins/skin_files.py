"""A rendered skin's files as the engine reads them: its INI (names without regard to case, first
section and key win, colour texts) and its images at a scale, cut into frames."""
import os

from PIL import Image

from _path import registry, rendered
from orvoart.colour import rgb
from orvoart.strips import frame_box

BLACK, WHITE = 0x000000, 0xFFFFFF
# The platform's colours where a skin leaves a key out (the standard scheme).
PLATFORM = {"windowtext": BLACK, "buttontext": BLACK, "menutext": BLACK, "hilighttext": WHITE,
            "window": WHITE, "menu": WHITE, "buttonface": 0xF0F0F0, "hilight": 0x0078D7}


class Ini:
    """Sections and keys as the engine reads them: names without regard to case, the first
    section and the first key of a name win, an empty value counts as absent."""

    def __init__(self, text):
        self.sections = {}
        current = None
        for line in text.splitlines():
            line = line.strip()
            if not line or line.startswith(";"):
                continue
            if line.startswith("[") and line.endswith("]"):
                name = line[1:-1].strip().lower()
                current = self.sections.setdefault(name, {}) if name not in self.sections else None
            elif current is not None and "=" in line:
                key, value = line.split("=", 1)
                current.setdefault(key.strip().lower(), value.strip())

    def get(self, section, key):
        value = self.sections.get(section.lower(), {}).get(key.lower(), "")
        return value or None

    def number(self, section, key, default=0):
        value = self.get(section, key)
        try:
            return int(value) if value is not None else default
        except ValueError:
            return default

    def colour(self, section, key, default):
        """A colour text, "R G B", as the engine parses it."""
        value = self.get(section, key)
        if value is None:
            return default
        runs, digits = [], ""
        for ch in value + " ":
            if ch.isdigit():
                digits += ch
            elif digits:
                runs.append(int(digits) % 256)
                digits = ""
        r, g, b = (runs + [0, 0, 0])[:3]
        return rgb(r, g, b)


class Skin:
    def __init__(self, name):
        self.folder = rendered(name)
        self.art = registry.load(name)
        with open(os.path.join(self.folder, self.art.INI_NAME), "rb") as f:
            self.ini = Ini(f.read().decode("ascii"))

    def colour(self, key):
        return self.ini.colour("Colours", key, PLATFORM.get(key.lower(), BLACK))

    def file(self, name, k):
        """The image file name at scale k."""
        return Image.open(os.path.join(self.folder, k.file_name(name))).convert("RGB")

    def image(self, section, key, k):
        name = self.ini.get(section, key)
        if name is None:
            return None
        return Image.open(os.path.join(self.folder, k.file_name(name))).convert("RGB")

    def face(self, section, key, k, count, index, stacked=False, margins=None):
        """The pixels of frame index of an element's image between its margins (read from the
        section, or given as (left, top, right, bottom) at 96 DPI), as colours."""
        image = self.image(section, key, k)
        if image is None:
            return None
        x0, y0, x1, y1 = frame_box(image.size, count, index, stacked)
        if margins is None:
            margins = [self.ini.number(section, m) for m in ("LeftWidth", "TopHeight", "RightWidth", "BottomHeight")]
        l, t, r, b = (k(m) for m in margins)
        box = (x0 + l, y0 + t, x1 - r, y1 - b)
        if box[0] >= box[2] or box[1] >= box[3]:  # margins larger than the frame: its middle
            cx, cy = (x0 + x1) // 2, (y0 + y1) // 2
            box = (cx, cy, cx + 1, cy + 1)
        return {rgb(*c) for _, c in image.crop(box).getcolors(1 << 20)}

"""The one rule that turns a length designed at 96 DPI into whole pixels at another scale (the
program's core/scale/dpi_scale.h, to the pixel), and the scales every skin is drawn at.

Art is drawn at each scale from its vector description: the lengths the engine knows (frame
sizes, margins, positions) go through the rule, so each scaled image has its margins exactly where
the engine puts them; the rest (radii, line widths, glyphs) is drawn to suit the scale."""

import math

DESIGN_DPI = 96
# The scales each skin is drawn at, in percent, and the scales a store may carry besides 100.
SKIN_SCALES = (100, 150, 200)
STORE_SCALES = (125, 150, 175, 200, 250, 300)


def dpi_of_percent(percent):
    return (percent * DESIGN_DPI + 50) // 100


def scale_length(value, dpi):
    """value * dpi / 96 rounded to the nearest whole pixel, halves away from zero."""
    if dpi <= 0 or dpi == DESIGN_DPI:
        return value
    product = value * dpi
    half = DESIGN_DPI // 2
    return (product + half) // DESIGN_DPI if product >= 0 else -((half - product) // DESIGN_DPI)


class Scale:
    """A drawing scale: k(v) is the length v at this scale by the rule; k.f the plain factor."""

    def __init__(self, percent):
        self.percent = percent
        self.dpi = dpi_of_percent(percent)
        self.f = self.dpi / DESIGN_DPI

    def __call__(self, value):
        return scale_length(value, self.dpi)

    def line(self, width=1):
        """A line width in whole pixels: hairlines stay one pixel until the scale doubles them."""
        return max(1, math.floor(width * self.f + 0.25))

    @property
    def suffix(self):
        """What the image of this scale adds to its stem: "" at 100 %, "@150" at 150 %."""
        return "" if self.percent == 100 else f"@{self.percent}"

    def file_name(self, name):
        stem, dot, ext = name.rpartition(".")
        return f"{stem}{self.suffix}{dot}{ext}"

    def __repr__(self):
        return f"Scale({self.percent})"


UNIT = Scale(100)

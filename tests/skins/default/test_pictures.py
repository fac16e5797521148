"""The emblem at every icon size, the labels' font, and the frame as the engine assembles it."""
import unittest

import _path  # noqa: F401
from orvoart import font
from orvoart.emblem import PAGE_TOP, emblem
from orvoart.raster import MAGENTA
from slate_art import skin
from slate_art.mockup import SlateMockup


class EmblemTest(unittest.TestCase):
    def test_each_size_shows_a_page_cut_in_three(self):
        for s in (16, 24, 32, 48, 256):
            img = emblem(s)
            self.assertEqual((img.get_alpha(0, 0), img.get_alpha(s // 2, s // 2)), (0, 255), s)
            # Down the page's last column (clear of text lines), page rows form three runs.
            x = round(s * 0.72) - 1
            runs, inside = 0, False
            for y in range(s):
                page = img.get(x, y) >> 16 >= 0xC0 and img.get_alpha(x, y) == 255
                runs += page and not inside
                inside = page
            self.assertEqual(runs, 3, f"size {s}")

    def test_page_edges_are_crisp(self):
        # Only the badge rim may be partly transparent; everything inside is opaque.
        for s in (16, 32, 256):
            img = emblem(s)
            rim = max(2, s // 10)
            inner = [img.get_alpha(x, y) for y in range(rim, s - rim) for x in range(rim, s - rim)]
            self.assertEqual(set(inner), {255}, s)
        self.assertIn(PAGE_TOP, emblem(32).px)


class FontTest(unittest.TestCase):
    def test_every_label_character_has_a_glyph(self):
        labels = "".join(skin.LAYOUT) + "0123456789 x,:-()'\\." + "Orvo - Big File Splitter Browse..."
        missing = {ch for ch in labels if ch not in font._GLYPHS}
        self.assertEqual(missing, set())

    def test_width_matches_drawing(self):
        from orvoart.raster import Image
        img = Image(200, 10)
        end = font.draw_text(img, 3, 0, "Split now!", 1)
        self.assertEqual(end - 3 - 1, font.text_width("Split now!"))


class AssembledFrameTest(unittest.TestCase):
    def test_transparent_only_at_the_rounded_corners(self):
        # Cut and stretched as the engine does, at small, usual and large window sizes.
        m = SlateMockup(skin.bitmaps(), emblem(16))
        for cw, ch in ((60, 20), (546, 359), (1200, 800)):
            for active in (True, False):
                win = m.window(cw, ch, "", active, menu=())
                holes = {(x, y) for y in range(win.h) for x in range(win.w) if win.get(x, y) == MAGENTA}
                for x, y in holes:
                    near_top = y < 7 and (x < 7 or x >= win.w - 7)
                    near_bottom = y >= win.h - 2 and (x < 2 or x >= win.w - 2)
                    self.assertTrue(near_top or near_bottom, f"hole at {x},{y} in {cw}x{ch}")
                self.assertEqual(len(holes), len({(win.w - 1 - x, y) for x, y in holes} & holes))


if __name__ == "__main__":
    unittest.main()

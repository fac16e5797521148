"""The program's own pictures as the program loads them: the menu glyph strip for an image list
whose transparent colour is white, the track channels, the icon at every size, the About picture
on the dialog's face colour."""
import io
import os
import unittest

from PIL import Image

from _path import pictures_folder, registry
from orvoart import pictures
from orvoart.colour import channels, rgb


def load(name):
    return Image.open(os.path.join(pictures_folder(), name))


class PicturesTest(unittest.TestCase):
    def test_menu_glyphs_keep_to_their_cells_without_a_pale_fringe(self):
        strip = load("menu_glyphs.bmp")
        self.assertEqual((strip.size, strip.mode), ((64, 16), "RGB"))
        allowed = {channels(c) for c in (0xFFFFFF, pictures.MENU_INK, pictures.MENU_HALO)}
        for i in range(4):
            cell = strip.crop((16 * i, 0, 16 * i + 16, 16))
            colours = {c for _, c in cell.getcolors(256)}
            # A soft edge against the white key would stay visible on a dark selection.
            self.assertLessEqual(colours, allowed, f"glyph {i}")
            self.assertIn(channels(pictures.MENU_INK), colours, f"glyph {i}")
            border = [cell.getpixel((x, y)) for x in range(16) for y in range(16) if x in (0, 15) or y in (0, 15)]
            self.assertEqual(set(border), {(255, 255, 255)}, f"glyph {i}")

    def test_track_channels(self):
        self.assertEqual((load("track.bmp").size, load("trackvert.bmp").size), ((40, 4), (4, 40)))
        self.assertEqual(load("track.bmp").mode, "RGB")

    def test_icon_has_every_size_with_soft_transparent_corners(self):
        icon = load("orvo.ico")
        self.assertEqual(sorted(icon.info["sizes"]), [(s, s) for s in pictures.ICON_SIZES])
        for s in pictures.ICON_SIZES:
            icon.size = (s, s)
            icon.load()
            image = icon.convert("RGBA")
            self.assertLess(image.getpixel((0, 0))[3], 16, s)
            self.assertEqual(image.getpixel((s // 2, s // 2))[3], 255, s)
            corner = {a for _, (_, _, _, a) in image.crop((0, 0, s // 4, s // 4)).getcolors(1 << 16)}
            self.assertTrue(corner & set(range(1, 255)), f"{s}: the badge's corner is not smoothed")

    def test_about_picture_lets_the_dialogs_face_show_around_the_emblem(self):
        data = open(os.path.join(pictures_folder(), "about.gif"), "rb").read()
        self.assertTrue(data.startswith(b"GIF8"))
        gif = Image.open(os.path.join(pictures_folder(), "about.gif"))
        self.assertEqual(gif.size, (110, 110))
        clear = gif.info["transparency"]
        self.assertEqual(gif.getpixel((0, 0)), clear)
        hidden = gif.crop((0, 110 - pictures.ABOUT_HIDDEN_ROWS, 110, 110))
        self.assertEqual({c for _, c in hidden.getcolors(256)}, {clear})
        self.assertNotEqual(gif.getpixel((55, 50)), clear, "the emblem itself is shown")
        # Nothing shown is a blend with one ground: no pixel of the shown ones is near the face.
        face = channels(registry.load("default").palette.FACE)
        rgb = gif.convert("RGB")
        shown = [rgb.getpixel((x, y)) for y in range(110) for x in range(110) if gif.getpixel((x, y)) != clear]
        self.assertFalse([c for c in shown if max(abs(a - b) for a, b in zip(c, face)) < 12])
        self.assertGreater(len(set(shown)), 32, "the emblem lost its shading")

    def test_gif_keeps_the_given_colour_exactly_among_many(self):
        ramp = Image.new("RGB", (300, 2))
        for x in range(300):
            ramp.putpixel((x, 0), (x % 256, (x * 7) % 256, (x * 13) % 256))
            ramp.putpixel((x, 1), (227, 224, 214))  # next to the kept colour: must not take its place
        ramp.putpixel((5, 1), (227, 224, 213))
        image = Image.open(io.BytesIO(pictures.gif_bytes(ramp, rgb(227, 224, 213)))).convert("RGB")
        self.assertEqual(image.getpixel((5, 1)), (227, 224, 213))
        self.assertEqual(sum(1 for x in range(300) if image.getpixel((x, 1)) == (227, 224, 213)), 1)


if __name__ == "__main__":
    unittest.main()

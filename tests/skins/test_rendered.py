"""Every rendered skin keeps, at every scale, what the engine and the packer rely on; and the
checker finds the faults that would break the engine or the look."""
import os
import shutil
import struct
import unittest

from PIL import Image

from _path import registry, rendered, scratch
from orvoart import files
from orvoart.checks import check_folder


class RenderedSkinsTest(unittest.TestCase):
    def test_every_skin_passes_the_checks_at_every_scale(self):
        for name in registry.SKINS:
            self.assertEqual(check_folder(registry.load(name), rendered(name)), [], name)


class CheckerTest(unittest.TestCase):
    def setUp(self):
        self.art = registry.load("default")
        self.folder = os.path.join(scratch(), "default")
        shutil.copytree(rendered("default"), self.folder)

    def edit(self, name, change):
        path = os.path.join(self.folder, name)
        image = Image.open(path).convert("RGB")
        image = change(image) or image
        with open(path, "wb") as f:
            f.write(files.bmp_bytes(image))

    def assertFound(self, text):
        found = check_folder(self.art, self.folder)
        self.assertTrue(any(text in p for p in found), f"{text!r} not in {found}")

    def test_colour_faults(self):
        self.edit("CheckBox@200.bmp", lambda im: im.putpixel((12, 12), (250, 6, 247)))
        self.assertFound("CheckBox@200.bmp: near-magenta")
        self.edit("Buttons@150.bmp", lambda im: im.putpixel((40, 10), (255, 0, 255)))
        self.assertFound("Buttons@150.bmp: magenta in an image drawn opaque")

    def test_seams_and_joins_at_a_scale(self):
        self.edit("FrameLeft@150.bmp", lambda im: im.putpixel((2, 150), (1, 2, 3)))
        self.assertFound("FrameLeft@150.bmp: frame 1 rows 44-366 differ")

        def darker_caption_row(im):
            for x in range(im.width):
                im.putpixel((x, 30), (9, 9, 9))
        self.edit("FrameTop@200.bmp", darker_caption_row)
        self.assertFound("200 %, frame 1: caption row 30 differs")

    def test_size_and_format_faults(self):
        self.edit("Tab@150.bmp", lambda im: im.crop((0, 0, im.width - 1, im.height)))
        self.assertFound("Tab@150.bmp: 134 x 27, want 135 x 27")
        with open(os.path.join(self.folder, "Header@200.bmp"), "wb") as f:
            image = Image.open(os.path.join(self.folder, "Header.bmp")).convert("RGB")
            image.resize((144, 36)).save(f, "BMP")
        self.assertFound("Header@200.bmp: 24 bits per pixel")
        path = os.path.join(self.folder, "Progress.bmp")
        with open(path, "rb") as f:
            data = bytearray(f.read())
        struct.pack_into("<i", data, 22, -19)
        with open(path, "wb") as f:
            f.write(data)
        self.assertFound("Progress.bmp: stored top-down")
        os.remove(os.path.join(self.folder, "MinButton@200.bmp"))
        self.assertFound("MinButton@200.bmp missing")

    def test_ini_faults(self):
        path = os.path.join(self.folder, "default.ini")
        with open(path, "rb") as f:
            text = f.read()
        with open(path, "wb") as f:
            f.write(text.replace(b"Image=Tab.bmp\r\nBorder=TabBorder.bmp", b"Image=TabBorder.bmp\r\nBorder=Tab.bmp"))
        self.assertFound("first named in the order")
        with open(path, "wb") as f:
            f.write(text.replace(b"\r\n", b"\n"))
        self.assertFound("line ends other than CR LF")


if __name__ == "__main__":
    unittest.main()

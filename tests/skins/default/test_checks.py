"""The tree checker must catch the faults that would break the engine or the look."""
import os
import shutil
import struct
import tempfile
import unittest

from _path import ROOT, SKIN_DIR
from orvoart.checks import check_tree, resource_problems
from orvoart.codecs import bmp_bytes, gif_bytes, read_bmp
from orvoart.raster import MAGENTA
from slate_art import palette, skin


class CheckTreeTest(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.mkdtemp()
        self.skin = os.path.join(self.tmp, "skin")
        self.res = os.path.join(self.tmp, "resources")
        os.makedirs(self.skin)
        for name in os.listdir(SKIN_DIR):
            if name.endswith((".bmp", ".ini")):
                shutil.copy(os.path.join(SKIN_DIR, name), self.skin)
        shutil.copytree(os.path.join(ROOT, "resources"), self.res)

    def tearDown(self):
        shutil.rmtree(self.tmp)

    def problems(self):
        return check_tree(skin, self.skin) + resource_problems(self.res, palette.FACE)

    def edit_bmp(self, name, change, bpp=32):
        path = os.path.join(self.skin, name)
        with open(path, "rb") as f:
            img, _ = read_bmp(f.read())
        change(img)
        with open(path, "wb") as f:
            f.write(bmp_bytes(img, bpp))

    def assertFound(self, text):
        found = self.problems()
        self.assertTrue(any(text in p for p in found), f"{text!r} not in {found}")

    def test_committed_tree_is_clean(self):
        self.assertEqual(self.problems(), [])

    def test_colour_faults(self):
        self.edit_bmp("Buttons.bmp", lambda img: img.set(40, 10, 0xFA05F8))
        self.assertFound("Buttons.bmp: near-magenta")
        self.edit_bmp("Buttons.bmp", lambda img: img.set(40, 10, MAGENTA))
        self.assertFound("Buttons.bmp: magenta in an image drawn opaque")
        self.edit_bmp("CheckBox.bmp", lambda img: img.set(6, 6, 0xFF01FF))
        self.assertFound("CheckBox.bmp: near-magenta")

    def test_format_faults(self):
        self.edit_bmp("Tab.bmp", lambda img: None, bpp=24)
        self.assertFound("Tab.bmp: 24 bits per pixel")
        path = os.path.join(self.skin, "Header.bmp")
        with open(path, "rb") as f:
            img, _ = read_bmp(f.read())
        with open(path, "wb") as f:
            f.write(bmp_bytes(img.crop(0, 0, 70, 18)))
        self.assertFound("Header.bmp: 70 x 18, want 72 x 18")

    def test_stored_layout_faults(self):
        path = os.path.join(self.skin, "Progress.bmp")
        with open(path, "rb") as f:
            data = bytearray(f.read())
        data[54 + 3] = 7
        with open(path, "wb") as f:
            f.write(data)
        self.assertFound("Progress.bmp: fourth pixel byte")
        struct.pack_into("<i", data, 22, -19)
        data[54 + 3] = 0
        with open(path, "wb") as f:
            f.write(data)
        self.assertFound("Progress.bmp: stored top-down")

    def test_seams_and_joins(self):
        self.edit_bmp("FrameLeft.bmp", lambda img: img.set(1, 100, 0x123456))
        self.assertFound("FrameLeft.bmp: frame 1 rows 29-244 differ")

        def darker_caption_row(img):
            for x in range(img.w):
                img.set(x, 12, 0x101010)
        self.edit_bmp("FrameTop.bmp", darker_caption_row)
        self.assertFound("frame 1: caption row 12 differs")

    def test_ini_faults(self):
        path = os.path.join(self.skin, "default.ini")
        with open(path, "rb") as f:
            text = f.read()
        with open(path, "wb") as f:
            f.write(text.replace(b"\r\n", b"\n"))
        self.assertFound("line ends other than CR LF")
        swapped = text.replace(b"Image=Tab.bmp\r\nBorder=TabBorder.bmp", b"Image=TabBorder.bmp\r\nBorder=Tab.bmp")
        with open(path, "wb") as f:
            f.write(swapped)
        self.assertFound("first named in the order")
        with open(path, "wb") as f:
            f.write(text.replace(b"Version=150", b"Version=100"))
        self.assertFound("Version=150 missing")
        shutil.copy(path, os.path.join(self.skin, "extra.ini"))
        self.assertFound("want exactly one INI")

    def test_resource_faults(self):
        with open(os.path.join(self.res, "about.gif"), "wb") as f:
            f.write(gif_bytes(110, 110, [0xE3E0D5, 0], [0] * (110 * 109) + [1] * 110))
        self.assertFound("hidden bottom rows")
        os.remove(os.path.join(self.res, "orvo.ico"))
        self.assertFound("resources/orvo.ico missing")


if __name__ == "__main__":
    unittest.main()

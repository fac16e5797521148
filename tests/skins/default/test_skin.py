"""The shipped skin as the engine will read it: INI values, state frames, transparency, contrast,
and the committed files being exactly what the generator draws."""
import os
import unittest

from _path import ROOT, SKIN_DIR
from orvoart import ini, pictures
from orvoart.codecs import bmp_bytes
from orvoart.raster import MAGENTA, contrast
from orvoart.slicing import frame_origin
from slate_art import palette, skin


def frames(name, img):
    _, _, count, orientation = skin.LAYOUT[name]
    return [img.crop(*frame_origin(img, count, i, orientation == "v")) for i in range(1, count + 1)]


class IniTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with open(os.path.join(SKIN_DIR, skin.INI_NAME), "rb") as f:
            cls.ini = ini.parse(f.read().decode("ascii"))

    def test_element_sections(self):
        want = {
            "Buttons": dict(Bitmap="Buttons.bmp", TopHeight="9", BottomHeight="9", LeftWidth="8",
                            Rightwidth="8", Trans="0", CheckButton="Checkbox.bmp",
                            RadioButton="RadioButton.bmp"),
            "Progress": dict(Bitmap="Progress.bmp", Chunk="ProgressChunk.bmp", TopHeight="3",
                             BottomHeight="3", LeftWidth="4", Rightwidth="4", Trans="0", Tile="1", Style="1"),
            "Tabs": dict(Image="Tab.bmp", Border="TabBorder.bmp", TopHeight="6", BottomHeight="6",
                         LeftWidth="6", Rightwidth="6", Trans="0", Tile="0"),
            "ComboButton": dict(Image="ComboboxBtn.bmp", Trans="0", Style="1"),
            "StatusBarEdges": dict(Image="StatusBar.bmp", TopHeight="5", BottomHeight="9", LeftWidth="50",
                                   Rightwidth="17", Tile="1"),
            "Headerbar": dict(Image="Header.bmp", TopHeight="3", BottomHeight="4", LeftWidth="8",
                              Rightwidth="8", Tile="1", Trans="1"),
            "Scrollbar": dict(Image="ScrollbarArrow.bmp"),
            "HorzScrollThumb": dict(Image="ScrollbarHThumb.bmp", TopHeight="5", BottomHeight="5",
                                    LeftWidth="5", Rightwidth="5"),
            "VertScrollThumb": dict(Image="ScrollbarVThumb.bmp", TopHeight="5", BottomHeight="5",
                                    LeftWidth="5", Rightwidth="5"),
            "HorzScroll": dict(Image="ScrollbarHBar.bmp", TopHeight="1", BottomHeight="1", LeftWidth="0",
                               Rightwidth="0", Tile="0"),
            "VertScroll": dict(Image="ScrollbarVBar.bmp", TopHeight="0", BottomHeight="0", LeftWidth="1",
                               Rightwidth="1", Tile="0"),
            "MenuBackground": dict(Image="MenuBackground.bmp", TopHeight="1", BottomHeight="1",
                                   LeftWidth="1", Rightwidth="1"),
        }
        for section, keys in want.items():
            self.assertEqual(self.ini[section], keys, section)

    def test_caption_buttons(self):
        images = ["CloseButton.bmp", "MaxButton.bmp", "MinButton.bmp", "RestroreButton.bmp", None]
        rows = zip(images, "11110", ["25", "49", "73", "49", "8"], "55557", "01213", "02810")
        for i, (image, align, x, y, action, vis) in enumerate(rows):
            sec = self.ini[f"Button{i}"]
            self.assertEqual(sec.get("ButtonImage"), image)
            self.assertEqual((sec["Align"], sec["XCoord"], sec["YCoord"], sec["Action"], sec["Visibility"]),
                             (align, x, y, action, vis))
            self.assertEqual(sec.get("Visibility1"), "6" if i == 1 else None)

    def test_frame_and_colours(self):
        p = self.ini["Personality"]
        for side in ("Left", "Right", "Top", "Bottom"):
            self.assertEqual(p[side], f"Frame{side}.bmp")
            self.assertEqual((p[side + "Frame"], p[side + "Stretch"], p[side + "Trans"]), ("2", "1", "1"))
        self.assertEqual([p[k] for k in ("LeftTopHeight", "RightTopHeight", "LeftBotHeight", "RightBotHeight",
                                         "TopTopHeight", "BottomTopHeight", "TopBotHeight", "BottomBotHeight",
                                         "TextShift", "TextShiftVert", "TextRightClip")],
                         ["29", "29", "5", "5", "32", "32", "39", "39", "16", "2", "20"])
        self.assertEqual(self.ini["Colours"], {
            "ButtonFace": "227 224 213", "TitleTextActive": "255 255 255", "TitleTextNoActive": "215 227 244",
            "ButtonHilight": "255 255 255", "ButtonShadow": "162 156 146", "ButtonDkShadow": "103 101 90",
            "Buttonlight": "234 232 225", "Menubar": "227 224 213", "Menu": "255 255 255", "MenuText": "0 0 0",
            "MenuBarText": "0 0 0", "Hilight": "37 61 95", "HilightText": "255 255 255"})
        self.assertEqual(self.ini["Skins"], {"Version": "150"})
        self.assertTrue(self.ini["TitlebarSkin"]["SkinName"] and self.ini["TitlebarSkin"]["SkinAuthor"])


class ArtTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.bitmaps = skin.bitmaps()

    def test_committed_files_are_what_the_generator_draws(self):
        for name, img in self.bitmaps.items():
            with open(os.path.join(SKIN_DIR, name), "rb") as f:
                self.assertEqual(f.read(), bmp_bytes(img, 32), f"{name} is stale: run generate.py")
        with open(os.path.join(SKIN_DIR, skin.INI_NAME), "rb") as f:
            self.assertEqual(f.read(), skin.ini_text().encode("ascii"))
        for name, data in pictures.encode(pictures.render(palette), palette).items():
            with open(os.path.join(ROOT, "resources", name), "rb") as f:
                self.assertEqual(f.read(), data, f"resources/{name} is stale: run generate.py")

    def test_every_state_the_engine_selects_looks_different(self):
        selected = {"Buttons.bmp": range(5), "CheckBox.bmp": range(4), "RadioButton.bmp": range(4),
                    "ComboboxBtn.bmp": range(4), "StatusBar.bmp": range(3), "Tab.bmp": range(2),
                    "Header.bmp": range(2), "ScrollbarHThumb.bmp": range(3), "ScrollbarVThumb.bmp": range(3),
                    "ScrollbarHBar.bmp": (0, 2), "ScrollbarVBar.bmp": (0, 2),
                    "ScrollbarArrow.bmp": (0, 1, 3, 4, 5, 7, 8, 9, 11, 12, 13, 15, 16, 17, 18, 19, 20, 21),
                    "FrameLeft.bmp": range(2), "FrameTop.bmp": range(2), "FrameBottom.bmp": range(2)}
        for name in ("CloseButton.bmp", "MaxButton.bmp", "MinButton.bmp", "RestroreButton.bmp"):
            selected[name] = range(4)
        for name, indices in selected.items():
            fs = frames(name, self.bitmaps[name])
            seen = [fs[i].px for i in indices]
            self.assertEqual(len(seen), len({tuple(p) for p in seen}), f"{name}: two states look alike")

    def test_transparency_stays_in_the_fixed_corners(self):
        # Magenta in a stretched part would cut stripes out of the window region.
        for name, (fixed_start, fixed_end, along_rows) in {
                "FrameLeft.bmp": (29, 245, True), "FrameRight.bmp": (29, 245, True),
                "FrameTop.bmp": (32, 253, False)}.items():
            img = self.bitmaps[name]
            for y in range(img.h):
                for x in range(img.w):
                    pos = y if along_rows else x
                    if img.get(x, y) == MAGENTA:
                        self.assertFalse(fixed_start <= pos < fixed_end, f"{name} at {x},{y}")
        self.assertNotIn(MAGENTA, self.bitmaps["FrameBottom.bmp"].px)
        for name in ("CloseButton.bmp", "MaxButton.bmp", "MinButton.bmp", "RestroreButton.bmp"):
            for f in frames(name, self.bitmaps[name]):
                ring = [f.get(i, 0) for i in range(21)] + [f.get(0, i) for i in range(21)]
                self.assertEqual(set(ring), {MAGENTA}, f"{name}: buttons would touch")
                self.assertNotIn(MAGENTA, [f.get(x, y) for x in range(3, 18) for y in range(3, 18)])

    def test_caption_text_is_readable(self):
        top = self.bitmaps["FrameTop.bmp"]
        for frame, text, need in ((0, 0xFFFFFF, 4.5), (1, 0xD7E3F4, 3.0)):
            for y in range(7, 23):
                c = top.get(150, 29 * frame + y)
                self.assertGreaterEqual(contrast(c, text), need, f"frame {frame + 1} row {y}")

    def test_menu_glyphs_stay_in_their_cells(self):
        strip = pictures.menu_glyphs()
        for i in range(4):
            cell = strip.crop(16 * i, 0, 16, 16)
            border = [cell.get(x, y) for x in range(16) for y in range(16) if x in (0, 15) or y in (0, 15)]
            self.assertEqual(set(border), {0xFFFFFF}, f"glyph {i}")
            self.assertIn(pictures.MENU_INK, cell.px)


if __name__ == "__main__":
    unittest.main()

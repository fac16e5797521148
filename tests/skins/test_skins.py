"""What each skin's art must do for the engine, at every scale: every state the engine shows looks
different, the window region is cut only in the pieces' fixed corners, the menu separator lies in
the rows the menu painter copies, and caption buttons never touch."""
import unittest

from _path import registry
from orvoart.colour import MAGENTA, channels
from orvoart.scale import SKIN_SCALES, Scale
from orvoart.strips import frames
from skin_files import Skin

KEY = channels(MAGENTA)
CAPTION_BUTTONS = ("CloseButton.bmp", "MaxButton.bmp", "MinButton.bmp")
# Frames (from 0) the engine shows for different states, which must therefore differ.
ARROWS = (0, 1, 3, 4, 5, 7, 8, 9, 11, 12, 13, 15)
COMMON = {"Buttons.bmp": range(5), "ComboboxBtn.bmp": range(4), "StatusBar.bmp": range(3), "Tab.bmp": range(2),
          "Header.bmp": range(2), "ScrollbarHThumb.bmp": range(3), "ScrollbarVThumb.bmp": range(3),
          "ScrollbarHBar.bmp": (0, 2), "ScrollbarVBar.bmp": (0, 2), "FrameLeft.bmp": range(2),
          "FrameTop.bmp": range(2), "FrameBottom.bmp": range(2)}
SHOWN = {
    "default": dict(COMMON, **{"CheckBox.bmp": range(4), "RadioButton.bmp": range(4),
                               "ScrollbarArrow.bmp": ARROWS + tuple(range(16, 22)),
                               "RestroreButton.bmp": range(4)}),
    "jade": dict(COMMON, **{"CheckBox.bmp": (0, 3, 4, 7, 8, 11), "RadioButton.bmp": (0, 3, 4, 7),
                            "SunkEdge.bmp": range(4), "ExtraImages.bmp": (0, 1, 2, 4), "Progress.bmp": range(2),
                            "MenuItem.bmp": (0, 1, 3), "MenuBar.bmp": range(2), "TitleBack.bmp": range(2),
                            "GroupBoxEdge.bmp": range(2), "UpDownHorz.bmp": range(8), "UpDownVert.bmp": range(8),
                            "ScrollbarArrow.bmp": ARROWS + tuple(range(16, 22)), "RestoreButton.bmp": range(4),
                            "HelpButton.bmp": range(4), "TrackThumbHorz.bmp": (1, 3), "TrackThumbUp.bmp": (1, 3)}),
    # Night's menu bar is the same on an inactive window, and its flat thumbs have no grips.
    "night": dict(COMMON, **{"CheckBox.bmp": (0, 3, 4, 7, 8, 11), "RadioButton.bmp": (0, 3, 4, 7),
                             "SunkEdge.bmp": range(4), "ExtraImages.bmp": (0, 1, 2, 4), "Progress.bmp": range(2),
                             "MenuItem.bmp": (0, 1, 3), "TitleBack.bmp": range(2), "GroupBoxEdge.bmp": range(2),
                             "UpDownHorz.bmp": range(8), "UpDownVert.bmp": range(8), "ScrollbarArrow.bmp": ARROWS,
                             "RestoreButton.bmp": range(4), "HelpButton.bmp": range(4),
                             "TrackThumbHorz.bmp": (1, 3), "TrackThumbUp.bmp": (1, 3)}),
}


def each_scale():
    for name in registry.SKINS:
        skin = Skin(name)
        for percent in SKIN_SCALES:
            yield name, skin, Scale(percent)


def cut(skin, name, k):
    w, h, count, orientation = skin.art.LAYOUT[name]
    return frames(skin.file(name, k), count, orientation == "v")


class StatesTest(unittest.TestCase):
    def test_every_state_the_engine_shows_looks_different(self):
        for name, skin, k in each_scale():
            for image, indices in SHOWN[name].items():
                fs = cut(skin, image, k)
                seen = [fs[i].tobytes() for i in indices]
                self.assertEqual(len(seen), len(set(seen)), f"{name} at {k.percent} %: {image}: two states alike")
            mdi = cut(skin, "MDIControls.bmp", k)
            for button in range(3):  # normal, pressed and hot of minimise, restore and close
                self.assertEqual(len({mdi[4 * button + i].tobytes() for i in (0, 1, 3)}), 3,
                                 f"{name} at {k.percent} %: MDI button {button + 1}")


class ShapeTest(unittest.TestCase):
    def test_the_region_is_cut_only_in_the_fixed_corners(self):
        # Magenta in a part the engine stretches would cut stripes out of the window region.
        for name, skin, k in each_scale():
            n = lambda key: skin.ini.number("Personality", key)
            for image, before, after, along_rows in (
                    ("FrameLeft.bmp", n("LeftTopHeight"), n("LeftBotHeight"), True),
                    ("FrameRight.bmp", n("RightTopHeight"), n("RightBotHeight"), True),
                    ("FrameTop.bmp", n("TopTopHeight"), n("TopBotHeight"), False),
                    ("FrameBottom.bmp", n("BottomTopHeight"), n("BottomBotHeight"), False)):
                for f in cut(skin, image, k):
                    length = f.height if along_rows else f.width
                    middle = (0, k(before), f.width, length - k(after)) if along_rows else \
                        (k(before), 0, length - k(after), f.height)
                    self.assertNotIn(KEY, [c for _, c in f.crop(middle).getcolors(1 << 20)],
                                     f"{name} at {k.percent} %: {image}")

    def test_caption_buttons_never_touch(self):
        # Placed 24 pixels apart at 100 % (Slate and Jade), a button keeps a transparent rim.
        for name, skin, k in each_scale():
            if name == "night":
                continue  # two pixels apart by its XCoords
            for image in CAPTION_BUTTONS:
                for f in cut(skin, image, k):
                    rim = [f.getpixel((i, 0)) for i in range(f.width)] + [f.getpixel((0, i)) for i in range(f.height)]
                    self.assertEqual(set(rim), {KEY}, f"{name} at {k.percent} %: {image}")

    def test_menu_separator_lies_in_the_rows_the_painter_copies(self):
        # The painter copies the lowest rows of frame 2, as many as a separator item is high (8
        # for a native one); the item frame itself shows only the menu's background.
        for name, skin, k in each_scale():
            if "MenuItem.bmp" not in skin.art.LAYOUT:
                continue
            empty, separator = cut(skin, "MenuItem.bmp", k)[:2]
            self.assertEqual({c for _, c in empty.getcolors(1 << 20)}, {KEY}, name)
            rows = [y for y in range(separator.height)
                    if any(separator.getpixel((x, y)) != KEY for x in range(separator.width))]
            bottom = skin.ini.number("MenuItem", "BottomHeight")
            self.assertTrue(rows and min(rows) >= separator.height - k(min(8, bottom)), f"{name}: {rows}")


if __name__ == "__main__":
    unittest.main()

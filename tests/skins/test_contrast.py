"""Every text colour a skin defines reads on every background the engine draws it on: a contrast
ratio of at least 4.5 : 1 (WCAG 2, level AA), checked pixel by pixel from the skin's own files (the
rendered INI and its images at every scale), as the engine picks colours and frames.

Texts of disabled controls are left out, as WCAG leaves them out: the engine draws them in the
platform's or the skin's shadow colour on purpose."""
import unittest

from _path import registry
from orvoart.colour import contrast, rgb
from orvoart.scale import SKIN_SCALES, Scale
from skin_files import BLACK, Ini, Skin

NEED = 4.5


class TextSkin(Skin):
    def pairs(self, k):
        """(where, text colour, background colours) for every text the engine draws."""
        c = self.colour
        out = [
            ("controls on the form", c("ButtonText"), {c("ButtonFace")}),
            ("menu items", c("MenuText"), {c("Menu")}),
            ("selection", c("HilightText"), {c("Hilight")}),
            ("menu bar", c("MenuBarText"), {self.ini.colour("Colours", "Menubar", c("ButtonFace"))}),
        ]
        if self.ini.get("Colours", "Window"):
            out.append(("edits and lists", c("WindowText"), {c("Window")}))
        out += self._caption(k) + self._buttons(k) + self._elements(k)
        return [(where, text, back) for where, text, back in out if back]

    def _caption(self, k):
        """The caption text on its chip (a text background) or on the caption itself, in the
        middle half of the caption's rows."""
        out = []
        top = self.image("Personality", "Top", k)
        frames = self.ini.number("Personality", "TopFrame", 1)
        height = top.height // frames
        band = (height // 4, height - height // 4)
        back = self.image("Personality", "TextBack", k) if self.ini.number("Personality", "Textbackground") else None
        for index, key in ((1, "TitleTextActive"), (2, "TitleTextNoActive")):
            source = back if back is not None else top
            x = source.width // 2
            y0 = (index - 1) * (source.height // 2 if back is not None else height)
            colours = {rgb(*source.getpixel((x, y0 + y))) for y in range(*band)}
            out.append((f"caption text (frame {index})", self.colour(key), colours))
        return out

    def _buttons(self, k):
        """Push buttons in each state with a text the engine colours from the skin; the focused or
        default face also with the platform's black, which bit and speed buttons with a glyph
        keep there."""
        base = self.colour("ButtonText")
        given = lambda key: self.ini.colour("Buttons", key, base) if self.ini.get("Buttons", key) else base
        out = []
        for index, key in ((1, "NormalColour2"), (2, "PressedColour2"), (4, "MouseOverColour2"), (5, "NormalColour2")):
            out.append((f"push button frame {index}", given(key), self.face("Buttons", "Bitmap", k, 5, index)))
        out.append(("bit button focused, platform text", BLACK, self.face("Buttons", "Bitmap", k, 5, 5)))
        return out

    def _elements(self, k):
        c = self.colour
        out = []
        tab_normal = self.ini.colour("Tabs", "NormalColour2", c("ButtonText"))
        tab_selected = self.ini.colour("Tabs", "MouseOverColour2", c("ButtonText"))
        out.append(("tab", tab_normal, self.face("Tabs", "Image", k, 5, 1)))
        out.append(("selected tab", tab_selected, self.face("Tabs", "Image", k, 5, 2)))
        status = self.ini.colour("StatusBarEdges", "NormalColour2", c("ButtonText"))
        for index in (1, 2, 3):
            out.append((f"status bar panel {index}", status, self.face("StatusBarEdges", "Image", k, 3, index)))
        header_frames = self.ini.number("Headerbar", "Frame") or 5
        for index in (1, 2):
            out.append((f"header item {index}", c("WindowText"),
                        self.face("Headerbar", "Image", k, header_frames, index)))
        out.append(("menu background", c("MenuText"), self.face("MenuBackground", "Image", k, 1, 1)))
        out.append(("selected menu item", c("HilightText"), self.face("MenuItem", "Image", k, 5, 4)))
        for index in (1, 2):
            out.append((f"menu bar (frame {index})", c("MenuBarText"),
                        self.face("Personality", "menuBar", k, 2, index, stacked=True,
                                  margins=(self.ini.number("Personality", "TileLeftMenu", 1), 0,
                                           self.ini.number("Personality", "TileRightMenu", 1), 0))))
        return out


class ContrastTest(unittest.TestCase):
    def test_every_text_reads_on_its_backgrounds(self):
        for name in registry.SKINS:
            skin = TextSkin(name)
            for percent in SKIN_SCALES:
                for where, text, backs in skin.pairs(Scale(percent)):
                    worst = min(backs, key=lambda b: contrast(text, b))
                    self.assertGreaterEqual(contrast(text, worst), NEED,
                                            f"{name} at {percent} %, {where}: {text:06X} on {worst:06X}")


class ReaderTest(unittest.TestCase):
    def test_colours_are_read_as_the_engine_reads_them(self):
        ini = Ini("[Colours]\r\nButtonFace=227 224 213\r\nmenu=255,0\r\nHilight=\r\n[colours]\r\nMenuText=9 9 9\r\n")
        self.assertEqual(ini.colour("colours", "BUTTONFACE", 0), 0xE3E0D5)
        self.assertEqual(ini.colour("Colours", "Menu", 0), 0xFF0000)  # a trailing 0 is not taken
        self.assertEqual(ini.colour("Colours", "Hilight", 7), 7)  # empty: the default
        self.assertEqual(ini.colour("Colours", "MenuText", 7), 7)  # a repeated section is invisible


if __name__ == "__main__":
    unittest.main()

"""The Jade skin as the engine will read and cut it: the committed files, the frame counts the loader
will derive, the caption buttons, the shaped frame, the states the engine selects, and legibility."""
import os
import unittest

from _path import SKIN_DIR
from jade_art import elements, frame, palette as P, skin
from jade_art.mockup import JadeMockup
from orvoart import ini
from orvoart.checks import check_tree
from orvoart.codecs import bmp_bytes
from orvoart.emblem import emblem
from orvoart.raster import MAGENTA, contrast, luminance
from orvoart.slicing import frame_origin


BITMAPS = skin.bitmaps()
INI = ini.parse(skin.ini_text())


def frames(name):
    _, _, count, orientation = skin.LAYOUT[name]
    img = BITMAPS[name]
    return [img.crop(*frame_origin(img, count, i, orientation == "v")) for i in range(1, count + 1)]


class FilesTest(unittest.TestCase):
    def test_committed_files_are_what_the_generator_draws_and_pass_the_checks(self):
        for name, img in BITMAPS.items():
            with open(os.path.join(SKIN_DIR, name), "rb") as f:
                self.assertEqual(f.read(), bmp_bytes(img, 32), f"{name} is stale: run generate.py")
        with open(os.path.join(SKIN_DIR, skin.INI_NAME), "rb") as f:
            self.assertEqual(f.read(), skin.ini_text().encode("ascii"))
        self.assertEqual(check_tree(skin, SKIN_DIR), [])


class LoaderTest(unittest.TestCase):
    """The frame counts and positions the skin component will compute from these files."""

    def image_of(self, section, key="Image"):
        name = INI[section][key]
        self.assertIn(name, skin.LAYOUT, f"[{section}] {key}")
        return name

    def test_frame_counts_the_loader_sets_match_the_drawn_frames(self):
        fixed = {"MenuItem": 5, "ExtraImages": 5, "GroupBoxEdge": 2, "GroupBox": 1, "Tab.Pane": 1,
                 "Tabs": 5, "StatusBarEdges": 3, "ComboButton": 4, "SunkEdge": 4, "HorzScroll": 4,
                 "VertScroll": 4, "UpDown.Horz": 8, "UpDown.Vert": 8, "Scrollbar": 23,
                 "MenuBackground": 1, "Headerbar": 5, "HorzScrollThumb": 3, "VertScrollThumb": 3,
                 "Track": 1, "TRACKVERT": 1, "Progress.Chunk": 1}
        fixed.update({f"Trackbar.Thumb{s}": 5 for s in ("Horz", "Vert", "Left", "Right", "Up", "Down")})
        for section, count in fixed.items():
            name = self.image_of(section)
            w, h, drawn, _ = skin.LAYOUT[name]
            self.assertEqual((drawn, w % count), (count, 0), section)
        self.assertEqual(skin.LAYOUT[self.image_of("UpDown.Vert", "GlyphImage")][2], 8)
        self.assertEqual(skin.LAYOUT[self.image_of("UpDown.Horz", "GlyphImage")][2], 8)
        # Progress: two frames with Style 0; the buttons' glyph strips by their frame keys.
        self.assertEqual((INI["Progress"]["Style"], skin.LAYOUT[self.image_of("Progress", "Bitmap")][2]),
                         ("0", 2))
        buttons = INI["Buttons"]
        for key, count_key in (("CheckButton", "CheckButtonFrame"), ("RadioButton", "RadioButtonFrame")):
            w, h, drawn, _ = skin.LAYOUT[buttons[key]]
            self.assertEqual((drawn, w // int(buttons[count_key]), w % drawn), (int(buttons[count_key]), h, 0))
        # MDI strip: twelve frames, the loader cuts it into three buttons of four.
        w, h, drawn, _ = skin.LAYOUT[self.image_of("MDICONTROLS")]
        self.assertEqual((drawn, w % 12), (12, 0))
        # The stacked pieces of [Personality]: two frames each.
        p = INI["Personality"]
        for key in ("Left", "Right", "Top", "Bottom", "menuBar", "TextBack"):
            self.assertEqual(skin.LAYOUT[p[key]][2], 2, key)

    def test_caption_buttons(self):
        sections = [INI[f"Button{i}"] for i in range(6)]
        self.assertNotIn("Button6", INI)
        by_action = {}
        for s in sections:
            w, h, count, _ = skin.LAYOUT[s["ButtonImage"]]
            if "frame" in s:
                self.assertEqual(int(s["frame"]), count)
            else:  # the loader's rule: 3 frames up to a ratio of 3.8, else 6
                self.assertEqual(3 if w / h <= 3.8 else 6, count, s["ButtonImage"])
            by_action.setdefault(int(s["Action"]), []).append(s)
        self.assertEqual(sorted(by_action), [0, 1, 2, 3, 4])
        maximise = [s for s in by_action[1] if s["Visibility"] == "2"][0]
        help_button = by_action[4][0]
        self.assertLess(sections.index(maximise), sections.index(help_button),
                        "the help button takes the maximise button's place only after it")
        self.assertEqual((help_button["Visibility"], help_button["XCoord"]), ("10", maximise["XCoord"]))
        icon = by_action[3][0]
        self.assertIn(icon["Align"], ("2", "8"), "the system-menu button sits left of the caption text")
        self.assertIn("frame", icon, "without a frame key the loader drops the icon button's image")
        self.assertEqual(skin.LAYOUT[icon["ButtonImage"]][:2], (16, 16))
        # Right-hand buttons in a row with gaps, inside the caption, clear of the caption text.
        right = sorted(int(s["XCoord"]) for s in sections if s["Align"] == "1")
        self.assertEqual(right, [27, 51, 51, 51, 75])
        self.assertLess(max(right), skin.TEXT_RIGHT_CLIP)
        for s in sections:
            w, h, count, _ = skin.LAYOUT[s["ButtonImage"]]
            self.assertLessEqual(int(s["YCoord"]) + h, frame.CAPTION)

    def test_geometry_differs_from_the_default_skin(self):
        self.assertNotEqual((frame.BORDER, frame.CAPTION, frame.BOTTOM), (4, 29, 5))
        self.assertEqual(BITMAPS["FrameTop.bmp"].h // 2, frame.CAPTION)
        self.assertEqual(BITMAPS["TitleBack.bmp"].h // 2, frame.CAPTION, "the plaque spans the caption")


class ShapeTest(unittest.TestCase):
    def test_region_is_cut_only_at_the_four_rounded_corners(self):
        m = JadeMockup(BITMAPS, emblem(16))
        r_top, r_bottom = frame.TOP_RADIUS, frame.BOTTOM_RADIUS
        for cw, ch in ((40, 10), (546, 359), (1200, 800)):
            for active in (True, False):
                win = m.window(cw, ch, "", active, menu=(), buttons=())
                holes = {(x, y) for y in range(win.h) for x in range(win.w) if win.get(x, y) == MAGENTA}
                for x, y in holes:
                    near_top = y < r_top and (x < r_top or x >= win.w - r_top)
                    near_bottom = y >= win.h - r_bottom and (x < r_bottom or x >= win.w - r_bottom)
                    self.assertTrue(near_top or near_bottom, f"hole at {x},{y} in {cw}x{ch}")
                for corner in ((0, 0), (win.w - 1, 0), (0, win.h - 1), (win.w - 1, win.h - 1)):
                    self.assertIn(corner, holes)
                self.assertEqual(holes, {(win.w - 1 - x, y) for x, y in holes}, "asymmetric corners")

    def test_round_pieces_blend_into_the_caption_rows_they_sit_on(self):
        # A rim pixel lies between the caption colour under it and the piece's own colours: no
        # pixel of the rim may be lighter than both (a halo) on the dark active caption.
        for name in ("CloseButton.bmp", "MaxButton.bmp", "HelpButton.bmp"):
            f = frames(name)[0]
            for y in range(f.h):
                row = [x for x in range(f.w) if f.get(x, y) != MAGENTA]
                if not row:
                    continue
                under = frame.GEOMETRY.caption_colour(frame.ACTIVE, frame.BUTTON_Y + y)
                edge = f.get(row[0], y)
                self.assertLessEqual(luminance(edge), max(luminance(under), luminance(P.CAPBTN_SHINE)) + 1e-9,
                                     f"{name} row {y}")

    def test_plaque_and_buttons_stay_within_their_frames(self):
        for f in frames("TitleBack.bmp"):
            for y in list(range(frame.PLAQUE_TOP)) + list(range(frame.PLAQUE_BOTTOM, frame.CAPTION)):
                self.assertEqual({f.get(x, y) for x in range(f.w)}, {MAGENTA}, f"plaque row {y}")
        for name in ("CloseButton.bmp", "MaxButton.bmp", "MinButton.bmp", "RestoreButton.bmp",
                     "HelpButton.bmp"):
            for f in frames(name):
                ring = [f.get(i, 0) for i in range(f.w)] + [f.get(0, i) for i in range(f.h)]
                self.assertEqual(set(ring), {MAGENTA}, f"{name}: neighbouring buttons would touch")


class StatesTest(unittest.TestCase):
    def test_every_frame_the_engine_selects_looks_different(self):
        selected = {"Buttons.bmp": range(5), "CheckBox.bmp": (0, 3, 4, 7, 8, 11),
                    "RadioButton.bmp": (0, 3, 4, 7), "ComboboxBtn.bmp": range(4),
                    "SunkEdge.bmp": range(4), "ExtraImages.bmp": (0, 1, 2, 4),
                    "StatusBar.bmp": range(3), "Tab.bmp": range(2), "Header.bmp": range(2),
                    "Progress.bmp": range(2), "MenuItem.bmp": (0, 1, 3), "MenuBar.bmp": range(2),
                    "TitleBack.bmp": range(2), "GroupBoxEdge.bmp": range(2),
                    "UpDownHorz.bmp": range(8), "UpDownVert.bmp": range(8),
                    "FrameLeft.bmp": range(2), "FrameTop.bmp": range(2), "FrameBottom.bmp": range(2)}
        for name in ("CloseButton.bmp", "MaxButton.bmp", "MinButton.bmp", "RestoreButton.bmp",
                     "HelpButton.bmp"):
            selected[name] = range(4)
        for name, indices in selected.items():
            seen = [frames(name)[i].px for i in indices]
            self.assertEqual(len(seen), len({tuple(p) for p in seen}), f"{name}: two states look alike")
        mdi = frames("MDIControls.bmp")
        for button in range(3):  # normal, pressed and hot of minimise, restore and close
            seen = {tuple(mdi[4 * button + i].px) for i in (0, 1, 3)}
            self.assertEqual(len(seen), 3, f"MDI button {button + 1}")

    def test_separator_lies_in_the_rows_the_menu_painter_copies(self):
        # The painter copies the lowest rows of frame 2, as many as the separator item is high
        # (8 for a native separator); the fixed bottom margin keeps them unstretched.
        sep = frames("MenuItem.bmp")[1]
        lines = [y for y in range(sep.h) if any(sep.get(x, y) != MAGENTA for x in range(sep.w))]
        self.assertTrue(lines)
        self.assertGreaterEqual(min(lines), sep.h - 8)
        self.assertGreaterEqual(min(lines), sep.h - elements.ITEM_BOTTOM)
        self.assertEqual(set(frames("MenuItem.bmp")[0].px), {MAGENTA}, "items show the menu background")

    def test_the_everyday_track_thumb_is_frame_two(self):
        # The engine draws frame 2 in every state, so it must be the plain, enabled thumb.
        for side in ("Horz", "Vert", "Up", "Down", "Left", "Right"):
            fs = frames(f"TrackThumb{side}.bmp")
            self.assertNotEqual(fs[1].px, fs[3].px, side)
            self.assertIn(P.HILIGHT_WHITE, fs[1].px, side)
            self.assertNotIn(P.BTN_OFF_BODY, fs[1].px, side)


class LegibilityTest(unittest.TestCase):
    def test_text_colours_on_their_backgrounds(self):
        def colour(key):
            r, g, b = (int(v) for v in INI["Colours"][key].split())
            return (r << 16) | (g << 8) | b

        plaque = frames("TitleBack.bmp")
        mid = (frame.PLAQUE_TOP + frame.PLAQUE_BOTTOM) // 2
        checks = [
            (colour("TitleTextActive"), plaque[0].get(20, mid), 7.0, "active caption text"),
            (colour("TitleTextNoActive"), plaque[1].get(20, mid), 3.0, "inactive caption text"),
            (colour("MenuBarText"), frames("MenuBar.bmp")[0].get(20, 10), 7.0, "menu bar"),
            (colour("MenuText"), colour("Menu"), 7.0, "menu items"),
            (colour("HilightText"), frames("MenuItem.bmp")[3].get(12, 10), 4.5, "selected item"),
            (colour("HilightText"), colour("Hilight"), 4.5, "selection"),
            (colour("ButtonText"), frames("Buttons.bmp")[0].get(9, 10), 7.0, "push button"),
            (colour("ButtonText"), colour("ButtonFace"), 7.0, "dialog face"),
        ]
        for text, back, need, where in checks:
            self.assertGreaterEqual(contrast(text, back), need, where)


if __name__ == "__main__":
    unittest.main()

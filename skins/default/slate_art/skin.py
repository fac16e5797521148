"""The default skin "Orvo Slate" as a whole: its 25 bitmaps in archive order, their layouts, the
rules its art is checked by, and its INI text."""

from orvoart import controls, ini, scrollbar
from orvoart.raster import MAGENTA

from . import frame, palette

SKIN_NAME = "Orvo Slate"
SKIN_AUTHOR = "Orvo"
INI_NAME = "default.ini"

# File name -> (width, height, frame count, frames laid "h"orizontally or "v"ertically), in the
# order the archive must hold them (the packer follows the INI's first mentions).
LAYOUT = {
    "Buttons.bmp": (90, 21, 5, "h"),
    "CheckBox.bmp": (52, 13, 4, "h"),
    "RadioButton.bmp": (52, 13, 4, "h"),
    "Progress.bmp": (9, 19, 1, "h"),
    "ProgressChunk.bmp": (10, 12, 1, "h"),
    "Tab.bmp": (90, 18, 5, "h"),
    "TabBorder.bmp": (48, 48, 1, "h"),
    "ComboboxBtn.bmp": (60, 16, 4, "h"),
    "StatusBar.bmp": (204, 15, 3, "h"),
    "Header.bmp": (72, 18, 5, "h"),
    "ScrollbarArrow.bmp": (391, 17, 23, "h"),
    "ScrollbarHThumb.bmp": (66, 15, 3, "h"),
    "ScrollbarVThumb.bmp": (45, 22, 3, "h"),
    "ScrollbarHBar.bmp": (136, 17, 4, "h"),
    "ScrollbarVBar.bmp": (68, 34, 4, "h"),
    "MenuBackground.bmp": (20, 20, 1, "h"),
    "CloseButton.bmp": (126, 21, 6, "h"),
    "MaxButton.bmp": (126, 21, 6, "h"),
    "MinButton.bmp": (126, 21, 6, "h"),
    "RestroreButton.bmp": (126, 21, 6, "h"),
    "FrameLeft.bmp": (8, 250, 2, "h"),
    "FrameRight.bmp": (8, 250, 2, "h"),
    "FrameTop.bmp": (292, 58, 2, "v"),
    "FrameBottom.bmp": (292, 10, 2, "v"),
    "MDIControls.bmp": (192, 14, 12, "h"),
}

# Images that are drawn with magenta as the transparent colour and may therefore hold it.
KEYED = {"CheckBox.bmp", "RadioButton.bmp", "Progress.bmp", "ScrollbarArrow.bmp", "ComboboxBtn.bmp",
         "CloseButton.bmp", "MaxButton.bmp", "MinButton.bmp", "RestroreButton.bmp",
         "FrameLeft.bmp", "FrameRight.bmp", "FrameTop.bmp", "FrameBottom.bmp", "MDIControls.bmp"}


# Stretched middles that must not show seams: name -> (kind, first, last) per frame, where kind
# "cols" means columns first..last are identical and "rows" rows first..last.
FLAT_MIDDLES = {
    "Buttons.bmp": [("cols", 8, 9), ("rows", 9, 11)],
    "Progress.bmp": [("rows", 3, 15)],
    "ScrollbarHBar.bmp": [("cols", 0, 33)],
    "ScrollbarVBar.bmp": [("rows", 0, 33)],
    "ScrollbarHThumb.bmp": [("cols", 5, 16)],
    "ScrollbarVThumb.bmp": [("rows", 5, 16)],
    "Header.bmp": [("cols", 1, 12)],
    "FrameLeft.bmp": [("rows", 29, 244)],
    "FrameRight.bmp": [("rows", 29, 244)],
    "FrameTop.bmp": [("cols", 32, 252)],
    "FrameBottom.bmp": [("cols", 32, 252)],
}


def frame_joins(bitmaps):
    """The caption bar continues from the left and right pieces into the top piece."""
    out = []
    left, top, right = bitmaps["FrameLeft.bmp"], bitmaps["FrameTop.bmp"], bitmaps["FrameRight.bmp"]
    for f in (0, 1):
        for y in range(8, 27):
            t = top.get(100, 29 * f + y)
            if left.get(4 * f + 3, y) != t or right.get(4 * f, y) != t:
                out.append(f"frame {f + 1}: caption row {y} differs between the pieces")
                break
        if left.get(4 * f, 0) != MAGENTA or right.get(4 * f + 3, 0) != MAGENTA:
            out.append(f"frame {f + 1}: top corners are not rounded off")
    return out


def bitmaps():
    """Every skin bitmap by file name, in archive order."""
    drawn = {
        "Buttons.bmp": controls.push_buttons(palette),
        "CheckBox.bmp": controls.check_boxes(palette),
        "RadioButton.bmp": controls.radio_buttons(palette),
        "Progress.bmp": controls.progress_trough(palette),
        "ProgressChunk.bmp": controls.progress_chunk(palette),
        "Tab.bmp": controls.tabs(palette),
        "TabBorder.bmp": controls.tab_border(palette),
        "ComboboxBtn.bmp": controls.combo_button(palette),
        "StatusBar.bmp": controls.status_bar(palette),
        "Header.bmp": controls.header(palette),
        "ScrollbarArrow.bmp": scrollbar.arrow_strip(palette),
        "ScrollbarHThumb.bmp": scrollbar.horizontal_thumb(palette),
        "ScrollbarVThumb.bmp": scrollbar.vertical_thumb(palette),
        "ScrollbarHBar.bmp": scrollbar.horizontal_track(palette),
        "ScrollbarVBar.bmp": scrollbar.vertical_track(palette),
        "MenuBackground.bmp": controls.menu_background(palette),
    }
    drawn.update(frame.caption_buttons())
    drawn.update(frame.frame_pieces())
    drawn["MDIControls.bmp"] = frame.mdi_controls()
    return {name: drawn[name] for name in LAYOUT}


def _caption_button_sections():
    images = ["CloseButton.bmp", "MaxButton.bmp", "MinButton.bmp", "RestroreButton.bmp", None]
    align, xs, ys = [1, 1, 1, 1, 0], [25, 49, 73, 49, 8], [5, 5, 5, 5, 7]
    actions, visibility = [0, 1, 2, 1, 3], [0, 2, 8, 1, 0]
    lines = []
    for i in range(5):
        pairs = [("ButtonImage", images[i])] if images[i] else []
        pairs += [("Align", align[i]), ("XCoord", xs[i]), ("YCoord", ys[i]), ("Action", actions[i]),
                  ("Visibility", visibility[i])]
        if i == 1:
            pairs.append(("Visibility1", 6))
        lines += ini.section(f"Button{i}", pairs)
    return lines


def _personality():
    pairs = [("Left", "FrameLeft.bmp"), ("Right", "FrameRight.bmp"), ("Top", "FrameTop.bmp"),
             ("Bottom", "FrameBottom.bmp")]
    for side in ("Left", "Right", "Top", "Bottom"):
        pairs += [(f"{side}Frame", 2), (f"{side}Stretch", 1), (f"{side}Trans", 1)]
    # Left/right: fixed rows at the top (caption) and bottom; top/bottom: fixed columns.
    pairs += [("LeftTopHeight", 29), ("LeftBotHeight", 5), ("RightTopHeight", 29),
              ("RightBotHeight", 5), ("TopTopHeight", 32), ("TopBotHeight", 39),
              ("BottomTopHeight", 32), ("BottomBotHeight", 39)]
    pairs += [("TextShift", 16), ("TextShiftVert", 2), ("TextRightClip", 20)]
    return ini.section("Personality", pairs)


def ini_text():
    """The INI, CR LF line ends. Sections are ordered so that every bitmap is first named in
    archive order."""
    lines = []
    lines += ini.section("TitlebarSkin", [("SkinName", SKIN_NAME), ("SkinAuthor", SKIN_AUTHOR)])
    lines += ini.section("Skins", [("Version", 150)])
    lines += ini.section("Buttons", [("Bitmap", "Buttons.bmp")] + ini.margins(9, 9, 8, 8) + [
        ("Trans", 0), ("CheckButton", "Checkbox.bmp"), ("RadioButton", "RadioButton.bmp")])
    lines += ini.section("Progress", [("Bitmap", "Progress.bmp"), ("Chunk", "ProgressChunk.bmp")] +
                      ini.margins(3, 3, 4, 4) + [("Trans", 0), ("Tile", 1), ("Style", 1)])
    lines += ini.section("Tabs", [("Image", "Tab.bmp"), ("Border", "TabBorder.bmp")] +
                      ini.margins(6, 6, 6, 6) + [("Trans", 0), ("Tile", 0)])
    lines += ini.section("ComboButton", [("Image", "ComboboxBtn.bmp"), ("Trans", 0), ("Style", 1)])
    lines += ini.section("StatusBarEdges", [("Image", "StatusBar.bmp")] + ini.margins(5, 9, 50, 17) +
                      [("Tile", 1)])
    lines += ini.section("Headerbar", [("Image", "Header.bmp")] + ini.margins(3, 4, 8, 8) +
                      [("Tile", 1), ("Trans", 1)])
    lines += ini.section("Scrollbar", [("Image", "ScrollbarArrow.bmp")])
    lines += ini.section("HorzScrollThumb", [("Image", "ScrollbarHThumb.bmp")] + ini.margins(5, 5, 5, 5))
    lines += ini.section("VertScrollThumb", [("Image", "ScrollbarVThumb.bmp")] + ini.margins(5, 5, 5, 5))
    lines += ini.section("HorzScroll", [("Image", "ScrollbarHBar.bmp")] + ini.margins(1, 1, 0, 0) +
                      [("Tile", 0)])
    lines += ini.section("VertScroll", [("Image", "ScrollbarVBar.bmp")] + ini.margins(0, 0, 1, 1) +
                      [("Tile", 0)])
    lines += ini.section("MenuBackground", [("Image", "MenuBackground.bmp")] + ini.margins(1, 1, 1, 1))
    lines += _caption_button_sections()
    lines += _personality()
    lines += ini.section("MDICONTROLS", [("Image", "MDIControls.bmp")])
    lines += ini.section("Colours", [
        ("ButtonFace", "227 224 213"), ("TitleTextActive", "255 255 255"),
        ("TitleTextNoActive", "215 227 244"), ("ButtonHilight", "255 255 255"),
        ("ButtonShadow", "162 156 146"), ("ButtonDkShadow", "103 101 90"),
        ("Buttonlight", "234 232 225"), ("Menubar", "227 224 213"), ("Menu", "255 255 255"),
        ("MenuText", "0 0 0"), ("MenuBarText", "0 0 0"), ("Hilight", "37 61 95"),
        ("HilightText", "255 255 255")])
    return ini.text(lines)

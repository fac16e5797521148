"""The default skin "Orvo Slate" as a whole: its 25 bitmaps in archive order, their layouts, the
rules its art is checked by, its images at any scale and its INI text."""

from orvoart import controls, ini, scrollbar, window_frame
from orvoart.canvas import solid
from orvoart.strips import hstrip

from . import frame, palette

NAME = SKIN_NAME = "Orvo Slate"
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


# Parts the engine stretches or repeats, which must be flat so no seam shows: name -> (kind, fixed
# before, fixed after) per frame, at 96 DPI: "cols" means the columns between the two fixed parts
# are alike, "rows" the rows.
FLAT = {
    "Buttons.bmp": [("cols", 8, 8), ("rows", 9, 9)],
    "Progress.bmp": [("rows", 3, 3)],
    "ScrollbarHBar.bmp": [("cols", 0, 0)],
    "ScrollbarVBar.bmp": [("rows", 0, 0)],
    "ScrollbarHThumb.bmp": [("cols", 5, 5)],
    "ScrollbarVThumb.bmp": [("rows", 5, 5)],
    "Header.bmp": [("cols", 1, 1)],
    "FrameLeft.bmp": [("rows", frame.SIDE_TOP, frame.SIDE_BOTTOM)],
    "FrameRight.bmp": [("rows", frame.SIDE_TOP, frame.SIDE_BOTTOM)],
    "FrameTop.bmp": [("cols", frame.END_LEFT, frame.END_RIGHT)],
    "FrameBottom.bmp": [("cols", frame.END_LEFT, frame.END_RIGHT)],
}


def joins(images, k):
    """The caption bar continues from the side pieces into the top piece; the top corners are
    rounded off."""
    return window_frame.join_problems(images, k, frame.FRAME)


def header(k):
    """72 x 18: five 14-wide items and two spare columns the engine never reads."""
    items = hstrip(controls.header_items(palette, k))
    out = solid(k(72), k(18), palette.FACE)
    out.paste(items, (0, 0))
    return out


def images(k):
    """Every skin image at scale k, by file name, in archive order."""
    P = palette
    drawn = {
        "Buttons.bmp": controls.push_buttons(P, k),
        "CheckBox.bmp": controls.check_boxes(P, k),
        "RadioButton.bmp": controls.radio_buttons(P, k),
        "Progress.bmp": controls.progress_trough(P, k),
        "ProgressChunk.bmp": controls.progress_chunk(P, k),
        "Tab.bmp": controls.tabs(P, k),
        "TabBorder.bmp": controls.tab_border(P, k),
        "ComboboxBtn.bmp": controls.combo_button(P, k),
        "StatusBar.bmp": controls.status_bar(P, k),
        "Header.bmp": header(k),
        "ScrollbarArrow.bmp": scrollbar.arrow_strip(P, k),
        "ScrollbarHThumb.bmp": scrollbar.horizontal_thumb(P, k),
        "ScrollbarVThumb.bmp": scrollbar.vertical_thumb(P, k),
        "ScrollbarHBar.bmp": scrollbar.horizontal_track(P, k),
        "ScrollbarVBar.bmp": scrollbar.vertical_track(P, k),
        "MenuBackground.bmp": controls.menu_background(P, k),
        "MDIControls.bmp": frame.mdi_controls(k),
    }
    drawn.update(frame.caption_buttons(k))
    drawn.update(frame.FRAME.pieces(k))
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

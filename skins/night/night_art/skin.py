"""The skin "Orvo Night" as a whole: its images in archive order, their layouts, the rules its art is
checked by, its images at any scale and its INI text.

It has every element the engine draws, as "Orvo Jade" has: frame and caption with the text's chip,
caption buttons with help and the system-menu button, the menu bar and its items, push buttons in
five states, twelve- and eight-frame check and radio strips, group box pieces, the combo parts,
up-downs, scroll bars, tabs (turned by the engine for every side) and their page, track and
progress bars, headers, status bars and the buttons of a maximised MDI child."""

from orvoart import ini, window_frame
from orvoart.colour import channels, text

from . import controls, frame, palette, scrollbar

NAME = SKIN_NAME = "Orvo Night"
SKIN_AUTHOR = "Orvo"
INI_NAME = "night.ini"

# File name -> (width, height, frame count, frames laid "h"orizontally or "v"ertically), in the
# order the archive holds them (the packer follows the INI's first mentions).
LAYOUT = {
    "Buttons.bmp": (90, 21, 5, "h"),
    "CheckBox.bmp": (156, 13, 12, "h"),
    "RadioButton.bmp": (104, 13, 8, "h"),
    "Progress.bmp": (24, 19, 2, "h"),
    "ProgressChunk.bmp": (10, 13, 1, "h"),
    "Tab.bmp": (90, 18, 5, "h"),
    "TabPane.bmp": (24, 24, 1, "h"),
    "ComboboxBtn.bmp": (68, 21, 4, "h"),
    "SunkEdge.bmp": (48, 21, 4, "h"),
    "ExtraImages.bmp": (60, 12, 5, "h"),
    "StatusBar.bmp": (204, 15, 3, "h"),
    "Header.bmp": (70, 18, 5, "h"),
    "GroupBoxEdge.bmp": (48, 24, 2, "h"),
    "GroupBox.bmp": (40, 16, 1, "h"),
    "ScrollbarArrow.bmp": (391, 17, 23, "h"),
    "ScrollbarHThumb.bmp": (66, 15, 3, "h"),
    "ScrollbarVThumb.bmp": (45, 22, 3, "h"),
    "ScrollbarHBar.bmp": (136, 17, 4, "h"),
    "ScrollbarVBar.bmp": (68, 34, 4, "h"),
    "TrackThumbHorz.bmp": (55, 21, 5, "h"),
    "TrackThumbVert.bmp": (105, 11, 5, "h"),
    "TrackThumbLeft.bmp": (105, 11, 5, "h"),
    "TrackThumbRight.bmp": (105, 11, 5, "h"),
    "TrackThumbUp.bmp": (55, 21, 5, "h"),
    "TrackThumbDown.bmp": (55, 21, 5, "h"),
    "Track.bmp": (40, 4, 1, "h"),
    "TrackVert.bmp": (4, 40, 1, "h"),
    "UpDownHorz.bmp": (88, 16, 8, "h"),
    "UpDownHorzGlyph.bmp": (32, 7, 8, "h"),
    "UpDownVert.bmp": (128, 11, 8, "h"),
    "UpDownVertGlyph.bmp": (56, 4, 8, "h"),
    "MenuItem.bmp": (120, 20, 5, "h"),
    "MenuBackground.bmp": (20, 20, 1, "h"),
    "MDIControls.bmp": (192, 14, 12, "h"),
    "CloseButton.bmp": (180, 24, 6, "h"),
    "MaxButton.bmp": (180, 24, 6, "h"),
    "MinButton.bmp": (180, 24, 6, "h"),
    "RestoreButton.bmp": (180, 24, 6, "h"),
    "HelpButton.bmp": (180, 24, 6, "h"),
    "IconButton.bmp": (16, 16, 1, "h"),
    "FrameLeft.bmp": (8, 250, 2, "h"),
    "FrameRight.bmp": (8, 250, 2, "h"),
    "FrameTop.bmp": (292, 64, 2, "v"),
    "FrameBottom.bmp": (292, 8, 2, "v"),
    "MenuBar.bmp": (40, 40, 2, "v"),
    "TitleBack.bmp": (40, 64, 2, "v"),
}

# Images that are drawn with magenta as the transparent colour and may therefore hold it.
KEYED = {"CheckBox.bmp", "RadioButton.bmp", "Progress.bmp", "ComboboxBtn.bmp", "ExtraImages.bmp",
         "GroupBoxEdge.bmp", "GroupBox.bmp", "ScrollbarArrow.bmp", "TrackThumbHorz.bmp",
         "TrackThumbVert.bmp", "TrackThumbLeft.bmp", "TrackThumbRight.bmp", "TrackThumbUp.bmp",
         "TrackThumbDown.bmp", "UpDownHorz.bmp", "UpDownHorzGlyph.bmp", "UpDownVert.bmp",
         "UpDownVertGlyph.bmp", "MenuItem.bmp", "MDIControls.bmp", "CloseButton.bmp", "MaxButton.bmp",
         "MinButton.bmp", "RestoreButton.bmp", "HelpButton.bmp", "IconButton.bmp", "FrameLeft.bmp",
         "FrameRight.bmp", "FrameTop.bmp", "FrameBottom.bmp", "TitleBack.bmp"}

# Parts the engine stretches or repeats, which must be flat so no seam shows: name -> (kind, fixed
# before, fixed after) per frame, at 96 DPI.
FLAT = {
    "Buttons.bmp": [("cols", 8, 8), ("rows", 9, 9)],
    "Progress.bmp": [("cols", 4, 4)],
    "TabPane.bmp": [("cols", 4, 4), ("rows", 4, 4)],
    "ComboboxBtn.bmp": [("cols", 3, 3), ("rows", 3, 3)],
    "SunkEdge.bmp": [("cols", 3, 3), ("rows", 3, 3)],
    "Header.bmp": [("cols", 0, 1)],
    "GroupBoxEdge.bmp": [("cols", 6, 6), ("rows", 6, 6)],
    "GroupBox.bmp": [("cols", 6, 6)],
    "ScrollbarHBar.bmp": [("cols", 0, 0)],
    "ScrollbarVBar.bmp": [("rows", 0, 0)],
    "ScrollbarHThumb.bmp": [("cols", 5, 5)],
    "ScrollbarVThumb.bmp": [("rows", 5, 5)],
    "Track.bmp": [("cols", 3, 3)],
    "TrackVert.bmp": [("rows", 3, 3)],
    "MenuItem.bmp": [("cols", controls.ITEM_MARGIN, controls.ITEM_MARGIN),
                     ("rows", controls.ITEM_MARGIN, controls.ITEM_BOTTOM)],
    "MenuBackground.bmp": [("cols", 1, 1), ("rows", 1, 1)],
    "FrameLeft.bmp": [("rows", frame.SIDE_TOP, frame.SIDE_BOTTOM)],
    "FrameRight.bmp": [("rows", frame.SIDE_TOP, frame.SIDE_BOTTOM)],
    "FrameTop.bmp": [("cols", frame.END_LEFT, frame.END_RIGHT)],
    "FrameBottom.bmp": [("cols", frame.END_LEFT, frame.END_RIGHT)],
    "MenuBar.bmp": [("cols", frame.MENUBAR_END, frame.MENUBAR_END)],
    "TitleBack.bmp": [("cols", frame.CHIP_END, frame.CHIP_END)],
}


def joins(images, k):
    """The caption bar continues from the side pieces into the top piece; all four outer corners
    are cut round and the bottom edge is not."""
    return window_frame.join_problems(images, k, frame.FRAME, corners=("top", "bottom"))


def images(k):
    """Every skin image at scale k, by file name, in archive order."""
    drawn = {
        "Buttons.bmp": controls.push_buttons(k),
        "CheckBox.bmp": controls.check_boxes(k),
        "RadioButton.bmp": controls.radio_buttons(k),
        "Progress.bmp": controls.progress(k),
        "ProgressChunk.bmp": controls.progress_chunk(k),
        "Tab.bmp": controls.tabs(k),
        "TabPane.bmp": controls.tab_pane(k),
        "ComboboxBtn.bmp": controls.combo_button(k),
        "SunkEdge.bmp": controls.sunken_edge(k),
        "ExtraImages.bmp": controls.extra_images(k),
        "StatusBar.bmp": controls.status_bar(k),
        "Header.bmp": controls.header(k),
        "GroupBoxEdge.bmp": controls.group_box_edge(k),
        "GroupBox.bmp": controls.group_box_label(k),
        "ScrollbarArrow.bmp": scrollbar.arrow_strip(k),
        "ScrollbarHThumb.bmp": scrollbar.horizontal_thumb(k),
        "ScrollbarVThumb.bmp": scrollbar.vertical_thumb(k),
        "ScrollbarHBar.bmp": scrollbar.horizontal_track(k),
        "ScrollbarVBar.bmp": scrollbar.vertical_track(k),
        "Track.bmp": controls.track(k),
        "TrackVert.bmp": controls.track_vert(k),
        "MenuItem.bmp": controls.menu_items(k),
        "MenuBackground.bmp": controls.menu_background(k),
        "MDIControls.bmp": frame.mdi_controls(k),
        "MenuBar.bmp": frame.menu_bar(k),
        "TitleBack.bmp": frame.title_back(k),
    }
    drawn.update(controls.track_thumbs(k))
    drawn.update(controls.updown(k))
    drawn.update(frame.caption_buttons(k))
    drawn.update(frame.FRAME.pieces(k))
    return {name: drawn[name] for name in LAYOUT}


# Caption buttons, in the skin's order. XCoord counts from the right edge for Align 1; the help
# button takes the maximise button's place and shows only on windows with a help box and neither
# minimise nor maximise box; the system-menu button sits at the left and shows the window's icon.
Y = frame.BUTTON_Y
CAPTION_BUTTONS = [
    ("CloseButton.bmp", dict(Align=1, XCoord=frame.CLOSE_X, YCoord=Y, Action=0, Visibility=0)),
    ("MaxButton.bmp", dict(Align=1, XCoord=frame.MAX_X, YCoord=Y, Action=1, Visibility=2, Visibility1=6)),
    ("MinButton.bmp", dict(Align=1, XCoord=frame.MIN_X, YCoord=Y, Action=2, Visibility=8)),
    ("RestoreButton.bmp", dict(Align=1, XCoord=frame.MAX_X, YCoord=Y, Action=1, Visibility=1)),
    ("HelpButton.bmp", dict(Align=1, XCoord=frame.MAX_X, YCoord=Y, Action=4, Visibility=10)),
    ("IconButton.bmp", dict(Align=0, XCoord=frame.ICON_X, YCoord=frame.ICON_Y, Action=3, Visibility=0, frame=1)),
]
TEXT_SHIFT = frame.ICON_X + frame.ICON + 6  # the caption text starts after the icon
TEXT_RIGHT_CLIP = frame.MIN_X + 8  # and ends before the three right-hand buttons

P = palette
# The [Colours] section: dark throughout. Window is the colour of edits and lists.
COLOURS = [
    ("ButtonFace", P.FACE), ("ButtonText", P.TEXT), ("WindowText", P.TEXT), ("Window", P.WINDOW),
    ("TitleTextActive", P.TEXT), ("TitleTextNoActive", P.TEXT_DIM), ("ButtonHilight", P.HILIGHT_EDGE),
    ("Buttonlight", P.LIGHT), ("ButtonShadow", P.SHADOW), ("ButtonDkShadow", P.DK_SHADOW),
    ("Menubar", P.CHROME), ("MenuBarText", P.TEXT), ("Menu", P.MENU), ("MenuText", P.TEXT),
    ("Hilight", P.SELECTION), ("HilightText", P.WHITE), ("Scrollbar", P.TRACK),
]


def _caption_button_sections():
    lines = []
    for i, (image, keys) in enumerate(CAPTION_BUTTONS):
        lines += ini.section(f"Button{i}", [("ButtonImage", image)] + list(keys.items()))
    return lines


def _personality():
    pairs = [("Left", "FrameLeft.bmp"), ("Right", "FrameRight.bmp"), ("Top", "FrameTop.bmp"),
             ("Bottom", "FrameBottom.bmp")]
    for side in ("Left", "Right", "Top", "Bottom"):
        pairs += [(f"{side}Frame", 2), (f"{side}Stretch", 1), (f"{side}Trans", 1)]
    pairs += [("LeftTopHeight", frame.SIDE_TOP), ("LeftBotHeight", frame.SIDE_BOTTOM),
              ("RightTopHeight", frame.SIDE_TOP), ("RightBotHeight", frame.SIDE_BOTTOM),
              ("TopTopHeight", frame.END_LEFT), ("TopBotHeight", frame.END_RIGHT),
              ("BottomTopHeight", frame.END_LEFT), ("BottomBotHeight", frame.END_RIGHT)]
    pairs += [("menuBar", "MenuBar.bmp"), ("TileMenu", 1), ("TileLeftMenu", frame.MENUBAR_END),
              ("TileRightMenu", frame.MENUBAR_END)]
    pairs += [("TextBack", "TitleBack.bmp"), ("Textbackground", 1), ("TXTBackleft", frame.CHIP_END),
              ("TXTBackRight", frame.CHIP_END), ("TextAlignment", 0), ("TextShift", TEXT_SHIFT),
              ("TextShiftVert", 0), ("TextRightClip", TEXT_RIGHT_CLIP)]
    for prefix, c in (("ActiveText", P.TEXT), ("InActiveText", P.TEXT_DIM)):
        pairs += [(prefix + name, v) for name, v in zip("RGB", channels(c))]
    return ini.section("Personality", pairs)


def ini_text():
    """The INI, CR LF line ends. Sections are ordered so that every image is first named in
    archive order."""
    light = text(P.WHITE)
    L = []
    L += ini.section("TitlebarSkin", [("SkinName", SKIN_NAME), ("SkinAuthor", SKIN_AUTHOR)])
    L += ini.section("Skins", [("Version", 150)])
    # Light text on every button face; the focused or default face is the accent.
    L += ini.section("Buttons", [("Bitmap", "Buttons.bmp")] + ini.margins(9, 9, 8, 8) + [
        ("Trans", 0), ("CheckButton", "CheckBox.bmp"), ("CheckButtonFrame", 12),
        ("RadioButton", "RadioButton.bmp"), ("RadioButtonFrame", 8), ("NormalColour2", light),
        ("MouseOverColour2", light), ("PressedColour2", text(P.TEXT))])
    L += ini.section("Progress", [("Bitmap", "Progress.bmp")] + ini.margins(3, 3, 4, 4) +
                     [("Trans", 1), ("Tile", 0), ("Style", 0)])
    L += ini.section("Progress.Chunk", [("Image", "ProgressChunk.bmp"), ("Tile", 1)])
    L += ini.section("Tabs", [("Image", "Tab.bmp")] + ini.margins(6, 6, 6, 6) +
                     [("Trans", 0), ("Tile", 0), ("Style", 1), ("NormalColour2", text(P.TEXT)),
                      ("MouseOverColour2", text(P.TEXT))])
    L += ini.section("Tab.Pane", [("Image", "TabPane.bmp")] + ini.margins(4, 4, 4, 4) + [("Tile", 0)])
    L += ini.section("ComboButton", [("Image", "ComboboxBtn.bmp")] + ini.margins(3, 3, 3, 3) +
                     [("Trans", 1), ("Style", 0)])
    L += ini.section("SunkEdge", [("Image", "SunkEdge.bmp")] + ini.margins(3, 3, 3, 3) + [("Trans", 0)])
    L += ini.section("ExtraImages", [("Image", "ExtraImages.bmp"), ("Trans", 1)])
    L += ini.section("StatusBarEdges", [("Image", "StatusBar.bmp")] + ini.margins(5, 9, 50, 17) +
                     [("Tile", 1), ("NormalColour2", text(P.TEXT))])
    L += ini.section("Headerbar", [("Image", "Header.bmp")] + ini.margins(3, 4, 6, 6) + [("Tile", 1), ("Trans", 1)])
    L += ini.section("GroupBoxEdge", [("Image", "GroupBoxEdge.bmp")] + ini.margins(6, 6, 6, 6) +
                     [("Trans", 1), ("Tile", 0)])
    L += ini.section("GroupBox", [("Image", "GroupBox.bmp")] + ini.margins(6, 6, 6, 6) +
                     [("Trans", 1), ("BackgroundAlignment", 0), ("BackgroundLeftShift", 4),
                      ("BackgroundRightShift", 4)])
    L += ini.section("Scrollbar", [("Image", "ScrollbarArrow.bmp")])
    L += ini.section("HorzScrollThumb", [("Image", "ScrollbarHThumb.bmp")] + ini.margins(5, 5, 5, 5))
    L += ini.section("VertScrollThumb", [("Image", "ScrollbarVThumb.bmp")] + ini.margins(5, 5, 5, 5))
    L += ini.section("HorzScroll", [("Image", "ScrollbarHBar.bmp")] + ini.margins(1, 1, 0, 0) + [("Tile", 0)])
    L += ini.section("VertScroll", [("Image", "ScrollbarVBar.bmp")] + ini.margins(0, 0, 1, 1) + [("Tile", 0)])
    for side in ("Horz", "Vert", "Left", "Right", "Up", "Down"):
        L += ini.section(f"Trackbar.Thumb{side}", [("Image", f"TrackThumb{side}.bmp"), ("Trans", 1)])
    L += ini.section("Track", [("Image", "Track.bmp")] + ini.margins(0, 0, 3, 3) + [("Frame", 1)])
    L += ini.section("TRACKVERT", [("Image", "TrackVert.bmp")] + ini.margins(3, 3, 0, 0) + [("Frame", 1)])
    L += ini.section("UpDown.Horz", [("Image", "UpDownHorz.bmp"), ("GlyphImage", "UpDownHorzGlyph.bmp"),
                                     ("Trans", 1)])
    L += ini.section("UpDown.Vert", [("Image", "UpDownVert.bmp"), ("GlyphImage", "UpDownVertGlyph.bmp"),
                                     ("Trans", 1)])
    m = controls.ITEM_MARGIN
    L += ini.section("MenuItem", [("Image", "MenuItem.bmp")] + ini.margins(m, controls.ITEM_BOTTOM, m, m) +
                     [("Trans", 1), ("Tile", 0)])
    L += ini.section("MenuBackground", [("Image", "MenuBackground.bmp")] + ini.margins(1, 1, 1, 1))
    L += ini.section("MDICONTROLS", [("Image", "MDIControls.bmp")])
    L += _caption_button_sections()
    L += _personality()
    L += ini.section("Fonts", [("FontHeight", 14)])
    L += ini.section("Colours", [(key, text(c)) for key, c in COLOURS])
    return ini.text(L)

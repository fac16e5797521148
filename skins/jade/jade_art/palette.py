"""The colours of the "Orvo Jade" skin: a deep jade caption over a light, cool grey-green face.

The first group is what the INI declares; the rest are the art's own shades. The names are the
family's (those of the default skin's palette), so the shared drawings of orvoart take this palette
as they take the default's; the names after "Jade only" are used by this skin's own pieces."""

from orvoart.colour import mix, rgb

# Declared in the INI's [Colours] section.
FACE = rgb(229, 236, 234)
TEXT_ACTIVE = rgb(255, 255, 255)
TEXT_INACTIVE = rgb(232, 240, 238)
HILIGHT_WHITE = rgb(255, 255, 255)
SHADOW = rgb(146, 164, 160)
DK_SHADOW = rgb(82, 100, 96)
LIGHT = rgb(241, 246, 245)
SELECTION = rgb(20, 112, 98)  # Hilight
MENU = rgb(255, 255, 255)
MENU_TEXT = rgb(22, 36, 33)
MENUBAR = rgb(234, 241, 239)

# Window frame, active: jade from a bright rim to a deep base.
CAPTION_OUTLINE = rgb(7, 48, 43)
CAPTION_SHINE = rgb(112, 196, 178)
CAPTION_TOP = rgb(52, 146, 129)
CAPTION_MID = rgb(26, 112, 99)
CAPTION_BOTTOM = rgb(14, 84, 75)
FRAME_LIGHT = rgb(62, 150, 134)
FRAME_BODY = rgb(22, 102, 90)
FRAME_INNER = rgb(9, 62, 55)

# Window frame, inactive: the same build in a quiet grey-green.
CAPTION_OUTLINE_OFF = rgb(78, 94, 91)
CAPTION_SHINE_OFF = rgb(176, 192, 188)
CAPTION_TOP_OFF = rgb(140, 160, 156)
CAPTION_MID_OFF = rgb(120, 141, 137)
CAPTION_BOTTOM_OFF = rgb(106, 127, 123)
FRAME_LIGHT_OFF = rgb(150, 168, 164)
FRAME_BODY_OFF = rgb(118, 138, 134)
FRAME_INNER_OFF = rgb(92, 110, 106)

# Caption buttons (round), drawn over the caption.
CAPBTN_OUTLINE = rgb(6, 56, 50)
CAPBTN_TOP = rgb(58, 152, 135)
CAPBTN_BOTTOM = rgb(20, 100, 88)
CAPBTN_SHINE = rgb(134, 208, 192)
CAPBTN_HOT_TOP = rgb(104, 196, 178)
CAPBTN_HOT_BOTTOM = rgb(36, 134, 118)
CAPBTN_HOT_SHINE = rgb(184, 236, 224)
CAPBTN_DOWN_TOP = rgb(8, 64, 57)
CAPBTN_DOWN_BOTTOM = rgb(22, 92, 82)
CLOSE_HOT_TOP = rgb(236, 122, 98)
CLOSE_HOT_BOTTOM = rgb(194, 62, 44)
CLOSE_HOT_SHINE = rgb(250, 180, 162)
CLOSE_DOWN_TOP = rgb(138, 36, 26)
CLOSE_DOWN_BOTTOM = rgb(172, 52, 38)
CLOSE_OUTLINE = rgb(96, 24, 18)
GLYPH_SHADOW = rgb(6, 50, 44)
GLYPH_DIM = rgb(150, 196, 186)

# Controls.
BTN_OUTLINE = rgb(128, 148, 144)
BTN_TOP = rgb(252, 254, 253)
BTN_BOTTOM = rgb(221, 231, 228)
BTN_SHINE = rgb(255, 255, 255)
BTN_BASE = rgb(200, 213, 209)
BTN_HOT_OUTLINE = rgb(44, 142, 124)
BTN_HOT_TOP = rgb(255, 255, 255)
BTN_HOT_BOTTOM = rgb(208, 238, 230)
BTN_DOWN_TOP = rgb(180, 218, 208)
BTN_DOWN_BOTTOM = rgb(208, 234, 227)
BTN_DOWN_OUTLINE = rgb(18, 104, 91)
BTN_OFF_OUTLINE = rgb(184, 196, 193)
BTN_OFF_BODY = rgb(236, 241, 240)
FOCUS_RING = rgb(140, 204, 190)

GLYPH = rgb(32, 70, 63)
GLYPH_OFF = rgb(164, 178, 175)

TRACK = rgb(236, 242, 240)
TRACK_EDGE = rgb(214, 224, 221)
TRACK_HOT = rgb(226, 240, 236)
TRACK_DOWN = rgb(205, 226, 220)
TRACK_OFF = rgb(232, 237, 236)

THUMB_OUTLINE = rgb(112, 146, 139)
THUMB_TOP = rgb(226, 240, 236)
THUMB_BOTTOM = rgb(188, 214, 207)
THUMB_HOT_TOP = rgb(240, 250, 247)
THUMB_HOT_BOTTOM = rgb(194, 230, 220)
THUMB_DOWN_TOP = rgb(140, 196, 182)
THUMB_DOWN_BOTTOM = rgb(168, 212, 200)
THUMB_DOWN_OUTLINE = rgb(28, 110, 96)

ACCENT = rgb(30, 132, 115)
ACCENT_LIGHT = rgb(120, 200, 182)
MENU_EDGE = rgb(120, 150, 144)

# Jade only.
PLAQUE_EDGE = rgb(4, 42, 37)
PLAQUE_TOP = rgb(10, 66, 59)
PLAQUE_BOTTOM = rgb(16, 82, 73)
PLAQUE_LIP = rgb(76, 164, 147)
PLAQUE_EDGE_OFF = rgb(70, 88, 84)
PLAQUE_TOP_OFF = rgb(84, 104, 100)  # dark enough for the inactive caption text (4.5 : 1)
PLAQUE_BOTTOM_OFF = rgb(90, 110, 106)
PLAQUE_LIP_OFF = rgb(164, 182, 178)
# The menu bar is a shade darker than the face, so the engine's white frame round a hot item shows.
MENUBAR_TOP = rgb(236, 243, 241)
MENUBAR_BOTTOM = rgb(213, 226, 222)
MENUBAR_LINE = rgb(182, 201, 196)
MENUBAR_OFF = rgb(226, 232, 230)
ITEM_SELECTED_TOP = rgb(32, 126, 110)  # white text reads on it (4.5 : 1)
ITEM_SELECTED_BOTTOM = rgb(18, 108, 95)
ITEM_SELECTED_EDGE = rgb(10, 82, 72)
GUTTER = rgb(240, 246, 244)
GRIP_DARK = rgb(138, 160, 155)
GRIP_LIGHT = rgb(255, 255, 255)
PANE = mix(FACE, HILIGHT_WHITE, 0.55)

"""The colours of the "Orvo Slate" skin. The first group is what the INI declares; the rest are the
art's own shades, all derived from the same slate blue and warm grey so the pieces agree."""

from orvoart.colour import rgb

# Declared in the INI's [Colours] section.
FACE = rgb(227, 224, 213)
TEXT_ACTIVE = rgb(255, 255, 255)
TEXT_INACTIVE = rgb(215, 227, 244)
HILIGHT_WHITE = rgb(255, 255, 255)
SHADOW = rgb(162, 156, 146)
DK_SHADOW = rgb(103, 101, 90)
LIGHT = rgb(234, 232, 225)
SELECTION = rgb(37, 61, 95)  # Hilight
MENU = rgb(255, 255, 255)

# Window frame, active.
CAPTION_OUTLINE = rgb(22, 36, 58)
CAPTION_SHINE = rgb(124, 151, 190)
CAPTION_TOP = rgb(84, 112, 152)
CAPTION_MID = rgb(62, 89, 128)
CAPTION_BOTTOM = rgb(42, 66, 101)
FRAME_LIGHT = rgb(86, 114, 154)
FRAME_BODY = rgb(52, 78, 115)
FRAME_INNER = rgb(30, 48, 76)

# Window frame, inactive: the same build, greyed towards the face colour.
CAPTION_OUTLINE_OFF = rgb(74, 84, 101)
CAPTION_SHINE_OFF = rgb(150, 162, 182)
CAPTION_TOP_OFF = rgb(86, 98, 120)  # dark enough for the inactive caption text (4.5 : 1)
CAPTION_MID_OFF = rgb(78, 90, 112)
CAPTION_BOTTOM_OFF = rgb(70, 82, 103)
FRAME_LIGHT_OFF = rgb(126, 139, 161)
FRAME_BODY_OFF = rgb(100, 114, 137)
FRAME_INNER_OFF = rgb(84, 96, 116)

# Caption buttons.
CAPBTN_OUTLINE = rgb(24, 40, 64)
CAPBTN_TOP = rgb(101, 130, 170)
CAPBTN_BOTTOM = rgb(62, 90, 130)
CAPBTN_SHINE = rgb(146, 172, 207)
CAPBTN_HOT_TOP = rgb(134, 163, 203)
CAPBTN_HOT_BOTTOM = rgb(83, 114, 157)
CAPBTN_HOT_SHINE = rgb(186, 207, 234)
CAPBTN_DOWN_TOP = rgb(36, 58, 92)
CAPBTN_DOWN_BOTTOM = rgb(56, 84, 124)
CLOSE_HOT_TOP = rgb(226, 104, 88)
CLOSE_HOT_BOTTOM = rgb(184, 52, 40)
CLOSE_HOT_SHINE = rgb(244, 164, 150)
CLOSE_DOWN_TOP = rgb(132, 32, 26)
CLOSE_DOWN_BOTTOM = rgb(166, 46, 36)
CLOSE_OUTLINE = rgb(92, 22, 18)
GLYPH_SHADOW = rgb(20, 34, 56)
GLYPH_DIM = rgb(150, 170, 198)

# Controls.
BTN_OUTLINE = rgb(141, 136, 124)
BTN_TOP = rgb(253, 252, 249)
BTN_BOTTOM = rgb(226, 222, 211)
BTN_SHINE = rgb(255, 255, 255)
BTN_BASE = rgb(208, 203, 191)
BTN_HOT_OUTLINE = rgb(95, 127, 168)
BTN_HOT_TOP = rgb(255, 255, 255)
BTN_HOT_BOTTOM = rgb(218, 228, 241)
BTN_DOWN_TOP = rgb(196, 208, 225)
BTN_DOWN_BOTTOM = rgb(219, 227, 238)
BTN_DOWN_OUTLINE = rgb(64, 94, 134)
BTN_OFF_OUTLINE = rgb(190, 185, 175)
BTN_OFF_BODY = rgb(236, 234, 228)
FOCUS_RING = rgb(158, 182, 214)

GLYPH = rgb(56, 70, 92)
GLYPH_OFF = rgb(176, 170, 160)

TRACK = rgb(238, 236, 230)
TRACK_EDGE = rgb(218, 214, 204)
TRACK_HOT = rgb(232, 236, 242)
TRACK_DOWN = rgb(214, 220, 229)
TRACK_OFF = rgb(233, 231, 226)

THUMB_OUTLINE = rgb(128, 142, 163)
THUMB_TOP = rgb(229, 234, 242)
THUMB_BOTTOM = rgb(196, 206, 221)
THUMB_HOT_TOP = rgb(244, 247, 252)
THUMB_HOT_BOTTOM = rgb(207, 220, 238)
THUMB_DOWN_TOP = rgb(160, 180, 208)
THUMB_DOWN_BOTTOM = rgb(182, 198, 220)
THUMB_DOWN_OUTLINE = rgb(72, 101, 140)

ACCENT = rgb(74, 106, 149)
ACCENT_LIGHT = rgb(143, 170, 208)
MENU_EDGE = rgb(141, 153, 172)

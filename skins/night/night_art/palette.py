"""The colours of "Orvo Night": dark, flat surfaces in a few steps of one cool grey, light text, and
one accent, a clear blue, for focus, selection and progress (and red for closing a window).

Text is at least 4.5 : 1 against everything it is drawn on (the tests read that from the rendered
skin); the steps between surfaces are small, as a dark interface wants them."""

from orvoart.colour import rgb

# Surfaces, darkest to lightest.
WINDOW = rgb(27, 29, 33)  # edits and lists
CHROME = rgb(30, 32, 36)  # caption, borders, menu bar
TRACK = rgb(31, 34, 38)  # scroll-bar track, sunken panels, the other tabs
FACE = rgb(37, 40, 45)  # dialogs and forms (ButtonFace)
MENU = rgb(43, 46, 51)  # popup menus
RAISED = rgb(44, 47, 53)  # headers, hot track, pressed caption button
SURFACE = rgb(51, 55, 62)  # buttons
SURFACE_HOT = rgb(61, 66, 75)
SURFACE_DOWN = rgb(40, 43, 49)
SURFACE_OFF = rgb(42, 45, 50)

# Lines.
BORDER = rgb(70, 75, 84)  # outlines of controls
BORDER_HOT = rgb(96, 102, 113)
BORDER_OFF = rgb(55, 59, 66)
DIVIDER = rgb(60, 64, 71)
OUTLINE = rgb(62, 66, 74)  # the window's outer line, active
OUTLINE_OFF = rgb(50, 53, 58)

# Text and glyphs.
TEXT = rgb(232, 234, 237)
TEXT_DIM = rgb(160, 165, 173)  # an inactive window's caption
TEXT_OFF = rgb(104, 109, 118)  # glyphs of disabled controls
WHITE = rgb(255, 255, 255)

# The accent: rings, checked boxes, progress, track-bar thumbs; a deeper shade behind white text.
ACCENT = rgb(56, 132, 255)
ACCENT_HOT = rgb(88, 152, 255)
ACCENT_DOWN = rgb(38, 104, 212)
ACCENT_OFF = rgb(72, 78, 88)
SELECTION = rgb(38, 99, 214)  # Hilight: selected menu items and list rows, white text on it
DEFAULT_BUTTON = rgb(40, 115, 222)  # the focused or default button: white and black text both read
DEFAULT_EDGE = rgb(110, 160, 245)

# Caption buttons.
CAPTION_HOT = rgb(56, 60, 68)
CAPTION_DOWN = rgb(46, 49, 56)
CLOSE_HOT = rgb(196, 43, 28)
CLOSE_DOWN = rgb(160, 36, 24)
TITLE_BACK = rgb(46, 49, 55)  # the caption text's chip
TITLE_BACK_OFF = rgb(38, 40, 45)

# Declared colours the engine uses beyond the surfaces above.
HILIGHT_EDGE = rgb(86, 92, 102)  # ButtonHilight: the frame round a hot menu-bar item
LIGHT = rgb(60, 64, 71)  # Buttonlight
SHADOW = rgb(100, 106, 116)  # ButtonShadow: group lines, disabled menu-bar items
DK_SHADOW = rgb(16, 17, 19)  # ButtonDkShadow
THUMB = rgb(80, 86, 95)  # scroll-bar thumb
THUMB_HOT = rgb(104, 110, 120)
THUMB_DOWN = rgb(128, 134, 144)
GRIP = rgb(96, 102, 112)

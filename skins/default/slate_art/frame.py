"""The Slate window frame (four border pieces, active and inactive), the caption buttons and the
buttons of a maximised MDI child."""

from orvoart import caption, window_frame

from . import palette as P

BORDER = 4  # left and right border width (one frame of FrameLeft/FrameRight)
CAPTION = 29  # caption bar height (one frame of FrameTop)
BOTTOM = 5  # bottom border height (one frame of FrameBottom)
TOP_RADIUS, BOTTOM_RADIUS = 7, 2
# Fixed parts of the pieces: the sides keep the caption rows and the bottom rows, the top and
# bottom pieces the columns of the corners.
SIDE_TOP, SIDE_BOTTOM = 29, 5
END_LEFT, END_RIGHT = 32, 39

FRAME = window_frame.WindowFrame(window_frame.looks(P, 0.45), BORDER, CAPTION, BOTTOM, TOP_RADIUS,
                                 BOTTOM_RADIUS)

CAPTION_BUTTON = 21
BUTTON_Y = 5  # YCoord of the caption buttons
CAPTION_IMAGES = {"close": "CloseButton.bmp", "max": "MaxButton.bmp", "min": "MinButton.bmp",
                  "restore": "RestroreButton.bmp"}


def caption_buttons(k):
    """Rounded squares over the caption, glyphs 9 x 9 at (6, 6) of the 21 x 21 frame."""
    s = k(CAPTION_BUTTON)
    under = lambda index: FRAME.caption_under(k, index, k(BUTTON_Y), s, s)
    return {image: caption.caption_button(k, CAPTION_BUTTON, glyph, caption.caption_looks(P, glyph),
                                          caption.rounded_shape(3), under, (6, 6), 9)
            for glyph, image in CAPTION_IMAGES.items()}


def mdi_controls(k):
    """Light buttons on the grey menu bar."""
    return caption.mdi_controls(P, k, P.FACE)

"""The Slate window frame for the contact sheet's mock-ups: the four pieces cut and stretched as the
engine does, the caption buttons, the icon and the caption text, and a plain menu strip."""

from orvoart.font import draw_text, text_width
from orvoart.mockup import BLACK, Mockup
from orvoart.raster import MAGENTA, Image
from orvoart.slicing import frame_strip, sliced

from . import palette
from .frame import BORDER, BOTTOM, CAPTION


class SlateMockup(Mockup):
    BORDER, CAPTION, BOTTOM, MENU_H = BORDER, CAPTION, BOTTOM, 19

    def __init__(self, bmps, icon16):
        super().__init__(bmps, icon16, palette)

    def window(self, client_w, client_h, title, active=True, menu=("File", "Tools", "Help")):
        P, b = self.P, self.b
        W = client_w + 2 * BORDER
        H = client_h + CAPTION + self.MENU_H + BOTTOM
        win = Image(W, H, P.FACE)
        idx = 1 if active else 2
        pieces = [
            (sliced(b["FrameLeft.bmp"], 2, idx, False, (0, 29, 0, 5), (BORDER, H)), 0, 0),
            (sliced(b["FrameRight.bmp"], 2, idx, False, (0, 29, 0, 5), (BORDER, H)), W - BORDER, 0),
            (sliced(b["FrameTop.bmp"], 2, idx, True, (32, 0, 39, 0), (W - 2 * BORDER, CAPTION)), BORDER, 0),
            (sliced(b["FrameBottom.bmp"], 2, idx, True, (32, 0, 39, 0), (W - 2 * BORDER, BOTTOM)),
             BORDER, H - BOTTOM),
        ]
        for img, x, y in pieces:
            win.paste(img, x, y)
        for name, xcoord in (("CloseButton.bmp", 25), ("MaxButton.bmp", 49), ("MinButton.bmp", 73)):
            btn = frame_strip(b[name], 6, 1 if active else 4, (21, 21))
            win.paste(btn, W - xcoord, 5, MAGENTA)
        self._icon(win, 8, 7)
        draw_text(win, BORDER + 16 + 8, 11, title, P.TEXT_ACTIVE if active else P.TEXT_INACTIVE)
        x = BORDER + 6
        for item in menu:
            draw_text(win, x + 5, CAPTION + 6, item, BLACK)
            x += text_width(item) + 10
        return win

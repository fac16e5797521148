"""Windows assembled from a skin's pieces the way the engine cuts them, for the contact sheets.

`Mockup` draws the controls; each skin subclasses it for its window frame (`window`), with its
frame sizes as class attributes and its palette P (the colour names of the family's palettes).
"""

from .font import draw_text, text_width
from .raster import MAGENTA, Image, mix
from .slicing import frame_strip, sliced

DESKTOP = 0x56616E
BLACK = 0x000000


class Mockup:
    BORDER, CAPTION, BOTTOM, MENU_H = 4, 29, 5, 19
    GLYPH_FRAMES = {"CheckBox.bmp": 4, "RadioButton.bmp": 4}

    def __init__(self, bmps, icon16, P):
        self.b = bmps
        self.icon16 = icon16
        self.P = P

    def window(self, client_w, client_h, title, active=True, menu=("File", "Tools", "Help")):
        """A window of the given client size: the skin's frame, caption and menu bar."""
        raise NotImplementedError

    def _icon(self, win, x0, y0):
        for y in range(16):
            for x in range(16):
                a = self.icon16.get_alpha(x, y)
                if a:
                    win.set(x0 + x, y0 + y, mix(win.get(x0 + x, y0 + y), self.icon16.get(x, y), a / 255))

    # -------------------------------------------------------------------------- controls

    def button(self, win, x, y, w, h, caption, frame=1):
        win.paste(sliced(self.b["Buttons.bmp"], 5, frame, False, (8, 9, 8, 9), (w, h)), x, y)
        ink = self.P.SHADOW if frame == 3 else BLACK
        draw_text(win, x + (w - text_width(caption)) // 2, y + (h - 7) // 2, caption, ink)

    def glyph_frame(self, image, state):
        """The frame of a check or radio strip for state 1 unchecked, 2 checked, 3 unchecked
        disabled, 4 checked disabled (the frames of a four-frame strip)."""
        return state

    def check(self, win, x, y, caption, frame=1, image="CheckBox.bmp"):
        strip = frame_strip(self.b[image], self.GLYPH_FRAMES[image], self.glyph_frame(image, frame),
                            (13, 13))
        win.paste(strip, x, y, MAGENTA)
        draw_text(win, x + 13 + 4, y + 3, caption, BLACK if frame < 3 else self.P.SHADOW)

    def edit(self, win, x, y, w, h, text=""):
        win.fill_rect(x, y, x + w, y + h, 0xFFFFFF)
        win.frame_rect(x, y, x + w, y + h, self.P.SHADOW)
        draw_text(win, x + 4, y + (h - 7) // 2, text, BLACK)

    def combo(self, win, x, y, w, h, text, frame=1):
        self.edit(win, x, y, w, h, text)
        btn = frame_strip(self.b["ComboboxBtn.bmp"], 4, frame, (15, 16))
        win.paste(btn, x + w - 2 - 15, y + 2, MAGENTA)

    def memo(self, win, x, y, w, h, lines, thumb=(0.0, 0.45), hthumb=(0.0, 0.7)):
        win.fill_rect(x, y, x + w, y + h, 0xFFFFFF)
        win.frame_rect(x, y, x + w, y + h, self.P.SHADOW)
        win.frame_rect(x + 1, y + 1, x + w - 1, y + h - 1, self.P.FACE)
        for i, line in enumerate(lines):
            if 4 + i * 11 + 8 < h - 19:
                draw_text(win, x + 5, y + 5 + i * 11, line, BLACK)
        inner_w, inner_h = w - 4, h - 4
        self.scrollbar(win, x + 2 + inner_w - 17, y + 2, inner_h - 17, True, thumb)
        self.scrollbar(win, x + 2, y + 2 + inner_h - 17, inner_w - 17, False, hthumb)
        win.fill_rect(x + 2 + inner_w - 17, y + 2 + inner_h - 17, x + w - 2, y + h - 2, self.P.FACE)

    def scrollbar(self, win, x, y, length, vertical, thumb):
        k, b = 17, 17
        bar = Image(length, k, self.P.FACE)
        track = self.b["ScrollbarVBar.bmp"] if vertical else self.b["ScrollbarHBar.bmp"]
        if vertical:
            piece = sliced(track, 4, 1, False, (1, 0, 1, 0), (k, length - 2 * b)).transposed()
        else:
            piece = sliced(track, 4, 1, False, (0, 1, 0, 1), (length - 2 * b, k))
        bar.paste(piece, b, 0)
        arrows = self.b["ScrollbarArrow.bmp"]
        first, second = (9, 13) if vertical else (1, 5)
        for base, pos in ((first, 0), (second, length - b)):
            img = frame_strip(arrows, 23, base, (b, k))
            bar.paste(img.transposed() if vertical else img, pos, 0, MAGENTA)
        start = b + int((length - 2 * b) * thumb[0])
        end = b + int((length - 2 * b) * thumb[1])
        if vertical:
            t = sliced(self.b["ScrollbarVThumb.bmp"], 3, 1, False, (5, 5, 5, 5), (k, end - start))
            t = t.transposed()
        else:
            t = sliced(self.b["ScrollbarHThumb.bmp"], 3, 1, False, (5, 5, 5, 5), (end - start, k))
        bar.paste(t, start, 0)
        grip = frame_strip(arrows, 23, 20 if vertical else 17, (k, k))
        if k < end - start + 2:
            bar.paste(grip.transposed() if vertical else grip, start + (end - start - k) // 2, 0, MAGENTA)
        win.paste(bar.transposed() if vertical else bar, x, y)

    def status_bar(self, win, x, y, w, h, panels):
        win.fill_rect(x, y, x + w, y + h, self.P.FACE)
        px = x
        for i, (width, text) in enumerate(panels):
            pw = (x + w - px) if i == len(panels) - 1 else width
            win.paste(sliced(self.b["StatusBar.bmp"], 3, 1, False, (50, 5, 17, 9), (pw, h), tile=True), px, y)
            draw_text(win, px + 4, y + (h - 7) // 2, text, BLACK)
            px += pw


def desktop(back, front):
    """An inactive window behind the active one, on a desktop colour."""
    scene = Image(front.w + 120, front.h + 70, DESKTOP)
    scene.paste(back, 16, 12, MAGENTA)
    scene.paste(front, 104, 54, MAGENTA)
    return scene


def main_window(m, active=True):
    """The splitter's main window at 546 x 359 client pixels, laid out like the real one, drawn by
    the Mockup m."""
    cw, ch = 546, 359
    win = m.window(cw, ch, "Orvo - Big File Splitter", active)
    ox, oy = m.BORDER, m.CAPTION + m.MENU_H
    at = lambda x, y: (ox + x, oy + y)
    draw_text(win, *at(12, 18), "Source file:", BLACK)
    m.edit(win, *at(92, 12), 340, 21, "C:\\Logs\\server-2024.log")
    m.button(win, *at(444, 10), 88, 25, "Browse...", 4)
    draw_text(win, *at(12, 50), "Target folder:", BLACK)
    m.edit(win, *at(92, 44), 340, 21, "C:\\Logs\\pieces")
    m.button(win, *at(444, 42), 88, 25, "Browse...", 1)
    m.check(win, *at(92, 74), "Use the source file's folder", 2)
    draw_text(win, *at(12, 101), "Lines per piece:", BLACK)
    m.combo(win, *at(112, 95), 90, 21, "3000", 1)
    m.check(win, *at(222, 99), "Keep header line", 1, "RadioButton.bmp")
    m.check(win, *at(352, 99), "Plain pieces", 2, "RadioButton.bmp")
    log = ["Ready to split", "Piece done: C:\\Logs\\pieces\\server-2024_1.txt",
           "Piece done: C:\\Logs\\pieces\\server-2024_2.txt",
           "Piece done: C:\\Logs\\pieces\\server-2024_3.txt", "Split finished!"]
    m.memo(win, *at(12, 128), 522, 150, log)
    names = [("Split now", 5), ("Pressed", 2), ("Hot", 4), ("Disabled", 3), ("Normal", 1)]
    for i, (text, frame) in enumerate(names):
        m.button(win, *at(12 + i * 106, 290), 96, 27, text, frame)
    m.status_bar(win, *at(0, ch - 22), cw, 22, [(200, "5 pieces written"), (0, "3000 lines each")])
    return win

"""The Jade window for the contact sheet's mock-ups, cut and placed as the engine does: the four
pieces, the caption text centred on its plaque with the program's icon against it, the round
caption buttons, the menu bar and its items; combo boxes built from the sunken edge, the button
face and the arrow glyph; the size grip; a drop-down menu."""

from orvoart.font import HEIGHT, draw_text, text_width
from orvoart.mockup import Mockup
from orvoart.raster import MAGENTA, Image
from orvoart.slicing import frame_origin, frame_strip, sliced, three_slice

from . import elements, frame, palette
from .frame import BORDER, BOTTOM, CAPTION
from .skin import CAPTION_BUTTONS, TEXT_RIGHT_CLIP

COMBO_BUTTON = 19  # the platform's scroll-arrow width + 2, as the engine builds the combo picture


class JadeMockup(Mockup):
    BORDER, CAPTION, BOTTOM, MENU_H = BORDER, CAPTION, BOTTOM, 19
    GLYPH_FRAMES = {"CheckBox.bmp": 12, "RadioButton.bmp": 8}

    def __init__(self, bmps, icon16):
        super().__init__(bmps, icon16, palette)
        self.hot_item = None  # the menu-bar item shown hot (its drop-down open), by index

    def glyph_frame(self, image, state):
        return {1: 1, 2: 5, 3: 4, 4: 8}[state]

    # ------------------------------------------------------------------------------- frame

    def window(self, client_w, client_h, title, active=True, menu=("File", "Tools", "Help"),
               buttons=("CloseButton.bmp", "MaxButton.bmp", "MinButton.bmp")):
        P, b = self.P, self.b
        menu_h = self.MENU_H if menu else 0
        W = client_w + 2 * BORDER
        H = client_h + CAPTION + menu_h + BOTTOM
        win = Image(W, H, P.FACE)
        idx = 1 if active else 2
        side = (0, frame.SIDE_TOP, 0, frame.SIDE_BOTTOM)
        ends = (frame.END_LEFT, 0, frame.END_RIGHT, 0)
        for img, x, y in (
                (sliced(b["FrameLeft.bmp"], 2, idx, False, side, (BORDER, H)), 0, 0),
                (sliced(b["FrameRight.bmp"], 2, idx, False, side, (BORDER, H)), W - BORDER, 0),
                (sliced(b["FrameTop.bmp"], 2, idx, True, ends, (W - 2 * BORDER, CAPTION)), BORDER, 0),
                (sliced(b["FrameBottom.bmp"], 2, idx, True, ends, (W - 2 * BORDER, BOTTOM)),
                 BORDER, H - BOTTOM)):
            win.paste(img, x, y)
        # Caption text centred on its plaque, clipped before the right-hand buttons.
        end = frame.PLAQUE_END
        w = min(text_width(title) + 2 * end, W - BORDER - TEXT_RIGHT_CLIP - BORDER)
        left = BORDER + (W - BORDER - (BORDER + w)) // 2
        plaque = three_slice(b["TitleBack.bmp"], 2, idx, True, end, end, (w, CAPTION))
        win.paste(plaque, left, 0, MAGENTA)
        draw_text(win, left + end, (CAPTION - HEIGHT + 1) // 2, title,
                  P.TEXT_ACTIVE if active else P.TEXT_INACTIVE)
        icon_x = dict(CAPTION_BUTTONS[5][1])["XCoord"]
        if buttons and "MinButton.bmp" in buttons:
            self._icon(win, left - frame.ICON - icon_x, frame.ICON_Y)
        places = {image: keys["XCoord"] for image, keys in CAPTION_BUTTONS}
        for name in buttons:
            btn = frame_strip(b[name], 6, 1 if active else 4, (frame.BUTTON, frame.BUTTON))
            win.paste(btn, W - places[name], frame.BUTTON_Y, MAGENTA)
        if menu:
            bar = sliced(b["MenuBar.bmp"], 2, idx, True, (frame.MENUBAR_END, 0, frame.MENUBAR_END, 0),
                         (W - 2 * BORDER, menu_h))
            win.paste(bar, BORDER, CAPTION)
            x = BORDER + frame.MENUBAR_END + 4
            for i, item in enumerate(menu):
                iw = text_width(item) + 10
                if i == self.hot_item:
                    win.frame_rect(x, CAPTION, x + iw, CAPTION + menu_h - 1, P.HILIGHT_WHITE)
                draw_text(win, x + 5, CAPTION + (menu_h - HEIGHT) // 2 + 1, item, P.MENU_TEXT)
                x += iw
        return win

    # ---------------------------------------------------------------------------- controls

    def combo(self, win, x, y, w, h, text, frame=1):
        """The combo picture the engine derives: the sunken edge, the button face in the right
        19 pixels with the arrow glyph centred on it, the text area left transparent."""
        b = self.b
        g = Image(50, 21, MAGENTA)
        g.paste(sliced(b["SunkEdge.bmp"], 4, frame, False, (3, 3, 3, 3), (50, 21)), 0, 0)
        g.paste(sliced(b["ComboboxBtn.bmp"], 4, frame, False, (3, 3, 3, 3), (COMBO_BUTTON, 21)),
                50 - COMBO_BUTTON, 0, MAGENTA)
        glyph = b["ExtraImages.bmp"].crop(*frame_origin(b["ExtraImages.bmp"], 5, frame, False))
        g.paste(glyph, 50 - COMBO_BUTTON + (COMBO_BUTTON - glyph.w) // 2, (21 - glyph.h) // 2, MAGENTA)
        g.fill_rect(2, 2, 49 - COMBO_BUTTON, 18, MAGENTA)
        win.fill_rect(x, y, x + w, y + h, 0xFFFFFF)
        draw_text(win, x + 5, y + (h - 7) // 2, text, self.P.MENU_TEXT)
        win.paste(sliced(g, 1, 1, False, (2, 3, COMBO_BUTTON + 2, 3), (w, h)), x, y, MAGENTA)

    def status_bar(self, win, x, y, w, h, panels):
        super().status_bar(win, x, y, w, h, panels)
        grip = self.b["ExtraImages.bmp"].crop(*frame_origin(self.b["ExtraImages.bmp"], 5, 5, False))
        win.paste(grip, x + w - 1 - grip.w, y + h - 1 - grip.h, MAGENTA)

    def popup_menu(self, items, width, selected):
        """A drop-down menu: the background with its 3-pixel frame, items owner-drawn over it."""
        P, b = self.P, self.b
        item_h, sep_h = 19, 8
        H = 6 + sum(sep_h if t == "-" else item_h for t in items)
        menu = sliced(b["MenuBackground.bmp"], 1, 1, False, (1, 1, 1, 1), (width, H))
        m, bottom = elements.ITEM_MARGIN, elements.ITEM_BOTTOM
        y = 3
        for i, text in enumerate(items):
            if text == "-":
                x0, y0, fw, fh = frame_origin(b["MenuItem.bmp"], 5, 2, False)
                strip = b["MenuItem.bmp"].crop(x0, y0 + fh - sep_h, fw, sep_h)
                menu.paste(sliced(strip, 1, 1, False, (m, 0, m, 0), (width - 6, sep_h)), 3, y, MAGENTA)
                y += sep_h
                continue
            if i == selected:
                hi = sliced(b["MenuItem.bmp"], 5, 4, False, (m, m, m, bottom), (width - 6, item_h))
                menu.paste(hi, 3, y, MAGENTA)
            ink = P.HILIGHT_WHITE if i == selected else P.MENU_TEXT
            draw_text(menu, 3 + 1 + m + 16 + 3, y + (item_h - HEIGHT) // 2 + 1, text, ink)
            y += item_h
        return menu

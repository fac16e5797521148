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

    # ---------------------------------------------------------------------- other controls

    def mdi_buttons(self, win, y0):
        """The buttons of a maximised MDI child at the right of the menu bar, frame 1, the close
        button hot (frame 4)."""
        strip = self.b["MDIControls.bmp"]
        w, h = strip.w // 12, strip.h
        for i in range(3):
            f = 4 if i == 2 else 1
            img = strip.crop(4 * w * i + (f - 1) * w, 0, w, h)
            x = win.w - (w + 4) * (3 - i) - BORDER - frame.MENUBAR_END
            win.paste(img, x, y0 + (self.MENU_H - h) // 2, MAGENTA)

    def controls_window(self):
        """A window with the controls the main window lacks: tabs on their page, a group box,
        a track bar, a progress bar, an edit with an up-down and a header."""
        P, b = self.P, self.b
        cw, ch = 330, 200
        win = self.window(cw, ch, "Orvo - Options", True, menu=("Window", "Help"),
                          buttons=("CloseButton.bmp", "RestoreButton.bmp", "MinButton.bmp"))
        self.mdi_buttons(win, CAPTION)
        ox, oy = BORDER, CAPTION + self.MENU_H
        # Tabs over their page (Tabs Style 1: the page is Tab.Pane).
        page = sliced(b["TabPane.bmp"], 1, 1, False, (4, 4, 4, 4), (cw - 16, ch - 36))
        win.paste(page, ox + 8, oy + 28)
        x = ox + 10
        for i, text in enumerate(("Pieces", "Names", "Advanced")):
            tw = text_width(text) + 16
            sel = i == 0
            tab = sliced(b["Tab.bmp"], 5, 2 if sel else 1, False, (6, 6, 6, 6), (tw, 21 if sel else 19))
            win.paste(tab, x, oy + 8 if sel else oy + 10)
            draw_text(win, x + 8, oy + (14 if sel else 16), text, P.MENU_TEXT)
            x += tw - 1
        # A group box: its edge and the caption on the label plaque.
        gx, gy, gw, gh = ox + 20, oy + 46, cw - 40, 88
        win.paste(sliced(b["GroupBoxEdge.bmp"], 2, 1, False, (6, 6, 6, 6), (gw, gh)), gx, gy, MAGENTA)
        label = "Lines per piece"
        lw = text_width(label) + 16
        win.paste(sliced(b["GroupBox.bmp"], 1, 1, False, (6, 6, 6, 6), (lw, 16)), gx + 10, gy - 7, MAGENTA)
        draw_text(win, gx + 18, gy - 3, label, P.MENU_TEXT)
        # A track bar: the skin's channel and thumb (frame 2, as the engine draws it).
        tx, ty, tl = gx + 14, gy + 26, 170
        t = b["Track.bmp"]
        chan = Image(tl, t.h)
        chan.paste(sliced(t, 1, 1, False, (3, 0, 3, 0), (tl, t.h)), 0, 0)
        win.paste(chan, tx, ty)
        thumb = frame_strip(b["TrackThumbDown.bmp"], 5, 2, (elements.THUMB_W, elements.THUMB_H))
        win.paste(thumb, tx + 62, ty - 8, MAGENTA)
        for i in range(11):
            win.vline(tx + 5 + i * 16, ty + 16, ty + 18, P.SHADOW)
        # An edit with its up-down, vertical halves 1 (up) and 5 (down).
        ex, ey = tx + tl + 16, ty - 9
        self.edit(win, ex, ey, 62, 22, "3000")
        for half, fr in ((0, 1), (1, 5)):
            face = frame_strip(b["UpDownVert.bmp"], 8, fr, (16, 10))
            win.paste(face, ex + 62 - 18, ey + 1 + 10 * half, MAGENTA)
            g = b["UpDownVertGlyph.bmp"].crop(*frame_origin(b["UpDownVertGlyph.bmp"], 8, fr, False))
            win.paste(g, ex + 62 - 18 + (16 - g.w) // 2, ey + 1 + 10 * half + (10 - g.h) // 2, MAGENTA)
        # A progress bar at 60 %: the trough and the fill (Style 0).
        px, py, pw = gx + 14, gy + 52, gw - 28
        bar = Image(pw, 19, P.FACE)
        bar.paste(sliced(b["Progress.bmp"], 2, 1, False, (4, 3, 4, 3), (pw, 19)), 0, 0, MAGENTA)
        bar.paste(sliced(b["Progress.bmp"], 2, 2, False, (4, 3, 4, 3), (pw * 6 // 10, 19)), 0, 0, MAGENTA)
        win.paste(bar, px, py)
        # A header row and the buttons.
        hx, hy = ox + 20, oy + ch - 58
        for i, (text, w) in enumerate((("Piece", 90), ("Lines", 80), ("Size", 120))):
            item = sliced(b["Header.bmp"], 5, 2 if i == 1 else 1, False, (8, 3, 8, 4), (w, 20))
            win.paste(item, hx, hy, MAGENTA)
            draw_text(win, hx + 6, hy + 6, text, P.MENU_TEXT)
            hx += w
        self.check(win, ox + 20, oy + ch - 27, "Keep header line", 2)
        self.button(win, ox + cw - 104, oy + ch - 34, 80, 23, "OK", 5)
        return win

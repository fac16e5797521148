// The skin of a popup or drop-down menu window ("#32768"): its frame and the area behind its items
// from the MenuBackground element. The image is kept (Background) so the owner-drawn items copy
// their backgrounds from it.
//
// Two platform behaviours are covered: where the menu window has a non-client frame
// (WM_NCPAINT with a whole-window update), the image is put over the whole window there; where it
// has none (Wine: its WM_PAINT fills the window, draws an edge and lays the items out inside a
// margin), the image is built before the default painting (which draws the items over it through
// WM_DRAWITEM) and the frame's strips are put on afterwards. WM_PRINT (menu animation) renders the
// image and lets the items be drawn over it, clipped to the inside.
//
// Messages: SKM_ISSKINNED, WM_DESTROY, WM_ERASEBKGND, WM_NCPAINT, WM_PAINT, WM_PRINT.
#include "skin/manager/popup_menu_skin.h"

#include "framework/graphics/bitmap.h"
#include "framework/window/display_scale.h"
#include "framework/window/subclass.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_protocol.h"
#include "skin/draw/skin_draw.h"
#include "skin/manager/skin_manager.h"

#include <algorithm>

namespace orvo {

namespace {

// The width of a menu window's frame.
constexpr int MenuFrame = 3;

class TWinPopupMenuSkin final : public TPopupMenuSkin {
public:
    ~TWinPopupMenuSkin() override { Detach(); }

    void Attach(HWND window, TSkinData* skinData, HMENU menu) override {
        FWindow = window;
        FSkinData = skinData;
        FMenu = menu;
        FSubclass.Attach(window, [this](TMessage& m) { Method(m); });
    }
    void Detach() override {
        FSubclass.Detach();
        FBackground.Clear();
    }
    HWND MenuWnd() const override { return FWindow; }
    HMENU MenuHandle() const override { return FMenu; }
    void SetMenuHandle(HMENU menu) override { FMenu = menu; }
    TBitmap* Background() override { return &FBackground; }
    POINT ClientOffset() const override {
        POINT origin{0, 0};
        RECT window{};
        if (!ClientToScreen(FWindow, &origin) || !GetWindowRect(FWindow, &window)) return POINT{0, 0};
        return POINT{origin.x - window.left, origin.y - window.top};
    }

private:
    TDataSkinObject* Element() const {
        if (!FSkinData || FSkinData->NoSkin()) return nullptr;
        // The skin at the menu window's own DPI (its monitor's).
        TDataSkinObject* e = FSkinData->AtDpi(DpiForWindow(FWindow)).MenuBackground();
        return e && !e->Image.Empty() ? e : nullptr;
    }

    bool HasFrame() const {
        const POINT offset = ClientOffset();
        return offset.x > 0 || offset.y > 0;
    }

    bool BuildBackground(TDataSkinObject& e) {
        RECT r{};
        if (!GetWindowRect(FWindow, &r)) return false;
        const SIZE size{r.right - r.left, r.bottom - r.top};
        if (size.cx <= 0 || size.cy <= 0) return false;
        std::unique_ptr<TBitmap> image =
            SlicedFrame(size, e.Image, 1, 1, false, TMargins{e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight},
                        e.Tile == 1);
        if (!image) return false;
        FBackground.Assign(*image);
        return true;
    }

    void Method(TMessage& m) {
        if (m.Msg == SKM_ISSKINNED) {
            m.Result = 1;
            return;
        }
        TSkinManage* manager = ExistingSkinManager();
        if (!manager || !manager->Enabled()) {
            FSubclass.CallDefault(m);
            return;
        }
        switch (m.Msg) {
        case WM_DESTROY:
            Detach();
            FSubclass.CallDefault(m);
            return;
        case WM_ERASEBKGND:
            if (!FSkinData || !FSkinData->Options().Contains(xoMenuBG)) FSubclass.CallDefault(m);
            m.Result = 1;
            return;
        case WM_NCPAINT:
            FramePaint(m);
            return;
        case WM_PAINT:
            ClientPaint(m);
            return;
        case WM_PRINT:
            PrintPaint(m);
            return;
        default:
            FSubclass.CallDefault(m);
            return;
        }
    }

    void FramePaint(TMessage& m) {
        TDataSkinObject* e = Element();
        if (!e || m.WParam != 1 || !HasFrame()) {
            FSubclass.CallDefault(m);
            return;
        }
        HDC dc = GetWindowDC(FWindow);
        if (!dc) {
            FSubclass.CallDefault(m); // no device context: the platform paints
            return;
        }
        if (BuildBackground(*e))
            BitBlt(dc, 0, 0, FBackground.Width(), FBackground.Height(), FBackground.Canvas().Handle(), 0, 0, SRCCOPY);
        ReleaseDC(FWindow, dc);
        m.Result = 0;
    }

    void ClientPaint(TMessage& m) {
        TDataSkinObject* e = Element();
        if (!FMenu) FMenu = reinterpret_cast<HMENU>(SendMessageW(FWindow, MN_GETHMENU, 0, 0));
        if (!e || HasFrame()) {
            FSubclass.CallDefault(m);
            return;
        }
        const bool built = BuildBackground(*e);
        FSubclass.CallDefault(m); // the items, drawn over the background by their owner
        if (!built) return;
        HDC dc = GetWindowDC(FWindow);
        if (!dc) return;
        const int w = FBackground.Width(), h = FBackground.Height();
        HDC source = FBackground.Canvas().Handle();
        const int f = std::min({ScaleLength(MenuFrame, DpiForWindow(FWindow)), w / 2, h / 2});
        BitBlt(dc, 0, 0, w, f, source, 0, 0, SRCCOPY);
        BitBlt(dc, 0, h - f, w, f, source, 0, h - f, SRCCOPY);
        BitBlt(dc, 0, f, f, h - 2 * f, source, 0, f, SRCCOPY);
        BitBlt(dc, w - f, f, f, h - 2 * f, source, w - f, f, SRCCOPY);
        ReleaseDC(FWindow, dc);
    }

    void PrintPaint(TMessage& m) {
        TDataSkinObject* e = Element();
        auto* dc = reinterpret_cast<HDC>(m.WParam);
        if (!e || !dc || !BuildBackground(*e)) {
            FSubclass.CallDefault(m);
            return;
        }
        const int w = FBackground.Width(), h = FBackground.Height();
        BitBlt(dc, 0, 0, w, h, FBackground.Canvas().Handle(), 0, 0, SRCCOPY);
        const int f = ScaleLength(MenuFrame, DpiForWindow(FWindow));
        TRegionHandle inner(CreateRectRgn(f, f, w - f, h - f));
        const int saved = SaveDC(dc);
        SetBkMode(dc, TRANSPARENT);
        SelectClipRgn(dc, inner.Get());
        FSubclass.CallDefault(m);
        RestoreDC(dc, saved);
    }

    TWindowSubclass FSubclass;
    HWND FWindow = nullptr;
    TSkinData* FSkinData = nullptr;
    HMENU FMenu = nullptr;
    TBitmap FBackground;
};

} // namespace

std::unique_ptr<TPopupMenuSkin> CreatePopupMenuSkin() {
    return std::make_unique<TWinPopupMenuSkin>();
}

} // namespace orvo

// The drop-down list's painted scroll bar and its thumb drag.
#include "skin/controls/combo_list_scroll.h"

#include "framework/base/properties.h"
#include "skin/controls/scroll_bar_look.h"
#include "skin/data/skin_data.h"
#include "skin/data/user32_optional.h"

namespace orvo {

ORVO_IMPLEMENT_CLASS(TComboxScrollBar);

namespace {

constexpr UINT LbcbStartTrack = 0x1AE; // the combo box tells its list to start tracking

} // namespace

bool TComboxScrollBar::BeforeMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_NCPAINT:
        return true;
    case WM_NCMOUSEMOVE:
        // The platform shows no hover of its own under the painted bar.
        return m.WParam != HTHSCROLL && m.WParam != HTVSCROLL;
    case WM_NCLBUTTONDOWN:
        if (m.WParam == HTVSCROLL && DragThumb(m)) {
            m.Result = 0;
            return false;
        }
        return true;
    default:
        return TSkinControl::BeforeMessage(m);
    }
}

void TComboxScrollBar::AfterMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_NCPAINT:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
    case WM_KEYDOWN:
    case LB_SETTOPINDEX:
    case LB_SETCURSEL:
    case LbcbStartTrack:
        PaintSkin(nullptr);
        break;
    default:
        TSkinControl::AfterMessage(m);
        break;
    }
}

void TComboxScrollBar::DrawSkin(HDC dc, const RECT&) {
    if (!SkinData || !dc) return;
    SCROLLBARINFO info{};
    if (!ScrollBarInfo(Handle, OBJID_VSCROLL, info) || (info.rgstate[0] & STATE_SYSTEM_INVISIBLE)) return;
    RECT window{};
    GetWindowRect(Handle, &window);
    RECT bar = info.rcScrollBar;
    OffsetRect(&bar, -window.left, -window.top);
    const SIZE size{bar.right - bar.left, bar.bottom - bar.top};
    if (size.cx <= 0 || size.cy <= 0) return;
    ThumbStart = info.xyThumbTop;
    ThumbEnd = info.xyThumbBottom;
    TScrollBarLook look;
    look.Vertical = true;
    look.Enabled = !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
    look.ButtonSize = ButtonSize;
    look.ThumbStart = ThumbStart;
    look.ThumbEnd = ThumbEnd;
    PaintScrollBarLook(dc, bar, size, ScrollBarThickness(Skin(), ButtonSize), Skin(), look);
}

bool TComboxScrollBar::DragThumb(const TMessage& m) {
    SCROLLBARINFO info{};
    if (!ScrollBarInfo(Handle, OBJID_VSCROLL, info)) return false;
    const POINT click = PointFromLParam(m.LParam);
    const int a = click.y - info.rcScrollBar.top;
    if (a < info.xyThumbTop || a > info.xyThumbBottom) return false;
    HWND list = Handle;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = ScrollInfoMask;
    if (!GetScrollInfo(list, SB_VERT, &si)) return false;
    const int off = info.xyThumbTop - ButtonSize;
    const int track = (info.rcScrollBar.bottom - info.rcScrollBar.top) - 2 * ButtonSize;
    const int thumb = info.xyThumbBottom - info.xyThumbTop;
    // From the current position: a release without a move leaves the list where it is.
    int last = si.nPos;
    DragRequests = 0;
    const std::weak_ptr<bool> alive = FAlive;
    SetCapture(list);
    auto moveTo = [&](int screenY) {
        const int pos = ComboDragPosition(off + (screenY - click.y), track, thumb, si);
        if (pos == last) return;
        last = pos;
        ++DragRequests;
        SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, pos), 0);
    };
    bool ended = false;
    while (!ended) {
        if (alive.expired() || !IsWindow(list) || GetCapture() != list) break;
        MSG msg{};
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            // Nothing to do until a message comes (or a moment passes, to see a lost capture).
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
            continue;
        }
        switch (msg.message) {
        case WM_QUIT:
            // The loop outside must see it too.
            PostQuitMessage(static_cast<int>(msg.wParam));
            ended = true;
            break;
        case WM_MOUSEMOVE:
        case WM_NCMOUSEMOVE: {
            DispatchMessageW(&msg);
            if (alive.expired() || !IsWindow(list)) {
                ended = true;
                break;
            }
            POINT p = PointFromLParam(msg.lParam);
            if (msg.message == WM_MOUSEMOVE) {
                if (!(msg.wParam & MK_LBUTTON)) {
                    ended = true; // the button went up where this loop could not see it
                    break;
                }
                ClientToScreen(msg.hwnd, &p);
            }
            moveTo(p.y);
            break;
        }
        case WM_LBUTTONUP:
        case WM_NCLBUTTONUP:
            ended = true;
            break;
        default:
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
            break;
        }
    }
    if (IsWindow(list)) {
        if (!alive.expired()) ++DragRequests;
        SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, last), 0);
        PostMessageW(list, WM_VSCROLL, SB_ENDSCROLL, 0);
        if (GetCapture() == list) ReleaseCapture();
    }
    return true;
}

} // namespace orvo

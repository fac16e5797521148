// The scroll bar overlay: placing, painting, and handing presses to the platform's bar.
#include "skin/controls/scroll_overlay.h"

#include "framework/base/prop_access.h"
#include "framework/base/properties.h"
#include "framework/window/display_scale.h"
#include "skin/controls/control_skin.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_protocol.h"
#include "skin/data/user32_optional.h"

#include <algorithm>
#include <vector>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TWScrollbar);

namespace {

// Overlays abandoned while the platform tracked a press on them, freed once it has returned
// (from a timer, outside every window procedure of theirs).
std::vector<TWScrollbar*>& Abandoned() {
    static std::vector<TWScrollbar*> list;
    return list;
}
UINT_PTR GFreeTimer = 0;

void CALLBACK FreeAbandoned(HWND, UINT, UINT_PTR, DWORD) {
    KillTimer(nullptr, GFreeTimer);
    GFreeTimer = 0;
    std::vector<TWScrollbar*> list;
    list.swap(Abandoned());
    for (TWScrollbar* bar : list) delete bar;
}

void FreeSoon(TWScrollbar* bar) {
    Abandoned().push_back(bar);
    if (!GFreeTimer) GFreeTimer = SetTimer(nullptr, 0, 0, FreeAbandoned);
}

LPARAM PackPoint(POINT p) {
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(p.x)), static_cast<WORD>(static_cast<short>(p.y)));
}

} // namespace

TWScrollbar::TWScrollbar(TSkinControl* skinOwner) : TCustomControl(nullptr), SkinOwner(skinOwner) {
    ButtonSize = SystemMetricForDpi(SM_CXHSCROLL, skinOwner ? skinOwner->Dpi() : SystemDpi());
    SetVisible(false);
    SetTabStop(false);
}

TWScrollbar::~TWScrollbar() {
    *FAlive = false;
}

void TWScrollbar::Release(TWScrollbar*& bar) noexcept {
    TWScrollbar* b = std::exchange(bar, nullptr);
    if (!b) return;
    if (!b->Pressed) {
        delete b;
        return;
    }
    // The platform's tracking is running inside this overlay's press: freeing it now would
    // return into a dead object. Hidden now, freed when the press has returned.
    b->FAbandoned = true;
    b->SkinOwner = nullptr;
    b->TargetControl = nullptr;
    if (b->HandleAllocated()) ShowWindow(b->Handle(), SW_HIDE);
    b->Showing = false;
}

void TWScrollbar::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.ExStyle |= WS_EX_TOOLWINDOW;
    params.Style &= ~WS_TABSTOP;
    params.Style |= WS_CLIPSIBLINGS;
}

void TWScrollbar::AttachToControl(TSkinControl* skinOwner, TControl* control, int kind) {
    SkinOwner = skinOwner;
    TargetControl = control;
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (!windowed) return;
    Kind = static_cast<std::uint8_t>(kind);
    Vertical = kind == 1 ? 1 : 0;
    if (kind == 2)
        Vertical = LowerText(GetPropValue(control, L"Kind").value_or(L"")) == L"sbhorizontal" ? 0 : 1;
    if (skinOwner && skinOwner->SkinData) SetColor(skinOwner->SkinData->Colour(scButtonFace));
    HWND target = windowed->Handle();
    SetParentWindow(GetParent(target));
    UpdatePosition(target);
}

void TWScrollbar::AttachToWindow(TSkinControl* skinOwner, HWND window, int kind) {
    SkinOwner = skinOwner;
    TargetControl = nullptr;
    Kind = static_cast<std::uint8_t>(kind == 1 ? 1 : 0);
    Vertical = Kind;
    if (skinOwner && skinOwner->SkinData) SetColor(skinOwner->SkinData->Colour(scButtonFace));
    SetParentWindow(GetParent(window));
    UpdatePosition(window);
}

void TWScrollbar::HideBar() {
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
    Showing = false;
    SetVisible(false);
}

bool TWScrollbar::ReadBarInfo(SCROLLBARINFO& info) {
    info = SCROLLBARINFO{};
    info.cbSize = sizeof info;
    if (!Target || !IsWindow(Target)) return false;
    if (Kind == 0) return ScrollBarInfo(Target, OBJID_HSCROLL, info);
    if (Kind == 1) return ScrollBarInfo(Target, OBJID_VSCROLL, info);
    if (!TargetControl) return false;
    // A scroll bar control: its bounds, and the thumb where the platform puts it.
    info.rcScrollBar = TargetControl->BoundsRect();
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = ScrollInfoMask;
    if (!GetScrollInfo(Target, SB_CTL, &si)) return false;
    const RECT& r = info.rcScrollBar;
    const int length = Vertical ? r.bottom - r.top : r.right - r.left;
    const TThumbExtent thumb = ControlThumb(length, ButtonSize, si);
    info.xyThumbTop = thumb.Start;
    info.xyThumbBottom = thumb.End;
    if (!IsWindowEnabled(Target)) info.rgstate[0] |= STATE_SYSTEM_UNAVAILABLE;
    return true;
}

void TWScrollbar::PlaceAt(POINT p, SIZE size) {
    HWND self = Handle();
    HWND above = GetWindow(Target, GW_HWNDPREV);
    UINT flags = SWP_NOACTIVATE | SWP_SHOWWINDOW;
    if (above == self)
        flags |= SWP_NOZORDER;
    else if (!above)
        above = HWND_TOP;
    SetWindowPos(self, above, p.x, p.y, size.cx, size.cy, flags);
}

void TWScrollbar::UpdatePosition(HWND window) {
    Target = window;
    SCROLLBARINFO info{};
    if (!ReadBarInfo(info)) {
        Showing = false;
        return;
    }
    const RECT& bar = info.rcScrollBar;
    const SIZE size{bar.right - bar.left, bar.bottom - bar.top};
    const bool noImage = !SkinOwner || !SkinOwner->SkinData || !HasImage(SkinOwner->Skin().Scrollbar());
    if (!(GetWindowLongPtrW(Target, GWL_STYLE) & WS_VISIBLE) || (info.rgstate[0] & STATE_SYSTEM_INVISIBLE) ||
        size.cx <= 0 || size.cy <= 0 || noImage) {
        // Without the skin's image the platform's own bar shows.
        HideBar();
        return;
    }
    HWND parent = GetParent(Target);
    if (!parent) {
        HideBar();
        return;
    }
    if (ParentWindow() != parent) SetParentWindow(parent);
    POINT p{bar.left, bar.top};
    if (Kind == 2) {
        BarRect = RECT{0, 0, size.cx, size.cy};
    } else {
        BarOrigin = p;
        POINT a{bar.left, bar.top};
        POINT z{bar.right, bar.bottom};
        ::ScreenToClient(Target, &a);
        ::ScreenToClient(Target, &z);
        BarRect = RECT{a.x, a.y, z.x, z.y};
        ::ScreenToClient(parent, &p);
    }
    BarLength = Vertical ? size.cy : size.cx;
    Showing = true;
    SetVisible(true);
    PlaceAt(p, size);
    Invalidate();
}

int TWScrollbar::HitTest(POINT p) const noexcept {
    return ScrollHitTest(Vertical ? p.y : p.x, ButtonSize, ThumbStart, ThumbEnd, BarLength);
}

void TWScrollbar::TrackThumb() {
    POINT cursor{};
    GetCursorPos(&cursor);
    const int length = ThumbEnd - ThumbStart;
    const int travel = Vertical ? cursor.y - DragCursor.y : cursor.x - DragCursor.x;
    ThumbStart = TrackThumbStart(DragThumbStart, travel, length, ButtonSize, BarLength);
    ThumbEnd = ThumbStart + length;
}

void TWScrollbar::ScrollRequest(int code) {
    const int part = (code == SB_ENDSCROLL || code == SB_THUMBPOSITION) ? shNone : code;
    // Outside a press only the end of a request shows (a wheel or a program's request lights
    // nothing).
    HotPart = Pressed ? part : (part == shNone ? shNone : HotPart);
    if (Showing) Invalidate();
}

TWScrollbar::TShown TWScrollbar::CurrentState() {
    TShown s;
    if (!Target) return s;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    const int bar = Kind == 2 ? SB_CTL : (Vertical ? SB_VERT : SB_HORZ);
    if (GetScrollInfo(Target, bar, &si)) {
        s.Pos = Pressed ? si.nTrackPos : si.nPos;
        s.Min = si.nMin;
        s.Max = si.nMax;
        s.Page = static_cast<int>(si.nPage);
    }
    s.State = IsWindowEnabled(Target) ? 1 : 0;
    return s;
}

void TWScrollbar::RefreshIfChanged() {
    if (!Showing) return;
    if (CurrentState() != FShown) Invalidate();
}

void TWScrollbar::Paint() {
    if (!SkinOwner || !SkinOwner->SkinData) return;
    // The skin and the system's arrow size at the control's DPI (it may have moved since).
    TSkinElementAccess& skin = SkinOwner->Skin();
    ButtonSize = SystemMetricForDpi(SM_CXHSCROLL, SkinOwner->Dpi());
    SCROLLBARINFO info{};
    if (!ReadBarInfo(info) || (info.rgstate[0] & STATE_SYSTEM_INVISIBLE)) return;
    FShown = CurrentState();
    RECT client{};
    GetClientRect(Handle(), &client);
    const RECT& bar = info.rcScrollBar;
    const SIZE size{bar.right - bar.left, bar.bottom - bar.top};
    if (size.cx < 0 || size.cy < 0 || size.cx > client.right || size.cy > client.bottom) return;
    BarLength = Vertical ? size.cy : size.cx;
    const int k = ScrollBarThickness(skin, ButtonSize);
    if (Pressed && HotPart == shThumb && Kind != 2) {
        TrackThumb();
    } else {
        ThumbStart = info.xyThumbTop;
        ThumbEnd = info.xyThumbBottom;
    }
    TScrollBarLook look;
    look.Vertical = Vertical != 0;
    look.Enabled = !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
    look.ButtonSize = ButtonSize;
    look.HotPart = HotPart;
    look.Pressed = Pressed;
    look.ThumbStart = ThumbStart;
    look.ThumbEnd = ThumbEnd;
    HDC dc = Canvas()->Handle();
    if (Kind == 2) {
        // A control thicker than the skin's bar: the bar is drawn at the skin's thickness and
        // stretched over the whole overlay.
        const SIZE composed = look.Vertical ? SIZE{k, BarLength} : SIZE{BarLength, k};
        PaintScrollBarLook(dc, client, composed, k, skin, look);
    } else {
        PaintScrollBarLook(dc, RECT{0, 0, size.cx, size.cy}, size, k, skin, look);
    }
}

void TWScrollbar::HoverAt(const TMessage& m) {
    const int part = HitTest(PointFromLParam(m.LParam));
    if (part != HotPart) {
        HotPart = part;
        Invalidate();
    }
    TrackMouseLeave(Handle());
}

void TWScrollbar::HoverEnd() {
    if (Pressed) return;
    HotPart = shNone;
    Invalidate();
}

void TWScrollbar::PressAt(TMessage& m) {
    POINT p = PointFromLParam(m.LParam);
    GetCursorPos(&DragCursor);
    SCROLLBARINFO info{};
    if (ReadBarInfo(info)) DragThumbStart = info.xyThumbTop;
    HotPart = HitTest(p);
    if (Kind != 2) {
        BarOrigin = POINT{info.rcScrollBar.left, info.rcScrollBar.top};
        p.x += BarOrigin.x;
        p.y += BarOrigin.y;
    }
    Pressed = true;
    Invalidate();
    Update();
    ReleaseCapture();
    // The platform's tracking runs inside this call; what it dispatches may free this overlay's
    // owner (its release is deferred while Pressed) or the control.
    const std::weak_ptr<bool> alive = FAlive;
    HWND target = Target;
    if (Kind == 2)
        SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, PackPoint(p));
    else
        SendMessageW(target, WM_NCLBUTTONDOWN, Kind == 1 ? HTVSCROLL : HTHSCROLL, PackPoint(p));
    if (alive.expired()) return;
    Pressed = false;
    ReleaseCapture();
    if (FAbandoned) {
        FreeSoon(this);
        return;
    }
    Invalidate();
}

void TWScrollbar::ReleaseAt(TMessage& m) {
    POINT p = PointFromLParam(m.LParam);
    Pressed = false;
    ReleaseCapture();
    if (!Target || !IsWindow(Target)) return;
    if (Kind == 2) {
        PostMessageW(Target, WM_LBUTTONUP, MK_LBUTTON, PackPoint(p));
    } else {
        p.x += BarOrigin.x;
        p.y += BarOrigin.y;
        PostMessageW(Target, WM_NCLBUTTONUP, Kind == 1 ? HTVSCROLL : HTHSCROLL, PackPoint(p));
    }
    Invalidate();
}

void TWScrollbar::WndProc(TMessage& m) {
    switch (m.Msg) {
    case SKM_ISSKINNED:
        m.Result = 1;
        return;
    case WM_ERASEBKGND:
        m.Result = 1;
        return;
    case WM_MOUSEMOVE:
        TCustomControl::WndProc(m);
        if (!FAbandoned) HoverAt(m);
        return;
    case WM_MOUSELEAVE:
        TCustomControl::WndProc(m);
        HoverEnd();
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        m.Result = 0;
        if (!FAbandoned && Target) PressAt(m);
        return;
    case WM_LBUTTONUP:
        m.Result = 0;
        if (!FAbandoned) ReleaseAt(m);
        return;
    case WM_MOUSEACTIVATE:
        m.Result = MA_NOACTIVATE;
        return;
    default:
        TCustomControl::WndProc(m);
    }
}

} // namespace orvo

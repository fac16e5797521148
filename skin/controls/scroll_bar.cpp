// Scroll bar overlays, the control skins that own them, and the drop-down list's painted bar.
//
// Not done: a right-to-left control's vertical bar on the left is covered like any other (the
// platform's rectangle says where it is), but its arrows are not mirrored.
#include "skin/controls/scroll_bar.h"

#include "framework/base/prop_access.h"
#include "framework/controls/control.h"
#include "framework/graphics/gdi_handle.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_protocol.h"
#include "skin/data/skin_trace.h"
#include "skin/data/user32_optional.h"
#include "skin/draw/draw_helpers.h"
#include "skin/draw/skin_draw.h"
#include "skin/form/form_skin.h"

#include <algorithm>
#include <vector>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TWScrollbar);
ORVO_IMPLEMENT_CLASS(TSkinScrollbar);
ORVO_IMPLEMENT_CLASS(TSkinScrollbarH);
ORVO_IMPLEMENT_CLASS(TSkinScControl);
ORVO_IMPLEMENT_CLASS(TComboxScrollBar);

namespace {

constexpr int ScrollbarFrames = 23;
constexpr int TrackFrames = 4;
constexpr int ThumbFrames = 3; // normal, pressed, hot, when the skin does not say
constexpr UINT ScrollInfoMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS; // 23
constexpr UINT LbcbStartTrack = 0x1AE; // the combo box tells its list to start tracking
// The edit and list box request ranges (EM_GETSEL..EM_GETIMESTATUS, LB_ADDSTRING..LB_MSGMAX).
constexpr UINT EditFirst = 0x00B0, EditLast = 0x00DA;
constexpr UINT ListFirst = 0x0180, ListLast = 0x01B3;

TMargins MarginsOf(const TDataSkinObject& e) {
    return TMargins{e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight};
}

bool HasImage(const TDataSkinObject* e) {
    return e && !e->Image.Empty();
}

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

POINT ClientOffsetOf(HWND window) {
    RECT w{};
    GetWindowRect(window, &w);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return POINT{origin.x - w.left, origin.y - w.top};
}

} // namespace

// ---- plain geometry --------------------------------------------------------------------------

int ScrollHitTest(int a, int buttonSize, int thumbStart, int thumbEnd, int barLength) noexcept {
    if (a < buttonSize) return shFirstArrow;
    if (a < thumbStart) return shPageBefore;
    if (a < thumbEnd) return shThumb;
    if (a < barLength - buttonSize) return shPageAfter;
    return shSecondArrow;
}

TThumbExtent ControlThumb(int barLength, int b, const SCROLLINFO& si) noexcept {
    const int d = si.nMax == si.nMin ? 9999999 : si.nMax - si.nMin;
    const int offset = si.nPos - si.nMin;
    const bool atStart = si.nPos == si.nMin;
    int t = 0;
    int s = 0;
    if (si.nPage != 0) {
        t = MulDiv(barLength - 2 * b, static_cast<int>(si.nPage) - 1, d);
        if (t > 7) {
            s = atStart ? b : MulDiv(barLength - 2 * b, offset, d) + b;
        } else {
            t = 8;
            s = atStart ? b : MulDiv(barLength - 2 * b - 8, offset, d) + b;
        }
    } else {
        t = b;
        s = atStart ? b : MulDiv(barLength - 3 * b, offset, d) + b;
    }
    return TThumbExtent{s, s + t};
}

int TrackThumbStart(int dragThumbStart, int cursorTravel, int thumbLength, int buttonSize, int barLength) noexcept {
    int start = dragThumbStart + cursorTravel;
    start = std::max(start, buttonSize);
    start = std::min(start, barLength - buttonSize - thumbLength);
    return start;
}

int ComboDragPosition(int n, int track, int thumb, const SCROLLINFO& si) noexcept {
    n = std::max(n, 0);
    const int room = track - thumb;
    int pos = si.nMin;
    if (si.nPage != 0) {
        const int page = static_cast<int>(si.nPage);
        if (room > 0) {
            if (n > room) n = room + 1;
            pos = MulDiv(n, si.nMax - si.nMin - page, room) + si.nMin;
        }
        if (pos >= si.nMax - page) pos = si.nMax - page + 1;
    } else if (track > 0) {
        pos = MulDiv(std::min(room, n), si.nMax - si.nMin, track) + si.nMin;
        pos = std::min(pos, si.nMax);
    }
    return std::max(pos, si.nMin);
}

int ScrollArrowFrame(bool vertical, bool second, int hotPart, bool pressed) noexcept {
    const int base = vertical ? (second ? 13 : 9) : (second ? 5 : 1);
    if (hotPart == (second ? shSecondArrow : shFirstArrow)) return base + (pressed ? 1 : 3);
    return base;
}

RECT ScrollCornerBox(const RECT& vertBar, const RECT& horzBar, POINT offset) noexcept {
    return RECT{vertBar.left + offset.x, horzBar.top + offset.y, vertBar.right + offset.x, horzBar.bottom + offset.y};
}

int ScrollBarThickness(TSkinData& skin, int buttonSize) noexcept {
    TDataSkinObject* strip = skin.Scrollbar();
    if (!HasImage(strip)) return buttonSize;
    const int k = strip->Image.Height();
    return std::abs(k - buttonSize) > 2 ? buttonSize : k;
}

bool PaintScrollBarLook(HDC dc, const RECT& dest, SIZE size, int thickness, TSkinData& skin,
                        const TScrollBarLook& look) {
    TDataSkinObject* strip = skin.Scrollbar();
    if (!HasImage(strip) || size.cx <= 0 || size.cy <= 0) return false;
    draw_detail::TScratch scratch(size.cx, size.cy);
    HDC b = scratch.Dc();
    if (!b) return false;
    SetStretchBltMode(b, COLORONCOLOR);
    RECT all{0, 0, size.cx, size.cy};
    {
        TBrushHandle face(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(skin.Colour(scButtonFace)))));
        FillRect(b, &all, face.Get());
    }
    RECT r = all;
    if (look.Vertical)
        r.right = std::min<LONG>(r.right, thickness);
    else
        r.bottom = std::min<LONG>(r.bottom, thickness);
    const int along = look.Vertical ? size.cy : size.cx;
    const int k = look.Vertical ? r.right : r.bottom;
    const int button = look.ButtonSize;

    // The track between the arrows; Tile always comes from HorzScroll.
    TDataSkinObject* track = look.Vertical ? skin.VertScroll() : skin.HorzScroll();
    TDataSkinObject* horzTrack = skin.HorzScroll();
    if (HasImage(track)) {
        RECT t = r;
        if (look.Vertical) {
            t.top += button;
            t.bottom -= button;
        } else {
            t.left += button;
            t.right -= button;
        }
        if (t.right > t.left && t.bottom > t.top)
            DrawSliced(b, t, track->Image, TrackFrames, look.Enabled ? 1 : 3, false, MarginsOf(*track),
                       horzTrack && horzTrack->Tile != 0, track->Trans != 0);
    }

    // Arrows: half the bar each when it is shorter than two.
    const int arrow = 2 * button > along ? along / 2 : button;
    RECT first = r;
    RECT second = r;
    if (look.Vertical) {
        first.bottom = first.top + arrow;
        second.top = r.bottom - arrow;
    } else {
        first.right = first.left + arrow;
        second.left = r.right - arrow;
    }
    auto arrowFrame = [&](bool isSecond) {
        const int frame = ScrollArrowFrame(look.Vertical, isSecond, look.HotPart, look.Pressed);
        // A disabled bar shows its arrows' disabled frames.
        return look.Enabled ? frame : ScrollArrowFrame(look.Vertical, isSecond, shNone, false) + 2;
    };
    DrawFrameStrip(b, first, strip->Image, true, ScrollbarFrames, arrowFrame(false));
    DrawFrameStrip(b, second, strip->Image, true, ScrollbarFrames, arrowFrame(true));

    if (look.Enabled) {
        const bool hotThumb = look.HotPart == shThumb;
        TDataSkinObject* horzThumb = skin.HorzScrollThumb();
        TDataSkinObject* thumb = look.Vertical ? skin.VertScrollThumb() : horzThumb;
        const int s = look.ThumbStart;
        const int e = look.ThumbEnd;
        if (HasImage(thumb) && horzThumb && s < along && e < along && e > s) {
            const int frame = hotThumb ? (look.Pressed ? 2 : 3) : 1;
            const int frames = horzThumb->Frame > 0 ? horzThumb->Frame : ThumbFrames;
            const RECT t = look.Vertical ? RECT{0, s, k, e} : RECT{s, 0, e, k};
            DrawSliced(b, t, thumb->Image, frames, frame, false, MarginsOf(*thumb), false, horzThumb->Trans != 0);
        }
        // The grip, centred on the thumb when the thumb is long enough.
        const int g = strip->Image.Height();
        const int length = e - s;
        if (g < length + 2 && length > 0) {
            const int at = s + (length - g) / 2;
            int frame = look.Vertical ? 20 : 17;
            if (hotThumb) frame += look.Pressed ? 1 : 2;
            const RECT grip = look.Vertical ? RECT{0, at, k, at + g} : RECT{at, 0, at + g, k};
            if (at >= 0 && at + g <= along) DrawFrameStrip(b, grip, strip->Image, true, ScrollbarFrames, frame);
        }
    }

    const int dw = dest.right - dest.left;
    const int dh = dest.bottom - dest.top;
    if (dw == size.cx && dh == size.cy)
        BitBlt(dc, dest.left, dest.top, dw, dh, b, 0, 0, SRCCOPY);
    else if (dw > 0 && dh > 0) {
        const int old = SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, dest.left, dest.top, dw, dh, b, 0, 0, size.cx, size.cy, SRCCOPY);
        SetStretchBltMode(dc, old);
    }
    return true;
}

// ---- the overlay -----------------------------------------------------------------------------

TWScrollbar::TWScrollbar(TSkinControl* skinOwner) : TCustomControl(nullptr), SkinOwner(skinOwner) {
    ButtonSize = GetSystemMetrics(SM_CXHSCROLL);
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
    const bool noImage = !SkinOwner || !SkinOwner->SkinData || !HasImage(SkinOwner->SkinData->Scrollbar());
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
    TSkinData& skin = *SkinOwner->SkinData;
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

// ---- TSkinScrollbar --------------------------------------------------------------------------

TSkinScrollbar::~TSkinScrollbar() {
    ReleaseBars();
}

void TSkinScrollbar::ReleaseBars() noexcept {
    TWScrollbar::Release(HorzBar);
    TWScrollbar::Release(VertBar);
}

void TSkinScrollbar::AttachControl(TWinSkinForm* form, TSkinData* skinData, bool, TCanvas* formCanvas) {
    AttachScrollbars(dynamic_cast<TControl*>(Owner()), skinData, form, formCanvas);
}

void TSkinScrollbar::AttachScrollbars(TControl* control, TSkinData* skinData, TWinSkinForm* form,
                                      TCanvas* formCanvas) {
    if (Attached) return;
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (!windowed) return;
    try {
        Handle = windowed->Handle();
    } catch (...) {
        return;
    }
    SkinData = skinData;
    FormCanvas = formCanvas;
    Control = control;
    Unicode = IsWindowUnicode(Handle) != FALSE;
    RegisterWithForm(form);
    OwnBorder = EnumProp(L"BorderStyle") != L"bsnone";
    if (control->ClassName() == L"TImageScrollBox" || Mode == 1) OwnBorder = false;
    if (auto fixed = GetOrdProp(control, L"FixedColor"); fixed && SkinData) {
        FSavedFixedColor = *fixed;
        FFixedColorReplaced = SetOrdProp(control, L"FixedColor", SkinData->Colour(scButtonFace));
    }
    HorzBar = new TWScrollbar(this);
    VertBar = new TWScrollbar(this);
    HorzBar->AttachToControl(this, control, 0);
    VertBar->AttachToControl(this, control, 1);
    HorzBar->SetEnabled(control->Enabled());
    VertBar->SetEnabled(control->Enabled());
    if (!control->Visible()) {
        HorzBar->HideBar();
        VertBar->HideBar();
    }
    HookControl(control);
    Attached = true;
    State = TSkinControlState::Attached;
    if (OwnBorder) RedrawWindow(Handle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TSkinScrollbar::Unskin() {
    if (!Active) return;
    // A dead control's properties are not written (its window is gone, the object may be too).
    if (FFixedColorReplaced && State != TSkinControlState::Destroyed && Control)
        SetOrdProp(Control, L"FixedColor", FSavedFixedColor);
    FFixedColorReplaced = false;
    TSkinControl::Unskin();
    if (State != TSkinControlState::Destroyed) {
        ReleaseBars();
        RedrawWindow(Handle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    } else {
        if (HorzBar) HorzBar->HideBar();
        if (VertBar) VertBar->HideBar();
    }
}

void TSkinScrollbar::SkinChanged() {
    if (FFixedColorReplaced && Control && SkinData) SetOrdProp(Control, L"FixedColor", SkinData->Colour(scButtonFace));
    UpdateBars();
    TSkinControl::SkinChanged();
}

void TSkinScrollbar::UpdateBars() {
    if (HorzBar) HorzBar->UpdatePosition(Handle);
    if (VertBar) VertBar->UpdatePosition(Handle);
}

void TSkinScrollbar::DrawBorder(HDC dc) const {
    if (!dc || !SkinData) return;
    RECT r{};
    GetWindowRect(Handle, &r);
    OffsetRect(&r, -r.left, -r.top);
    TBrushHandle shadow(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(SkinData->Colour(scButtonShadow)))));
    TBrushHandle face(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(SkinData->Colour(scButtonFace)))));
    FrameRect(dc, &r, shadow.Get());
    InflateRect(&r, -1, -1);
    FrameRect(dc, &r, face.Get());
}

bool TSkinScrollbar::BeforeMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_NCPAINT: {
        if (!OwnBorder) return true;
        CallDefault(m);
        HDC dc = GetWindowDC(Handle);
        if (dc) {
            DrawBorder(dc);
            ReleaseDC(Handle, dc);
        }
        return false;
    }
    case WM_NCDESTROY:
        if (HorzBar) HorzBar->HideBar();
        if (VertBar) VertBar->HideBar();
        return TSkinControl::BeforeMessage(m);
    case SKM_PAINTINTO:
    case SKM_PAINTCONTROLINTO:
        if (m.LParam != SkmPaintMagic) return true;
        if (m.WParam) {
            HDC dc = reinterpret_cast<HDC>(m.WParam);
            TSavedDc saved(dc);
            if (OwnBorder) DrawBorder(dc);
            RECT r{};
            GetWindowRect(Handle, &r);
            OffsetRect(&r, -r.left, -r.top);
            DrawSkin(dc, r);
        }
        m.Result = SkmPaintMagic;
        return false;
    default:
        return TSkinControl::BeforeMessage(m);
    }
}

void TSkinScrollbar::AfterMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
        UpdateBars();
        break;
    case WM_HSCROLL:
        if (HorzBar) HorzBar->ScrollRequest(LOWORD(m.WParam));
        break;
    case WM_VSCROLL:
        if (VertBar) VertBar->ScrollRequest(LOWORD(m.WParam));
        break;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
        for (TWScrollbar* bar : {HorzBar, VertBar})
            if (bar && bar->Showing) bar->Invalidate();
        break;
    case CM_VISIBLECHANGED:
        if (m.WParam) {
            UpdateBars();
        } else {
            if (HorzBar) HorzBar->HideBar();
            if (VertBar) VertBar->HideBar();
        }
        break;
    case CM_ENABLEDCHANGED:
        for (TWScrollbar* bar : {HorzBar, VertBar})
            if (bar && Control) {
                bar->SetEnabled(Control->Enabled());
                bar->Invalidate();
            }
        TSkinControl::AfterMessage(m);
        break;
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_SETTEXT:
        for (TWScrollbar* bar : {HorzBar, VertBar})
            if (bar) bar->RefreshIfChanged();
        TSkinControl::AfterMessage(m);
        break;
    default:
        // A program's requests (adding lines, selecting, scrolling by code) move the thumb.
        if ((m.Msg >= EditFirst && m.Msg <= EditLast) || (m.Msg >= ListFirst && m.Msg <= ListLast) ||
            m.Msg >= WM_USER)
            for (TWScrollbar* bar : {HorzBar, VertBar})
                if (bar) bar->RefreshIfChanged();
        TSkinControl::AfterMessage(m);
        break;
    }
}

void TSkinScrollbar::DrawSkin(HDC dc, const RECT&) {
    const DWORD style = Style();
    for (auto [bar, flag] : {std::pair{VertBar, static_cast<DWORD>(WS_VSCROLL)}, std::pair{HorzBar, static_cast<DWORD>(WS_HSCROLL)}}) {
        if (!bar) continue;
        if (bar->Showing)
            bar->RefreshIfChanged();
        else if (style & flag)
            bar->UpdatePosition(Handle);
    }
    if (VertBar && HorzBar && VertBar->Showing && HorzBar->Showing && dc)
        FillFace(dc, ScrollCornerBox(VertBar->BarRect, HorzBar->BarRect, ClientOffsetOf(Handle)));
}

// ---- TSkinScrollbarH -------------------------------------------------------------------------

TSkinScrollbarH::~TSkinScrollbarH() {
    TWScrollbar::Release(HorzBar);
    TWScrollbar::Release(VertBar);
}

void TSkinScrollbarH::AttachWindow(HWND window, TSkinData* skinData, TWinSkinForm* form, TCanvas* formCanvas) {
    TSkinControl::AttachWindow(window, skinData, form, formCanvas);
    if (!Attached) return;
    HorzBar = new TWScrollbar(this);
    VertBar = new TWScrollbar(this);
    HorzBar->AttachToWindow(this, window, 0);
    VertBar->AttachToWindow(this, window, 1);
}

void TSkinScrollbarH::Unskin() {
    if (!Active) return;
    TSkinControl::Unskin();
    if (State != TSkinControlState::Destroyed) {
        TWScrollbar::Release(HorzBar);
        TWScrollbar::Release(VertBar);
    }
}

bool TSkinScrollbarH::BeforeMessage(TMessage& m) {
    if (m.Msg == WM_NCDESTROY) {
        if (HorzBar) HorzBar->HideBar();
        if (VertBar) VertBar->HideBar();
    }
    return TSkinControl::BeforeMessage(m);
}

void TSkinScrollbarH::AfterMessage(TMessage& m) {
    if (!IsWindowVisible(Handle)) {
        if (HorzBar) HorzBar->HideBar();
        if (VertBar) VertBar->HideBar();
    }
    switch (m.Msg) {
    case WM_SIZE:
    case WM_NCPAINT:
    case WM_WINDOWPOSCHANGED:
        if (HorzBar) HorzBar->UpdatePosition(Handle);
        if (VertBar) VertBar->UpdatePosition(Handle);
        break;
    case WM_HSCROLL:
        if (HorzBar) HorzBar->ScrollRequest(LOWORD(m.WParam));
        break;
    case WM_VSCROLL:
        if (VertBar) VertBar->ScrollRequest(LOWORD(m.WParam));
        break;
    default:
        if (m.Msg == WM_KEYDOWN || m.Msg == WM_MOUSEWHEEL || (m.Msg >= ListFirst && m.Msg <= ListLast))
            for (TWScrollbar* bar : {HorzBar, VertBar})
                if (bar) bar->RefreshIfChanged();
        TSkinControl::AfterMessage(m);
        break;
    }
}

void TSkinScrollbarH::DrawSkin(HDC dc, const RECT&) {
    for (TWScrollbar* bar : {VertBar, HorzBar})
        if (bar && bar->Showing) bar->RefreshIfChanged();
    if (VertBar && HorzBar && VertBar->Showing && HorzBar->Showing && dc)
        FillFace(dc, ScrollCornerBox(VertBar->BarRect, HorzBar->BarRect, ClientOffsetOf(Handle)));
}

// ---- TSkinScControl --------------------------------------------------------------------------

TSkinScControl::~TSkinScControl() {
    TWScrollbar::Release(Bar);
}

void TSkinScControl::AttachControl(TWinSkinForm* form, TSkinData* skinData, bool, TCanvas* formCanvas) {
    AttachScrollControl(dynamic_cast<TControl*>(Owner()), skinData, form, formCanvas);
}

void TSkinScControl::AttachScrollControl(TControl* control, TSkinData* skinData, TWinSkinForm* form,
                                         TCanvas* formCanvas) {
    if (Attached) return;
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (!windowed) return;
    try {
        Handle = windowed->Handle();
    } catch (...) {
        return;
    }
    SkinData = skinData;
    FormCanvas = formCanvas;
    Control = control;
    Unicode = IsWindowUnicode(Handle) != FALSE;
    RegisterWithForm(form);
    Bar = new TWScrollbar(this);
    Bar->SetShowHint(control->ShowHint());
    Bar->SetHint(control->Hint());
    Bar->AttachToControl(this, control, 2);
    if (!control->Visible()) Bar->HideBar();
    HookControl(control);
    Attached = true;
    State = TSkinControlState::Attached;
}

void TSkinScControl::Unskin() {
    if (!Active) return;
    TSkinControl::Unskin();
    if (State != TSkinControlState::Destroyed) TWScrollbar::Release(Bar);
}

bool TSkinScControl::BeforeMessage(TMessage& m) {
    if (m.Msg == WM_NCDESTROY && Bar) Bar->HideBar();
    return TSkinControl::BeforeMessage(m);
}

void TSkinScControl::AfterMessage(TMessage& m) {
    if (!Bar) return;
    switch (m.Msg) {
    case WM_WINDOWPOSCHANGED:
        Bar->UpdatePosition(Handle);
        break;
    case WM_NCPAINT:
        if (auto* windowed = dynamic_cast<TWinControl*>(Control); windowed && windowed->HandleAllocated())
            Handle = windowed->Handle();
        Bar->UpdatePosition(Handle);
        break;
    case CN_HSCROLL:
    case CN_VSCROLL:
        Bar->ScrollRequest(LOWORD(m.WParam));
        break;
    case SBM_SETSCROLLINFO:
    case SBM_SETPOS:
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW:
    case WM_ENABLE:
    case CM_ENABLEDCHANGED:
        Bar->Invalidate();
        break;
    case CM_VISIBLECHANGED:
        if (m.WParam)
            Bar->UpdatePosition(Handle);
        else
            Bar->HideBar();
        break;
    default:
        TSkinControl::AfterMessage(m);
        break;
    }
}

void TSkinScControl::DrawSkin(HDC, const RECT&) {
    if (Bar && Bar->Showing) Bar->Invalidate();
}

// ---- TComboxScrollBar ------------------------------------------------------------------------

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
    PaintScrollBarLook(dc, bar, size, ScrollBarThickness(*SkinData, ButtonSize), *SkinData, look);
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

// The skins of controls with scroll bars: their overlays kept in step with the control.
//
// Not done: a right-to-left control's vertical bar on the left is covered like any other (the
// platform's rectangle says where it is), but its arrows are not mirrored.
#include "skin/controls/scroll_bar.h"

#include "framework/base/prop_access.h"
#include "framework/controls/control.h"
#include "framework/graphics/gdi_handle.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_protocol.h"
#include "skin/form/item_colours.h"
#include "skin/form/window_colours.h"

#include <utility>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TSkinScrollbar);
ORVO_IMPLEMENT_CLASS(TSkinScrollbarH);
ORVO_IMPLEMENT_CLASS(TSkinScControl);

namespace {

// The edit and list box request ranges (EM_GETSEL..EM_GETIMESTATUS, LB_ADDSTRING..LB_MSGMAX).
constexpr UINT EditFirst = 0x00B0, EditLast = 0x00DA;
constexpr UINT ListFirst = 0x0180, ListLast = 0x01B3;

POINT ClientOffsetOf(HWND window) {
    RECT w{};
    GetWindowRect(window, &w);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return POINT{origin.x - w.left, origin.y - w.top};
}

// The skinned border of a bordered control: a ButtonShadow line and a ButtonFace line, over the
// platform's 2-pixel edge.
void DrawScrollBorder(HDC dc, HWND window, const TSkinData& skin) {
    if (!dc) return;
    RECT r{};
    GetWindowRect(window, &r);
    OffsetRect(&r, -r.left, -r.top);
    TBrushHandle shadow(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(skin.Colour(scButtonShadow)))));
    TBrushHandle face(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(skin.Colour(scButtonFace)))));
    FrameRect(dc, &r, shadow.Get());
    InflateRect(&r, -1, -1);
    FrameRect(dc, &r, face.Get());
}

} // namespace

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
    if (!BeginAttach(control, skinData, form, formCanvas)) return;
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
    if (SkinData) DrawScrollBorder(dc, Handle, *SkinData);
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
    case CN_NOTIFY:
        // A list or tree view's selected items in the skin's highlight.
        if (SkinData) RecolourCustomDraw(WindowPaletteOf(*SkinData), m);
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
    OwnBorder = OwnBorder && (ExStyle() & WS_EX_CLIENTEDGE);
    if (OwnBorder) RedrawWindow(Handle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TSkinScrollbarH::Unskin() {
    if (!Active) return;
    TSkinControl::Unskin();
    if (State != TSkinControlState::Destroyed) {
        TWScrollbar::Release(HorzBar);
        TWScrollbar::Release(VertBar);
        if (OwnBorder) RedrawWindow(Handle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    }
}

bool TSkinScrollbarH::BeforeMessage(TMessage& m) {
    if (m.Msg == WM_NCDESTROY) {
        if (HorzBar) HorzBar->HideBar();
        if (VertBar) VertBar->HideBar();
    }
    if (m.Msg == WM_NCPAINT && OwnBorder && SkinData) {
        CallDefault(m);
        if (HDC dc = GetWindowDC(Handle)) {
            DrawScrollBorder(dc, Handle, *SkinData);
            ReleaseDC(Handle, dc);
        }
        if (HorzBar) HorzBar->UpdatePosition(Handle);
        if (VertBar) VertBar->UpdatePosition(Handle);
        return false;
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
        // The list paints its frame (its own bars and the corner box) over the overlays' place:
        // they and the corner box are put back at once, not at the next paint.
        for (TWScrollbar* bar : {HorzBar, VertBar})
            if (bar) {
                bar->UpdatePosition(Handle);
                if (bar->Showing && bar->HandleAllocated())
                    RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            }
        if (m.Msg != WM_WINDOWPOSCHANGED) PaintSkin(nullptr);
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
    if (!BeginAttach(control, skinData, form, formCanvas)) return;
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


} // namespace orvo

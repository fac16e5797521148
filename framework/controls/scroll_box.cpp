#include "framework/controls/scroll_box.h"

#include "framework/base/properties.h"
#include "framework/base/streams.h"
#include "framework/base/sysutils.h"
#include "framework/controls/control_publish.h"
#include "framework/forms/form_parser.h"
#include "framework/forms/form_reader.h"

#include <algorithm>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TControlScrollBar);
ORVO_IMPLEMENT_CLASS(TScrollingWinControl);
ORVO_IMPLEMENT_CLASS(TScrollBox);
ORVO_IMPLEMENT_CLASS(TCustomFrame);
ORVO_IMPLEMENT_CLASS(TFrame);

// ---- TControlScrollBar -----------------------------------------------------------------------

void TControlScrollBar::Publish(TPublisher<TControlScrollBar>& p) {
    p.Integer(L"Range", &TControlScrollBar::Range, &TControlScrollBar::SetRange);
    p.Integer(L"Position", &TControlScrollBar::Position, &TControlScrollBar::SetPosition);
    p.Integer(L"Increment", &TControlScrollBar::Increment, &TControlScrollBar::SetIncrement);
    p.Boolean(L"Visible", &TControlScrollBar::Visible, &TControlScrollBar::SetVisible);
    p.Boolean(L"Tracking", &TControlScrollBar::Tracking, &TControlScrollBar::SetTracking);
    p.Integer(L"Margin", &TControlScrollBar::Margin, &TControlScrollBar::SetMargin);
}

int TControlScrollBar::Range() const noexcept {
    return FRange.At(FControl.CurrentDpi());
}

int TControlScrollBar::Increment() const noexcept {
    return FIncrement.At(FControl.CurrentDpi());
}

int TControlScrollBar::Margin() const noexcept {
    return FMargin.At(FControl.CurrentDpi());
}

void TControlScrollBar::SetRange(int range) {
    range = std::max(range, 0);
    if (range == Range()) return;
    FRange.Set(range, FControl.CurrentDpi());
    FControl.UpdateScrollBars();
}

void TControlScrollBar::SetPosition(int position) {
    if (!FControl.HandleAllocated() || FControl.ComponentState().Contains(csLoading)) {
        // Applied (and clamped) once the content is measured in a window.
        FPosition = std::max(position, 0);
        return;
    }
    const int other = FHorizontal ? FControl.VertScrollBar()->FPosition : FControl.HorzScrollBar()->FPosition;
    if (FHorizontal)
        FControl.ScrollTo(position, other);
    else
        FControl.ScrollTo(other, position);
}

void TControlScrollBar::SetIncrement(int increment) {
    FIncrement.Set(std::max(increment, 1), FControl.CurrentDpi());
}

void TControlScrollBar::SetVisible(bool visible) {
    if (visible == FVisible) return;
    FVisible = visible;
    FControl.UpdateScrollBars();
}

void TControlScrollBar::SetMargin(int margin) {
    FMargin.Set(std::max(margin, 0), FControl.CurrentDpi());
    FControl.UpdateScrollBars();
}

void TControlScrollBar::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TControlScrollBar*>(source);
    if (!other) {
        inherited::Assign(source);
        return;
    }
    FRange = TScaledLength{other->Range(), FControl.CurrentDpi()};
    FIncrement = TScaledLength{other->Increment(), FControl.CurrentDpi()};
    FVisible = other->FVisible;
    FTracking = other->FTracking;
    FMargin = TScaledLength{other->Margin(), FControl.CurrentDpi()};
    FControl.UpdateScrollBars();
    SetPosition(other->FPosition);
}

// ---- TScrollingWinControl --------------------------------------------------------------------

TScrollingWinControl::TScrollingWinControl(TComponent* owner)
    : TCustomControl(owner), FHorzScrollBar(std::make_unique<TControlScrollBar>(*this, true)),
      FVertScrollBar(std::make_unique<TControlScrollBar>(*this, false)) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
}

TScrollingWinControl::~TScrollingWinControl() = default;

void TScrollingWinControl::SetAutoScroll(bool value) {
    if (value == FAutoScroll) return;
    FAutoScroll = value;
    UpdateScrollBars();
}

void TScrollingWinControl::SetHorzScrollBar(TControlScrollBar* bar) {
    if (bar) FHorzScrollBar->Assign(bar);
}

void TScrollingWinControl::SetVertScrollBar(TControlScrollBar* bar) {
    if (bar) FVertScrollBar->Assign(bar);
}

int TScrollingWinControl::ClientSize(const TControlScrollBar& bar) {
    const RECT r = ClientRect();
    return bar.FHorizontal ? r.right - r.left : r.bottom - r.top;
}

void TScrollingWinControl::UpdateScrollBars() {
    // While the form is read the controls are not all there: measured once it is read.
    if (!HandleAllocated() || FUpdating || ComponentState().Contains(csLoading)) return;
    FUpdating = true;
    HWND window = Handle();
    for (TControlScrollBar* bar : {FHorzScrollBar.get(), FVertScrollBar.get()}) {
        if (bar->Range() > 0 || !FAutoScroll) {
            bar->FExtent = bar->Range();
            continue;
        }
        // The controls' extent without the scrolling.
        int extent = 0;
        for (int i = 0; i < ControlCount(); ++i) {
            const TControl* c = Controls(i);
            if (!c->Visible()) continue;
            extent = std::max(extent, bar->FHorizontal ? c->Left() + c->Width() + bar->FApplied
                                                       : c->Top() + c->Height() + bar->FApplied);
        }
        bar->FExtent = extent > 0 ? extent + bar->Margin() : 0;
    }
    // Twice: one bar appearing takes room from the other direction.
    for (int pass = 0; pass < 2; ++pass)
        for (TControlScrollBar* bar : {FHorzScrollBar.get(), FVertScrollBar.get()}) {
            const int client = ClientSize(*bar);
            bar->FShown = bar->FVisible && bar->FExtent > client;
            const int kind = bar->FHorizontal ? SB_HORZ : SB_VERT;
            SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
            if (bar->FShown) {
                info.nMax = bar->FExtent - 1;
                info.nPage = static_cast<UINT>(std::max(client, 0));
            }
            SetScrollInfo(window, kind, &info, TRUE);
            ShowScrollBar(window, kind, bar->FShown ? TRUE : FALSE);
        }
    FUpdating = false;
    ScrollTo(FHorzScrollBar->FPosition, FVertScrollBar->FPosition);
}

void TScrollingWinControl::ScrollTo(int x, int y) {
    if (!HandleAllocated()) return;
    const auto clamp = [this](const TControlScrollBar& bar, int position) {
        const int most = bar.FShown ? std::max(bar.FExtent - ClientSize(bar), 0) : 0;
        return std::clamp(position, 0, most);
    };
    x = clamp(*FHorzScrollBar, x);
    y = clamp(*FVertScrollBar, y);
    const int dx = FHorzScrollBar->FApplied - x;
    const int dy = FVertScrollBar->FApplied - y;
    FHorzScrollBar->FPosition = FHorzScrollBar->FApplied = x;
    FVertScrollBar->FPosition = FVertScrollBar->FApplied = y;
    SetScrollPos(Handle(), SB_HORZ, x, TRUE);
    SetScrollPos(Handle(), SB_VERT, y, TRUE);
    if (dx != 0 || dy != 0) ScrollBy(dx, dy);
}

void TScrollingWinControl::ScrollBy(int dx, int dy) {
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        c->SetBounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height());
    }
    Invalidate();
}

void TScrollingWinControl::ScrollInView(TControl* control) {
    if (!control || control == this || !ContainsControl(control) || !HandleAllocated() || !control->Parent())
        return;
    POINT topLeft = control->Parent()->ClientToScreen(POINT{control->Left(), control->Top()});
    topLeft = ScreenToClient(topLeft);
    const RECT client = ClientRect();
    const auto delta = [](int start, int size, int clientSize) {
        if (start < 0) return start;
        if (start + size > clientSize) return std::min(start + size - clientSize, start);
        return 0;
    };
    const int dx = delta(topLeft.x, control->Width(), client.right);
    const int dy = delta(topLeft.y, control->Height(), client.bottom);
    if (dx != 0 || dy != 0) ScrollTo(FHorzScrollBar->FPosition + dx, FVertScrollBar->FPosition + dy);
}

void TScrollingWinControl::HandleScroll(TControlScrollBar& bar, WORD code) {
    const int kind = bar.FHorizontal ? SB_HORZ : SB_VERT;
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(Handle(), kind, &info);
    int position = bar.FPosition;
    switch (code) {
    case SB_LINEUP:
        position -= bar.Increment();
        break;
    case SB_LINEDOWN:
        position += bar.Increment();
        break;
    case SB_PAGEUP:
        position -= static_cast<int>(info.nPage);
        break;
    case SB_PAGEDOWN:
        position += static_cast<int>(info.nPage);
        break;
    case SB_THUMBTRACK:
        if (!bar.FTracking) return;
        position = info.nTrackPos;
        break;
    case SB_THUMBPOSITION:
        position = info.nTrackPos;
        break;
    case SB_TOP:
        position = 0;
        break;
    case SB_BOTTOM:
        position = bar.FExtent;
        break;
    default:
        return;
    }
    if (bar.FHorizontal)
        ScrollTo(position, FVertScrollBar->FPosition);
    else
        ScrollTo(FHorzScrollBar->FPosition, position);
}

void TScrollingWinControl::CreateWnd() {
    TCustomControl::CreateWnd();
    // The controls keep their scrolled places in a new window: only its bars are set.
    UpdateScrollBars();
}

void TScrollingWinControl::ChangeScale(int oldDpi, int newDpi) {
    const POINT scrolled{FHorzScrollBar->FApplied, FVertScrollBar->FApplied};
    if (scrolled.x || scrolled.y) ScrollTo(0, 0);
    TCustomControl::ChangeScale(oldDpi, newDpi);
    UpdateScrollBars();
    if (scrolled.x || scrolled.y)
        ScrollTo(ScaleLengthBetween(scrolled.x, oldDpi, newDpi), ScaleLengthBetween(scrolled.y, oldDpi, newDpi));
}

void TScrollingWinControl::Loaded() {
    TCustomControl::Loaded();
    UpdateScrollBars();
}

void TScrollingWinControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (m.LParam == 0) { // the window's own bars; a scroll bar control's are reflected to it
            HandleScroll(m.Msg == WM_HSCROLL ? *FHorzScrollBar : *FVertScrollBar, LOWORD(m.WParam));
            m.Result = 0;
            return;
        }
        break;
    case WM_MOUSEWHEEL:
        if (FVertScrollBar->FShown) {
            ScrollTo(FHorzScrollBar->FPosition,
                     FVertScrollBar->FPosition - GET_WHEEL_DELTA_WPARAM(m.WParam) * 3 * FVertScrollBar->Increment() /
                                                     WHEEL_DELTA);
            m.Result = 0;
            return;
        }
        break;
    case WM_SIZE:
        TCustomControl::WndProc(m);
        UpdateScrollBars();
        return;
    case CM_FOCUSCHANGED:
        if (FAutoScroll) ScrollInView(reinterpret_cast<TControl*>(m.LParam));
        break;
    default:
        break;
    }
    TCustomControl::WndProc(m);
}

// ---- TScrollBox ------------------------------------------------------------------------------

TScrollBox::TScrollBox(TComponent* owner) : TScrollingWinControl(owner) {
    SetBounds(0, 0, 185, 41);
    SetParentColor(false);
    SetColor(clBtnFace);
}

void TScrollBox::Publish(TPublisher<TScrollBox>& p) {
    PublishColor(p);
    PublishFont(p);
    PublishScrolling(p);
    p.Enum(L"BorderStyle", BorderStyleType(), &TScrollBox::BorderStyle, &TScrollBox::SetBorderStyle);
}

void TScrollBox::CreateParams(TCreateParams& params) {
    TScrollingWinControl::CreateParams(params);
    if (FBorderStyle == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TScrollBox::SetBorderStyle(TBorderStyle style) {
    if (style == FBorderStyle) return;
    FBorderStyle = style;
    RecreateWnd();
}

// ---- frames ----------------------------------------------------------------------------------

TCustomFrame::TCustomFrame(TComponent* owner) : TScrollingWinControl(owner) {
    SetBounds(0, 0, 320, 240);
    SetParentBackground(true);
}

void TCustomFrame::AfterConstruction() {
    HMODULE module = GetModuleHandleW(nullptr);
    const std::wstring resource = FormResourceName(ClassInfo());
    if (!FindResourceW(module, resource.c_str(), RT_RCDATA)) return;
    TResourceStream stream(module, resource, RT_RCDATA);
    TFormObject form = ParseForm(
        std::string_view(reinterpret_cast<const char*>(stream.Memory()), static_cast<std::size_t>(stream.Size())));
    // Several instances live side by side: each takes a name still free among its owner's.
    if (Owner() && !form.Name.empty()) {
        const std::wstring base = form.Name;
        for (int n = 2; Owner()->FindComponent(form.Name) && Owner()->FindComponent(form.Name) != this; ++n)
            form.Name = base + IntToStr(n);
    }
    ReadForm(this, form);
}

TFrame::TFrame(TComponent* owner) : TCustomFrame(owner) {}

void TFrame::Publish(TPublisher<TFrame>& p) {
    PublishColor(p);
    PublishFont(p);
    p.Boolean(L"ParentBackground", &TFrame::ParentBackground, &TFrame::SetParentBackground);
    PublishScrolling(p);
}

} // namespace orvo

#include "framework/controls/scroll_bar.h"

#include "framework/base/exceptions.h"
#include "framework/base/properties.h"
#include "framework/window/display_scale.h"

#include <algorithm>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TScrollBar);

const TEnumType& ScrollBarKindType() {
    static const TEnumType type(L"TScrollBarKind", {L"sbHorizontal", L"sbVertical"});
    return type;
}

const TEnumType& ScrollCodeType() {
    static const TEnumType type(L"TScrollCode", {L"scLineUp", L"scLineDown", L"scPageUp", L"scPageDown",
                                                 L"scPosition", L"scTrack", L"scTop", L"scBottom",
                                                 L"scEndScroll"});
    return type;
}

void TScrollBar::Publish(TPublisher<TScrollBar>& p) {
    p.Enum(L"Kind", ScrollBarKindType(), &TScrollBar::Kind, &TScrollBar::SetKind);
    p.Integer(L"Min", &TScrollBar::Min, &TScrollBar::SetMin);
    p.Integer(L"Max", &TScrollBar::Max, &TScrollBar::SetMax);
    p.Integer(L"Position", &TScrollBar::Position, &TScrollBar::SetPosition);
    p.Integer(L"PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize);
    p.Integer(L"SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange);
    p.Integer(L"LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange);
    p.Event(L"OnScroll", &TScrollBar::OnScroll);
    p.Event(L"OnChange", &TScrollBar::OnChange);
}

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(TControlStyle{});
    // The system's bar at 96 DPI: a length given at the design DPI like every other.
    SetBounds(0, 0, 121, SystemMetricForDpi(SM_CYHSCROLL, DesignDpi));
    SetTabStop(true);
}

void TScrollBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.BaseClassName = L"SCROLLBAR";
    params.Style |= FKind == sbHorizontal ? SBS_HORZ : SBS_VERT;
}

void TScrollBar::CreateWnd() {
    TWinControl::CreateWnd();
    UpdateNative();
}

void TScrollBar::UpdateNative() {
    if (!HandleAllocated()) return;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = FMin;
    info.nMax = FMax;
    info.nPage = static_cast<UINT>(FPageSize);
    info.nPos = FPosition;
    SetScrollInfo(Handle(), SB_CTL, &info, TRUE);
}

int TScrollBar::MaxPosition() const noexcept {
    return FPageSize > 0 ? std::max(FMin, FMax - FPageSize + 1) : FMax;
}

void TScrollBar::SetParams(int position, int min, int max) {
    const bool loading = ComponentState().Contains(csLoading);
    if (!loading && (max < min || (FPageSize > 0 && FPageSize - 1 > max - min)))
        throw EInvalidOperation(L"Scroll bar property out of range");
    const bool moved = position != FPosition;
    FMin = min;
    FMax = max;
    FPosition = loading ? position : std::clamp(position, FMin, MaxPosition());
    UpdateNative();
    if (moved && !loading) Change();
}

void TScrollBar::SetPageSize(int value) {
    if (value < 0) value = 0;
    if (value == FPageSize) return;
    if (!ComponentState().Contains(csLoading) && value > 0 && value - 1 > FMax - FMin)
        throw EInvalidOperation(L"Scroll bar property out of range");
    FPageSize = value;
    if (!ComponentState().Contains(csLoading)) FPosition = std::clamp(FPosition, FMin, MaxPosition());
    UpdateNative();
}

void TScrollBar::Loaded() {
    TWinControl::Loaded();
    // Checked once every value is read: a form may give Max before Min.
    if (FMax < FMin) FMax = FMin;
    if (FPageSize > FMax - FMin + 1) FPageSize = FMax - FMin + 1;
    FPosition = std::clamp(FPosition, FMin, MaxPosition());
    UpdateNative();
}

void TScrollBar::SetKind(TScrollBarKind kind) {
    if (kind == FKind) return;
    FKind = kind;
    if (!ComponentState().Contains(csLoading)) SetBounds(Left(), Top(), Height(), Width());
    RecreateWnd();
}

void TScrollBar::Scroll(TScrollCode code, int& position) {
    if (OnScroll) OnScroll(this, code, position);
}

void TScrollBar::Change() {
    if (OnChange) OnChange(this);
}

void TScrollBar::CNScroll(TMessage& m) {
    int position = FPosition;
    TScrollCode code = scEndScroll;
    switch (LOWORD(m.WParam)) {
    case SB_LINEUP:
        code = scLineUp;
        position -= FSmallChange;
        break;
    case SB_LINEDOWN:
        code = scLineDown;
        position += FSmallChange;
        break;
    case SB_PAGEUP:
        code = scPageUp;
        position -= FLargeChange;
        break;
    case SB_PAGEDOWN:
        code = scPageDown;
        position += FLargeChange;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        code = LOWORD(m.WParam) == SB_THUMBTRACK ? scTrack : scPosition;
        // The 32-bit track position; the message's own is 16 bits.
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        position = GetScrollInfo(Handle(), SB_CTL, &info) ? info.nTrackPos : static_cast<int>(HIWORD(m.WParam));
        break;
    }
    case SB_TOP:
        code = scTop;
        position = FMin;
        break;
    case SB_BOTTOM:
        code = scBottom;
        position = FMax;
        break;
    case SB_ENDSCROLL:
        break;
    default:
        m.Result = 0;
        return;
    }
    Scroll(code, position);
    position = std::clamp(position, FMin, MaxPosition());
    if (position != FPosition) {
        FPosition = position;
        UpdateNative();
        Change();
    }
    m.Result = 0;
}

void TScrollBar::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_HSCROLL:
    case CN_VSCROLL:
        CNScroll(m);
        return;
    case CN_CTLCOLORSCROLLBAR:
        // The platform's own track colours, not the parent's face.
        m.Result = DefWindowProcW(GetParent(Handle()), WM_CTLCOLORSCROLLBAR, m.WParam, m.LParam);
        return;
    default:
        break;
    }
    TWinControl::WndProc(m);
}

} // namespace orvo

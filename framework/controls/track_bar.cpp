#include "framework/controls/track_bar.h"

#include "framework/base/properties.h"
#include "framework/controls/common_controls.h"

#include <algorithm>
#include <commctrl.h>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TTrackBar);

const TEnumType& TrackBarOrientationType() {
    static const TEnumType type(L"TTrackBarOrientation", {L"trHorizontal", L"trVertical"});
    return type;
}

const TEnumType& TickMarkType() {
    static const TEnumType type(L"TTickMark", {L"tmBottomRight", L"tmTopLeft", L"tmBoth"});
    return type;
}

const TEnumType& TickStyleType() {
    static const TEnumType type(L"TTickStyle", {L"tsNone", L"tsAuto", L"tsManual"});
    return type;
}

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(TControlStyle{csDoubleClicks});
    SetBounds(0, 0, 150, 45);
    SetTabStop(true);
}

void TTrackBar::Publish(TPublisher<TTrackBar>& p) {
    p.Enum(L"Orientation", TrackBarOrientationType(), &TTrackBar::Orientation, &TTrackBar::SetOrientation);
    p.Integer(L"Min", &TTrackBar::Min, &TTrackBar::SetMin);
    p.Integer(L"Max", &TTrackBar::Max, &TTrackBar::SetMax);
    p.Integer(L"Position", &TTrackBar::Position, &TTrackBar::SetPosition);
    p.Integer(L"PageSize", &TTrackBar::PageSize, &TTrackBar::SetPageSize);
    p.Integer(L"LineSize", &TTrackBar::LineSize, &TTrackBar::SetLineSize);
    p.Integer(L"Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency);
    p.Enum(L"TickMarks", TickMarkType(), &TTrackBar::TickMarks, &TTrackBar::SetTickMarks);
    p.Enum(L"TickStyle", TickStyleType(), &TTrackBar::TickStyle, &TTrackBar::SetTickStyle);
    p.Integer(L"SelStart", &TTrackBar::SelStart, &TTrackBar::SetSelStart);
    p.Integer(L"SelEnd", &TTrackBar::SelEnd, &TTrackBar::SetSelEnd);
    p.Boolean(L"SliderVisible", &TTrackBar::SliderVisible, &TTrackBar::SetSliderVisible);
    p.Integer(L"ThumbLength", &TTrackBar::ThumbLength, &TTrackBar::SetThumbLength);
    p.Event(L"OnChange", &TTrackBar::OnChange);
}

void TTrackBar::CreateParams(TCreateParams& params) {
    NeedCommonControls(ICC_BAR_CLASSES);
    TWinControl::CreateParams(params);
    params.BaseClassName = TRACKBAR_CLASSW;
    params.Style |= FOrientation == trVertical ? TBS_VERT : TBS_HORZ;
    if (FTickMarks == tmTopLeft) params.Style |= TBS_TOP;
    if (FTickMarks == tmBoth) params.Style |= TBS_BOTH;
    if (FTickStyle == tsNone) params.Style |= TBS_NOTICKS;
    if (FTickStyle == tsAuto) params.Style |= TBS_AUTOTICKS;
    params.Style |= TBS_ENABLESELRANGE;
    if (!FSliderVisible) params.Style |= TBS_NOTHUMB;
    if (ThumbLength() > 0) params.Style |= TBS_FIXEDLENGTH;
}

void TTrackBar::CreateWnd() {
    TWinControl::CreateWnd();
    HWND window = Handle();
    if (ThumbLength() > 0) SendMessageW(window, TBM_SETTHUMBLENGTH, static_cast<WPARAM>(ThumbLength()), 0);
    SendMessageW(window, TBM_SETPAGESIZE, 0, FPageSize);
    SendMessageW(window, TBM_SETLINESIZE, 0, FLineSize);
    ApplyRange();
    ApplyTicks();
    ApplySelection();
}

void TTrackBar::ApplyRange() {
    if (!HandleAllocated()) return;
    SendMessageW(Handle(), TBM_SETRANGEMIN, FALSE, FMin);
    SendMessageW(Handle(), TBM_SETRANGEMAX, FALSE, FMax);
    SendMessageW(Handle(), TBM_SETPOS, TRUE, FPosition);
}

void TTrackBar::ApplyTicks() {
    if (!HandleAllocated()) return;
    SendMessageW(Handle(), TBM_CLEARTICS, FALSE, 0);
    if (FTickStyle == tsAuto) SendMessageW(Handle(), TBM_SETTICFREQ, static_cast<WPARAM>(FFrequency), 0);
    if (FTickStyle == tsManual)
        for (int tick : FTicks)
            SendMessageW(Handle(), TBM_SETTIC, 0, tick);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TTrackBar::ApplySelection() {
    if (!HandleAllocated()) return;
    if (FSelEnd > FSelStart) {
        SendMessageW(Handle(), TBM_SETSELSTART, FALSE, FSelStart);
        SendMessageW(Handle(), TBM_SETSELEND, TRUE, FSelEnd);
    } else {
        SendMessageW(Handle(), TBM_CLEARSEL, TRUE, 0);
    }
}

void TTrackBar::SetOrientation(TTrackBarOrientation orientation) {
    if (orientation == FOrientation) return;
    FOrientation = orientation;
    if (!Loading()) SetBounds(Left(), Top(), Height(), Width());
    RecreateWnd();
}

void TTrackBar::SetMin(int value) {
    if (value == FMin) return;
    FMin = value;
    if (FMax < FMin) FMax = FMin;
    if (Loading()) return;
    const int old = FPosition;
    FPosition = std::clamp(FPosition, FMin, FMax);
    ApplyRange();
    if (FPosition != old) Changed();
}

void TTrackBar::SetMax(int value) {
    if (value == FMax) return;
    FMax = value;
    if (FMin > FMax) FMin = FMax;
    if (Loading()) return;
    const int old = FPosition;
    FPosition = std::clamp(FPosition, FMin, FMax);
    ApplyRange();
    if (FPosition != old) Changed();
}

void TTrackBar::SetPosition(int value) {
    if (!Loading()) value = std::clamp(value, FMin, FMax);
    if (value == FPosition) return;
    FPosition = value;
    if (Loading()) return;
    if (HandleAllocated()) SendMessageW(Handle(), TBM_SETPOS, TRUE, FPosition);
    Changed();
}

void TTrackBar::Loaded() {
    TWinControl::Loaded();
    FPosition = std::clamp(FPosition, FMin, FMax);
    ApplyRange();
}

void TTrackBar::SetPageSize(int value) {
    FPageSize = std::max(value, 0);
    if (HandleAllocated()) SendMessageW(Handle(), TBM_SETPAGESIZE, 0, FPageSize);
}

void TTrackBar::SetLineSize(int value) {
    FLineSize = std::max(value, 0);
    if (HandleAllocated()) SendMessageW(Handle(), TBM_SETLINESIZE, 0, FLineSize);
}

void TTrackBar::SetFrequency(int value) {
    value = std::max(value, 1);
    if (value == FFrequency) return;
    FFrequency = value;
    ApplyTicks();
}

void TTrackBar::SetTickMarks(TTickMark marks) {
    if (marks == FTickMarks) return;
    FTickMarks = marks;
    RecreateWnd();
}

void TTrackBar::SetTickStyle(TTickStyle style) {
    if (style == FTickStyle) return;
    FTickStyle = style;
    RecreateWnd();
}

void TTrackBar::SetTick(int value) {
    if (std::find(FTicks.begin(), FTicks.end(), value) != FTicks.end()) return;
    FTicks.push_back(value);
    if (HandleAllocated() && FTickStyle == tsManual) {
        SendMessageW(Handle(), TBM_SETTIC, 0, value);
        InvalidateRect(Handle(), nullptr, TRUE);
    }
}

void TTrackBar::ClearTicks() {
    FTicks.clear();
    ApplyTicks();
}

void TTrackBar::SetSelStart(int value) {
    if (value == FSelStart) return;
    FSelStart = value;
    ApplySelection();
}

void TTrackBar::SetSelEnd(int value) {
    if (value == FSelEnd) return;
    FSelEnd = value;
    ApplySelection();
}

void TTrackBar::SetSliderVisible(bool value) {
    if (value == FSliderVisible) return;
    FSliderVisible = value;
    RecreateWnd();
}

void TTrackBar::SetThumbLength(int value) {
    value = std::max(value, 0);
    if (value == ThumbLength()) return;
    FThumbLength.Set(value, CurrentDpi());
    RecreateWnd();
}

void TTrackBar::ChangeScale(int oldDpi, int newDpi) {
    TWinControl::ChangeScale(oldDpi, newDpi);
    if (HandleAllocated() && ThumbLength() > 0)
        SendMessageW(Handle(), TBM_SETTHUMBLENGTH, static_cast<WPARAM>(ThumbLength()), 0);
}

void TTrackBar::PositionFromWindow() {
    const int position = static_cast<int>(SendMessageW(Handle(), TBM_GETPOS, 0, 0));
    if (position == FPosition) return;
    FPosition = position;
    Changed();
}

void TTrackBar::Changed() {
    if (OnChange) OnChange(this);
}

void TTrackBar::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_HSCROLL:
    case CN_VSCROLL:
        PositionFromWindow();
        m.Result = 0;
        return;
    case CN_NOTIFY:
        // Custom draw and the rest: the platform's own look.
        m.Result = CDRF_DODEFAULT;
        return;
    default:
        break;
    }
    TWinControl::WndProc(m);
}

} // namespace orvo

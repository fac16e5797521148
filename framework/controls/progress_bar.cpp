#include "framework/controls/progress_bar.h"

#include "framework/base/properties.h"
#include "framework/controls/common_controls.h"

#include <algorithm>
#include <commctrl.h>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TProgressBar);

const TEnumType& ProgressBarOrientationType() {
    static const TEnumType type(L"TProgressBarOrientation", {L"pbHorizontal", L"pbVertical"});
    return type;
}

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(TControlStyle{});
    SetBounds(0, 0, 150, 16);
}

void TProgressBar::Publish(TPublisher<TProgressBar>& p) {
    p.Enum(L"Orientation", ProgressBarOrientationType(), &TProgressBar::Orientation,
           &TProgressBar::SetOrientation);
    p.Integer(L"Min", &TProgressBar::Min, &TProgressBar::SetMin);
    p.Integer(L"Max", &TProgressBar::Max, &TProgressBar::SetMax);
    p.Integer(L"Position", &TProgressBar::Position, &TProgressBar::SetPosition);
    p.Integer(L"Step", &TProgressBar::Step, &TProgressBar::SetStep);
    p.Boolean(L"Smooth", &TProgressBar::Smooth, &TProgressBar::SetSmooth);
}

void TProgressBar::CreateParams(TCreateParams& params) {
    NeedCommonControls(ICC_PROGRESS_CLASS);
    TWinControl::CreateParams(params);
    params.BaseClassName = PROGRESS_CLASSW;
    if (FOrientation == pbVertical) params.Style |= PBS_VERTICAL;
    if (FSmooth) params.Style |= PBS_SMOOTH;
}

void TProgressBar::CreateWnd() {
    TWinControl::CreateWnd();
    SendMessageW(Handle(), PBM_SETSTEP, static_cast<WPARAM>(FStep), 0);
    ApplyRange();
}

void TProgressBar::ApplyRange() {
    if (!HandleAllocated()) return;
    SendMessageW(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
    SendMessageW(Handle(), PBM_SETPOS, static_cast<WPARAM>(FPosition), 0);
}

void TProgressBar::SetOrientation(TProgressBarOrientation orientation) {
    if (orientation == FOrientation) return;
    FOrientation = orientation;
    if (!Loading()) SetBounds(Left(), Top(), Height(), Width());
    RecreateWnd();
}

void TProgressBar::SetMin(int value) {
    FMin = value;
    if (FMax < FMin) FMax = FMin;
    if (Loading()) return;
    FPosition = std::clamp(FPosition, FMin, FMax);
    ApplyRange();
}

void TProgressBar::SetMax(int value) {
    FMax = value;
    if (FMin > FMax) FMin = FMax;
    if (Loading()) return;
    FPosition = std::clamp(FPosition, FMin, FMax);
    ApplyRange();
}

void TProgressBar::SetPosition(int value) {
    FPosition = Loading() ? value : std::clamp(value, FMin, FMax);
    if (!Loading() && HandleAllocated()) SendMessageW(Handle(), PBM_SETPOS, static_cast<WPARAM>(FPosition), 0);
}

void TProgressBar::Loaded() {
    TWinControl::Loaded();
    FPosition = std::clamp(FPosition, FMin, FMax);
    ApplyRange();
}

void TProgressBar::SetStep(int value) {
    FStep = value;
    if (HandleAllocated()) SendMessageW(Handle(), PBM_SETSTEP, static_cast<WPARAM>(FStep), 0);
}

void TProgressBar::StepIt() {
    // Computed here rather than by the window: the same with or without one.
    const long long next = static_cast<long long>(FPosition) + FStep;
    SetPosition(next > FMax ? FMin : next < FMin ? FMax : static_cast<int>(next));
}

void TProgressBar::StepBy(int delta) {
    const long long next = static_cast<long long>(FPosition) + delta;
    SetPosition(static_cast<int>(std::clamp<long long>(next, FMin, FMax)));
}

void TProgressBar::SetSmooth(bool value) {
    if (value == FSmooth) return;
    FSmooth = value;
    RecreateWnd();
}

} // namespace orvo

// Caption-button hints, shown in the component's own hint window.
#include "skin/data/skin_data.h"

#include "framework/forms/hint_window.h"

namespace orvo {

namespace {

// Hints wrap at this width.
constexpr int MaxHintWidth = 500;

} // namespace

void TSkinData::ShowCaptionHint(const RECT& r, const std::wstring& text) {
    if (!FOptions.Contains(xoCaptionButtonHint) || FHintShowing) return;
    RECT bounds = FHintWindow->CalcHintRect(MaxHintWidth, text);
    OffsetRect(&bounds, r.left, r.top);
    FHintWindow->ActivateHint(bounds, text);
    FHintShowing = true;
}

void TSkinData::HideCaptionHint() {
    if (!FHintShowing) return;
    FHintWindow->HideHint();
    FHintShowing = false;
}

} // namespace orvo

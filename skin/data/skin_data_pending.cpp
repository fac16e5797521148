// The owner form, the application window and the hint window.
#include "skin/data/skin_data.h"

namespace orvo {

HWND TSkinData::OwnerFormWindow() const {
    return nullptr;
}

HWND TSkinData::ApplicationWindow() {
    return nullptr;
}

void TSkinData::ShowCaptionHint(const RECT&, const std::wstring&) {
    if (!FOptions.Contains(xoCaptionButtonHint) || FHintShowing) return;
    FHintShowing = true;
}

void TSkinData::HideCaptionHint() {
    FHintShowing = false;
}

} // namespace orvo

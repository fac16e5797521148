#include "framework/forms/screen.h"

#include "framework/forms/forms.h"
#include "framework/base/list.h"
#include "framework/base/properties.h"

#include <algorithm>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TScreen);

TScreen* const Screen = new TScreen(nullptr);

namespace {

void AssignLogFont(TFont& font, const LOGFONTW& logFont) {
    HFONT handle = CreateFontIndirectW(&logFont);
    if (!handle) return;
    font.SetHandle(handle);
    DeleteObject(handle);
}

} // namespace

TScreen::TScreen(TComponent* owner) : TComponent(owner) {}

TCustomForm* TScreen::Forms(int index) const {
    if (index < 0 || index >= FormCount()) ListIndexError(index);
    return FForms[static_cast<std::size_t>(index)];
}

void TScreen::AddForm(TCustomForm* form) {
    FForms.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form) {
    std::erase(FForms, form);
    if (FActiveForm == form) SetActiveForm(nullptr);
    if (FActiveControl && form->ContainsControl(FActiveControl)) SetActiveControl(nullptr);
}

void TScreen::SetActiveForm(TCustomForm* form) {
    if (form == FActiveForm) return;
    FActiveForm = form;
    SetActiveControl(form ? form->ActiveControl() : nullptr);
    if (OnActiveFormChange) OnActiveFormChange(this);
}

void TScreen::SetActiveControl(TWinControl* control) {
    if (control == FActiveControl) return;
    FActiveControl = control;
    if (OnActiveControlChange) OnActiveControlChange(this);
}

int TScreen::Width() const {
    return GetSystemMetrics(SM_CXSCREEN);
}

int TScreen::Height() const {
    return GetSystemMetrics(SM_CYSCREEN);
}

RECT TScreen::WorkAreaRect() const {
    RECT area{0, 0, Width(), Height()};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

int TScreen::PixelsPerInch() const {
    return TFont::ScreenPixelsPerInch();
}

void TScreen::LoadFonts() {
    if (FFontsLoaded) return;
    FFontsLoaded = true;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        AssignLogFont(FMenuFont, metrics.lfMenuFont);
        AssignLogFont(FHintFont, metrics.lfStatusFont);
    }
    LOGFONTW icon{};
    if (SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof icon, &icon, 0)) AssignLogFont(FIconFont, icon);
}

TFont* TScreen::MenuFont() {
    LoadFonts();
    return &FMenuFont;
}

TFont* TScreen::HintFont() {
    LoadFonts();
    return &FHintFont;
}

TFont* TScreen::IconFont() {
    LoadFonts();
    return &FIconFont;
}

} // namespace orvo

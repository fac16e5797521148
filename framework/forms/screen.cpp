#include "framework/forms/screen.h"

#include "framework/forms/forms.h"
#include "framework/base/list.h"
#include "framework/base/properties.h"
#include "framework/window/display_scale.h"

#include <algorithm>
#include <initializer_list>

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
    return SystemDpi();
}

TScreen::TSystemFonts& TScreen::FontsAt(int dpi) {
    auto& fonts = FFonts[dpi];
    if (fonts) return *fonts;
    fonts = std::make_unique<TSystemFonts>();
    NONCLIENTMETRICSW metrics{};
    if (NonClientMetricsForDpi(metrics, dpi)) {
        AssignLogFont(fonts->Menu, metrics.lfMenuFont);
        AssignLogFont(fonts->Hint, metrics.lfStatusFont);
    }
    LOGFONTW icon{};
    if (IconTitleFontForDpi(icon, dpi)) AssignLogFont(fonts->Icon, icon);
    for (TFont* font : {&fonts->Menu, &fonts->Hint, &fonts->Icon})
        font->SetPixelsPerInch(dpi);
    return *fonts;
}

TFont* TScreen::MenuFont(int dpi) {
    return &FontsAt(dpi).Menu;
}

TFont* TScreen::HintFont(int dpi) {
    return &FontsAt(dpi).Hint;
}

TFont* TScreen::IconFont(int dpi) {
    return &FontsAt(dpi).Icon;
}

TFont* TScreen::MenuFont() {
    return MenuFont(SystemDpi());
}

TFont* TScreen::HintFont() {
    return HintFont(SystemDpi());
}

TFont* TScreen::IconFont() {
    return IconFont(SystemDpi());
}

} // namespace orvo

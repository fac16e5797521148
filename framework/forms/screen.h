// TScreen: the program's forms (in creation order), the active form and control, the screen's
// size and work area, and the system's fonts for menus, hints and icon titles.
#pragma once

#include "framework/base/component.h"
#include "framework/graphics/font.h"

#include <vector>
#include <windows.h>

namespace orvo {

class TCustomForm;
class TWinControl;

class TScreen : public TComponent {
    ORVO_CLASS(TScreen, TComponent)
public:
    explicit TScreen(TComponent* owner);

    int FormCount() const noexcept { return static_cast<int>(FForms.size()); }
    // Throws EListError for an index out of range.
    TCustomForm* Forms(int index) const;
    // The form that was activated last (it stays while another program is active).
    TCustomForm* ActiveForm() const noexcept { return FActiveForm; }
    // The focused control of the active form.
    TWinControl* ActiveControl() const noexcept { return FActiveControl; }

    int Width() const;
    int Height() const;
    // The primary monitor's area without the task bar.
    RECT WorkAreaRect() const;
    int PixelsPerInch() const;

    // The system's fonts, read on first use.
    TFont* MenuFont();
    TFont* HintFont();
    TFont* IconFont();

    TNotifyEvent OnActiveFormChange;
    TNotifyEvent OnActiveControlChange;

    // Kept by the forms.
    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);
    void SetActiveForm(TCustomForm* form);
    void SetActiveControl(TWinControl* control);

private:
    void LoadFonts();

    std::vector<TCustomForm*> FForms;
    TCustomForm* FActiveForm = nullptr;
    TWinControl* FActiveControl = nullptr;
    bool FFontsLoaded = false;
    TFont FMenuFont;
    TFont FHintFont;
    TFont FIconFont;
};

extern TScreen* const Screen;

} // namespace orvo

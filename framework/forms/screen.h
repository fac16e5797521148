// TScreen: the program's forms (in creation order), the active form and control, the screen's
// size and work area, and the system's fonts for menus, hints and icon titles.
#pragma once

#include "framework/base/component.h"
#include "framework/graphics/font.h"

#include <map>
#include <memory>
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
    // The system's DPI (the primary monitor's when the program started); each window has its own,
    // TControl::CurrentDpi.
    int PixelsPerInch() const;

    // The system's fonts at a DPI (the system's without one), read on first use at each.
    TFont* MenuFont();
    TFont* HintFont();
    TFont* IconFont();
    TFont* MenuFont(int dpi);
    TFont* HintFont(int dpi);
    TFont* IconFont(int dpi);

    TNotifyEvent OnActiveFormChange;
    TNotifyEvent OnActiveControlChange;

    // Kept by the forms.
    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);
    void SetActiveForm(TCustomForm* form);
    void SetActiveControl(TWinControl* control);

private:
    struct TSystemFonts {
        TFont Menu, Hint, Icon;
    };
    TSystemFonts& FontsAt(int dpi);

    std::vector<TCustomForm*> FForms;
    TCustomForm* FActiveForm = nullptr;
    TWinControl* FActiveControl = nullptr;
    std::map<int, std::unique_ptr<TSystemFonts>> FFonts;
};

extern TScreen* const Screen;

} // namespace orvo

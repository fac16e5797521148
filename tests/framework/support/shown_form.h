// A form shown on the screen for GUI tests, and controls placed on it: the form is freed with the
// test, a control is owned by its parent and freed with it.
#pragma once

#include "framework/forms/forms.h"
#include "tests/framework/support/pump.h"

#include <windows.h>

namespace orvo::test {

struct TShownForm {
    TForm Form{nullptr};
    TShownForm() {
        Form.SetBounds(100, 100, 500, 400);
        Form.Show();
        PumpUntil([&] { return IsWindowVisible(Form.Handle()) != FALSE; });
        SetForegroundWindow(Form.Handle());
        Pump(50);
    }
};

template <class T> T* AddControl(TWinControl* parent, int left, int top, int width, int height) {
    T* control = new T(parent);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

inline POINT Centre(const RECT& r) {
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

} // namespace orvo::test

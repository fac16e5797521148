#include "framework/controls/mouse_control.h"

#include "framework/controls/win_control.h"
#include "framework/window/window_property.h"

namespace orvo {

namespace {

// The user-interface thread is the only one that touches these.
TControl* GMouseControl = nullptr;
TControl* GCaptureControl = nullptr;
TMouseControlListener GListener = nullptr;

// The deepest visible window at the point, disabled ones included (WindowFromPoint skips those).
HWND DeepestWindowAt(POINT screenPoint) {
    HWND window = WindowFromPoint(screenPoint);
    while (window) {
        POINT client = screenPoint;
        ScreenToClient(window, &client);
        HWND child = ChildWindowFromPointEx(window, client, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (!child || child == window) break;
        window = child;
    }
    return window;
}

} // namespace

TControl* MouseControl() noexcept {
    return GMouseControl;
}

TControl* ControlAtScreenPoint(POINT screenPoint) {
    TWinControl* control = FindAncestorControl(DeepestWindowAt(screenPoint));
    if (!control) return nullptr;
    if (TControl* inner = control->ControlAtPos(control->ScreenToClient(screenPoint), true)) return inner;
    return control;
}

void UpdateMouseControl(POINT screenPoint) {
    TControl* current = ControlAtScreenPoint(screenPoint);
    if (current == GMouseControl) return;
    TControl* previous = GMouseControl;
    GMouseControl = current;
    if (previous) previous->Perform(CM_MOUSELEAVE);
    // The leave handler may have moved things; only enter what is still under the pointer.
    if (current && GMouseControl == current) current->Perform(CM_MOUSEENTER);
    if (GListener) GListener(previous, GMouseControl);
}

void ForgetMouseControl(const TControl* control) noexcept {
    if (GMouseControl != control) return;
    GMouseControl = nullptr;
    if (GListener) GListener(nullptr, nullptr);
}

void SetMouseControlListener(TMouseControlListener listener) noexcept {
    GListener = listener;
}

TControl* CaptureControl() noexcept {
    return GCaptureControl;
}

void SetCaptureControl(TControl* control) {
    GCaptureControl = nullptr;
    if (!control) {
        ReleaseCapture();
        return;
    }
    TWinControl* window = control->IsWindowed() ? static_cast<TWinControl*>(control) : control->Parent();
    if (!window || !window->HandleAllocated()) return;
    SetCapture(window->Handle());
    GCaptureControl = control;
}

void ForgetCaptureControl(const TControl* control) noexcept {
    if (GCaptureControl == control) GCaptureControl = nullptr;
}

} // namespace orvo

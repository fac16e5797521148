// The control under the mouse pointer, and the control that holds the mouse capture.
//
// Windows of framework controls report every mouse move and
// the pointer leaving them; from the pointer's screen position this finds the control under it
// (a windowless control inside its parent's window included) and, when that changes, sends
// CM_MOUSELEAVE to the old control and CM_MOUSEENTER to the new one.
#pragma once

#include <windows.h>

namespace orvo {

class TControl;

// Null when the pointer is over no framework control.
TControl* MouseControl() noexcept;
// The framework control at a screen point: the deepest window there (disabled ones included),
// then a windowless control of that window's at the point; null over other windows.
TControl* ControlAtScreenPoint(POINT screenPoint);
// Re-evaluates the control under the pointer for a pointer at `screenPoint`.
void UpdateMouseControl(POINT screenPoint);
// A dying control is never told of leaving; it is just forgotten.
void ForgetMouseControl(const TControl* control) noexcept;

// The control that gets the mouse messages while a button is held on it (a windowless one through
// its parent's window, which holds the system's capture).
TControl* CaptureControl() noexcept;
// Null releases the capture.
void SetCaptureControl(TControl* control);
// The capture went elsewhere (WM_CAPTURECHANGED) or the control is dying.
void ForgetCaptureControl(const TControl* control) noexcept;

// Told after every change (hints follow the pointer this way). One listener.
using TMouseControlListener = void (*)(TControl* previous, TControl* current);
void SetMouseControlListener(TMouseControlListener listener) noexcept;

} // namespace orvo

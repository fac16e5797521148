// The window-to-control property: every window of a framework control carries a property whose
// value is its TWinControl. The property is named "ControlOfs" followed by the module instance
// handle and the creating thread's id, each as at least eight upper-case hex digits, and is keyed
// by a global atom made once per process. Code that meets a bare window handle (hooks, the skin
// engine) finds the framework control behind it with FindControl.
#pragma once

#include <string>
#include <windows.h>

namespace orvo {

class TWinControl;

// "ControlOfs0040000000000A1C" for this module and the thread that first asked.
const std::wstring& ControlPropertyName();
ATOM ControlAtom();

// The framework control behind a window of this process; null for other windows.
TWinControl* FindControl(HWND window) noexcept;
// The control of the window or, failing that, of its nearest ancestor.
TWinControl* FindAncestorControl(HWND window) noexcept;
// The control of this thread whose window is being created and has not had its first message
// yet (a creation hook sees the window before FindControl knows it); null at any other time.
TWinControl* ControlBeingCreated() noexcept;

void SetControlProperty(HWND window, TWinControl* control) noexcept;
void RemoveControlProperty(HWND window) noexcept;

} // namespace orvo

#include "framework/window/window_property.h"

#include <cwchar>

namespace orvo {

namespace {

std::wstring MakePropertyName() {
    wchar_t name[64];
    const auto instance = reinterpret_cast<unsigned long long>(GetModuleHandleW(nullptr));
    std::swprintf(name, 64, L"ControlOfs%.8llX%.8lX", instance,
                  static_cast<unsigned long>(GetCurrentThreadId()));
    return name;
}

} // namespace

const std::wstring& ControlPropertyName() {
    static const std::wstring name = MakePropertyName();
    return name;
}

ATOM ControlAtom() {
    static const ATOM atom = GlobalAddAtomW(ControlPropertyName().c_str());
    return atom;
}

TWinControl* FindControl(HWND window) noexcept {
    if (!window) return nullptr;
    DWORD process = 0;
    // Another process may carry a property of the same name: its value means nothing here.
    if (!GetWindowThreadProcessId(window, &process) || process != GetCurrentProcessId()) return nullptr;
    return static_cast<TWinControl*>(GetPropW(window, MAKEINTATOM(ControlAtom())));
}

TWinControl* FindAncestorControl(HWND window) noexcept {
    for (; window; window = GetAncestor(window, GA_PARENT))
        if (TWinControl* control = FindControl(window)) return control;
    return nullptr;
}

void SetControlProperty(HWND window, TWinControl* control) noexcept {
    SetPropW(window, MAKEINTATOM(ControlAtom()), control);
}

void RemoveControlProperty(HWND window) noexcept {
    RemovePropW(window, MAKEINTATOM(ControlAtom()));
}

} // namespace orvo

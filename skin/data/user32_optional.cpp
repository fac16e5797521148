#include "skin/data/user32_optional.h"

namespace orvo {

namespace {

using TGetScrollBarInfo = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);
using TTrackMouseEvent = BOOL(WINAPI*)(LPTRACKMOUSEEVENT);
using TGetComboBoxInfo = BOOL(WINAPI*)(HWND, PCOMBOBOXINFO);
using TDisableProcessWindowsGhosting = void(WINAPI*)();
using TGetSystemMetricsForDpi = int(WINAPI*)(int, UINT);

template <class F> F Lookup(HMODULE module, const char* name) {
    if (!module) return nullptr;
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// user32 is held for the life of the process and released at its end.
struct TUser32 {
    HMODULE Module = LoadLibraryW(L"user32.dll");
    TGetScrollBarInfo GetScrollBarInfo = Lookup<TGetScrollBarInfo>(Module, "GetScrollBarInfo");
    TTrackMouseEvent TrackMouseEvent = Lookup<TTrackMouseEvent>(Module, "TrackMouseEvent");
    TGetComboBoxInfo GetComboBoxInfo = Lookup<TGetComboBoxInfo>(Module, "GetComboBoxInfo");
    TDisableProcessWindowsGhosting DisableProcessWindowsGhosting =
        Lookup<TDisableProcessWindowsGhosting>(Module, "DisableProcessWindowsGhosting");
    TGetSystemMetricsForDpi GetSystemMetricsForDpi =
        Lookup<TGetSystemMetricsForDpi>(Module, "GetSystemMetricsForDpi");

    TUser32() = default;
    TUser32(const TUser32&) = delete;
    TUser32& operator=(const TUser32&) = delete;
    ~TUser32() {
        if (Module) FreeLibrary(Module);
    }
};

const TUser32& User32() {
    static const TUser32 user32;
    return user32;
}

} // namespace

bool HasScrollBarInfo() {
    return User32().GetScrollBarInfo != nullptr;
}

bool ScrollBarInfo(HWND window, LONG objectId, SCROLLBARINFO& info) {
    if (!User32().GetScrollBarInfo) return false;
    info.cbSize = sizeof info;
    return User32().GetScrollBarInfo(window, objectId, &info) != FALSE;
}

void TrackMouseLeave(HWND window) {
    if (!User32().TrackMouseEvent) return;
    TRACKMOUSEEVENT request{};
    request.cbSize = sizeof request;
    request.dwFlags = TME_LEAVE;
    request.hwndTrack = window;
    User32().TrackMouseEvent(&request);
}

bool ComboBoxInfo(HWND combo, COMBOBOXINFO& info) {
    if (!User32().GetComboBoxInfo) return false;
    info.cbSize = sizeof info;
    return User32().GetComboBoxInfo(combo, &info) != FALSE;
}

void DisableWindowsGhosting() {
    if (User32().DisableProcessWindowsGhosting) User32().DisableProcessWindowsGhosting();
}

int SystemMetricForDpi(int index, UINT dpi) {
    if (User32().GetSystemMetricsForDpi) return User32().GetSystemMetricsForDpi(index, dpi);
    return GetSystemMetrics(index);
}

} // namespace orvo

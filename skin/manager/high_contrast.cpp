// The system's high-contrast mode and the window that hears it change.
#include "skin/manager/high_contrast.h"

#include "skin/data/skin_trace.h"

#include <utility>

namespace orvo {

namespace {

constexpr wchar_t WatchClassName[] = L"OrvoHighContrastWatch";

std::function<bool()>& Query() {
    static std::function<bool()> query;
    return query;
}

} // namespace

bool SystemHighContrast() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    if (!SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0)) return false;
    return (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

void SetHighContrastQuery(std::function<bool()> query) {
    Query() = std::move(query);
}

bool HighContrastOn() {
    return Query() ? Query()() : SystemHighContrast();
}

THighContrastWatch::THighContrastWatch(std::function<void()> changed) : FChanged(std::move(changed)) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = WatchClassName;
    RegisterClassExW(&wc); // a second watch finds the class registered
    // A top-level window, never shown: message-only windows hear no broadcast.
    FWindow = CreateWindowExW(WS_EX_TOOLWINDOW, WatchClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              GetModuleHandleW(nullptr), this);
    if (!FWindow) ORVO_SKIN_TRACE(L"the high-contrast watch window was not made (%lu)", GetLastError());
}

THighContrastWatch::~THighContrastWatch() {
    if (FWindow) {
        SetWindowLongPtrW(FWindow, GWLP_USERDATA, 0);
        DestroyWindow(FWindow);
    }
}

LRESULT CALLBACK THighContrastWatch::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (message == WM_SETTINGCHANGE && wParam == SPI_SETHIGHCONTRAST) {
        auto* watch = reinterpret_cast<THighContrastWatch*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        try {
            if (watch && watch->FChanged) watch->FChanged();
        } catch (...) {
            ORVO_SKIN_TRACE(L"following the high-contrast mode failed");
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace orvo

#include "framework/window/display_scale.h"

#include "core/scale/dpi_scale.h"

#include <initializer_list>

namespace orvo {

namespace {

// The per-DPI entry points of user32 and shcore, where the system has them.
struct TDpiFunctions {
    UINT(WINAPI* GetDpiForSystem)() = nullptr;
    UINT(WINAPI* GetDpiForWindow)(HWND) = nullptr;
    int(WINAPI* GetSystemMetricsForDpi)(int, UINT) = nullptr;
    BOOL(WINAPI* SystemParametersInfoForDpi)(UINT, UINT, PVOID, UINT, UINT) = nullptr;
    BOOL(WINAPI* AdjustWindowRectExForDpi)(LPRECT, DWORD, BOOL, DWORD, UINT) = nullptr;
    BOOL(WINAPI* EnableNonClientDpiScaling)(HWND) = nullptr;
    HANDLE(WINAPI* GetThreadDpiAwarenessContext)() = nullptr;
    BOOL(WINAPI* AreDpiAwarenessContextsEqual)(HANDLE, HANDLE) = nullptr;
    HRESULT(WINAPI* GetDpiForMonitor)(HMONITOR, int, UINT*, UINT*) = nullptr;
};

template <class F> void Find(F& function, HMODULE module, const char* name) {
    if (module) function = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

const TDpiFunctions& Functions() {
    static const TDpiFunctions functions = [] {
        TDpiFunctions f;
        HMODULE user = GetModuleHandleW(L"user32.dll");
        Find(f.GetDpiForSystem, user, "GetDpiForSystem");
        Find(f.GetDpiForWindow, user, "GetDpiForWindow");
        Find(f.GetSystemMetricsForDpi, user, "GetSystemMetricsForDpi");
        Find(f.SystemParametersInfoForDpi, user, "SystemParametersInfoForDpi");
        Find(f.AdjustWindowRectExForDpi, user, "AdjustWindowRectExForDpi");
        Find(f.EnableNonClientDpiScaling, user, "EnableNonClientDpiScaling");
        Find(f.GetThreadDpiAwarenessContext, user, "GetThreadDpiAwarenessContext");
        Find(f.AreDpiAwarenessContextsEqual, user, "AreDpiAwarenessContextsEqual");
        // shcore is not there before Windows 8.1; it stays loaded for the process.
        Find(f.GetDpiForMonitor, LoadLibraryW(L"shcore.dll"), "GetDpiForMonitor");
        return f;
    }();
    return functions;
}

int Sane(UINT dpi) {
    return dpi > 0 && dpi < 100000 ? static_cast<int>(dpi) : DesignDpi;
}

void ScaleFont(LOGFONTW& font, int fromDpi, int toDpi) {
    font.lfHeight = ScaleLengthBetween(font.lfHeight, fromDpi, toDpi);
}

} // namespace

int SystemDpi() noexcept {
    if (Functions().GetDpiForSystem) return Sane(Functions().GetDpiForSystem());
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return Sane(static_cast<UINT>(dpi));
}

int DpiForWindow(HWND window) noexcept {
    if (window && Functions().GetDpiForWindow) {
        // 0 for a window that is gone.
        if (const UINT dpi = Functions().GetDpiForWindow(window)) return Sane(dpi);
    }
    return SystemDpi();
}

int DpiForMonitor(HMONITOR monitor) noexcept {
    UINT x = 0, y = 0;
    constexpr int EffectiveDpi = 0; // MDT_EFFECTIVE_DPI
    if (monitor && Functions().GetDpiForMonitor &&
        SUCCEEDED(Functions().GetDpiForMonitor(monitor, EffectiveDpi, &x, &y)))
        return Sane(y);
    return SystemDpi();
}

int DpiForRect(const RECT& rect) noexcept {
    return DpiForMonitor(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST));
}

int PrimaryMonitorDpi() noexcept {
    return DpiForMonitor(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
}

int SystemMetricForDpi(int index, int dpi) noexcept {
    if (Functions().GetSystemMetricsForDpi) return Functions().GetSystemMetricsForDpi(index, static_cast<UINT>(dpi));
    return ScaleLengthBetween(GetSystemMetrics(index), SystemDpi(), dpi);
}

bool NonClientMetricsForDpi(NONCLIENTMETRICSW& metrics, int dpi) noexcept {
    metrics = NONCLIENTMETRICSW{};
    metrics.cbSize = sizeof metrics;
    if (Functions().SystemParametersInfoForDpi)
        return Functions().SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                                                      static_cast<UINT>(dpi)) != FALSE;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return false;
    const int from = SystemDpi();
    if (from == dpi) return true;
    for (int* length : {&metrics.iBorderWidth, &metrics.iScrollWidth, &metrics.iScrollHeight, &metrics.iCaptionWidth,
                        &metrics.iCaptionHeight, &metrics.iSmCaptionWidth, &metrics.iSmCaptionHeight,
                        &metrics.iMenuWidth, &metrics.iMenuHeight, &metrics.iPaddedBorderWidth})
        *length = ScaleLengthBetween(*length, from, dpi);
    for (LOGFONTW* font : {&metrics.lfCaptionFont, &metrics.lfSmCaptionFont, &metrics.lfMenuFont,
                           &metrics.lfStatusFont, &metrics.lfMessageFont})
        ScaleFont(*font, from, dpi);
    return true;
}

bool IconTitleFontForDpi(LOGFONTW& font, int dpi) noexcept {
    font = LOGFONTW{};
    if (Functions().SystemParametersInfoForDpi)
        return Functions().SystemParametersInfoForDpi(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0,
                                                      static_cast<UINT>(dpi)) != FALSE;
    if (!SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0)) return false;
    ScaleFont(font, SystemDpi(), dpi);
    return true;
}

RECT NativeFrameForDpi(DWORD style, DWORD exStyle, bool menu, int dpi) noexcept {
    RECT frame{0, 0, 0, 0};
    if (Functions().AdjustWindowRectExForDpi &&
        Functions().AdjustWindowRectExForDpi(&frame, style, menu ? TRUE : FALSE, exStyle, static_cast<UINT>(dpi)))
        return frame;
    frame = RECT{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, style, menu ? TRUE : FALSE, exStyle);
    const int from = SystemDpi();
    return RECT{ScaleLengthBetween(frame.left, from, dpi), ScaleLengthBetween(frame.top, from, dpi),
                ScaleLengthBetween(frame.right, from, dpi), ScaleLengthBetween(frame.bottom, from, dpi)};
}

void EnableNonClientScaling(HWND window) noexcept {
    const TDpiFunctions& f = Functions();
    if (!f.EnableNonClientDpiScaling || !f.GetThreadDpiAwarenessContext || !f.AreDpiAwarenessContextsEqual) return;
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE: the second kind scales the frame by itself.
    const auto perMonitorV1 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));
    if (f.AreDpiAwarenessContextsEqual(f.GetThreadDpiAwarenessContext(), perMonitorV1))
        f.EnableNonClientDpiScaling(window);
}

} // namespace orvo

// Display scale: what DPI a window, a monitor or the system has, and the system's metrics and
// fonts at a DPI. The programs are per-monitor aware (their manifests say so), so each window is
// laid out at the DPI of its own monitor; that DPI is asked of the window or monitor each time,
// never kept for the process. The length rule itself is core/scale/dpi_scale.h.
//
// The per-DPI functions of the system (GetDpiForWindow, GetSystemMetricsForDpi, ... from Windows 10
// 1607; GetDpiForMonitor from 8.1) are looked up by name, so the programs still start on Windows 7,
// where every window has the system's DPI and the metrics are scaled from it by the one rule.
//
// Under Wine 8 every process runs per-monitor aware whatever its manifest says, every monitor has
// the prefix's LogPixels (read when a process starts), GetDpiForWindow answers it for every window,
// and SetProcessDpiAwarenessContext answers FALSE: a WM_DPICHANGED that a test sends does not change
// what GetDpiForWindow answers.
#pragma once

#include <windows.h>

// Sent before WM_DPICHANGED from Windows 10 1703; the headers name it only for that version.
#ifndef WM_GETDPISCALEDSIZE
#define WM_GETDPISCALEDSIZE 0x02E4
#endif

namespace orvo {

// The DPI of the system (the primary monitor's when the process started): GetDpiForSystem, else
// the screen's LOGPIXELSY.
int SystemDpi() noexcept;
// The DPI of a window (GetDpiForWindow), else the system DPI; a null window: the system DPI.
int DpiForWindow(HWND window) noexcept;
// The DPI of a monitor (GetDpiForMonitor, effective DPI), else the system DPI.
int DpiForMonitor(HMONITOR monitor) noexcept;
// The DPI of the monitor that holds most of a rectangle (the nearest when none does), as a window
// there would get it.
int DpiForRect(const RECT& rect) noexcept;
// The DPI of the primary monitor.
int PrimaryMonitorDpi() noexcept;

// GetSystemMetrics at a DPI.
int SystemMetricForDpi(int index, int dpi) noexcept;
// The non-client metrics (caption, menu, status and message fonts; bar sizes) at a DPI. False when
// the system gives none.
bool NonClientMetricsForDpi(NONCLIENTMETRICSW& metrics, int dpi) noexcept;
// The icon title font at a DPI.
bool IconTitleFontForDpi(LOGFONTW& font, int dpi) noexcept;
// The widths of the frame the system draws around a client area for these styles at a DPI, as a
// rectangle around (0, 0, 0, 0): left and top negative.
RECT NativeFrameForDpi(DWORD style, DWORD exStyle, bool menu, int dpi) noexcept;
// Asks the system to scale the non-client area of a top-level window that is only per-monitor
// aware of the first kind (Windows 10 1607 to 1703); call it from WM_NCCREATE. Does nothing where
// the system scales it anyway or cannot.
void EnableNonClientScaling(HWND window) noexcept;

} // namespace orvo

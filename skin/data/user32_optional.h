// user32 functions that older platforms lack, looked up by name once and used only when present.
#pragma once

#include <windows.h>

namespace orvo {

// GetScrollBarInfo exists (without it scroll bars keep the platform's look).
bool HasScrollBarInfo();
// GetScrollBarInfo when present; false when it is missing or fails.
bool ScrollBarInfo(HWND window, LONG objectId, SCROLLBARINFO& info);
// Asks for WM_MOUSELEAVE when the mouse leaves `window`; nothing when TrackMouseEvent is missing.
void TrackMouseLeave(HWND window);
// GetComboBoxInfo when present; false when it is missing or fails.
bool ComboBoxInfo(HWND combo, COMBOBOXINFO& info);
// DisableProcessWindowsGhosting when present: a busy window keeps its skinned look.
void DisableWindowsGhosting();
// GetSystemMetricsForDpi when present; else GetSystemMetrics (the system's DPI).
int SystemMetricForDpi(int index, UINT dpi);

} // namespace orvo

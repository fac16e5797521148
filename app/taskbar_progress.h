// The progress of a long task on a window's taskbar button (the shell's ITaskbarList3). Systems
// without it (older ones, Wine) simply show nothing: that is not an error.
#pragma once

#include <windows.h>

namespace orvo {

// Percent 0 to 100 shows the progress; a negative one takes it away.
using TTaskbarProgressFunc = void (*)(HWND window, int percent);

// ShowTaskbarProgress unless a test put something else here.
extern TTaskbarProgressFunc TaskbarProgressCall;

// Call on the window's own (user-interface) thread.
void ShowTaskbarProgress(HWND window, int percent);

} // namespace orvo

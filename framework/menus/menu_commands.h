// Command numbers of menu items: unique in the process while an item lives, the lowest free one
// handed out first, so numbers of freed items are used again and stay within WM_COMMAND's 16 bits.
#pragma once

#include <windows.h>

namespace orvo {

// The first and last numbers handed out. Above the range lie the system commands (SC_*, 0xF000
// on), which the skinned system menu sends as commands and must not be mistaken for items.
constexpr UINT FirstMenuCommand = 1;
constexpr UINT LastMenuCommand = 0xEFFF;

// Throws EOutOfResources when every number is in use.
UINT AllocateMenuCommand();
void ReleaseMenuCommand(UINT command) noexcept;

} // namespace orvo

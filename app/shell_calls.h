// The program's calls that leave it (the shell opening a page or a folder, the system beep) go
// through these pointers, so tests can see what would have happened without opening anything.
#pragma once

#include <string>
#include <windows.h>

namespace orvo {

using TShellExecuteFunc = HINSTANCE(WINAPI*)(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters,
                                             LPCWSTR directory, INT show);
using TMessageBeepFunc = BOOL(WINAPI*)(UINT type);

// ShellExecuteW and MessageBeep unless a test put something else here.
extern TShellExecuteFunc ShellExecuteCall;
extern TMessageBeepFunc MessageBeepCall;

// Opens `link` in the default browser ("open", normal window); a failure is not reported.
void OpenUrl(HWND owner, const std::wstring& link);

} // namespace orvo

#include "app/shell_calls.h"

#include <shellapi.h>

namespace orvo {

TShellExecuteFunc ShellExecuteCall = &ShellExecuteW;
TMessageBeepFunc MessageBeepCall = &MessageBeep;

void OpenUrl(HWND owner, const std::wstring& link) {
    ShellExecuteCall(owner, L"open", link.c_str(), L"", nullptr, SW_SHOWNORMAL);
}

} // namespace orvo

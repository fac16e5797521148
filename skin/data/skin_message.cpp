#include "skin/data/skin_message.h"

#include <windows.h>

namespace orvo {

namespace {

TSkinMessageHandler& Handler() {
    static TSkinMessageHandler handler;
    return handler;
}

void ShowMessageBox(const std::wstring& text) {
    // The caption is the program's main window title, as the application's own message boxes have.
    wchar_t caption[256] = L"";
    if (HWND active = GetActiveWindow())
        GetWindowTextW(active, caption, static_cast<int>(std::size(caption)));
    MessageBoxW(GetActiveWindow(), text.c_str(), caption[0] ? caption : nullptr, MB_OK | MB_ICONWARNING);
}

} // namespace

TSkinMessageHandler SetSkinMessageHandler(TSkinMessageHandler handler) {
    TSkinMessageHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

void ShowSkinMessage(const std::wstring& text) {
    if (Handler())
        Handler()(text);
    else
        ShowMessageBox(text);
}

} // namespace orvo

#include "platform/console.h"
#include "platform/wide_text.h"

#include <windows.h>
#include <shellapi.h>

namespace orvo {

void InitConsole() {}

namespace {

HANDLE StreamHandle(TStdStream stream) {
    return GetStdHandle(stream == TStdStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
}

} // namespace

bool IsTerminal(TStdStream stream) {
    DWORD mode = 0;
    const HANDLE handle = StreamHandle(stream);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

bool WriteConsoleText(TStdStream stream, std::string_view text) {
    const HANDLE handle = StreamHandle(stream);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        const std::wstring wide = Utf8ToWideForDisplay(text);
        DWORD written = 0;
        return WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) != 0;
    }
    while (!text.empty()) {
        DWORD written = 0;
        if (!WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
            written == 0)
            return false;
        text.remove_prefix(written);
    }
    return true;
}

std::vector<std::string> CommandLineArguments(int, char**) {
    std::vector<std::string> arguments;
    int count = 0;
    wchar_t** list = CommandLineToArgvW(GetCommandLineW(), &count);
    if (list == nullptr) return arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(WideToUtf8(list[i]));
    LocalFree(list);
    return arguments;
}

} // namespace orvo

#include "skin/data/skin_trace.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <windows.h>

namespace orvo {

namespace {

struct TTraceTarget {
    bool On = false;
    std::wstring File; // empty: the debugger

    TTraceTarget() {
        wchar_t value[MAX_PATH + 1]{};
        const DWORD n = GetEnvironmentVariableW(L"ORVO_SKIN_TRACE", value, MAX_PATH + 1);
        if (n == 0 || n > MAX_PATH) return;
        On = true;
        if (std::wstring(value) != L"1") File = value;
    }
};

const TTraceTarget& Target() {
    static const TTraceTarget target;
    return target;
}

} // namespace

bool SkinTraceOn() noexcept {
    return Target().On;
}

void SkinTraceLine(const wchar_t* format, ...) noexcept {
    wchar_t line[1024];
    const int prefix = swprintf(line, 32, L"[skin %5lu] ", GetTickCount() % 100000);
    va_list args;
    va_start(args, format);
    const int n = vswprintf(line + prefix, 1000, format, args);
    va_end(args);
    if (n < 0) return;
    std::wstring text(line);
    text += L"\n";
    const auto& target = Target();
    if (target.File.empty()) {
        OutputDebugStringW(text.c_str());
        return;
    }
    if (FILE* f = _wfopen(target.File.c_str(), L"ab")) {
        const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
        std::string utf8(static_cast<std::size_t>(bytes > 0 ? bytes : 1), '\0');
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), bytes, nullptr, nullptr);
        std::fwrite(utf8.data(), 1, std::strlen(utf8.c_str()), f);
        std::fclose(f);
    }
}

} // namespace orvo

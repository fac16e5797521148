#include "skin/data/skin_text.h"

#include <climits>

namespace orvo {

std::wstring AnsiToWide(std::string_view text) {
    if (text.empty() || text.size() > INT_MAX) return {};
    const int length = static_cast<int>(text.size());
    const int needed = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    if (needed <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), needed);
    return wide;
}

std::string WideToAnsi(std::wstring_view text) {
    if (text.empty() || text.size() > INT_MAX) return {};
    const int length = static_cast<int>(text.size());
    const int needed = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return {};
    std::string ansi(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), length, ansi.data(), needed, nullptr, nullptr);
    return ansi;
}

bool IsNtPlatform() {
    // GetVersion is deprecated but still answers the one bit asked here.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return (GetVersion() & 0x80000000u) == 0;
#pragma GCC diagnostic pop
}

int DrawTextWideNt(HDC dc, const std::wstring& text, RECT& r, UINT format) {
    const int length = text.size() > INT_MAX ? INT_MAX : static_cast<int>(text.size());
    return DrawTextW(dc, text.c_str(), length, &r, format);
}

int DrawTextWideAnsi(HDC dc, const std::wstring& text, RECT& r, UINT format) {
    const std::string ansi = WideToAnsi(text);
    return DrawTextA(dc, ansi.c_str(), -1, &r, format);
}

int DrawTextWide(HDC dc, const std::wstring& text, RECT& r, UINT format) {
    static const bool nt = IsNtPlatform();
    return nt ? DrawTextWideNt(dc, text, r, format) : DrawTextWideAnsi(dc, text, r, format);
}

} // namespace orvo

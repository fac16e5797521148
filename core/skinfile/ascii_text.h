// Byte-string helpers of the skin formats: only ASCII letters have a case, and every byte up to
// 32 counts as blank. Texts are in the system code page, so bytes above 127 pass unchanged.
#pragma once

#include <string>
#include <string_view>

namespace orvo {

constexpr char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string AsciiLower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = AsciiLower(c);
    return out;
}

inline bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

inline bool StartsWithNoCase(std::string_view text, std::string_view head) {
    return text.size() >= head.size() && EqualsNoCase(text.substr(0, head.size()), head);
}

inline bool EndsWithNoCase(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && EqualsNoCase(text.substr(text.size() - tail.size()), tail);
}

constexpr bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

inline std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

} // namespace orvo

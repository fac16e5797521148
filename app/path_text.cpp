#include "app/path_text.h"

#include "platform/wide_text.h"

namespace orvo {

DWORD PathAttributes(const std::wstring& path) {
    if (path.empty()) return INVALID_FILE_ATTRIBUTES;
    std::wstring native;
    if (!ToWin32Path(WideToUtf8(path), native)) return INVALID_FILE_ATTRIBUTES;
    return GetFileAttributesW(native.c_str());
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = PathAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::wstring ExtractFileDir(const std::wstring& path) {
    const std::size_t last = path.find_last_of(L"\\:");
    if (last == std::wstring::npos) return {};
    // "C:\" and "\\" keep their backslash: dropping it would name another place.
    const bool keepSeparator =
        path[last] != L'\\' || last == 0 || path[last - 1] == L'\\' || path[last - 1] == L':';
    return path.substr(0, keepSeparator ? last + 1 : last);
}

std::wstring JoinSourcePaths(const std::vector<std::wstring>& paths) {
    if (paths.size() == 1) return paths.front();
    std::wstring text;
    for (const std::wstring& path : paths)
        text += (text.empty() ? L"\"" : L" \"") + path + L"\"";
    return text;
}

std::vector<std::wstring> SplitSourcePaths(const std::wstring& text) {
    if (text.empty()) return {};
    if (text.front() != L'"') return {text};
    std::vector<std::wstring> paths;
    std::size_t at = 0;
    while ((at = text.find(L'"', at)) != std::wstring::npos) {
        const std::size_t end = text.find(L'"', at + 1);
        if (end == std::wstring::npos) break;
        if (end > at + 1) paths.push_back(text.substr(at + 1, end - at - 1));
        at = end + 1;
    }
    return paths;
}

} // namespace orvo

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

} // namespace orvo

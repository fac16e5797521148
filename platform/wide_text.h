#pragma once
// UTF-8 <-> UTF-16 conversion for the Windows API (Windows build only).
#include <string>
#include <string_view>

namespace orvo {

// False when `text` is not valid UTF-8.
bool Utf8ToWide(std::string_view text, std::wstring& wide);
// For display: invalid bytes become U+FFFD.
std::wstring Utf8ToWideForDisplay(std::string_view text);
// Unpaired surrogates become U+FFFD.
std::string WideToUtf8(std::wstring_view wide);

// A path for the wide file API: long paths get the "\\?\" form so that they are not cut at
// MAX_PATH. False when `path` is not valid UTF-8.
bool ToWin32Path(std::string_view path, std::wstring& wide);

} // namespace orvo

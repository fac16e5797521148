// Path helpers of the program: wide paths as the user sees them, tested with the wide file API
// (long paths included).
#pragma once

#include <string>
#include <windows.h>

namespace orvo {

// The path's attributes, or INVALID_FILE_ATTRIBUTES when they cannot be read.
DWORD PathAttributes(const std::wstring& path);
// An existing file (not a directory).
bool FileExists(const std::wstring& path);
// The directory part of a path: without its last component and without a trailing backslash,
// except that a drive root keeps its own ("C:\a.txt" -> "C:\", "C:\dir\a.txt" -> "C:\dir").
std::wstring ExtractFileDir(const std::wstring& path);

} // namespace orvo

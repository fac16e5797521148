// Path helpers of the program: wide paths as the user sees them, tested with the wide file API
// (long paths included).
#pragma once

#include <string>
#include <vector>
#include <windows.h>

namespace orvo {

// The path's attributes, or INVALID_FILE_ATTRIBUTES when they cannot be read.
DWORD PathAttributes(const std::wstring& path);
// An existing file (not a directory).
bool FileExists(const std::wstring& path);
// The directory part of a path: without its last component and without a trailing backslash,
// except that a drive root keeps its own ("C:\a.txt" -> "C:\", "C:\dir\a.txt" -> "C:\dir").
std::wstring ExtractFileDir(const std::wstring& path);

// The source field holds one path as it is, or several, each in double quotes and separated by a
// blank (no file name can hold a double quote): "C:\a.txt" "C:\b.txt".
std::wstring JoinSourcePaths(const std::vector<std::wstring>& paths);
std::vector<std::wstring> SplitSourcePaths(const std::wstring& text);

} // namespace orvo

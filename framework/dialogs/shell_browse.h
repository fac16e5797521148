// The shell's folder browser (SHBrowseForFolderW): the user picks a file-system folder under the
// desktop.
#pragma once

#include <string>
#include <windows.h>

namespace orvo {

struct TBrowseFolderResult {
    bool Ok = false;
    // The folder with one trailing backslash (a drive root keeps its own: "C:\"); empty unless Ok.
    std::wstring Path;
};

// Shows the browser for `owner` with `title` above the tree, rooted at the desktop (when the
// system cannot name the desktop, at the folder `rootText` parses to). Ok is false when the user
// cancels or picks something that is not a file-system folder.
TBrowseFolderResult BrowseForFolder(HWND owner, const std::wstring& title, const std::wstring& rootText = {});

// A chosen folder as the program hands it on: a backslash is appended unless the path ends in one
// (drive roots do) or is empty.
std::wstring FolderWithTrailingBackslash(std::wstring path);

} // namespace orvo

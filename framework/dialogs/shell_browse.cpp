#include "framework/dialogs/shell_browse.h"

#include "framework/base/ole_scope.h"

#include <memory>
#include <objbase.h>
#include <ole2.h>
#include <shlobj.h>

namespace orvo {

namespace {

// Return only file-system folders, in the resizable dialog with the new look.
constexpr UINT BrowseFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;

struct TCoTaskMemFree {
    void operator()(void* p) const { CoTaskMemFree(p); }
};
using TIdList = std::unique_ptr<ITEMIDLIST, TCoTaskMemFree>;

TIdList DesktopRoot(HWND owner, const std::wstring& rootText) {
    LPITEMIDLIST root = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(owner, CSIDL_DESKTOP, &root))) return TIdList(root);
    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop)) || !desktop) return nullptr;
    std::wstring text = rootText; // ParseDisplayName wants a writable string
    root = nullptr;
    if (FAILED(desktop->ParseDisplayName(owner, nullptr, text.data(), nullptr, &root, nullptr)))
        root = nullptr;
    desktop->Release();
    return TIdList(root);
}

std::wstring PathOf(LPCITEMIDLIST item) {
    std::wstring path(32768, L'\0');
    if (!SHGetPathFromIDListEx(item, path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT)) {
        path.assign(MAX_PATH + 1, L'\0');
        if (!SHGetPathFromIDListW(item, path.data())) return {};
    }
    path.resize(wcsnlen(path.c_str(), path.size()));
    return path;
}

} // namespace

std::wstring FolderWithTrailingBackslash(std::wstring path) {
    if (!path.empty() && path.back() != L'\\') path.push_back(L'\\');
    return path;
}

TBrowseFolderResult BrowseForFolder(HWND owner, const std::wstring& title, const std::wstring& rootText) {
    // The browser's new look needs OLE in a single-threaded apartment; without it, the old look.
    TOleScope ole;
    const TIdList root = DesktopRoot(owner, rootText);
    wchar_t displayName[MAX_PATH] = {};
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.pidlRoot = root.get();
    info.pszDisplayName = displayName;
    info.lpszTitle = title.c_str();
    info.ulFlags = ole.SingleThreaded() ? BrowseFlags : BIF_RETURNONLYFSDIRS;
    const TIdList chosen(SHBrowseForFolderW(&info));
    if (!chosen) return {};
    std::wstring path = PathOf(chosen.get());
    if (path.empty()) return {};
    return {true, FolderWithTrailingBackslash(std::move(path))};
}

} // namespace orvo

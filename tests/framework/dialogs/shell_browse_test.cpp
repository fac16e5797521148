// The folder browser: the trailing-backslash rule, and the shell's browser answered from a hook.
#include "framework/dialogs/shell_browse.h"

#include "tests/framework/support/dialog_answerer.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <filesystem>
#include <string>

namespace orvo {
namespace {

TEST(FolderPath, GetsExactlyOneTrailingBackslash) {
    EXPECT_EQ(FolderWithTrailingBackslash(L"C:\\"), L"C:\\");
    EXPECT_EQ(FolderWithTrailingBackslash(L"C:\\data"), L"C:\\data\\");
    EXPECT_EQ(FolderWithTrailingBackslash(L"C:\\data\\"), L"C:\\data\\");
    EXPECT_EQ(FolderWithTrailingBackslash(L"\\\\server\\share"), L"\\\\server\\share\\");
    EXPECT_EQ(FolderWithTrailingBackslash(L""), L"");
}

std::wstring SelectedName(HWND dialog) {
    HWND tree = FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr);
    for (HWND child = GetWindow(dialog, GW_CHILD); !tree && child; child = GetWindow(child, GW_HWNDNEXT))
        tree = FindWindowExW(child, nullptr, WC_TREEVIEWW, nullptr);
    if (!tree) return {};
    wchar_t text[MAX_PATH] = {};
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = TreeView_GetSelection(tree);
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    return item.hItem && TreeView_GetItem(tree, &item) ? text : std::wstring();
}

// Selects `path` in the browser and presses OK. The browser fills its tree as it goes: the
// selection is asked for again until the tree shows it (about 3 s at the most).
void Choose(HWND dialog, const std::wstring& path, const std::wstring& shownName) {
    for (int attempt = 0; attempt < 30; ++attempt) {
        SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
        if (SelectedName(dialog) == shownName) break;
        test::PumpFor(100);
    }
    test::PressButton(dialog, IDOK);
}

class FolderBrowser : public ::testing::Test {
protected:
    FolderBrowser() {
        // Not under the temporary folder: the browser's tree does not show hidden folders (AppData).
        Folder = std::filesystem::path(L"C:\\") / (L"orvo-目录-" + std::to_wstring(GetCurrentProcessId())) /
                 L"片段";
        std::filesystem::create_directories(Folder);
    }
    ~FolderBrowser() override {
        std::error_code ignored;
        std::filesystem::remove_all(Folder.parent_path(), ignored);
    }
    std::filesystem::path Folder;
};

TEST_F(FolderBrowser, AFolderComesBackWithOneTrailingBackslash) {
    const std::wstring path = Folder.wstring();
    test::TDialogAnswerer answer([&](HWND dialog) { Choose(dialog, path, Folder.filename().wstring()); });
    const TBrowseFolderResult result = BrowseForFolder(nullptr, L"选择要保存的目录");
    EXPECT_FALSE(answer.GaveUp());
    ASSERT_TRUE(result.Ok);
    ASSERT_FALSE(result.Path.empty());
    EXPECT_EQ(result.Path.back(), L'\\');
    EXPECT_NE(result.Path.substr(result.Path.size() - 2), L"\\\\");
    EXPECT_TRUE(test::SamePath(result.Path, Folder.wstring()))
        << "got " << result.Path.size() << " characters";
}

TEST_F(FolderBrowser, ADriveRootKeepsItsOwnBackslash) {
    test::TDialogAnswerer answer([](HWND dialog) {
        // The tree names a drive by its label and letter.
        SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(L"C:\\"));
        test::PressButton(dialog, IDOK);
    });
    const TBrowseFolderResult result = BrowseForFolder(nullptr, L"Root");
    ASSERT_TRUE(result.Ok);
    EXPECT_EQ(result.Path, L"C:\\");
}

TEST_F(FolderBrowser, CancelAnswersNothing) {
    test::TDialogAnswerer answer([](HWND dialog) { test::PressButton(dialog, IDCANCEL); });
    const TBrowseFolderResult result = BrowseForFolder(nullptr, L"Cancel", L"C:\\");
    EXPECT_TRUE(answer.Answered());
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Path, L"");
}

} // namespace
} // namespace orvo

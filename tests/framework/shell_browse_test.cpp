// The folder browser: the trailing-backslash rule, and the shell's browser answered from a hook.
#include "framework/shell_browse.h"

#include "dialog_answerer.h"

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

// Selects `path` in the browser and presses OK.
void Choose(HWND dialog, const std::wstring& path) {
    SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
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
    test::TDialogAnswerer answer([&](HWND dialog) { Choose(dialog, path); });
    const TBrowseFolderResult result = BrowseForFolder(nullptr, L"选择要保存的目录");
    EXPECT_FALSE(answer.GaveUp());
    ASSERT_TRUE(result.Ok);
    ASSERT_FALSE(result.Path.empty());
    EXPECT_EQ(result.Path.back(), L'\\');
    EXPECT_NE(result.Path.substr(result.Path.size() - 2), L"\\\\");
    EXPECT_TRUE(test::SamePath(result.Path, Folder.wstring()));
}

TEST_F(FolderBrowser, ADriveRootKeepsItsOwnBackslash) {
    test::TDialogAnswerer answer([](HWND dialog) { Choose(dialog, L"C:\\"); });
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

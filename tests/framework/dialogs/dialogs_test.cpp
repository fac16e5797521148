// File dialogs: the filter list and the selection buffer, and the open and save dialogs answered
// from a hook under the real comdlg32.
#include "framework/dialogs/dialogs.h"

#include "tests/framework/support/dialog_answerer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace orvo {
namespace {

using namespace std::string_literals;
using Paths = std::vector<std::wstring>;

TEST(FileDialogFilter, BarsBecomeTheNativeDoubleNulList) {
    EXPECT_EQ(FilterToNative(L"Text Files(*.txt)|*.txt;*.text|All Files(*.*)|*.*"),
              L"Text Files(*.txt)\0*.txt;*.text\0All Files(*.*)\0*.*\0\0"s);
    EXPECT_EQ(FilterToNative(L""), L"");
    // Whatever would end the list early or leave a description without pattern is mended.
    EXPECT_EQ(FilterToNative(L"Text|*.txt|All"), L"Text\0*.txt\0\0"s);
    EXPECT_EQ(FilterToNative(L"|*.txt|All|*.*"), L"*.txt\0*.txt\0All\0*.*\0\0"s);
    EXPECT_EQ(FilterToNative(L"Empty||All|*.*"), L"All\0*.*\0\0"s);
    EXPECT_EQ(FilterToNative(L"Text|*.txt\0|All|*.*"s), L"Text\0*.txt\0\0"s);
    EXPECT_EQ(FilterToNative(L"|||"), L"");
}

TEST(FileDialogSelection, OnePathOrAFolderWithNames) {
    EXPECT_EQ(SplitFileSelection(L"C:\\data\\big.txt\0\0\0"s), (Paths{L"C:\\data\\big.txt"}));
    EXPECT_EQ(SplitFileSelection(L"C:\\data\0a.txt\0b.txt\0\0"s),
              (Paths{L"C:\\data\\a.txt", L"C:\\data\\b.txt"}));
    EXPECT_EQ(SplitFileSelection(L"C:\\\0a.txt\0b.txt\0\0"s), (Paths{L"C:\\a.txt", L"C:\\b.txt"}));
    EXPECT_EQ(SplitFileSelection(L"\0\0"s), Paths{});
    // A buffer filled to its end without terminator still yields what it holds.
    EXPECT_EQ(SplitFileSelection(L"C:\\x"), (Paths{L"C:\\x"}));
}

// A folder of files for the dialogs, removed afterwards.
class FileDialog : public ::testing::Test {
protected:
    FileDialog() {
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH, temp);
        Folder = std::filesystem::path(temp) / (L"orvo-dialog-" + std::to_wstring(GetCurrentProcessId()));
        std::filesystem::create_directories(Folder);
        for (const wchar_t* name : {L"a.txt", L"b.txt", L"数据.txt"})
            std::ofstream(Folder / name) << "x\n";
        Dialog.SetInitialDir(Folder.wstring());
        Dialog.SetFilter(L"Text Files(*.txt)|*.txt;*.text|All Files(*.*)|*.*");
    }
    ~FileDialog() override {
        std::error_code ignored;
        std::filesystem::remove_all(Folder, ignored);
    }

    // Types `text` into the dialog's file name box and presses OK.
    static void Type(HWND dialog, const std::wstring& text) {
        HWND box = nullptr;
        for (int id : {edt1, cmb13})
            if ((box = GetDlgItem(dialog, id))) break;
        ASSERT_NE(box, nullptr);
        SetWindowTextW(box, text.c_str());
        test::PressButton(dialog, IDOK);
    }

    std::wstring PathOf(const wchar_t* name) const { return (Folder / name).wstring(); }

    std::filesystem::path Folder;
    TOpenDialog Dialog{nullptr};
};

TEST_F(FileDialog, OpenAnswersTheFullPathOfTheTypedName) {
    test::TDialogAnswerer answer([](HWND dialog) { Type(dialog, L"数据.txt"); });
    ASSERT_TRUE(answer.Hooked());
    Dialog.SetOptions(Dialog.Options() + TOpenOptions{ofFileMustExist, ofPathMustExist});
    ASSERT_TRUE(Dialog.Execute());
    EXPECT_FALSE(answer.GaveUp());
    EXPECT_TRUE(test::SamePath(Dialog.FileName(), PathOf(L"数据.txt")));
    EXPECT_EQ(Dialog.Files().Count(), 1);
    EXPECT_EQ(Dialog.FilterIndex(), 1);
}

TEST_F(FileDialog, CancelKeepsTheOldName) {
    Dialog.SetFileName(L"C:\\before.txt");
    test::TDialogAnswerer answer([](HWND dialog) { test::PressButton(dialog, IDCANCEL); });
    EXPECT_FALSE(Dialog.Execute());
    EXPECT_TRUE(answer.Answered());
    EXPECT_EQ(Dialog.FileName(), L"C:\\before.txt");
}

TEST_F(FileDialog, MultipleSelectionAnswersEveryPath) {
    Dialog.SetOptions(Dialog.Options() + TOpenOptions{ofAllowMultiSelect});
    test::TDialogAnswerer answer([](HWND dialog) { Type(dialog, L"\"a.txt\" \"b.txt\""); });
    ASSERT_TRUE(Dialog.Execute());
    ASSERT_EQ(Dialog.Files().Count(), 2);
    EXPECT_TRUE(test::SamePath(Dialog.Files().Get(0), PathOf(L"a.txt")));
    EXPECT_TRUE(test::SamePath(Dialog.Files().Get(1), PathOf(L"b.txt")));
    EXPECT_EQ(Dialog.FileName(), Dialog.Files().Get(0));
}

TEST_F(FileDialog, SaveAddsTheDefaultExtension) {
    TSaveDialog save(nullptr);
    save.SetInitialDir(Folder.wstring());
    save.SetDefaultExt(L".txt");
    test::TDialogAnswerer answer([](HWND dialog) { Type(dialog, L"new piece"); });
    ASSERT_TRUE(save.Execute());
    EXPECT_EQ(std::filesystem::path(save.FileName()).filename().wstring(), L"new piece.txt");
    EXPECT_TRUE(
        test::SamePath(std::filesystem::path(save.FileName()).parent_path().wstring(), Folder.wstring()));
}

} // namespace
} // namespace orvo

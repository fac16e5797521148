// Items dropped from the explorer onto the two edits, as WM_DROPFILES with DROPFILES data built
// here: files on the source edit, folders on the target edit (whatever their attributes), paths
// longer than 255 characters, several items at once, and the messages for refused items.
#include "app/drop_files.h"
#include "tests/app/app_test_support.h"
#include "tests/framework/support/message_box_answerer.h"

#include <shlobj.h>

#include <gmock/gmock.h>

namespace orvo {
namespace {

using test::AppWindow;
using testing::ElementsAre;

constexpr wchar_t FileWanted[] = L"请选择文件拖放到这里，不可以选择目录！";
constexpr wchar_t DirectoryWanted[] = L"请选择目录拖放到这里！";

class Dropping : public AppWindow {
protected:
    Dropping() {
        test::WriteBytes(FileA, "a\n");
        test::WriteBytes(FileB, "b\n");
        CreateDirectoryW(Folder.c_str(), nullptr);
        CreateDirectoryW(Hidden.c_str(), nullptr);
        SetFileAttributesW(Hidden.c_str(),
                           FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
    }

    // Drops the items on the edit and answers every message with OK; returns the messages.
    std::vector<std::wstring> Drop(TEdit* edit, const std::vector<std::wstring>& paths) {
        test::TMessageBoxAnswerer boxes(IDOK);
        // Dropping is an accepted-files window's business.
        EXPECT_TRUE(GetWindowLongW(edit->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
        SendMessageW(edit->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop(paths)), 0);
        std::vector<std::wstring> texts;
        for (const auto& box : boxes.Boxes())
            texts.push_back(box.Text);
        return texts;
    }

    test::TTempDir Dir{L"拖放"};
    std::wstring FileA = Dir / L"甲.txt";
    std::wstring FileB = Dir / L"乙 b.log";
    std::wstring Folder = Dir / L"文件夹";
    std::wstring Hidden = Dir / L"隐藏只读";
};

TEST_F(Dropping, TheSourceEditTakesFilesOnly) {
    TEdit* edit = Win().edtFileToSplit;
    EXPECT_TRUE(Drop(edit, {FileA}).empty());
    EXPECT_EQ(edit->Text(), FileA);
    EXPECT_THAT(Drop(edit, {Folder}), ElementsAre(FileWanted));
    EXPECT_EQ(edit->Text(), FileA);
    EXPECT_THAT(Drop(edit, {Hidden}), ElementsAre(FileWanted)) << "a folder with more attributes is a folder";
    EXPECT_TRUE(Drop(edit, {FileB, FileA, FileB}).empty());
    EXPECT_EQ(edit->Text(), L"\"" + FileB + L"\" \"" + FileA + L"\"") << "every file of the drop, each once";
    EXPECT_THAT(Drop(edit, {FileA, Folder, Hidden}), ElementsAre(FileWanted, FileWanted));
    EXPECT_EQ(edit->Text(), FileA) << "one file as it is";
    EXPECT_EQ(Win().DropFile()->Dropped(), Hidden);
}

TEST_F(Dropping, TheTargetEditTakesFoldersWhateverTheirAttributes) {
    TEdit* edit = Win().edtSaveToDir;
    EXPECT_TRUE(Drop(edit, {Folder}).empty());
    EXPECT_EQ(edit->Text(), Folder) << "as the shell gives it, without a trailing backslash";
    EXPECT_TRUE(Drop(edit, {Hidden}).empty());
    EXPECT_EQ(edit->Text(), Hidden);
    EXPECT_THAT(Drop(edit, {FileA}), ElementsAre(DirectoryWanted));
    EXPECT_EQ(edit->Text(), Hidden);
    EXPECT_THAT(Drop(edit, {FileA, Folder}), ElementsAre(DirectoryWanted));
    EXPECT_EQ(edit->Text(), Folder);
    EXPECT_THAT(Drop(edit, {Dir / L"vanished"}), ElementsAre(DirectoryWanted));
    EXPECT_EQ(edit->Text(), Folder);
}

TEST_F(Dropping, LongPathsArriveWhole) {
    // Nested folders with long names, past MAX_PATH in all.
    std::wstring folder = Dir.Path().wstring();
    const std::wstring part(60, L'长');
    for (int i = 0; i < 5; ++i) {
        folder += L"\\" + part + std::to_wstring(i);
        ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr));
    }
    const std::wstring file = folder + L"\\源文件.txt";
    ASSERT_GT(file.size(), 300u);
    HANDLE handle =
        CreateFileW((L"\\\\?\\" + file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(handle, "1\n2\n", 4, &written, nullptr);
    CloseHandle(handle);

    EXPECT_TRUE(Drop(Win().edtFileToSplit, {file}).empty());
    EXPECT_EQ(Win().edtFileToSplit->Text(), file);
    EXPECT_TRUE(Drop(Win().edtSaveToDir, {folder}).empty());
    EXPECT_EQ(Win().edtSaveToDir->Text(), folder);

    // And the split runs on them.
    test::TMessageBoxAnswerer boxes(IDNO);
    SplitAndWait(file, folder, L"1");
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes[0].Caption, L"拆分完成");
    EXPECT_EQ(Win().MemoLog->Lines()->Count(), 5);
    EXPECT_TRUE(DropFiles::IsDirectory(folder));
    EXPECT_FALSE(DropFiles::IsDirectory(file));
}

} // namespace
} // namespace orvo

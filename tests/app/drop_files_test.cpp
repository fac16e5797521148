// Items dropped from the explorer onto the two edits, as WM_DROPFILES with DROPFILES data built
// here: files on the source edit, folders on the target edit (whatever their attributes), paths
// longer than 255 characters, several items at once, and the messages for refused items. Then a
// real drag and drop from another process onto the program started as the user starts it.
#include "app/drop_files.h"
#include "app/path_text.h"
#include "app/settings_file.h"
#include "framework/base/ole_scope.h"
#include "platform/wide_text.h"
#include "tests/app/app_test_support.h"
#include "tests/app/splitter_process.h"
#include "tests/framework/support/file_drag.h"
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

// By OLE as well, once OLE runs on the thread (the fixture made the window before): a re-created
// edit is registered again, takes a folder another program drags and refuses data without a
// file list; destroyed, it is registered no more.
TEST_F(Dropping, ARecreatedEditTakesOleDropsAndItsRegistrationGoesWithItsWindow) {
    TOleScope ole;
    ASSERT_TRUE(ole.SingleThreaded());
    TEdit* edit = Win().edtSaveToDir;
    edit->RecreateWnd();
    ASSERT_TRUE(Win().DropDir()->Registered());
    EXPECT_TRUE(GetWindowLongW(edit->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    RECT form{};
    GetWindowRect(Win().Handle(), &form);
    const POINT from{form.right + 40, form.bottom + 40};

    auto* folder = new test::TFileDataObject({Folder});
    test::TDragResult drag = test::DragOnto(edit->Handle(), folder, from);
    folder->Release();
    ASSERT_FALSE(drag.TimedOut);
    EXPECT_EQ(drag.Result, DRAGDROP_S_DROP);
    EXPECT_EQ(drag.Effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_TRUE(test::PumpUntil([&] { return edit->Text() == Folder; }));

    auto* text = new test::TFileDataObject({Hidden}, CF_UNICODETEXT);
    drag = test::DragOnto(edit->Handle(), text, from);
    text->Release();
    ASSERT_FALSE(drag.TimedOut);
    EXPECT_EQ(drag.Effect, static_cast<DWORD>(DROPEFFECT_NONE));
    test::Pump(100);
    EXPECT_EQ(edit->Text(), Folder);

    edit->DestroyHandle();
    EXPECT_FALSE(Win().DropDir()->Registered());
}

// A block of global memory holding a DROPFILES header whose list starts at `offset`, then `names`.
HGLOBAL ListBlock(DWORD offset, bool wide, const std::string& names) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size());
    auto* header = static_cast<DROPFILES*>(GlobalLock(block));
    header->pFiles = offset;
    header->fWide = wide;
    std::memcpy(header + 1, names.data(), names.size());
    GlobalUnlock(block);
    return block;
}

std::vector<std::wstring> Names(HDROP drop) {
    std::vector<std::wstring> names;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring name(DragQueryFileW(drop, i, nullptr, 0), L'\0');
        DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size() + 1));
        names.push_back(name);
    }
    return names;
}

// What another program hands over is copied only when it is a whole list: the names are read
// from the copy afterwards, and a list that runs past its block would be read past its end.
TEST(DropListFromAnotherProgram, IsCopiedWhenWholeAndRefusedOtherwise) {
    const std::wstring wideNames = std::wstring(L"C:\\甲.txt") + L'\0' + L"C:\\乙.txt" + L'\0' + L'\0';
    const std::string wide(reinterpret_cast<const char*>(wideNames.data()), wideNames.size() * sizeof(wchar_t));
    const std::string narrow("C:\\a.txt\0C:\\b.txt\0\0", 20);
    struct TCase {
        const char* What;
        HGLOBAL Block;
        std::vector<std::wstring> Expected; // empty: refused
    };
    const TCase cases[] = {
        {"two wide names", ListBlock(sizeof(DROPFILES), true, wide), {L"C:\\甲.txt", L"C:\\乙.txt"}},
        {"two narrow names", ListBlock(sizeof(DROPFILES), false, narrow), {L"C:\\a.txt", L"C:\\b.txt"}},
        {"the closing empty name missing", ListBlock(sizeof(DROPFILES), true, wide.substr(0, wide.size() - 2)), {}},
        {"the last name not ended", ListBlock(sizeof(DROPFILES), false, "C:\\a.txt"), {}},
        {"the list past the block", ListBlock(sizeof(DROPFILES) + 4096, true, wide), {}},
        {"the list far past the block", ListBlock(0xFFFFFFFF, true, wide), {}},
        {"the list inside the header", ListBlock(4, true, wide), {}},
        {"shorter than the header", GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 8), {}},
    };
    for (const TCase& c : cases) {
        HDROP copy = DropFiles::CopyDropList(c.Block);
        if (c.Expected.empty()) {
            EXPECT_EQ(copy, nullptr) << c.What;
        } else {
            ASSERT_NE(copy, nullptr) << c.What;
            EXPECT_NE(static_cast<HGLOBAL>(copy), c.Block) << c.What;
            EXPECT_EQ(Names(copy), c.Expected) << c.What;
            DragFinish(copy);
        }
        GlobalFree(c.Block);
    }
    EXPECT_EQ(DropFiles::CopyDropList(nullptr), nullptr);
}

// ---- from another process: DoDragDrop, as the explorer drags ----------------------------------------

TEST(DropFromAnotherProcess, FiveFilesDraggedOntoTheSourceFieldAreAllSplit) {
    TOleScope ole;
    ASSERT_TRUE(ole.SingleThreaded());
    test::TTempDir sources{L"拖入源"};
    test::TTempDir target{L"拖入目标"};
    test::TTempDir settingsDir{L"拖入设置"};
    std::vector<std::wstring> paths;
    for (int i = 1; i <= 5; ++i) {
        paths.push_back(sources / (L"源" + std::to_wstring(i) + L".txt"));
        test::WriteBytes(paths.back(), test::NumberedLines(1, 10 * i));
    }
    TWindowSettings settings;
    settings.TargetDir = WideToUtf8(target.Path().wstring());
    settings.Options.LineCount = 7;
    test::WriteBytes(settingsDir.Path() / L"settings.ini", FormatWindowSettings(settings));

    test::TSplitterWithSettings program(settingsDir.Path().wstring());
    ASSERT_TRUE(program.Main());
    // The settings filled the target and the line count: the empty edit is the source field.
    const HWND field = program.Child(L"TEdit", L"");
    ASSERT_TRUE(field);
    SetForegroundWindow(program.Main());
    RECT window{};
    GetWindowRect(program.Main(), &window);
    auto* data = new test::TFileDataObject(paths);
    const test::TDragResult drag = test::DragOnto(field, data, POINT{window.right + 40, window.bottom + 40});
    data->Release();
    ASSERT_FALSE(drag.TimedOut) << "the pointer never rested over the field";
    EXPECT_EQ(drag.Result, DRAGDROP_S_DROP);
    EXPECT_EQ(drag.Effect, static_cast<DWORD>(DROPEFFECT_COPY)) << "copied, never moved";
    ASSERT_TRUE(test::WaitFor([&] { return test::FullText(field) == JoinSourcePaths(paths); }))
        << "every file of the drop, in order: " << WideToUtf8(test::FullText(field));

    // Split: the closing question comes once, for all five.
    const HWND split = program.Child(L"TButton", L"立即拆分");
    ASSERT_TRUE(split);
    PostMessageW(split, BM_CLICK, 0, 0);
    HWND question = nullptr;
    ASSERT_TRUE(test::WaitFor([&] { return (question = program.Dialog()) != nullptr; }, 20000));
    EXPECT_EQ(test::TextOf(question), L"拆分完成");
    PostMessageW(question, WM_COMMAND, IDNO, 0);
    ASSERT_TRUE(test::WaitFor([&] { return !IsWindow(question); }));
    EXPECT_FALSE(test::WaitFor([&] { return program.Dialog() != nullptr; }, 500)) << "asked once";

    for (int i = 1; i <= 5; ++i) {
        const int lines = 10 * i;
        const int pieces = (lines + 6) / 7;
        for (int k = 1; k <= pieces; ++k) {
            const std::wstring name = L"源" + std::to_wstring(i) + L"_" + std::to_wstring(k) + L".txt";
            EXPECT_EQ(test::ReadBytes(target.Path() / name), test::NumberedLines(7 * (k - 1) + 1, std::min(7, lines - 7 * (k - 1))))
                << WideToUtf8(name);
        }
        EXPECT_FALSE(std::filesystem::exists(target.Path() / (L"源" + std::to_wstring(i) + L"_" + std::to_wstring(pieces + 1) + L".txt")));
    }
    // The window goes with its drop targets revoked, and the program ends as it should.
    ASSERT_TRUE(program.Close());
}

} // namespace
} // namespace orvo

// Verify and join from the 文件 menu, as the user does it: the manifest chosen in the open-file
// dialog (and the output in the save dialog), the work on its own thread, the findings in the log
// and in a message box.
#include "app/piece_task_thread.h"
#include "tests/app/app_test_support.h"
#include "tests/framework/support/dialog_answerer.h"
#include "tests/framework/support/message_box_answerer.h"

#include <gmock/gmock.h>

#include <dlgs.h>

#include <set>

namespace orvo {
namespace {

using test::AppWindow;
using testing::Contains;
using testing::HasSubstr;

// Answers the dialog boxes of this thread in turn (file dialogs and message boxes alike), each a
// moment after it shows, from a timer that runs inside their modal loops.
class TDialogSequence {
public:
    explicit TDialogSequence(std::vector<std::function<void(HWND)>> answers) : FAnswers(std::move(answers)) {
        Current() = this;
        FTimer = SetTimer(nullptr, 0, 100, &TDialogSequence::Tick);
    }
    ~TDialogSequence() {
        KillTimer(nullptr, FTimer);
        Current() = nullptr;
    }
    std::size_t Answered() const { return FNext; }
    std::vector<std::wstring> Texts; // of the message boxes answered by AnswerBox

    static std::function<void(HWND)> File(const std::wstring& path) {
        return [path](HWND dialog) {
            HWND box = GetDlgItem(dialog, cmb13) ? GetDlgItem(dialog, cmb13) : GetDlgItem(dialog, edt1);
            SetWindowTextW(box, path.c_str());
            test::PressButton(dialog, IDOK);
        };
    }
    std::function<void(HWND)> Box() {
        return [this](HWND dialog) {
            wchar_t text[4096]{};
            GetWindowTextW(GetDlgItem(dialog, 0xFFFF), text, 4096);
            Texts.push_back(text);
            test::PressButton(dialog, IDOK);
        };
    }

private:
    static TDialogSequence*& Current() {
        static TDialogSequence* current = nullptr;
        return current;
    }
    static BOOL CALLBACK Find(HWND w, LPARAM found) {
        wchar_t name[16]{};
        GetClassNameW(w, name, 16);
        if (std::wstring(name) == L"#32770" && IsWindowVisible(w)) *reinterpret_cast<HWND*>(found) = w;
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        TDialogSequence* self = Current();
        if (!self || self->FNext >= self->FAnswers.size()) return;
        HWND dialog = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), &Find, reinterpret_cast<LPARAM>(&dialog));
        if (!dialog || self->FDone.contains(dialog)) return;
        // Seen once, answered at the next tick: it fills its controls while it is shown.
        if (self->FSeen != dialog) {
            self->FSeen = dialog;
            return;
        }
        self->FDone.insert(dialog);
        self->FAnswers[self->FNext++](dialog);
    }

    std::vector<std::function<void(HWND)>> FAnswers;
    std::size_t FNext = 0;
    HWND FSeen = nullptr;
    std::set<HWND> FDone;
    UINT_PTR FTimer = 0;
};

class VerifyJoin : public AppWindow {
protected:
    // Splits a source of 25 lines by 10 with a manifest in `folder`; returns the manifest's path.
    std::wstring SplitWithManifest(const std::filesystem::path& folder) {
        TSplitOptions options;
        options.Manifest = true;
        Win().SetOptions(options);
        std::filesystem::create_directories(folder);
        test::WriteBytes(folder / L"源.txt", Text);
        test::TMessageBoxAnswerer boxes(IDNO);
        SplitAndWait((folder / L"源.txt").wstring(), folder.wstring() + L"\\", L"10");
        return (folder / L"源.manifest.json").wstring();
    }
    void Choose(TMenuItem* item) {
        SendMessageW(Win().Handle(), WM_COMMAND, item->Command(), 0);
        ASSERT_TRUE(test::PumpUntil([&] { return Win().Task() == nullptr; }, 10000));
    }

    test::TTempDir Dir{L"校验合并"};
    std::string Text = test::NumberedLines(1, 25);
};

TEST_F(VerifyJoin, VerifySaysWhatIsMissingChangedOrExtraAndJoinRebuildsTheSource) {
    const std::filesystem::path first = Dir.Path() / L"一";
    const std::wstring manifest = SplitWithManifest(first);
    {
        TDialogSequence* sequence = nullptr;
        TDialogSequence dialogs({TDialogSequence::File(manifest), [&](HWND d) { sequence->Box()(d); }});
        sequence = &dialogs;
        Choose(Win().miVerify);
        ASSERT_EQ(dialogs.Texts.size(), 1u);
        EXPECT_EQ(dialogs.Texts[0], L"全部 3 个文件完好");
        EXPECT_THAT(LogLines(), Contains(L"全部 3 个文件完好"));
    }

    // One piece changed, one gone, one too many.
    std::string changed = test::ReadBytes(first / L"源_1.txt");
    changed[0] = 'L';
    test::WriteBytes(first / L"源_1.txt", changed);
    std::filesystem::remove(first / L"源_2.txt");
    test::WriteBytes(first / L"源_4.txt", "extra\r\n");
    {
        TDialogSequence* sequence = nullptr;
        TDialogSequence dialogs({TDialogSequence::File(manifest), [&](HWND d) { sequence->Box()(d); }});
        sequence = &dialogs;
        Choose(Win().miVerify);
        ASSERT_EQ(dialogs.Texts.size(), 1u);
        EXPECT_THAT(dialogs.Texts[0], HasSubstr(L"已改变：源_1.txt"));
        EXPECT_THAT(dialogs.Texts[0], HasSubstr(L"缺失：源_2.txt"));
        EXPECT_THAT(dialogs.Texts[0], HasSubstr(L"多余：源_4.txt"));
        EXPECT_THAT(LogLines().back(), HasSubstr(L"3 个文件中有问题"));
    }

    // Join of a damaged split fails and leaves nothing; of a whole one, gives the source back.
    std::filesystem::remove(first / L"源_4.txt");
    const std::wstring output = Dir / L"合并结果.txt";
    {
        TDialogSequence* sequence = nullptr;
        TDialogSequence dialogs(
            {TDialogSequence::File(manifest), TDialogSequence::File(output), [&](HWND d) { sequence->Box()(d); }});
        sequence = &dialogs;
        Choose(Win().miJoin);
        ASSERT_EQ(dialogs.Texts.size(), 1u);
        EXPECT_THAT(dialogs.Texts[0], HasSubstr(L"合并失败："));
        EXPECT_FALSE(std::filesystem::exists(output));
    }
    const std::wstring whole = SplitWithManifest(Dir.Path() / L"二");
    {
        TDialogSequence* sequence = nullptr;
        TDialogSequence dialogs(
            {TDialogSequence::File(whole), TDialogSequence::File(output), [&](HWND d) { sequence->Box()(d); }});
        sequence = &dialogs;
        Choose(Win().miJoin);
        ASSERT_EQ(dialogs.Texts.size(), 1u);
        EXPECT_THAT(dialogs.Texts[0], HasSubstr(L"已合并 3 个文件"));
    }
    EXPECT_EQ(test::ReadBytes(output), Text);
    EXPECT_TRUE(Win().btnSplitNow->Enabled());
    EXPECT_TRUE(Win().miJoin->Enabled());
}

// While verify runs the split button stops it: it reads "停止校验", a click stops the check at the
// next read, the log and the box say so, and the button is back to "立即拆分".
TEST_F(VerifyJoin, TheSplitButtonStopsAVerifyThatRuns) {
    // Two thousand pieces: the check takes far longer than the click after it starts.
    const std::filesystem::path folder = Dir.Path() / L"停";
    std::filesystem::create_directories(folder);
    test::WriteBytes(folder / L"源.txt", test::NumberedLines(1, 200000));
    TSplitOptions options;
    options.Manifest = true;
    Win().SetOptions(options);
    {
        test::TMessageBoxAnswerer boxes(IDNO);
        SplitAndWait((folder / L"源.txt").wstring(), folder.wstring() + L"\\", L"100");
    }
    TDialogSequence* sequence = nullptr;
    TDialogSequence dialogs({TDialogSequence::File((folder / L"源.manifest.json").wstring()),
                             [&](HWND d) { sequence->Box()(d); }});
    sequence = &dialogs;
    SendMessageW(Win().Handle(), WM_COMMAND, Win().miVerify->Command(), 0);
    ASSERT_NE(Win().Task(), nullptr) << "still running";
    EXPECT_EQ(Win().btnSplitNow->Caption(), L"停止校验");
    EXPECT_TRUE(Win().btnSplitNow->Enabled());
    EXPECT_FALSE(Win().miVerify->Enabled());
    SendMessageW(Win().btnSplitNow->Handle(), BM_CLICK, 0, 0);
    ASSERT_TRUE(test::PumpUntil([&] { return Win().Task() == nullptr; }, 20000));
    ASSERT_EQ(dialogs.Texts.size(), 1u);
    EXPECT_THAT(dialogs.Texts[0], HasSubstr(L"校验已停止"));
    EXPECT_THAT(LogLines(), Contains(L"校验已停止"));
    EXPECT_EQ(Win().btnSplitNow->Caption(), L"立即拆分");
    EXPECT_TRUE(Win().miVerify->Enabled());
}

} // namespace
} // namespace orvo

// The options dialog driven as a user fills it: every mode and option it offers gives the pieces
// (and the manifest) the command line gives with the same options, the status line says what the
// next split does, and choices that cannot be used are refused with the field focused.
#include "app/split_options_dlg.h"
#include "tests/app/app_test_support.h"
#include "tests/framework/support/message_box_answerer.h"
#include "tests/framework/support/other_process.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <functional>
#include <map>

namespace orvo {
namespace {

using test::AppWindow;
using testing::HasSubstr;

// Runs `fill` on the options dialog once it shows (inside its modal loop), then presses `button`.
class TOptionsDriver {
public:
    TOptionsDriver(std::function<void(TfSplitOptionsDlg&)> fill, bool ok = true) {
        Current() = this;
        FFill = std::move(fill);
        FOk = ok;
        FTimer = SetTimer(nullptr, 0, 50, &TOptionsDriver::Tick);
    }
    ~TOptionsDriver() {
        KillTimer(nullptr, FTimer);
        Current() = nullptr;
    }
    bool Filled() const { return FFilled; }

private:
    static TOptionsDriver*& Current() {
        static TOptionsDriver* current = nullptr;
        return current;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        TOptionsDriver* self = Current();
        if (!self || self->FFilled || !fMainWin) return;
        auto* dialog = dynamic_cast<TfSplitOptionsDlg*>(fMainWin->FindComponent(L"fSplitOptionsDlg"));
        if (!dialog || !dialog->HandleAllocated() || !IsWindowVisible(dialog->Handle())) return;
        self->FFilled = true;
        self->FFill(*dialog);
        SendMessageW((self->FOk ? dialog->btnOK : dialog->btnCancel)->Handle(), BM_CLICK, 0, 0);
    }

    std::function<void(TfSplitOptionsDlg&)> FFill;
    bool FOk = true;
    bool FFilled = false;
    UINT_PTR FTimer = 0;
};

// As the mouse clicks it: the radio button's own click handling runs.
void Click(TWinControl* control) {
    SendMessageW(control->Handle(), BM_CLICK, 0, 0);
}

void OpenOptions() {
    SendMessageW(fMainWin->Handle(), WM_COMMAND, fMainWin->miSplitOptions->Command(), 0);
}

std::map<std::wstring, std::string> Files(const std::filesystem::path& dir) {
    std::map<std::wstring, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        files[entry.path().filename().wstring()] = test::ReadBytes(entry.path());
    return files;
}

// The command line's pieces of `source` in `target`.
void CommandLineSplit(const std::wstring& arguments, const std::wstring& source, const std::wstring& target) {
    std::wstring command = L"\"" + test::WinePath(ORVO_SPLIT_EXE) + L"\" --quiet " + arguments + L" \"" + source +
                           L"\" \"" + target + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                               &startup, &process));
    WaitForSingleObject(process.hProcess, 30000);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    ASSERT_EQ(code, 0u) << "orvo-split " << std::string(arguments.begin(), arguments.end());
}

// A CSV with a header, a quoted line break, a CR-only line end, Chinese text and no final line end.
std::string Source() {
    std::string text = "编号,名称,备注\r\n";
    for (int i = 1; i <= 60; ++i) {
        text += std::to_string(i) + ",项目" + std::to_string(i) + ",";
        text += i % 7 == 0 ? "\"两行\r\n的备注\"" : "普通";
        text += i % 11 == 0 ? "\r" : "\r\n";
    }
    text += "61,最后,无换行";
    return text;
}

struct TModeCase {
    const char* What;
    std::function<void(TfSplitOptionsDlg&)> Fill;
    std::wstring Lines;     // the main window's count
    std::wstring Arguments; // the command line's options
    std::wstring Status;    // what the status line says
};

class OptionsDialog : public AppWindow {
protected:
    test::TTempDir Dir{L"选项"};
};

TEST_F(OptionsDialog, EveryModeAndOptionGivesThePiecesOfTheCommandLine) {
    const std::wstring source = Dir / L"数据.csv";
    test::WriteBytes(source, Source());
    const TModeCase cases[] = {
        {"by size with a header",
         [](TfSplitOptionsDlg& d) {
             Click(d.rbBytes);
             d.edtBytes->SetText(L"1K");
             d.edtHeader->SetText(L"1");
         },
         L"3000", L"--bytes 1K --header 1", L"按 1 KB 拆分 · 表头 1 行"},
        {"into pieces, CSV records, a manifest",
         [](TfSplitOptionsDlg& d) {
             Click(d.rbPieces);
             d.edtPieces->SetText(L"4");
             d.edtHeader->SetText(L"1");
             d.ckCsv->SetChecked(true);
             d.ckManifest->SetChecked(true);
         },
         L"3000", L"--pieces 4 --header 1 --csv --manifest", L"平均分成 4 份 · 表头 1 行 · CSV · 清单"},
        {"by lines, exact line ends, a name template, UTF-8",
         [](TfSplitOptionsDlg& d) {
             Click(d.rbLines);
             d.ckKeepLineEnds->SetChecked(true);
             d.edtName->SetText(L"{n:3}-{name}-{total}.{ext}");
             d.cbEncoding->SetItemIndex(1);
         },
         L"17", L"--lines 17 --keep-line-ends --name {n:3}-{name}-{total}.{ext} --encoding utf-8",
         L"按 17 行拆分 · 无标记按 UTF-8 · 名称 {n:3}-{name}-{total}.{ext} · 换行原样"},
    };
    for (const TModeCase& c : cases) {
        SCOPED_TRACE(c.What);
        // Every case starts from the defaults, as a fresh window would.
        Win().SetOptions(TSplitOptions{});
        {
            TOptionsDriver driver(c.Fill);
            OpenOptions();
            ASSERT_TRUE(driver.Filled());
        }
        Win().edtSplitLineNum->SetText(c.Lines);
        EXPECT_EQ(Win().stSplit->SimpleText(), L" " + c.Status);

        test::TTempDir window(L"窗口"), command(L"命令行");
        test::TMessageBoxAnswerer boxes(IDNO);
        SplitAndWait(source, window.Path().wstring() + L"\\", c.Lines);
        CommandLineSplit(c.Arguments, source, command.Path().wstring());
        const auto pieces = Files(window.Path());
        EXPECT_GT(pieces.size(), 1u);
        EXPECT_EQ(pieces, Files(command.Path()));
    }
}

TEST_F(OptionsDialog, ChoicesThatCannotBeUsedAreRefusedWithTheFieldFocusedAndCancelChangesNothing) {
    struct TBad {
        std::function<void(TfSplitOptionsDlg&)> Fill;
        std::function<TWinControl*(TfSplitOptionsDlg&)> Field;
        std::wstring Says;
    };
    const TBad cases[] = {
        {[](TfSplitOptionsDlg& d) { Click(d.rbBytes); d.edtBytes->SetText(L"10 M"); },
         [](TfSplitOptionsDlg& d) -> TWinControl* { return d.edtBytes; }, L"大小"},
        {[](TfSplitOptionsDlg& d) { Click(d.rbPieces); d.edtPieces->SetText(L"1"); },
         [](TfSplitOptionsDlg& d) -> TWinControl* { return d.edtPieces; }, L"份数"},
        {[](TfSplitOptionsDlg& d) { d.edtHeader->SetText(L"x"); },
         [](TfSplitOptionsDlg& d) -> TWinControl* { return d.edtHeader; }, L"表头"},
        {[](TfSplitOptionsDlg& d) { d.edtName->SetText(L"片段.txt"); },
         [](TfSplitOptionsDlg& d) -> TWinControl* { return d.edtName; }, L"{n}"},
        {[](TfSplitOptionsDlg& d) { d.edtName->SetText(L"..\\{n}.txt"); },
         [](TfSplitOptionsDlg& d) -> TWinControl* { return d.edtName; }, L""},
    };
    for (const TBad& c : cases) {
        auto dialog = std::unique_ptr<TfSplitOptionsDlg>(CreateForm<TfSplitOptionsDlg>(&Win()));
        dialog->ShowOptions(TSplitOptions{}, Dir / L"数据.csv");
        dialog->Show();
        c.Fill(*dialog);
        test::TMessageBoxAnswerer boxes(IDOK);
        EXPECT_EQ(dialog->TakeOptions(), std::nullopt);
        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_THAT(boxes[0].Text, HasSubstr(c.Says));
        EXPECT_EQ(GetFocus(), c.Field(*dialog)->Handle());
    }

    // The names while the template is typed; cancel keeps the options as they were.
    const std::wstring before = Win().stSplit->SimpleText();
    TOptionsDriver driver(
        [](TfSplitOptionsDlg& d) {
            Click(d.rbPieces);
            d.edtPieces->SetText(L"12");
            d.edtName->SetText(L"{name}-{n:2}of{total}.txt");
            EXPECT_EQ(d.lbFirstName->Caption(), L"第一个文件：文件-01of12.txt");
            EXPECT_EQ(d.lbLastName->Caption(), L"最后一个文件：文件-12of12.txt");
            Click(d.rbLines);
            EXPECT_EQ(d.lbLastName->Caption(), L"最后一个文件：拆分完成后才知道");
        },
        false);
    OpenOptions();
    EXPECT_TRUE(driver.Filled());
    EXPECT_EQ(Win().stSplit->SimpleText(), before);
    EXPECT_EQ(Win().Options().Mode, TSplitMode::Lines);
}

} // namespace
} // namespace orvo

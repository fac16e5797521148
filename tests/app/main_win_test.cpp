// The main window driven with real messages: the stored layout, the line-count key filter, the
// checks of "立即拆分" in their order, the target's trailing backslash, "使用文件所在目录", the
// file and folder dialogs, the links and menu items, and the About dialog.
#include "app/const_var.h"
#include "app/split_file_thread.h"
#include "tests/app/app_test_support.h"
#include "tests/framework/support/dialog_answerer.h"
#include "tests/framework/support/message_box_answerer.h"

#include <commctrl.h>
#include <shlobj.h>

#include <gmock/gmock.h>

namespace orvo {
namespace {

using test::AppWindow;
using testing::ElementsAre;
using testing::HasSubstr;

constexpr wchar_t Title[] = L"Orvo大文件分割机";

TEST_F(AppWindow, StoredLayoutMenuAndCaption) {
    EXPECT_EQ(Win().Caption(), L"Orvo大文件分割机 www.orvo.example");
    RECT client{};
    GetClientRect(Win().Handle(), &client);
    EXPECT_EQ(client.right, 546);
    EXPECT_EQ(client.bottom, 382) << "359 above the status line";
    EXPECT_EQ(Win().stSplit->BoundsRect().top, 359);
    EXPECT_EQ(Win().stSplit->SimpleText(), L" 按 3000 行拆分");
    EXPECT_EQ(GetWindowLongW(Win().Handle(), GWL_STYLE) & WS_THICKFRAME, 0) << "not resizable";
    EXPECT_EQ(Win().Font()->Name(), L"宋体");
    EXPECT_EQ(Win().Font()->Height(), -12);
    EXPECT_EQ(Win().edtSplitLineNum->Text(), L"3000");
    EXPECT_TRUE(Win().edtFileToSplit->ReadOnly());
    EXPECT_TRUE(Win().edtSaveToDir->ReadOnly());
    EXPECT_FALSE(Win().MemoLog->Enabled());
    EXPECT_FALSE(Win().ckUseFileDir->Checked());
    EXPECT_EQ(Win().lbCheckUpdate->Font()->Color(), clBlue);
    const RECT split = Win().btnSplitNow->BoundsRect();
    EXPECT_EQ(split.left, 200);
    EXPECT_EQ(split.top, 49);
    EXPECT_EQ(Win().MemoLog->Width(), 193);
    EXPECT_EQ(Win().MemoLog->Height(), 273);

    std::vector<TWinControl*> tabs;
    Win().GetTabOrderList(tabs);
    EXPECT_THAT(tabs, ElementsAre(Win().GroupBox1, Win().btnBrowser, Win().edtFileToSplit, Win().GroupBox2,
                                  Win().btnSaveToDir, Win().edtSaveToDir, Win().ckUseFileDir, Win().GroupBox3,
                                  Win().btnSplitNow, Win().edtSplitLineNum, Win().btnOptions, Win().GroupBox4,
                                  Win().MemoLog, Win().stSplit));

    // The skinned window draws the bar itself; the menu is the form's main menu.
    HMENU bar = Win().MainMenu1->Handle();
    ASSERT_EQ(GetMenuItemCount(bar), 5);
    wchar_t text[64];
    const std::pair<int, const wchar_t*> topLevel[] = {
        {0, L"文件"}, {1, L"设置"}, {2, L"皮肤"}, {3, L"帮助"}, {4, L"联系我们"}};
    for (const auto& [index, caption] : topLevel) {
        GetMenuStringW(bar, index, text, 64, MF_BYPOSITION);
        EXPECT_STREQ(text, caption);
    }
    EXPECT_EQ(GetSubMenu(bar, 4), nullptr) << "联系我们 acts itself";
    const std::pair<int, const wchar_t*> fileItems[] = {{0, L"校验…"}, {1, L"合并…"}, {3, L"退出"}};
    for (const auto& [index, caption] : fileItems) {
        GetMenuStringW(GetSubMenu(bar, 0), index, text, 64, MF_BYPOSITION);
        EXPECT_STREQ(text, caption);
    }
    GetMenuStringW(GetSubMenu(bar, 3), 0, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"产品主页");
    GetMenuStringW(GetSubMenu(bar, 3), 1, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"关于");
}

// ---- the line-count edit -------------------------------------------------------------------------

void Type(HWND edit, const std::wstring& keys) {
    for (const wchar_t key : keys)
        PostMessageW(edit, WM_CHAR, key, 1);
    test::Pump(30);
}

TEST_F(AppWindow, LineCountTakesDigitsAndBackspaceAndBeepsAtTheRest) {
    HWND edit = Win().edtSplitLineNum->Handle();
    Win().edtSplitLineNum->SetFocus();
    SendMessageW(edit, EM_SETSEL, 4, 4);
    Type(edit, L"5a-");
    EXPECT_EQ(Win().edtSplitLineNum->Text(), L"30005");
    EXPECT_THAT(test::TShellRecorder::Beeps(), ElementsAre(1u, 1u)) << "one beep for each refused key";
    Type(edit, L"\b\b");
    EXPECT_EQ(Win().edtSplitLineNum->Text(), L"300");
    Type(edit, L" 中.\r");
    EXPECT_EQ(Win().edtSplitLineNum->Text(), L"300");
    EXPECT_EQ(test::TShellRecorder::Beeps().size(), 6u);
}

// ---- the checks of "立即拆分" ---------------------------------------------------------------------

class SplitChecks : public AppWindow {
protected:
    SplitChecks() { test::WriteBytes(Source, "a\r\nb\r\n"); }

    // Presses "立即拆分" with these inputs and answers every box with OK.
    void Press(const std::wstring& lines, const std::wstring& source, const std::wstring& target) {
        Win().edtSplitLineNum->SetText(lines);
        Win().edtFileToSplit->SetText(source);
        Win().edtSaveToDir->SetText(target);
        AppWindow::Press(Win().btnSplitNow);
    }

    test::TTempDir Dir;
    std::wstring Source = Dir / L"源.txt";
};

TEST_F(SplitChecks, EachRefusalShowsOneMessageAndClearsOrFocuses) {
    struct TCase {
        const wchar_t* Lines;
        bool WithSource;
        bool WithTarget;
        const wchar_t* Message;
        bool Clears;
    };
    const TCase cases[] = {
        {L"123456", false, false, L"拆分的行数最大为99999", true},
        {L"", false, false, L"请输入要拆分的行数", true},
        {L"99999", false, false, L"请选择要拆分的文本文件", false},
        {L"0", false, true, L"请选择要拆分的文本文件", false},
        {L"0", true, false, L"请选择保存到哪个目录", false},
        {L"0", true, true, L"请输入要拆分的行数", true},
        {L"00000", true, true, L"请输入要拆分的行数", true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "lines '" << Utf8Encode(c.Lines) << "', source " << c.WithSource
                                        << ", target " << c.WithTarget);
        Win().edtSplitLineNum->SetFocus();
        test::TMessageBoxAnswerer boxes(IDOK);
        Press(c.Lines, c.WithSource ? Source : L"", c.WithTarget ? Dir.Path().wstring() : L"");
        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_EQ(boxes[0].Text, c.Message);
        EXPECT_EQ(boxes[0].Caption, Title);
        EXPECT_EQ(boxes[0].Flags, static_cast<UINT>(MB_OK));
        EXPECT_EQ(Win().edtSplitLineNum->Text(), c.Clears ? L"" : c.Lines);
        EXPECT_EQ(Win().Worker(), nullptr);
        EXPECT_TRUE(Win().btnSplitNow->Enabled());
    }
}

TEST_F(SplitChecks, AMissingPathMovesTheFocusToItsButton) {
    test::TMessageBoxAnswerer boxes(IDOK);
    Win().edtSplitLineNum->SetFocus();
    Press(L"10", L"", L"");
    test::Pump(30);
    EXPECT_TRUE(Win().btnBrowser->Focused());
    Win().edtSplitLineNum->SetFocus();
    Press(L"10", Source, L"");
    test::Pump(30);
    EXPECT_TRUE(Win().btnSaveToDir->Focused());
    EXPECT_EQ(boxes.Count(), 2);
}

TEST_F(SplitChecks, NoSecondReportWhenTheTargetButtonIsDisabled) {
    // Ticking the box with no source yet leaves the target empty and its button disabled.
    AppWindow::Press(Win().ckUseFileDir);
    ASSERT_FALSE(Win().btnSaveToDir->Enabled());
    test::TMessageBoxAnswerer boxes(IDOK);
    Press(L"10", Source, L"");
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes[0].Text, L"请选择保存到哪个目录");
}

void Paste(HWND edit, const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(edit));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    SendMessageW(edit, WM_PASTE, 0, 0);
}

TEST_F(SplitChecks, APastedNonNumberGetsTheInvalidIntegerReportOnly) {
    for (const wchar_t* pasted : {L"12a", L"-1"}) {
        SCOPED_TRACE(Utf8Encode(pasted));
        Win().edtSplitLineNum->Clear();
        Paste(Win().edtSplitLineNum->Handle(), pasted);
        ASSERT_EQ(Win().edtSplitLineNum->Text(), pasted) << "pasting is not filtered";
        test::TMessageBoxAnswerer boxes(IDOK);
        AppWindow::Press(Win().btnSplitNow);
        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_EQ(boxes[0].Text, L"请选择要拆分的文本文件") << "the paths are checked first";
        Win().edtFileToSplit->SetText(Source);
        Win().edtSaveToDir->SetText(Dir.Path().wstring());
        AppWindow::Press(Win().btnSplitNow);
        ASSERT_EQ(boxes.Count(), 2);
        EXPECT_THAT(boxes[1].Text, HasSubstr(L"is not a valid integer value"));
        EXPECT_EQ(boxes[1].Caption, Title);
        EXPECT_EQ(boxes[1].Flags & MB_ICONMASK, static_cast<UINT>(MB_ICONSTOP));
        EXPECT_EQ(Win().edtSplitLineNum->Text(), pasted) << "nothing else happens";
        EXPECT_EQ(Win().Worker(), nullptr);
        Win().edtFileToSplit->Clear();
        Win().edtSaveToDir->Clear();
    }
}

TEST_F(SplitChecks, AMissingSourceFileEndsTheClickSilently) {
    test::TMessageBoxAnswerer boxes(IDOK);
    const std::wstring target = Dir.Path().wstring();
    for (const std::wstring& source : {Dir / L"gone.txt", Dir.Path().wstring()}) {
        Press(L"10", source, target);
        EXPECT_EQ(boxes.Count(), 0);
        EXPECT_EQ(Win().Worker(), nullptr);
        EXPECT_TRUE(Win().btnSplitNow->Enabled());
        EXPECT_EQ(Win().edtSaveToDir->Text(), target) << "no backslash added either";
    }
}

TEST_F(SplitChecks, TheTargetGainsOneTrailingBackslashWhenTheSplitStarts) {
    test::TMessageBoxAnswerer boxes(IDNO);
    const std::wstring target = Dir.Path().wstring();
    SplitAndWait(Source, target, L"5");
    EXPECT_EQ(Win().edtSaveToDir->Text(), target + L"\\");
    EXPECT_TRUE(std::filesystem::exists(Dir / L"源_1.txt"));
    SplitAndWait(Source, target + L"\\", L"5");
    EXPECT_EQ(Win().edtSaveToDir->Text(), target + L"\\");
    EXPECT_EQ(boxes.Count(), 2) << "two splits, two final questions";
}

// ---- "使用文件所在目录" ----------------------------------------------------------------------------

TEST_F(AppWindow, UseFileDirTakesTheSourceDirectoryAtTheClick) {
    struct TCase {
        const wchar_t* Source;
        const wchar_t* Target;
    };
    const TCase cases[] = {
        {L"D:\\数据\\日志\\big.log", L"D:\\数据\\日志"},
        {L"C:\\big.txt", L"C:\\"},
        {L"\\\\server\\share\\a.txt", L"\\\\server\\share"},
        {L"C:\\", L"before"},
        {L"", L"before"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(Utf8Encode(c.Source));
        Win().edtFileToSplit->SetText(c.Source);
        Win().edtSaveToDir->SetText(L"before");
        Press(Win().ckUseFileDir);
        ASSERT_TRUE(Win().ckUseFileDir->Checked());
        EXPECT_EQ(Win().edtSaveToDir->Text(), c.Target);
        EXPECT_FALSE(Win().edtSaveToDir->Enabled());
        EXPECT_FALSE(Win().btnSaveToDir->Enabled());
        Win().edtFileToSplit->SetText(L"E:\\later\\x.txt");
        EXPECT_EQ(Win().edtSaveToDir->Text(), c.Target) << "a later source does not move the target";
        Press(Win().ckUseFileDir);
        ASSERT_FALSE(Win().ckUseFileDir->Checked());
        EXPECT_TRUE(Win().edtSaveToDir->Enabled());
        EXPECT_TRUE(Win().btnSaveToDir->Enabled());
        EXPECT_EQ(Win().edtSaveToDir->Text(), c.Target) << "unticking leaves the text";
    }
}

// ---- the file dialog and the folder browser ---------------------------------------------------------

std::wstring ComboText(HWND dialog, int id, int index) {
    HWND combo = GetDlgItem(dialog, id);
    wchar_t text[256] = {};
    if (combo) SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
}

TEST_F(AppWindow, BrowseTakesTheChosenFileWithTheTextFilter) {
    test::TTempDir dir;
    const std::wstring chosen = dir / L"大文件.txt";
    test::WriteBytes(chosen, "x\r\n");
    std::wstring firstType;
    std::wstring secondType;
    {
        test::TDialogAnswerer answer([&](HWND dialog) {
            firstType = ComboText(dialog, cmb1, 0);
            secondType = ComboText(dialog, cmb1, 1);
            HWND box = GetDlgItem(dialog, cmb13) ? GetDlgItem(dialog, cmb13) : GetDlgItem(dialog, edt1);
            SetWindowTextW(box, chosen.c_str());
            test::PressButton(dialog, IDOK);
        });
        Press(Win().btnBrowser);
        EXPECT_FALSE(answer.GaveUp());
    }
    EXPECT_EQ(firstType, L"Text Files(*.txt)");
    EXPECT_EQ(secondType, L"All Files(*.*)");
    EXPECT_TRUE(test::SamePath(Win().edtFileToSplit->Text(), chosen));

    test::TDialogAnswerer cancel([](HWND dialog) { test::PressButton(dialog, IDCANCEL); });
    Press(Win().btnBrowser);
    EXPECT_TRUE(cancel.Answered());
    EXPECT_TRUE(test::SamePath(Win().edtFileToSplit->Text(), chosen)) << "cancel changes nothing";
}

bool HasChildText(HWND parent, const std::wstring& text) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t buffer[256] = {};
        GetWindowTextW(child, buffer, 256);
        if (text == buffer || HasChildText(child, text)) return true;
    }
    return false;
}

TEST_F(AppWindow, SaveToDirTakesTheChosenFolderWithOneBackslash) {
    bool titled = false;
    {
        test::TDialogAnswerer answer([&](HWND dialog) {
            titled = HasChildText(dialog, L"选择要保存的目录");
            SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(L"C:\\"));
            test::PressButton(dialog, IDOK);
        });
        Press(Win().btnSaveToDir);
    }
    EXPECT_TRUE(titled);
    EXPECT_EQ(Win().edtSaveToDir->Text(), L"C:\\") << "a drive root keeps its one backslash";

    test::TDialogAnswerer cancel([](HWND dialog) { test::PressButton(dialog, IDCANCEL); });
    Press(Win().btnSaveToDir);
    EXPECT_TRUE(cancel.Answered());
    EXPECT_EQ(Win().edtSaveToDir->Text(), L"C:\\");
}

// ---- links, menu and About ------------------------------------------------------------------------

// A left click at the middle of a windowless control, as the mouse gives it to its parent.
void ClickControl(TControl* control) {
    const LPARAM at =
        MAKELPARAM(control->Left() + control->Width() / 2, control->Top() + control->Height() / 2);
    HWND parent = control->Parent()->Handle();
    PostMessageW(parent, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(parent, WM_LBUTTONUP, 0, at);
    test::Pump(30);
}

void ChooseMenuItem(TForm& form, TMenuItem* item) {
    PostMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
    test::Pump(30);
}

TEST_F(AppWindow, LinksAndMenuItemsOpenTheSitesPages) {
    ConstVar.reset();
    ClickControl(Win().lbCheckUpdate);
    ASSERT_TRUE(ConstVar) << "made on first use";
    ClickControl(Win().lbCheckManual);
    ChooseMenuItem(Win(), Win().N4);
    ChooseMenuItem(Win(), Win().N3);
    const auto& calls = test::TShellRecorder::Calls();
    ASSERT_EQ(calls.size(), 4u);
    const wchar_t* expected[] = {L"http://www.orvo.example", L"http://www.orvo.example/split-big-file",
                                 L"http://www.orvo.example/split-big-file",
                                 L"http://www.orvo.example/contact"};
    for (std::size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].File, expected[i]);
        EXPECT_EQ(calls[i].Owner, Win().Handle());
        EXPECT_EQ(calls[i].Verb, L"open");
        EXPECT_EQ(calls[i].Parameters, L"");
        EXPECT_FALSE(calls[i].HasDirectory);
        EXPECT_EQ(calls[i].Show, SW_SHOWNORMAL);
    }
    EXPECT_EQ(ConstVar->ContactUrl, L"http://www.orvo.example/contact");
}

struct TAboutSeen {
    std::wstring Caption;
    POINT Centre{};
    SIZE Client{};
    bool Edit1Visible = true;
    LONG Style = 0;
    int PictureWidth = 0;
};

POINT CentreOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST_F(AppWindow, AboutShowsTwiceCentredOverTheMainWindow) {
    TfAboutDlg* created = fAboutDlg;
    for (const POINT mainAt : {POINT{40, 30}, POINT{300, 200}}) {
        SetWindowPos(Win().Handle(), nullptr, mainAt.x, mainAt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        TAboutSeen seen;
        test::Later([&] {
            test::PumpUntil([] { return fAboutDlg && IsWindowVisible(fAboutDlg->Handle()); });
            HWND about = fAboutDlg->Handle();
            wchar_t caption[128] = {};
            GetWindowTextW(about, caption, 128);
            seen.Caption = caption;
            seen.Centre = CentreOf(about);
            RECT client{};
            GetClientRect(about, &client);
            seen.Client = {client.right, client.bottom};
            seen.Edit1Visible =
                fAboutDlg->Edit1->HandleAllocated() && IsWindowVisible(fAboutDlg->Edit1->Handle());
            seen.Style = GetWindowLongW(about, GWL_STYLE);
            seen.PictureWidth = fAboutDlg->Image1->Picture()->Width();
            ClickControl(fAboutDlg->Label3);
            Press(fAboutDlg->btnClose);
        });
        SendMessageW(Win().Handle(), WM_COMMAND, MAKEWPARAM(Win().N5->Command(), 0), 0);
        EXPECT_EQ(fAboutDlg, created) << "the same dialog each time";
        EXPECT_FALSE(IsWindowVisible(fAboutDlg->Handle()));
        EXPECT_EQ(seen.Caption, L"关于 Orvo大文件分割机 www.orvo.example");
        const POINT mainCentre = CentreOf(Win().Handle());
        EXPECT_NEAR(seen.Centre.x, mainCentre.x, 1);
        EXPECT_NEAR(seen.Centre.y, mainCentre.y, 1);
        EXPECT_EQ(seen.Client.cx, 354);
        EXPECT_EQ(seen.Client.cy, 165);
        EXPECT_FALSE(seen.Edit1Visible);
        EXPECT_EQ(seen.Style & (WS_SYSMENU | WS_THICKFRAME), 0) << "no caption buttons, not resizable";
        EXPECT_EQ(seen.PictureWidth, 110);
    }
    const auto& calls = test::TShellRecorder::Calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].File, L"http://www.orvo.example");
    EXPECT_EQ(calls[1].Verb, L"open");
    EXPECT_EQ(calls[1].Owner, fAboutDlg->Handle());
}

TEST_F(AppWindow, AboutIsMadeAgainWhenItIsGone) {
    delete fAboutDlg;
    ASSERT_EQ(fAboutDlg, nullptr);
    bool shown = false;
    test::Later([&] {
        shown = test::PumpUntil([] { return fAboutDlg && IsWindowVisible(fAboutDlg->Handle()); });
        if (fAboutDlg) Press(fAboutDlg->btnClose);
    });
    SendMessageW(Win().Handle(), WM_COMMAND, MAKEWPARAM(Win().N5->Command(), 0), 0);
    EXPECT_TRUE(shown);
    ASSERT_NE(fAboutDlg, nullptr);
    EXPECT_EQ(fAboutDlg->Owner(), &Win());
}

TEST_F(AppWindow, TheAboutPictureIsCutAtTheBottomOfItsControl) {
    TImage& image = *fAboutDlg->Image1;
    EXPECT_EQ(image.Picture()->Height(), 110);
    EXPECT_EQ(image.Height(), 105);
    const RECT drawn = image.DestRect();
    EXPECT_EQ(drawn.left, 0);
    EXPECT_EQ(drawn.top, 0);
    EXPECT_EQ(drawn.right, 110) << "drawn at its own size";
    EXPECT_EQ(drawn.bottom, 110);
}

} // namespace
} // namespace orvo

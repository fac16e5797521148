// Forms under Wine: a stored form with every control read through the real resource path, modal
// forms (results from buttons, Enter and Esc, other windows disabled and enabled again, the focus
// given back), positions, exact client sizes for every border style with and without a menu, the
// exception report, hints, and the application's loop.
#include "framework/forms/application.h"
#include "framework/controls/button.h"
#include "framework/controls/check_box.h"
#include "framework/controls/edit.h"
#include "framework/base/exceptions.h"
#include "framework/forms/forms.h"
#include "framework/controls/group_box.h"
#include "framework/forms/hint_window.h"
#include "framework/controls/image.h"
#include "framework/controls/label.h"
#include "framework/controls/memo.h"
#include "framework/menus/menus.h"
#include "framework/controls/mouse_control.h"
#include "framework/controls/panel.h"
#include "framework/base/prop_access.h"
#include "framework/forms/screen.h"
#include "framework/base/sysutils.h"
#include "tests/framework/support/message_box_answerer.h"
#include "tests/framework/support/pump.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orvo {

class TfControls : public TForm {
    ORVO_CLASS(TfControls, TForm)
public:
    explicit TfControls(TComponent* owner) : TForm(owner) {}

    TGroupBox* GroupBox1 = nullptr;
    TEdit* edtName = nullptr;
    TButton* btnGo = nullptr;
    TCheckBox* ckFlag = nullptr;
    TLabel* lbTitle = nullptr;
    TImage* Image1 = nullptr;
    TPanel* Panel1 = nullptr;
    TLabel* lbInner = nullptr;
    TMemo* MemoLog = nullptr;
    TButton* btnCancel = nullptr;
    TMainMenu* MainMenu1 = nullptr;

    bool LoadedAtCreate = false;
    int GoClicks = 0;
    int TitleClicks = 0;
    std::wstring Typed;

    void FormCreate(TObject*) {
        LoadedAtCreate = !ComponentState().Contains(csLoading) && edtName && edtName->Text() == L"name";
    }
    void btnGoClick(TObject*) { ++GoClicks; }
    void lbTitleClick(TObject*) { ++TitleClicks; }
    void edtNameKeyPress(TObject*, wchar_t& key) { Typed += key; }

    static void Publish(TPublisher<TfControls>& p) {
        p.Field(L"GroupBox1", &TfControls::GroupBox1);
        p.Field(L"edtName", &TfControls::edtName);
        p.Field(L"btnGo", &TfControls::btnGo);
        p.Field(L"ckFlag", &TfControls::ckFlag);
        p.Field(L"lbTitle", &TfControls::lbTitle);
        p.Field(L"Image1", &TfControls::Image1);
        p.Field(L"Panel1", &TfControls::Panel1);
        p.Field(L"lbInner", &TfControls::lbInner);
        p.Field(L"MemoLog", &TfControls::MemoLog);
        p.Field(L"btnCancel", &TfControls::btnCancel);
        p.Field(L"MainMenu1", &TfControls::MainMenu1);
        p.Method(L"FormCreate", &TfControls::FormCreate);
        p.Method(L"btnGoClick", &TfControls::btnGoClick);
        p.Method(L"lbTitleClick", &TfControls::lbTitleClick);
        p.Method(L"edtNameKeyPress", &TfControls::edtNameKeyPress);
    }
};
ORVO_IMPLEMENT_CLASS(TfControls);

namespace {

RECT ClientOf(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return r;
}

POINT Centre(const RECT& r) {
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void ShowAndWait(TCustomForm& form, bool activate = true) {
    form.Show();
    test::PumpUntil([&] { return IsWindowVisible(form.Handle()) != FALSE; });
    if (!activate) return;
    SetForegroundWindow(form.Handle());
    test::PumpUntil([&] { return form.Active(); }, 1000);
}

TEST(StoredForm, EveryControlIsReadThroughTheResource) {
    std::unique_ptr<TfControls> form(CreateForm<TfControls>(nullptr));
    EXPECT_TRUE(form->LoadedAtCreate) << "OnCreate runs after the whole form was read";
    ASSERT_NE(form->btnGo, nullptr);
    EXPECT_EQ(form->btnGo->Parent(), form->GroupBox1);
    EXPECT_EQ(form->lbInner->Parent(), form->Panel1);
    EXPECT_EQ(form->Caption(), L"Stored controls");
    EXPECT_EQ(form->BorderStyle(), bsSingle);
    EXPECT_EQ(form->BorderIcons(), TBorderIcons{biSystemMenu});
    EXPECT_EQ(form->Menu(), form->MainMenu1);
    EXPECT_EQ(form->ActiveControl(), form->edtName);
    EXPECT_TRUE(form->KeyPreview());
    EXPECT_EQ(form->ClientWidth(), 400);
    EXPECT_EQ(form->ClientHeight(), 260);

    std::vector<TWinControl*> order;
    form->GetTabOrderList(order);
    EXPECT_EQ(order, (std::vector<TWinControl*>{form->MemoLog, form->GroupBox1, form->btnGo, form->edtName,
                                                form->ckFlag, form->Panel1, form->btnCancel}));

    EXPECT_EQ(form->edtName->MaxLength(), 10);
    EXPECT_TRUE(form->btnGo->Default());
    EXPECT_EQ(form->btnGo->ModalResult(), mrOk);
    EXPECT_TRUE(form->btnCancel->Cancel());
    EXPECT_EQ(form->ckFlag->State(), cbGrayed);
    EXPECT_EQ(form->lbTitle->Caption(), L"\u6807\u9898");
    EXPECT_EQ(form->lbTitle->Font()->Color(), clBlue);
    EXPECT_FALSE(form->lbTitle->ParentFont());
    EXPECT_EQ(form->lbTitle->Font()->Height(), -12) << "the font's other parts still come from the form";
    EXPECT_EQ(form->lbInner->Font()->Height(), -12);
    EXPECT_EQ(form->Image1->Picture()->Width(), 4);
    EXPECT_EQ(form->MemoLog->Lines()->Count(), 2);
    EXPECT_EQ(form->MemoLog->Lines()->Get(1), L"second");
    EXPECT_FALSE(form->MemoLog->Enabled());
    EXPECT_FALSE(form->Panel1->ParentBackground());
    EXPECT_EQ(GetPropValue(form->btnGo, L"ModalResult"), L"mrOk");
    EXPECT_EQ(GetPropValue(form->ckFlag, L"State"), L"cbGrayed");
    EXPECT_FALSE(GetPropInfo(form->btnGo, L"Color")) << "a button publishes no colour";

    ShowAndWait(*form);
    EXPECT_EQ(GetMenu(form->Handle()), form->MainMenu1->Handle());
    const RECT client = ClientOf(form->Handle());
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(client.bottom, 260) << "the menu bar is added around the stored client size";
    EXPECT_EQ(GetFocus(), form->edtName->Handle());
    EXPECT_EQ(SendMessageW(form->ckFlag->Handle(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    SendMessageW(form->btnGo->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(form->GoClicks, 1);
    PostMessageW(form->edtName->Handle(), WM_CHAR, L'z', 1);
    test::Pump(50);
    EXPECT_EQ(form->Typed, L"z");
    EXPECT_EQ(form->edtName->Text(), L"z") << "entering the edit selected its text, typing replaced it";
    // The label is clicked through its parent's window.
    const POINT onLabel = form->lbTitle->ClientToScreen(POINT{5, 5});
    POINT inForm = onLabel;
    ScreenToClient(form->Handle(), &inForm);
    SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inForm.x, inForm.y));
    SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(inForm.x, inForm.y));
    EXPECT_EQ(form->TitleClicks, 1);
}

TEST(ModalForm, ButtonsEnterAndEscEndItWithOtherWindowsDisabledMeanwhile) {
    TForm owner(nullptr);
    owner.SetBounds(100, 100, 300, 200);
    auto* ownerEdit = new TEdit(&owner);
    ownerEdit->SetParent(&owner);
    ShowAndWait(owner);
    ownerEdit->SetFocus();
    ASSERT_TRUE(test::PumpUntil([&] { return ownerEdit->Focused(); }));

    std::unique_ptr<TfControls> dialog(CreateForm<TfControls>(&owner));
    const auto runModal = [&](std::function<void()> act) {
        bool ownerWasDisabled = false;
        test::Later([&, act] {
            test::PumpUntil([&] { return dialog->Active(); }, 1000);
            ownerWasDisabled = !IsWindowEnabled(owner.Handle());
            act();
        });
        const int result = dialog->ShowModal();
        EXPECT_TRUE(ownerWasDisabled) << "the other windows are disabled while the form is modal";
        EXPECT_TRUE(IsWindowEnabled(owner.Handle())) << "and enabled again afterwards";
        EXPECT_FALSE(IsWindowVisible(dialog->Handle())) << "the form is hidden, the object stays";
        return result;
    };
    EXPECT_EQ(runModal([&] { PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 1); }), mrOk)
        << "Enter clicks the default button";
    EXPECT_EQ(dialog->GoClicks, 1);
    EXPECT_EQ(runModal([&] { PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1); }), mrCancel)
        << "Esc clicks the cancel button";
    EXPECT_EQ(runModal([&] { SendMessageW(dialog->btnGo->Handle(), BM_CLICK, 0, 0); }), mrOk);
    EXPECT_EQ(runModal([&] { dialog->Close(); }), mrCancel);

    // OnCloseQuery can keep it open.
    int asked = 0;
    dialog->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++asked > 1; };
    EXPECT_EQ(runModal([&] {
                  SendMessageW(dialog->btnGo->Handle(), BM_CLICK, 0, 0);
                  test::Later([&] { SendMessageW(dialog->btnGo->Handle(), BM_CLICK, 0, 0); });
              }),
              mrOk);
    EXPECT_EQ(asked, 2);
    EXPECT_THROW(
        {
            dialog->Show();
            dialog->ShowModal();
        },
        EInvalidOperation)
        << "a visible form cannot become modal";
    dialog->Hide();

    ASSERT_TRUE(test::PumpUntil([&] { return ownerEdit->Focused(); }))
        << "the window that was active gets its focused control back";
}

TEST(FormPosition, CentredOnTheScreenOrOverTheOwnerEachTimeItIsShown) {
    TForm owner(nullptr);
    owner.SetBounds(60, 80, 500, 400);
    ShowAndWait(owner);
    TForm centred(&owner);
    centred.SetBounds(0, 0, 200, 100);
    centred.SetPosition(poOwnerFormCenter);
    ShowAndWait(centred);
    POINT a = Centre(centred.BoundsRect()), b = Centre(owner.BoundsRect());
    EXPECT_LE(std::abs(a.x - b.x), 1);
    EXPECT_LE(std::abs(a.y - b.y), 1);
    centred.Hide();
    owner.SetBounds(300, 200, 500, 400);
    ShowAndWait(centred);
    a = Centre(centred.BoundsRect());
    b = Centre(owner.BoundsRect());
    EXPECT_LE(std::abs(a.x - b.x), 1) << "centred again over the owner where it is now";
    EXPECT_LE(std::abs(a.y - b.y), 1);

    TForm screen(nullptr);
    screen.SetBounds(0, 0, 240, 120);
    screen.SetPosition(poScreenCenter);
    ShowAndWait(screen);
    a = Centre(screen.BoundsRect());
    b = Centre(Screen->WorkAreaRect());
    EXPECT_LE(std::abs(a.x - b.x), 1);
    EXPECT_LE(std::abs(a.y - b.y), 1);
}

TEST(FormClientSize, ExactForEveryBorderStyleWithAndWithoutAMenu) {
    for (const TBorderStyle style : {bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin})
        for (const bool withMenu : {false, true}) {
            SCOPED_TRACE(testing::Message() << "border style " << static_cast<int>(style)
                                            << (withMenu ? " with" : " without") << " a menu");
            TForm form(nullptr);
            form.SetBorderStyle(style);
            if (withMenu) {
                auto* menu = new TMainMenu(&form);
                auto* item = new TMenuItem(&form);
                item->SetCaption(L"&File");
                menu->Items()->Add(item);
                form.SetMenu(menu);
            }
            form.SetClientWidth(300);
            form.SetClientHeight(180);
            EXPECT_EQ(form.ClientWidth(), 300);
            ShowAndWait(form, false);
            RECT client = ClientOf(form.Handle());
            EXPECT_EQ(client.right, 300);
            EXPECT_EQ(client.bottom, 180);
            EXPECT_EQ(withMenu, GetMenu(form.Handle()) != nullptr);
            form.SetClientHeight(150); // with the window there
            client = ClientOf(form.Handle());
            EXPECT_EQ(client.right, 300);
            EXPECT_EQ(client.bottom, 150);
        }
    TForm bare(nullptr);
    bare.SetBorderIcons({});
    bare.HandleNeeded();
    EXPECT_FALSE(GetWindowLongW(bare.Handle(), GWL_STYLE) & WS_SYSMENU)
        << "no caption buttons, no system menu";
    EXPECT_TRUE(GetWindowLongW(bare.Handle(), GWL_STYLE) & WS_CAPTION);
}

TEST(FormScrolling, AutoScrollShowsBarsForControlsBeyondTheClientAreaAndMovesThem) {
    TForm form(nullptr);
    form.SetBorderStyle(bsSizeable);
    form.SetClientWidth(200);
    form.SetClientHeight(150);
    auto* distant = new TButton(&form);
    distant->SetParent(&form);
    distant->SetBounds(10, 300, 75, 25);
    ShowAndWait(form, false);
    EXPECT_FALSE(GetWindowLongW(form.Handle(), GWL_STYLE) & WS_VSCROLL) << "without AutoScroll no bars";
    form.SetAutoScroll(true);
    EXPECT_TRUE(GetWindowLongW(form.Handle(), GWL_STYLE) & WS_VSCROLL);
    EXPECT_FALSE(GetWindowLongW(form.Handle(), GWL_STYLE) & WS_HSCROLL) << "the width fits";
    SendMessageW(form.Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    const RECT client = ClientOf(form.Handle());
    EXPECT_EQ(distant->Top() + distant->Height(), client.bottom)
        << "scrolled to the end, the button's bottom shows";
    EXPECT_EQ(form.ScrollPos().y, 325 - client.bottom);
    RECT r{};
    GetWindowRect(distant->Handle(), &r);
    MapWindowPoints(HWND_DESKTOP, form.Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.top, distant->Top()) << "the window moved with the control";
    SendMessageW(form.Handle(), WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(form.ScrollPos().y, 325 - client.bottom - 8);
    form.SetAutoScroll(false);
    EXPECT_EQ(distant->Top(), 300) << "switching it off scrolls back";
    EXPECT_FALSE(GetWindowLongW(form.Handle(), GWL_STYLE) & WS_VSCROLL);
}

TEST(ExceptionReport, AnEscapedExceptionShowsItsMessageUnderTheTitle) {
    Application->Initialize();
    TForm form(nullptr);
    auto* button = new TButton(&form);
    button->SetParent(&form);
    button->OnClick = [](TObject*) { StrToInt(L"abc"); };
    auto* silent = new TButton(&form);
    silent->SetParent(&form);
    silent->OnClick = [](TObject*) { Abort(); };
    ShowAndWait(form);
    test::TMessageBoxAnswerer boxes;
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes[0].Text, L"'abc' is not a valid integer value");
    EXPECT_EQ(boxes[0].Caption, Application->Title());
    EXPECT_EQ(boxes[0].Flags, static_cast<UINT>(MB_OK | MB_ICONHAND));
    EXPECT_EQ(boxes[0].Owner, form.Handle()) << "owned by the active form";
    SendMessageW(silent->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(boxes.Count(), 1) << "EAbort is silent";

    boxes.SetButton(IDNO);
    EXPECT_EQ(Application->MessageBox(L"Question?", L"", MB_YESNO | MB_ICONQUESTION), IDNO);
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes[1].Caption, Application->Title()) << "no caption: the title";
    EXPECT_EQ(boxes[1].Flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
}

TEST(Hints, ShowAfterThePauseBelowThePointerAndHideAgain) {
    TForm form(nullptr);
    form.SetBounds(100, 100, 300, 200);
    auto* button = new TButton(&form);
    button->SetParent(&form);
    button->SetBounds(20, 20, 100, 30);
    button->SetHint(L"Short text|The long text");
    button->SetShowHint(true);
    ShowAndWait(form);
    Application->SetHintPause(50);
    Application->SetHintHidePause(400);
    HWND active = GetActiveWindow();
    const POINT p = button->ClientToScreen(POINT{10, 10});
    SetCursorPos(p.x, p.y);
    ASSERT_TRUE(
        test::PumpUntil([] { return Application->HintWindow() && Application->HintWindow()->Showing(); }));
    THintWindow& hint = *Application->HintWindow();
    EXPECT_EQ(hint.Caption(), L"Short text");
    EXPECT_EQ(Application->Hint(), L"The long text");
    EXPECT_GT(hint.Top(), p.y) << "below the pointer";
    EXPECT_TRUE(GetWindowLongW(hint.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetActiveWindow(), active) << "a hint never takes the activation";
    EXPECT_TRUE(test::PumpUntil([&] { return !hint.Showing(); })) << "hidden after the hide pause";
    const RECT one = hint.CalcHintRect(400, L"a");
    const RECT two = hint.CalcHintRect(400, L"a much longer hint text");
    EXPECT_GT(two.right, one.right);
    const RECT wrapped = hint.CalcHintRect(60, L"a much longer hint text");
    EXPECT_GT(wrapped.bottom, two.bottom) << "wrapped at the width asked for";
    SetCursorPos(5, 5);
    test::Pump(50);
    Application->SetHintPause(500);
    Application->SetHintHidePause(2500);
}

TEST(FormDispatch, MenuCommandsMnemonicsFocusAndRelease) {
    auto* form = CreateForm<TfControls>(nullptr);
    ShowAndWait(*form);
    auto* quit = dynamic_cast<TMenuItem*>(form->FindComponent(L"miQuit"));
    ASSERT_NE(quit, nullptr);
    int quits = 0;
    quit->OnClick = [&](TObject*) { ++quits; };
    SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(quit->Command(), 0), 0);
    EXPECT_EQ(quits, 1) << "a menu command reaches its item";
    int menuChanges = 0;
    const TWndMethod original = form->WindowProc;
    form->WindowProc = [&](TMessage& m) {
        if (m.Msg == 45077) ++menuChanges;
        original(m);
    };
    quit->SetCaption(L"&Leave");
    EXPECT_GE(menuChanges, 1) << "the menu tells its form of changes (CM_MENUCHANGED)";
    form->WindowProc = original;

    ASSERT_TRUE(test::PumpUntil([&] { return form->edtName->Focused(); }));
    PostMessageW(form->edtName->Handle(), WM_CHAR, L'r', 1);
    test::Pump(50);
    EXPECT_EQ(form->GoClicks, 0) << "an edit takes plain letters itself";
    PostMessageW(form->edtName->Handle(), WM_SYSCHAR, L'r', 0x20000001);
    test::Pump(50);
    EXPECT_EQ(form->GoClicks, 1) << "Alt+R is the mnemonic of the button '&Run'";
    PostMessageW(form->edtName->Handle(), WM_SYSCHAR, L'G', 0x20000001);
    test::Pump(50);
    EXPECT_EQ(GetFocus(), form->btnGo->Handle())
        << "Alt+G, the group box's mnemonic, focuses its first control";

    form->edtName->SetFocus();
    ASSERT_TRUE(test::PumpUntil([&] { return form->edtName->Focused(); }));

    form->edtName->SetEnabled(false);
    EXPECT_EQ(GetFocus(), form->Handle()) << "a disabled control gives the focus back to its form";
    EXPECT_EQ(form->ActiveControl(), nullptr);
    form->edtName->SetEnabled(true);

    bool destroyed = false;
    form->OnDestroy = [&](TObject*) { destroyed = true; };
    HWND window = form->Handle();
    form->Release();
    EXPECT_FALSE(destroyed) << "released only once the waiting messages are handled";
    EXPECT_TRUE(test::PumpUntil([&] { return destroyed; }));
    EXPECT_FALSE(IsWindow(window));
}

// Last: it makes a main form and runs the application's loop to its end.
TEST(ApplicationLoop, CreateFormMakesTheMainFormAndRunEndsWhenItCloses) {
    TfControls* main = nullptr;
    bool referenceSetInCreate = false;
    bool destroyed = false;
    Application->CreateForm(main);
    referenceSetInCreate = main && main->LoadedAtCreate;
    EXPECT_TRUE(referenceSetInCreate);
    EXPECT_EQ(Application->MainForm(), main);
    main->OnDestroy = [&](TObject*) { destroyed = true; };
    test::Later([&] {
        test::PumpUntil([&] { return IsWindowVisible(main->Handle()) != FALSE; });
        main->Close();
    });
    Application->Run();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_TRUE(destroyed) << "the forms the application owns are freed when Run ends";
    EXPECT_EQ(Application->MainForm(), nullptr);
}

} // namespace
} // namespace orvo

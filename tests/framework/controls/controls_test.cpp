// Controls under Wine: who frees whom, windows made on demand and re-made with their state,
// window methods chained and unchained, notifications reflected to the child that sent them,
// mouse enter/leave from real pointer moves, key presses changed, swallowed and aborted, the tab
// order, fonts inherited from parents, and memo lines.
#include "framework/forms/application.h"
#include "framework/controls/button.h"
#include "framework/controls/check_box.h"
#include "framework/controls/edit.h"
#include "framework/base/exceptions.h"
#include "framework/forms/forms.h"
#include "framework/controls/group_box.h"
#include "framework/controls/image.h"
#include "framework/controls/label.h"
#include "framework/controls/memo.h"
#include "framework/controls/mouse_control.h"
#include "framework/controls/panel.h"
#include "framework/window/window_property.h"
#include "tests/framework/support/message_box_answerer.h"
#include "tests/framework/support/pump.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace orvo {
namespace {

// A button that reports its own death.
class TTracedButton : public TButton {
public:
    TTracedButton(TComponent* owner, int* deaths) : TButton(owner), FDeaths(deaths) {}
    ~TTracedButton() override { ++*FDeaths; }

private:
    int* FDeaths;
};

// A form shown at a fixed place, freed with the test.
struct TShownForm {
    TForm Form{nullptr};
    TShownForm() {
        Form.SetBounds(100, 100, 400, 300);
        Form.Show();
        test::PumpUntil([&] { return IsWindowVisible(Form.Handle()) != FALSE; });
        SetForegroundWindow(Form.Handle());
        test::Pump(50);
    }
};

template <class T> T* Add(TWinControl* parent, int left, int top, int width, int height) {
    T* control = new T(GetParentForm(parent) ? static_cast<TComponent*>(GetParentForm(parent)) : parent);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

TEST(ControlTree, AParentFreesWhatItHoldsAndAnOwnerTakesItsControlsOut) {
    int deaths = 0;
    auto* form = new TForm(nullptr);
    auto* box = new TGroupBox(form);
    box->SetParent(form);
    // Owned by nobody, held by the group box.
    auto* stray = new TTracedButton(nullptr, &deaths);
    stray->SetParent(box);
    auto* owned = new TTracedButton(form, &deaths);
    owned->SetParent(box);
    form->HandleNeeded();
    ASSERT_TRUE(stray->HandleAllocated());
    HWND strayWindow = stray->Handle();
    EXPECT_EQ(box->ControlCount(), 2);
    EXPECT_EQ(box->Controls(0), stray);

    delete box;
    EXPECT_EQ(deaths, 2) << "freeing a parent frees the controls it holds, whoever owns them";
    EXPECT_EQ(form->ControlCount(), 0);
    EXPECT_EQ(form->ComponentCount(), 0) << "the owned one left its owner when it died";
    EXPECT_FALSE(IsWindow(strayWindow));

    // An owner that dies takes its controls out of their parent.
    auto* owner = new TComponent(nullptr);
    auto* label = new TLabel(owner);
    label->SetParent(form);
    auto* edit = new TEdit(owner);
    edit->SetParent(form);
    HWND editWindow = edit->Handle();
    EXPECT_EQ(form->ControlCount(), 2);
    delete owner;
    EXPECT_EQ(form->ControlCount(), 0);
    EXPECT_FALSE(IsWindow(editWindow));
    std::vector<TWinControl*> tabs;
    form->GetTabOrderList(tabs);
    EXPECT_TRUE(tabs.empty()) << "no freed control stays in the tab order";

    auto* inner = new TPanel(form);
    inner->SetParent(form);
    EXPECT_THROW(form->SetParent(inner), EInvalidOperation) << "a control cannot sit inside what it holds";
    EXPECT_THROW(inner->SetParent(inner), EInvalidOperation);
    delete form;
}

TEST(ControlTree, WindowsAreMadeOnDemandAndRemadeWithTheirState) {
    TForm form(nullptr);
    auto* box = Add<TGroupBox>(&form, 10, 10, 200, 150);
    auto* edit = Add<TEdit>(box, 10, 20, 120, 21);
    auto* check = Add<TCheckBox>(box, 10, 60, 150, 17);
    edit->SetText(L"typed before the window");
    check->SetChecked(true);
    EXPECT_FALSE(form.HandleAllocated());
    EXPECT_FALSE(edit->HandleAllocated()) << "nothing exists before it is needed";

    HWND editWindow = edit->Handle();
    EXPECT_TRUE(form.HandleAllocated()) << "a child's window needs its parent's";
    EXPECT_TRUE(check->HandleAllocated()) << "and the parent makes those of all its children";
    EXPECT_EQ(GetParent(editWindow), box->Handle());
    EXPECT_EQ(SendMessageW(check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);

    // The user types: the state now lives in the window.
    SetWindowTextW(editWindow, L"typed into the window");
    SetWindowPos(check->Handle(), nullptr, 12, 64, 150, 17, SWP_NOZORDER);
    edit->SetReadOnly(true);
    box->RecreateWnd();
    EXPECT_FALSE(IsWindow(editWindow));
    ASSERT_TRUE(edit->HandleAllocated());
    EXPECT_NE(edit->Handle(), editWindow);
    EXPECT_EQ(edit->Text(), L"typed into the window");
    EXPECT_TRUE(GetWindowLongW(edit->Handle(), GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(SendMessageW(check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    RECT r{};
    GetWindowRect(check->Handle(), &r);
    MapWindowPoints(HWND_DESKTOP, box->Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 12);
    EXPECT_EQ(r.top, 64);
    EXPECT_EQ(check->Left(), 12);
    EXPECT_EQ(FindControl(edit->Handle()), edit);

    // A creation-time style: the window is made again, the text stays.
    EXPECT_TRUE(GetWindowLongW(edit->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    edit->SetBorderStyle(bsNone);
    EXPECT_FALSE(GetWindowLongW(edit->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(edit->Text(), L"typed into the window");
}

// A window method that logs and, for one message, answers itself.
struct TChain {
    TWndMethod Saved;
    std::vector<std::wstring>* Log;
    std::wstring Name;
    UINT Consumes;
    void Install(TControl& control) {
        Saved = control.WindowProc;
        control.WindowProc = [this](TMessage& m) {
            if (m.Msg >= WM_APP) Log->push_back(Name);
            if (m.Msg == Consumes) {
                m.Result = 77;
                return;
            }
            Saved(m);
        };
    }
    void Remove(TControl& control) { control.WindowProc = Saved; }
};

TEST(WindowMethod, ChainsTwoDeepAndUnchainsInEitherOrder) {
    for (const bool innerFirst : {true, false}) {
        TForm form(nullptr);
        auto* button = Add<TButton>(&form, 0, 0, 75, 25);
        std::vector<std::wstring> log;
        int clicks = 0;
        button->OnClick = [&](TObject*) { ++clicks; };
        TChain inner{{}, &log, L"inner", WM_APP + 1};
        TChain outer{{}, &log, L"outer", WM_APP + 2};
        inner.Install(*button);
        outer.Install(*button);

        EXPECT_EQ(SendMessageW(button->Handle(), WM_APP + 1, 0, 0), 77)
            << "window messages go through the chain";
        EXPECT_EQ(log, (std::vector<std::wstring>{L"outer", L"inner"}));
        log.clear();
        EXPECT_EQ(button->Perform(WM_APP + 2), 77) << "Perform too";
        EXPECT_EQ(log, (std::vector<std::wstring>{L"outer"}));
        SendMessageW(button->Handle(), BM_CLICK, 0, 0);
        EXPECT_EQ(clicks, 1) << "what the chain passes on still works";

        // Taking them out: the one on top first, or the inner one first by handing its saved
        // method to the outer one (what a chain element that leaves early must do).
        if (innerFirst) {
            outer.Saved = inner.Saved;
            outer.Remove(*button);
        } else {
            outer.Remove(*button);
            inner.Remove(*button);
        }
        log.clear();
        EXPECT_EQ(button->Perform(WM_APP + 1), 0);
        EXPECT_EQ(button->Perform(WM_APP + 2), 0);
        EXPECT_TRUE(log.empty()) << "the original method is back";
        SendMessageW(button->Handle(), BM_CLICK, 0, 0);
        EXPECT_EQ(clicks, 2);
    }
}

TEST(Reflection, ChildNotificationsReachTheChildAsCN) {
    TForm form(nullptr);
    auto* box = Add<TGroupBox>(&form, 0, 0, 300, 200);
    auto* button = Add<TButton>(box, 10, 20, 75, 25);
    auto* edit = Add<TEdit>(box, 10, 60, 100, 21);
    edit->Font()->SetColor(clRed);
    edit->SetColor(clYellow);
    std::vector<UINT> seen;
    const TWndMethod original = button->WindowProc;
    button->WindowProc = [&](TMessage& m) {
        if (m.Msg >= CN_BASE && m.Msg < CN_BASE + 0x400) seen.push_back(m.Msg);
        original(m);
    };
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), 48401u) << "BN_CLICKED arrives as CN_COMMAND";

    // The parent's WM_CTLCOLOREDIT is answered by the edit: its colours, its brush.
    HDC dc = GetDC(edit->Handle());
    const auto brush = static_cast<HBRUSH>(
        reinterpret_cast<void*>(SendMessageW(box->Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                             reinterpret_cast<LPARAM>(edit->Handle()))));
    EXPECT_EQ(brush, edit->Brush()->Handle());
    EXPECT_EQ(GetTextColor(dc), RGB(255, 0, 0));
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 0));
    ReleaseDC(edit->Handle(), dc);

    // WM_COMMAND from a window the framework does not own is not reflected, and a menu command
    // (no sender window) neither.
    HWND bare = CreateWindowExW(0, L"BUTTON", L"bare", WS_CHILD, 0, 0, 10, 10, box->Handle(), nullptr,
                                nullptr, nullptr);
    seen.clear();
    SendMessageW(box->Handle(), WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), reinterpret_cast<LPARAM>(bare));
    SendMessageW(box->Handle(), WM_COMMAND, 1, 0);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(clicks, 1);
    DestroyWindow(bare);
}

TEST(MouseTracking, EnterAndLeaveFollowThePointerOverWindowedAndWindowlessControls) {
    TShownForm shown;
    TForm& form = shown.Form;
    auto* button = Add<TButton>(&form, 20, 20, 100, 30);
    auto* label = Add<TLabel>(&form, 20, 100, 100, 30);
    label->SetAutoSize(false);
    label->SetCaption(L"label");
    std::vector<std::wstring> log;
    const auto trace = [&](TControl* c, const wchar_t* name) {
        const TWndMethod original = c->WindowProc;
        c->WindowProc = [&log, original, name](TMessage& m) {
            if (m.Msg == CM_MOUSEENTER) log.push_back(std::wstring(L"enter ") + name);
            if (m.Msg == CM_MOUSELEAVE) log.push_back(std::wstring(L"leave ") + name);
            original(m);
        };
    };
    trace(button, L"button");
    trace(label, L"label");
    trace(&form, L"form");
    const auto moveTo = [&](TControl* c, int x, int y) {
        const POINT p = c->ClientToScreen(POINT{x, y});
        SetCursorPos(p.x, p.y);
        test::PumpUntil([&] { return MouseControl() == ControlAtScreenPoint(p); }, 2000);
        test::Pump(50);
    };
    moveTo(button, 10, 10);
    EXPECT_EQ(MouseControl(), button);
    moveTo(label, 10, 10);
    EXPECT_EQ(MouseControl(), label);
    moveTo(&form, 250, 250);
    EXPECT_EQ(MouseControl(), &form);
    moveTo(button, 20, 10);
    SetCursorPos(5, 5); // off the form
    test::PumpUntil([&] { return MouseControl() == nullptr; }, 2000);
    EXPECT_EQ(MouseControl(), nullptr);
    // The pointer may cross the form on its way between controls: the form's own notices are
    // checked apart.
    std::vector<std::wstring> controls;
    for (const auto& e : log)
        if (e.find(L"form") == std::wstring::npos) controls.push_back(e);
    EXPECT_EQ(controls, (std::vector<std::wstring>{L"enter button", L"leave button", L"enter label",
                                                   L"leave label", L"enter button", L"leave button"}));
    EXPECT_NE(std::find(log.begin(), log.end(), L"enter form"), log.end());
    EXPECT_EQ(std::count(log.begin(), log.end(), L"enter form"),
              std::count(log.begin(), log.end(), L"leave form"));
}

TEST(Keys, KeyPressCanChangeSwallowOrSilentlyAbortACharacter) {
    TShownForm shown;
    auto* edit = Add<TEdit>(&shown.Form, 10, 10, 200, 21);
    edit->OnKeyPress = [](TObject*, wchar_t& key) {
        if (key == L'a') key = L'b';
        if (key == L'x') key = 0;
        if (key == L'q') Abort();
    };
    edit->SetFocus();
    ASSERT_TRUE(test::PumpUntil([&] { return edit->Focused(); }));
    test::TMessageBoxAnswerer boxes;
    for (wchar_t ch : std::wstring(L"axqa1"))
        PostMessageW(edit->Handle(), WM_CHAR, ch, 1);
    test::Pump(100);
    EXPECT_EQ(edit->Text(), L"bb1");
    EXPECT_EQ(boxes.Count(), 0) << "an aborted key press reports nothing";
}

TEST(Keys, TabWalksTheNestedTabOrderAndEnterEscapeReachTheButtons) {
    TShownForm shown;
    TForm& form = shown.Form;
    auto* box = Add<TGroupBox>(&form, 10, 10, 200, 120);
    auto* first = Add<TEdit>(box, 10, 20, 100, 21);
    auto* second = Add<TEdit>(box, 10, 50, 100, 21);
    auto* ok = Add<TButton>(&form, 220, 10, 75, 25);
    auto* cancel = Add<TButton>(&form, 220, 40, 75, 25);
    auto* edit = Add<TEdit>(&form, 220, 80, 75, 21);
    second->SetTabOrder(0); // second before first inside the box
    edit->SetTabOrder(0);   // the loose edit first on the form
    ok->SetDefault(true);
    cancel->SetCancel(true);
    std::vector<TWinControl*> order;
    form.GetTabOrderList(order);
    EXPECT_EQ(order, (std::vector<TWinControl*>{edit, box, second, first, ok, cancel}));

    edit->SetFocus();
    ASSERT_TRUE(test::PumpUntil([&] { return edit->Focused(); }));
    std::vector<TWinControl*> visited;
    for (int i = 0; i < 5; ++i) {
        TWinControl* focused = FindControl(GetFocus());
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
        test::PumpUntil([&] { return FindControl(GetFocus()) != focused; }, 1000);
        visited.push_back(FindControl(GetFocus()));
    }
    EXPECT_EQ(visited, (std::vector<TWinControl*>{second, first, ok, cancel, edit}))
        << "the box itself is no tab stop; the walk wraps";
    EXPECT_EQ(form.ActiveControl(), edit);

    int okClicks = 0, cancelClicks = 0;
    ok->OnClick = [&](TObject*) { ++okClicks; };
    cancel->OnClick = [&](TObject*) { ++cancelClicks; };
    PostMessageW(edit->Handle(), WM_KEYDOWN, VK_RETURN, 1);
    PostMessageW(edit->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    test::Pump(100);
    EXPECT_EQ(okClicks, 1) << "Enter in an edit clicks the default button";
    EXPECT_EQ(cancelClicks, 1) << "Esc clicks the cancel button";

    // Arrows move among the controls of one parent, ignoring tab stops.
    second->SetFocus();
    ASSERT_TRUE(test::PumpUntil([&] { return second->Focused(); }));
    auto* check = Add<TCheckBox>(box, 10, 80, 100, 17);
    check->SetFocus();
    ASSERT_TRUE(test::PumpUntil([&] { return check->Focused(); }));
    PostMessageW(check->Handle(), WM_KEYDOWN, VK_DOWN, 1);
    test::PumpUntil([&] { return !check->Focused(); }, 1000);
    EXPECT_EQ(FindControl(GetFocus()), second) << "down from the last wraps to the first of the box";
}

TEST(Fonts, ChildrenFollowTheirParentsFontUntilGivenTheirOwn) {
    TForm form(nullptr);
    auto* box = Add<TGroupBox>(&form, 0, 0, 200, 100);
    auto* label = Add<TLabel>(box, 5, 20, 50, 14);
    auto* own = Add<TButton>(box, 5, 50, 75, 25);
    own->Font()->SetName(L"Courier New");
    EXPECT_FALSE(own->ParentFont());
    form.Font()->SetHeight(-20);
    form.Font()->SetName(L"Arial");
    EXPECT_EQ(box->Font()->Height(), -20);
    EXPECT_EQ(label->Font()->Height(), -20) << "through the box";
    EXPECT_EQ(label->Font()->Name(), L"Arial");
    EXPECT_TRUE(label->ParentFont());
    EXPECT_EQ(own->Font()->Name(), L"Courier New");
    EXPECT_EQ(own->Font()->Height(), TFont::DefaultHeight) << "a font of its own does not follow";

    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(own->Handle(), WM_GETFONT, 0, 0)), sizeof lf, &lf);
    EXPECT_STREQ(lf.lfFaceName, L"Courier New") << "the window uses the control's font";

    own->SetParentFont(true);
    EXPECT_EQ(own->Font()->Name(), L"Arial");
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(own->Handle(), WM_GETFONT, 0, 0)), sizeof lf, &lf);
    EXPECT_EQ(lf.lfHeight, -20);
    // A control moved to another parent takes that parent's font.
    auto* panel = Add<TPanel>(&form, 0, 120, 100, 50);
    panel->Font()->SetHeight(-9);
    label->SetParent(panel);
    EXPECT_EQ(label->Font()->Height(), -9);
}

TEST(Memo, LinesAreTheTextsOwnLinesInAndOutOfTheWindow) {
    TForm form(nullptr);
    auto* memo = Add<TMemo>(&form, 0, 0, 200, 100);
    TStrings& lines = *memo->Lines();
    for (const bool withWindow : {false, true}) {
        if (withWindow) memo->HandleNeeded();
        lines.Clear();
        EXPECT_EQ(lines.Count(), 0);
        lines.Add(L"");
        EXPECT_EQ(memo->Text(), L"\r\n") << "one empty line";
        lines.Add(L"one");
        lines.Add(L"two");
        EXPECT_EQ(lines.Count(), 3);
        lines.Insert(1, L"zero");
        lines.Delete(0);
        lines.Put(2, L"TWO");
        EXPECT_EQ(memo->Text(), L"zero\r\none\r\nTWO\r\n");
        EXPECT_EQ(lines[1], L"one");
        EXPECT_THROW(lines.Get(3), EStringListError);
        memo->SetText(L"a\r\nb"); // no break after the last line
        EXPECT_EQ(lines.Count(), 2);
        lines.Add(L"c");
        EXPECT_EQ(memo->Text(), L"a\r\nb\r\nc");
        lines.Delete(2);
        EXPECT_EQ(lines.Count(), 2);
    }
    // A long line that wraps in the window is still one line.
    memo->SetWordWrap(true);
    lines.SetText(std::wstring(300, L'w') + L"\r\nshort");
    EXPECT_EQ(lines.Count(), 2);
    EXPECT_GT(SendMessageW(memo->Handle(), EM_GETLINECOUNT, 0, 0), 2);
    // Batched changes land once.
    int changes = 0;
    memo->OnChange = [&](TObject*) { ++changes; };
    lines.BeginUpdate();
    for (int i = 0; i < 50; ++i)
        lines.Add(L"line");
    lines.EndUpdate();
    EXPECT_EQ(lines.Count(), 52);
    EXPECT_EQ(changes, 1);
    // Nothing is cut at the native control's default limit.
    std::wstring big;
    for (int i = 0; i < 5000; ++i)
        big += L"0123456789\r\n";
    memo->SetText(big);
    lines.Add(L"last");
    EXPECT_EQ(lines.Count(), 5001);
    EXPECT_EQ(lines[5000], L"last");
}

// Paints a form's client area (background, then content and windowless controls) into a bitmap.
std::unique_ptr<TBitmap> PaintForm(TForm& form, int width, int height) {
    auto bitmap = std::make_unique<TBitmap>(width, height);
    HDC dc = bitmap->Canvas().Handle();
    form.Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc));
    form.Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc));
    return bitmap;
}

TEST(Image, DrawsThePictureUnscaledFromTheTopLeftClippedToTheControl) {
    TForm form(nullptr);
    form.SetColor(clWhite);
    auto* image = new TImage(&form);
    image->SetParent(&form);
    image->SetBounds(10, 10, 5, 3);
    TBitmap picture(4, 4);
    picture.Canvas().Brush().SetColor(clBlue);
    picture.Canvas().FillRect(RECT{0, 0, 4, 4});
    image->Picture()->SetGraphic(&picture);
    const auto blue = [](const TBitmap& b, int x, int y) { return b.PixelColor(x, y) == clBlue; };
    auto shot = PaintForm(form, 30, 30);
    for (int y = 8; y < 16; ++y)
        for (int x = 8; x < 17; ++x)
            EXPECT_EQ(blue(*shot, x, y), x >= 10 && x < 14 && y >= 10 && y < 13) << x << "," << y;
    image->SetStretch(true);
    shot = PaintForm(form, 30, 30);
    EXPECT_TRUE(blue(*shot, 14, 12)) << "stretched over the whole control";
    EXPECT_FALSE(blue(*shot, 14, 13));
    image->SetStretch(false);
    image->SetBounds(10, 10, 8, 8);
    image->SetCenter(true);
    shot = PaintForm(form, 30, 30);
    EXPECT_FALSE(blue(*shot, 11, 11));
    EXPECT_TRUE(blue(*shot, 12, 12)) << "centred: (8 - 4) / 2 in from each side";
    EXPECT_TRUE(blue(*shot, 15, 15));
    EXPECT_FALSE(blue(*shot, 16, 16));
}

TEST(Label, AutoSizeFitsTheTextTransparencyAndTheDisabledLook) {
    TForm form(nullptr);
    form.SetColor(clWhite);
    auto* label = new TLabel(&form);
    label->SetParent(&form);
    label->SetBounds(100, 10, 10, 10);
    label->SetCaption(L"Hello");
    TBitmap measure(1, 1);
    measure.Canvas().Font().Assign(*label->Font());
    EXPECT_EQ(label->Width(), measure.Canvas().TextWidth(L"Hello"));
    EXPECT_EQ(label->Height(), measure.Canvas().TextHeight(L"Hello"));
    label->SetAlignment(taRightJustify);
    const int right = label->Left() + label->Width();
    label->SetCaption(L"Hello, world");
    EXPECT_EQ(label->Left() + label->Width(), right) << "a right-aligned label grows to the left";
    label->SetAutoSize(false);
    label->SetCaption(L"x");
    EXPECT_EQ(label->Left() + label->Width(), right) << "AutoSize off keeps the bounds";

    label->SetAlignment(taLeftJustify);
    label->SetColor(clYellow);
    auto shot = PaintForm(form, 200, 40);
    EXPECT_EQ(shot->PixelColor(right - 2, 12), clYellow) << "an opaque label fills its colour";
    label->SetTransparent(true);
    shot = PaintForm(form, 200, 40);
    EXPECT_EQ(shot->PixelColor(right - 2, 12), clWhite) << "a transparent one leaves the parent's";
    label->SetCaption(L"WWW");
    label->Font()->SetColor(clRed);
    const auto count = [](const TBitmap& b, TColor c) {
        int n = 0;
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x)
                n += b.PixelColor(x, y) == c;
        return n;
    };
    shot = PaintForm(form, 200, 40);
    EXPECT_GT(count(*shot, clRed), 0);
    label->SetEnabled(false);
    shot = PaintForm(form, 200, 40);
    EXPECT_EQ(count(*shot, clRed), 0) << "disabled text is drawn in the shadow colours";
    EXPECT_GT(count(*shot, ColorToRGB(clBtnShadow)), 0);
}

TEST(CheckBox, ClicksCycleItsStatesAndEveryChangeRunsOnClick) {
    TForm form(nullptr);
    auto* check = new TCheckBox(&form);
    check->SetParent(&form);
    std::vector<TCheckBoxState> seen;
    check->OnClick = [&](TObject*) { seen.push_back(check->State()); };
    check->SetAllowGrayed(true);
    for (int i = 0; i < 3; ++i)
        SendMessageW(check->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(seen, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));
    check->SetChecked(true);
    EXPECT_EQ(seen.back(), cbChecked) << "a change from code runs OnClick too";
    EXPECT_EQ(SendMessageW(check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    check->SetChecked(true);
    EXPECT_EQ(seen.size(), 4u) << "no change, no click";
}

TEST(Button, TheDefaultFrameFollowsTheFocus) {
    TShownForm shown;
    auto* edit = Add<TEdit>(&shown.Form, 10, 10, 100, 21);
    auto* other = Add<TButton>(&shown.Form, 10, 40, 75, 25);
    auto* ok = Add<TButton>(&shown.Form, 10, 70, 75, 25);
    ok->SetDefault(true);
    const auto isDefault = [](TButton* b) {
        return (GetWindowLongW(b->Handle(), GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
    };
    edit->SetFocus();
    ASSERT_TRUE(test::PumpUntil([&] { return edit->Focused(); }));
    EXPECT_TRUE(isDefault(ok)) << "while no button has the focus, the default button shows the frame";
    EXPECT_FALSE(isDefault(other));
    other->SetFocus();
    ASSERT_TRUE(test::PumpUntil([&] { return other->Focused(); }));
    EXPECT_FALSE(isDefault(ok));
    EXPECT_TRUE(isDefault(other)) << "a focused button answers Enter itself";
    int clicks = 0;
    other->OnClick = [&](TObject*) { ++clicks; };
    PostMessageW(other->Handle(), WM_KEYDOWN, VK_RETURN, 1);
    test::Pump(50);
    EXPECT_EQ(clicks, 1);
}

} // namespace
} // namespace orvo

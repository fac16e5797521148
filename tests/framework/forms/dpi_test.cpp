// Forms at other display scales: a stored form (designed at 96 DPI) laid out at the DPI its window
// is made at, and again when WM_DPICHANGED says the window moved to a monitor of another scale;
// every length scaled from what it was given, so 96 -> 144 -> 96 gives every size, font and GDI
// and USER object count back. Under Wine a test sends WM_DPICHANGED itself (the window's real DPI
// stays the prefix's); forms made at a real DPI run in a child process started at that DPI.
#include "framework/base/prop_access.h"
#include "framework/controls/bit_btn.h"
#include "framework/controls/button.h"
#include "framework/controls/check_box.h"
#include "framework/controls/edit.h"
#include "framework/controls/group_box.h"
#include "framework/controls/header_control.h"
#include "framework/controls/image.h"
#include "framework/controls/label.h"
#include "framework/controls/list_box.h"
#include "framework/controls/list_view.h"
#include "framework/controls/memo.h"
#include "framework/controls/panel.h"
#include "framework/controls/status_bar.h"
#include "framework/controls/string_grid.h"
#include "framework/controls/tab_control.h"
#include "framework/controls/tree_view.h"
#include "framework/forms/forms.h"
#include "framework/graphics/image_list.h"
#include "framework/menus/menus.h"
#include "framework/window/display_scale.h"
#include "tests/framework/support/dpi_harness.h"
#include "tests/framework/support/input_driver.h"
#include "tests/framework/support/pump.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

namespace orvo {

class TfScaled : public TForm {
    ORVO_CLASS(TfScaled, TForm)
public:
    explicit TfScaled(TComponent* owner) : TForm(owner) {}
};
ORVO_IMPLEMENT_CLASS(TfScaled);

namespace {
// The classes the stored form names, linked in.
[[maybe_unused]] const TClassInfo* const StoredClasses[] = {
    &TGroupBox::StaticClass(), &TEdit::StaticClass(),  &TButton::StaticClass(),    &TCheckBox::StaticClass(),
    &TLabel::StaticClass(),    &TPanel::StaticClass(), &TMemo::StaticClass(),      &TMainMenu::StaticClass(),
    &TMenuItem::StaticClass(), &TImageList::StaticClass(), &TListBox::StaticClass(), &TListView::StaticClass(),
    &TTabControl::StaticClass(), &TTreeView::StaticClass(), &THeaderControl::StaticClass(),
    &TStringGrid::StaticClass(), &TBitBtn::StaticClass(), &TStatusBar::StaticClass()};
} // namespace

namespace {

using test::ChildTestDpi;

// The lengths of their own that control classes publish, read by name where a control has them.
const wchar_t* const LengthProperties[] = {
    L"ItemHeight",       L"TabHeight",        L"Indent",            L"DefaultColWidth", L"DefaultRowHeight",
    L"Columns[0].Width", L"Columns[1].Width", L"Panels[0].Width",   L"Panels[1].Width", L"Sections[0].Width",
    L"Sections[1].Width", L"Sections[0].MinWidth", L"Margin",      L"Spacing"};

// What a user sees of a form's layout: every control's bounds, font and own lengths, the client
// size.
struct TLayout {
    std::map<std::wstring, RECT> Bounds;
    std::map<std::wstring, int> Fonts;
    std::map<std::wstring, int> Lengths; // "control.property"
    SIZE Client{};
    bool operator==(const TLayout& other) const {
        if (Client.cx != other.Client.cx || Client.cy != other.Client.cy || Fonts != other.Fonts ||
            Lengths != other.Lengths)
            return false;
        if (Bounds.size() != other.Bounds.size()) return false;
        for (const auto& [name, r] : Bounds) {
            const auto it = other.Bounds.find(name);
            if (it == other.Bounds.end() || !EqualRect(&r, &it->second)) return false;
        }
        return true;
    }
};

void Collect(TWinControl& parent, TLayout& layout) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* c = parent.Controls(i);
        layout.Bounds[c->Name()] = c->BoundsRect();
        layout.Fonts[c->Name()] = c->Font()->Height();
        for (const wchar_t* property : LengthProperties)
            if (const auto value = GetOrdProp(c, property)) layout.Lengths[c->Name() + L"." + property] = *value;
        if (auto* windowed = dynamic_cast<TWinControl*>(c)) Collect(*windowed, layout);
    }
}

TLayout LayoutOf(TCustomForm& form) {
    TLayout layout;
    layout.Client = SIZE{form.ClientWidth(), form.ClientHeight()};
    layout.Fonts[L"form"] = form.Font()->Height();
    Collect(form, layout);
    return layout;
}

// What the system does when the window moves to a monitor at `dpi`: asks the size, suggests the
// rectangle, tells the window.
void MoveToDpi(TCustomForm& form, int dpi) {
    RECT window{};
    GetWindowRect(form.Handle(), &window);
    SIZE size{window.right - window.left, window.bottom - window.top};
    SendMessageW(form.Handle(), WM_GETDPISCALEDSIZE, static_cast<WPARAM>(dpi), reinterpret_cast<LPARAM>(&size));
    RECT suggested{window.left, window.top, window.left + size.cx, window.top + size.cy};
    SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

TControl* Find(TCustomForm& form, const wchar_t* name) {
    return static_cast<TControl*>(form.FindComponent(name));
}

// Three 16 x 16 images on magenta: a red, a green and a blue square inside.
void AddImages(TImageList& images) {
    TBitmap strip(48, 16, pf24bit);
    strip.Canvas().Brush().SetColor(clFuchsia);
    strip.Canvas().FillRect(RECT{0, 0, 48, 16});
    const TColor colours[] = {clRed, clLime, clBlue};
    for (int i = 0; i < 3; ++i) {
        strip.Canvas().Brush().SetColor(colours[i]);
        strip.Canvas().FillRect(RECT{i * 16 + 4, 4, i * 16 + 12, 12});
    }
    images.AddMasked(strip, clFuchsia);
}

class FormDpi : public ::testing::Test {
protected:
    void SetUp() override {
        Form.reset(CreateForm<TfScaled>(nullptr));
        AddImages(*static_cast<TImageList*>(Form->FindComponent(L"Images1")));
        Form->Show();
        ASSERT_TRUE(test::PumpUntil([&] { return IsWindowVisible(Form->Handle()) != FALSE; }));
    }
    // The stored bounds of every control, as the form was read (the real DPI is 96 here).
    TLayout Stored() {
        Form->ScaleForDpi(96);
        return LayoutOf(*Form);
    }
    std::unique_ptr<TfScaled> Form;
};

// Each control's edges are scaled apart: left and top exactly by the rule, the size within a pixel.
void ExpectScaled(const TLayout& stored, const TLayout& scaled, int dpi) {
    EXPECT_EQ(scaled.Client.cx, ScaleLength(stored.Client.cx, dpi));
    EXPECT_EQ(scaled.Client.cy, ScaleLength(stored.Client.cy, dpi));
    for (const auto& [name, r] : stored.Bounds) {
        const RECT s = scaled.Bounds.at(name);
        if (name == L"sbStatus") {
            // It keeps to the bottom edge, as high as its font makes it.
            EXPECT_EQ(s.bottom, scaled.Client.cy);
            EXPECT_EQ(s.right - s.left, scaled.Client.cx);
            continue;
        }
        EXPECT_EQ(s.left, ScaleLength(r.left, dpi)) << name << " at " << dpi;
        EXPECT_EQ(s.top, ScaleLength(r.top, dpi)) << name;
        EXPECT_NEAR(s.right - s.left, ScaleLength(r.right - r.left, dpi), 1) << name;
        EXPECT_NEAR(s.bottom - s.top, ScaleLength(r.bottom - r.top, dpi), 1) << name;
    }
    for (const auto& [name, height] : stored.Fonts)
        EXPECT_EQ(scaled.Fonts.at(name), ScaleLength(height, dpi)) << name << "'s font at " << dpi;
    for (const auto& [name, length] : stored.Lengths)
        EXPECT_EQ(scaled.Lengths.at(name), ScaleLength(length, dpi)) << name << " at " << dpi;
}

// What the native windows really use of those lengths.
void ExpectWindowsUseTheLengths(TCustomForm& form, int dpi) {
    auto* list = static_cast<TListBox*>(Find(form, L"lbItems"));
    EXPECT_EQ(SendMessageW(list->Handle(), LB_GETITEMHEIGHT, 0, 0), ScaleLength(18, dpi));
    auto* view = static_cast<TListView*>(Find(form, L"lvFiles"));
    EXPECT_EQ(SendMessageW(view->Handle(), LVM_GETCOLUMNWIDTH, 1, 0), ScaleLength(81, dpi));
    auto* status = static_cast<TStatusBar*>(Find(form, L"sbStatus"));
    int edges[2]{};
    SendMessageW(status->Handle(), SB_GETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    EXPECT_EQ(edges[0], ScaleLength(150, dpi));
    auto* tree = static_cast<TTreeView*>(Find(form, L"tvTree"));
    EXPECT_EQ(SendMessageW(tree->Handle(), TVM_GETINDENT, 0, 0), ScaleLength(19, dpi));
    auto* header = static_cast<THeaderControl*>(Find(form, L"hcHeader"));
    RECT section{};
    SendMessageW(header->Handle(), HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&section));
    EXPECT_EQ(section.right - section.left, ScaleLength(100, dpi));
    auto* images = static_cast<TImageList*>(form.FindComponent(L"Images1"));
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images->Handle(), &cx, &cy);
    EXPECT_EQ(cx, ScaleLength(16, dpi));
    EXPECT_EQ(cy, ScaleLength(16, dpi));
    EXPECT_EQ(images->Count(), 3) << "the same images at the new size";
}

TEST_F(FormDpi, ADpiChangeScalesEveryControlAndFontAndTheWayBackGivesThemBack) {
    const TLayout stored = Stored();
    EXPECT_EQ(stored.Client.cx, 420);
    EXPECT_EQ(stored.Fonts.at(L"lbBig"), -15) << "follows its panel";
    for (int dpi : {120, 144, 192, 96, 144}) {
        MoveToDpi(*Form, dpi);
        EXPECT_EQ(Form->CurrentDpi(), dpi);
        EXPECT_EQ(Find(*Form, L"edtOwn")->CurrentDpi(), dpi);
        const TLayout scaled = LayoutOf(*Form);
        ExpectScaled(stored, scaled, dpi);
        // What the windows really use: the edit's font and the window's client area.
        auto* own = static_cast<TEdit*>(Find(*Form, L"edtOwn"));
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(own->Handle(), WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_EQ(font.lfHeight, ScaleLength(-9, dpi));
        RECT client{};
        GetClientRect(Form->Handle(), &client);
        EXPECT_EQ(client.right, ScaleLength(420, dpi));
        EXPECT_EQ(client.bottom, ScaleLength(440, dpi));
        ExpectWindowsUseTheLengths(*Form, dpi);
    }
    MoveToDpi(*Form, 96);
    EXPECT_EQ(LayoutOf(*Form), stored) << "96 -> 144 -> 96 gives every size and font back";
}

// Owner-drawn menu items are measured in the system's menu font at the DPI of their window, with
// the standard look's lengths scaled.
TEST_F(FormDpi, MenusAreMeasuredAtTheirWindowsDpi) {
    auto* menu = static_cast<TMainMenu*>(Form->FindComponent(L"MainMenu1"));
    auto* item = static_cast<TMenuItem*>(Form->FindComponent(L"miFile"));
    menu->SetOwnerDraw(true);
    auto measure = [&] {
        MEASUREITEMSTRUCT m{};
        m.CtlType = ODT_MENU;
        m.itemID = item->Command();
        EXPECT_TRUE(menu->MeasureItem(m));
        return SIZE{static_cast<LONG>(m.itemWidth), static_cast<LONG>(m.itemHeight)};
    };
    const SIZE at96 = measure();
    MoveToDpi(*Form, 192);
    EXPECT_EQ(menu->Dpi(), 192);
    NONCLIENTMETRICSW metrics{};
    ASSERT_TRUE(NonClientMetricsForDpi(metrics, 192));
    EXPECT_EQ(MenuFont(192).Height(), metrics.lfMenuFont.lfHeight);
    const SIZE at192 = measure();
    EXPECT_NEAR(at192.cx, 2 * at96.cx, 4);
    EXPECT_NEAR(at192.cy, 2 * at96.cy, 4);
    MoveToDpi(*Form, 96);
    EXPECT_EQ(measure().cy, at96.cy);
}

TEST_F(FormDpi, ADpiChangeAndBackLeavesNoGdiOrUserObjectBehind) {
    const TLayout stored = Stored();
    test::ExpectNoLeaks(4, [&] {
        MoveToDpi(*Form, 144);
        MoveToDpi(*Form, 192);
        MoveToDpi(*Form, 96);
    });
    EXPECT_EQ(LayoutOf(*Form), stored);
}

// Lengths code gives at a DPI are pixels there: they come back exactly when the DPI does, and are
// scaled by the rule meanwhile.
TEST_F(FormDpi, LengthsGivenInCodeAtOneDpiComeBackExactlyThere) {
    MoveToDpi(*Form, 144);
    TControl* go = Find(*Form, L"btnGo");
    go->SetBounds(151, 31, 61, 35);
    Form->SetClientSize(701, 499);
    MoveToDpi(*Form, 96);
    EXPECT_EQ(go->Left(), 101); // 100.67
    EXPECT_EQ(go->Width(), ScaleLengthBetween(212, 144, 96) - 101);
    EXPECT_EQ(Form->ClientWidth(), 467);
    MoveToDpi(*Form, 192);
    MoveToDpi(*Form, 144);
    EXPECT_EQ(go->BoundsRect().left, 151);
    EXPECT_EQ(go->Width(), 61);
    EXPECT_EQ(go->Height(), 35);
    EXPECT_EQ(Form->ClientWidth(), 701);
    EXPECT_EQ(Form->ClientHeight(), 499);
    // Untouched controls still come from the stored form.
    EXPECT_EQ(Find(*Form, L"edtName")->Left(), ScaleLength(10, 144));
}

// A form never given a size keeps the one it has, scaled.
TEST(FormDpiPlain, AFormNeverGivenASizeKeepsTheOneItHas) {
    TForm form(nullptr);
    form.Show();
    ASSERT_TRUE(test::PumpUntil([&] { return IsWindowVisible(form.Handle()) != FALSE; }));
    const SIZE before{form.ClientWidth(), form.ClientHeight()};
    MoveToDpi(form, 144);
    EXPECT_EQ(form.ClientWidth(), ScaleLength(before.cx, 144));
    EXPECT_EQ(form.ClientHeight(), ScaleLength(before.cy, 144));
    MoveToDpi(form, 96);
    EXPECT_EQ(form.ClientWidth(), before.cx);
    EXPECT_EQ(form.ClientHeight(), before.cy);
}

// A control made in code has 96-DPI lengths until it joins a parent: then it is laid out at the
// parent's DPI. Lengths given after that are the parent's pixels.
TEST_F(FormDpi, ControlsMadeInCodeTakeTheDpiOfTheParentTheyJoin) {
    MoveToDpi(*Form, 144);
    auto* before = new TButton(Form.get());
    before->SetBounds(10, 10, 75, 25);
    before->SetParent(Form.get());
    EXPECT_EQ(before->BoundsRect().left, 15);
    EXPECT_EQ(before->Width(), 113);
    EXPECT_EQ(before->Height(), 38);
    EXPECT_EQ(before->Font()->Height(), Form->Font()->Height()) << "the form's font, scaled already";
    auto* after = new TButton(Form.get());
    after->SetParent(Form.get());
    after->SetBounds(10, 10, 75, 25);
    EXPECT_EQ(after->Width(), 75);
    // A picture's pixels are 96-DPI pixels.
    auto* image = new TImage(Form.get());
    image->SetParent(Form.get());
    TBitmap picture(3, 2, pf24bit);
    image->Picture()->SetGraphic(&picture);
    EXPECT_EQ(image->DestRect().right, 5);
    EXPECT_EQ(image->DestRect().bottom, 3);
    MoveToDpi(*Form, 96);
    EXPECT_EQ(before->Width(), 75);
    EXPECT_EQ(after->Width(), 50);
    EXPECT_EQ(image->DestRect().right, 3);
}

// The size the form asks for at another DPI is its client size there plus the frame its window
// method says: the system's, unless whoever draws the frame answers CM_FRAMEFORDPI.
TEST_F(FormDpi, TheFrameAtAnotherDpiIsAskedOfTheWindowMethod) {
    auto ask = [&](int dpi) {
        SIZE size{};
        EXPECT_EQ(SendMessageW(Form->Handle(), WM_GETDPISCALEDSIZE, static_cast<WPARAM>(dpi),
                               reinterpret_cast<LPARAM>(&size)),
                  TRUE);
        return size;
    };
    const LONG style = GetWindowLongW(Form->Handle(), GWL_STYLE), exStyle = GetWindowLongW(Form->Handle(), GWL_EXSTYLE);
    const RECT native = NativeFrameForDpi(style, exStyle, true, 192);
    SIZE size = ask(192);
    EXPECT_EQ(size.cx, 840 + native.right - native.left);
    EXPECT_EQ(size.cy, 880 + native.bottom - native.top);

    TWndMethod saved = Form->WindowProc;
    Form->WindowProc = [&](TMessage& m) {
        if (m.Msg != CM_FRAMEFORDPI) return saved(m);
        *reinterpret_cast<RECT*>(m.LParam) = RECT{-ScaleLength(3, static_cast<int>(m.WParam)), -40, 3, 5};
        m.Result = 1;
    };
    size = ask(192);
    EXPECT_EQ(size.cx, 840 + 6 + 3);
    EXPECT_EQ(size.cy, 880 + 45);
    // The form takes the rectangle it is given, and its client size stays its own.
    MoveToDpi(*Form, 192);
    EXPECT_EQ(Form->ClientWidth(), 840);
    EXPECT_EQ(Form->ClientHeight(), 880);
    Form->WindowProc = saved;
}

// ---- at a real DPI: a child process started there ----------------------------------------------

TEST(FormDpiChild, AFormIsLaidOutAtTheDpiItsWindowIsMadeAt) {
    const int dpi = ChildTestDpi();
    if (!dpi) GTEST_SKIP() << "runs in a child process at another DPI";
    EXPECT_EQ(SystemDpi(), dpi);
    std::unique_ptr<TfScaled> form(CreateForm<TfScaled>(nullptr));
    AddImages(*static_cast<TImageList*>(form->FindComponent(L"Images1")));
    form->Show();
    ASSERT_TRUE(test::PumpUntil([&] { return IsWindowVisible(form->Handle()) != FALSE; }));
    EXPECT_EQ(DpiForWindow(form->Handle()), dpi);
    EXPECT_EQ(form->CurrentDpi(), dpi);
    const TLayout scaled = LayoutOf(*form);
    ExpectWindowsUseTheLengths(*form, dpi);
    form->ScaleForDpi(96);
    ExpectScaled(LayoutOf(*form), scaled, dpi);
    form->ScaleForDpi(dpi);
    EXPECT_EQ(LayoutOf(*form), scaled);
    // The frame is the system's at that DPI around the scaled client area.
    RECT window{}, client{};
    GetWindowRect(form->Handle(), &window);
    GetClientRect(form->Handle(), &client);
    const RECT frame = NativeFrameForDpi(static_cast<DWORD>(GetWindowLongW(form->Handle(), GWL_STYLE)),
                                         static_cast<DWORD>(GetWindowLongW(form->Handle(), GWL_EXSTYLE)), true, dpi);
    EXPECT_EQ(window.right - window.left, client.right + frame.right - frame.left);
    EXPECT_EQ(window.bottom - window.top, client.bottom + frame.bottom - frame.top);
}

TEST(FormDpiDriver, FormsAreLaidOutAtTheDpiOfTheProcessTheyAreMadeIn) {
    if (ChildTestDpi()) GTEST_SKIP() << "the driver's own test";
    for (int dpi : {120, 144, 192}) {
        const test::TChildRun run = test::RunTestsAtDpi(dpi, "FormDpiChild.*");
        EXPECT_EQ(run.ExitCode, 0u) << "at " << dpi << ":\n" << run.Output;
        EXPECT_NE(run.Output.find("[  PASSED  ] 1 test"), std::string::npos) << run.Output;
        EXPECT_EQ(test::PrefixLogPixels(), 96) << "the prefix is at 96 again";
    }
}

} // namespace
} // namespace orvo

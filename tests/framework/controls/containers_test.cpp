// Containers under Wine: scroll boxes whose bars follow their content and scroll it by mouse,
// wheel and focus; frames read from their own stored description, several to a form; forms
// embedded in other forms' controls and taken out again; tab sets with their scroller; cool bars
// holding controls in bands; and no leaks.
#include "framework/base/prop_access.h"
#include "framework/controls/button.h"
#include "framework/controls/cool_bar.h"
#include "framework/controls/edit.h"
#include "framework/controls/label.h"
#include "framework/controls/panel.h"
#include "framework/controls/scroll_box.h"
#include "framework/controls/tab_set.h"
#include "framework/controls/tool_bar.h"
#include "framework/forms/form_reader.h"
#include "framework/forms/forms.h"
#include "tests/framework/support/input_driver.h"
#include "tests/framework/support/pump.h"
#include "tests/framework/support/shown_form.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvo {

// A frame with a stored description of its own (tests/framework/data/address_frame.form).
class TfrmAddress : public TFrame {
    ORVO_CLASS(TfrmAddress, TFrame)
public:
    explicit TfrmAddress(TComponent* owner) : TFrame(owner) {}
    TEdit* edtStreet = nullptr;
    TButton* btnClear = nullptr;
    void btnClearClick(TObject*) { edtStreet->Clear(); }
    static void Publish(TPublisher<TfrmAddress>& p) {
        p.Field(L"edtStreet", &TfrmAddress::edtStreet);
        p.Field(L"btnClear", &TfrmAddress::btnClear);
        p.Method(L"btnClearClick", &TfrmAddress::btnClearClick);
    }
};
ORVO_IMPLEMENT_CLASS(TfrmAddress);

// A form meant to be shown inside another (tests/framework/data/embedded_form.form).
class TfEmbedded : public TForm {
    ORVO_CLASS(TfEmbedded, TForm)
public:
    explicit TfEmbedded(TComponent* owner) : TForm(owner) {}
    TEdit* edtInside = nullptr;
    int Created = 0;
    void FormCreate(TObject*) { ++Created; }
    static void Publish(TPublisher<TfEmbedded>& p) {
        p.Field(L"edtInside", &TfEmbedded::edtInside);
        p.Method(L"FormCreate", &TfEmbedded::FormCreate);
    }
};
ORVO_IMPLEMENT_CLASS(TfEmbedded);

namespace {

// Classes named only in stored forms must be linked in.
[[maybe_unused]] const TClassInfo& LabelClass = TLabel::StaticClass();

using test::AddControl;
using test::Centre;
using test::TShownForm;


SCROLLINFO Bar(HWND window, int bar) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(window, bar, &info);
    return info;
}

bool HasStyle(HWND window, LONG style) {
    return (GetWindowLongW(window, GWL_STYLE) & style) == style;
}

TEST(ScrollBox, BarsFollowTheContentAndScrollItByMouseWheelAndFocus) {
    TShownForm shown;
    auto* box = AddControl<TScrollBox>(&shown.Form, 10, 10, 200, 120);
    std::vector<TButton*> buttons;
    for (int i = 0; i < 8; ++i)
        buttons.push_back(AddControl<TButton>(box, 10 + i * 30, 10 + i * 30, 80, 25));
    box->UpdateScrollBars();
    HWND window = box->Handle();
    ASSERT_TRUE(HasStyle(window, WS_VSCROLL | WS_HSCROLL));
    EXPECT_EQ(Bar(window, SB_HORZ).nMax, 10 + 7 * 30 + 80 - 1);
    EXPECT_EQ(Bar(window, SB_VERT).nMax, 10 + 7 * 30 + 25 - 1);
    EXPECT_EQ(static_cast<int>(Bar(window, SB_VERT).nPage), box->ClientHeight());
    EXPECT_TRUE(box->VertScrollBar()->IsScrollBarVisible());

    // The lower arrow of the vertical bar, clicked: one step down.
    SCROLLBARINFO info{};
    info.cbSize = sizeof(SCROLLBARINFO);
    ASSERT_TRUE(GetScrollBarInfo(window, OBJID_VSCROLL, &info));
    test::ClickAt(POINT{(info.rcScrollBar.left + info.rcScrollBar.right) / 2, info.rcScrollBar.bottom - 4});
    EXPECT_EQ(box->VertScrollBar()->Position(), 8);
    EXPECT_EQ(buttons[0]->Top(), 2) << "the content moved with the bar";
    EXPECT_EQ(Bar(window, SB_VERT).nPos, 8);
    SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(box->VertScrollBar()->Position(), 32);
    SendMessageW(window, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(box->VertScrollBar()->Position(), 245 - box->ClientHeight()) << "never past the end";

    // A control given the focus out of view is scrolled into it.
    SendMessageW(window, WM_VSCROLL, SB_TOP, 0);
    buttons[7]->SetFocus();
    test::Pump(30);
    RECT client = box->ClientRect();
    EXPECT_GE(buttons[7]->Left(), 0);
    EXPECT_LE(buttons[7]->Left() + buttons[7]->Width(), client.right);
    EXPECT_LE(buttons[7]->Top() + buttons[7]->Height(), client.bottom);

    // Content that fits: no bars, everything back in place.
    for (int i = 2; i < 8; ++i)
        buttons[static_cast<std::size_t>(i)]->Hide();
    box->UpdateScrollBars();
    EXPECT_FALSE(HasStyle(window, WS_VSCROLL));
    EXPECT_FALSE(HasStyle(window, WS_HSCROLL));
    EXPECT_EQ(buttons[0]->Left(), 10);
    EXPECT_EQ(buttons[0]->Top(), 10);
    // A range of its own keeps a bar, whatever the controls.
    box->HorzScrollBar()->SetRange(1000);
    EXPECT_TRUE(HasStyle(window, WS_HSCROLL));
    EXPECT_EQ(Bar(window, SB_HORZ).nMax, 999);
    box->HorzScrollBar()->SetPosition(300);
    EXPECT_EQ(buttons[0]->Left(), -290);
    box->HorzScrollBar()->SetVisible(false);
    EXPECT_FALSE(HasStyle(window, WS_HSCROLL));
    EXPECT_EQ(buttons[0]->Left(), 10);
}

TEST(ScrollBox, StoredBarsAndBorder) {
    TShownForm shown;
    ReadFormText(&shown.Form, R"(
object Form1: TForm
  object Box1: TScrollBox
    Left = 8
    Top = 8
    Width = 150
    Height = 100
    AutoScroll = False
    BorderStyle = bsNone
    Color = clWindow
    VertScrollBar.Range = 400
    VertScrollBar.Position = 50
    VertScrollBar.Increment = 20
    HorzScrollBar.Visible = False
    object Label1: TLabel
      Left = 4
      Top = 300
      Caption = 'far down'
    end
  end
end)");
    auto* box = dynamic_cast<TScrollBox*>(shown.Form.FindComponent(L"Box1"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(GetOrdProp(box, L"VertScrollBar.Range"), 400);
    EXPECT_EQ(GetOrdProp(box, L"VertScrollBar.Increment"), 20);
    EXPECT_EQ(GetBoolProp(box, L"HorzScrollBar.Visible"), false);
    EXPECT_EQ(GetEnumProp(box, L"BorderStyle"), L"bsNone");
    HWND window = box->Handle();
    EXPECT_FALSE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(HasStyle(window, WS_VSCROLL));
    EXPECT_EQ(Bar(window, SB_VERT).nMax, 399);
    EXPECT_EQ(box->VertScrollBar()->Position(), 50) << "a stored position is applied in the window";
    auto* label = dynamic_cast<TLabel*>(shown.Form.FindComponent(L"Label1"));
    EXPECT_EQ(label->Top(), 250);
    SendMessageW(window, WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(label->Top(), 270);
    box->SetBorderStyle(bsSingle);
    EXPECT_TRUE(GetWindowLongW(box->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(label->Top(), 270) << "a new window keeps the scrolling";
}

TEST(Frame, InstancesFromStoredFormsAndCodeEachHaveTheirOwnControls) {
    TShownForm shown;
    ReadFormText(&shown.Form, R"(
object Form1: TForm
  object AddressA: TfrmAddress
    Left = 8
    Top = 8
  end
  object AddressB: TfrmAddress
    Left = 8
    Top = 80
    Color = clWindow
  end
end)");
    auto* a = dynamic_cast<TfrmAddress*>(shown.Form.FindComponent(L"AddressA"));
    auto* b = dynamic_cast<TfrmAddress*>(shown.Form.FindComponent(L"AddressB"));
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    ASSERT_NE(a->edtStreet, nullptr);
    ASSERT_NE(b->edtStreet, nullptr);
    EXPECT_NE(a->edtStreet, b->edtStreet);
    EXPECT_EQ(a->edtStreet->Owner(), a) << "a frame owns what its description holds";
    EXPECT_EQ(a->edtStreet->Parent(), a);
    EXPECT_EQ(a->Width(), 220) << "the frame's own description sets its size";
    EXPECT_EQ(b->Top(), 80) << "and the form's places it";
    EXPECT_EQ(GetOrdProp(b, L"Color"), clWindow);
    EXPECT_EQ(a->edtStreet->Text(), L"Main Street 1");

    // Each frame's events are bound to that frame.
    b->edtStreet->SetText(L"Side Road 2");
    test::ClickAt(a->btnClear->Handle(), POINT{10, 10});
    EXPECT_EQ(a->edtStreet->Text(), L"");
    EXPECT_EQ(b->edtStreet->Text(), L"Side Road 2");

    // From code: the description's name while it is free, then a numbered one.
    auto* c = CreateFrame<TfrmAddress>(&shown.Form);
    auto* d = CreateFrame<TfrmAddress>(&shown.Form);
    EXPECT_EQ(c->Name(), L"frmAddress");
    EXPECT_EQ(d->Name(), L"frmAddress2");
    d->SetParent(&shown.Form);
    d->SetTop(150);
    EXPECT_TRUE(IsWindowVisible(d->edtStreet->Handle()));
    EXPECT_EQ(GetParent(d->edtStreet->Handle()), d->Handle());
    delete c;
    delete d;
}

TEST(EmbeddedForm, AFormGivenAParentBecomesAChildWindowAndBack) {
    TShownForm shown;
    auto* before = AddControl<TButton>(&shown.Form, 10, 10, 80, 25);
    auto* panel = AddControl<TPanel>(&shown.Form, 10, 50, 300, 200);
    TfEmbedded* inner = CreateForm<TfEmbedded>(nullptr);
    EXPECT_EQ(inner->Created, 1);
    ASSERT_NE(inner->edtInside, nullptr);
    HWND topLevel = inner->Handle();
    EXPECT_TRUE(HasStyle(topLevel, WS_CAPTION));

    inner->SetParent(panel);
    inner->SetBounds(5, 5, 200, 100);
    inner->Show();
    test::Pump(30);
    HWND child = inner->Handle();
    EXPECT_FALSE(IsWindow(topLevel)) << "a new window for the new place";
    EXPECT_EQ(GetParent(child), panel->Handle());
    EXPECT_TRUE(HasStyle(child, WS_CHILD));
    EXPECT_FALSE(GetWindowLongW(child, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME | WS_POPUP));
    EXPECT_TRUE(IsWindowVisible(child));
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, panel->Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 5);
    EXPECT_EQ(r.top, 5);
    EXPECT_EQ(GetParentForm(inner->edtInside), &shown.Form) << "the outer form keeps the focus";

    // Tab walks from the outer form's button into the embedded form's edit.
    before->SetFocus();
    test::Pump(30);
    test::PressChord({VK_TAB});
    EXPECT_EQ(GetFocus(), inner->edtInside->Handle());
    EXPECT_EQ(shown.Form.ActiveControl(), inner->edtInside);

    inner->SetParent(nullptr);
    inner->Show();
    test::Pump(30);
    EXPECT_TRUE(HasStyle(inner->Handle(), WS_CAPTION)) << "on its own again";
    EXPECT_EQ(GetAncestor(inner->Handle(), GA_PARENT), GetDesktopWindow());
    delete inner;
}

TEST(EmbeddedForm, AFormClassNestedInAStoredFormReadsItsOwnDescription) {
    TShownForm shown;
    ReadFormText(&shown.Form, R"(
object Form1: TForm
  object Panel1: TPanel
    Width = 300
    Height = 200
    object Inner1: TfEmbedded
      Left = 4
      Top = 6
    end
  end
end)");
    auto* inner = dynamic_cast<TfEmbedded*>(shown.Form.FindComponent(L"Inner1"));
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->Created, 1);
    ASSERT_NE(inner->edtInside, nullptr);
    EXPECT_EQ(inner->edtInside->Owner(), inner);
    inner->Show();
    test::Pump(30);
    EXPECT_EQ(GetParent(inner->Handle()), dynamic_cast<TPanel*>(shown.Form.FindComponent(L"Panel1"))->Handle());
    EXPECT_EQ(inner->Left(), 4);
    EXPECT_EQ(inner->ClientWidth(), 160);
    EXPECT_TRUE(IsWindowVisible(inner->edtInside->Handle()));
}

TEST(TabSet, ClicksAskOnChangeAndTheScrollerShowsWhatDoesNotFit) {
    TShownForm shown;
    auto* set = AddControl<TTabSet>(&shown.Form, 10, 10, 400, 21);
    set->Tabs()->SetText(L"one\ntwo\nthree");
    set->SetTabIndex(0);
    std::vector<std::wstring> log;
    bool allow = true;
    set->OnChange = [&](TObject*, int newTab, bool& allowChange) {
        log.push_back(L"change to " + std::to_wstring(newTab));
        allowChange = allow;
    };
    set->OnClick = [&](TObject*) { log.push_back(L"click " + std::to_wstring(set->TabIndex())); };
    HWND window = set->Handle();
    EXPECT_EQ(set->VisibleTabs(), 3);
    EXPECT_FALSE(set->ScrollerVisible());
    const RECT first = set->ItemRect(0);
    EXPECT_EQ(first.left, 5) << "from the start margin";
    test::ClickAt(window, Centre(set->ItemRect(2)));
    allow = false;
    test::ClickAt(window, Centre(set->ItemRect(1)));
    EXPECT_EQ(set->TabIndex(), 2);
    EXPECT_EQ(log, (std::vector<std::wstring>{L"change to 2", L"click 2", L"change to 1", L"click 2"}))
        << "a click refused as a change is still a click";

    // Too many tabs: the scroller shows and moves the first one shown.
    for (int i = 0; i < 20; ++i)
        set->Tabs()->Add(L"extra tab " + std::to_wstring(i));
    ASSERT_TRUE(set->ScrollerVisible());
    HWND scroller = set->ScrollerHandle();
    wchar_t className[64] = {};
    GetClassNameW(scroller, className, 64);
    EXPECT_STREQ(className, L"msctls_updown32");
    EXPECT_TRUE(GetWindowLongW(scroller, GWL_STYLE) & UDS_HORZ);
    const int shownBefore = set->VisibleTabs();
    EXPECT_LT(shownBefore, 23);
    RECT arrows{};
    GetClientRect(scroller, &arrows);
    test::ClickAt(scroller, POINT{arrows.right - 4, arrows.bottom / 2});
    EXPECT_EQ(set->FirstIndex(), 1);
    const RECT gone = set->ItemRect(0);
    EXPECT_TRUE(IsRectEmpty(&gone));
    EXPECT_EQ(set->ItemRect(1).left, 5);
    test::ClickAt(scroller, POINT{3, arrows.bottom / 2});
    EXPECT_EQ(set->FirstIndex(), 0);
}

TEST(CoolBar, BandsHoldTheirControlsAndKeepWhatTheUserChanged) {
    TShownForm shown;
    ReadFormText(&shown.Form, R"(
object Form1: TForm
  object Cool1: TCoolBar
    Width = 480
    Height = 60
    Bands = <
      item
        Control = Edit1
        Text = 'Address'
        Width = 200
        MinHeight = 24
      end
      item
        Control = Bar1
        Break = False
        Width = 120
        Color = clWindow
      end>
    object Edit1: TEdit
    end
  end
  object Bar1: TToolBar
    object Button1: TToolButton
      Caption = 'Go'
    end
  end
end)");
    auto* cool = dynamic_cast<TCoolBar*>(shown.Form.FindComponent(L"Cool1"));
    auto* edit = dynamic_cast<TEdit*>(shown.Form.FindComponent(L"Edit1"));
    auto* bar = dynamic_cast<TToolBar*>(shown.Form.FindComponent(L"Bar1"));
    ASSERT_NE(cool, nullptr);
    EXPECT_EQ(bar->Parent(), cool) << "a band's control is placed in the bar";
    EXPECT_EQ(GetObjectProp(cool, L"Bands[1].Control"), bar);
    EXPECT_EQ(GetOrdProp(cool, L"Bands[1].Color"), clWindow);
    EXPECT_EQ(GetBoolProp(cool, L"Bands[1].ParentColor"), false);
    HWND window = cool->Handle();
    ASSERT_EQ(SendMessageW(window, RB_GETBANDCOUNT, 0, 0), 2);
    const auto band = [&](int index) {
        static wchar_t text[64];
        REBARBANDINFOW info{};
        info.cbSize = REBARBANDINFOW_V6_SIZE;
        info.fMask = RBBIM_CHILD | RBBIM_TEXT | RBBIM_STYLE | RBBIM_COLORS | RBBIM_SIZE | RBBIM_ID;
        info.lpText = text;
        info.cch = 64;
        SendMessageW(cool->Handle(), RB_GETBANDINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
        return info;
    };
    EXPECT_EQ(band(0).hwndChild, edit->Handle());
    EXPECT_EQ(GetParent(edit->Handle()), window);
    EXPECT_STREQ(band(0).lpText, L"Address");
    EXPECT_TRUE(band(0).fStyle & RBBS_BREAK);
    // Wine's rebar starts a row of its own for a band holding a tool bar, whatever its style says.
    EXPECT_FALSE(cool->Bands()->Items(1)->Break());
    EXPECT_EQ(band(1).clrBack, ColorToColorRef(clWindow));
    EXPECT_EQ(band(1).hwndChild, bar->Handle());

    // The skin's way of recolouring every band: by name.
    EXPECT_TRUE(SetOrdProp(cool, L"Bands[0].Color", clBtnFace));
    EXPECT_EQ(band(0).clrBack, ColorToColorRef(clBtnFace));

    // The user moves the second band first: a new window shows it so.
    SendMessageW(window, RB_MOVEBAND, 1, 0);
    cool->SetFixedOrder(true);
    EXPECT_NE(cool->Handle(), window);
    EXPECT_EQ(cool->Bands()->Items(0)->Control(), bar);
    EXPECT_EQ(band(0).hwndChild, bar->Handle());
    EXPECT_EQ(band(1).hwndChild, edit->Handle());
    delete bar;
    EXPECT_EQ(cool->Bands()->Items(0)->Control(), nullptr) << "a freed control leaves its band";
    EXPECT_EQ(band(0).hwndChild, nullptr);
    cool->SetAutoSize(true);
    EXPECT_EQ(cool->Height(), cool->RowsHeight());
}

TEST(Containers, CreatingAndFreeingLeavesNoWindowsOrGdiObjects) {
    TShownForm shown;
    const auto cycle = [&] {
        auto* box = AddControl<TScrollBox>(&shown.Form, 10, 10, 150, 100);
        AddControl<TButton>(box, 200, 200, 80, 25);
        auto* frame = CreateFrame<TfrmAddress>(&shown.Form);
        frame->SetParent(box);
        auto* set = AddControl<TTabSet>(&shown.Form, 10, 120, 300, 21);
        set->Tabs()->SetText(L"a\nb\nc");
        auto* cool = AddControl<TCoolBar>(&shown.Form, 10, 150, 300, 40);
        cool->Bands()->Add()->SetControl(AddControl<TEdit>(&shown.Form, 0, 0, 100, 21));
        TfEmbedded* inner = CreateForm<TfEmbedded>(nullptr);
        inner->SetParent(box);
        inner->Show();
        shown.Form.HandleNeeded();
        RedrawWindow(shown.Form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        box->RecreateWnd();
        test::Pump(10);
        shown.Form.DestroyComponents();
    };
    test::ExpectNoLeaks(8, cycle);
}

} // namespace
} // namespace orvo

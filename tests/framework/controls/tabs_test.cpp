// Tab and page controls under Wine: the tabs kept in step with the native control through edits
// and re-created windows, the display area for each tab position, the change events from real
// clicks and keys (and their veto), sheets stored in forms, moved, hidden and freed, and no window
// or GDI object left behind.
#include "framework/base/prop_access.h"
#include "framework/controls/edit.h"
#include "framework/controls/page_control.h"
#include "framework/controls/tab_control.h"
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
namespace {

using test::AddControl;
using test::Centre;
using test::TShownForm;

// The native control's tabs, as it reports them.
std::vector<std::wstring> NativeTabs(HWND window) {
    std::vector<std::wstring> texts;
    const int count = static_cast<int>(SendMessageW(window, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t buffer[80] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = buffer;
        item.cchTextMax = 80;
        SendMessageW(window, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        texts.emplace_back(item.pszText ? item.pszText : L"");
    }
    return texts;
}

int NativeImage(HWND window, int index) {
    TCITEMW item{};
    item.mask = TCIF_IMAGE;
    SendMessageW(window, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

int NativeSelection(HWND window) {
    return static_cast<int>(SendMessageW(window, TCM_GETCURSEL, 0, 0));
}


using TStringVector = std::vector<std::wstring>;

TEST(TabControl, TabsFollowEveryEditAndSurviveANewWindow) {
    TShownForm shown;
    auto* tabs = AddControl<TTabControl>(&shown.Form, 10, 10, 300, 150);
    tabs->Tabs()->SetText(L"alpha\nbeta\ngamma");
    tabs->SetTabIndex(1);
    HWND first = tabs->Handle();
    EXPECT_EQ(NativeTabs(first), (TStringVector{L"alpha", L"beta", L"gamma"}));
    EXPECT_EQ(NativeSelection(first), 1);

    // The same tab stays selected when others come and go before it.
    tabs->Tabs()->Insert(0, L"zero");
    EXPECT_EQ(tabs->TabIndex(), 2);
    EXPECT_EQ(NativeSelection(first), 2);
    tabs->Tabs()->Move(2, 0);
    EXPECT_EQ(tabs->TabIndex(), 0);
    EXPECT_EQ(NativeTabs(first), (TStringVector{L"beta", L"zero", L"alpha", L"gamma"}));
    EXPECT_EQ(NativeSelection(first), 0);
    tabs->Tabs()->Put(3, L"delta");
    tabs->Tabs()->Delete(1);
    EXPECT_EQ(NativeTabs(first), (TStringVector{L"beta", L"alpha", L"delta"}));
    EXPECT_EQ(tabs->TabIndex(), 0);
    tabs->Tabs()->Delete(0);
    EXPECT_EQ(tabs->TabIndex(), -1) << "the selected tab gone, none is selected";
    EXPECT_EQ(NativeSelection(first), -1);
    tabs->SetTabIndex(5);
    EXPECT_EQ(tabs->TabIndex(), -1) << "an index past the tabs selects none";
    tabs->SetTabIndex(1);

    // A creation-time style: a new window with the same tabs and selection.
    struct TCase {
        TTabPosition Position;
        TTabStyle Style;
        LONG Set;
    };
    for (const TCase c : {TCase{tpBottom, tsTabs, TCS_BOTTOM}, TCase{tpLeft, tsTabs, TCS_VERTICAL | TCS_MULTILINE},
                          TCase{tpRight, tsButtons, TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE | TCS_BUTTONS},
                          TCase{tpTop, tsFlatButtons, TCS_BUTTONS | TCS_FLATBUTTONS}}) {
        HWND before = tabs->Handle();
        tabs->SetTabPosition(c.Position);
        tabs->SetStyle(c.Style);
        EXPECT_NE(tabs->Handle(), before);
        const LONG style = GetWindowLongW(tabs->Handle(), GWL_STYLE);
        EXPECT_EQ(style & (TCS_BOTTOM | TCS_VERTICAL | TCS_RIGHT | TCS_BUTTONS | TCS_FLATBUTTONS | TCS_MULTILINE),
                  c.Set)
            << "position " << c.Position << ", style " << c.Style;
        EXPECT_EQ(NativeTabs(tabs->Handle()), (TStringVector{L"alpha", L"delta"}));
        EXPECT_EQ(NativeSelection(tabs->Handle()), 1);
    }
    tabs->Tabs()->Clear();
    EXPECT_EQ(SendMessageW(tabs->Handle(), TCM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(tabs->TabIndex(), -1);
}

TEST(TabControl, TheDisplayAreaLiesInsideTheFrameOnTheSideAwayFromTheTabs) {
    TShownForm shown;
    auto* tabs = AddControl<TTabControl>(&shown.Form, 10, 10, 300, 200);
    tabs->Tabs()->SetText(L"one\ntwo");
    for (TTabPosition position : {tpTop, tpBottom, tpLeft, tpRight}) {
        tabs->SetTabPosition(position);
        const RECT client = tabs->ClientRect();
        const RECT display = tabs->DisplayRect();
        const RECT tab = tabs->TabRect(0);
        ASSERT_FALSE(IsRectEmpty(&tab)) << "position " << position;
        EXPECT_GT(display.right - display.left, 200) << "position " << position;
        EXPECT_TRUE(display.left >= client.left && display.top >= client.top && display.right <= client.right &&
                    display.bottom <= client.bottom);
        switch (position) {
        case tpTop:
            EXPECT_GE(display.top, tab.bottom - 2);
            break;
        case tpBottom:
            EXPECT_LE(display.bottom, tab.top + 2);
            break;
        case tpLeft:
            EXPECT_GE(display.left, tab.right - 2);
            break;
        case tpRight:
            EXPECT_LE(display.right, tab.left + 2);
            break;
        }
        EXPECT_EQ(tabs->IndexOfTabAt(Centre(tabs->TabRect(1)).x, Centre(tabs->TabRect(1)).y), 1);
        EXPECT_EQ(tabs->IndexOfTabAt(Centre(display).x, Centre(display).y), -1);
    }
}

TEST(TabControl, AClickAsksOnChangingWhichMayRefuseThenFiresOnChange) {
    TShownForm shown;
    auto* tabs = AddControl<TTabControl>(&shown.Form, 10, 10, 300, 150);
    tabs->Tabs()->SetText(L"one\ntwo\nthree");
    tabs->SetTabIndex(0);
    std::vector<std::wstring> log;
    bool allow = true;
    tabs->OnChanging = [&](TObject* sender, bool& allowChange) {
        EXPECT_EQ(sender, tabs);
        EXPECT_TRUE(allowChange);
        log.push_back(L"changing from " + std::to_wstring(tabs->TabIndex()));
        allowChange = allow;
    };
    tabs->OnChange = [&](TObject*) { log.push_back(L"change to " + std::to_wstring(tabs->TabIndex())); };

    test::ClickAt(tabs->Handle(), Centre(tabs->TabRect(2)));
    EXPECT_EQ(tabs->TabIndex(), 2);
    EXPECT_EQ(log, (TStringVector{L"changing from 0", L"change to 2"}));

    allow = false;
    log.clear();
    test::ClickAt(tabs->Handle(), Centre(tabs->TabRect(1)));
    EXPECT_EQ(tabs->TabIndex(), 2);
    EXPECT_EQ(NativeSelection(tabs->Handle()), 2);
    EXPECT_EQ(log, (TStringVector{L"changing from 2"}));

    log.clear();
    tabs->SetTabIndex(0);
    EXPECT_TRUE(log.empty()) << "selecting from code fires nothing";
}

TEST(TabControl, ImagesComeFromTheListAndTheEventAndGoWithTheList) {
    TShownForm shown;
    auto* tabs = AddControl<TTabControl>(&shown.Form, 10, 10, 300, 150);
    tabs->Tabs()->SetText(L"one\ntwo\nthree");
    auto* images = new TImageList(nullptr);
    tabs->SetImages(images);
    HWND window = tabs->Handle();
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(window, TCM_GETIMAGELIST, 0, 0)), images->Handle());
    EXPECT_EQ(NativeImage(window, 2), 2) << "a tab shows the image of its own index by default";
    tabs->OnGetImageIndex = [](TObject*, int tab, int& image) { image = tab == 1 ? -1 : 5 - tab; };
    tabs->UpdateTabImages();
    EXPECT_EQ(NativeImage(window, 0), 5);
    EXPECT_EQ(NativeImage(window, 1), -1);
    tabs->SetTabPosition(tpBottom);
    EXPECT_EQ(NativeImage(tabs->Handle(), 2), 3) << "a new window asks again";
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(tabs->Handle(), TCM_GETIMAGELIST, 0, 0)),
              images->Handle());
    delete images;
    EXPECT_EQ(tabs->Images(), nullptr);
    EXPECT_EQ(SendMessageW(tabs->Handle(), TCM_GETIMAGELIST, 0, 0), 0);
    EXPECT_EQ(NativeImage(tabs->Handle(), 0), -1);
}

TEST(TabControl, PropertiesByNameAndInAStoredForm) {
    TForm form(nullptr);
    ReadFormText(&form, R"(
object Form1: TForm
  object Tabs1: TTabControl
    Left = 8
    Top = 8
    Width = 240
    Height = 120
    TabPosition = tpRight
    Style = tsButtons
    MultiLine = True
    HotTrack = True
    TabHeight = 30
    TabIndex = 2
    Tabs.Strings = (
      'one'
      'two'
      'three')
  end
end)");
    auto* tabs = dynamic_cast<TTabControl*>(form.FindComponent(L"Tabs1"));
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->TabIndex(), 2) << "an index read before the tabs still selects its tab";
    EXPECT_EQ(GetEnumProp(tabs, L"TabPosition"), L"tpRight");
    EXPECT_EQ(GetEnumProp(tabs, L"Style"), L"tsButtons");
    EXPECT_EQ(GetBoolProp(tabs, L"MultiLine"), true);
    EXPECT_EQ(GetBoolProp(tabs, L"HotTrack"), true);
    EXPECT_EQ(GetOrdProp(tabs, L"TabHeight"), 30);
    EXPECT_EQ(GetStringListProp(tabs, L"Tabs.Strings"), (TStringVector{L"one", L"two", L"three"}));
    EXPECT_TRUE(SetEnumProp(tabs, L"TabPosition", L"tpbottom"));
    EXPECT_EQ(tabs->TabPosition(), tpBottom);
    EXPECT_TRUE(SetOrdProp(tabs, L"TabIndex", 0));
    HWND window = tabs->Handle();
    EXPECT_EQ(NativeSelection(window), 0);
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & (TCS_BOTTOM | TCS_BUTTONS | TCS_HOTTRACK),
              TCS_BOTTOM | TCS_BUTTONS | TCS_HOTTRACK);
    EXPECT_FALSE(SetEnumProp(tabs, L"Style", L"tsRound"));
}

const char* const PagesForm = R"(
object Form1: TForm
  object Pages1: TPageControl
    Left = 8
    Top = 8
    Width = 300
    Height = 200
    ActivePage = Sheet3
    object Sheet1: TTabSheet
      Caption = 'General'
      ImageIndex = 4
      object Edit1: TEdit
        Left = 8
        Top = 8
      end
    end
    object Sheet2: TTabSheet
      Caption = 'Hidden'
      TabVisible = False
    end
    object Sheet3: TTabSheet
      Caption = 'Advanced'
    end
  end
end)";

TEST(PageControl, StoredSheetsShowTheActivePageOverTheDisplayArea) {
    TShownForm shown;
    ReadFormText(&shown.Form, PagesForm);
    auto* pages = dynamic_cast<TPageControl*>(shown.Form.FindComponent(L"Pages1"));
    ASSERT_NE(pages, nullptr);
    ASSERT_EQ(pages->PageCount(), 3);
    auto* general = pages->Pages(0);
    auto* hidden = pages->Pages(1);
    auto* advanced = pages->Pages(2);
    EXPECT_EQ(general->Name(), L"Sheet1");
    EXPECT_EQ(pages->ActivePage(), advanced);
    EXPECT_EQ(GetObjectProp(pages, L"ActivePage"), advanced);
    EXPECT_EQ(GetOrdProp(hidden, L"PageIndex"), 1);
    EXPECT_EQ(GetBoolProp(hidden, L"TabVisible"), false);
    EXPECT_EQ(GetOrdProp(general, L"ImageIndex"), 4);
    EXPECT_EQ(advanced->TabIndex(), 1);
    EXPECT_EQ(hidden->TabIndex(), -1);

    HWND window = pages->Handle();
    shown.Form.Show();
    test::Pump(50);
    EXPECT_EQ(NativeTabs(window), (TStringVector{L"General", L"Advanced"}));
    EXPECT_EQ(NativeSelection(window), 1);
    EXPECT_TRUE(IsWindowVisible(advanced->Handle()));
    EXPECT_FALSE(IsWindowVisible(general->Handle()));
    EXPECT_FALSE(IsWindowVisible(hidden->Handle()));
    const RECT display = pages->DisplayRect();
    const RECT bounds = advanced->BoundsRect();
    EXPECT_TRUE(EqualRect(&display, &bounds));

    // A new tab position moves the display area, and the sheets with it.
    pages->SetTabPosition(tpLeft);
    const RECT left = pages->DisplayRect();
    const RECT moved = advanced->BoundsRect();
    EXPECT_TRUE(EqualRect(&left, &moved));
    EXPECT_GT(left.left, display.left);
    EXPECT_TRUE(IsWindowVisible(advanced->Handle()));
    EXPECT_EQ(NativeTabs(pages->Handle()), (TStringVector{L"General", L"Advanced"}));
    EXPECT_EQ(NativeImage(pages->Handle(), 0), -1) << "no image list, no images";
}

TEST(PageControl, TabsClicksAndCtrlTabChangePagesAsTheUserDoes) {
    TShownForm shown;
    ReadFormText(&shown.Form, PagesForm);
    auto* pages = dynamic_cast<TPageControl*>(shown.Form.FindComponent(L"Pages1"));
    auto* edit = dynamic_cast<TEdit*>(shown.Form.FindComponent(L"Edit1"));
    ASSERT_NE(pages, nullptr);
    shown.Form.Show();
    test::Pump(50);
    std::vector<std::wstring> log;
    bool allow = true;
    pages->OnChanging = [&](TObject*, bool& allowChange) {
        log.push_back(L"changing " + pages->ActivePage()->Name());
        allowChange = allow;
    };
    pages->OnChange = [&](TObject*) { log.push_back(L"change " + pages->ActivePage()->Name()); };
    for (int i = 0; i < pages->PageCount(); ++i) {
        TTabSheet* sheet = pages->Pages(i);
        sheet->OnShow = [&log, sheet](TObject*) { log.push_back(L"show " + sheet->Name()); };
        sheet->OnHide = [&log, sheet](TObject*) { log.push_back(L"hide " + sheet->Name()); };
    }

    test::ClickAt(pages->Handle(), Centre(pages->TabRect(0)));
    EXPECT_EQ(pages->ActivePage(), pages->Pages(0));
    EXPECT_EQ(log, (TStringVector{L"changing Sheet3", L"hide Sheet3", L"show Sheet1", L"change Sheet1"}));
    EXPECT_TRUE(IsWindowVisible(pages->Pages(0)->Handle()));
    EXPECT_FALSE(IsWindowVisible(pages->Pages(2)->Handle()));

    // Ctrl+Tab from a control on the page: the next page with a tab, the focus on the tabs.
    edit->SetFocus();
    test::Pump(30);
    log.clear();
    test::PressChord({VK_CONTROL, VK_TAB});
    EXPECT_EQ(pages->ActivePage(), pages->Pages(2)) << "the page without a tab is passed over";
    EXPECT_EQ(log, (TStringVector{L"changing Sheet1", L"hide Sheet1", L"show Sheet3", L"change Sheet3"}));
    EXPECT_EQ(GetFocus(), pages->Handle());
    test::PressChord({VK_CONTROL, VK_SHIFT, VK_TAB});
    EXPECT_EQ(pages->ActivePage(), pages->Pages(0));

    // A refusal keeps the page, for clicks and keys alike.
    allow = false;
    log.clear();
    test::ClickAt(pages->Handle(), Centre(pages->TabRect(1)));
    test::PressChord({VK_CONTROL, VK_TAB});
    EXPECT_EQ(pages->ActivePage(), pages->Pages(0));
    EXPECT_EQ(NativeSelection(pages->Handle()), 0);
    EXPECT_EQ(log, (TStringVector{L"changing Sheet1", L"changing Sheet1"}));

    log.clear();
    pages->SetActivePageIndex(2);
    EXPECT_EQ(log, (TStringVector{L"hide Sheet1", L"show Sheet3"})) << "from code: no change events";
    EXPECT_EQ(NativeSelection(pages->Handle()), 1);
}

TEST(PageControl, SheetsMoveHideTheirTabsAndLeave) {
    TShownForm shown;
    auto* pages = AddControl<TPageControl>(&shown.Form, 10, 10, 300, 200);
    std::vector<TTabSheet*> sheets;
    for (const wchar_t* caption : {L"a", L"b", L"c", L"d"}) {
        auto* sheet = new TTabSheet(&shown.Form);
        sheet->SetCaption(caption);
        sheet->SetPageControl(pages);
        sheets.push_back(sheet);
    }
    HWND window = pages->Handle();
    EXPECT_EQ(pages->ActivePage(), sheets[0]) << "the first page placed becomes active";
    sheets[3]->SetPageIndex(0);
    EXPECT_EQ(NativeTabs(window), (TStringVector{L"d", L"a", L"b", L"c"}));
    EXPECT_EQ(NativeSelection(window), 1) << "the active page keeps its tab selected";
    sheets[1]->SetCaption(L"B");
    sheets[2]->SetTabVisible(false);
    EXPECT_EQ(NativeTabs(window), (TStringVector{L"d", L"a", L"B"}));
    EXPECT_EQ(pages->FindNextPage(sheets[1], true, true), sheets[3]) << "wrapping past the tabless page";

    pages->SetActivePage(sheets[1]);
    delete sheets[1];
    EXPECT_EQ(pages->ActivePage(), sheets[3]) << "the next page with a tab, wrapping round";
    EXPECT_EQ(NativeTabs(window), (TStringVector{L"d", L"a"}));
    EXPECT_EQ(NativeSelection(window), 0);
    EXPECT_TRUE(IsWindowVisible(sheets[3]->Handle()));

    auto* other = AddControl<TPageControl>(&shown.Form, 10, 220, 300, 100);
    sheets[3]->SetParent(other);
    EXPECT_EQ(sheets[3]->PageControl(), other);
    EXPECT_EQ(other->ActivePage(), sheets[3]);
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
    EXPECT_EQ(NativeTabs(window), (TStringVector{L"a"}));
    EXPECT_THROW(pages->SetActivePage(sheets[3]), EInvalidOperation);
    sheets[0]->SetPageControl(nullptr);
    EXPECT_EQ(pages->ActivePage(), nullptr) << "only the tabless page is left";
    EXPECT_EQ(SendMessageW(window, TCM_GETITEMCOUNT, 0, 0), 0);
    delete sheets[0];
    delete pages; // frees the tabless sheet it holds
    EXPECT_EQ(shown.Form.ComponentCount(), 2);
}

TEST(PageControl, CreatingAndFreeingLeavesNoWindowsOrGdiObjects) {
    TShownForm shown;
    const auto cycle = [&] {
        auto* pages = AddControl<TPageControl>(&shown.Form, 10, 10, 300, 200);
        for (int i = 0; i < 3; ++i) {
            auto* sheet = new TTabSheet(pages);
            sheet->SetCaption(L"page " + std::to_wstring(i));
            sheet->SetPageControl(pages);
            AddControl<TEdit>(sheet, 8, 8, 100, 21);
        }
        auto* tabs = AddControl<TTabControl>(&shown.Form, 10, 220, 300, 100);
        tabs->Tabs()->SetText(L"x\ny");
        pages->HandleNeeded();
        tabs->HandleNeeded();
        pages->SetTabPosition(tpBottom);
        test::Pump(10);
        delete tabs;
        delete pages;
    };
    test::ExpectNoLeaks(10, cycle);
}

} // namespace
} // namespace orvo

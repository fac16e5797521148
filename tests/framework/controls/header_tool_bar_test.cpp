// Header controls and tool bars under Wine: sections and buttons stored in forms and kept in the
// native control through edits and new windows, clicks and divider drags with real mouse input,
// width limits, owner-drawn sections, check groups, drop-down and main menus, custom drawing with
// the state bits of each button, and no leaks.
#include "framework/base/prop_access.h"
#include "framework/controls/header_control.h"
#include "framework/controls/tool_bar.h"
#include "framework/forms/form_reader.h"
#include "framework/forms/forms.h"
#include "framework/graphics/brush.h"
#include "framework/graphics/image_list.h"
#include "framework/menus/menu_item.h"
#include "framework/menus/menus.h"
#include "framework/menus/popup_menu.h"
#include "tests/framework/menus/menu_test_support.h"
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

using TStringVector = std::vector<std::wstring>;


COLORREF ScreenPixel(HWND window, POINT client) {
    ClientToScreen(window, &client);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, client.x, client.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

struct TNativeSection {
    std::wstring Text;
    int Width = 0;
    int Format = 0;
    int Image = 0;
};

TNativeSection NativeSection(HWND header, int index) {
    wchar_t buffer[100] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT | HDI_IMAGE;
    item.pszText = buffer;
    item.cchTextMax = 100;
    SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return {buffer, item.cxy, item.fmt, item.iImage};
}

RECT SectionRect(HWND header, int index) {
    RECT r{};
    SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

const char* const HeaderForm = R"(
object Form1: TForm
  object HeaderImages: TImageList
  end
  object Header1: THeaderControl
    Left = 8
    Top = 8
    Width = 400
    Height = 24
    Images = HeaderImages
    HotTrack = True
    Sections = <
      item
        Text = 'Name'
        Width = 120
        MinWidth = 60
        MaxWidth = 200
      end
      item
        Text = 'Size'
        Alignment = taRightJustify
        ImageIndex = 2
      end
      item
        Text = 'Drawn'
        Style = hsOwnerDraw
        AllowClick = False
        Width = 90
      end>
  end
end)";

TEST(HeaderControl, StoredSectionsReachTheNativeHeaderAndFollowEdits) {
    TShownForm shown;
    ReadFormText(&shown.Form, HeaderForm);
    auto* header = dynamic_cast<THeaderControl*>(shown.Form.FindComponent(L"Header1"));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(GetOrdProp(header, L"Sections.Count"), 3);
    EXPECT_EQ(GetStrProp(header, L"Sections[1].Text"), L"Size");
    EXPECT_EQ(GetEnumProp(header, L"Sections[1].Alignment"), L"taRightJustify");
    EXPECT_EQ(GetEnumProp(header, L"Sections[2].Style"), L"hsOwnerDraw");
    EXPECT_EQ(GetBoolProp(header, L"HotTrack"), true);
    EXPECT_EQ(header->Sections()->Items(2)->Left(), 170);

    HWND window = header->Handle();
    ASSERT_EQ(SendMessageW(window, HDM_GETITEMCOUNT, 0, 0), 3);
    TNativeSection name = NativeSection(window, 0);
    EXPECT_EQ(name.Text, L"Name");
    EXPECT_EQ(name.Width, 120);
    EXPECT_EQ(name.Format & HDF_JUSTIFYMASK, HDF_LEFT);
    EXPECT_FALSE(name.Format & (HDF_IMAGE | HDF_OWNERDRAW)) << "no image index, no image";
    const TNativeSection size = NativeSection(window, 1);
    EXPECT_EQ(size.Format & HDF_JUSTIFYMASK, HDF_RIGHT);
    EXPECT_TRUE(size.Format & HDF_IMAGE);
    EXPECT_EQ(size.Image, 2);
    EXPECT_TRUE(NativeSection(window, 2).Format & HDF_OWNERDRAW);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(window, HDM_GETIMAGELIST, 0, 0)),
              header->Images()->Handle());
    EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & HDS_HOTTRACK);

    // Edits of the collection, one by one and as a whole.
    THeaderSection* first = header->Sections()->Items(0);
    first->SetText(L"File name");
    first->SetWidth(20);
    EXPECT_EQ(first->Width(), 60) << "kept at its minimum";
    first->SetWidth(500);
    EXPECT_EQ(first->Width(), 200);
    name = NativeSection(window, 0);
    EXPECT_EQ(name.Text, L"File name");
    EXPECT_EQ(name.Width, 200);
    header->Sections()->Items(1)->SetIndex(0);
    EXPECT_EQ(NativeSection(window, 0).Text, L"Size");
    header->Sections()->Delete(2);
    header->Sections()->Add()->SetText(L"Added");
    ASSERT_EQ(SendMessageW(window, HDM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(NativeSection(window, 2).Text, L"Added");

    // A new window has the same sections; the image list gone, no section shows an image.
    header->SetFullDrag(false);
    EXPECT_NE(header->Handle(), window);
    EXPECT_EQ(NativeSection(header->Handle(), 1).Text, L"File name");
    EXPECT_TRUE(NativeSection(header->Handle(), 0).Format & HDF_IMAGE);
    delete header->Images();
    EXPECT_EQ(header->Images(), nullptr);
    EXPECT_FALSE(NativeSection(header->Handle(), 0).Format & HDF_IMAGE);
}

TEST(HeaderControl, ClicksAndDividerDragsFromTheMouse) {
    TShownForm shown;
    ReadFormText(&shown.Form, HeaderForm);
    auto* header = dynamic_cast<THeaderControl*>(shown.Form.FindComponent(L"Header1"));
    ASSERT_NE(header, nullptr);
    HWND window = header->Handle();
    std::vector<std::wstring> log;
    header->OnSectionClick = [&](THeaderControl* sender, THeaderSection* section) {
        EXPECT_EQ(sender, header);
        log.push_back(L"click " + section->Text());
    };
    header->OnSectionResize = [&](THeaderControl*, THeaderSection* section) {
        log.push_back(L"resize " + section->Text() + L" " + std::to_wstring(section->Width()));
    };
    test::ClickAt(window, Centre(SectionRect(window, 1)));
    test::ClickAt(window, Centre(SectionRect(window, 2)));
    EXPECT_EQ(log, (TStringVector{L"click Size"})) << "the third section takes no clicks";

    // The divider after "Name" (120 wide) dragged 40 to the right, then far to the left.
    log.clear();
    POINT divider{SectionRect(window, 0).right - 1, 12};
    ClientToScreen(window, &divider);
    test::DragFromTo(divider, POINT{divider.x + 40, divider.y});
    EXPECT_EQ(header->Sections()->Items(0)->Width(), 160);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), L"resize Name 160");
    test::DragFromTo(POINT{divider.x + 40, divider.y}, POINT{divider.x - 100, divider.y});
    EXPECT_EQ(header->Sections()->Items(0)->Width(), 60) << "the minimum holds against the mouse";
    EXPECT_EQ(NativeSection(window, 0).Width, 60);
    EXPECT_EQ(header->Sections()->Items(1)->Left(), 60);
}

TEST(HeaderControl, OwnerDrawnSectionsArePaintedByTheEvent) {
    TShownForm shown;
    ReadFormText(&shown.Form, HeaderForm);
    auto* header = dynamic_cast<THeaderControl*>(shown.Form.FindComponent(L"Header1"));
    ASSERT_NE(header, nullptr);
    std::vector<int> drawn;
    RECT seen{};
    header->OnDrawSection = [&](THeaderControl* sender, THeaderSection* section, const RECT& rect, bool) {
        drawn.push_back(section->Index());
        seen = rect;
        sender->Canvas()->Brush().SetColor(static_cast<TColor>(RGB(200, 30, 40)));
        sender->Canvas()->FillRect(rect);
    };
    HWND window = header->Handle();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    test::Pump(50);
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back(), 2) << "only the owner-drawn section";
    const RECT expected = SectionRect(window, 2);
    EXPECT_TRUE(EqualRect(&seen, &expected));
    EXPECT_EQ(ScreenPixel(window, Centre(expected)), RGB(200, 30, 40));
}

const char* const ToolBarForm = R"(
object Form1: TForm
  object Images1: TImageList
  end
  object Popup1: TPopupMenu
  end
  object Bar1: TToolBar
    Left = 8
    Top = 8
    Width = 420
    Height = 30
    Images = Images1
    Flat = True
    ShowCaptions = True
    List = True
    object Open1: TToolButton
      Caption = 'Open'
      ImageIndex = 1
      Hint = 'Open a file'
    end
    object Sep1: TToolButton
      Style = tbsSeparator
      SeparatorWidth = 12
    end
    object Left1: TToolButton
      Caption = 'Left'
      Down = True
      Style = tbsCheck
      Grouped = True
    end
    object Right1: TToolButton
      Caption = 'Right'
      Style = tbsCheck
      Grouped = True
    end
    object More1: TToolButton
      Caption = 'More'
      Style = tbsDropDown
      DropdownMenu = Popup1
      Enabled = False
    end
  end
end)";

TBBUTTON NativeButton(HWND bar, int index) {
    TBBUTTON button{};
    SendMessageW(bar, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button));
    return button;
}

std::wstring NativeCaption(HWND bar, int index) {
    const TBBUTTON button = NativeButton(bar, index);
    wchar_t buffer[100] = {};
    SendMessageW(bar, TB_GETBUTTONTEXTW, static_cast<WPARAM>(button.idCommand), reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

TEST(ToolBar, StoredButtonsReachTheNativeBarAndSurviveANewWindow) {
    TShownForm shown;
    ReadFormText(&shown.Form, ToolBarForm);
    auto* bar = dynamic_cast<TToolBar*>(shown.Form.FindComponent(L"Bar1"));
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->ButtonCount(), 5);
    EXPECT_EQ(bar->Buttons(0)->Name(), L"Open1");
    EXPECT_EQ(bar->Buttons(2)->GetParentComponent(), bar);
    EXPECT_EQ(GetBoolProp(bar, L"Flat"), true);
    EXPECT_EQ(GetEnumProp(bar->Buttons(3), L"Style"), L"tbsCheck");
    EXPECT_EQ(GetObjectProp(bar->Buttons(4), L"DropdownMenu"), shown.Form.FindComponent(L"Popup1"));

    for (int pass = 0; pass < 2; ++pass) {
        HWND window = bar->Handle();
        ASSERT_EQ(SendMessageW(window, TB_BUTTONCOUNT, 0, 0), 5);
        EXPECT_EQ(NativeCaption(window, 0), L"Open");
        EXPECT_EQ(NativeButton(window, 0).iBitmap, 1);
        EXPECT_TRUE(NativeButton(window, 1).fsStyle & BTNS_SEP);
        EXPECT_EQ(NativeButton(window, 1).iBitmap, 12) << "a separator's width";
        EXPECT_EQ(NativeButton(window, 2).fsStyle & BTNS_CHECKGROUP, BTNS_CHECKGROUP);
        EXPECT_TRUE(NativeButton(window, 2).fsState & TBSTATE_CHECKED);
        EXPECT_FALSE(NativeButton(window, 3).fsState & TBSTATE_CHECKED);
        EXPECT_TRUE(NativeButton(window, 4).fsStyle & BTNS_DROPDOWN);
        EXPECT_FALSE(NativeButton(window, 4).fsState & TBSTATE_ENABLED);
        EXPECT_EQ(SendMessageW(window, TB_GETSTYLE, 0, 0) & (TBSTYLE_FLAT | TBSTYLE_LIST),
                  pass == 0 ? TBSTYLE_FLAT | TBSTYLE_LIST : TBSTYLE_FLAT);
        bar->Buttons(3)->SetDown(true); // its group's other button goes up
        EXPECT_FALSE(bar->Buttons(2)->Down());
        EXPECT_TRUE(NativeButton(window, 3).fsState & TBSTATE_CHECKED);
        EXPECT_FALSE(NativeButton(window, 2).fsState & TBSTATE_CHECKED);
        bar->Buttons(2)->SetDown(true);
        bar->SetList(pass == 0 ? false : true); // a new window
    }
    bar->SetShowCaptions(false);
    EXPECT_EQ(NativeCaption(bar->Handle(), 0), L"") << "no captions shown";
    bar->Buttons(0)->SetIndex(4);
    EXPECT_EQ(NativeButton(bar->Handle(), 4).iBitmap, 1);
    delete bar->Buttons(1);
    EXPECT_EQ(SendMessageW(bar->Handle(), TB_BUTTONCOUNT, 0, 0), 4);
}

TEST(ToolBar, ClicksRunButtonsMenuItemsAndCheckGroups) {
    TShownForm shown;
    ReadFormText(&shown.Form, ToolBarForm);
    auto* bar = dynamic_cast<TToolBar*>(shown.Form.FindComponent(L"Bar1"));
    ASSERT_NE(bar, nullptr);
    std::vector<std::wstring> log;
    auto* item = new TMenuItem(&shown.Form);
    item->OnClick = [&](TObject*) { log.push_back(L"menu item"); };
    bar->Buttons(0)->SetMenuItem(item);
    bar->Buttons(3)->OnClick = [&](TObject*) {
        log.push_back(L"right " + std::to_wstring(bar->Buttons(3)->Down()) + std::to_wstring(bar->Buttons(2)->Down()));
    };
    HWND window = bar->Handle();
    test::ClickAt(window, Centre(bar->Buttons(0)->BoundsRect()));
    test::ClickAt(window, Centre(bar->Buttons(3)->BoundsRect()));
    test::ClickAt(window, Centre(bar->Buttons(4)->BoundsRect())); // disabled
    EXPECT_EQ(log, (TStringVector{L"menu item", L"right 10"}));
    EXPECT_TRUE(bar->Buttons(3)->Down());
    EXPECT_FALSE(bar->Buttons(2)->Down());
    delete item;
    EXPECT_EQ(bar->Buttons(0)->MenuItem(), nullptr) << "a freed item is forgotten";
    test::ClickAt(window, Centre(bar->Buttons(0)->BoundsRect()));
    EXPECT_EQ(log.size(), 2u);
}

TEST(ToolBar, TheBarsTooltipShowsTheShortHintOfTheButtonUnderThePointer) {
    TShownForm shown;
    ReadFormText(&shown.Form, ToolBarForm);
    auto* bar = dynamic_cast<TToolBar*>(shown.Form.FindComponent(L"Bar1"));
    ASSERT_NE(bar, nullptr);
    bar->Buttons(0)->SetHint(L"Open a file|Opens a text file to split");
    bar->SetShowHint(true);
    HWND tip = reinterpret_cast<HWND>(SendMessageW(bar->Handle(), TB_GETTOOLTIPS, 0, 0));
    ASSERT_NE(tip, nullptr);
    POINT over = Centre(bar->Buttons(0)->BoundsRect());
    ClientToScreen(bar->Handle(), &over);
    test::MoveTo(POINT{over.x - 3, over.y});
    test::MoveTo(over);
    ASSERT_TRUE(test::PumpUntil([&] { return IsWindowVisible(tip) != FALSE; }, 4000));
    wchar_t text[100] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(TTTOOLINFOW);
    ASSERT_TRUE(SendMessageW(tip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&tool)));
    tool.lpszText = text; // the current tool's text pointer (a callback marker) was put there
    SendMessageW(tip, TTM_GETTEXTW, 100, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, L"Open a file");
    test::MoveTo(POINT{5, 5});
}

TEST(ToolBar, AMainMenuBecomesButtonsThatDropItsSubMenus) {
    TShownForm shown;
    auto* menu = new TMainMenu(&shown.Form);
    auto* file = new TMenuItem(&shown.Form);
    file->SetCaption(L"&File");
    menu->Items()->Add(file);
    std::vector<std::wstring> log;
    for (const wchar_t* caption : {L"Open", L"Close"}) {
        auto* sub = new TMenuItem(&shown.Form);
        sub->SetCaption(caption);
        sub->OnClick = [&log, caption](TObject*) { log.push_back(caption); };
        file->Add(sub);
    }
    auto* help = new TMenuItem(&shown.Form);
    help->SetCaption(L"Help");
    help->OnClick = [&](TObject*) { log.push_back(L"Help"); };
    menu->Items()->Add(help);

    auto* bar = AddControl<TToolBar>(&shown.Form, 8, 8, 300, 30);
    bar->SetMenu(menu);
    ASSERT_EQ(bar->ButtonCount(), 2);
    HWND window = bar->Handle();
    EXPECT_EQ(NativeCaption(window, 0), L"File");
    test::ClickAt(window, Centre(bar->Buttons(1)->BoundsRect()));
    EXPECT_EQ(log, (TStringVector{L"Help"}));
    // The sub-menu opens below its button; the second entry is picked by keys.
    test::PressKeysInNextMenu({VK_DOWN, VK_DOWN, VK_RETURN});
    test::ClickAt(window, Centre(bar->Buttons(0)->BoundsRect()));
    test::PumpUntil([&] { return log.size() == 2; });
    EXPECT_EQ(log, (TStringVector{L"Help", L"Close"}));
    delete menu;
    EXPECT_EQ(bar->ButtonCount(), 0) << "the menu's buttons go with it";
}

TEST(ToolBar, CustomDrawPaintsTheBackgroundAndButtonsWithTheirStates) {
    TShownForm shown;
    ReadFormText(&shown.Form, ToolBarForm);
    auto* bar = dynamic_cast<TToolBar*>(shown.Form.FindComponent(L"Bar1"));
    ASSERT_NE(bar, nullptr);
    const COLORREF backdrop = RGB(10, 120, 200);
    const COLORREF face = RGB(220, 200, 20);
    std::vector<std::pair<std::wstring, TCustomDrawState>> states;
    bar->OnCustomDraw = [&](TToolBar* sender, const RECT& r, bool& defaultDraw) {
        EXPECT_TRUE(defaultDraw);
        sender->Canvas()->Brush().SetColor(static_cast<TColor>(backdrop));
        sender->Canvas()->FillRect(r);
    };
    bar->OnAdvancedCustomDrawButton = [&](TToolBar* sender, TToolButton* button, TCustomDrawState state,
                                          TCustomDrawStage stage, TTBCustomDrawFlags& flags, bool& defaultDraw) {
        if (stage != cdPrePaint) return;
        states.emplace_back(button->Caption(), state);
        if (button->Caption() == L"Right") {
            sender->Canvas()->Brush().SetColor(static_cast<TColor>(face));
            sender->Canvas()->FillRect(button->BoundsRect());
            defaultDraw = false;
        }
        flags.Include(tbNoEdges);
    };
    HWND window = bar->Handle();
    // Over the "Open" button: hot.
    POINT over = Centre(bar->Buttons(0)->BoundsRect());
    ClientToScreen(window, &over);
    test::MoveTo(over);
    test::Pump(50);
    states.clear();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    test::Pump(50);
    const auto stateOf = [&](const std::wstring& caption) {
        for (auto it = states.rbegin(); it != states.rend(); ++it)
            if (it->first == caption) return it->second;
        ADD_FAILURE() << "no custom draw for " << std::string(caption.begin(), caption.end());
        return TCustomDrawState{};
    };
    EXPECT_TRUE(stateOf(L"Open").Contains(cdsHot));
    EXPECT_TRUE(stateOf(L"Left").Contains(cdsChecked));
    EXPECT_FALSE(stateOf(L"Right").Contains(cdsChecked));
    EXPECT_TRUE(stateOf(L"More").Contains(cdsDisabled));
    EXPECT_FALSE(stateOf(L"More").Contains(cdsHot));
    EXPECT_EQ(ScreenPixel(window, Centre(bar->Buttons(3)->BoundsRect())), face) << "the handler's own button";
    const RECT last = bar->Buttons(4)->BoundsRect();
    EXPECT_EQ(ScreenPixel(window, POINT{last.right + 30, 5}), backdrop) << "the background beyond the buttons";
    test::MoveTo(POINT{5, 5});
}

TEST(HeaderAndToolBar, CreatingAndFreeingLeavesNoWindowsOrGdiObjects) {
    TShownForm shown;
    const auto cycle = [&] {
        ReadFormText(&shown.Form, ToolBarForm);
        ReadFormText(&shown.Form, HeaderForm);
        auto* bar = dynamic_cast<TToolBar*>(shown.Form.FindComponent(L"Bar1"));
        if (!bar) return;
        bar->OnCustomDraw = [](TToolBar* sender, const RECT& r, bool&) { sender->Canvas()->FillRect(r); };
        RedrawWindow(shown.Form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        bar->SetFlat(false);
        test::Pump(10);
        shown.Form.DestroyComponents();
    };
    test::ExpectNoLeaks(8, cycle);
}

} // namespace
} // namespace orvo

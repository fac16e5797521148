// List views under Wine: items stored in forms and read back, the native items following them,
// check marks and selection from the user's clicks and from code (with the events, and a refusal),
// window re-creation keeping the items' states, the report view's header appearing after the
// window was made, and no handles left behind.
#include "framework/base/exceptions.h"
#include "framework/base/prop_access.h"
#include "framework/controls/button.h"
#include "framework/controls/list_view.h"
#include "framework/forms/form_reader.h"
#include "framework/graphics/image_list.h"
#include "tests/framework/controls/list_controls_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace orvo {
namespace {

int NativeCount(TListView& view) {
    return static_cast<int>(SendMessageW(view.Handle(), LVM_GETITEMCOUNT, 0, 0));
}

UINT NativeState(TListView& view, int index, UINT mask) {
    return static_cast<UINT>(SendMessageW(view.Handle(), LVM_GETITEMSTATE, static_cast<WPARAM>(index), mask));
}

bool NativeChecked(TListView& view, int index) {
    return (NativeState(view, index, LVIS_STATEIMAGEMASK) >> 12) == 2;
}

std::wstring NativeText(TListView& view, int index, int subItem) {
    wchar_t buffer[100]{};
    LVITEMW item{};
    item.iSubItem = subItem;
    item.pszText = buffer;
    item.cchTextMax = 100;
    SendMessageW(view.Handle(), LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

TListView* AddListView(TForm& form, int count) {
    auto* view = new TListView(&form);
    view->SetParent(&form);
    view->SetBounds(10, 10, 300, 220);
    view->SetViewStyle(vsList);
    for (int i = 0; i < count; ++i)
        view->Items()->Add()->SetCaption(L"item " + std::to_wstring(i));
    return view;
}

TEST(ListView, StoredItemsAndPropertiesReadBackAndReachTheWindow) {
    test::TShownForm shown;
    ReadFormText(&shown.Form, R"(object f: TForm
  object Small1: TImageList
  end
  object List1: TListView
    Left = 8
    Top = 8
    Width = 300
    Height = 200
    ViewStyle = vsSmallIcon
    Checkboxes = True
    SmallImages = Small1
    LargeImages = Small1
    RowSelect = True
    GridLines = True
    MultiSelect = True
    ReadOnly = True
    HideSelection = False
    Items.Rows = (
      'readme.txt'#9'12 KB'#9'text'
      '{3,1}big.log'#9'1.2 GB'
      '{}{odd}'
      '{-1,1}')
  end
end
)");
    auto* view = dynamic_cast<TListView*>(shown.Form.FindComponent(L"List1"));
    ASSERT_NE(view, nullptr);
    shown.Form.HandleNeeded();
    EXPECT_EQ(GetPropValue(view, L"ViewStyle"), L"vsSmallIcon");
    EXPECT_EQ(GetPropValue(view, L"Checkboxes"), L"True");
    EXPECT_EQ(view->SmallImages(), shown.Form.FindComponent(L"Small1"));
    EXPECT_EQ(view->LargeImages(), view->SmallImages());

    TListItems& items = *view->Items();
    ASSERT_EQ(items.Count(), 4);
    EXPECT_EQ(items[0]->Caption(), L"readme.txt");
    EXPECT_EQ(items[0]->SubItems()->ToVector(), (std::vector<std::wstring>{L"12 KB", L"text"}));
    EXPECT_EQ(items[0]->ImageIndex(), -1);
    EXPECT_FALSE(items[0]->Checked());
    EXPECT_EQ(items[1]->Caption(), L"big.log");
    EXPECT_EQ(items[1]->ImageIndex(), 3);
    EXPECT_TRUE(items[1]->Checked());
    EXPECT_EQ(items[2]->Caption(), L"{odd}");
    EXPECT_EQ(items[3]->Caption(), L"");
    EXPECT_TRUE(items[3]->Checked());
    EXPECT_EQ(GetPropValue(items[1], L"Caption"), L"big.log") << "items publish their properties";
    const auto written = items.RowLines();
    ASSERT_EQ(written.size(), 4u);
    EXPECT_EQ(written[0], L"readme.txt\t12 KB\ttext");
    EXPECT_EQ(written[1], L"{3,1}big.log\t1.2 GB");
    EXPECT_EQ(written[2], L"{}{odd}");
    EXPECT_EQ(written[3], L"{-1,1}");

    EXPECT_EQ(NativeCount(*view), 4);
    EXPECT_EQ(NativeText(*view, 1, 0), L"big.log");
    EXPECT_TRUE(NativeChecked(*view, 1));
    EXPECT_TRUE(NativeChecked(*view, 3));
    EXPECT_FALSE(NativeChecked(*view, 0));
    const LONG_PTR style = GetWindowLongPtrW(view->Handle(), GWL_STYLE);
    EXPECT_EQ(style & LVS_TYPEMASK, LVS_SMALLICON);
    EXPECT_FALSE(style & LVS_SINGLESEL);
    EXPECT_FALSE(style & LVS_EDITLABELS);
    EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
    EXPECT_TRUE(style & LVS_SHAREIMAGELISTS);
    const auto extended = SendMessageW(view->Handle(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    EXPECT_TRUE(extended & LVS_EX_CHECKBOXES);
    EXPECT_TRUE(extended & LVS_EX_FULLROWSELECT);
    EXPECT_TRUE(extended & LVS_EX_GRIDLINES);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(view->Handle(), LVM_GETIMAGELIST, LVSIL_SMALL, 0)),
              view->SmallImages()->Handle());

    TForm bad(nullptr);
    try {
        ReadFormText(&bad, "object f: TForm\n object l: TListView\n  Items.Rows = (\n   '{2,7}x')\n end\nend\n");
        ADD_FAILURE() << "a row with Checked 7 was read";
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message().find(L"Checked is 0 or 1"), std::wstring::npos) << e.what();
    }
}

TEST(ListView, ClicksAndCodeCheckAndSelectItemsWithTheirEvents) {
    test::TShownForm shown;
    TListView* view = AddListView(shown.Form, 4);
    view->SetCheckboxes(true);
    std::vector<std::wstring> log;
    bool refuse = false;
    view->OnChanging = [&](TObject*, TListItem* item, TItemChange, bool& allow) {
        allow = !refuse;
        if (refuse) log.push_back(L"refused " + item->Caption());
    };
    view->OnSelectItem = [&](TObject*, TListItem* item, bool selected) {
        log.push_back((selected ? L"select " : L"unselect ") + item->Caption());
    };
    view->OnItemChecked = [&](TObject*, TListItem* item) {
        log.push_back((item->Checked() ? L"check " : L"uncheck ") + item->Caption());
    };
    test::Pump(50);
    TListItems& items = *view->Items();

    const RECT label = items[2]->DisplayRect(LVIR_LABEL);
    test::ClickAt(view->Handle(), POINT{label.left + 5, (label.top + label.bottom) / 2});
    EXPECT_TRUE(items[2]->Selected());
    EXPECT_EQ(view->Selected(), items[2]);
    EXPECT_EQ(view->ItemFocused(), items[2]);
    EXPECT_EQ(log, (std::vector<std::wstring>{L"select item 2"}));

    log.clear();
    const RECT icon = items[1]->DisplayRect(LVIR_ICON);
    // The check box is the state image, just left of the icon.
    test::ClickAt(view->Handle(), POINT{icon.left - 8, (icon.top + icon.bottom) / 2});
    EXPECT_TRUE(items[1]->Checked());
    EXPECT_TRUE(NativeChecked(*view, 1));
    EXPECT_NE(std::find(log.begin(), log.end(), L"check item 1"), log.end());

    log.clear();
    test::PressKey(VK_SPACE); // toggles the focused item's check box
    const TListItem* focused = view->ItemFocused();
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->Checked(), NativeChecked(*view, focused->Index()));
    EXPECT_NE(std::find(log.begin(), log.end(), (focused->Checked() ? L"check " : L"uncheck ") + focused->Caption()),
              log.end());

    // From code, through the window and the same events; a single-selection view drops the old one.
    log.clear();
    items[3]->SetSelected(true);
    EXPECT_TRUE(items[3]->Selected());
    EXPECT_FALSE(items[2]->Selected());
    EXPECT_TRUE(NativeState(*view, 3, LVIS_SELECTED));
    EXPECT_EQ(view->SelCount(), 1);
    EXPECT_NE(std::find(log.begin(), log.end(), L"select item 3"), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), L"unselect item 2"), log.end());

    log.clear();
    items[0]->SetChecked(true);
    EXPECT_TRUE(NativeChecked(*view, 0));
    EXPECT_EQ(log, (std::vector<std::wstring>{L"check item 0"}));

    refuse = true;
    log.clear();
    items[0]->SetChecked(false);
    EXPECT_TRUE(items[0]->Checked()) << "OnChanging refused";
    EXPECT_TRUE(NativeChecked(*view, 0));
    items[0]->SetSelected(true);
    EXPECT_FALSE(items[0]->Selected());
    EXPECT_TRUE(items[3]->Selected());
    EXPECT_FALSE(log.empty());
}

TEST(ListView, RecreatingTheWindowKeepsItemsAndTheirStates) {
    test::TShownForm shown;
    TListView* view = AddListView(shown.Form, 5);
    view->SetMultiSelect(true);
    view->SetCheckboxes(true);
    TListItems& items = *view->Items();
    items[1]->SetSelected(true);
    items[3]->SetSelected(true);
    items[2]->SetFocused(true);
    items[4]->SetChecked(true);
    items[0]->SubItems()->Add(L"sub");
    HWND before = view->Handle();

    view->SetBorderStyle(bsNone);
    ASSERT_NE(view->Handle(), before);
    EXPECT_EQ(NativeCount(*view), 5);
    EXPECT_EQ(view->SelCount(), 2);
    EXPECT_TRUE(NativeState(*view, 1, LVIS_SELECTED));
    EXPECT_TRUE(NativeState(*view, 3, LVIS_SELECTED));
    EXPECT_FALSE(NativeState(*view, 0, LVIS_SELECTED));
    EXPECT_TRUE(NativeState(*view, 2, LVIS_FOCUSED));
    EXPECT_TRUE(NativeChecked(*view, 4));
    EXPECT_TRUE(items[4]->Checked());
    EXPECT_FALSE(NativeChecked(*view, 3));
    EXPECT_EQ(items[0]->SubItems()->Get(0), L"sub");

    // Changing the view keeps the window; inserting and deleting keep the indexes in step.
    before = view->Handle();
    view->SetViewStyle(vsIcon);
    EXPECT_EQ(view->Handle(), before);
    items.Insert(0)->SetCaption(L"first");
    items.Delete(2);
    ASSERT_EQ(NativeCount(*view), 5);
    for (int i = 0; i < items.Count(); ++i) {
        EXPECT_EQ(items[i]->Index(), i);
        EXPECT_EQ(NativeText(*view, i, 0), items[i]->Caption());
        EXPECT_EQ(NativeChecked(*view, i), items[i]->Checked()) << i;
    }
}

TEST(ListView, TheReportHeaderMadeAfterTheWindowIsAnnouncedToTheWindowMethod) {
    test::TShownForm shown;
    TListView* view = AddListView(shown.Form, 2);
    view->HandleNeeded();
    std::vector<HWND> created;
    TWndMethod previous = view->WindowProc;
    view->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_PARENTNOTIFY && LOWORD(m.WParam) == WM_CREATE) created.push_back(reinterpret_cast<HWND>(m.LParam));
        previous(m);
    };
    HWND early = view->HeaderHandle();
    view->SetViewStyle(vsReport);
    HWND header = view->HeaderHandle();
    ASSERT_NE(header, nullptr) << "the report view has a header";
    wchar_t className[64]{};
    GetClassNameW(header, className, 64);
    EXPECT_STREQ(className, WC_HEADERW);
    if (!early) {
        EXPECT_EQ(created, std::vector<HWND>{header}) << "a header made later is announced";
    } else {
        EXPECT_EQ(early, header) << "the header made with the window stays";
    }
    EXPECT_TRUE(IsWindowVisible(header));
    view->WindowProc = previous;
}

TEST(ListView, ALabelEditEndsWithEnterInTheItemNotInTheFormsDefaultButton) {
    test::TShownForm shown;
    TListView* view = AddListView(shown.Form, 3);
    auto* ok = new TButton(&shown.Form);
    ok->SetParent(&shown.Form);
    ok->SetBounds(330, 10, 80, 25);
    ok->SetDefault(true);
    int clicks = 0;
    ok->OnClick = [&](TObject*) { ++clicks; };
    std::vector<std::wstring> changes;
    view->OnEdited = [&](TObject*, TListItem*, std::wstring& text) { text = L"[" + text + L"]"; };
    view->OnChange = [&](TObject*, TListItem* item, TItemChange change) {
        if (change == ctText) changes.push_back(item->Caption());
    };
    test::Pump(30);
    view->EditItem(view->Items()->Item(1));
    ASSERT_TRUE(view->IsEditing());
    auto edit = reinterpret_cast<HWND>(SendMessageW(view->Handle(), LVM_GETEDITCONTROL, 0, 0));
    SetWindowTextW(edit, L"renamed");
    test::PressKey(VK_RETURN);
    EXPECT_FALSE(view->IsEditing());
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(view->Items()->Item(1)->Caption(), L"[renamed]");
    EXPECT_EQ(NativeText(*view, 1, 0), L"[renamed]");
    EXPECT_EQ(changes, std::vector<std::wstring>{L"[renamed]"});

    view->SetReadOnly(true);
    view->EditItem(view->Items()->Item(0));
    EXPECT_FALSE(view->IsEditing());
}

std::wstring HeaderText(HWND header, int index) {
    wchar_t buffer[100]{};
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = buffer;
    item.cchTextMax = 100;
    SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

TEST(ListView, ColumnsFromTheFormFollowTheHeaderDraggedByTheUserAndKeepSubItemsInPlace) {
    test::TShownForm shown;
    ReadFormText(&shown.Form, R"(object f: TForm
  object List1: TListView
    Left = 8
    Top = 8
    Width = 360
    Height = 200
    ViewStyle = vsReport
    Columns = <
      item
        Caption = 'Name'
        Width = 120
      end
      item
        Caption = 'Size'
        Width = 80
        Alignment = taRightJustify
      end>
    Items.Rows = (
      'readme.txt'#9'12 KB'
      'big.log'#9'1.2 GB')
  end
end
)");
    auto* view = dynamic_cast<TListView*>(shown.Form.FindComponent(L"List1"));
    ASSERT_NE(view, nullptr);
    std::vector<std::wstring> clicked;
    view->OnColumnClick = [&](TObject*, TListColumn* column) { clicked.push_back(column->Caption()); };
    test::Pump(50);
    EXPECT_EQ(GetPropValue(view, L"Columns.Count"), L"2");
    EXPECT_EQ(GetPropValue(view, L"Columns[1].Alignment"), L"taRightJustify");
    HWND header = view->HeaderHandle();
    ASSERT_NE(header, nullptr);
    ASSERT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(HeaderText(header, 1), L"Size");
    EXPECT_EQ(SendMessageW(view->Handle(), LVM_GETCOLUMNWIDTH, 0, 0), 120);
    EXPECT_EQ(NativeText(*view, 1, 1), L"1.2 GB");

    // The user drags the divider after "Name" 40 pixels to the right.
    RECT first{};
    SendMessageW(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    test::DragFromTo(header, POINT{first.right - 1, (first.top + first.bottom) / 2},
                     POINT{first.right + 39, (first.top + first.bottom) / 2});
    EXPECT_EQ(view->Columns()->Items(0)->Width(), 160);

    // A click on a column's header.
    RECT second{};
    SendMessageW(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    test::ClickAt(header, POINT{(second.left + second.right) / 2, (second.top + second.bottom) / 2});
    EXPECT_EQ(clicked, std::vector<std::wstring>{L"Size"});

    view->SetBorderStyle(bsNone); // a new window keeps the dragged width
    EXPECT_EQ(SendMessageW(view->Handle(), LVM_GETCOLUMNWIDTH, 0, 0), 160);

    // A new first column: the window's columns are made anew and the sub-items are shown again.
    TListColumn* type = static_cast<TListColumn*>(view->Columns()->Insert(1));
    type->SetCaption(L"Type");
    header = view->HeaderHandle();
    ASSERT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(HeaderText(header, 1), L"Type");
    EXPECT_EQ(HeaderText(header, 2), L"Size");
    EXPECT_EQ(NativeText(*view, 0, 1), L"12 KB") << "sub-items follow the columns by position";
    EXPECT_EQ(NativeText(*view, 0, 0), L"readme.txt");
    EXPECT_EQ(SendMessageW(view->Handle(), LVM_GETCOLUMNWIDTH, 0, 0), 160);
    view->Columns()->Delete(1);
    EXPECT_EQ(SendMessageW(view->HeaderHandle(), HDM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(NativeText(*view, 1, 1), L"1.2 GB");
}

TEST(ListView, CheckBoxViewsLeaveNoHandlesOverManyWindows) {
    TForm form(nullptr);
    form.HandleNeeded();
    const auto cycle = [&] {
        auto* images = new TImageList(&form);
        TListView* view = AddListView(form, 10);
        view->SetSmallImages(images);
        view->SetStateImages(images);
        view->SetCheckboxes(true);
        view->Items()->Item(3)->SetChecked(true);
        view->SetCheckboxes(false); // the window's own check images go
        view->SetCheckboxes(true);
        view->SetBorderStyle(bsNone); // one re-creation
        delete view;
        delete images;
    };
    test::ExpectNoHandlesLeftBy(cycle);
}

} // namespace
} // namespace orvo

// List boxes and check list boxes: the native list kept in step with Items (also sorted, and
// across window re-creation with the selection and view), selection by the user's clicks and keys,
// owner drawing through the handlers and through a chained window method, and the check list's
// toggling rules and marks.
#include "framework/controls/check_list_box.h"
#include "framework/controls/list_box.h"
#include "framework/base/exceptions.h"

#include "input_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvo {
namespace {

using test::AddControl;
using test::ClickAt;
using test::PressKey;
using test::Pump;
using test::TShownForm;

std::vector<std::wstring> NativeItems(HWND list) {
    std::vector<std::wstring> items;
    const auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring text(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
        items.push_back(text);
    }
    return items;
}

POINT ItemCentre(TCustomListBox& list, int index) {
    const RECT r = list.ItemRect(index);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST(ListBox, TheNativeListFollowsItemsAndARecreatedWindowKeepsItemsSelectionAndView) {
    TForm form(nullptr);
    auto* list = AddControl<TListBox>(&form, 10, 10, 150, 80);
    TObject marker;
    list->Items()->Add(L"before the window");
    list->Items()->AddObject(L"with an object", &marker);
    list->SetItemIndex(1);
    HWND window = list->Handle();
    EXPECT_EQ(NativeItems(window), (std::vector<std::wstring>{L"before the window", L"with an object"}));
    EXPECT_EQ(SendMessageW(window, LB_GETCURSEL, 0, 0), 1) << "an index chosen without a window reaches it";

    list->Items()->Insert(0, L"first");
    list->Items()->Put(2, L"renamed");
    list->Items()->Delete(1);
    list->Items()->Move(1, 0);
    EXPECT_EQ(NativeItems(window), list->Items()->ToVector());
    EXPECT_EQ(list->Items()->ToVector(), (std::vector<std::wstring>{L"renamed", L"first"}));
    EXPECT_EQ(list->Items()->Objects(0), &marker) << "an object moves with its line";
    EXPECT_THROW(list->Items()->Delete(5), EStringListError);

    for (int i = 0; i < 40; ++i)
        list->Items()->Add(L"line " + std::to_wstring(i));
    list->SetItemIndex(30);
    list->SetTopIndex(25);
    const int top = list->TopIndex();
    ASSERT_GT(top, 0);
    list->SetStyle(lbOwnerDrawFixed); // a new window
    EXPECT_NE(list->Handle(), window);
    EXPECT_EQ(NativeItems(list->Handle()), list->Items()->ToVector());
    EXPECT_EQ(list->ItemIndex(), 30);
    EXPECT_EQ(list->TopIndex(), top);
    EXPECT_EQ(list->Items()->Objects(0), &marker);
    EXPECT_TRUE(GetWindowLongW(list->Handle(), GWL_STYLE) & LBS_OWNERDRAWFIXED);

    list->SetItemIndex(500);
    EXPECT_EQ(list->ItemIndex(), -1) << "an index out of range selects nothing";
}

TEST(ListBox, ASortedListPlacesLinesByTheLocaleAndAnswersWhereTheyWent) {
    TForm form(nullptr);
    auto* list = AddControl<TListBox>(&form, 10, 10, 150, 80);
    list->HandleNeeded();
    list->Items()->SetStrings({L"pear", L"Apple", L"fig"});
    list->SetItemIndex(0); // "pear"
    list->SetSorted(true);
    EXPECT_EQ(list->Items()->ToVector(), (std::vector<std::wstring>{L"Apple", L"fig", L"pear"}));
    EXPECT_EQ(NativeItems(list->Handle()), list->Items()->ToVector());
    EXPECT_EQ(list->Items()->Get(list->ItemIndex()), L"pear") << "the selected line stays selected";

    EXPECT_EQ(list->Items()->Add(L"banana"), 1);
    EXPECT_EQ(list->Items()->Add(L"zucchini"), 4);
    EXPECT_EQ(list->Items()->Add(L"FIG"), 3) << "after the equal line";
    list->Items()->Put(0, L"quince");
    EXPECT_EQ(list->Items()->ToVector(),
              (std::vector<std::wstring>{L"banana", L"fig", L"FIG", L"pear", L"quince", L"zucchini"}));
    EXPECT_EQ(NativeItems(list->Handle()), list->Items()->ToVector());
}

TEST(ListBox, MultipleSelectionIsCountedAndSurvivesANewWindow) {
    TForm form(nullptr);
    auto* list = AddControl<TListBox>(&form, 10, 10, 150, 80);
    list->Items()->SetStrings({L"a", L"b", L"c", L"d"});
    list->HandleNeeded();
    list->SetItemIndex(2);
    list->SetMultiSelect(true); // a new window
    EXPECT_TRUE(list->Selected(2)) << "the single selection carries over";
    EXPECT_EQ(list->ItemIndex(), 2);
    list->DestroyHandle();
    list->SetSelected(2, false);
    list->SetSelected(1, true);
    list->SetSelected(3, true);
    EXPECT_EQ(list->SelCount(), 2) << "kept while there is no window";
    list->HandleNeeded();
    EXPECT_EQ(list->SelCount(), 2);
    EXPECT_TRUE(list->Selected(3));
    list->SetExtendedSelect(false); // a new window
    EXPECT_TRUE(list->Selected(1));
    EXPECT_FALSE(list->Selected(2));
    EXPECT_EQ(list->SelCount(), 2);
    list->ClearSelection();
    EXPECT_EQ(list->SelCount(), 0);
    EXPECT_EQ(list->ItemIndex(), -1) << "nothing selected, no index, though the list has a caret";
    EXPECT_THROW(list->Selected(4), EListError);
}

TEST(ListBox, TheUsersClicksAndKeysSelectAndAreReported) {
    TShownForm shown;
    auto* list = AddControl<TListBox>(&shown.Form, 10, 10, 150, 120);
    list->Items()->SetStrings({L"one", L"two", L"three", L"four"});
    std::vector<int> clicks;
    int doubleClicks = 0;
    list->OnClick = [&](TObject*) { clicks.push_back(list->ItemIndex()); };
    list->OnDblClick = [&](TObject*) { ++doubleClicks; };
    Pump(50);

    ClickAt(list->Handle(), ItemCentre(*list, 2));
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(clicks, (std::vector<int>{2}));
    PressKey(VK_DOWN);
    EXPECT_EQ(list->ItemIndex(), 3);
    EXPECT_EQ(clicks, (std::vector<int>{2, 3}));
    ClickAt(list->Handle(), ItemCentre(*list, 0), true);
    EXPECT_EQ(doubleClicks, 1);
    clicks.clear();
    list->SetItemIndex(1);
    EXPECT_TRUE(clicks.empty()) << "a change from code is no click";
}

TEST(ListBox, OwnerDrawingMeasuresAndDrawsEachItemAndCanBeTakenOverByAChainedMethod) {
    TShownForm shown;
    auto* list = AddControl<TListBox>(&shown.Form, 10, 10, 150, 150);
    list->SetStyle(lbOwnerDrawVariable);
    list->OnMeasureItem = [&](TWinControl*, int index, int& height) {
        EXPECT_LT(index, list->Count()) << "the item exists while it is measured";
        height = 14 + 4 * index;
    };
    std::vector<int> drawn;
    bool sawSelected = false;
    list->OnDrawItem = [&](TWinControl*, int index, RECT rect, TOwnerDrawState state) {
        drawn.push_back(index);
        if (state.Contains(odSelected)) {
            sawSelected = true;
            EXPECT_EQ(list->Canvas()->Brush().Color(), clHighlight);
        }
        list->Canvas()->FillRect(rect);
    };
    list->Items()->SetStrings({L"a", L"b", L"c"});
    list->SetItemIndex(1);
    Pump(50);
    for (int i = 0; i < 3; ++i) {
        const RECT r = list->ItemRect(i);
        EXPECT_EQ(r.bottom - r.top, 14 + 4 * i);
    }
    RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), 2), drawn.end());
    EXPECT_TRUE(sawSelected);

    // Code that chains the window method may draw the items itself.
    int taken = 0;
    TWndMethod previous = list->WindowProc;
    list->WindowProc = [&](TMessage& m) {
        if (m.Msg == CN_DRAWITEM) {
            ++taken;
            m.Result = 1;
            return;
        }
        previous(m);
    };
    drawn.clear();
    RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GE(taken, 3);
    EXPECT_TRUE(drawn.empty());
    list->WindowProc = previous;
}

TEST(CheckListBox, TheUserTogglesOnlyEnabledItemsByTheirBoxOrSpaceAndTheMarksStayWithTheItems) {
    TShownForm shown;
    auto* list = AddControl<TCheckListBox>(&shown.Form, 10, 10, 200, 150);
    list->Items()->SetStrings({L"alpha", L"beta", L"Group", L"delta"});
    list->SetHeader(2, true);
    list->SetItemEnabled(3, false);
    int checks = 0;
    list->OnClickCheck = [&](TObject*) { ++checks; };
    Pump(50);
    EXPECT_TRUE(GetWindowLongW(list->Handle(), GWL_STYLE) & LBS_OWNERDRAWFIXED) << "always owner-drawn";

    const auto boxCentre = [&](int index) {
        const RECT box = list->CheckRect(list->ItemRect(index));
        return POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    };
    ClickAt(list->Handle(), boxCentre(0));
    EXPECT_EQ(list->State(0), cbChecked);
    EXPECT_EQ(checks, 1);
    ClickAt(list->Handle(), ItemCentre(*list, 1)); // on the text: selects only
    EXPECT_EQ(list->State(1), cbUnchecked);
    EXPECT_EQ(list->ItemIndex(), 1);
    PressKey(VK_SPACE);
    EXPECT_EQ(list->State(1), cbChecked);
    EXPECT_EQ(checks, 2);
    ClickAt(list->Handle(), boxCentre(2));
    ClickAt(list->Handle(), boxCentre(3));
    EXPECT_EQ(list->State(2), cbUnchecked) << "a header is never toggled";
    EXPECT_EQ(list->State(3), cbUnchecked) << "nor a disabled item";
    EXPECT_EQ(checks, 2);

    list->SetAllowGrayed(true);
    list->SetState(0, cbUnchecked);
    EXPECT_EQ(checks, 2) << "changes from code raise no OnClickCheck";
    ClickAt(list->Handle(), boxCentre(0));
    EXPECT_EQ(list->State(0), cbGrayed);
    ClickAt(list->Handle(), boxCentre(0));
    EXPECT_EQ(list->State(0), cbChecked);

    list->SetSorted(true); // alpha, beta, delta, Group
    list->SetBorderStyle(bsNone); // and a new window
    EXPECT_EQ(list->Items()->Get(3), L"Group");
    EXPECT_TRUE(list->Header(3));
    EXPECT_FALSE(list->ItemEnabled(2));
    EXPECT_EQ(list->State(1), cbChecked);
    EXPECT_THROW(list->State(9), EListError);
}

TEST(CheckListBox, AHeaderIsDrawnInTheHeaderColours) {
    TShownForm shown;
    auto* list = AddControl<TCheckListBox>(&shown.Form, 10, 10, 200, 120);
    list->Items()->SetStrings({L"item", L"Header"});
    list->SetHeader(1, true);
    list->SetHeaderBackgroundColor(static_cast<TColor>(RGB(0, 128, 255)));
    Pump(50);
    RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const RECT header = list->ItemRect(1);
    HDC dc = GetDC(list->Handle());
    const COLORREF headerPixel = GetPixel(dc, header.right - 3, header.top + 1);
    const COLORREF item = GetPixel(dc, list->ItemRect(0).right - 3, list->ItemRect(0).top + 1);
    ReleaseDC(list->Handle(), dc);
    EXPECT_EQ(headerPixel, RGB(0, 128, 255));
    EXPECT_EQ(item, GetSysColor(COLOR_WINDOW));
}

} // namespace
} // namespace orvo

// Combo boxes in each style: Text and ItemIndex in step, picking an item by the user's keys and
// typing raising OnChange with the new text, the drop-down list opened by a click on the button
// and closed by Escape with its events, the list showing DropDownCount items, the inner edit in the
// combo's colours, and everything kept across a new window.
#include "framework/controls/combo_box.h"

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
using test::PumpUntil;
using test::TShownForm;
using test::TypeText;

COMBOBOXINFO Info(HWND combo) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    EXPECT_TRUE(GetComboBoxInfo(combo, &info));
    return info;
}

TEST(ComboBox, TextAndItemIndexFollowEachOtherInEachStyle) {
    TForm form(nullptr);
    for (TComboBoxStyle style : {csDropDown, csSimple, csDropDownList}) {
        SCOPED_TRACE(static_cast<int>(style));
        auto* combo = AddControl<TComboBox>(&form, 10, 10, 150, 100);
        combo->SetStyle(style);
        combo->Items()->SetStrings({L"red", L"green", L"blue"});
        combo->SetItemIndex(1);
        EXPECT_EQ(combo->Text(), L"green") << "before the window";
        combo->HandleNeeded();
        EXPECT_EQ(combo->ItemIndex(), 1);
        EXPECT_EQ(combo->Text(), L"green");
        combo->SetText(L"blue");
        EXPECT_EQ(combo->Text(), L"blue");
        if (style == csDropDownList) {
            EXPECT_EQ(combo->ItemIndex(), 2) << "the text names an item";
            combo->SetText(L"purple");
            EXPECT_EQ(combo->ItemIndex(), -1) << "a list shows only its items";
            EXPECT_EQ(combo->Text(), L"");
            EXPECT_EQ(combo->EditHandle(), nullptr) << "a drop-down list has no inner edit";
        } else {
            combo->SetText(L"purple");
            EXPECT_EQ(combo->Text(), L"purple");
            EXPECT_NE(combo->EditHandle(), nullptr);
        }
        delete combo;
    }
}

TEST(ComboBox, ANewWindowKeepsItemsIndexAndTypedText) {
    TForm form(nullptr);
    auto* combo = AddControl<TComboBox>(&form, 10, 10, 150, 21);
    combo->Items()->SetStrings({L"one", L"two"});
    combo->HandleNeeded();
    combo->SetItemIndex(1);
    combo->SetStyle(csSimple);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), L"two");
    SetWindowTextW(combo->EditHandle(), L"typed");
    combo->SetSorted(true);
    combo->SetStyle(csDropDown);
    EXPECT_EQ(combo->Items()->ToVector(), (std::vector<std::wstring>{L"one", L"two"}));
    EXPECT_EQ(combo->Text(), L"typed");
    EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCOUNT, 0, 0), 2);
}

TEST(ComboBox, PickingAnItemByKeyAndTypingRaiseTheEventsWithTheNewText) {
    TShownForm shown;
    auto* list = AddControl<TComboBox>(&shown.Form, 10, 10, 150, 21);
    list->SetStyle(csDropDownList);
    list->Items()->SetStrings({L"red", L"green", L"blue"});
    auto* edit = AddControl<TComboBox>(&shown.Form, 10, 60, 150, 21);
    edit->Items()->SetStrings({L"alpha", L"beta"});
    std::vector<std::wstring> changes;
    int selects = 0;
    for (TComboBox* c : {list, edit}) {
        c->OnChange = [&changes, c](TObject*) { changes.push_back(c->Text()); };
        c->OnSelect = [&selects](TObject*) { ++selects; };
    }
    Pump(50);

    list->SetFocus();
    Pump(30);
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(changes, (std::vector<std::wstring>{L"red", L"green"})) << "OnChange sees the picked text";
    EXPECT_EQ(selects, 2);

    changes.clear();
    edit->SetFocus();
    Pump(30);
    TypeText(L"ab");
    EXPECT_EQ(edit->Text(), L"ab");
    EXPECT_EQ(changes, (std::vector<std::wstring>{L"a", L"ab"}));
    PressKey(VK_DOWN);
    EXPECT_EQ(edit->Text(), L"alpha");
    EXPECT_EQ(changes.back(), L"alpha");

    changes.clear();
    selects = 0;
    edit->SetItemIndex(1);
    edit->SetText(L"set by code");
    EXPECT_TRUE(changes.empty()) << "changes from code raise no events";
    EXPECT_EQ(selects, 0);
}

TEST(ComboBox, AClickOnTheButtonOpensTheListOfDropDownCountItemsAndEscapeClosesIt) {
    TShownForm shown;
    auto* combo = AddControl<TComboBox>(&shown.Form, 10, 10, 150, 21);
    combo->SetStyle(csDropDownList);
    for (int i = 0; i < 20; ++i)
        combo->Items()->Add(L"item " + std::to_wstring(i));
    combo->SetDropDownCount(5);
    int dropped = 0;
    int closed = 0;
    combo->OnDropDown = [&](TObject*) { ++dropped; };
    combo->OnCloseUp = [&](TObject*) { ++closed; };
    Pump(50);
    RECT window{};
    GetWindowRect(combo->Handle(), &window);
    EXPECT_EQ(combo->Height(), window.bottom - window.top) << "the control is as high as the closed combo";

    const COMBOBOXINFO info = Info(combo->Handle());
    ClickAt(combo->Handle(), POINT{(info.rcButton.left + info.rcButton.right) / 2,
                                   (info.rcButton.top + info.rcButton.bottom) / 2});
    ASSERT_TRUE(PumpUntil([&] { return combo->DroppedDown(); }, 2000));
    EXPECT_EQ(dropped, 1);
    RECT list{};
    GetClientRect(combo->ListHandle(), &list);
    const int rows = list.bottom / combo->ItemHeight();
    EXPECT_GE(rows, 4);
    EXPECT_LE(rows, 6) << "about DropDownCount rows";
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return !combo->DroppedDown(); }, 2000));
    EXPECT_EQ(closed, 1);
}

TEST(ComboBox, TheInnerEditWearsTheCombosColour) {
    TShownForm shown;
    auto* combo = AddControl<TComboBox>(&shown.Form, 10, 10, 150, 21);
    combo->SetColor(static_cast<TColor>(RGB(255, 255, 0)));
    Pump(50);
    HWND edit = combo->EditHandle();
    ASSERT_NE(edit, nullptr);
    RedrawWindow(combo->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT r{};
    GetClientRect(edit, &r);
    HDC dc = GetDC(edit);
    const COLORREF pixel = GetPixel(dc, r.right - 2, r.bottom / 2);
    ReleaseDC(edit, dc);
    EXPECT_EQ(pixel, RGB(255, 255, 0));
}

} // namespace
} // namespace orvo

// Radio buttons and radio groups under Wine: one checked button per parent whatever checks it
// (mouse, arrow keys, code), the check-state notice, the tab stop following the check, state and
// alignment kept across a new window; a group's buttons from its items, ItemIndex both ways,
// refused clicks, columns, and both in a stored form.
#include "framework/base/prop_access.h"
#include "framework/controls/group_box.h"
#include "framework/controls/radio_group.h"
#include "framework/forms/form_reader.h"
#include "tests/framework/controls/families_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace orvo {
namespace {

using test::Add;

bool NativeChecked(TRadioButton* b) {
    return SendMessageW(b->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

TEST(RadioButton, OneCheckedPerParentWhateverChecksIt) {
    test::TShownForm shown;
    TForm& form = shown.Form;
    auto* a = Add<TRadioButton>(&form, 10, 10, 120, 20);
    auto* b = Add<TRadioButton>(&form, 10, 40, 120, 20);
    auto* c = Add<TRadioButton>(&form, 10, 70, 120, 20);
    auto* box = Add<TGroupBox>(&form, 200, 10, 180, 100);
    auto* other = Add<TRadioButton>(box, 10, 20, 120, 20);
    a->SetCaption(L"a");
    b->SetCaption(L"b");
    other->SetChecked(true);
    std::vector<std::wstring> log;
    for (auto [button, name] : {std::pair{a, L"a"}, std::pair{b, L"b"}, std::pair{c, L"c"}}) {
        button->OnClick = [&log, name](TObject*) { log.push_back(std::wstring(L"click ") + name); };
        const TWndMethod saved = button->WindowProc;
        button->WindowProc = [&log, saved, name](TMessage& m) {
            if (m.Msg == CM_CHECKSTATECHANGED) log.push_back(std::wstring(L"state ") + name);
            saved(m);
        };
    }

    test::ClickAt(*b, 6, 10);
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(NativeChecked(b));
    EXPECT_EQ(log, (std::vector<std::wstring>{L"state b", L"click b"}));
    EXPECT_TRUE(other->Checked()) << "a radio button of another parent is not a sibling";
    EXPECT_TRUE(b->TabStop()) << "the checked button is the group's tab stop";
    EXPECT_FALSE(a->TabStop());

    log.clear();
    a->SetChecked(true);
    EXPECT_FALSE(b->Checked());
    EXPECT_FALSE(NativeChecked(b));
    EXPECT_EQ(log, (std::vector<std::wstring>{L"state b", L"state a", L"click a"}))
        << "the sibling that loses the check is told too; only the new one clicks";
    log.clear();
    test::ClickAt(*a, 6, 10);
    EXPECT_TRUE(log.empty()) << "clicking the checked one changes nothing";

    // The arrow moves the focus to the next button, which takes the check.
    a->SetFocus();
    ASSERT_TRUE(test::PumpUntil([&] { return a->Focused(); }));
    log.clear();
    PostMessageW(a->Handle(), WM_KEYDOWN, VK_DOWN, 1);
    test::PumpUntil([&] { return b->Focused(); }, 1000);
    EXPECT_TRUE(b->Focused());
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->Checked());
    EXPECT_NE(std::find(log.begin(), log.end(), L"click b"), log.end());

    // A new window keeps the check and shows the alignment.
    b->SetAlignment(taLeftJustify);
    EXPECT_TRUE(GetWindowLongW(b->Handle(), GWL_STYLE) & BS_LEFTTEXT);
    EXPECT_TRUE(NativeChecked(b));
    EXPECT_EQ(GetWindowLongW(b->Handle(), GWL_STYLE) & 0x0F, BS_RADIOBUTTON)
        << "the framework checks it, not the native control";
    a->RecreateWnd();
    EXPECT_FALSE(NativeChecked(a));
    c->SetChecked(true);
    c->RecreateWnd();
    EXPECT_TRUE(NativeChecked(c));
    EXPECT_FALSE(b->Checked());
}

class TRefusingGroup : public TRadioGroup {
public:
    using TRadioGroup::TRadioGroup;
    bool Allow = true;

protected:
    bool CanModify() override { return Allow; }
};

TEST(RadioGroup, ButtonsFollowItemsAndItemIndexFollowsTheButtons) {
    test::TShownForm shown;
    auto* group = Add<TRefusingGroup>(&shown.Form, 10, 10, 300, 140);
    group->SetCaption(L"Group");
    std::vector<int> clicks;
    group->OnClick = [&](TObject*) { clicks.push_back(group->ItemIndex()); };
    group->Items()->Add(L"one");
    group->Items()->Add(L"two");
    group->Items()->Add(L"three");
    ASSERT_EQ(group->ButtonCount(), 3);
    EXPECT_EQ(group->ControlCount(), 3) << "the buttons are the group's children";
    EXPECT_EQ(group->Buttons(1)->Caption(), L"two");
    EXPECT_EQ(group->Buttons(1)->Owner(), group) << "and its components, not the form's";
    EXPECT_EQ(group->ItemIndex(), -1);

    test::ClickAt(*group->Buttons(2), 6, group->Buttons(2)->Height() / 2);
    EXPECT_EQ(group->ItemIndex(), 2);
    EXPECT_EQ(clicks, (std::vector<int>{2}));
    group->SetItemIndex(0);
    EXPECT_TRUE(group->Buttons(0)->Checked());
    EXPECT_FALSE(group->Buttons(2)->Checked());
    EXPECT_EQ(clicks, (std::vector<int>{2, 0})) << "a change from code clicks too";
    group->SetItemIndex(7);
    EXPECT_EQ(group->ItemIndex(), -1) << "out of range checks none";
    EXPECT_FALSE(group->Buttons(0)->Checked());
    group->SetItemIndex(1);

    group->Allow = false;
    clicks.clear();
    test::ClickAt(*group->Buttons(0), 6, group->Buttons(0)->Height() / 2);
    EXPECT_EQ(group->ItemIndex(), 1) << "CanModify refused the click";
    EXPECT_TRUE(group->Buttons(1)->Checked());
    EXPECT_FALSE(group->Buttons(0)->Checked());
    EXPECT_TRUE(clicks.empty());
    group->Buttons(2)->SetFocus();
    ASSERT_TRUE(test::PumpUntil([&] { return group->Buttons(2)->Focused(); }, 1000));
    EXPECT_EQ(group->ItemIndex(), 1) << "nor may the focus arriving check another";
    group->Allow = true;

    // Items edited: the index stays while it exists; captions follow.
    group->Items()->Put(1, L"TWO");
    EXPECT_EQ(group->Buttons(1)->Caption(), L"TWO");
    EXPECT_EQ(group->ItemIndex(), 1);
    group->Items()->Delete(2);
    EXPECT_EQ(group->ButtonCount(), 2);
    EXPECT_EQ(group->ItemIndex(), 1);
    group->Items()->Delete(1);
    EXPECT_EQ(group->ItemIndex(), -1);

    // Columns: top to bottom, then the next column.
    for (const wchar_t* s : {L"2", L"3", L"4", L"5"})
        group->Items()->Add(s);
    group->SetColumns(2);
    ASSERT_EQ(group->ButtonCount(), 5);
    EXPECT_EQ(group->Buttons(0)->Left(), group->Buttons(1)->Left());
    EXPECT_GT(group->Buttons(1)->Top(), group->Buttons(0)->Top());
    EXPECT_EQ(group->Buttons(3)->Top(), group->Buttons(0)->Top())
        << "three rows: the fourth starts column two";
    EXPECT_EQ(group->Buttons(3)->Left(), 8 + (300 - 10) / 2);
    EXPECT_GE(group->Buttons(0)->Top(), group->Font()->Height() < 0 ? -group->Font()->Height() : 8)
        << "below the caption";
    EXPECT_LE(group->Buttons(2)->Top() + group->Buttons(2)->Height(), group->Height());
    group->SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(group->Buttons(4)->Handle())) << "the buttons look disabled too";
}

TEST(RadioGroup, StoredFormsHoldButtonsAndGroups) {
    TForm form(nullptr);
    ReadFormText(&form, R"(object f: TForm
  object Mode: TRadioGroup
    Left = 10
    Width = 200
    Height = 120
    Caption = '模式'
    ItemIndex = 1
    Columns = 2
    Items.Strings = (
      '按行'
      '按大小'
      '按数量')
  end
  object rbFirst: TRadioButton
    Caption = 'First'
    Alignment = taLeftJustify
    Checked = True
  end
  object rbSecond: TRadioButton
    Caption = 'Second'
  end
end)");
    auto* group = static_cast<TRadioGroup*>(form.FindComponent(L"Mode"));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->ItemIndex(), 1) << "the index written before the items still lands";
    ASSERT_EQ(group->ButtonCount(), 3);
    EXPECT_TRUE(group->Buttons(1)->Checked());
    EXPECT_EQ(group->Buttons(2)->Caption(), L"按数量");
    EXPECT_EQ(GetOrdProp(group, L"Columns"), 2);
    EXPECT_EQ(GetStringListProp(group, L"Items.Strings")->size(), 3u);
    auto* first = form.FindComponent(L"rbFirst");
    EXPECT_EQ(GetPropValue(first, L"Checked"), L"True");
    EXPECT_EQ(GetPropValue(first, L"Alignment"), L"taLeftJustify");
    EXPECT_EQ(GetPropValue(form.FindComponent(L"rbSecond"), L"Checked"), L"False");
    form.HandleNeeded();
    EXPECT_TRUE(NativeChecked(group->Buttons(1)));
    EXPECT_TRUE(GetWindowLongW(static_cast<TRadioButton*>(first)->Handle(), GWL_STYLE) & BS_LEFTTEXT);
}

} // namespace
} // namespace orvo

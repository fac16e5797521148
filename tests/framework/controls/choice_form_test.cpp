// A stored form holding each of the list, combo, scroll, up-down, spin and date-time controls:
// every property read back by name as the form gave it (values that depend on each other given
// in an awkward order), events bound to the form's methods, a reference to an associate written
// further down, and refusals that name the line.
#include "framework/base/exceptions.h"
#include "framework/base/prop_access.h"
#include "framework/controls/check_list_box.h"
#include "framework/controls/combo_box.h"
#include "framework/controls/date_time_picker.h"
#include "framework/controls/scroll_bar.h"
#include "framework/controls/up_down.h"
#include "framework/forms/form_reader.h"
#include "framework/forms/forms.h"

#include <gtest/gtest.h>

#include <string>

namespace orvo {
namespace {

class TfChoiceForm : public TForm {
    ORVO_CLASS(TfChoiceForm, TForm)
public:
    using TForm::TForm;

    TListBox* ListBox1 = nullptr;
    TCheckListBox* CheckList1 = nullptr;
    TComboBox* Combo1 = nullptr;
    TScrollBar* Scroll1 = nullptr;
    TUpDown* UpDown1 = nullptr;
    TEdit* Edit1 = nullptr;
    TSpinEdit* Spin1 = nullptr;
    TDateTimePicker* Picker1 = nullptr;
    int Scrolls = 0;

    void Scroll1Change(TObject*) { ++Scrolls; }

    static void Publish(TPublisher<TfChoiceForm>& p) {
        p.Field(L"ListBox1", &TfChoiceForm::ListBox1);
        p.Field(L"CheckList1", &TfChoiceForm::CheckList1);
        p.Field(L"Combo1", &TfChoiceForm::Combo1);
        p.Field(L"Scroll1", &TfChoiceForm::Scroll1);
        p.Field(L"UpDown1", &TfChoiceForm::UpDown1);
        p.Field(L"Edit1", &TfChoiceForm::Edit1);
        p.Field(L"Spin1", &TfChoiceForm::Spin1);
        p.Field(L"Picker1", &TfChoiceForm::Picker1);
        p.Method(L"Scroll1Change", &TfChoiceForm::Scroll1Change);
    }
};
ORVO_IMPLEMENT_CLASS(TfChoiceForm);

constexpr const char* FormText = R"(object fChoiceForm: TfChoiceForm
  object ListBox1: TListBox
    ItemIndex = 2
    Items.Strings = ('b' 'c' 'a')
    Sorted = True
    MultiSelect = True
    Style = lbOwnerDrawFixed
    ItemHeight = 20
    Columns = 2
    BorderStyle = bsNone
  end
  object CheckList1: TCheckListBox
    Items.Strings = ('one' 'two')
    AllowGrayed = True
    HeaderColor = clWindowText
    HeaderBackgroundColor = clBtnFace
  end
  object Combo1: TComboBox
    Style = csDropDownList
    Text = 'green'
    Items.Strings = ('red' 'green')
    DropDownCount = 12
    Sorted = True
  end
  object Scroll1: TScrollBar
    Kind = sbVertical
    Position = 70
    Max = 200
    Min = 50
    PageSize = 10
    SmallChange = 5
    LargeChange = 25
    OnChange = Scroll1Change
  end
  object UpDown1: TUpDown
    Position = -3
    Associate = Edit1
    Min = -10
    Max = 10
    Increment = 2
    Orientation = udHorizontal
    Wrap = True
    ArrowKeys = False
    AlignButton = udLeft
  end
  object Edit1: TEdit
    Left = 40
  end
  object Spin1: TSpinEdit
    Value = 40
    MaxValue = 50
    MinValue = 5
    Increment = 5
  end
  object Picker1: TDateTimePicker
    Date = '2024-05-17'
    Time = '07:08:09'
    Kind = dtkTime
    DateMode = dmUpDown
    ShowCheckbox = True
    Format = 'HH:mm'
  end
end
)";

std::wstring Value(TObject* object, const wchar_t* path) {
    return GetPropValue(object, path).value_or(L"<absent>");
}

TEST(ChoiceForm, EveryPropertyReadsBackAsTheFormGaveIt) {
    TfChoiceForm form(nullptr);
    ReadFormText(&form, FormText);
    ASSERT_NE(form.Picker1, nullptr);

    EXPECT_EQ(form.ListBox1->Items()->ToVector(), (std::vector<std::wstring>{L"a", L"b", L"c"}));
    EXPECT_EQ(Value(form.ListBox1, L"ItemIndex"), L"2") << "given before its items";
    for (const auto& [path, value] : std::initializer_list<std::pair<const wchar_t*, const wchar_t*>>{
             {L"Sorted", L"True"}, {L"MultiSelect", L"True"}, {L"Style", L"lbOwnerDrawFixed"},
             {L"ItemHeight", L"20"}, {L"Columns", L"2"}, {L"BorderStyle", L"bsNone"}})
        EXPECT_EQ(Value(form.ListBox1, path), value) << path;

    EXPECT_EQ(Value(form.CheckList1, L"AllowGrayed"), L"True");
    EXPECT_EQ(Value(form.CheckList1, L"HeaderColor"), L"clWindowText");
    EXPECT_EQ(Value(form.CheckList1, L"HeaderBackgroundColor"), L"clBtnFace");

    EXPECT_EQ(Value(form.Combo1, L"Text"), L"green") << "a text naming an item given before the items";
    EXPECT_EQ(Value(form.Combo1, L"ItemIndex"), L"0") << "sorted: green before red";
    EXPECT_EQ(Value(form.Combo1, L"Style"), L"csDropDownList");
    EXPECT_EQ(Value(form.Combo1, L"DropDownCount"), L"12");

    EXPECT_EQ(Value(form.Scroll1, L"Kind"), L"sbVertical") << "what the skin engine reads";
    EXPECT_EQ(Value(form.Scroll1, L"Min"), L"50") << "Max and Min in either order";
    EXPECT_EQ(Value(form.Scroll1, L"Max"), L"200");
    EXPECT_EQ(Value(form.Scroll1, L"Position"), L"70");
    EXPECT_EQ(Value(form.Scroll1, L"PageSize"), L"10");
    EXPECT_EQ(Value(form.Scroll1, L"SmallChange"), L"5");
    EXPECT_EQ(Value(form.Scroll1, L"LargeChange"), L"25");
    EXPECT_EQ(form.Scrolls, 0) << "reading raises no OnChange";
    form.Scroll1->SetPosition(80);
    EXPECT_EQ(form.Scrolls, 1) << "the event is bound";

    EXPECT_EQ(GetObjectProp(form.UpDown1, L"Associate"), form.Edit1) << "a reference written before its target";
    for (const auto& [path, value] : std::initializer_list<std::pair<const wchar_t*, const wchar_t*>>{
             {L"Min", L"-10"}, {L"Max", L"10"}, {L"Position", L"-3"}, {L"Increment", L"2"},
             {L"Orientation", L"udHorizontal"}, {L"Wrap", L"True"}, {L"ArrowKeys", L"False"},
             {L"AlignButton", L"udLeft"}})
        EXPECT_EQ(Value(form.UpDown1, path), value) << path;

    EXPECT_EQ(Value(form.Spin1, L"Value"), L"40") << "a value given before its range";
    EXPECT_EQ(Value(form.Spin1, L"MinValue"), L"5");
    EXPECT_EQ(Value(form.Spin1, L"MaxValue"), L"50");
    EXPECT_EQ(Value(form.Spin1, L"Increment"), L"5");

    EXPECT_EQ(Value(form.Picker1, L"Date"), L"2024-05-17");
    EXPECT_EQ(Value(form.Picker1, L"Time"), L"07:08:09");
    EXPECT_EQ(GetOrdProp(form.Picker1, L"Kind"), 1) << "the skin engine reads the kind as 1";
    EXPECT_EQ(GetOrdProp(form.Picker1, L"DateMode"), 1);
    EXPECT_EQ(Value(form.Picker1, L"ShowCheckbox"), L"True");
    EXPECT_EQ(Value(form.Picker1, L"Format"), L"HH:mm");

    // The same values in the windows made from them.
    form.HandleNeeded();
    EXPECT_EQ(SendMessageW(form.Combo1->Handle(), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(form.Edit1->Text(), L"-3");
    EXPECT_EQ(form.Picker1->DateTime().ToIso(), L"2024-05-17T07:08:09");
    EXPECT_EQ(form.ListBox1->ItemIndex(), 2);
}

TEST(ChoiceForm, ABadValueIsRefusedWithItsLine) {
    TfChoiceForm form(nullptr);
    try {
        ReadFormText(&form, "object fChoiceForm: TfChoiceForm\n  object Picker1: TDateTimePicker\n"
                            "    Date = '2024-02-30'\n  end\nend\n");
        FAIL() << "a date that does not exist was taken";
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message().find(L"Line 3"), std::wstring::npos) << e.what();
    }
    EXPECT_THROW(ReadFormText(&form, "object fChoiceForm: TfChoiceForm\n  object Combo1: TComboBox\n"
                                     "    Style = csDropDownListe\n  end\nend\n"),
                 EReadError);
}

} // namespace
} // namespace orvo

// Rich edits under Wine: the platform's class found and loaded, Lines editing paragraphs at the
// positions the control counts (a paragraph break is one character there, two in WM_GETTEXT),
// the selection across breaks, formatted content kept across window re-creation, plain-text mode,
// properties stored in forms, OnChange from typing and not from restoring, and no handles left
// behind.
#include "framework/base/prop_access.h"
#include "framework/controls/rich_edit.h"
#include "framework/forms/form_reader.h"
#include "tests/framework/controls/list_controls_support.h"

#include <gtest/gtest.h>

#include <richedit.h>

#include <string>
#include <vector>

namespace orvo {
namespace {

TRichEdit* AddRichEdit(TForm& form) {
    auto* edit = new TRichEdit(&form);
    edit->SetParent(&form);
    edit->SetBounds(10, 10, 300, 160);
    return edit;
}

bool SelectionIsBold(TRichEdit& edit) {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    SendMessageW(edit.Handle(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return (format.dwMask & CFM_BOLD) && (format.dwEffects & CFE_BOLD);
}

TEST(RichEdit, ThePlatformsRichEditClassIsFoundAndCarriesTheFrameworksName) {
    TForm form(nullptr);
    TRichEdit* edit = AddRichEdit(form);
    const std::wstring native = TCustomRichEdit::NativeClassName();
    EXPECT_TRUE(native == L"RICHEDIT50W" || native == L"RichEdit20W") << native;
    wchar_t name[64]{};
    GetClassNameW(edit->Handle(), name, 64);
    EXPECT_STREQ(name, L"TRichEdit");
    EXPECT_NE(SendMessageW(edit->Handle(), EM_GETTEXTMODE, 0, 0) & TM_RICHTEXT, 0);
    RecordProperty("NativeClass", std::string(native.begin(), native.end()));
}

TEST(RichEdit, LinesEditParagraphsAtTheControlsOwnPositions) {
    TForm form(nullptr);
    TRichEdit* edit = AddRichEdit(form);
    edit->HandleNeeded();
    TStrings& lines = *edit->Lines();
    lines.Add(L"one");
    lines.Add(L"two");
    lines.Add(L"three");
    ASSERT_EQ(lines.Count(), 3);
    // Past the first break the control counts one character less than its CR LF text shows:
    // an edit placed by the wrong count lands one character early per break.
    lines.Insert(2, L"two and a half");
    lines.Put(3, L"THREE");
    lines.Delete(0);
    EXPECT_EQ(lines.ToVector(), (std::vector<std::wstring>{L"two", L"two and a half", L"THREE"}));
    EXPECT_EQ(edit->ControlText(), L"two\rtwo and a half\rTHREE\r");

    // The selection counts the same way.
    edit->SetSelStart(4);
    edit->SetSelLength(14);
    EXPECT_EQ(edit->SelText(), L"two and a half");
    edit->SetSelText(L"2.5");
    EXPECT_EQ(lines.Get(1), L"2.5");

    // Long texts: the control's default limit of 32 K characters is lifted.
    std::wstring text;
    while (text.size() < 40000)
        text += L"words and more words ";
    edit->SetText(text);
    EXPECT_EQ(edit->ControlText().size(), text.size());
}

TEST(RichEdit, ReCreatingTheWindowKeepsTheFormattingAndPlainTextKeepsRtfLiteral) {
    TForm form(nullptr);
    TRichEdit* edit = AddRichEdit(form);
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->SetRtfText(L"{\\rtf1\\ansi plain {\\b bold} \\u20013?}");
    EXPECT_EQ(edit->Lines()->Get(0), L"plain bold \u4E2D") << "non-ASCII text through \\u escapes";
    edit->SetSelStart(6);
    edit->SetSelLength(4);
    ASSERT_TRUE(SelectionIsBold(*edit));

    changes = 0;
    HWND before = edit->Handle();
    edit->SetScrollBars(ssVertical);
    ASSERT_NE(edit->Handle(), before);
    EXPECT_EQ(edit->Lines()->Get(0), L"plain bold \u4E2D");
    edit->SetSelStart(6);
    edit->SetSelLength(4);
    EXPECT_TRUE(SelectionIsBold(*edit)) << "the formatting came along";
    EXPECT_EQ(changes, 0) << "restoring the content is no change";
    EXPECT_NE(edit->RtfText().find(L"\\b"), std::wstring::npos);

    edit->SetPlainText(true);
    EXPECT_EQ(edit->Lines()->Get(0), L"plain bold \u4E2D") << "the text stays, the formatting goes";
    EXPECT_EQ(SendMessageW(edit->Handle(), EM_GETTEXTMODE, 0, 0) & TM_PLAINTEXT, TM_PLAINTEXT);
    edit->Lines()->SetText(L"{\\rtf1 not formatted}");
    EXPECT_EQ(edit->Lines()->Get(0), L"{\\rtf1 not formatted}");
}

TEST(RichEdit, StoredPropertiesReachTheWindowAndTypingRaisesOnChange) {
    test::TShownForm shown;
    ReadFormText(&shown.Form, R"(object f: TForm
  object Rich1: TRichEdit
    Left = 8
    Top = 8
    Width = 300
    Height = 150
    ScrollBars = ssVertical
    WordWrap = False
    WantTabs = True
    Lines.Strings = (
      '第一行'
      'second')
  end
end
)");
    auto* edit = dynamic_cast<TRichEdit*>(shown.Form.FindComponent(L"Rich1"));
    ASSERT_NE(edit, nullptr);
    int changes = 0;
    std::vector<int> selections;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->OnSelectionChange = [&](TObject*) { selections.push_back(edit->SelStart()); };
    test::Pump(30);
    EXPECT_EQ(edit->Lines()->ToVector(), (std::vector<std::wstring>{L"第一行", L"second"}));
    EXPECT_EQ(GetPropValue(edit, L"ScrollBars"), L"ssVertical");
    EXPECT_EQ(GetPropValue(edit, L"WordWrap"), L"False");
    EXPECT_EQ(GetPropValue(edit, L"PlainText"), L"False");
    const LONG_PTR style = GetWindowLongPtrW(edit->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_TRUE(style & ES_AUTOHSCROLL) << "no wrapping";
    EXPECT_FALSE(style & WS_HSCROLL);
    EXPECT_EQ(changes, 0);

    edit->SetFocus();
    edit->SetSelStart(3);
    selections.clear();
    test::PressKey('X');
    test::PressKey(VK_TAB);
    EXPECT_EQ(edit->Lines()->Get(0), L"第一行x\t") << "Tab types into the control (WantTabs)";
    EXPECT_EQ(changes, 2);
    EXPECT_FALSE(selections.empty());
    EXPECT_EQ(selections.back(), 5);

    edit->SetReadOnly(true);
    test::PressKey('Y');
    EXPECT_EQ(edit->Lines()->Get(0), L"第一行x\t");
}

TEST(RichEdit, CreatingAndFreeingRichEditsLeavesNoHandles) {
    TForm form(nullptr);
    form.HandleNeeded();
    const auto cycle = [&] {
        TRichEdit* edit = AddRichEdit(form);
        edit->SetRtfText(L"{\\rtf1 {\\b a} b}");
        edit->SetWordWrap(false); // one re-creation
        UpdateWindow(edit->Handle());
        delete edit;
    };
    test::ExpectNoHandlesLeftBy(cycle);
}

} // namespace
} // namespace orvo

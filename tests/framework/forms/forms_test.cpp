// Stored forms: every kind of value, nesting and parent components, forward references, events
// bound by name (and refused on a signature mismatch), published fields, component states and
// Loaded order, errors that name their line, and forms compiled into the test as resources.
#include "framework/base/exceptions.h"
#include "framework/forms/form_parser.h"
#include "framework/forms/form_reader.h"
#include "framework/base/properties.h"
#include "framework/base/string_list.h"
#include "framework/base/streams.h"
#include "framework/base/sysutils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvo {
namespace {

std::vector<std::wstring> Events; // Loaded calls and states seen, in order

enum TFormBorder : std::uint8_t { fbNone, fbSingle, fbSizeable };
const TEnumType& FormBorderType() {
    static const TEnumType type(L"TFormBorder", {L"fbNone", L"fbSingle", L"fbSizeable"});
    return type;
}
enum TFormOption : std::uint8_t { foA, foB, foC, foD };
const TEnumType& FormOptionType() {
    static const TEnumType type(L"TFormOption", {L"foA", L"foB", L"foC", L"foD"});
    return type;
}
const TIntegerType& ShadeType() {
    static const TIntegerType type(L"TShade", {{-16777201, L"clBtnFace"}, {0xFF0000, L"clBlue"}});
    return type;
}

class TFormFont : public TPersistent {
    ORVO_CLASS(TFormFont, TPersistent)
public:
    int Height = 0;
    std::wstring Name;
    static void Publish(TPublisher<TFormFont>& p) {
        p.Integer(L"Height", &TFormFont::Height, &TFormFont::Height);
        p.String(L"Name", &TFormFont::Name, &TFormFont::Name);
    }
};
ORVO_IMPLEMENT_CLASS(TFormFont);

// A component that remembers its parent component, its Loaded call and the state at a write.
class TFormItem : public TComponent {
    ORVO_CLASS(TFormItem, TComponent)
public:
    using TComponent::TComponent;
    TComponent* ParentComponent = nullptr;
    std::wstring Caption;
    std::int32_t Left = 0;
    std::int32_t Shade = 0;
    TFormFont Font;
    TNotifyEvent OnClick;
    std::function<void(TObject*, wchar_t&)> OnKeyPress;
    TComponentState StateAtCaption;

    void SetParentComponent(TComponent* parent) override { ParentComponent = parent; }
    TComponent* GetParentComponent() const override { return ParentComponent; }
    void Loaded() override {
        Events.push_back(L"Loaded " + Name() + (ComponentState().Contains(csReading) ? L" reading" : L""));
        inherited::Loaded();
    }
    void SetCaption(const std::wstring& caption) {
        Caption = caption;
        StateAtCaption = ComponentState();
    }
    static void Publish(TPublisher<TFormItem>& p) {
        p.String(L"Caption", &TFormItem::Caption, &TFormItem::SetCaption);
        p.Integer(L"Left", &TFormItem::Left, &TFormItem::Left);
        p.Integer(L"Shade", ShadeType(), &TFormItem::Shade, &TFormItem::Shade);
        p.Object(L"Font", [](TFormItem& i) { return &i.Font; });
        p.Event(L"OnClick", &TFormItem::OnClick);
        p.Event(L"OnKeyPress", &TFormItem::OnKeyPress);
        p.Integer(L"Width", [](TFormItem&) { return 0; });
    }
};
ORVO_IMPLEMENT_CLASS(TFormItem);

class TFormMenu : public TFormItem {
    ORVO_CLASS(TFormMenu, TFormItem)
public:
    using TFormItem::TFormItem;
};
ORVO_IMPLEMENT_CLASS(TFormMenu);

class TFormData : public TFormItem {
    ORVO_CLASS(TFormData, TFormItem)
public:
    using TFormItem::TFormItem;
    TSet<TFormOption> Options;
    TStringList Items;
    std::vector<std::uint8_t> Blob;
    bool Active = false;
    void ReadBlob(TStream& s) {
        Blob.resize(static_cast<std::size_t>(s.Size()));
        s.ReadBuffer(Blob.data(), s.Size());
    }
    void WriteBlob(TStream& s) { s.WriteBuffer(Blob.data(), static_cast<std::int64_t>(Blob.size())); }
    static void Publish(TPublisher<TFormData>& p) {
        p.Set(L"Options", FormOptionType(), &TFormData::Options, &TFormData::Options);
        p.Object(L"Items", [](TFormData& d) { return static_cast<TStrings*>(&d.Items); });
        p.Binary(L"Blob", &TFormData::ReadBlob, &TFormData::WriteBlob);
        p.Boolean(L"Active", &TFormData::Active, &TFormData::Active);
    }
};
ORVO_IMPLEMENT_CLASS(TFormData);

class TfTestForm : public TFormItem {
    ORVO_CLASS(TfTestForm, TFormItem)
public:
    using TFormItem::TFormItem;
    TFormBorder Border = fbSizeable;
    TFormMenu* Menu = nullptr;
    TFormItem* btnOk = nullptr;
    TFormData* Data1 = nullptr;
    TFormMenu* N6 = nullptr;
    TNotifyEvent OnCreate;
    int Clicks = 0;
    std::wstring Keys;
    void btnOkClick(TObject*) { ++Clicks; }
    void FormCreate(TObject*) {}
    void EditKeyPress(TObject*, wchar_t& key) {
        Keys += key;
        key = 0;
    }
    static void Publish(TPublisher<TfTestForm>& p) {
        p.Enum(L"Border", FormBorderType(), &TfTestForm::Border, &TfTestForm::Border);
        p.Object(L"Menu", &TfTestForm::Menu, &TfTestForm::Menu);
        p.Event(L"OnCreate", &TfTestForm::OnCreate);
        p.Field(L"btnOk", &TfTestForm::btnOk);
        p.Field(L"Data1", &TfTestForm::Data1);
        p.Field(L"N6", &TfTestForm::N6);
        p.Method(L"btnOkClick", &TfTestForm::btnOkClick);
        p.Method(L"FormCreate", &TfTestForm::FormCreate);
        p.Method(L"EditKeyPress", &TfTestForm::EditKeyPress);
    }
};
ORVO_IMPLEMENT_CLASS(TfTestForm);

const char* const FullForm = R"(object fTest: TfTestForm
  Left = -12
  Tag = $7FFFFFFF
  Border = fbSingle
  Caption = 'Orvo大文件分割机'
  Shade = clBtnFace
  Font.Height = -12
  Font.Name = '宋体'
  Menu = MainMenu1
  OnCreate = FormCreate
  object Group1: TFormItem
    Left = 9
    Caption = 'It''s'#13#10'two lines' +
      ' and more'#$4E2D
    object btnOk: TFormItem
      Caption = '浏览'
      OnClick = btnOkClick
      OnKeyPress = EditKeyPress
    end
  end
  object Data1: TFormData
    Options = [foA, foD]
    Active = True
    Items.Strings = (
      ''
      'TCategoryButtons=scrollbar'
      'x=' + 'y')
    Blob = {
      0A000000AB12
      ff00}
  end
  object MainMenu1: TFormMenu
    object N1: TFormMenu
      Caption = '文件'
      object N6: TFormMenu
        OnClick = btnOkClick
      end
    end
  end
end
)";

class FormsTest : public ::testing::Test {
protected:
    void SetUp() override { Events.clear(); }
};

TEST_F(FormsTest, ReadsEveryValueKindNestingAndReferences) {
    TfTestForm form(nullptr);
    ReadFormText(&form, FullForm);

    EXPECT_EQ(form.Name(), L"fTest");
    EXPECT_EQ(form.Left, -12);
    EXPECT_EQ(form.Tag(), 0x7FFFFFFF);
    EXPECT_EQ(form.Border, fbSingle);
    EXPECT_EQ(form.Caption, L"Orvo大文件分割机");
    EXPECT_EQ(form.Shade, -16777201);
    EXPECT_EQ(form.Font.Height, -12);
    EXPECT_EQ(form.Font.Name, L"宋体");
    ASSERT_EQ(form.ComponentCount(), 6);

    auto* group = dynamic_cast<TFormItem*>(form.FindComponent(L"Group1"));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->Owner(), &form);
    EXPECT_EQ(group->ParentComponent, &form);
    EXPECT_EQ(group->Caption, L"It's\r\ntwo lines and more中");

    ASSERT_NE(form.btnOk, nullptr) << "field wired";
    EXPECT_EQ(form.btnOk->ParentComponent, group);
    EXPECT_EQ(form.btnOk->Owner(), &form) << "nested objects are owned by the root";
    ASSERT_TRUE(form.btnOk->OnClick);
    form.btnOk->OnClick(form.btnOk);
    EXPECT_EQ(form.Clicks, 1) << "event bound to the root's method";
    wchar_t key = L'q';
    form.btnOk->OnKeyPress(form.btnOk, key);
    EXPECT_EQ(form.Keys, L"q");
    EXPECT_EQ(key, 0) << "by-reference arguments reach the method";

    ASSERT_NE(form.Data1, nullptr);
    EXPECT_EQ(form.Data1->Options, (TSet<TFormOption>{foA, foD}));
    EXPECT_TRUE(form.Data1->Active);
    EXPECT_EQ(form.Data1->Items.ToVector(),
              (std::vector<std::wstring>{L"", L"TCategoryButtons=scrollbar", L"x=y"}));
    EXPECT_EQ(form.Data1->Items.Values(L"TCategoryButtons"), L"scrollbar");
    EXPECT_EQ(form.Data1->Blob, (std::vector<std::uint8_t>{0x0A, 0, 0, 0, 0xAB, 0x12, 0xFF, 0x00}));

    ASSERT_NE(form.Menu, nullptr) << "forward reference resolved";
    EXPECT_EQ(form.Menu->Name(), L"MainMenu1");
    ASSERT_NE(form.N6, nullptr);
    EXPECT_EQ(form.N6->ParentComponent, form.FindComponent(L"N1"));
    EXPECT_TRUE(form.OnCreate);

    // Loaded in text order, the root last, with csReading already cleared.
    EXPECT_EQ(Events,
              (std::vector<std::wstring>{L"Loaded Group1", L"Loaded btnOk", L"Loaded Data1",
                                         L"Loaded MainMenu1", L"Loaded N1", L"Loaded N6", L"Loaded fTest"}));
    EXPECT_TRUE(form.btnOk->StateAtCaption.Contains(csLoading));
    EXPECT_TRUE(form.btnOk->StateAtCaption.Contains(csReading));
    EXPECT_TRUE(form.StateAtCaption.Contains(csReading));
    for (int i = 0; i < form.ComponentCount(); ++i)
        EXPECT_TRUE(form.Components(i)->ComponentState().Empty()) << i;
    EXPECT_TRUE(form.ComponentState().Empty());
}

struct TBadForm {
    const char* Text;
    const char* Expected; // a part of the message
};

TEST_F(FormsTest, ErrorsNameTheLineAndTheProperty) {
    const TBadForm cases[] = {
        {"object f: TfTestForm\n  Nope = 1\nend",
         "Line 2: f.Nope: property Nope does not exist in TfTestForm"},
        {"object f: TfTestForm\n object b: TNoClass\n end\nend", "Line 2: Class TNoClass not found"},
        {"object f: TfTestForm\n object b: TFormFont\n end\nend",
         "Line 2: class TFormFont cannot be created"},
        {"object f: TfTestForm\n  Border = fbRound\nend",
         "Line 2: f.Border: 'fbRound' is not a member of TFormBorder"},
        {"object f: TfTestForm\n  Shade = clPink\nend",
         "Line 2: f.Shade: 'clPink' is not a valid TShade value"},
        {"object f: TfTestForm\n  Left = clBtnFace\nend", "'clBtnFace' is not a valid Integer value"},
        {"object f: TfTestForm\n  Left = 'x'\nend", "Line 2: f.Left: an identifier is expected"},
        {"object f: TfTestForm\n  Caption = 3\nend", "Line 2: f.Caption: a string is expected"},
        {"object f: TfTestForm\n  Caption 'x'\nend", "Line 2: expected '=' after Caption"},
        {"object f: TfTestForm\n  Caption = 'x\nend", "Line 2: unterminated string"},
        {"object f: TfTestForm\n  Caption = 'x'", "missing 'end' of the object f begun on line 1"},
        {"object f: TfTestForm\n  OnCreate = NoSuchMethod\nend",
         "Line 2: f.OnCreate: method NoSuchMethod is not published"},
        {"object f: TfTestForm\n  OnCreate = EditKeyPress\nend",
         "Line 2: f.OnCreate: method EditKeyPress is void (orvo::TObject*, wchar_t&) but the event is void "
         "(orvo::TObject*)"},
        {"object f: TfTestForm\n\n  Menu = Missing1\nend", "Line 3: f.Menu: component Missing1 not found"},
        {"object f: TfTestForm\n  Menu = x\n object x: TFormItem\n end\nend",
         "Line 2: f.Menu: x is a TFormItem, not a TFormMenu"},
        {"object f: TfTestForm\n  Width = 3\nend", "Line 2: f.Width: property is read-only"},
        {"object f: TfTestForm\n object d: TFormData\n  Blob = {0A0}\n end\nend",
         "Line 3: odd number of hexadecimal digits"},
        {"object f: TfTestForm\n  Left = 1.5\nend", "Line 2: floating-point values are not supported"},
        {"object f: TfTestForm\n  Left = 99999999999\nend", "Line 2: integer out of range"},
        {"object f: TfTestForm\nend\nend", "Line 3: text after the final 'end'"},
        {"object f: TOtherForm\nend", "Line 1: the stored form describes a TOtherForm, not a TfTestForm"},
        {"object f: TfTestForm\n object a: TFormItem\n end\n object A: TFormItem\n end\nend",
         "Line 4: A component named A already exists"},
        {"object f: TfTestForm\n object d: TFormData\n  Options = [foA, foZ]\n end\nend",
         "'foZ' is not a member of TFormOption"},
        {"object f: TfTestForm\n object d: TFormData\n  Items.Strings = ('a' 1)\n end\nend",
         "Line 3: d.Items.Strings: a string is expected"},
        {"object f: TfTestForm\n  Left.Height = 1\nend", "Line 2: f.Left.Height: Left holds no object"},
        {"object f: TfTestForm\n  Caption = #70000\nend", "Line 2: character code out of range"},
        {"object f: TfTestForm\n  Caption = '\xff'\nend", "Line 2: the string is not valid UTF-8"},
        {"object f: TfTestForm\n object N6: TFormItem\n end\nend",
         "Field N6 of TfTestForm is a TFormMenu but the component is a TFormItem"},
    };
    for (const TBadForm& c : cases) {
        TfTestForm form(nullptr);
        try {
            ReadFormText(&form, c.Text);
            ADD_FAILURE() << "accepted: " << c.Text;
        } catch (const EReadError& e) {
            EXPECT_NE(e.Message().find(Utf8Decode(c.Expected)), std::wstring::npos)
                << "got: " << e.what() << "\nwanted: " << c.Expected;
        }
    }
}

TEST_F(FormsTest, FailedReadFreesWhatItCreated) {
    TfTestForm form(nullptr);
    auto* existing = new TFormItem(&form);
    existing->SetName(L"Existing");
    EXPECT_THROW(ReadFormText(&form,
                              "object f: TfTestForm\n object a: TFormItem\n end\n object btnOk: TFormItem\n"
                              "  Menu = nil\n end\nend"),
                 EReadError);
    EXPECT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(form.btnOk, nullptr) << "the field of a freed component is cleared";
    EXPECT_TRUE(form.ComponentState().Empty());
    EXPECT_TRUE(Events.empty()) << "no Loaded after a failed read";
}

TEST_F(FormsTest, HostileTextIsRefusedCleanly) {
    std::string deep = "object f: TfTestForm\n";
    for (int i = 0; i < 200; ++i)
        deep += "object x: TFormItem\n";
    TfTestForm form(nullptr);
    EXPECT_THROW(ReadFormText(&form, deep), EReadError);
    for (const char* text :
         {"", "object", "object f:", "object f: TfTestForm\n Caption = 'a' +", "object f: TfTestForm\n a = (",
          "object f: TfTestForm\n a = [a,", "object f: TfTestForm\n a = {", "object f: TfTestForm\n a = #",
          "object f: TfTestForm\n a = $", "object f: TfTestForm\n a = -", "object f: TfTestForm\n a = <"})
        EXPECT_THROW(ParseForm(text), EReadError) << text;
}

TEST_F(FormsTest, LargeBinaryDataIsDecodedExactly) {
    std::string text = "object f: TfTestForm\n object Data1: TFormData\n  Blob = {";
    std::vector<std::uint8_t> expected(70000);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        expected[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
        static const char hex[] = "0123456789ABCDEF";
        if (i % 32 == 0) text += "\n    ";
        text += hex[expected[i] >> 4];
        text += hex[expected[i] & 15];
    }
    text += "}\n  Left = 5\n end\nend";
    TfTestForm form(nullptr);
    ReadFormText(&form, text);
    ASSERT_NE(form.Data1, nullptr);
    EXPECT_EQ(form.Data1->Blob, expected);
    EXPECT_EQ(form.Data1->Left, 5);
}

TEST_F(FormsTest, ReadsTheFormCompiledIntoTheProgram) {
    TfTestForm form(nullptr);
    ASSERT_TRUE(ReadComponentRes(&form));
    EXPECT_EQ(form.Caption, L"Orvo大文件分割机");
    ASSERT_NE(form.btnOk, nullptr);
    EXPECT_EQ(form.btnOk->Caption, L"浏览");
    EXPECT_EQ(FormResourceName(TfTestForm::StaticClass()), L"TFTESTFORM");

    TfTestForm copy(nullptr);
    TResourceStream named(nullptr, L"SECONDCOPY");
    ReadFormStream(&copy, named);
    EXPECT_EQ(copy.Caption, form.Caption);

    TFormItem noForm(nullptr);
    EXPECT_FALSE(ReadComponentRes(&noForm)) << "no TFORMITEM resource";
}

} // namespace
} // namespace orvo

// Property tables by name: inheritance over three levels, re-publishing, every kind read and
// written by name, and "absent" answers for null objects and unknown properties.
// windows.h first: no framework name may collide with its A/W macros.
#include <windows.h>

#include "framework/base/exceptions.h"
#include "framework/base/prop_access.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

enum TTestAlign : std::uint8_t { alNone, alTop, alBottom, alClient };
const TEnumType& TestAlignType() {
    static const TEnumType type(L"TTestAlign", {L"alNone", L"alTop", L"alBottom", L"alClient"});
    return type;
}
enum TTestOption : std::uint8_t { toFirst, toSecond, toThird };
using TTestOptions = TSet<TTestOption>;
const TEnumType& TestOptionType() {
    static const TEnumType type(L"TTestOption", {L"toFirst", L"toSecond", L"toThird"});
    return type;
}
const TIntegerType& TestColorType() {
    static const TIntegerType type(L"TTestColor", {{-16777201, L"clBtnFace"}, {0xFF0000, L"clBlue"}});
    return type;
}

class TTestFont : public TPersistent {
    ORVO_CLASS(TTestFont, TPersistent)
public:
    int Height = 0;
    std::wstring Name;
    static void Publish(TPublisher<TTestFont>& p) {
        p.Integer(L"Height", &TTestFont::Height, &TTestFont::Height);
        p.String(L"Name", &TTestFont::Name, &TTestFont::Name);
    }
    void Assign(TPersistent* source) override {
        if (auto* f = dynamic_cast<TTestFont*>(source)) {
            Height = f->Height;
            Name = f->Name;
            return;
        }
        inherited::Assign(source);
    }
};
ORVO_IMPLEMENT_CLASS(TTestFont);

class TTestBase : public TComponent {
    ORVO_CLASS(TTestBase, TComponent)
public:
    using TComponent::TComponent;
    int Left() const { return FLeft; }
    void SetLeft(int v) { FLeft = v; }
    bool Visible = true;
    TTestAlign Align = alNone;
    std::wstring Caption;
    std::int32_t Color = 0;
    static void Publish(TPublisher<TTestBase>& p) {
        p.Integer(L"Left", &TTestBase::Left, &TTestBase::SetLeft);
        p.Boolean(L"Visible", &TTestBase::Visible, &TTestBase::Visible);
        p.Enum(L"Align", TestAlignType(), &TTestBase::Align, &TTestBase::Align);
        p.String(L"Caption", &TTestBase::Caption, &TTestBase::Caption);
        p.Integer(L"Color", TestColorType(), &TTestBase::Color, &TTestBase::Color);
        p.Integer(L"Width", [](TTestBase& b) { return b.FLeft * 2; }); // read-only
    }

private:
    int FLeft = 0;
};
ORVO_IMPLEMENT_CLASS(TTestBase);

class TTestMiddle : public TTestBase {
    ORVO_CLASS(TTestMiddle, TTestBase)
public:
    using TTestBase::TTestBase;
    TTestOptions Options{toSecond};
    TTestFont Font;
    TTestFont* GetFont() { return &Font; }
    void SetFont(TTestFont* f) { Font.Assign(f); }
    int CaptionWrites = 0;
    static void Publish(TPublisher<TTestMiddle>& p) {
        p.Set(L"Options", TestOptionType(), &TTestMiddle::Options, &TTestMiddle::Options);
        p.Object(L"Font", &TTestMiddle::GetFont, &TTestMiddle::SetFont);
        // Published again: same name, new setter, same place in the order.
        p.String(L"Caption", &TTestMiddle::Caption, [](TTestMiddle& m, const std::wstring& v) {
            m.Caption = L"<" + v + L">";
            ++m.CaptionWrites;
        });
    }
};
ORVO_IMPLEMENT_CLASS(TTestMiddle);

class TTestLeaf : public TTestMiddle {
    ORVO_CLASS(TTestLeaf, TTestMiddle)
public:
    using TTestMiddle::TTestMiddle;
    std::vector<std::wstring> Lines;
    TNotifyEvent OnClick;
    std::function<void(TObject*, wchar_t&)> OnKeyPress;
    TTestBase* Buddy = nullptr;
    static void Publish(TPublisher<TTestLeaf>& p) {
        p.StringList(L"Lines", &TTestLeaf::Lines, &TTestLeaf::Lines);
        p.Event(L"OnClick", &TTestLeaf::OnClick);
        p.Event(L"OnKeyPress", &TTestLeaf::OnKeyPress);
        p.Object(L"Buddy", &TTestLeaf::Buddy, &TTestLeaf::Buddy);
    }
};
ORVO_IMPLEMENT_CLASS(TTestLeaf);

std::vector<std::wstring> Names(const TClassInfo& cls) {
    std::vector<std::wstring> names;
    for (const TPropInfo* p : cls.Properties().Props())
        names.push_back(p->Name);
    return names;
}

TEST(PropertyTables, InheritanceAndRepublishing) {
    EXPECT_EQ(Names(TTestBase::StaticClass()),
              (std::vector<std::wstring>{L"Name", L"Tag", L"Left", L"Visible", L"Align", L"Caption", L"Color",
                                         L"Width"}));
    const auto leaf = Names(TTestLeaf::StaticClass());
    ASSERT_EQ(leaf.size(), 14u);
    EXPECT_EQ(leaf[5], L"Caption"); // re-published in place, not appended
    EXPECT_EQ(leaf.back(), L"Buddy");

    TTestLeaf leafObj(nullptr);
    TTestBase baseObj(nullptr);
    ASSERT_TRUE(SetStrProp(&leafObj, L"Caption", L"x"));
    EXPECT_EQ(leafObj.Caption, L"<x>");
    ASSERT_TRUE(SetStrProp(&baseObj, L"caption", L"x")); // names are case-insensitive
    EXPECT_EQ(baseObj.Caption, L"x");
    EXPECT_EQ(TTestMiddle::StaticClass().Properties().FindProp(L"Lines"), nullptr);
    EXPECT_TRUE(TTestLeaf::StaticClass().InheritsFrom(TComponent::StaticClass()));
    EXPECT_FALSE(TTestBase::StaticClass().InheritsFrom(TTestLeaf::StaticClass()));
    EXPECT_EQ(leafObj.ClassName(), L"TTestLeaf");
    EXPECT_EQ(leafObj.ClassParent(), &TTestMiddle::StaticClass());
}

TEST(PropertyAccess, OrdinalEnumBoolSetAndIdentifiers) {
    TTestLeaf o(nullptr);
    EXPECT_TRUE(SetOrdProp(&o, L"Left", -42));
    EXPECT_EQ(GetOrdProp(&o, L"Left"), -42);
    EXPECT_EQ(GetOrdProp(&o, L"Width"), -84);
    EXPECT_FALSE(SetOrdProp(&o, L"Width", 1)) << "read-only";

    EXPECT_EQ(GetEnumProp(&o, L"Visible"), L"True");
    EXPECT_TRUE(SetEnumProp(&o, L"Visible", L"false"));
    EXPECT_FALSE(o.Visible);
    EXPECT_EQ(GetBoolProp(&o, L"Visible"), false);
    EXPECT_EQ(GetBoolProp(&o, L"Align"), std::nullopt) << "not a Boolean";
    EXPECT_TRUE(SetEnumProp(&o, L"Align", L"alClient"));
    EXPECT_EQ(o.Align, alClient);
    EXPECT_FALSE(SetEnumProp(&o, L"Align", L"alLeft"));
    EXPECT_EQ(o.Align, alClient);
    EXPECT_FALSE(SetEnumProp(&o, L"Left", L"alTop")) << "kind mismatch";

    EXPECT_EQ(GetSetProp(&o, L"Options"), L"[toSecond]");
    EXPECT_TRUE(SetSetProp(&o, L"Options", L"[toFirst, toThird]"));
    EXPECT_EQ(o.Options, (TTestOptions{toFirst, toThird}));
    EXPECT_EQ(GetOrdProp(&o, L"Options"), 5);
    EXPECT_FALSE(SetSetProp(&o, L"Options", L"[toFirst, toFourth]"));
    EXPECT_TRUE(SetSetProp(&o, L"Options", L"[]"));
    EXPECT_TRUE(o.Options.Empty());

    EXPECT_TRUE(SetPropValue(&o, L"Color", L"clBtnFace"));
    EXPECT_EQ(o.Color, -16777201);
    EXPECT_EQ(GetPropValue(&o, L"Color"), L"clBtnFace");
    EXPECT_TRUE(SetPropValue(&o, L"Color", L"$00FF0000"));
    EXPECT_EQ(GetPropValue(&o, L"Color"), L"clBlue");
    EXPECT_TRUE(SetPropValue(&o, L"Color", L"12"));
    EXPECT_EQ(GetPropValue(&o, L"Color"), L"12");
    EXPECT_FALSE(SetPropValue(&o, L"Left", L"clBtnFace")) << "Left has no identifiers";
    EXPECT_FALSE(SetPropValue(&o, L"Left", L"12a"));
    EXPECT_TRUE(SetPropValue(&o, L"Visible", L"TRUE"));
    EXPECT_TRUE(o.Visible);
    EXPECT_EQ(GetPropValue(&o, L"Align"), L"alClient");
}

TEST(PropertyAccess, StringsObjectsNestedPathsAndLists) {
    TTestLeaf o(nullptr);
    EXPECT_TRUE(SetOrdProp(&o, L"Font.Height", -12));
    EXPECT_TRUE(SetStrProp(&o, L"Font.Name", L"宋体"));
    EXPECT_EQ(o.Font.Height, -12);
    EXPECT_EQ(GetStrProp(&o, L"Font.Name"), L"宋体");
    EXPECT_EQ(GetObjectProp<TTestFont>(&o, L"Font"), &o.Font);
    EXPECT_EQ(GetOrdProp(&o, L"Font.Missing"), std::nullopt);
    EXPECT_EQ(GetOrdProp(&o, L"Left.Height"), std::nullopt) << "Left holds no object";

    TTestFont other;
    other.Height = 20;
    EXPECT_TRUE(SetObjectProp(&o, L"Font", &other));
    EXPECT_EQ(o.Font.Height, 20) << "setter assigns";
    TTestBase wrongClass(nullptr);
    EXPECT_FALSE(SetObjectProp(&o, L"Font", &wrongClass));

    EXPECT_EQ(GetObjectProp(&o, L"Buddy"), nullptr);
    EXPECT_TRUE(SetObjectProp(&o, L"Buddy", &wrongClass)); // TTestBase is what Buddy takes
    EXPECT_EQ(o.Buddy, &wrongClass);
    TTestLeaf descendant(nullptr);
    EXPECT_TRUE(SetObjectProp(&o, L"Buddy", &descendant));
    EXPECT_TRUE(SetObjectProp(&o, L"Buddy", nullptr));
    EXPECT_EQ(o.Buddy, nullptr);

    EXPECT_TRUE(SetStringListProp(&o, L"Lines", {L"a", L""}));
    EXPECT_EQ(GetStringListProp(&o, L"Lines"), (std::vector<std::wstring>{L"a", L""}));
}

TEST(PropertyAccess, EventsCheckTheirSignature) {
    TTestLeaf o(nullptr);
    TObject* seen = nullptr;
    EXPECT_TRUE(SetMethodProp(&o, L"OnClick", std::any(TNotifyEvent([&](TObject* s) { seen = s; }))));
    o.OnClick(&o);
    EXPECT_EQ(seen, &o);
    EXPECT_FALSE(SetMethodProp(&o, L"OnKeyPress", std::any(TNotifyEvent([](TObject*) {}))));
    EXPECT_FALSE(o.OnKeyPress);
    auto handler = GetMethodProp(&o, L"OnClick");
    ASSERT_TRUE(handler);
    EXPECT_TRUE(std::any_cast<TNotifyEvent>(*handler));
    EXPECT_TRUE(SetMethodProp(&o, L"OnClick", std::any()));
    EXPECT_FALSE(o.OnClick);
}

TEST(PropertyAccess, AbsentAnswersNeverThrow) {
    TTestBase o(nullptr);
    TObject* none = nullptr;
    EXPECT_EQ(GetOrdProp(none, L"Left"), std::nullopt);
    EXPECT_EQ(GetStrProp(none, L"Caption"), std::nullopt);
    EXPECT_EQ(GetObjectProp(none, L"Font"), nullptr);
    EXPECT_FALSE(SetOrdProp(none, L"Left", 1));
    EXPECT_FALSE(SetPropValue(none, L"Left", L"1"));
    EXPECT_EQ(GetOrdProp(&o, L"Nope"), std::nullopt);
    EXPECT_EQ(GetEnumProp(&o, L"Nope"), std::nullopt);
    EXPECT_EQ(GetSetProp(&o, L"Nope"), std::nullopt);
    EXPECT_EQ(GetStrProp(&o, L"Left"), std::nullopt) << "kind mismatch";
    EXPECT_EQ(GetPropValue(&o, L""), std::nullopt);
    EXPECT_FALSE(SetStrProp(&o, L"Font.Name", L"x")) << "TTestBase has no Font";
    EXPECT_FALSE(SetMethodProp(&o, L"OnClick", std::any()));
    EXPECT_FALSE(IsPublishedProp(&o, L"Font"));
    EXPECT_TRUE(IsPublishedProp(&o, L"Tag"));
}

TEST(ClassRegistry, CreatesComponentsByName) {
    TComponent owner(nullptr);
    TComponent* c = CreateComponent(L"ttestleaf", &owner);
    ASSERT_NE(dynamic_cast<TTestLeaf*>(c), nullptr);
    EXPECT_EQ(c->Owner(), &owner);
    EXPECT_EQ(FindClass(L"TTestFont"), &TTestFont::StaticClass());
    EXPECT_FALSE(TTestFont::StaticClass().CanCreate()) << "not a component";
    EXPECT_THROW(CreateComponent(L"TTestFont", &owner), EClassNotFound);
    try {
        CreateComponent(L"TNoSuchClass", &owner);
        FAIL();
    } catch (const EClassNotFound& e) {
        EXPECT_EQ(e.Message(), L"Class TNoSuchClass not found");
    }
}

} // namespace
} // namespace orvo

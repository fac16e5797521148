// Collections: owned items and their order, the owner's Update notices (batched, and never from
// the destructor), Assign through the items' published properties, collection properties by
// name down to an item's property, and collections in stored forms with their errors.
// windows.h first: no framework name may collide with its A/W macros.
#include <windows.h>

#include "framework/base/collection.h"
#include "framework/base/exceptions.h"
#include "framework/base/prop_access.h"
#include "framework/base/properties.h"
#include "framework/base/sysutils.h"
#include "framework/forms/form_parser.h"
#include "framework/forms/form_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvo {
namespace {

enum TTestBevel : std::uint8_t { tbNone, tbLowered, tbRaised };
const TEnumType& TestBevelType() {
    static const TEnumType type(L"TTestBevel", {L"tbNone", L"tbLowered", L"tbRaised"});
    return type;
}

class TTestFace : public TPersistent {
    ORVO_CLASS(TTestFace, TPersistent)
public:
    int Height = 0;
    std::wstring Name;
    static void Publish(TPublisher<TTestFace>& p) {
        p.Integer(L"Height", &TTestFace::Height, &TTestFace::Height);
        p.String(L"Name", &TTestFace::Name, &TTestFace::Name);
    }
    void Assign(TPersistent* source) override {
        if (auto* f = dynamic_cast<TTestFace*>(source)) {
            Height = f->Height;
            Name = f->Name;
            return;
        }
        inherited::Assign(source);
    }
};
ORVO_IMPLEMENT_CLASS(TTestFace);

class TTestMark : public TCollectionItem {
    ORVO_CLASS(TTestMark, TCollectionItem)
public:
    int Pos = 0;
    static void Publish(TPublisher<TTestMark>& p) { p.Integer(L"Pos", &TTestMark::Pos, &TTestMark::Pos); }
};
ORVO_IMPLEMENT_CLASS(TTestMark);

// What a collection told its owner, in order: "update *", "update <ID>", "added <ID>", ...
std::vector<std::wstring> Log;

class TTestMarks : public TCollection {
    ORVO_CLASS(TTestMarks, TCollection)
public:
    TTestMarks() : TCollection(CollectionItemClass<TTestMark>()) {}
};
ORVO_IMPLEMENT_CLASS(TTestMarks);

class TTestPanel : public TCollectionItem {
    ORVO_CLASS(TTestPanel, TCollectionItem)
public:
    std::wstring Text() const { return FText; }
    void SetText(const std::wstring& text) {
        FText = text;
        Changed(false);
    }
    int Width() const { return FWidth; }
    void SetWidth(int width) {
        FWidth = width;
        Changed(true);
    }
    TTestBevel Bevel = tbLowered;
    TTestFace Face;
    TTestMarks Marks;
    TNotifyEvent OnClick;
    TComponent* Buddy = nullptr;
    static void Publish(TPublisher<TTestPanel>& p) {
        p.String(L"Text", &TTestPanel::Text, &TTestPanel::SetText);
        p.Integer(L"Width", &TTestPanel::Width, &TTestPanel::SetWidth);
        p.Enum(L"Bevel", TestBevelType(), &TTestPanel::Bevel, &TTestPanel::Bevel);
        p.Object(L"Face", [](TTestPanel& t) { return &t.Face; });
        p.Collection(L"Marks", [](TTestPanel& t) { return &t.Marks; });
        p.Event(L"OnClick", &TTestPanel::OnClick);
        p.Object(L"Buddy", &TTestPanel::Buddy, &TTestPanel::Buddy);
    }

private:
    std::wstring FText;
    int FWidth = 50;
};
ORVO_IMPLEMENT_CLASS(TTestPanel);

class TTestPanels : public TCollection {
    ORVO_CLASS(TTestPanels, TCollection)
public:
    explicit TTestPanels(TPersistent* owner) : TCollection(CollectionItemClass<TTestPanel>(), owner) {}
    TTestPanel* Add() { return static_cast<TTestPanel*>(TCollection::Add()); }
    TTestPanel* Items(int i) const { return static_cast<TTestPanel*>(TCollection::Items(i)); }

protected:
    void Update(TCollectionItem* item) override {
        Log.push_back(item ? L"update " + IntToStr(item->ID()) : L"update *");
    }
    void Notify(TCollectionItem* item, TCollectionNotification action) override {
        static const wchar_t* const names[] = {L"added ", L"extracting ", L"deleting "};
        // The item is whole here: its own fields are still readable.
        Log.push_back(names[action] + IntToStr(item->ID()) + L" " + static_cast<TTestPanel*>(item)->Text());
    }
};
ORVO_IMPLEMENT_CLASS(TTestPanels);

class TTestBar : public TComponent {
    ORVO_CLASS(TTestBar, TComponent)
public:
    using TComponent::TComponent;
    TTestPanels* Panels() { return &FPanels; }
    static void Publish(TPublisher<TTestBar>& p) { p.Collection(L"Panels", &TTestBar::Panels); }

private:
    TTestPanels FPanels{this};
};
ORVO_IMPLEMENT_CLASS(TTestBar);

class TfBarForm : public TComponent {
    ORVO_CLASS(TfBarForm, TComponent)
public:
    using TComponent::TComponent;
    int Clicks = 0;
    void PanelClick(TObject*) { ++Clicks; }
    static void Publish(TPublisher<TfBarForm>& p) { p.Method(L"PanelClick", &TfBarForm::PanelClick); }
};
ORVO_IMPLEMENT_CLASS(TfBarForm);

class CollectionTest : public ::testing::Test {
protected:
    void SetUp() override { Log.clear(); }
};

TEST_F(CollectionTest, OwnsItsItemsKeepsTheirOrderAndTellsItsOwner) {
    TTestBar bar(nullptr);
    TTestPanels& panels = *bar.Panels();
    EXPECT_EQ(panels.Owner(), &bar);
    TTestPanel* a = panels.Add();
    TTestPanel* c = panels.Add();
    TTestPanel* b = static_cast<TTestPanel*>(panels.Insert(1));
    EXPECT_EQ(Log, (std::vector<std::wstring>{L"added 0 ", L"update *", L"added 1 ", L"update *", L"added 2 ",
                                              L"update *"}));
    EXPECT_EQ(panels.Count(), 3);
    EXPECT_EQ(b->Index(), 1);
    EXPECT_EQ(c->Index(), 2);
    EXPECT_EQ(b->ID(), 2) << "IDs follow the order of creation, not the position";
    EXPECT_EQ(panels.FindItemID(2), b);
    EXPECT_THROW(panels.Items(3), EListError);
    EXPECT_THROW(panels.Insert(5), EListError);
    EXPECT_EQ(panels.Count(), 3) << "a refused insert makes nothing";

    Log.clear();
    b->SetText(L"b");
    a->SetWidth(10);
    EXPECT_EQ(Log, (std::vector<std::wstring>{L"update 2", L"update *"}))
        << "an item's own change names it; a layout change concerns all";

    c->SetIndex(-4);
    EXPECT_EQ(panels.IndexOf(c), 0) << "positions are clamped";
    c->SetIndex(99);
    EXPECT_EQ(c->Index(), 2);

    Log.clear();
    b->SetText(L"bee");
    panels.Delete(1);
    EXPECT_EQ(Log, (std::vector<std::wstring>{L"update 2", L"deleting 2 bee", L"update *"}));
    EXPECT_EQ(panels.FindItemID(2), nullptr);
    Log.clear();
    delete a; // from outside: the item leaves, without a Notify of a half-destroyed item
    EXPECT_EQ(panels.Count(), 1);
    EXPECT_EQ(panels.Items(0), c);
    EXPECT_EQ(Log, (std::vector<std::wstring>{L"update *"}));
    EXPECT_EQ(panels.Add()->ID(), 3) << "an ID is never given twice";

    // Moving an item to another collection, and refusing one of another item class.
    TTestPanels other(nullptr);
    Log.clear();
    c->SetCollection(&other);
    EXPECT_EQ(c->Collection(), &other);
    EXPECT_EQ(panels.Count(), 1);
    EXPECT_EQ(Log.front(), L"extracting 1 ");
    TTestMarks marks;
    EXPECT_THROW(c->SetCollection(&marks), EInvalidOperation);
    EXPECT_EQ(c->Collection(), &other) << "a refused move leaves the item where it was";
    c->SetCollection(nullptr);
    EXPECT_EQ(c->Index(), -1);
    delete c;

    // The destructor frees the items and tells nobody (the owner is going too).
    auto* doomed = new TTestPanels(nullptr);
    doomed->Add();
    doomed->Add();
    Log.clear();
    delete doomed;
    EXPECT_TRUE(Log.empty());
}

TEST_F(CollectionTest, BatchedChangesEndInOneUpdateAndOnlyIfSomethingChanged) {
    TTestBar bar(nullptr);
    TTestPanels& panels = *bar.Panels();
    panels.BeginUpdate();
    panels.BeginUpdate();
    panels.Add()->SetText(L"x");
    panels.Add();
    panels.EndUpdate();
    EXPECT_EQ(std::count(Log.begin(), Log.end(), L"update *"), 0) << "nothing before the outermost end";
    panels.EndUpdate();
    EXPECT_EQ(Log.back(), L"update *");
    EXPECT_EQ(
        std::count_if(Log.begin(), Log.end(), [](const std::wstring& e) { return e.starts_with(L"update"); }),
        1);
    Log.clear();
    panels.BeginUpdate();
    panels.EndUpdate();
    panels.EndUpdate(); // unbalanced: ignored
    EXPECT_TRUE(Log.empty()) << "a batch without changes tells nothing";
    Log.clear();
    panels.Clear();
    EXPECT_EQ(Log, (std::vector<std::wstring>{L"deleting 1 ", L"deleting 0 x", L"update *"}));
    Log.clear();
    panels.Clear();
    EXPECT_TRUE(Log.empty());
}

TEST_F(CollectionTest, AssignCopiesEveryPublishedPropertyOfTheItemsDownToNestedCollections) {
    TTestBar from(nullptr), to(nullptr), buddy(nullptr);
    int clicks = 0;
    TTestPanel* p = from.Panels()->Add();
    p->SetText(L"first");
    p->SetWidth(120);
    p->Bevel = tbRaised;
    p->Face.Height = -12;
    p->Face.Name = L"宋体";
    p->Marks.Add();
    static_cast<TTestMark*>(p->Marks.Add())->Pos = 7;
    p->OnClick = [&](TObject*) { ++clicks; };
    p->Buddy = &buddy;
    from.Panels()->Add()->SetText(L"second");
    to.Panels()->Add()->SetText(L"replaced");

    Log.clear();
    to.Panels()->Assign(from.Panels());
    EXPECT_EQ(std::count(Log.begin(), Log.end(), L"update *"), 1) << "one notice for the whole copy";
    ASSERT_EQ(to.Panels()->Count(), 2);
    TTestPanel* q = to.Panels()->Items(0);
    EXPECT_NE(q, p);
    EXPECT_EQ(q->Text(), L"first");
    EXPECT_EQ(q->Width(), 120);
    EXPECT_EQ(q->Bevel, tbRaised);
    EXPECT_EQ(q->Face.Height, -12) << "a held object without setter is copied into";
    EXPECT_EQ(q->Face.Name, L"宋体");
    ASSERT_EQ(q->Marks.Count(), 2);
    EXPECT_EQ(static_cast<TTestMark*>(q->Marks.Items(1))->Pos, 7);
    EXPECT_NE(q->Marks.Items(1), p->Marks.Items(1));
    EXPECT_EQ(q->Buddy, &buddy) << "a reference points at the same component";
    ASSERT_TRUE(q->OnClick);
    q->OnClick(nullptr);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(to.Panels()->Items(1)->Text(), L"second");

    to.Panels()->Assign(to.Panels());
    EXPECT_EQ(to.Panels()->Count(), 2) << "assigning to itself keeps the items";
    TTestMarks marks;
    EXPECT_THROW(to.Panels()->Assign(&marks), EConvertError);
    EXPECT_THROW(q->Assign(marks.Add()), EConvertError);
    EXPECT_EQ(to.Panels()->Count(), 2);
}

TEST_F(CollectionTest, CollectionPropertiesByNameReachTheItems) {
    TTestBar bar(nullptr);
    bar.Panels()->Add()->SetText(L"a");
    bar.Panels()->Add()->SetText(L"b");
    const TPropInfo* info = GetPropInfo(&bar, L"Panels");
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->Kind, TTypeKind::Collection);
    EXPECT_EQ(info->ClassType, &TTestPanels::StaticClass());
    EXPECT_EQ(GetObjectProp(&bar, L"Panels"), bar.Panels());
    EXPECT_EQ(GetObjectProp<TCollection>(&bar, L"Panels")->Count(), 2);
    EXPECT_EQ(GetOrdProp(&bar, L"Panels.Count"), 2);
    EXPECT_FALSE(SetOrdProp(&bar, L"Panels.Count", 5)) << "Count is read-only";
    EXPECT_EQ(GetStrProp(&bar, L"Panels[1].Text"), L"b");
    EXPECT_TRUE(SetStrProp(&bar, L"Panels[0].Text", L"A"));
    EXPECT_EQ(bar.Panels()->Items(0)->Text(), L"A");
    EXPECT_EQ(GetPropValue(&bar, L"panels[1].bevel"), L"tbLowered") << "names in any case";
    EXPECT_TRUE(SetPropValue(&bar, L"Panels[1].Width", L"$20"));
    EXPECT_EQ(bar.Panels()->Items(1)->Width(), 32);
    EXPECT_EQ(GetOrdProp(&bar, L"Panels[1].Face.Height"), 0);
    EXPECT_EQ(GetOrdProp(&bar, L"Panels[1].Marks.Count"), 0);
    for (const wchar_t* absent : {L"Panels[2].Text", L"Panels[].Text", L"Panels[x].Text", L"Panels[1.Text",
                                  L"Panels[-1].Text", L"Panels[99999999999].Text", L"Panels[1]",
                                  L"Panels.Text", L"Panels[0].Nope", L"Panels[0].Face[0].Height"})
        EXPECT_FALSE(GetPropValue(&bar, absent).has_value()) << absent;
    EXPECT_EQ(GetPropValue(&bar, L"Panels"), std::nullopt) << "a collection is no scalar";

    TTestBar other(nullptr);
    other.Panels()->Add()->SetText(L"copied");
    EXPECT_TRUE(SetObjectProp(&bar, L"Panels", other.Panels()));
    ASSERT_EQ(bar.Panels()->Count(), 1);
    EXPECT_EQ(bar.Panels()->Items(0)->Text(), L"copied");
    EXPECT_NE(bar.Panels()->Items(0), other.Panels()->Items(0));
    TTestMarks marks;
    EXPECT_FALSE(SetObjectProp(&bar, L"Panels", &marks)) << "another collection class is refused";
    EXPECT_TRUE(SetObjectProp(&bar, L"Panels", nullptr));
    EXPECT_EQ(bar.Panels()->Count(), 0) << "null empties it";
}

const char* const BarForm = R"(object fBar: TfBarForm
  object Bar1: TTestBar
    Panels = <
      item
        Text = 'one'
        Width = 80
        Bevel = tbRaised
        Face.Height = -12
        Face.Name = '宋体'
        OnClick = PanelClick
        Buddy = Bar2
      end
      item
      end
      item
        Text = 'three'#13#10 +
          'lines'
        Marks = <
          item
            Pos = 3
          end
          item Pos = 4 end>
      end>
  end
  object Bar2: TTestBar
    Panels = <>
  end
end
)";

TEST_F(CollectionTest, StoredFormsHoldCollectionsWithNestedPropertiesReferencesAndEvents) {
    TfBarForm form(nullptr);
    ReadFormText(&form, BarForm);
    auto* bar1 = static_cast<TTestBar*>(form.FindComponent(L"Bar1"));
    auto* bar2 = static_cast<TTestBar*>(form.FindComponent(L"Bar2"));
    ASSERT_TRUE(bar1 && bar2);
    TTestPanels& panels = *bar1->Panels();
    ASSERT_EQ(panels.Count(), 3);
    EXPECT_EQ(panels.Items(0)->Text(), L"one");
    EXPECT_EQ(panels.Items(0)->Width(), 80);
    EXPECT_EQ(panels.Items(0)->Bevel, tbRaised);
    EXPECT_EQ(panels.Items(0)->Face.Height, -12);
    EXPECT_EQ(panels.Items(0)->Face.Name, L"宋体");
    EXPECT_EQ(panels.Items(0)->Buddy, bar2) << "a forward reference from inside an item";
    ASSERT_TRUE(panels.Items(0)->OnClick);
    panels.Items(0)->OnClick(nullptr);
    EXPECT_EQ(form.Clicks, 1);
    EXPECT_EQ(panels.Items(1)->Text(), L"");
    EXPECT_EQ(panels.Items(1)->Width(), 50) << "an empty item keeps its defaults";
    EXPECT_EQ(panels.Items(2)->Text(), L"three\r\nlines");
    ASSERT_EQ(panels.Items(2)->Marks.Count(), 2);
    EXPECT_EQ(static_cast<TTestMark*>(panels.Items(2)->Marks.Items(1))->Pos, 4);
    EXPECT_EQ(bar2->Panels()->Count(), 0);
    EXPECT_EQ(std::count(Log.begin(), Log.end(), L"update *"), 1)
        << "one notice for the collection read; an empty one changed nothing";

    // What was read is what a copy holds, compared property by property by name.
    TTestBar copy(nullptr);
    copy.Panels()->Assign(&panels);
    for (int i = 0; i < panels.Count(); ++i)
        for (const TPropInfo* p : TTestPanel::StaticClass().Properties().Props()) {
            const std::wstring path = L"Panels[" + IntToStr(i) + L"]." + p->Name;
            EXPECT_EQ(GetPropValue(&copy, path), GetPropValue(bar1, path)) << path;
        }
    EXPECT_EQ(GetOrdProp(&copy, L"Panels[2].Marks[1].Pos"), 4);
    EXPECT_EQ(GetStrProp(&copy, L"Panels[0].Face.Name"), L"宋体");
}

TEST_F(CollectionTest, ACollectionGivenAgainReplacesTheFirstWithoutStaleReferences) {
    TfBarForm form(nullptr);
    ReadFormText(&form, R"(object fBar: TfBarForm
  object Bar1: TTestBar
    Panels = <item Buddy = Bar1 Marks = <item end> end>
    Panels = <item Text = 'second' end>
  end
end)");
    auto* bar = static_cast<TTestBar*>(form.FindComponent(L"Bar1"));
    ASSERT_EQ(bar->Panels()->Count(), 1);
    EXPECT_EQ(bar->Panels()->Items(0)->Text(), L"second");
    EXPECT_EQ(bar->Panels()->Items(0)->Buddy, nullptr) << "the freed item's reference was dropped";
}

TEST_F(CollectionTest, CollectionErrorsNameTheLineTheItemAndTheProperty) {
    struct TBad {
        const char* Text;
        const char* Expected;
    };
    const TBad cases[] = {
        {"object f: TfBarForm\n object b: TTestBar\n  Panels = <\n   item\n    Txt = 'a'\n   end>\n end\nend",
         "Line 5: b.Panels[0].Txt: property Txt does not exist in TTestPanel"},
        {"object f: TfBarForm\n object b: TTestBar\n  Panels = <item end\n item\n Bevel = tbSunk end>\n "
         "end\nend",
         "Line 5: b.Panels[1].Bevel: 'tbSunk' is not a member of TTestBevel"},
        {"object f: TfBarForm\n object b: TTestBar\n  Panels = <item Marks = <item Pos = 'x' end> end>\n "
         "end\nend",
         "Line 3: b.Panels[0].Marks[0].Pos: an identifier is expected"},
        {"object f: TfBarForm\n object b: TTestBar\n  Panels = <item\n Buddy = Nobody end>\n end\nend",
         "Line 4: b.Panels[0].Buddy: component Nobody not found"},
        {"object f: TfBarForm\n object b: TTestBar\n  Panels = 3\n end\nend",
         "Line 3: b.Panels: a collection < item ... end > is expected"},
        {"object f: TfBarForm\n object b: TTestBar\n  Panels = <item Text = <> end>\n end\nend",
         "Line 3: b.Panels[0].Text: a string is expected"},
        {"object f: TfBarForm\n object b: TTestBar\n  Panels = <item\n  Text = 'a'\n end\n",
         "Line 6: missing '>' of the collection begun on line 3"},
        {"object f: TfBarForm\n object b: TTestBar\n  Panels = <\n  item\n  Text = 'a'\n",
         "Line 6: missing 'end' of the item begun on line 4"},
        {"object f: TfBarForm\n object b: TTestBar\n  Panels = <item object x: TTestBar end end>\n end\nend",
         "Line 3: a collection item holds properties, not objects"},
        {"object f: TfBarForm\n object b: TTestBar\n  Panels = <'a'>\n end\nend",
         "Line 3: expected 'item' or '>' but found '''"},
        {"object f: TfBarForm\n object b: TTestBar\n  Panels.Strings = (<>)\n end\nend",
         "Line 3: expected a string, number or identifier but found '<'"},
        {"object f: TfBarForm\n object b: TTestBar\n  Panels.Count = 1\n end\nend",
         "Line 3: b.Panels.Count: property is read-only"},
    };
    for (const TBad& c : cases) {
        TfBarForm form(nullptr);
        try {
            ReadFormText(&form, c.Text);
            ADD_FAILURE() << "accepted: " << c.Text;
        } catch (const EReadError& e) {
            EXPECT_NE(e.Message().find(Utf8Decode(c.Expected)), std::wstring::npos)
                << "got: " << e.what() << "\nwanted: " << c.Expected;
        }
        EXPECT_EQ(form.ComponentCount(), 0) << "what the failed read made is freed";
    }

    // Collections nested beyond the limit are refused, not followed down the stack.
    std::string deep = "object f: TfBarForm\n object b: TTestBar\n  Panels = ";
    for (int i = 0; i < 100; ++i)
        deep += "<item Marks = ";
    EXPECT_THROW(ParseForm(deep), EReadError);
    std::string many = "object f: TfBarForm\n object b: TTestBar\n  Panels = <";
    for (int i = 0; i < 1000; ++i)
        many += "item Width = " + std::to_string(i) + " end ";
    many += ">\n end\nend";
    TfBarForm form(nullptr);
    ReadFormText(&form, many);
    EXPECT_EQ(GetOrdProp(form.FindComponent(L"b"), L"Panels[999].Width"), 999);
}

} // namespace
} // namespace orvo

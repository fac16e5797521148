// TList and TStrings/TStringList: index rules, Name=Value lines, text splitting, change events.
#include "framework/base/exceptions.h"
#include "framework/base/list.h"
#include "framework/base/prop_access.h"
#include "framework/base/string_list.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

TEST(List, IndexRulesAndEdits) {
    int a = 1, b = 2, c = 3, d = 4;
    TList list;
    EXPECT_EQ(list.Add(&a), 0);
    list.Add(&b);
    list.Insert(2, &c); // inserting at Count appends
    list.Insert(0, &c);
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.IndexOf(&c), 0);
    EXPECT_EQ(list.Remove(&c), 0); // the first occurrence only
    EXPECT_EQ(list.IndexOf(&c), 2);
    EXPECT_EQ(list.Remove(&d), -1);
    list.Move(2, 0);
    EXPECT_EQ(list[0], &c);
    EXPECT_EQ(list.Last(), &b);
    EXPECT_THROW(list.Items(3), EListError);
    EXPECT_THROW(list.Insert(4, &a), EListError);
    EXPECT_THROW(list.Delete(-1), EListError);
    try {
        list.Delete(7);
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), L"List index out of bounds (7)");
    }
    list.Clear();
    EXPECT_THROW(list.First(), EListError);
}

TEST(StringList, TextSplitsEveryLineBreakAndJoinsWithCrLf) {
    TStringList s;
    s.SetText(L"a\r\nb\nc\rd");
    EXPECT_EQ(s.ToVector(), (std::vector<std::wstring>{L"a", L"b", L"c", L"d"}));
    EXPECT_EQ(s.Text(), L"a\r\nb\r\nc\r\nd\r\n");
    s.SetText(L"x\r\n");
    EXPECT_EQ(s.Count(), 1) << "a final break adds no empty line";
    s.SetText(L"\r\n\r\n");
    EXPECT_EQ(s.ToVector(), (std::vector<std::wstring>{L"", L""}));
    s.SetText(L"");
    EXPECT_EQ(s.Count(), 0);
    s.SetText(L"\n\r");
    EXPECT_EQ(s.Count(), 2) << "LF then CR are two breaks";
}

TEST(StringList, NamesAndValues) {
    TStringList s;
    s.SetText(L"TRzButton=button\r\nTRzButtonEdit=Edit\r\nplain\r\nkey==v");
    EXPECT_EQ(s.Values(L"trzbuttonedit"), L"Edit");
    EXPECT_EQ(s.IndexOfName(L"TRzButton"), 0) << "the name ends at '='";
    EXPECT_EQ(s.Names(2), L"");
    EXPECT_EQ(s.Values(L"plain"), L"");
    EXPECT_EQ(s.Values(L"key"), L"=v");
    s.SetValue(L"plain2", L"x");
    EXPECT_EQ(s[4], L"plain2=x");
    s.SetValue(L"TRzButton", L"panel");
    EXPECT_EQ(s[0], L"TRzButton=panel");
    s.SetValue(L"TRzButton", L"");
    EXPECT_EQ(s.IndexOfName(L"TRzButton"), -1);
    EXPECT_EQ(s.IndexOf(L"PLAIN"), 1);
}

TEST(StringList, ObjectsTravelWithTheirLines) {
    TStringList s;
    TObject o1, o2;
    s.AddObject(L"one", &o1);
    s.Add(L"two");
    s.InsertObject(0, L"zero", &o2);
    s.Move(0, 2);
    EXPECT_EQ(s.ToVector(), (std::vector<std::wstring>{L"one", L"two", L"zero"}));
    EXPECT_EQ(s.Objects(0), &o1);
    EXPECT_EQ(s.Objects(2), &o2);
    s.Exchange(0, 2);
    EXPECT_EQ(s.Objects(0), &o2);
    EXPECT_EQ(s.IndexOfObject(&o1), 2);
    s.Put(0, L"renamed");
    EXPECT_EQ(s.Objects(0), &o2);
    EXPECT_THROW(s.Get(3), EStringListError);
    EXPECT_THROW(s.Insert(4, L"x"), EStringListError);
    s.AddStrings(s); // itself: doubled, not endless
    EXPECT_EQ(s.Count(), 6);
}

TEST(StringList, ChangeEventsAndUpdates) {
    TStringList s;
    int changing = 0, changed = 0;
    s.OnChanging = [&](TObject*) { ++changing; };
    s.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &s);
        ++changed;
    };
    s.Add(L"a");
    s.Delete(0);
    s.Clear(); // already empty: no change
    EXPECT_EQ(changing, 2);
    EXPECT_EQ(changed, 2);
    s.BeginUpdate();
    s.BeginUpdate();
    s.SetText(L"a\r\nb\r\nc");
    s.Sort();
    s.EndUpdate();
    EXPECT_EQ(changed, 2) << "nothing until the outer update ends";
    s.EndUpdate();
    EXPECT_EQ(changing, 3);
    EXPECT_EQ(changed, 3);
    s.EndUpdate(); // unbalanced: ignored
    EXPECT_EQ(s.UpdateCount(), 0);
}

TEST(StringList, AssignAndTheStringsProperty) {
    TStringList a({L"b", L"A", L"c"}), b;
    b.Assign(&a);
    EXPECT_TRUE(b.Equals(a));
    b.Sort();
    EXPECT_EQ(b.ToVector(), (std::vector<std::wstring>{L"A", L"b", L"c"}));
    EXPECT_THROW(b.Assign(static_cast<TPersistent*>(nullptr)), EConvertError);
    EXPECT_TRUE(SetStringListProp(&b, L"Strings", {L"x", L"y"}));
    EXPECT_EQ(b.Text(), L"x\r\ny\r\n");
    EXPECT_EQ(GetStringListProp(&a, L"Strings"), (std::vector<std::wstring>{L"b", L"A", L"c"}));
}

} // namespace
} // namespace orvo

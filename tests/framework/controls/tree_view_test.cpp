// Tree views under Wine: nodes stored in forms and read back, the native items following the
// nodes, the user's clicks and keys reaching the events (and being refused by them), window
// re-creation keeping nodes, expansion and selection, deleting the selected branch, label edits,
// and no handles left behind.
#include "framework/base/exceptions.h"
#include "framework/base/prop_access.h"
#include "framework/controls/button.h"
#include "framework/controls/tree_view.h"
#include "framework/forms/form_reader.h"
#include "framework/graphics/image_list.h"
#include "tests/framework/controls/list_controls_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvo {
namespace {

int NativeCount(TTreeView& tree) {
    return static_cast<int>(SendMessageW(tree.Handle(), TVM_GETCOUNT, 0, 0));
}

bool NativeExpanded(TTreeView& tree, TTreeNode* node) {
    return (SendMessageW(tree.Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(node->ItemId()), TVIS_EXPANDED) &
            TVIS_EXPANDED) != 0;
}

std::wstring NativeText(TTreeView& tree, TTreeNode* node) {
    wchar_t buffer[100]{};
    TVITEMW item{};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = node->ItemId();
    item.pszText = buffer;
    item.cchTextMax = 100;
    SendMessageW(tree.Handle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return buffer;
}

TTreeNode* NativeSelection(TTreeView& tree) {
    auto item = reinterpret_cast<HTREEITEM>(SendMessageW(tree.Handle(), TVM_GETNEXTITEM, TVGN_CARET, 0));
    return tree.NodeFromItem(item);
}

// Fruits (Apple, Pear (Conference)), Vegetables.
void Fill(TTreeView& tree) {
    TTreeNodes& nodes = *tree.Items();
    TTreeNode* fruits = nodes.AddChild(nullptr, L"Fruits");
    nodes.AddChild(fruits, L"Apple");
    TTreeNode* pear = nodes.AddChild(fruits, L"Pear");
    nodes.AddChild(pear, L"Conference");
    nodes.AddChild(nullptr, L"Vegetables");
}

// A filled tree view of 200 x 200 on a shown form.
TTreeView* FilledTree(TForm& form) {
    auto* tree = new TTreeView(&form);
    tree->SetParent(&form);
    tree->SetBounds(10, 10, 200, 200);
    Fill(*tree);
    return tree;
}

TEST(TreeView, StoredNodesAndPropertiesReadBackAndReachTheWindow) {
    test::TShownForm shown;
    ReadFormText(&shown.Form, R"(object f: TForm
  object Images1: TImageList
  end
  object Tree1: TTreeView
    Left = 8
    Top = 8
    Width = 200
    Height = 200
    Images = Images1
    ShowLines = False
    ReadOnly = True
    HideSelection = False
    Indent = 24
    Items.Nodes = (
      '{0,1,1}Fruits'
      #9'Apple'
      #9'{2}Pear'
      #9#9'{}{Conference}'
      'Vegetables')
  end
end
)");
    auto* tree = dynamic_cast<TTreeView*>(shown.Form.FindComponent(L"Tree1"));
    ASSERT_NE(tree, nullptr);
    shown.Form.HandleNeeded();
    EXPECT_EQ(tree->Images(), shown.Form.FindComponent(L"Images1"));
    EXPECT_EQ(GetPropValue(tree, L"ShowLines"), L"False");
    EXPECT_EQ(GetPropValue(tree, L"ReadOnly"), L"True");
    EXPECT_EQ(GetPropValue(tree, L"Indent"), L"24");
    EXPECT_EQ(GetPropValue(tree, L"BorderStyle"), L"bsSingle");

    TTreeNodes& nodes = *tree->Items();
    ASSERT_EQ(nodes.Count(), 5);
    ASSERT_EQ(nodes.TopLevelCount(), 2);
    TTreeNode* fruits = nodes.TopLevelItem(0);
    EXPECT_EQ(fruits->Text(), L"Fruits");
    EXPECT_EQ(fruits->ImageIndex(), 0);
    EXPECT_EQ(fruits->SelectedIndex(), 1);
    EXPECT_TRUE(fruits->Expanded());
    ASSERT_EQ(fruits->Count(), 2);
    TTreeNode* pear = fruits->Item(1);
    EXPECT_EQ(pear->ImageIndex(), 2);
    EXPECT_EQ(pear->SelectedIndex(), -1);
    ASSERT_EQ(pear->Count(), 1);
    EXPECT_EQ(pear->Item(0)->Text(), L"{Conference}") << "an empty block lets a text begin with '{'";
    EXPECT_EQ(pear->Item(0)->Level(), 2);
    EXPECT_EQ(pear->Item(0)->AbsoluteIndex(), 3);
    EXPECT_EQ(GetPropValue(fruits, L"Text"), L"Fruits") << "nodes publish their properties";

    EXPECT_EQ(nodes.NodeLines(), (std::vector<std::wstring>{L"{0,1,1}Fruits", L"\tApple", L"\t{2}Pear",
                                                            L"\t\t{}{Conference}", L"Vegetables"}))
        << "written back as read";

    EXPECT_EQ(NativeCount(*tree), 5);
    EXPECT_TRUE(NativeExpanded(*tree, fruits));
    EXPECT_FALSE(NativeExpanded(*tree, pear));
    EXPECT_EQ(NativeText(*tree, pear->Item(0)), L"{Conference}");
    const LONG_PTR style = GetWindowLongPtrW(tree->Handle(), GWL_STYLE);
    EXPECT_FALSE(style & TVS_HASLINES);
    EXPECT_FALSE(style & TVS_EDITLABELS) << "ReadOnly";
    EXPECT_TRUE(style & TVS_SHOWSELALWAYS);
    EXPECT_EQ(SendMessageW(tree->Handle(), TVM_GETINDENT, 0, 0), 24);
    wchar_t className[64]{};
    GetClassNameW(tree->Handle(), className, 64);
    EXPECT_STREQ(className, L"TTreeView");
}

TEST(TreeView, MalformedNodeLinesAreRefusedWithTheirLineAndChangeNothing) {
    TTreeView tree(nullptr);
    Fill(tree);
    const auto before = tree.Items()->NodeLines();
    const struct {
        std::vector<std::wstring> Lines;
        const wchar_t* Expected;
    } cases[] = {
        {{L"a", L"\t\tb"}, L"line 2 is nested deeper"},
        {{L"\tb"}, L"line 1 is nested deeper"},
        {{L"a", L"{1,x}b"}, L"line 2: 'x' is not a valid integer"},
        {{L"{1,2b"}, L"line 1: the block opened by '{' is not closed"},
        {{L"{1,2,1,4}b"}, L"more than 3 numbers"},
        {{L"{,,2}b"}, L"Expanded is 0 or 1"},
    };
    for (const auto& c : cases) {
        try {
            tree.Items()->SetNodeLines(c.Lines);
            ADD_FAILURE() << "accepted: " << c.Lines.back();
        } catch (const EConvertError& e) {
            EXPECT_NE(e.Message().find(c.Expected), std::wstring::npos) << e.what();
        }
        EXPECT_EQ(tree.Items()->NodeLines(), before);
    }
    TForm form(nullptr);
    try {
        ReadFormText(&form, "object f: TForm\n object t: TTreeView\n  Items.Nodes = (\n   'a'\n   #9#9'b')\n end\nend\n");
        ADD_FAILURE() << "a form with a bad node line was read";
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message().find(L"Line 3"), std::wstring::npos) << e.what();
    }
}

TEST(TreeView, ClicksAndKeysSelectExpandAndCollapseThroughTheEventsWhichMayRefuse) {
    test::TShownForm shown;
    auto* tree = new TTreeView(&shown.Form);
    tree->SetParent(&shown.Form);
    tree->SetBounds(10, 10, 220, 240);
    Fill(*tree);
    std::vector<std::wstring> log;
    bool refuseExpand = false;
    bool refuseCollapse = false;
    bool refuseSelect = false;
    tree->OnChanging = [&](TObject*, TTreeNode* node, bool& allow) {
        log.push_back(L"changing " + node->Text());
        allow = !refuseSelect;
    };
    tree->OnChange = [&](TObject*, TTreeNode* node) { log.push_back(L"change " + (node ? node->Text() : L"-")); };
    tree->OnExpanding = [&](TObject*, TTreeNode* node, bool& allow) {
        log.push_back(L"expanding " + node->Text());
        allow = !refuseExpand;
    };
    tree->OnCollapsing = [&](TObject*, TTreeNode* node, bool& allow) {
        log.push_back(L"collapsing " + node->Text());
        allow = !refuseCollapse;
    };
    tree->OnExpanded = [&](TObject*, TTreeNode* node) { log.push_back(L"expanded " + node->Text()); };
    tree->OnCollapsed = [&](TObject*, TTreeNode* node) { log.push_back(L"collapsed " + node->Text()); };
    test::Pump(50);
    TTreeNode* fruits = tree->Items()->TopLevelItem(0);
    TTreeNode* vegetables = tree->Items()->TopLevelItem(1);

    const RECT label = vegetables->DisplayRect(true);
    ASSERT_FALSE(IsRectEmpty(&label));
    test::ClickAt(tree->Handle(), POINT{(label.left + label.right) / 2, (label.top + label.bottom) / 2});
    EXPECT_EQ(tree->Selected(), vegetables);
    EXPECT_EQ(log, (std::vector<std::wstring>{L"changing Vegetables", L"change Vegetables"}));
    EXPECT_TRUE(tree->Focused());

    log.clear();
    test::PressKey(VK_UP);
    EXPECT_EQ(tree->Selected(), fruits) << "the arrow keys reach the tree, not the form";
    refuseExpand = true;
    log.clear();
    test::PressKey(VK_RIGHT);
    EXPECT_EQ(log, (std::vector<std::wstring>{L"expanding Fruits"}));
    EXPECT_FALSE(fruits->Expanded()) << "refused";
    EXPECT_FALSE(NativeExpanded(*tree, fruits));
    refuseExpand = false;
    log.clear();
    test::PressKey(VK_RIGHT);
    EXPECT_EQ(log, (std::vector<std::wstring>{L"expanding Fruits", L"expanded Fruits"}));
    EXPECT_TRUE(fruits->Expanded());

    refuseCollapse = true;
    log.clear();
    test::PressKey(VK_LEFT);
    EXPECT_EQ(log, (std::vector<std::wstring>{L"collapsing Fruits"}));
    EXPECT_TRUE(fruits->Expanded());
    refuseCollapse = false;
    test::PressKey(VK_LEFT);
    EXPECT_FALSE(fruits->Expanded());

    refuseSelect = true;
    log.clear();
    test::PressKey(VK_DOWN);
    EXPECT_EQ(log, (std::vector<std::wstring>{L"changing Vegetables"}));
    EXPECT_EQ(tree->Selected(), fruits) << "refused";
    EXPECT_EQ(NativeSelection(*tree), fruits);

    // Code: selection goes through the same events; expansion from code raises none.
    refuseSelect = false;
    log.clear();
    tree->SetSelected(vegetables);
    EXPECT_EQ(log, (std::vector<std::wstring>{L"changing Vegetables", L"change Vegetables"}));
    log.clear();
    fruits->SetExpanded(true);
    EXPECT_TRUE(NativeExpanded(*tree, fruits));
    EXPECT_TRUE(log.empty());
}

TEST(TreeView, RecreatingTheWindowKeepsNodesExpansionSelectionAndImages) {
    test::TShownForm shown;
    auto* images = new TImageList(&shown.Form);
    auto* tree = new TTreeView(&shown.Form);
    tree->SetParent(&shown.Form);
    tree->SetBounds(10, 10, 200, 200);
    tree->SetImages(images);
    Fill(*tree);
    TTreeNode* pear = tree->Items()->Item(2);
    pear->MakeVisible();
    pear->SetExpanded(true);
    pear->SetText(L"Pear!");
    tree->SetSelected(pear->Item(0));
    HWND before = tree->Handle();

    tree->SetShowButtons(false);
    ASSERT_NE(tree->Handle(), before) << "a creation style: a new window";
    EXPECT_EQ(NativeCount(*tree), 5);
    EXPECT_TRUE(NativeExpanded(*tree, pear));
    EXPECT_TRUE(NativeExpanded(*tree, pear->Parent()));
    EXPECT_EQ(NativeText(*tree, pear), L"Pear!");
    EXPECT_EQ(tree->Selected(), pear->Item(0));
    EXPECT_EQ(NativeSelection(*tree), pear->Item(0));
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(tree->Handle(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0)),
              images->Handle());

    delete images;
    EXPECT_EQ(tree->Images(), nullptr) << "a freed image list is let go";
    EXPECT_EQ(SendMessageW(tree->Handle(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0), 0);
}

// Check boxes: set from code before and after the window exists, ticked in the window (as the
// platform does for the user), and kept across a new window and across switching them off.
TEST(TreeView, CheckBoxesFollowCodeAndClicksAndOutliveTheWindow) {
    test::TShownForm shown;
    TTreeView* tree = FilledTree(shown.Form);
    TTreeNode* fruits = tree->Items()->Item(0);
    TTreeNode* vegetables = tree->Items()->Item(4);
    fruits->SetChecked(true);
    tree->SetCheckBoxes(true);
    EXPECT_TRUE(GetWindowLongPtrW(tree->Handle(), GWL_STYLE) & TVS_CHECKBOXES);
    auto nativeChecked = [&](TTreeNode* node) {
        const auto state = static_cast<UINT>(SendMessageW(tree->Handle(), TVM_GETITEMSTATE,
                                                          reinterpret_cast<WPARAM>(node->ItemId()), TVIS_STATEIMAGEMASK));
        return state >> 12;
    };
    test::Pump(50); // past the new window's first paint, which empties every box under Wine
    EXPECT_EQ(nativeChecked(fruits), 2u) << "checked before the window: checked in it";
    EXPECT_EQ(nativeChecked(vegetables), 1u) << "the others show an empty box";
    // A box the platform ticks (as it does for the user's click) is read from the window.
    TVITEMW item{};
    item.mask = TVIF_STATE | TVIF_HANDLE;
    item.hItem = vegetables->ItemId();
    item.stateMask = TVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(2);
    SendMessageW(tree->Handle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_TRUE(vegetables->Checked()) << "the window's tick reached the node";
    fruits->SetChecked(false);
    EXPECT_EQ(nativeChecked(fruits), 1u);
    tree->SetShowLines(false); // a new window
    EXPECT_FALSE(fruits->Checked());
    EXPECT_TRUE(vegetables->Checked());
    EXPECT_EQ(nativeChecked(vegetables), 2u);
    tree->SetCheckBoxes(false);
    EXPECT_FALSE(GetWindowLongPtrW(tree->Handle(), GWL_STYLE) & TVS_CHECKBOXES);
    tree->SetCheckBoxes(true);
    EXPECT_TRUE(vegetables->Checked()) << "kept while the boxes were off";
}

TEST(TreeView, DeletingTheSelectedBranchLeavesNoDanglingSelection) {
    test::TShownForm shown;
    TTreeView* tree = FilledTree(shown.Form);
    TTreeNode* fruits = tree->Items()->TopLevelItem(0);
    tree->SetSelected(fruits->Item(1)->Item(0)); // Conference
    std::vector<TTreeNode*> changes;
    tree->OnChange = [&](TObject*, TTreeNode* node) { changes.push_back(node); };

    fruits->Delete();
    EXPECT_EQ(tree->Items()->Count(), 1);
    EXPECT_EQ(NativeCount(*tree), 1);
    TTreeNode* vegetables = tree->Items()->GetFirstNode();
    EXPECT_TRUE(tree->Selected() == nullptr || tree->Selected() == vegetables);
    EXPECT_EQ(NativeSelection(*tree), tree->Selected());
    for (TTreeNode* node : changes)
        EXPECT_TRUE(node == nullptr || node == vegetables) << "no change names a deleted node";

    tree->Items()->Clear();
    EXPECT_EQ(tree->Selected(), nullptr);
    EXPECT_EQ(NativeCount(*tree), 0);

    // Without a window the same holds.
    TTreeView loose(nullptr);
    Fill(loose);
    loose.SetSelected(loose.Items()->Item(3));
    loose.Items()->TopLevelItem(0)->DeleteChildren();
    EXPECT_EQ(loose.Selected(), nullptr);
    EXPECT_EQ(loose.Items()->Count(), 2);
}

TEST(TreeView, ALabelEditEndsInTheNodeAndOnEditedMayChangeIt) {
    test::TShownForm shown;
    TTreeView* tree = FilledTree(shown.Form);
    TTreeNode* vegetables = tree->Items()->TopLevelItem(1);
    bool allowEdit = false;
    tree->OnEditing = [&](TObject*, TTreeNode*, bool& allow) { allow = allowEdit; };
    tree->OnEdited = [&](TObject*, TTreeNode*, std::wstring& text) { text += L" (edited)"; };

    tree->EditNode(vegetables);
    EXPECT_FALSE(tree->IsEditing()) << "OnEditing refused";
    allowEdit = true;
    tree->EditNode(vegetables);
    ASSERT_TRUE(tree->IsEditing());
    auto edit = reinterpret_cast<HWND>(SendMessageW(tree->Handle(), TVM_GETEDITCONTROL, 0, 0));
    SetWindowTextW(edit, L"Greens");
    tree->EndEditing(false);
    test::Pump(30);
    EXPECT_EQ(vegetables->Text(), L"Greens (edited)");
    EXPECT_EQ(NativeText(*tree, vegetables), L"Greens (edited)");

    // Enter ends the edit; the form's default button stays out of it.
    auto* ok = new TButton(&shown.Form);
    ok->SetParent(&shown.Form);
    ok->SetBounds(250, 10, 80, 25);
    ok->SetDefault(true);
    int clicks = 0;
    ok->OnClick = [&](TObject*) { ++clicks; };
    tree->EditNode(vegetables);
    edit = reinterpret_cast<HWND>(SendMessageW(tree->Handle(), TVM_GETEDITCONTROL, 0, 0));
    SetWindowTextW(edit, L"Roots");
    test::PressKey(VK_RETURN);
    EXPECT_FALSE(tree->IsEditing());
    EXPECT_EQ(vegetables->Text(), L"Roots (edited)");
    EXPECT_EQ(clicks, 0);

    tree->EditNode(vegetables);
    edit = reinterpret_cast<HWND>(SendMessageW(tree->Handle(), TVM_GETEDITCONTROL, 0, 0));
    SetWindowTextW(edit, L"Lost");
    test::PressKey(VK_ESCAPE);
    EXPECT_FALSE(tree->IsEditing());
    EXPECT_EQ(vegetables->Text(), L"Roots (edited)") << "Esc cancels";

    tree->EditNode(vegetables);
    edit = reinterpret_cast<HWND>(SendMessageW(tree->Handle(), TVM_GETEDITCONTROL, 0, 0));
    SetWindowTextW(edit, L"Lost");
    tree->EndEditing(true);
    test::Pump(30);
    EXPECT_EQ(vegetables->Text(), L"Roots (edited)") << "a cancelled edit changes nothing";
}

TEST(TreeView, CreatingAndFreeingTreesLeavesNoHandles) {
    TForm form(nullptr);
    form.HandleNeeded();
    const auto cycle = [&] {
        auto* images = new TImageList(&form);
        auto* tree = new TTreeView(&form);
        tree->SetParent(&form);
        tree->SetImages(images);
        for (int i = 0; i < 20; ++i)
            tree->Items()->AddChild(tree->Items()->AddChild(nullptr, L"node"), L"child")->MakeVisible();
        tree->SetShowLines(false); // one re-creation
        delete tree;
        delete images;
    };
    test::ExpectNoHandlesLeftBy(cycle);
}

} // namespace
} // namespace orvo

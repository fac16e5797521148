// The item tree and the native menu in step with it; command numbers; FindItem; the window's
// CM_MENUCHANGED; dispatch of commands, sub-menu openings and shortcuts.
#include "framework/menus/menus.h"

#include "menu_test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace orvo {
namespace {

using test::NativeEntry;
using test::NativeTexts;
using Texts = std::vector<std::wstring>;

TMenuItem* NewItem(TComponent* owner, TMenuItem* parent, const std::wstring& caption) {
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

class MenuTree : public ::testing::Test {
protected:
    TComponent Form{nullptr};
    TMainMenu* Menu = new TMainMenu(&Form);
    TMenuItem* File = NewItem(&Form, Menu->Items(), L"&File");
    TMenuItem* Open = NewItem(&Form, File, L"&Open");
    TMenuItem* Line = NewItem(&Form, File, L"-");
    TMenuItem* Exit = NewItem(&Form, File, L"E&xit");
    TMenuItem* Help = NewItem(&Form, Menu->Items(), L"&Help");
};

TEST_F(MenuTree, NativeMenuShowsCaptionsShortcutsStatesAndSeparators) {
    Open->SetShortCut(scCtrl | 'O');
    Exit->SetEnabled(false);
    Open->SetChecked(true);
    Open->SetDefault(true);
    HMENU bar = Menu->GetHandle();
    ASSERT_TRUE(IsMenu(bar));
    EXPECT_EQ(NativeTexts(bar), (Texts{L"&File", L"&Help"}));
    const auto file = NativeEntry(bar, 0);
    EXPECT_EQ(file.SubMenu, File->Handle());
    EXPECT_EQ(file.Id, File->Command());
    EXPECT_EQ(NativeEntry(bar, 1).SubMenu, nullptr); // no sub-items, no sub-menu

    HMENU sub = File->Handle();
    ASSERT_EQ(GetMenuItemCount(sub), 3);
    const auto open = NativeEntry(sub, 0);
    EXPECT_EQ(open.Text, L"&Open\tCtrl+O");
    EXPECT_EQ(open.Id, Open->Command());
    EXPECT_EQ(open.State & (MFS_CHECKED | MFS_DEFAULT | MFS_GRAYED), UINT(MFS_CHECKED | MFS_DEFAULT));
    EXPECT_TRUE(NativeEntry(sub, 1).Type & MFT_SEPARATOR);
    const auto exit = NativeEntry(sub, 2);
    EXPECT_EQ(exit.Text, L"E&xit");
    EXPECT_TRUE(exit.State & MFS_GRAYED);
}

TEST_F(MenuTree, ChangesAfterTheHandleExistsReachTheNativeMenu) {
    HMENU sub = File->Handle();
    Open->SetCaption(L"&Open...");
    Open->SetShortCut(scCtrl | scShift | 'O');
    Exit->SetChecked(true);
    EXPECT_EQ(NativeEntry(sub, 0).Text, L"&Open...\tShift+Ctrl+O");
    EXPECT_TRUE(NativeEntry(sub, 2).State & MFS_CHECKED);
    Exit->SetChecked(false);
    EXPECT_FALSE(NativeEntry(sub, 2).State & MFS_CHECKED);

    // Invisible items are absent; showing one puts it back where it belongs.
    Line->SetVisible(false);
    Open->SetVisible(false);
    EXPECT_EQ(NativeTexts(sub), (Texts{L"E&xit"}));
    Line->SetVisible(true);
    EXPECT_EQ(GetMenuItemCount(sub), 2);
    EXPECT_TRUE(NativeEntry(sub, 0).Type & MFT_SEPARATOR);
    Open->SetVisible(true);
    EXPECT_EQ(NativeTexts(sub)[0], L"&Open...\tShift+Ctrl+O");

    auto* save = new TMenuItem(&Form);
    save->SetCaption(L"&Save");
    File->Insert(1, save);
    Exit->SetMenuIndex(0);
    EXPECT_EQ(NativeTexts(sub), (Texts{L"E&xit", L"&Open...\tShift+Ctrl+O", L"&Save", L""}));
    File->Delete(2);
    EXPECT_EQ(save->Parent(), nullptr);
    EXPECT_EQ(GetMenuItemCount(sub), 3);
    delete save;
}

TEST_F(MenuTree, SubMenusComeAndGoWithTheFirstAndLastSubItem) {
    HMENU bar = Menu->GetHandle();
    auto* about = NewItem(&Form, Help, L"&About");
    HMENU helpMenu = NativeEntry(bar, 1).SubMenu;
    ASSERT_NE(helpMenu, nullptr);
    EXPECT_EQ(helpMenu, Help->Handle());
    EXPECT_EQ(NativeTexts(helpMenu), (Texts{L"&About"}));
    delete about;
    EXPECT_EQ(Help->Count(), 0);
    EXPECT_EQ(NativeEntry(bar, 1).SubMenu, nullptr);
    EXPECT_TRUE(IsMenu(helpMenu)); // kept for the item, detached from the bar
}

TEST_F(MenuTree, FreeingAnItemTakesItAndItsSubItemsOutEverywhere) {
    HMENU bar = Menu->GetHandle();
    HMENU fileMenu = File->Handle();
    const int owned = Form.ComponentCount();
    delete File;
    EXPECT_EQ(NativeTexts(bar), (Texts{L"&Help"}));
    EXPECT_EQ(Menu->Items()->Count(), 1);
    EXPECT_FALSE(IsMenu(fileMenu));
    EXPECT_EQ(Form.ComponentCount(), owned - 4); // File, Open, Line, Exit
    Help->Clear();
    EXPECT_EQ(Help->Count(), 0);
}

TEST_F(MenuTree, ATreeCannotHoldItselfAndMovingAnItemLeavesItsOldParent) {
    EXPECT_THROW(File->Add(File), EMenuError);
    EXPECT_THROW(Open->Add(File), EMenuError);
    EXPECT_THROW(File->Add(Menu->Items()), EMenuError);
    EXPECT_THROW(File->Insert(9, new TMenuItem(&Form)), EMenuError);
    EXPECT_THROW(File->Items(3), EMenuError);
    HMENU sub = File->Handle();
    Help->Add(Open);
    EXPECT_EQ(Open->Parent(), Help);
    EXPECT_EQ(File->IndexOf(Open), -1);
    EXPECT_EQ(GetMenuItemCount(sub), 2);
    File->Add(Exit); // already there: moved to the end, which it is
    EXPECT_EQ(Exit->MenuIndex(), 1);
    EXPECT_EQ(File->Count(), 2);
}

TEST_F(MenuTree, RadioItemsOfOneGroupCheckOneAtATime) {
    auto* a = NewItem(&Form, Help, L"A");
    auto* b = NewItem(&Form, Help, L"B");
    auto* c = NewItem(&Form, Help, L"C");
    for (TMenuItem* item : {a, b, c})
        item->SetRadioItem(true);
    c->SetGroupIndex(1);
    HMENU sub = Help->Handle();
    a->SetChecked(true);
    c->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(c->Checked()); // another group
    EXPECT_FALSE(NativeEntry(sub, 0).State & MFS_CHECKED);
    EXPECT_TRUE(NativeEntry(sub, 1).State & MFS_CHECKED);
    EXPECT_TRUE(NativeEntry(sub, 1).Type & MFT_RADIOCHECK);
    // AutoCheck: a click checks a radio item, toggles a plain one.
    a->SetAutoCheck(true);
    a->Click();
    EXPECT_TRUE(a->Checked());
    EXPECT_FALSE(b->Checked());
    Exit->SetAutoCheck(true);
    Exit->Click();
    Exit->Click();
    EXPECT_FALSE(Exit->Checked());
    // One default entry per menu.
    Open->SetDefault(true);
    Exit->SetDefault(true);
    EXPECT_FALSE(Open->Default());
}

TEST(MenuCommands, UniqueWhileAliveAndReusedAfterFree) {
    std::vector<std::unique_ptr<TMenuItem>> items;
    std::set<UINT> seen;
    for (int i = 0; i < 300; ++i) {
        items.push_back(std::make_unique<TMenuItem>(nullptr));
        EXPECT_TRUE(seen.insert(items.back()->Command()).second);
        EXPECT_GE(items.back()->Command(), 1u);
        EXPECT_LT(items.back()->Command(), 0xF000u); // below the system commands
    }
    const UINT freed = items[100]->Command();
    items[100].reset();
    EXPECT_EQ(TMenuItem(nullptr).Command(), freed); // the lowest free number comes first
}

TEST_F(MenuTree, FindItemSearchesTheWholeTreeByCommandHandleOrShortcut) {
    auto* recent = NewItem(&Form, File, L"Recent");
    auto* first = NewItem(&Form, recent, L"1 a.txt");
    first->SetShortCut(scCtrl | '1');
    Menu->GetHandle();
    EXPECT_EQ(Menu->FindItem(first->Command(), fkCommand), first);
    EXPECT_EQ(Menu->FindItem(reinterpret_cast<UINT_PTR>(recent->Handle()), fkHandle), recent);
    EXPECT_EQ(Menu->FindItem(reinterpret_cast<UINT_PTR>(Menu->GetHandle()), fkHandle), Menu->Items());
    EXPECT_EQ(Menu->FindItem(scCtrl | '1', fkShortCut), first);
    EXPECT_EQ(Menu->FindItem(scNone, fkShortCut), nullptr);
    TMenuItem stranger(nullptr);
    EXPECT_EQ(Menu->FindItem(stranger.Command(), fkCommand), nullptr);
}

TEST_F(MenuTree, TheWindowHearsOfEveryChangeAndIsLetGo) {
    test::TMenuTestWindow window;
    window.Attach(Menu);
    EXPECT_EQ(GetMenu(window.Handle()), Menu->GetHandle());
    window.MenuChanges = 0;
    int events = 0;
    Menu->OnChange = [&](TObject*, TMenuItem*, bool) { ++events; };
    Open->SetCaption(L"Open");
    Exit->SetEnabled(false);
    NewItem(&Form, Help, L"About");
    EXPECT_EQ(window.MenuChanges, 3);
    EXPECT_EQ(events, 3);

    Menu->BeginUpdate();
    Open->SetChecked(true);
    Help->Clear();
    Menu->EndUpdate();
    EXPECT_EQ(window.MenuChanges, 4);

    window.Attach(nullptr);
    EXPECT_EQ(GetMenu(window.Handle()), nullptr);
    Open->SetCaption(L"Again");
    EXPECT_EQ(window.MenuChanges, 4);
    EXPECT_TRUE(IsMenu(Menu->GetHandle()));
}

TEST_F(MenuTree, CommandsAndSubMenuOpeningsReachTheHandlers) {
    test::TMenuTestWindow window;
    window.Attach(Menu);
    std::vector<std::wstring> calls;
    Open->OnClick = [&](TObject* sender) {
        calls.push_back(L"open:" + static_cast<TMenuItem*>(sender)->Caption());
    };
    // The sub-menu's owner updates its items before they show.
    File->OnClick = [&](TObject*) {
        calls.push_back(L"file");
        Exit->SetEnabled(false);
    };
    SendMessageW(window.Handle(), WM_COMMAND, Open->Command(), 0);
    SendMessageW(window.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(File->Handle()), 0);
    EXPECT_EQ(calls, (Texts{L"open:&Open", L"file"}));
    EXPECT_TRUE(NativeEntry(File->Handle(), 2).State & MFS_GRAYED);

    Open->SetEnabled(false);
    EXPECT_TRUE(Menu->DispatchCommand(Open->Command())); // the menu's item, though disabled
    EXPECT_EQ(calls.size(), 2u);
    EXPECT_FALSE(Menu->DispatchCommand(0xEFFF));
    EXPECT_FALSE(Menu->DispatchPopup(CreatePopupMenu()));

    // A handler may free its own item.
    Help->OnClick = [&](TObject* sender) { delete static_cast<TMenuItem*>(sender); };
    Help->Click();
    EXPECT_EQ(Menu->Items()->Count(), 1);
}

TEST_F(MenuTree, ShortcutsClickEnabledItemsAfterTheirParentsUpdate) {
    Exit->SetShortCut(scAlt | 'X');
    Exit->SetEnabled(false);
    int exits = 0;
    Exit->OnClick = [&](TObject*) { ++exits; };
    EXPECT_FALSE(Menu->IsShortCut('X', TShiftState{ssAlt}));
    File->OnClick = [&](TObject*) { Exit->SetEnabled(true); };
    EXPECT_TRUE(Menu->IsShortCut('X', TShiftState{ssAlt}));
    EXPECT_EQ(exits, 1);
    EXPECT_FALSE(Menu->IsShortCut('X', TShiftState{ssCtrl}));

    File->OnClick = nullptr;
    File->SetEnabled(false); // a disabled sub-menu disables what is under it
    EXPECT_FALSE(Menu->IsShortCut('X', TShiftState{ssAlt}));
    File->SetEnabled(true);

    MSG msg{};
    msg.message = WM_SYSKEYDOWN;
    msg.wParam = 'X';
    msg.lParam = 1 << 29; // Alt held
    EXPECT_TRUE(Menu->IsShortCut(msg));
    msg.message = WM_KEYUP;
    EXPECT_FALSE(Menu->IsShortCut(msg));
    EXPECT_EQ(exits, 2);
}

TEST_F(MenuTree, MenuCharFindsTheMnemonicAmongVisibleEntries) {
    LRESULT result = 0;
    Open->SetVisible(false);
    EXPECT_TRUE(Menu->ProcessMenuChar(L'x', File->Handle(), result));
    EXPECT_EQ(result, MAKELRESULT(1, MNC_EXECUTE)); // Line at 0, Exit at 1
    EXPECT_FALSE(Menu->ProcessMenuChar(L'o', File->Handle(), result));
    EXPECT_FALSE(Menu->ProcessMenuChar(L'x', CreatePopupMenu(), result));
}

TEST(MenuItem, BuiltFromANativeEntry) {
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING | MF_CHECKED | MF_GRAYED, 61536, L"&Close\tAlt+F4");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, 7, L"Odd\tnot a key");
    auto close = TMenuItem::FromNative(menu, 0, true);
    ASSERT_TRUE(close);
    EXPECT_EQ(close->Caption(), L"&Close");
    EXPECT_EQ(close->ShortCut(), scAlt | VK_F4);
    EXPECT_FALSE(close->Enabled());
    EXPECT_TRUE(close->Checked());
    EXPECT_EQ(close->Tag(), 61536);
    EXPECT_EQ(TMenuItem::FromNative(menu, 1, true)->Caption(), L"-");
    EXPECT_EQ(TMenuItem::FromNative(menu, 7, false)->Caption(), L"Odd\tnot a key");
    EXPECT_EQ(TMenuItem::FromNative(menu, 3, true), nullptr);
    // An owner-drawn entry that kept its text.
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_ID;
    mii.fType = MFT_OWNERDRAW;
    mii.wID = 8;
    wchar_t text[] = L"Drawn";
    mii.dwTypeData = text;
    InsertMenuItemW(menu, 3, TRUE, &mii);
    EXPECT_EQ(TMenuItem::FromNative(menu, 8, false)->Caption(), L"Drawn");
    DestroyMenu(menu);
}

} // namespace
} // namespace orvo

// Popup menus tracked for real (keys pressed inside the shown menu), and the messages of the
// popup window: commands, sub-menu openings, selection, owner drawing.
#include "framework/menus/popup_menu.h"

#include "menu_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvo {
namespace {

using Texts = std::vector<std::wstring>;

class PopupMenu : public ::testing::Test {
protected:
    PopupMenu() {
        for (auto [item, caption] : {std::pair{Copy, L"&Copy"}, {Paste, L"&Paste"}, {More, L"&More"}}) {
            item->SetCaption(caption);
            Menu->Items()->Add(item);
        }
        Deeper->SetCaption(L"&Deeper");
        More->Add(Deeper);
        for (TMenuItem* item : {Copy, Paste, More, Deeper})
            item->OnClick = [this](TObject* sender) {
                Calls.push_back(static_cast<TMenuItem*>(sender)->Caption());
            };
        Menu->OnPopup = [this](TObject*) { Calls.push_back(L"popup"); };
    }

    TComponent Form{nullptr};
    TPopupMenu* Menu = new TPopupMenu(&Form);
    TMenuItem* Copy = new TMenuItem(&Form);
    TMenuItem* Paste = new TMenuItem(&Form);
    TMenuItem* More = new TMenuItem(&Form);
    TMenuItem* Deeper = new TMenuItem(&Form);
    Texts Calls;
};

TEST_F(PopupMenu, APickedItemRunsBeforePopupReturns) {
    test::PressKeysInNextMenu({VK_DOWN, VK_DOWN, VK_RETURN});
    Menu->Popup(100, 100);
    EXPECT_EQ(Calls, (Texts{L"popup", L"&Paste"}));
}

TEST_F(PopupMenu, OpeningASubMenuLetsItsItemUpdateIt) {
    More->OnClick = [this](TObject*) {
        Calls.push_back(L"more opens");
        Deeper->SetCaption(L"&Deeper (updated)");
    };
    test::PressKeysInNextMenu({VK_UP, VK_RIGHT, VK_RETURN});
    Menu->Popup(100, 100);
    EXPECT_EQ(Calls, (Texts{L"popup", L"more opens", L"&Deeper (updated)"}));
}

TEST_F(PopupMenu, DismissingRunsNothing) {
    test::PressKeysInNextMenu({VK_ESCAPE});
    Menu->Popup(100, 100);
    EXPECT_EQ(Calls, (Texts{L"popup"}));
    // Nothing was left behind for a later message loop either.
    test::PumpUntil([] { return true; });
    EXPECT_EQ(Calls.size(), 1u);
}

TEST_F(PopupMenu, ItsWindowPassesMessagesToTheOwningMenu) {
    HWND window = TPopupMenu::PopupWindow();
    SendMessageW(window, WM_COMMAND, Paste->Command(), 0);
    SendMessageW(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(More->Handle()), 1);
    EXPECT_EQ(Calls, (Texts{L"&Paste", L"&More"}));
    // Another popup's items are found too; a control's notification is not a menu command.
    TPopupMenu other(&Form);
    TMenuItem* item = new TMenuItem(&Form);
    other.Items()->Add(item);
    item->OnClick = [this](TObject*) { Calls.push_back(L"other"); };
    SendMessageW(window, WM_COMMAND, item->Command(), 0);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(Copy->Command(), BN_CLICKED),
                 reinterpret_cast<LPARAM>(window));
    EXPECT_EQ(Calls.back(), L"other");
    EXPECT_EQ(Calls.size(), 3u);

    std::vector<TMenuItem*> selected;
    SetMenuSelectHandler([&](TMenuItem* i) { selected.push_back(i); });
    HMENU root = Menu->GetHandle();
    SendMessageW(window, WM_MENUSELECT, MAKEWPARAM(Copy->Command(), MF_STRING),
                 reinterpret_cast<LPARAM>(root));
    SendMessageW(window, WM_MENUSELECT, MAKEWPARAM(2, MF_POPUP), reinterpret_cast<LPARAM>(root));
    SendMessageW(window, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    SetMenuSelectHandler(nullptr);
    EXPECT_EQ(selected, (std::vector<TMenuItem*>{Copy, More, nullptr}));
}

TEST_F(PopupMenu, OwnerDrawnItemsAreMeasuredAndDrawnWhileShown) {
    Menu->SetOwnerDraw(true);
    int measured = 0;
    int drawn = 0;
    for (TMenuItem* item : {Copy, Paste, More}) {
        item->OnMeasureItem = [&](TObject*, TCanvas&, int&, int&) { ++measured; };
        item->OnDrawItem = [&](TObject*, TCanvas&, const RECT&, bool) { ++drawn; };
    }
    test::PressKeysInNextMenu({VK_DOWN, VK_ESCAPE});
    Menu->Popup(100, 100);
    EXPECT_GE(measured, 3);
    EXPECT_GE(drawn, 3);
}

TEST_F(PopupMenu, AnItemMayFreeTheMenuThatShowsIt) {
    Copy->OnClick = [this](TObject*) { delete Menu; };
    test::PressKeysInNextMenu({VK_DOWN, VK_RETURN});
    Menu->Popup(100, 100);
    EXPECT_EQ(Form.ComponentCount(), 0); // the menu freed its items with it
}

TEST_F(PopupMenu, ForgetsThePopupComponentWhenItGoes) {
    auto* control = new TComponent(&Form);
    Menu->SetPopupComponent(control);
    EXPECT_EQ(Menu->PopupComponent(), control);
    delete control;
    EXPECT_EQ(Menu->PopupComponent(), nullptr);
    TComponent outsider(nullptr); // another owner: a free notification keeps it safe too
    Menu->SetPopupComponent(&outsider);
    delete Menu;
}

} // namespace
} // namespace orvo

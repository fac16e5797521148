// Skinned menus: the bar's layout and hits, its drop-downs opened by mouse and keyboard with exactly
// one open at a time, the items the skin paints, the popup windows' skinned frame, the system menu
// and the form's popup menus, menus changing at run time, and nothing left hooked afterwards.
#include "framework/graphics/bitmap.h"
#include "framework/menus/menus.h"
#include "skin/data/skin_protocol.h"
#include "skin/form/menu_bar.h"
#include "skin/form/menu_items.h"
#include "skin/manager/popup_menu_skin.h"
#include "skin/manager/skin_manager.h"
#include "tests/framework/support/pump.h"
#include "tests/skin/form/skin_test_form.h"

#include <gtest/gtest.h>

namespace orvo::test {
namespace {

COLORREF Rgb(TColor c) {
    return static_cast<COLORREF>(ColorToRGB(c)) & 0xFFFFFF;
}

// What was seen while a menu was open, and the menu closed.
struct TOpenMenuLook {
    int Count = -1;
    bool Skinned = false;
    RECT Rect{};
};

TOpenMenuLook LookAtOpenMenu() {
    TOpenMenuLook look;
    const std::vector<HWND> menus = VisibleMenuWindows();
    look.Count = static_cast<int>(menus.size());
    if (!menus.empty()) {
        look.Skinned = SendMessageW(menus.front(), SKM_ISSKINNED, 0, 0) == 1;
        GetWindowRect(menus.front(), &look.Rect);
    }
    return look;
}

// Moves the mouse and queues the move the system reports for it (Wine's menu loop sees no move
// from SetCursorPos or SendInput in the same process).
void MoveMouse(HWND window, int x, int y) {
    SetCursorPos(x, y);
    POINT client{x, y};
    ScreenToClient(window, &client);
    PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
}

// Runs `action` from the message loop once exactly one menu window shows, at `left` (screen), or
// after many tries.
void WhenMenuAt(int left, std::function<void()> action, int tries = 400) {
    Later([=] {
        const std::vector<HWND> menus = VisibleMenuWindows();
        RECT r{};
        if (menus.size() == 1) GetWindowRect(menus.front(), &r);
        if ((menus.size() == 1 && r.left == left) || tries <= 0) {
            action();
            return;
        }
        Sleep(2);
        WhenMenuAt(left, action, tries - 1);
    });
}

TEST(MenuBar, LaysOutItsItemsInTheFrame) {
    TSkinnedFormHost host;
    TWinSkinForm* skin = host.Skin();
    ASSERT_TRUE(skin);
    TWinSkinMenu* bar = skin->MenuBar();
    ASSERT_TRUE(bar);
    ASSERT_EQ(bar->ItemCount(), 3);
    EXPECT_EQ(bar->Item(0)->Caption, L"&File");
    EXPECT_TRUE(bar->Item(0)->SubMenu);
    EXPECT_FALSE(bar->Item(2)->SubMenu) << "Run is a command";
    const RECT first = bar->Item(0)->BoundsRect;
    EXPECT_EQ(first.left, skin->BorderLeft() + 6) << "the default skin has no MenuBar element";
    EXPECT_EQ(first.top, skin->BorderTop());
    EXPECT_EQ(bar->Item(1)->BoundsRect.left, first.right);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, MenuFont().Handle());
    RECT text{0, 0, 0, 0};
    DrawTextW(dc, L"&File", -1, &text, DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(first.right - first.left, text.right + 10);
    EXPECT_EQ(bar->ItemAt(POINT{first.left + 2, first.top + 2}), bar->Item(0));
    EXPECT_EQ(bar->ItemAt(POINT{first.left - 2, first.top + 2}), nullptr);
    EXPECT_EQ(bar->FindMnemonic(L'e'), bar->Item(1));
    EXPECT_EQ(bar->FindMnemonic(L'q'), nullptr);
    EXPECT_EQ(bar->FirstItem(), bar->Item(0));
    EXPECT_EQ(HitTest(host.Handle(), POINT{first.left + 2, first.top + 2}), HTMENU);
}

TEST(MenuBar, OpensOneDropDownAtATimeAndMovesAlongTheBar) {
    TSkinnedFormHost host;
    TWinSkinForm* skin = host.Skin();
    ASSERT_TRUE(skin && skin->MenuBar());
    HWND h = host.Handle();
    TWinSkinMenu* bar = skin->MenuBar();
    RECT window{};
    GetWindowRect(h, &window);
    TOpenMenuLook file, edit, wrapped;
    const RECT& item = bar->Item(0)->BoundsRect;
    const int fileLeft = window.left + item.left, editLeft = window.left + bar->Item(1)->BoundsRect.left;
    WhenMenuAt(fileLeft, [&] {
        file = LookAtOpenMenu();
        PostMessageW(h, WM_KEYDOWN, VK_RIGHT, 0);
        WhenMenuAt(editLeft, [&] {
            edit = LookAtOpenMenu();
            PostMessageW(h, WM_KEYDOWN, VK_RIGHT, 0); // past Run (a command) to File again
            WhenMenuAt(fileLeft, [&] {
                wrapped = LookAtOpenMenu();
                PostMessageW(h, WM_KEYDOWN, VK_ESCAPE, 0);
            });
        });
    });
    SendNcMouse(h, WM_NCLBUTTONDOWN, POINT{item.left + 3, item.top + 3}); // returns when the menus closed
    EXPECT_EQ(file.Count, 1);
    EXPECT_TRUE(file.Skinned);
    EXPECT_EQ(file.Rect.left, window.left + item.left) << "under its item";
    EXPECT_EQ(file.Rect.top, window.top + item.bottom);
    EXPECT_EQ(edit.Count, 1) << "the first drop-down is gone before the next opens";
    EXPECT_EQ(edit.Rect.left, window.left + bar->Item(1)->BoundsRect.left);
    EXPECT_EQ(wrapped.Count, 1);
    EXPECT_EQ(wrapped.Rect.left, window.left + item.left);
    Pump(30);
    EXPECT_TRUE(VisibleMenuWindows().empty());
    EXPECT_FALSE(bar->Tracking());
    EXPECT_TRUE(ExistingSkinManager()->PopupMenus().empty()) << "nothing left subclassed";
    EXPECT_EQ(ExistingSkinManager()->MenuSource(), TMenuSource::PopupMenu);
}

TEST(MenuBar, TheMouseMovesAlongTheBar) {
    TSkinnedFormHost host;
    TWinSkinForm* skin = host.Skin();
    ASSERT_TRUE(skin && skin->MenuBar());
    HWND h = host.Handle();
    TWinSkinMenu* bar = skin->MenuBar();
    RECT window{};
    GetWindowRect(h, &window);
    const RECT file = bar->Item(0)->BoundsRect, edit = bar->Item(1)->BoundsRect;
    TOpenMenuLook second;
    MoveMouse(h, window.left + file.left + 3, window.top + file.top + 3);
    Pump(30);
    WhenMenuAt(window.left + file.left, [&] {
        MoveMouse(h, window.left + edit.left + 4, window.top + edit.top + 4);
        WhenMenuAt(window.left + edit.left, [&] {
            second = LookAtOpenMenu();
            EndMenu();
        });
    });
    SendNcMouse(h, WM_NCLBUTTONDOWN, POINT{file.left + 3, file.top + 3});
    EXPECT_EQ(second.Count, 1);
    EXPECT_EQ(second.Rect.left, window.left + edit.left);
    Pump(30);
    EXPECT_TRUE(VisibleMenuWindows().empty());
}

TEST(MenuBar, KeyboardOpensTheFirstItemOrTheMnemonicsItem) {
    TSkinnedFormHost host;
    TWinSkinForm* skin = host.Skin();
    ASSERT_TRUE(skin && skin->MenuBar());
    HWND h = host.Handle();
    RECT window{};
    GetWindowRect(h, &window);
    TOpenMenuLook look;
    auto look_and_close = [&] {
        Later([&] {
            Pump(40);
            look = LookAtOpenMenu();
            EndMenu();
        });
    };
    look_and_close();
    SendMessageW(h, WM_SYSCOMMAND, SC_KEYMENU, 0); // a bare Alt or F10
    EXPECT_EQ(look.Count, 1);
    EXPECT_EQ(look.Rect.left, window.left + skin->MenuBar()->Item(0)->BoundsRect.left);
    look = {};
    look_and_close();
    SendMessageW(h, WM_SYSCOMMAND, SC_KEYMENU, L'e');
    EXPECT_EQ(look.Count, 1);
    EXPECT_EQ(look.Rect.left, window.left + skin->MenuBar()->Item(1)->BoundsRect.left);

    // Strings of entries turned owner-drawn are still there for whoever reads them.
    wchar_t text[32]{};
    GetMenuStringW(host.Form->mnFile->Handle(), host.Form->mnOpen->Command(), text, 32, MF_BYCOMMAND);
    EXPECT_STREQ(text, L"&Open\tCtrl+O");
}

// The window hears WM_INITMENUPOPUP before a bar item's drop-down shows (the framework runs the
// item's OnClick, which may change the entries); entries with the commands the platform keeps
// (1 to 4095) that the framework menu does not know keep the platform's drawing.
TEST(MenuBar, ADropDownIsUpdatedBeforeItShowsAndPlatformEntriesKeepTheirLook) {
    TSkinnedFormHost host;
    TWinSkinForm* skin = host.Skin();
    ASSERT_TRUE(skin && skin->MenuBar());
    HWND h = host.Handle();
    int updates = 0;
    std::size_t menusWhenUpdated = 99;
    TMenuItem* edit = host.Form->mnEdit;
    edit->OnClick = [&](TObject*) {
        ++updates;
        menusWhenUpdated = VisibleMenuWindows().size();
        edit->Items(0)->SetEnabled(false);
    };
    HMENU file = host.Form->mnFile->Handle();
    ASSERT_TRUE(AppendMenuW(file, MF_STRING, 100, L"Platform's"));
    ASSERT_TRUE(AppendMenuW(file, MF_STRING, 5000, L"Beyond"));
    auto type = [&](UINT id) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        GetMenuItemInfoW(file, id, FALSE, &info);
        return info.fType;
    };
    UINT platformType = 0, beyondType = 0, frameworkType = 0;
    bool copyEnabled = true;
    Later([&] {
        Pump(40);
        platformType = type(100);
        beyondType = type(5000);
        frameworkType = type(host.Form->mnOpen->Command());
        EndMenu();
    });
    SendMessageW(h, WM_SYSCOMMAND, SC_KEYMENU, L'f');
    EXPECT_EQ(updates, 0) << "only the item whose drop-down opens";
    EXPECT_FALSE(platformType & MFT_OWNERDRAW) << "left to the platform";
    EXPECT_TRUE(beyondType & MFT_OWNERDRAW) << "drawn by the skin";
    EXPECT_TRUE(frameworkType & MFT_OWNERDRAW);
    MEASUREITEMSTRUCT measure{ODT_MENU, 0, 100, 0, 0, 0};
    EXPECT_EQ(SendMessageW(h, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)), 0)
        << "the skin measures no platform entry";
    Later([&] {
        Pump(40);
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE;
        GetMenuItemInfoW(edit->Handle(), 0, TRUE, &info);
        copyEnabled = !(info.fState & MFS_GRAYED);
        EndMenu();
    });
    SendMessageW(h, WM_SYSCOMMAND, SC_KEYMENU, L'e');
    EXPECT_EQ(updates, 1) << "once per opening";
    EXPECT_EQ(menusWhenUpdated, 0u) << "before the drop-down shows";
    EXPECT_FALSE(copyEnabled) << "the drop-down shows what the update made of it";
}

TEST(MenuBar, ACommandItemRunsOnceAndOpensNothing) {
    TSkinnedFormHost host;
    TWinSkinForm* skin = host.Skin();
    ASSERT_TRUE(skin && skin->MenuBar());
    int clicks = 0;
    host.Form->mnRun->OnClick = [&](TObject*) { ++clicks; };
    const RECT& item = skin->MenuBar()->Item(2)->BoundsRect;
    SendNcMouse(host.Handle(), WM_NCLBUTTONDOWN, POINT{item.left + 3, item.top + 3});
    EXPECT_TRUE(VisibleMenuWindows().empty());
    ASSERT_TRUE(PumpUntil([&] { return clicks > 0; }));
    Pump(50);
    EXPECT_EQ(clicks, 1);
}

TEST(MenuBar, AltInAWindowWithoutMenuBarOpensNothing) {
    TSkinnedFormHost host;
    TForm plain(nullptr);
    plain.SetBounds(500, 100, 240, 160);
    plain.Show();
    SetForegroundWindow(plain.Handle());
    TSkinManage* manager = ExistingSkinManager();
    ASSERT_TRUE(PumpUntil([&] { return manager->FindFormSkin(plain.Handle()) != nullptr; }));
    int menus = 0;
    Later([&] {
        menus = static_cast<int>(VisibleMenuWindows().size());
        EndMenu();
    });
    SendMessageW(plain.Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
    SendMessageW(plain.Handle(), WM_SYSCOMMAND, SC_KEYMENU, L'x');
    Pump(50);
    EXPECT_EQ(menus, 0);
    EXPECT_TRUE(VisibleMenuWindows().empty());
}

TEST(MenuBar, FollowsMenusChangedOrReplacedAtRunTime) {
    TSkinnedFormHost host;
    TWinSkinForm* skin = host.Skin();
    ASSERT_TRUE(skin && skin->MenuBar());
    auto* item = new TMenuItem(host.Form);
    item->SetCaption(L"&Window");
    host.Form->MainMenu1->Items()->Add(item);
    Pump(20);
    EXPECT_EQ(skin->MenuBar()->ItemCount(), 4);
    EXPECT_EQ(GetMenu(host.Handle()), nullptr);

    auto* other = new TMainMenu(host.Form);
    auto* only = new TMenuItem(host.Form);
    only->SetCaption(L"&Only");
    other->Items()->Add(only);
    host.Form->SetMenu(other);
    Pump(20);
    ASSERT_TRUE(skin->MenuBar());
    EXPECT_EQ(skin->MenuBar()->ItemCount(), 1);
    EXPECT_EQ(skin->MenuBar()->Item(0)->Caption, L"&Only");
    EXPECT_EQ(GetMenu(host.Handle()), nullptr);

    host.Form->SetMenu(nullptr);
    Pump(20);
    EXPECT_EQ(skin->MenuBar(), nullptr);
    EXPECT_EQ(skin->MenuHeight(), 0);
    RECT client{};
    GetClientRect(host.Handle(), &client);
    EXPECT_EQ(client.bottom, 200) << "the client keeps its size when the strip goes";
}

TEST(MenuItems, PlainLookPixelExact) {
    TSkinnedFormHost host({}, false);
    TSkinData& skin = *host.Form->SkinData1;
    ASSERT_EQ(skin.MenuItem(), nullptr) << "the default skin has no MenuItem element";
    TBitmap target(120, 60, pf32bit);
    HDC dc = target.Canvas().Handle();
    TMenuItemFace face;
    face.Caption = L"&Open";
    face.ShortCut = L"Ctrl+O";
    PaintMenuItem(skin, dc, RECT{0, 0, 120, 20}, face, true, {});
    EXPECT_EQ(Rgb(target.PixelColor(119, 0)), Rgb(skin.Colour(scHilight))) << "selected: the highlight";
    PaintMenuItem(skin, dc, RECT{0, 20, 120, 40}, face, false, {});
    EXPECT_EQ(Rgb(target.PixelColor(119, 20)), Rgb(skin.Colour(scMenu)));
    int textPixels = 0;
    for (int y = 20; y < 40; ++y)
        for (int x = 0; x < 120; ++x) textPixels += Rgb(target.PixelColor(x, y)) == Rgb(skin.Colour(scMenuText));
    EXPECT_GT(textPixels, 10);
    TMenuItemFace line;
    line.Separator = true;
    PaintMenuItem(skin, dc, RECT{0, 40, 120, 48}, line, false, {});
    EXPECT_EQ(Rgb(target.PixelColor(60, 44)), GetSysColor(COLOR_BTNSHADOW) & 0xFFFFFF) << "an etched line 4 below the top";
    EXPECT_EQ(Rgb(target.PixelColor(60, 47)), Rgb(skin.Colour(scMenu)));
}

TEST(MenuItems, DisabledTextStaysDistinguishable) {
    TSkinnedFormHost host({}, false);
    TSkinData& skin = *host.Form->SkinData1;
    TBitmap target(120, 20, pf32bit);
    TMenuItemFace face;
    face.Caption = L"Disabled";
    face.Enabled = false;
    PaintMenuItem(skin, target.Canvas().Handle(), RECT{0, 0, 120, 20}, face, false, {});
    int shadow = 0, normal = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 120; ++x) {
            shadow += Rgb(target.PixelColor(x, y)) == Rgb(skin.Colour(scButtonShadow));
            normal += Rgb(target.PixelColor(x, y)) == Rgb(skin.Colour(scMenuText));
        }
    EXPECT_GT(shadow, 10);
    EXPECT_EQ(normal, 0);
}

TEST(PopupMenus, AreSkinnedWindowsWithTheSkinsBackground) {
    TSkinnedFormHost host;
    TSkinData& data = *host.Form->SkinData1;
    TDataSkinObject* background = data.MenuBackground();
    ASSERT_TRUE(background && !background->Image.Empty());
    EXPECT_TRUE(host.Form->PopupMenu1->OwnerDraw()) << "the form's popup menu is drawn by the skin";
    TOpenMenuLook look;
    COLORREF corner = 0, expected = Rgb(background->Image.PixelColor(0, 0));
    bool hasBackground = false;
    Later([&] {
        Pump(40);
        look = LookAtOpenMenu();
        const std::vector<HWND> menus = VisibleMenuWindows();
        if (!menus.empty()) {
            corner = WindowPixel(menus.front(), 0, 0);
            for (const auto& popup : ExistingSkinManager()->PopupMenus())
                hasBackground = hasBackground || (popup->Background() && !popup->Background()->Empty());
        }
        EndMenu();
    });
    host.Form->PopupMenu1->Popup(300, 300);
    EXPECT_EQ(look.Count, 1);
    EXPECT_TRUE(look.Skinned);
    EXPECT_TRUE(hasBackground);
    EXPECT_EQ(corner, expected) << "the frame is the skin's";
    Pump(30);
    EXPECT_TRUE(ExistingSkinManager()->PopupMenus().empty());
}

TEST(PopupMenus, SkinningOffWithAMenuOpenBreaksNothing) {
    TSkinnedFormHost host;
    TSkinManage* manager = ExistingSkinManager();
    Later([&] {
        Pump(30);
        manager->SetPendingSkinData(host.Form->SkinData1);
        manager->RequestAction(TSkinAction::SwitchOff, 1);
        manager->DoPendingAction();
        Pump(30);
        EndMenu();
    });
    host.Form->PopupMenu1->Popup(300, 300);
    Pump(30);
    EXPECT_FALSE(host.Form->PopupMenu1->OwnerDraw()) << "given back its own drawing";
    EXPECT_TRUE(manager->PopupMenus().empty());
    manager->SetPendingSkinData(host.Form->SkinData1);
    manager->RequestAction(TSkinAction::SwitchOn, 1);
    manager->DoPendingAction();
    EXPECT_TRUE(PumpUntil([&] { return host.Skin() != nullptr; }));
}

} // namespace
} // namespace orvo::test

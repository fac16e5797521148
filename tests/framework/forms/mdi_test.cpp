// MDI frames and children under Wine: stored frames and children, activation, maximise / restore /
// minimise (by the form, the child's caption commands and the frame's menu-bar buttons), cascade
// and tile, the window menu, menu merging, closing children and the frame, handle counts over
// many cycles, and the MDI keys.
#include "framework/controls/edit.h"
#include "framework/controls/panel.h"
#include "framework/forms/application.h"
#include "framework/forms/forms.h"
#include "framework/forms/screen.h"
#include "framework/menus/menus.h"
#include "framework/window/window_property.h"
#include "tests/framework/support/gdi_count.h"
#include "tests/framework/support/pump.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace orvo {

class TfMdiFrame : public TForm {
    ORVO_CLASS(TfMdiFrame, TForm)
public:
    explicit TfMdiFrame(TComponent* owner) : TForm(owner) {}

    TPanel* ToolBar = nullptr;
    TMainMenu* MainMenu1 = nullptr;
    TMenuItem* miFile = nullptr;
    TMenuItem* miNew = nullptr;
    TMenuItem* miView = nullptr;
    TMenuItem* miToolBar = nullptr;
    TMenuItem* miWindow = nullptr;
    TMenuItem* miCascade = nullptr;
    int NewClicks = 0;
    int MenuChangedNotices = 0;

    void miNewClick(TObject*) { ++NewClicks; }

    static void Publish(TPublisher<TfMdiFrame>& p) {
        p.Field(L"ToolBar", &TfMdiFrame::ToolBar);
        p.Field(L"MainMenu1", &TfMdiFrame::MainMenu1);
        p.Field(L"miFile", &TfMdiFrame::miFile);
        p.Field(L"miNew", &TfMdiFrame::miNew);
        p.Field(L"miView", &TfMdiFrame::miView);
        p.Field(L"miToolBar", &TfMdiFrame::miToolBar);
        p.Field(L"miWindow", &TfMdiFrame::miWindow);
        p.Field(L"miCascade", &TfMdiFrame::miCascade);
        p.Method(L"miNewClick", &TfMdiFrame::miNewClick);
    }

protected:
    void WndProc(TMessage& m) override {
        if (m.Msg == CM_MENUCHANGED) ++MenuChangedNotices;
        TForm::WndProc(m);
    }
};
ORVO_IMPLEMENT_CLASS(TfMdiFrame);

class TfMdiChild : public TForm {
    ORVO_CLASS(TfMdiChild, TForm)
public:
    explicit TfMdiChild(TComponent* owner) : TForm(owner) {}

    TEdit* edtText = nullptr;
    TMainMenu* ChildMenu = nullptr;
    TMenuItem* miEdit = nullptr;
    TMenuItem* miCopy = nullptr;
    TMenuItem* miDocView = nullptr;
    bool CreatedWithControls = false;
    int CopyClicks = 0;

    void FormCreate(TObject*) { CreatedWithControls = edtText && ChildMenu && !HandleAllocated(); }
    void miCopyClick(TObject*) { ++CopyClicks; }

    static void Publish(TPublisher<TfMdiChild>& p) {
        p.Field(L"edtText", &TfMdiChild::edtText);
        p.Field(L"ChildMenu", &TfMdiChild::ChildMenu);
        p.Field(L"miEdit", &TfMdiChild::miEdit);
        p.Field(L"miCopy", &TfMdiChild::miCopy);
        p.Field(L"miDocView", &TfMdiChild::miDocView);
        p.Method(L"FormCreate", &TfMdiChild::FormCreate);
        p.Method(L"miCopyClick", &TfMdiChild::miCopyClick);
    }
};
ORVO_IMPLEMENT_CLASS(TfMdiChild);

namespace {

std::unique_ptr<TfMdiFrame> ShowFrame() {
    std::unique_ptr<TfMdiFrame> frame(CreateForm<TfMdiFrame>(nullptr));
    frame->Show();
    SetForegroundWindow(frame->Handle());
    test::PumpUntil([&] { return frame->Active(); }, 1000);
    return frame;
}

TfMdiChild* OpenChild(TfMdiFrame& frame, const std::wstring& caption) {
    TfMdiChild* child = CreateForm<TfMdiChild>(&frame);
    child->SetCaption(caption);
    test::Pump(20);
    return child;
}

std::wstring WindowText(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

std::wstring EntryText(HMENU menu, int position) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
    return text;
}

// The texts of the bar's entries that have one (a maximised child's entries are bitmaps).
std::vector<std::wstring> BarTexts(HWND window) {
    std::vector<std::wstring> texts;
    HMENU bar = GetMenu(window);
    for (int i = 0; i < GetMenuItemCount(bar); ++i)
        if (std::wstring text = EntryText(bar, i); !text.empty()) texts.push_back(text);
    return texts;
}

bool BarHasCommand(HWND window, UINT command) {
    HMENU bar = GetMenu(window);
    for (int i = 0; i < GetMenuItemCount(bar); ++i)
        if (GetMenuItemID(bar, i) == command) return true;
    return false;
}

RECT BoundsInClient(const TCustomForm& frame, TCustomForm& child) {
    RECT r{};
    GetWindowRect(child.Handle(), &r);
    MapWindowPoints(HWND_DESKTOP, frame.ClientHandle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Presses a key with Ctrl held, through the application's loop (the thread's key state says Ctrl).
void PressWithCtrl(HWND window, WORD key) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    BYTE held[256];
    std::copy(std::begin(keys), std::end(keys), held);
    held[VK_CONTROL] = held[VK_LCONTROL] = 0x80;
    SetKeyboardState(held);
    PostMessageW(window, WM_KEYDOWN, key, 1);
    test::Pump(50);
    SetKeyboardState(keys);
}

// Wine answers 0 to GetGuiResources: count USER objects by filling the handle table with menus.
long UserObjectsInUse() {
    if (const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS))
        return static_cast<long>(counted);
    std::vector<HMENU> probes;
    probes.reserve(70000);
    while (probes.size() < 70000) {
        HMENU menu = CreatePopupMenu();
        if (!menu) break;
        probes.push_back(menu);
    }
    for (HMENU menu : probes)
        DestroyMenu(menu);
    return 70000 - static_cast<long>(probes.size());
}

} // namespace

TEST(MdiForms, FrameAndChildrenComeFromStoredForms) {
    auto frame = ShowFrame();
    EXPECT_EQ(frame->FormStyle(), fsMDIForm);
    EXPECT_EQ(frame->WindowMenu(), frame->miWindow);
    EXPECT_EQ(frame->TileMode(), tbVertical);
    HWND client = frame->ClientHandle();
    ASSERT_NE(client, nullptr);
    wchar_t className[32] = {};
    GetClassNameW(client, className, 32);
    EXPECT_STREQ(className, L"MDIClient");
    EXPECT_EQ(GetParent(client), frame->Handle());
    // The client fills what the tool bar along the top leaves.
    RECT area{};
    GetWindowRect(client, &area);
    MapWindowPoints(HWND_DESKTOP, frame->Handle(), reinterpret_cast<POINT*>(&area), 2);
    EXPECT_EQ(area.top, 30);
    EXPECT_EQ(area.bottom, 400);
    EXPECT_EQ(area.right - area.left, 600);
    frame->SetBounds(frame->Left(), frame->Top(), frame->Width() + 40, frame->Height() + 20);
    GetWindowRect(client, &area);
    EXPECT_EQ(area.right - area.left, 640) << "the client follows the frame's size";

    TfMdiChild* first = OpenChild(*frame, L"Document 1");
    TfMdiChild* second = OpenChild(*frame, L"Document 2");
    EXPECT_TRUE(first->CreatedWithControls) << "OnCreate runs on the whole stored child, before its window";
    EXPECT_EQ(first->MDIFrame(), frame.get());
    EXPECT_EQ(first->Name(), L"fMdiChild");
    EXPECT_EQ(second->Name(), L"fMdiChild_1") << "two stored children of one frame get unique names";
    EXPECT_EQ(GetParent(first->Handle()), client);
    EXPECT_TRUE(GetWindowLongW(first->Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD);
    EXPECT_EQ(FindControl(first->Handle()), first) << "the window carries the window-to-control property";
    EXPECT_TRUE(IsWindowVisible(first->Handle())) << "a child shows itself when created";
    EXPECT_THROW(first->Hide(), EInvalidOperation);
    EXPECT_EQ(WindowText(first->Handle()), L"Document 1");
    RECT client1{};
    GetClientRect(first->Handle(), &client1);
    EXPECT_EQ(client1.right, 240);
    EXPECT_EQ(client1.bottom, 120) << "a child's menu takes no room in it";
    EXPECT_EQ(first->Left(), 10);
    EXPECT_EQ(first->Top(), 10);

    EXPECT_EQ(frame->MDIChildCount(), 2);
    EXPECT_EQ(frame->ActiveMDIChild(), second) << "the newest child is active";
    EXPECT_EQ(frame->MDIChildren(0), second);
    EXPECT_EQ(frame->MDIChildren(1), first);
    EXPECT_THROW(frame->MDIChildren(2), EListError);
    EXPECT_EQ(GetFocus(), second->edtText->Handle());
    EXPECT_EQ(Screen->ActiveForm(), second);
    int onScreen = 0;
    for (int i = 0; i < Screen->FormCount(); ++i)
        onScreen += Screen->Forms(i) == first || Screen->Forms(i) == second;
    EXPECT_EQ(onScreen, 2);
    EXPECT_THROW(first->SetFormStyle(fsNormal), EInvalidOperation);
    EXPECT_EQ(frame->Caption(), L"Frame");
}

TEST(MdiForms, AChildNeedsAFrame) {
    EXPECT_THROW(std::unique_ptr<TfMdiChild>(CreateForm<TfMdiChild>(nullptr)), EInvalidOperation);
}

TEST(MdiForms, ActivationMovesBetweenChildren) {
    auto frame = ShowFrame();
    TfMdiChild* a = OpenChild(*frame, L"A");
    TfMdiChild* b = OpenChild(*frame, L"B");
    TfMdiChild* c = OpenChild(*frame, L"C");
    std::vector<std::wstring> events;
    for (TfMdiChild* child : {a, b, c}) {
        child->OnActivate = [&events, child](TObject*) { events.push_back(child->Caption() + L"+"); };
        child->OnDeactivate = [&events, child](TObject*) { events.push_back(child->Caption() + L"-"); };
    }
    ASSERT_EQ(frame->ActiveMDIChild(), c);
    a->SetFocus();
    test::Pump(20);
    EXPECT_EQ(frame->ActiveMDIChild(), a);
    EXPECT_TRUE(a->Active());
    EXPECT_FALSE(c->Active());
    EXPECT_EQ((std::vector<std::wstring>{L"C-", L"A+"}), events);
    EXPECT_EQ(GetFocus(), a->edtText->Handle()) << "the child's control gets the focus back";
    EXPECT_EQ(Screen->ActiveForm(), a);
    EXPECT_EQ(frame->MDIChildren(0), a);

    events.clear();
    frame->Next();
    test::Pump(20);
    TCustomForm* afterNext = frame->ActiveMDIChild();
    EXPECT_NE(afterNext, a);
    frame->Previous();
    test::Pump(20);
    EXPECT_EQ(frame->ActiveMDIChild(), a) << "Previous goes back to where Next came from";
    EXPECT_EQ(events.size(), 4u);

    // A click on a control of an inactive child activates that child.
    b->edtText->SetFocus();
    test::Pump(20);
    EXPECT_EQ(frame->ActiveMDIChild(), b);
    EXPECT_EQ(GetFocus(), b->edtText->Handle());
}

TEST(MdiForms, MaximiseRestoreAndMinimiseAChild) {
    auto frame = ShowFrame();
    TfMdiChild* first = OpenChild(*frame, L"One");
    TfMdiChild* second = OpenChild(*frame, L"Two");
    const int plainEntries = GetMenuItemCount(GetMenu(frame->Handle()));

    // The child's maximise command, as its caption button sends it.
    SendMessageW(second->Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    test::Pump(20);
    EXPECT_TRUE(IsZoomed(second->Handle()));
    EXPECT_EQ(second->WindowState(), wsMaximized);
    EXPECT_EQ(WindowText(frame->Handle()), L"Frame - [Two]") << "the frame's caption names the child";
    EXPECT_EQ(frame->Caption(), L"Frame") << "the frame's own caption stays";
    EXPECT_EQ(GetMenuItemCount(GetMenu(frame->Handle())), plainEntries + 4)
        << "the child's system menu and its three buttons stand in the frame's bar";
    EXPECT_TRUE(BarHasCommand(frame->Handle(), SC_CLOSE));
    EXPECT_TRUE(BarHasCommand(frame->Handle(), SC_RESTORE));
    EXPECT_TRUE(BarHasCommand(frame->Handle(), SC_MINIMIZE));

    // Changing the bar's items keeps the platform's entries where they are.
    frame->miView->SetCaption(L"&Look");
    frame->miFile->SetVisible(false);
    frame->miFile->SetVisible(true);
    HMENU bar = GetMenu(frame->Handle());
    EXPECT_EQ(GetMenuItemCount(bar), plainEntries + 4);
    EXPECT_NE(GetSubMenu(bar, 0), frame->miFile->Handle()) << "the child's system menu stays first";
    EXPECT_EQ(GetMenuItemID(bar, GetMenuItemCount(bar) - 1), static_cast<UINT>(SC_CLOSE));
    EXPECT_EQ((std::vector<std::wstring>{L"&File", L"&Edit", L"&Page", L"&Window"}), BarTexts(frame->Handle()));

    // A child opened now comes maximised, as the platform's own do.
    TfMdiChild* third = OpenChild(*frame, L"Three");
    EXPECT_TRUE(IsZoomed(third->Handle()));
    EXPECT_EQ(WindowText(frame->Handle()), L"Frame - [Three]");

    // The frame's restore button (a command of its bar) acts on the active child.
    SendMessageW(frame->Handle(), WM_COMMAND, SC_RESTORE, 0);
    test::Pump(20);
    EXPECT_FALSE(IsZoomed(third->Handle()));
    EXPECT_EQ(third->WindowState(), wsNormal);
    EXPECT_EQ(WindowText(frame->Handle()), L"Frame");
    EXPECT_EQ(GetMenuItemCount(GetMenu(frame->Handle())), plainEntries) << "the child's entries left the bar";

    third->SetWindowState(wsMaximized);
    test::Pump(20);
    EXPECT_TRUE(IsZoomed(third->Handle()));
    SendMessageW(frame->Handle(), WM_COMMAND, SC_MINIMIZE, 0);
    test::Pump(20);
    EXPECT_TRUE(IsIconic(third->Handle()));
    EXPECT_EQ(third->WindowState(), wsMinimized);
    // The bar carries a child's entries exactly while the active child is maximised (the
    // platform may maximise the next child in the place of the one minimised).
    const auto barFollowsActiveChild = [&] {
        TCustomForm* active = frame->ActiveMDIChild();
        const bool zoomed = active && IsZoomed(active->Handle());
        return GetMenuItemCount(GetMenu(frame->Handle())) == plainEntries + (zoomed ? 4 : 0);
    };
    EXPECT_TRUE(barFollowsActiveChild());
    for (TCustomForm* child : {static_cast<TCustomForm*>(first), static_cast<TCustomForm*>(second)})
        child->SetWindowState(wsNormal);
    test::Pump(20);
    EXPECT_EQ(GetMenuItemCount(GetMenu(frame->Handle())), plainEntries);

    third->SetWindowState(wsNormal);
    test::Pump(20);
    EXPECT_FALSE(IsIconic(third->Handle()));
    first->SetWindowState(wsMinimized);
    test::Pump(20);
    EXPECT_TRUE(IsIconic(first->Handle()));
    frame->ArrangeIcons();
    const RECT icon = BoundsInClient(*frame, *first);
    RECT clientArea{};
    GetClientRect(frame->ClientHandle(), &clientArea);
    EXPECT_EQ(icon.bottom, clientArea.bottom) << "icons are arranged along the bottom";

    // The frame's close button closes the maximised child.
    second->SetFocus();
    second->SetWindowState(wsMaximized);
    test::Pump(20);
    ASSERT_TRUE(IsZoomed(second->Handle()));
    SendMessageW(frame->Handle(), WM_COMMAND, SC_CLOSE, 0);
    test::PumpUntil([&] { return frame->MDIChildCount() == 2; });
    EXPECT_EQ(frame->MDIChildCount(), 2);
    EXPECT_NE(frame->ActiveMDIChild(), second);
    EXPECT_TRUE(barFollowsActiveChild());
    EXPECT_EQ(WindowText(frame->Handle()) == L"Frame", !IsZoomed(frame->ActiveMDIChild()->Handle()));
}

TEST(MdiForms, CascadeAndTilePlaceTheChildren) {
    auto frame = ShowFrame();
    std::vector<TfMdiChild*> children;
    for (const wchar_t* caption : {L"1", L"2", L"3"})
        children.push_back(OpenChild(*frame, caption));
    RECT client{};
    GetClientRect(frame->ClientHandle(), &client);

    frame->Tile(); // vertical, as stored: side by side
    std::vector<RECT> tiles;
    for (TfMdiChild* child : children)
        tiles.push_back(BoundsInClient(*frame, *child));
    ASSERT_EQ(tiles.size(), 3u);
    std::sort(tiles.begin(), tiles.end(), [](const RECT& x, const RECT& y) { return x.left < y.left; });
    EXPECT_EQ(tiles[0].left, 0);
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        EXPECT_EQ(tiles[i].top, 0);
        EXPECT_EQ(tiles[i].bottom, client.bottom);
        EXPECT_NEAR(tiles[i].right - tiles[i].left, client.right / 3, 2);
        if (i > 0) {
            EXPECT_EQ(tiles[i].left, tiles[i - 1].right) << "tiles neither overlap nor leave gaps";
        }
    }
    EXPECT_EQ(children[0]->Left(), BoundsInClient(*frame, *children[0]).left) << "the form knows where it went";

    frame->SetTileMode(tbHorizontal);
    frame->Tile();
    for (TfMdiChild* child : children) {
        const RECT r = BoundsInClient(*frame, *child);
        EXPECT_EQ(r.left, 0);
        EXPECT_EQ(r.right, client.right);
        EXPECT_NEAR(r.bottom - r.top, client.bottom / 3, 2);
    }

    frame->Cascade();
    std::vector<RECT> cascade;
    for (TfMdiChild* child : children)
        cascade.push_back(BoundsInClient(*frame, *child));
    ASSERT_EQ(cascade.size(), 3u);
    std::sort(cascade.begin(), cascade.end(), [](const RECT& x, const RECT& y) { return x.top < y.top; });
    EXPECT_EQ(cascade[0].left, 0);
    EXPECT_EQ(cascade[0].top, 0);
    for (std::size_t i = 1; i < cascade.size(); ++i) {
        EXPECT_GT(cascade[i].left, cascade[i - 1].left);
        EXPECT_EQ(cascade[i].top - cascade[i - 1].top, cascade[1].top - cascade[0].top) << "one step each";
        EXPECT_EQ(cascade[i].right - cascade[i].left, cascade[0].right - cascade[0].left);
    }
    EXPECT_EQ(frame->ActiveMDIChild(), children[2]) << "arranging keeps the active child";
}

TEST(MdiForms, TheWindowMenuListsTheChildren) {
    auto frame = ShowFrame();
    TfMdiChild* first = OpenChild(*frame, L"Alpha");
    TfMdiChild* second = OpenChild(*frame, L"Beta");
    HMENU windowMenu = frame->miWindow->Handle();
    const auto listed = [&] {
        std::vector<std::wstring> texts;
        for (int i = 0; i < GetMenuItemCount(windowMenu); ++i)
            if (GetMenuItemID(windowMenu, i) >= FirstMDIChildCommand) texts.push_back(EntryText(windowMenu, i));
        return texts;
    };
    EXPECT_EQ(EntryText(windowMenu, 0), L"&Cascade") << "the menu's own items stay first";
    const std::vector<std::wstring> both = listed();
    ASSERT_EQ(both.size(), 2u);
    EXPECT_NE(both[0].find(L"Alpha"), std::wstring::npos);
    EXPECT_NE(both[1].find(L"Beta"), std::wstring::npos);

    // Its entry activates a child.
    SendMessageW(frame->Handle(), WM_COMMAND, FirstMDIChildCommand, 0);
    test::Pump(20);
    EXPECT_EQ(frame->ActiveMDIChild(), first);

    // Items added to the window menu go before the list.
    auto* tile = new TMenuItem(frame.get());
    tile->SetCaption(L"&Tile");
    frame->miWindow->Add(tile);
    EXPECT_EQ(EntryText(windowMenu, 1), L"&Tile");
    EXPECT_EQ(listed().size(), 2u);

    second->SetCaption(L"Gamma");
    test::Pump(20);
    first->Close();
    test::PumpUntil([&] { return frame->MDIChildCount() == 1; });
    const std::vector<std::wstring> one = listed();
    ASSERT_EQ(one.size(), 1u);
    EXPECT_NE(one[0].find(L"Gamma"), std::wstring::npos) << "the list follows captions and closed children";

    // Another window menu takes the list over.
    frame->SetWindowMenu(frame->miView);
    EXPECT_TRUE(listed().empty());
    HMENU viewMenu = frame->miView->Handle();
    bool inView = false;
    for (int i = 0; i < GetMenuItemCount(viewMenu); ++i)
        inView = inView || GetMenuItemID(viewMenu, i) == FirstMDIChildCommand;
    EXPECT_TRUE(inView);
}

TEST(MdiForms, TheActiveChildsMenuIsMergedIntoTheFrames) {
    auto frame = ShowFrame();
    const std::vector<std::wstring> own{L"&File", L"&View", L"&Window"};
    EXPECT_EQ(own, BarTexts(frame->Handle()));
    TfMdiChild* child = OpenChild(*frame, L"Text");
    // Edit (group 1) joins between File (0) and View, Page takes View's place (both group 2).
    EXPECT_EQ((std::vector<std::wstring>{L"&File", L"&Edit", L"&Page", L"&Window"}), BarTexts(frame->Handle()));
    EXPECT_EQ(frame->MainMenu1->Merged(), child->ChildMenu);
    EXPECT_GT(frame->MenuChangedNotices, 0) << "a skin learns that the bar changed";
    EXPECT_EQ(frame->MainMenu1->Items()->Count(), 3) << "the frame's own tree is untouched";

    // The merged items work from the frame's bar and by their shortcuts.
    SendMessageW(frame->Handle(), WM_COMMAND, child->miCopy->Command(), 0);
    EXPECT_EQ(child->CopyClicks, 1);
    PressWithCtrl(child->edtText->Handle(), 'C');
    EXPECT_EQ(child->CopyClicks, 2);
    PressWithCtrl(child->edtText->Handle(), 'N');
    EXPECT_EQ(frame->NewClicks, 1) << "the frame's shortcuts work inside a child";
    EXPECT_EQ(frame->MainMenu1->FindItem(child->miCopy->Command(), fkCommand), child->miCopy);

    // Changes to the child's menu show in the frame's bar.
    const int notices = frame->MenuChangedNotices;
    child->miEdit->SetCaption(L"&Change");
    EXPECT_EQ((std::vector<std::wstring>{L"&File", L"&Change", L"&Page", L"&Window"}), BarTexts(frame->Handle()));
    EXPECT_GT(frame->MenuChangedNotices, notices);

    // A child without a menu shows the frame's own; back to the other one merges it again.
    TfMdiChild* plain = OpenChild(*frame, L"Plain");
    plain->SetMenu(nullptr);
    test::Pump(20);
    EXPECT_EQ(own, BarTexts(frame->Handle()));
    child->SetFocus();
    test::Pump(20);
    EXPECT_EQ(frame->MainMenu1->Merged(), child->ChildMenu);
    plain->SetFocus();
    test::Pump(20);
    EXPECT_EQ(frame->MainMenu1->Merged(), nullptr);

    // Closing the merged child unmerges it; so does freeing its menu while it is active.
    child->SetFocus();
    test::Pump(20);
    child->Close();
    test::PumpUntil([&] { return frame->MDIChildCount() == 1; });
    EXPECT_EQ(own, BarTexts(frame->Handle()));
    TfMdiChild* again = OpenChild(*frame, L"Again");
    ASSERT_EQ(frame->MainMenu1->Merged(), again->ChildMenu);
    delete again->ChildMenu;
    EXPECT_EQ(frame->MainMenu1->Merged(), nullptr);
    EXPECT_EQ(own, BarTexts(frame->Handle()));
}

TEST(MenuMerge, GroupIndexDecidesPlaceAndReplacement) {
    TComponent owner(nullptr);
    TMainMenu frame(&owner), child(&owner);
    const auto add = [&owner](TMenu& menu, const wchar_t* caption, std::uint8_t group) {
        auto* item = new TMenuItem(&owner);
        item->SetCaption(caption);
        item->SetGroupIndex(group);
        menu.Items()->Add(item);
        return item;
    };
    add(frame, L"F0", 0);
    add(frame, L"F3", 3);
    TMenuItem* f5 = add(frame, L"F5", 5);
    add(frame, L"F5b", 5);
    add(frame, L"F9", 9);
    add(child, L"C12", 12);
    add(child, L"C5", 5);
    add(child, L"C1", 1);
    TMenuItem* hidden = add(child, L"C3", 3);
    hidden->SetVisible(false);
    HMENU bar = frame.Handle();
    const auto natives = [bar] {
        std::vector<std::wstring> texts;
        for (int i = 0; i < GetMenuItemCount(bar); ++i)
            texts.push_back(EntryText(bar, i));
        return texts;
    };
    frame.Merge(&child);
    // C1 before F3, an invisible C3 hides F3, C5 replaces both F5s, C12 after everything.
    const std::vector<std::wstring> merged{L"F0", L"C1", L"C5", L"F9", L"C12"};
    EXPECT_EQ(merged, natives());
    std::vector<std::wstring> barItems;
    for (TMenuItem* item : frame.BarItems())
        barItems.push_back(item->Caption());
    EXPECT_EQ(merged, barItems);

    // Changes on either side keep the rule.
    f5->SetGroupIndex(4);
    frame.Items()->Remove(f5);
    frame.Items()->Insert(2, f5);
    EXPECT_EQ((std::vector<std::wstring>{L"F0", L"C1", L"F5", L"C5", L"F9", L"C12"}), natives());
    hidden->SetVisible(true);
    EXPECT_EQ((std::vector<std::wstring>{L"F0", L"C1", L"C3", L"F5", L"C5", L"F9", L"C12"}), natives());

    EXPECT_THROW(frame.Merge(&frame), EMenuError);
    TMainMenu third(&owner);
    EXPECT_THROW(third.Merge(&frame), EMenuError) << "a menu showing merged items is merged nowhere";
    third.Merge(&child);
    EXPECT_EQ(frame.Merged(), nullptr) << "a menu is merged into one bar at a time";
    EXPECT_EQ((std::vector<std::wstring>{L"F0", L"F3", L"F5", L"F5b", L"F9"}), natives());
    third.Unmerge(&child);
    EXPECT_EQ(child.MergedInto(), nullptr);
}

TEST(MdiForms, ClosingChildrenAndTheFrame) {
    auto frame = ShowFrame();
    TfMdiChild* keeps = OpenChild(*frame, L"Keeps");
    TfMdiChild* leaves = OpenChild(*frame, L"Leaves");
    bool keepsMayClose = false;
    keeps->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = keepsMayClose; };
    std::vector<std::wstring> destroyed;
    keeps->OnDestroy = [&](TObject*) { destroyed.push_back(L"Keeps"); };
    leaves->OnDestroy = [&](TObject*) { destroyed.push_back(L"Leaves"); };

    // Ctrl+F4 closes the active child (freed: the default for a child).
    PressWithCtrl(leaves->edtText->Handle(), VK_F4);
    test::PumpUntil([&] { return frame->MDIChildCount() == 1; });
    EXPECT_EQ(destroyed, std::vector<std::wstring>{L"Leaves"});
    EXPECT_EQ(frame->ActiveMDIChild(), keeps) << "the next child becomes active";
    EXPECT_EQ(frame->MDIChildren(0), keeps);

    keeps->Close();
    test::Pump(20);
    EXPECT_EQ(frame->MDIChildCount(), 1) << "OnCloseQuery keeps it";

    // caHide minimises a child, which cannot be hidden.
    keeps->OnCloseQuery = nullptr;
    keeps->OnClose = [](TObject*, TCloseAction& action) { action = caHide; };
    keeps->Close();
    test::Pump(20);
    EXPECT_TRUE(IsIconic(keeps->Handle()));
    keeps->OnClose = nullptr;
    keeps->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = keepsMayClose; };

    // The frame closes only when every child agrees, and freeing it frees them all.
    TfMdiChild* other = OpenChild(*frame, L"Other");
    other->OnDestroy = [&](TObject*) { destroyed.push_back(L"Other"); };
    frame->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    bool frameGone = false;
    frame->OnDestroy = [&](TObject*) { frameGone = true; };
    frame->Close();
    test::Pump(50);
    EXPECT_FALSE(frameGone);
    EXPECT_EQ(frame->MDIChildCount(), 2);
    keepsMayClose = true;
    TfMdiFrame* released = frame.release();
    released->Close();
    EXPECT_TRUE(test::PumpUntil([&] { return frameGone; }));
    EXPECT_EQ(destroyed.size(), 3u);
    EXPECT_FALSE(Application->Terminated()) << "the program goes on";
    (void)released;
}

TEST(MdiForms, ManyCyclesLeaveNoHandlesBehind) {
    const auto cycle = [] {
        auto frame = ShowFrame();
        TfMdiChild* a = OpenChild(*frame, L"a");
        OpenChild(*frame, L"b");
        TfMdiChild* c = OpenChild(*frame, L"c");
        c->SetWindowState(wsMaximized);
        a->SetFocus();
        frame->Tile();
        a->Close();
        test::PumpUntil([&] { return frame->MDIChildCount() == 2; });
    };
    cycle();
    const long user = UserObjectsInUse();
    const long gdi = test::GdiObjectsInUse();
    for (int i = 0; i < 10; ++i)
        cycle();
    test::Pump(50);
    EXPECT_EQ(UserObjectsInUse(), user) << "windows and menus";
    EXPECT_EQ(test::GdiObjectsInUse(), gdi);
}

TEST(MdiForms, KeysMoveBetweenChildren) {
    auto frame = ShowFrame();
    TfMdiChild* a = OpenChild(*frame, L"a");
    TfMdiChild* b = OpenChild(*frame, L"b");
    ASSERT_EQ(frame->ActiveMDIChild(), b);
    PressWithCtrl(b->edtText->Handle(), VK_F6);
    EXPECT_EQ(frame->ActiveMDIChild(), a);
    PressWithCtrl(a->edtText->Handle(), VK_TAB);
    EXPECT_EQ(frame->ActiveMDIChild(), b);
    EXPECT_EQ(GetFocus(), b->edtText->Handle());
}

} // namespace orvo

// The skin manager: which windows it skins (Tag 99 forms, other modules' windows, empty windows,
// windows skinned already, message boxes, the common dialogs), its requests to switch skinning on,
// off and refresh, stepping aside while the system's high-contrast mode is on, and its teardown,
// with no GDI or USER objects left behind.
#include "framework/controls/button.h"
#include "framework/controls/edit.h"
#include "framework/dialogs/dialogs.h"
#include "framework/dialogs/shell_browse.h"
#include "skin/data/skin_protocol.h"
#include "skin/manager/high_contrast.h"
#include "skin/manager/skin_manager.h"
#include "skin/manager/window_hook.h"
#include "tests/framework/support/gdi_count.h"
#include "tests/framework/support/input_driver.h"
#include "tests/framework/support/pump.h"
#include "tests/skin/form/skin_test_form.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace orvo::test {
namespace {

TEST(WindowFilter, ClassRules) {
    TWindowFacts w;
    w.ClassName = L"TfMain";
    w.FrameworkForm = true;
    w.Size = SIZE{100, 100};
    EXPECT_TRUE(PassesWindowFilter(w, false));
    w.FormTag = 99;
    EXPECT_FALSE(PassesWindowFilter(w, false)) << "Tag 99 keeps the platform's look";
    w.FormTag = 0;
    w.Size = SIZE{0, 100};
    EXPECT_FALSE(PassesWindowFilter(w, false)) << "an empty window";
    w.ExStyle = WS_EX_MDICHILD;
    EXPECT_TRUE(PassesWindowFilter(w, false)) << "an MDI child is skinned at creation, empty or not";
    w = TWindowFacts{};
    w.ClassName = L"SomeOtherWindow";
    w.Size = SIZE{100, 100};
    EXPECT_FALSE(PassesWindowFilter(w, false)) << "another module's window";
    w.ClassName = L"#32770";
    EXPECT_TRUE(PassesWindowFilter(w, false)) << "another module's dialog box";
    w.Style = WS_CHILD;
    EXPECT_FALSE(PassesWindowFilter(w, false)) << "a plain child";
    EXPECT_TRUE(PassesWindowFilter(w, true)) << "unless the forms are being walked";
    w.ParentIsMdiClient = true;
    EXPECT_TRUE(PassesWindowFilter(w, false));
    w = TWindowFacts{};
    w.OwnModule = true;
    w.Size = SIZE{10, 10};
    for (const wchar_t* never : {L"TApplication", L"xTcxPopupEditPopupWindowx", L"TTERenderWindow"}) {
        w.ClassName = never;
        EXPECT_FALSE(PassesWindowFilter(w, false)) << never;
    }
    w.ClassName = L"TApplicationX";
    EXPECT_TRUE(PassesWindowFilter(w, false));
}

TEST(WindowFilter, TheSkinComponentsRulesAndVeto) {
    TSkinData data(nullptr);
    TWindowFacts w;
    w.ClassName = L"TPrintPreviewForm";
    EXPECT_TRUE(MayBeSkinned(nullptr, w, &data)) << "previews are skinned with xoPreview";
    data.SetOptions(TSkinOptions{});
    EXPECT_FALSE(MayBeSkinned(nullptr, w, &data));
    w.ClassName = L"#32770";
    w.Style = DS_SETFOREGROUND;
    EXPECT_FALSE(MayBeSkinned(nullptr, w, &data)) << "a system dialog forcing itself to the front";
    w.IsMessageBox = true;
    EXPECT_TRUE(MayBeSkinned(nullptr, w, &data)) << "a message box is skinned even so";
    w = TWindowFacts{};
    w.ClassName = L"SysMonthCal32";
    EXPECT_FALSE(MayBeSkinned(nullptr, w, &data));
    w.ClassName = L"TPopupDBTreeView";
    EXPECT_FALSE(MayBeSkinned(nullptr, w, &data));
    std::wstring asked;
    data.OnFormSkin = [&](TObject*, const std::wstring& name, bool& doSkin) {
        asked = name;
        doSkin = name == L"SysMonthCal32";
    };
    w.ClassName = L"SysMonthCal32";
    EXPECT_TRUE(MayBeSkinned(nullptr, w, &data)) << "the program's handler has the last word";
    EXPECT_EQ(asked, L"SysMonthCal32");
}

TEST(SkinManager, LeavesTag99FormsOtherModulesEmptyAndSkinnedWindowsAlone) {
    TSkinnedFormHost host;
    ASSERT_TRUE(host.Skin());
    TSkinManage* manager = ExistingSkinManager();

    TForm plain(nullptr);
    plain.SetTag(99);
    plain.SetBounds(500, 100, 200, 150);
    plain.Show();
    SetForegroundWindow(plain.Handle());
    Pump(100);
    EXPECT_EQ(manager->FindFormSkin(plain.Handle()), nullptr);
    EXPECT_EQ(SendMessageW(plain.Handle(), SKM_ISSKINNED, 0, 0), 0);
    plain.Hide();

    // A window of another module (its class registered for user32).
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(L"user32.dll");
    wc.lpszClassName = L"OrvoForeignWindow";
    RegisterClassW(&wc);
    HWND foreign = CreateWindowExW(0, L"OrvoForeignWindow", L"foreign", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 100,
                                   200, 150, nullptr, nullptr, wc.hInstance, nullptr);
    SetForegroundWindow(foreign);
    Pump(100);
    EXPECT_EQ(manager->FindFormSkin(foreign), nullptr);
    DestroyWindow(foreign);

    // An empty window is skinned at its first activation with a size.
    TForm empty(nullptr);
    empty.SetBorderStyle(bsNone);
    empty.SetBounds(500, 100, 0, 0);
    empty.Show();
    SetForegroundWindow(empty.Handle());
    Pump(50);
    EXPECT_EQ(manager->FindFormSkin(empty.Handle()), nullptr);
    empty.SetBorderStyle(bsSingle);
    empty.SetBounds(500, 100, 200, 150);
    SetForegroundWindow(host.Handle());
    Pump(50);
    SetForegroundWindow(empty.Handle());
    EXPECT_TRUE(PumpUntil([&] { return manager->FindFormSkin(empty.Handle()) != nullptr; }));

    // Activating a skinned window again makes nothing new.
    const std::size_t count = manager->Forms().size();
    SetForegroundWindow(host.Handle());
    Pump(50);
    SetForegroundWindow(empty.Handle());
    Pump(50);
    EXPECT_EQ(manager->Forms().size(), count);
    EXPECT_FALSE(manager->SkinWindow(host.Handle())) << "never two skin objects for one window";
}

TEST(SkinManager, SkinsMessageBoxesAndTheyCloseThroughTheSkinnedButton) {
    TSkinnedFormHost host;
    bool skinned = false;
    DWORD style = 0;
    WhenActive([&](HWND box) {
        skinned = SendMessageW(box, SKM_ISSKINNED, 0, 0) == 1;
        style = static_cast<DWORD>(GetWindowLongPtrW(box, GWL_STYLE));
        TWinSkinForm* skin = ExistingSkinManager()->FindFormSkin(box);
        for (const auto& b : skin->SysButtons())
            if (b->Element->Action == cbaClose && b->Visible) ClickCaptionButton(box, b->BoundsRect);
    });
    const int answer = MessageBoxW(host.Handle(), L"Text of the message", L"A box", MB_OK);
    EXPECT_TRUE(skinned);
    // Closed through its skinned close button, with the answer the system gives its own.
    EXPECT_TRUE(answer == IDOK || answer == IDCANCEL) << answer;
    std::printf("message box style %08lx: DS_SETFOREGROUND %s\n", static_cast<unsigned long>(style),
                (style & DS_SETFOREGROUND) ? "set" : "clear");
}

TEST(SkinManager, SkinsTheOpenFileDialogAndTheFolderBrowser) {
    TSkinnedFormHost host;
    int skinned = 0;
    auto cancel = [&](HWND dialog) {
        skinned += SendMessageW(dialog, SKM_ISSKINNED, 0, 0) == 1;
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    };
    WhenActive(cancel);
    TOpenDialog open(nullptr);
    EXPECT_FALSE(open.Execute(host.Handle()));
    WhenActive(cancel);
    EXPECT_FALSE(BrowseForFolder(host.Handle(), L"Pick a folder").Ok);
    EXPECT_EQ(skinned, 2);
}

TEST(SkinManager, SwitchingOffOnAndRefreshingLeavesNoObjectsBehind) {
    TSkinnedFormHost host;
    ASSERT_TRUE(host.Skin());
    TSkinManage* manager = ExistingSkinManager();
    TSkinData* data = host.Form->SkinData1;
    auto run = [&](TSkinAction action) {
        manager->SetPendingSkinData(data);
        manager->RequestAction(action, 1);
        manager->DoPendingAction();
        Pump(5);
    };
    run(TSkinAction::SwitchOff);
    run(TSkinAction::SwitchOn);
    Pump(50);
    const long gdi = GdiObjectsInUse();
    const int windows = WindowsOfProcess();
    for (int i = 0; i < 25; ++i) {
        run(TSkinAction::SwitchOff);
        EXPECT_EQ(manager->FindFormSkin(host.Handle()), nullptr);
        run(TSkinAction::SwitchOn);
        ASSERT_TRUE(PumpUntil([&] { return host.Skin() && host.Skin()->State() == TFormSkinState::Skinned; }));
        run(TSkinAction::Refresh);
    }
    Pump(50);
    EXPECT_LE(GdiObjectsInUse(), gdi + 2);
    EXPECT_EQ(WindowsOfProcess(), windows);
    RECT client{};
    GetClientRect(host.Handle(), &client);
    EXPECT_EQ(client.right, 320) << "the client keeps its size through it all";
    EXPECT_EQ(client.bottom, 200);
}

TEST(SkinManager, ALaterRequestReplacesAnEarlierOne) {
    TSkinnedFormHost host;
    TSkinManage* manager = ExistingSkinManager();
    TSkinData* data = host.Form->SkinData1;
    data->SetActive(false);
    data->SetActive(true);
    EXPECT_EQ(manager->PendingAction(), TSkinAction::SwitchOn);
    Pump(400);
    EXPECT_TRUE(host.Skin()) << "only the last request ran";
    EXPECT_EQ(manager->PendingSkinData(), nullptr);
}

TEST(SkinManager, AComponentGoingAwayTakesItsRequestAndWindowsWithIt) {
    TSkinnedFormHost host;
    TSkinManage* manager = ExistingSkinManager();
    HWND h = host.Handle();
    host.Form->SkinData1->SetActive(false); // pending
    ASSERT_EQ(manager->PendingSkinData(), host.Form->SkinData1);
    delete host.Form->SkinData1;
    EXPECT_EQ(manager->PendingSkinData(), nullptr) << "no dangling request";
    EXPECT_EQ(manager->FindFormSkin(h), nullptr) << "the window it skinned is given back";
    EXPECT_TRUE(manager->SkinDatas().empty());
    Pump(400); // the timer, if it still fired, would find nothing to do
    EXPECT_EQ(SendMessageW(h, SKM_ISSKINNED, 0, 0), 0);
}

TEST(SkinManager, TearsDownWithARequestPendingAndWindowsSkinned) {
    {
        TSkinnedFormHost host;
        host.Form->SkinData1->SetActive(false);
        ASSERT_TRUE(ExistingSkinManager()->PendingSkinData());
        HWND h = host.Handle();
        FreeSkinManager();
        EXPECT_EQ(ExistingSkinManager(), nullptr);
        EXPECT_FALSE(WindowHookInstalled());
        EXPECT_EQ(SendMessageW(h, SKM_ISSKINNED, 0, 0), 0) << "detached";
        Pump(400);
        EXPECT_TRUE(IsWindow(h));
    }
    Pump(50);
}

TEST(SkinManager, AFormDestroyedWhileSkinnedLeavesNothingBehind) {
    InstallSkinEngine();
    const int windows = WindowsOfProcess();
    for (int i = 0; i < 5; ++i) {
        TSkinnedFormHost host;
        ASSERT_TRUE(host.Skin());
        // The host's form dies first, with its skin object; its window's last messages come after.
    }
    Pump(50);
    EXPECT_EQ(WindowsOfProcess(), windows);
}

// The mode as the test says it is (the platform here never turns it on), and the system's notice
// of a change as it comes: to every top-level window of the thread.
class THighContrast {
public:
    THighContrast() {
        SetHighContrastQuery([this] { return FOn; });
    }
    ~THighContrast() { SetHighContrastQuery({}); }
    void Set(bool on) { FOn = on; }
    void Notice() {
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND w, LPARAM) -> BOOL {
                SendMessageW(w, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
                return TRUE;
            },
            0);
    }

private:
    bool FOn = false;
};

TEST(SkinManager, StepsAsideWhileHighContrastIsOnAndComesBackWhenItGoesOff) {
    THighContrast contrast;
    TSkinnedFormHost host(NightStorePath(), false);
    auto* edit = new TEdit(host.Form);
    edit->SetParent(host.Form);
    edit->SetBounds(10, 10, 120, 22);
    auto* button = new TButton(host.Form);
    button->SetParent(host.Form);
    button->SetBounds(10, 40, 80, 24);
    ASSERT_TRUE(host.ShowAndWait());
    TSkinManage* manager = ExistingSkinManager();
    const TColor night = host.Form->SkinData1->Colour(scWindow);
    ASSERT_EQ(edit->Color(), night);
    RECT client{};
    GetClientRect(host.Handle(), &client);
    auto platformLook = [&] {
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        const bool shaped = GetWindowRgn(host.Handle(), region) != ERROR;
        DeleteObject(region);
        return !manager->FindFormSkin(host.Handle()) && !shaped && GetMenu(host.Handle()) &&
               SendMessageW(button->Handle(), SKM_ISSKINNED, 0, 0) != 1 && edit->Color() == clWindow;
    };
    auto skinned = [&] {
        return host.Skin() && host.Skin()->State() == TFormSkinState::Skinned &&
               SendMessageW(button->Handle(), SKM_ISSKINNED, 0, 0) == 1 && edit->Color() == night;
    };
    auto cycle = [&] {
        contrast.Set(true);
        contrast.Notice();
        EXPECT_TRUE(manager->HighContrast());
        EXPECT_TRUE(platformLook()) << "frame, menu, controls and colours the platform's";
        // A window activated meanwhile is left alone, and so is a menu.
        SetForegroundWindow(host.Handle());
        Pump(20);
        EXPECT_TRUE(platformLook());
        contrast.Set(false);
        contrast.Notice();
        EXPECT_TRUE(PumpUntil(skinned)) << "the skin back";
    };
    cycle();
    RECT again{};
    GetClientRect(host.Handle(), &again);
    EXPECT_EQ(again.right, client.right) << "the client keeps its size";
    EXPECT_EQ(again.bottom, client.bottom);
    ExpectNoLeaks(4, cycle);
}

TEST(SkinManager, HighContrastAtStartKeepsThePlatformsLookUntilItGoesOff) {
    THighContrast contrast;
    contrast.Set(true);
    TSkinnedFormHost host({}, false);
    host.Form->Show();
    SetForegroundWindow(host.Handle());
    Pump(400); // the skin's requests would have run by now
    EXPECT_EQ(host.Skin(), nullptr);
    EXPECT_NE(GetMenu(host.Handle()), nullptr);
    contrast.Notice(); // a notice that changes nothing changes nothing
    Pump(50);
    EXPECT_EQ(host.Skin(), nullptr);
    contrast.Set(false);
    contrast.Notice();
    EXPECT_TRUE(PumpUntil([&] { return host.Skin() && host.Skin()->State() == TFormSkinState::Skinned; }));
}

} // namespace
} // namespace orvo::test

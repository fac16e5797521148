// Skinned MDI under Wine: a frame and its children skinned as they are made, activation moving the
// skinned captions, a child maximised by its skinned button and then minimised, restored and
// closed by the buttons its frame's menu bar carries, the child's own minimise button, the child's
// menu merged into the frame's bar, closing children and the frame, skinning switched off and on
// with children open, and nothing left behind over many cycles.
#include "framework/forms/application.h"
#include "framework/graphics/gdi_handle.h"
#include "framework/menus/menus.h"
#include "skin/data/skin_protocol.h"
#include "skin/form/menu_bar.h"
#include "skin/manager/skin_manager.h"
#include "tests/framework/support/gdi_count.h"
#include "tests/framework/support/pump.h"
#include "tests/skin/form/skin_test_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace orvo::test {
namespace {

// The test form made an MDI frame: its File, Edit and Run menu, Edit listing the children.
class TMdiHost {
public:
    explicit TMdiHost(const std::wstring& store = {}) : Host(store, false) {
        Host.Form->SetFormStyle(fsMDIForm);
        Host.Form->SetWindowMenu(Host.Form->mnEdit);
        Host.Form->SetClientSize(560, 380);
        Shown = Host.ShowAndWait();
    }

    TCustomForm* Frame() const { return Host.Form; }
    HWND Handle() const { return Host.Handle(); }
    TWinSkinForm* FrameSkin() const { return Host.Skin(); }

    // A document window, skinned once it is made; `menu` gives it a main menu of one item.
    TForm* Child(const std::wstring& caption, const std::wstring& menu = {}) {
        auto* child = new TForm(Host.Form);
        child->SetFormStyle(fsMDIChild);
        child->SetCaption(caption);
        child->SetClientSize(220, 120);
        if (!menu.empty()) {
            auto* bar = new TMainMenu(child);
            auto* item = new TMenuItem(child);
            item->SetCaption(menu);
            item->SetGroupIndex(5); // after the frame's own items
            auto* sub = new TMenuItem(child);
            sub->SetCaption(L"&Word count");
            item->Add(sub);
            bar->Items()->Add(item);
            child->SetMenu(bar);
        }
        child->Show();
        PumpUntil([&] {
            TWinSkinForm* skin = SkinOf(child);
            return skin && skin->State() == TFormSkinState::Skinned;
        });
        Pump(30);
        return child;
    }

    static TWinSkinForm* SkinOf(TCustomForm* form) {
        TSkinManage* manager = ExistingSkinManager();
        return manager && form->HandleAllocated() ? manager->FindFormSkin(form->Handle()) : nullptr;
    }

    TSkinnedFormHost Host;
    bool Shown = false;
};

TWinSysButton* ButtonOf(TWinSkinForm& skin, int action) {
    for (const auto& b : skin.SysButtons())
        if (b->Element->Action == action && b->Visible) return b.get();
    return nullptr;
}

bool Skinned(HWND window) {
    return SendMessageW(window, SKM_ISSKINNED, 0, 0) == 1;
}

std::vector<std::wstring> BarCaptions(TWinSkinForm& frame) {
    std::vector<std::wstring> captions;
    if (TWinSkinMenu* bar = frame.MenuBar())
        for (int i = 0; i < bar->ItemCount(); ++i)
            if (!bar->Item(i)->Caption.empty()) captions.push_back(bar->Item(i)->Caption);
    return captions;
}

// The frame's bar after the posted repaint has run.
void Settle() {
    Pump(60);
}

TEST(SkinnedMdi, FrameAndChildrenAreSkinnedAsTheyAreMade) {
    TMdiHost mdi;
    ASSERT_TRUE(mdi.Shown);
    TWinSkinForm* frame = mdi.FrameSkin();
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->FormKind(), TFormKind::MdiFrame);
    EXPECT_EQ(frame->MDIClient(), mdi.Frame()->ClientHandle());
    TSkinManage* manager = ExistingSkinManager();
    EXPECT_EQ(manager->MdiClient(), mdi.Frame()->ClientHandle());
    EXPECT_EQ(manager->MdiMainForm(), mdi.Frame());
    EXPECT_FALSE(GetWindowLongPtrW(mdi.Frame()->ClientHandle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL))
        << "the skin shows no system scroll bars in the client";

    TForm* memo = mdi.Child(L"Notes");
    TForm* form = mdi.Child(L"Settings");
    for (TForm* child : {memo, form}) {
        ASSERT_TRUE(Skinned(child->Handle()));
        TWinSkinForm* skin = TMdiHost::SkinOf(child);
        ASSERT_TRUE(skin);
        EXPECT_EQ(skin->FormKind(), TFormKind::MdiChild);
        EXPECT_EQ(skin->Form(), child) << "the framework road, though skinned before its form knew its window";
        RECT client{}, window{};
        GetClientRect(child->Handle(), &client);
        GetWindowRect(child->Handle(), &window);
        EXPECT_EQ(client.right, 220) << "the client keeps its size inside the skinned frame";
        EXPECT_EQ(client.bottom, 120);
        EXPECT_EQ(window.right - window.left, 220 + skin->BorderLeft() + skin->BorderRight());
        EXPECT_EQ(window.bottom - window.top,
                  120 + skin->BorderTop() + skin->MenuHeight() + skin->BorderBottom());
        EXPECT_GE(skin->BorderTop() + skin->MenuHeight(), GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CXFRAME))
            << "a child's caption is never lower than the platform's";
    }
    EXPECT_EQ(mdi.Frame()->MDIChildCount(), 2);
}

TEST(SkinnedMdi, ActivationMovesTheSkinnedCaptionBetweenChildren) {
    TMdiHost mdi;
    ASSERT_TRUE(mdi.Shown);
    TForm* first = mdi.Child(L"First");
    TForm* second = mdi.Child(L"Second");
    TWinSkinForm* a = TMdiHost::SkinOf(first);
    TWinSkinForm* b = TMdiHost::SkinOf(second);
    ASSERT_TRUE(a && b);
    // Side by side, so each caption shows whole on the screen.
    SetWindowPos(first->Handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(second->Handle(), nullptr, 260, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Settle();
    EXPECT_EQ(mdi.Frame()->ActiveMDIChild(), second);
    EXPECT_TRUE(b->Active());
    EXPECT_FALSE(a->Active());
    // The caption's flat middle, clear of the text and the buttons: the top piece's frame 1
    // (active) or frame 2 (inactive).
    TDataSkinBorder& top = mdi.Host.Form->SkinData1->Top();
    const int frameHeight = top.Image.Height() / std::max(top.Frame, 1);
    const POINT p{120, a->BorderTop() / 2};
    auto skinPixel = [&](int frame) {
        return static_cast<COLORREF>(ColorToRGB(top.Image.Canvas().Pixel(100, frameHeight * (frame - 1) + p.y))) &
               0xFFFFFF;
    };
    const COLORREF active = skinPixel(1), inactive = skinPixel(2);
    ASSERT_NE(active, inactive);
    EXPECT_EQ(WindowPixel(first->Handle(), p.x, p.y), inactive);
    EXPECT_EQ(WindowPixel(second->Handle(), p.x, p.y), active);

    SendMessageW(mdi.Frame()->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first->Handle()), 0);
    Settle();
    EXPECT_EQ(mdi.Frame()->ActiveMDIChild(), first);
    EXPECT_TRUE(a->Active());
    EXPECT_FALSE(b->Active());
    EXPECT_EQ(WindowPixel(first->Handle(), p.x, p.y), active);
    EXPECT_EQ(WindowPixel(second->Handle(), p.x, p.y), inactive);

    // Made one after the other before either is skinned: the first knows it is inactive.
    std::vector<TForm*> quick;
    for (const wchar_t* caption : {L"Quick one", L"Quick two"}) {
        auto* child = new TForm(mdi.Frame());
        child->SetFormStyle(fsMDIChild);
        child->SetCaption(caption);
        child->Show();
        quick.push_back(child);
    }
    ASSERT_TRUE(PumpUntil([&] {
        for (TForm* child : quick) {
            const auto* skin = TMdiHost::SkinOf(child);
            if (!skin || skin->State() != TFormSkinState::Skinned) return false;
        }
        return true;
    }));
    EXPECT_FALSE(TMdiHost::SkinOf(quick[0])->Active());
    EXPECT_TRUE(TMdiHost::SkinOf(quick[1])->Active());
}

// Maximised by its own skinned button, a child's buttons stand in the frame's bar, drawn from the
// skin's MDI images, and act on it: restore, minimise, close.
void MaximiseAndDriveFromTheBar(const std::wstring& store) {
    TMdiHost mdi(store);
    ASSERT_TRUE(mdi.Shown);
    TForm* first = mdi.Child(L"First");
    TForm* second = mdi.Child(L"Second");
    TWinSkinForm* frame = mdi.FrameSkin();
    TWinSkinForm* child = TMdiHost::SkinOf(second);
    ASSERT_TRUE(frame && child);
    TSkinManage* manager = ExistingSkinManager();
    EXPECT_EQ(ButtonOf(*frame, cbaMdiRestore), nullptr) << "no child is maximised";
    TRegionHandle region(CreateRectRgn(0, 0, 0, 0));
    const bool shaped = GetWindowRgn(second->Handle(), region.Get()) != ERROR;

    TWinSysButton* max = ButtonOf(*child, cbaMaximize);
    ASSERT_TRUE(max);
    ClickCaptionButton(second->Handle(), max->BoundsRect);
    ASSERT_TRUE(PumpUntil([&] { return IsZoomed(second->Handle()) != FALSE; }));
    Settle();
    EXPECT_TRUE(manager->MdiMaximized());
    EXPECT_TRUE(frame->MdiChildMaximizedInBar());
    EXPECT_EQ(GetWindowRgn(second->Handle(), region.Get()), ERROR) << "maximised, the child is not cut to shape";
    EXPECT_EQ(GetMenu(mdi.Handle()), nullptr) << "the platform draws no bar of its own";

    TWinSysButton* restore = ButtonOf(*frame, cbaMdiRestore);
    TWinSysButton* minimise = ButtonOf(*frame, cbaMdiMinimize);
    TWinSysButton* close = ButtonOf(*frame, cbaMdiClose);
    ASSERT_TRUE(restore && minimise && close);
    const RECT strip{frame->BorderLeft(), frame->BorderTop(), 0, frame->BorderTop() + frame->MenuHeight()};
    for (TWinSysButton* b : {minimise, restore, close}) {
        EXPECT_GE(b->BoundsRect.top, strip.top) << "in the menu bar";
        EXPECT_LE(b->BoundsRect.bottom, strip.bottom);
    }
    EXPECT_LT(minimise->BoundsRect.left, restore->BoundsRect.left);
    EXPECT_LT(restore->BoundsRect.left, close->BoundsRect.left);
    // The bar shows the skin's image: the close button's frame 1 where it is opaque.
    TBitmap& image = close->Element->Image;
    const int w = image.Width() / std::max(close->Element->Frame, 1);
    const TWindowImage shot = CaptureWindow(mdi.Handle());
    int matched = 0, opaque = 0;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < w; ++x) {
            const COLORREF c = static_cast<COLORREF>(ColorToRGB(image.Canvas().Pixel(x, y))) & 0xFFFFFF;
            if (c == RGB(255, 0, 255)) continue;
            ++opaque;
            if (shot.At(close->BoundsRect.left + x, close->BoundsRect.top + y) == c) ++matched;
        }
    ASSERT_GT(opaque, 0);
    EXPECT_EQ(matched, opaque);

    // Restore: the child has its skinned frame and shape back, the bar loses the buttons.
    ClickCaptionButton(mdi.Handle(), restore->BoundsRect);
    ASSERT_TRUE(PumpUntil([&] { return !IsZoomed(second->Handle()); }));
    Settle();
    EXPECT_FALSE(manager->MdiMaximized());
    EXPECT_EQ(ButtonOf(*frame, cbaMdiRestore), nullptr);
    RECT client{};
    GetClientRect(second->Handle(), &client);
    EXPECT_EQ(client.right, 220);
    EXPECT_EQ(client.bottom, 120);
    EXPECT_EQ(GetWindowRgn(second->Handle(), region.Get()) != ERROR, shaped);

    // Maximised again through the system command; minimised from the bar.
    SendMessageW(second->Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    Settle();
    minimise = ButtonOf(*frame, cbaMdiMinimize);
    ASSERT_TRUE(minimise);
    ClickCaptionButton(mdi.Handle(), minimise->BoundsRect);
    ASSERT_TRUE(PumpUntil([&] { return IsIconic(second->Handle()) != FALSE; }));
    Settle();
    EXPECT_EQ(manager->MdiMaximized(), IsZoomed(first->Handle()) != FALSE)
        << "the manager follows the platform: the child activated next may come maximised";
    EXPECT_EQ(frame->MdiChildMaximizedInBar(), IsZoomed(first->Handle()) != FALSE);

    // The other one maximised and closed from the bar: the frame and the rest stay.
    SendMessageW(first->Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    Settle();
    close = ButtonOf(*frame, cbaMdiClose);
    ASSERT_TRUE(close);
    ClickCaptionButton(mdi.Handle(), close->BoundsRect);
    ASSERT_TRUE(PumpUntil([&] { return mdi.Frame()->MDIChildCount() == 1; }));
    Settle();
    EXPECT_TRUE(IsWindowVisible(mdi.Handle()));
    EXPECT_EQ(mdi.Frame()->MDIChildren(0), second);
    EXPECT_EQ(manager->MdiMaximized(), IsZoomed(second->Handle()) != FALSE) << IsIconic(second->Handle());
    EXPECT_EQ(frame->MdiChildMaximizedInBar(), IsZoomed(second->Handle()) != FALSE);
}

TEST(SkinnedMdi, MaximisedChildsButtonsInTheBarUnderTheDefaultSkin) {
    MaximiseAndDriveFromTheBar({});
}

TEST(SkinnedMdi, MaximisedChildsButtonsInTheBarUnderJade) {
    MaximiseAndDriveFromTheBar(JadeStorePath());
}

// A skin without the MDI strip never traps a maximised child: its three buttons stand in the
// frame's bar in the platform's look, and restore and close it as usual.
TEST(SkinnedMdi, WithoutTheSkinsMdiStripTheBarShowsThePlatformsButtons) {
    const std::wstring store = DefaultStoreWithout({"MDICONTROLS"}, {"mdicontrols.bmp"});
    ASSERT_FALSE(store.empty());
    TMdiHost mdi(store);
    ASSERT_TRUE(mdi.Shown);
    TWinSkinForm* frame = mdi.FrameSkin();
    ASSERT_TRUE(frame);
    for (const auto& b : frame->SysButtons()) {
        if (b->Element->Align == calMenuBar) {
            EXPECT_TRUE(b->Element->Image.Empty()) << "the store has no strip";
        }
    }
    TForm* child = mdi.Child(L"Document");
    SendMessageW(child->Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    Settle();
    ASSERT_TRUE(IsZoomed(child->Handle()));
    ASSERT_TRUE(frame->MdiChildMaximizedInBar());
    TWinSysButton* minimise = ButtonOf(*frame, cbaMdiMinimize);
    TWinSysButton* restore = ButtonOf(*frame, cbaMdiRestore);
    TWinSysButton* close = ButtonOf(*frame, cbaMdiClose);
    ASSERT_TRUE(minimise && restore && close) << "all three stand in";
    const int barTop = frame->BorderTop(), barBottom = barTop + frame->MenuHeight();
    RECT window{};
    GetWindowRect(mdi.Handle(), &window);
    for (TWinSysButton* b : {minimise, restore, close}) {
        EXPECT_GE(b->BoundsRect.top, barTop);
        EXPECT_LE(b->BoundsRect.bottom, barBottom);
        EXPECT_GT(b->BoundsRect.right - b->BoundsRect.left, 8);
    }
    EXPECT_LT(minimise->BoundsRect.right, restore->BoundsRect.left + 1);
    EXPECT_LT(restore->BoundsRect.right, close->BoundsRect.left + 1);
    EXPECT_LE(close->BoundsRect.right, window.right - window.left - frame->BorderRight());
    // On screen: the platform's close button, pixel for pixel.
    const RECT& c = close->BoundsRect;
    TBitmap expected(c.right - c.left, c.bottom - c.top);
    RECT box{0, 0, c.right - c.left, c.bottom - c.top};
    DrawFrameControl(expected.Canvas().Handle(), &box, DFC_CAPTION, DFCS_CAPTIONCLOSE);
    GdiFlush();
    const TWindowImage shot = CaptureWindow(mdi.Handle());
    int differing = 0;
    for (int y = 0; y < box.bottom; ++y)
        for (int x = 0; x < box.right; ++x)
            differing += shot.At(c.left + x, c.top + y) != (static_cast<COLORREF>(expected.PixelColor(x, y)) & 0xFFFFFF);
    EXPECT_EQ(differing, 0);

    ClickCaptionButton(mdi.Handle(), restore->BoundsRect);
    ASSERT_TRUE(PumpUntil([&] { return !IsZoomed(child->Handle()); })) << "restored from the bar";
    Settle();
    EXPECT_EQ(ButtonOf(*frame, cbaMdiRestore), nullptr);
    SendMessageW(child->Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    Settle();
    close = ButtonOf(*frame, cbaMdiClose);
    ASSERT_TRUE(close);
    ClickCaptionButton(mdi.Handle(), close->BoundsRect);
    EXPECT_TRUE(PumpUntil([&] { return mdi.Frame()->MDIChildCount() == 0; })) << "closed from the bar";
    DeleteFileW(store.c_str());
}

// Under a dark skin the workspace behind the children is the skin's darkest shade and its edge
// the skin's shadows, not the platform's light grey; a skin that leaves window colours to the
// platform leaves the workspace to it too.
TEST(SkinnedMdi, TheWorkspaceTakesADarkSkinsShadeAndOnlyItsShade) {
    const auto workspaceOf = [](const std::wstring& store, COLORREF* edge) {
        TMdiHost mdi(store);
        EXPECT_TRUE(mdi.Shown);
        HWND client = mdi.FrameSkin() ? mdi.FrameSkin()->MDIClient() : nullptr;
        EXPECT_NE(client, nullptr);
        if (!client) return COLORREF{};
        RedrawWindow(client, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        Pump(30);
        RECT r{};
        GetWindowRect(client, &r);
        POINT middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2}, corner{r.left, r.top};
        HWND frame = mdi.Handle();
        RECT outer{};
        GetWindowRect(frame, &outer);
        const TWindowImage shot = CaptureWindow(frame);
        *edge = shot.At(corner.x - outer.left, corner.y - outer.top);
        return shot.At(middle.x - outer.left, middle.y - outer.top);
    };
    COLORREF edge = 0;
    const COLORREF night = workspaceOf(NightStorePath(), &edge);
    EXPECT_EQ(night, RGB(16, 17, 19)) << "Night's ButtonDkShadow";
    EXPECT_EQ(edge, RGB(100, 106, 116)) << "Night's ButtonShadow";
    EXPECT_EQ(workspaceOf({}, &edge), GetSysColor(COLOR_APPWORKSPACE) & 0xFFFFFF) << "Slate leaves it be";
}

TEST(SkinnedMdi, ChildsOwnMinimiseButtonAndTheMinimisedLook) {
    TMdiHost mdi;
    ASSERT_TRUE(mdi.Shown);
    TForm* doc = mdi.Child(L"Document");
    TWinSkinForm* skin = TMdiHost::SkinOf(doc);
    ASSERT_TRUE(skin);
    TWinSysButton* min = ButtonOf(*skin, cbaMinimize);
    ASSERT_TRUE(min);
    ClickCaptionButton(doc->Handle(), min->BoundsRect);
    ASSERT_TRUE(PumpUntil([&] { return IsIconic(doc->Handle()) != FALSE; }));
    Settle();
    EXPECT_EQ(skin->WindowState(), TWindowShowState::Minimized);
    TRegionHandle region(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(doc->Handle(), region.Get()), ERROR) << "minimised, no region of the normal shape";
    EXPECT_FALSE(ExistingSkinManager()->MdiMaximized());
    // The minimised window is all skinned caption: its middle is the skin's, not the platform's.
    RECT window{};
    GetWindowRect(doc->Handle(), &window);
    const COLORREF native = GetSysColor(COLOR_INACTIVECAPTION), activeNative = GetSysColor(COLOR_ACTIVECAPTION);
    const COLORREF seen = WindowPixel(doc->Handle(), (window.right - window.left) / 2, 3);
    EXPECT_NE(seen, native);
    EXPECT_NE(seen, activeNative);

    // The minimised child's minimise button restores it.
    min = ButtonOf(*skin, cbaMinimize);
    ASSERT_TRUE(min);
    ClickCaptionButton(doc->Handle(), min->BoundsRect);
    ASSERT_TRUE(PumpUntil([&] { return !IsIconic(doc->Handle()); }));
    Settle();
    RECT client{};
    GetClientRect(doc->Handle(), &client);
    EXPECT_EQ(client.right, 220);
    EXPECT_EQ(client.bottom, 120);
}

TEST(SkinnedMdi, ChildMenuIsMergedIntoTheFramesBar) {
    TMdiHost mdi;
    ASSERT_TRUE(mdi.Shown);
    TWinSkinForm* frame = mdi.FrameSkin();
    ASSERT_TRUE(frame);
    const std::vector<std::wstring> own{L"&File", L"&Edit", L"&Run"};
    EXPECT_EQ(BarCaptions(*frame), own);
    TForm* plain = mdi.Child(L"Plain");
    TForm* doc = mdi.Child(L"Report", L"&Document");
    Settle();
    std::vector<std::wstring> merged = BarCaptions(*frame);
    EXPECT_NE(std::find(merged.begin(), merged.end(), L"&Document"), merged.end());
    EXPECT_EQ(GetMenu(mdi.Handle()), nullptr);
    // The merged item opens its drop-down like the frame's own.
    TWinSkinMenu* bar = frame->MenuBar();
    int index = -1;
    for (int i = 0; i < bar->ItemCount(); ++i)
        if (bar->Item(i)->Caption == L"&Document") index = i;
    ASSERT_GE(index, 0);
    EXPECT_TRUE(bar->Item(index)->SubMenu);

    // Another child active: its frame shows its own menu again; the merged child back: merged.
    SendMessageW(mdi.Frame()->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(plain->Handle()), 0);
    Settle();
    EXPECT_EQ(BarCaptions(*frame), own);
    SendMessageW(mdi.Frame()->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(doc->Handle()), 0);
    Settle();
    merged = BarCaptions(*frame);
    EXPECT_NE(std::find(merged.begin(), merged.end(), L"&Document"), merged.end());
    // Maximised, the merged bar still carries the child's buttons at its end.
    SendMessageW(doc->Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    Settle();
    EXPECT_TRUE(frame->MdiChildMaximizedInBar());
    merged = BarCaptions(*frame);
    EXPECT_NE(std::find(merged.begin(), merged.end(), L"&Document"), merged.end());
    doc->Close();
    plain->Close();
    ASSERT_TRUE(PumpUntil([&] { return mdi.Frame()->MDIChildCount() == 0; }));
    Settle();
    EXPECT_EQ(BarCaptions(*frame), own);
    EXPECT_FALSE(frame->MdiChildMaximizedInBar());
}

TEST(SkinnedMdi, SkinningOffAndOnWithChildrenOpen) {
    TMdiHost mdi;
    ASSERT_TRUE(mdi.Shown);
    TForm* first = mdi.Child(L"First");
    TForm* second = mdi.Child(L"Second");
    HWND client = mdi.Frame()->ClientHandle();
    TSkinManage* manager = ExistingSkinManager();
    manager->SetPendingSkinData(mdi.Host.Form->SkinData1);
    manager->RequestAction(TSkinAction::SwitchOff, 1);
    manager->DoPendingAction();
    Pump(30);
    for (TForm* child : {first, second}) {
        EXPECT_FALSE(Skinned(child->Handle()));
        RECT r{};
        GetClientRect(child->Handle(), &r);
        EXPECT_EQ(r.right, 220) << "the platform's frame around the same client";
        EXPECT_EQ(r.bottom, 120);
    }
    EXPECT_FALSE(Skinned(mdi.Handle()));
    EXPECT_EQ(manager->MdiClient(), nullptr);
    EXPECT_EQ(GetMenu(mdi.Handle()), mdi.Host.Form->MainMenu1->Handle());
    // The client is no longer subclassed: its scroll bars come back as the platform wants them.
    const auto proc = GetWindowLongPtrW(client, GWLP_WNDPROC);

    manager->SetPendingSkinData(mdi.Host.Form->SkinData1);
    manager->RequestAction(TSkinAction::SwitchOn, 1);
    manager->DoPendingAction();
    ASSERT_TRUE(PumpUntil([&] {
        TWinSkinForm* a = TMdiHost::SkinOf(first);
        TWinSkinForm* b = TMdiHost::SkinOf(second);
        return a && b && a->State() == TFormSkinState::Skinned && b->State() == TFormSkinState::Skinned &&
               mdi.FrameSkin() && mdi.FrameSkin()->State() == TFormSkinState::Skinned;
    }));
    EXPECT_TRUE(Skinned(first->Handle()));
    EXPECT_TRUE(Skinned(second->Handle()));
    EXPECT_EQ(manager->MdiClient(), client);
    EXPECT_NE(GetWindowLongPtrW(client, GWLP_WNDPROC), proc) << "the client is subclassed again";
    for (TForm* child : {first, second}) {
        RECT r{};
        GetClientRect(child->Handle(), &r);
        EXPECT_EQ(r.right, 220);
        EXPECT_EQ(r.bottom, 120);
    }
}

TEST(SkinnedMdi, ClosingTheFrameClosesEverythingAndTheProgramGoesOn) {
    InstallSkinEngine();
    // A main window of its own (the test form), and an MDI frame made in code beside it.
    TSkinnedFormHost main;
    ASSERT_TRUE(main.Skin());
    auto* frame = new TForm(nullptr);
    frame->SetFormStyle(fsMDIForm);
    frame->SetCaption(L"Documents");
    frame->SetClientSize(500, 340);
    frame->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    frame->Show();
    SetForegroundWindow(frame->Handle());
    ASSERT_TRUE(PumpUntil([&] {
        TWinSkinForm* s = TMdiHost::SkinOf(frame);
        return s && s->State() == TFormSkinState::Skinned;
    }));
    Pump(50);
    HWND frameWindow = frame->Handle();
    std::vector<HWND> children;
    for (const wchar_t* caption : {L"One", L"Two", L"Three"}) {
        auto* child = new TForm(frame);
        child->SetFormStyle(fsMDIChild);
        child->SetCaption(caption);
        child->Show();
        children.push_back(child->Handle());
    }
    ASSERT_TRUE(PumpUntil([&] {
        for (HWND c : children)
            if (!Skinned(c)) return false;
        return true;
    }));
    TWinSkinForm* skin = TMdiHost::SkinOf(frame);
    ASSERT_TRUE(skin);
    TWinSysButton* close = ButtonOf(*skin, cbaClose);
    ASSERT_TRUE(close);
    ClickCaptionButton(frameWindow, close->BoundsRect);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(frameWindow); }));
    for (HWND c : children)
        EXPECT_FALSE(IsWindow(c));
    Pump(30);
    TSkinManage* manager = ExistingSkinManager();
    for (TWinSkinForm* s : manager->Forms())
        EXPECT_EQ(s->State(), TFormSkinState::Skinned) << "only the living windows are left";
    EXPECT_EQ(manager->MdiClient(), nullptr);
    EXPECT_FALSE(Application->Terminated());
    EXPECT_TRUE(IsWindowVisible(main.Handle()));
    EXPECT_TRUE(Skinned(main.Handle()));
}

TEST(SkinnedMdi, CyclesLeaveNoWindowsOrGdiObjects) {
    TMdiHost mdi;
    ASSERT_TRUE(mdi.Shown);
    auto cycle = [&] {
        TForm* a = mdi.Child(L"A");
        mdi.Child(L"B", L"&Document");
        TForm* c = mdi.Child(L"C");
        SendMessageW(c->Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        Settle();
        SendMessageW(c->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
        SendMessageW(a->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        mdi.Frame()->Cascade();
        Settle();
        for (int i = mdi.Frame()->MDIChildCount(); i-- > 0;)
            mdi.Frame()->MDIChildren(i)->Close(); // each goes once its message comes back
        PumpUntil([&] { return mdi.Frame()->MDIChildCount() == 0; });
        Settle();
    };
    cycle();
    const int windows = WindowsOfProcess();
    const std::size_t skins = ExistingSkinManager()->Forms().size();
    EXPECT_LE(GdiObjectsLeakedBy(4, cycle), 0);
    EXPECT_EQ(WindowsOfProcess(), windows);
    EXPECT_EQ(ExistingSkinManager()->Forms().size(), skins);
}

// The frame moved to a monitor at 144 DPI: its children are laid out there with it and wear the
// skin's frame at that DPI around their scaled client areas; at 96 again, as they were.
TEST(SkinnedMdi, ChildrenFollowTheirFrameToAnotherDpiAndBack) {
    TMdiHost mdi;
    ASSERT_TRUE(mdi.Shown);
    TForm* child = mdi.Child(L"First");
    TWinSkinForm* skin = TMdiHost::SkinOf(child);
    ASSERT_TRUE(skin);
    const int dpi = skin->Dpi();
    const TFrameBorders before = skin->Borders();
    RECT window{}, client{};
    GetWindowRect(child->Handle(), &window);
    const SIZE outerBefore{window.right - window.left, window.bottom - window.top};
    MoveToDpi(mdi.Handle(), 144);
    EXPECT_EQ(skin->Dpi(), 144);
    EXPECT_EQ(mdi.FrameSkin()->Dpi(), 144);
    TScaledSkin& scaled = mdi.Host.Form->SkinData1->AtDpi(144);
    const TFrameBorders b = skin->Borders();
    const TFrameBorders sides =
        BordersFromSkin(scaled.Left(), scaled.Top(), scaled.Right(), scaled.Bottom(), TFrameKind::Sizeable, 0);
    EXPECT_EQ(b.Left, sides.Left);
    EXPECT_EQ(b.Top, sides.Top);
    EXPECT_EQ(b.Right, sides.Right);
    EXPECT_EQ(b.Bottom, sides.Bottom);
    GetWindowRect(child->Handle(), &window);
    GetClientRect(child->Handle(), &client);
    EXPECT_EQ(client.right, ScaleLength(220, 144));
    EXPECT_EQ(client.bottom, ScaleLength(120, 144));
    EXPECT_EQ(window.right - window.left, client.right + b.Left + b.Right);
    EXPECT_EQ(window.bottom - window.top, client.bottom + b.Top + b.Menu + b.Bottom);
    MoveToDpi(mdi.Handle(), dpi);
    EXPECT_EQ(skin->Dpi(), dpi);
    EXPECT_EQ(skin->Borders(), before);
    GetWindowRect(child->Handle(), &window);
    EXPECT_EQ(window.right - window.left, outerBefore.cx);
    EXPECT_EQ(window.bottom - window.top, outerBefore.cy);
}

} // namespace
} // namespace orvo::test

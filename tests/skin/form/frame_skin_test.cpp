// A skinned form as the system and the user see it: its frame's geometry and region, hit tests,
// the skin's pixels in both activation states, caption text, caption buttons tracking hover and
// press and acting only on release inside, the system menu, and the window given back whole.
#include "skin/data/skin_protocol.h"
#include "skin/draw/skin_draw.h"
#include "skin/manager/skin_manager.h"
#include "tests/framework/support/pump.h"
#include "tests/skin/form/skin_test_form.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orvo::test {
namespace {

COLORREF Rgb(TColor c) {
    return static_cast<COLORREF>(ColorToRGB(c)) & 0xFFFFFF;
}

// The piece of a border element at a size, as the frame draws it.
std::unique_ptr<TBitmap> Piece(TDataSkinBorder& e, SIZE size, bool stacked, int frame) {
    const TMargins margins = stacked ? TMargins{e.LeftWidth, 0, e.RightWidth, 0} : TMargins{0, e.TopHeight, 0, e.BottomHeight};
    return SlicedFrame(size, e.Image, std::max(e.Frame, 1), frame, stacked, margins, e.Tile != 1);
}

TEST(SkinnedFrame, KeepsTheClientSizeAndTakesTheSkinsGeometry) {
    TSkinnedFormHost host({}, false);
    host.Form->HandleNeeded();
    RECT before{};
    GetClientRect(host.Handle(), &before);
    ASSERT_TRUE(host.ShowAndWait());
    TWinSkinForm* skin = host.Skin();
    ASSERT_TRUE(skin);
    EXPECT_EQ(SendMessageW(host.Handle(), SKM_ISSKINNED, 0, 0), 1);

    TSkinData& data = *host.Form->SkinData1;
    EXPECT_EQ(skin->BorderLeft(), data.Left().Image.Width() / data.Left().Frame);
    EXPECT_EQ(skin->BorderTop(), data.Top().Image.Height() / data.Top().Frame);
    EXPECT_EQ(skin->BorderBottom(), data.Bottom().Image.Height() / data.Bottom().Frame);
    EXPECT_EQ(skin->MenuHeight(), GetSystemMetrics(SM_CYMENU)) << "the form has a main menu";
    EXPECT_EQ(GetMenu(host.Handle()), nullptr) << "the system draws no menu bar of its own";

    RECT client{}, window{};
    GetClientRect(host.Handle(), &client);
    GetWindowRect(host.Handle(), &window);
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(client.bottom, 200);
    EXPECT_EQ(before.right, 320);
    EXPECT_EQ(window.right - window.left, 320 + skin->BorderLeft() + skin->BorderRight());
    EXPECT_EQ(window.bottom - window.top, 200 + skin->BorderTop() + skin->MenuHeight() + skin->BorderBottom());
    POINT origin{0, 0};
    ClientToScreen(host.Handle(), &origin);
    EXPECT_EQ(origin.x - window.left, skin->BorderLeft());
    EXPECT_EQ(origin.y - window.top, skin->BorderTop() + skin->MenuHeight());
    EXPECT_TRUE(GetWindowLongPtrW(host.Handle(), GWL_STYLE) & WS_CAPTION) << "the style is the window's own";
}

TEST(SkinnedFrame, AnswersHitTestsAsTheFrameSays) {
    TSkinnedFormHost host;
    TWinSkinForm* skin = host.Skin();
    ASSERT_TRUE(skin);
    HWND h = host.Handle();
    RECT window{};
    GetWindowRect(h, &window);
    const int w = window.right - window.left, ht = window.bottom - window.top;
    const TFrameBorders& b = skin->Borders();
    EXPECT_EQ(HitTest(h, {w / 3, b.Top / 2}), HTCAPTION);
    EXPECT_EQ(HitTest(h, {w / 3, 1}), HTTOP);
    EXPECT_EQ(HitTest(h, {w / 3, b.Top + b.Menu / 2}), HTMENU);
    EXPECT_EQ(HitTest(h, {w / 2, ht / 2}), HTCLIENT);
    EXPECT_EQ(HitTest(h, {0, ht / 2}), HTLEFT);
    EXPECT_EQ(HitTest(h, {w - 1, ht / 2}), HTRIGHT);
    EXPECT_EQ(HitTest(h, {w / 2, ht - 1}), HTBOTTOM) << "the bottom border is no caption";
    EXPECT_EQ(HitTest(h, {w - 1, ht - 1}), HTBOTTOMRIGHT);
    // A caption button is caption for the system; the skin handles its clicks.
    const auto& buttons = skin->SysButtons();
    const auto close = std::find_if(buttons.begin(), buttons.end(), [](const auto& x) {
        return x->Element->Action == cbaClose && x->Visible;
    });
    ASSERT_NE(close, buttons.end());
    const RECT& r = (*close)->BoundsRect;
    EXPECT_EQ(HitTest(h, {(r.left + r.right) / 2, (r.top + r.bottom) / 2}), HTCAPTION);
}

TEST(SkinnedFrame, RegionFollowsTheMagentaOfEveryBorderPixel) {
    TSkinnedFormHost host;
    TWinSkinForm* skin = host.Skin();
    ASSERT_TRUE(skin);
    HWND h = host.Handle();
    TRegionHandle region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(h, region.Get()), ERROR);
    RECT window{};
    GetWindowRect(h, &window);
    const int w = window.right - window.left, ht = window.bottom - window.top;
    TSkinData& data = *host.Form->SkinData1;
    ASSERT_TRUE(data.Left().Trans || data.Top().Trans) << "the default skin is shaped";
    const TFrameBorders& b = skin->Borders();
    const int frame = skin->Active() ? 1 : 2;
    auto left = Piece(data.Left(), {b.Left, ht}, false, frame);
    auto right = Piece(data.Right(), {b.Right, ht}, false, frame);
    auto top = Piece(data.Top(), {w - b.Left - b.Right, b.Top}, true, frame);
    auto bottom = Piece(data.Bottom(), {w - b.Left - b.Right, b.Bottom}, true, frame);
    auto kept = [](TBitmap& bitmap, int x, int y) {
        const TColor c = bitmap.PixelColor(x, y);
        const int r = c & 0xFF, g = (c >> 8) & 0xFF, bl = (c >> 16) & 0xFF;
        return !(r == 255 && bl == 255 && g <= 1);
    };
    int cut = 0;
    for (int y = 0; y < ht; ++y) {
        for (int x = 0; x < b.Left; ++x) {
            EXPECT_EQ(PtInRegion(region.Get(), x, y) != 0, kept(*left, x, y)) << x << "," << y;
            cut += !kept(*left, x, y);
        }
        for (int x = 0; x < b.Right; ++x)
            EXPECT_EQ(PtInRegion(region.Get(), w - b.Right + x, y) != 0, kept(*right, x, y)) << w - b.Right + x << "," << y;
    }
    for (int x = 0; x < w - b.Left - b.Right; ++x) {
        for (int y = 0; y < b.Top; ++y)
            EXPECT_EQ(PtInRegion(region.Get(), b.Left + x, y) != 0, !data.Top().Trans || kept(*top, x, y));
        for (int y = 0; y < b.Bottom; ++y)
            EXPECT_EQ(PtInRegion(region.Get(), b.Left + x, ht - b.Bottom + y) != 0,
                      !data.Bottom().Trans || b.Bottom < 2 || kept(*bottom, x, y));
    }
    EXPECT_GT(cut, 0) << "the rounded corners are cut away";
    EXPECT_TRUE(PtInRegion(region.Get(), w / 2, ht / 2)) << "the client is whole";
}

TEST(SkinnedFrame, ShowsTheSkinsPixelsActiveAndInactive) {
    TSkinnedFormHost host;
    TWinSkinForm* skin = host.Skin();
    ASSERT_TRUE(skin);
    HWND h = host.Handle();
    TSkinData& data = *host.Form->SkinData1;
    const TFrameBorders& b = skin->Borders();
    RECT window{};
    GetWindowRect(h, &window);
    const int w = window.right - window.left, ht = window.bottom - window.top;
    auto expectBorders = [&](int frame) {
        const TWindowImage image = CaptureWindow(h);
        auto left = Piece(data.Left(), {b.Left, ht}, false, frame);
        auto bottom = Piece(data.Bottom(), {w - b.Left - b.Right, b.Bottom}, true, frame);
        int wrong = 0;
        for (int y = b.Top; y < ht - 8; y += 3)
            for (int x = 0; x < b.Left; ++x)
                wrong += image.At(x, y) != Rgb(left->PixelColor(x, y));
        for (int x = 16; x < w - b.Left - b.Right - 16; x += 7)
            for (int y = 0; y < b.Bottom; ++y)
                wrong += image.At(b.Left + x, ht - b.Bottom + y) != Rgb(bottom->PixelColor(x, y));
        return wrong;
    };
    ASSERT_TRUE(skin->Active());
    EXPECT_EQ(expectBorders(1), 0) << "the active frame";
    // The caption text is drawn in the active title colour.
    const TWindowImage active = CaptureWindow(h);
    const COLORREF title = Rgb(data.Colour(scTitleTextActive));
    const RECT text = skin->TextRect();
    int titlePixels = 0;
    for (int y = text.top; y < text.bottom; ++y)
        for (int x = text.left; x < std::min<int>(text.right, w); ++x) titlePixels += active.At(x, y) == title;
    EXPECT_GT(titlePixels, 20);

    // Another window takes the activation.
    TSkinnedFormHost other;
    ASSERT_TRUE(PumpUntil([&] { return !skin->Active(); }));
    Pump(50);
    EXPECT_EQ(expectBorders(data.Left().Frame > 1 ? 2 : 1), 0) << "the inactive frame";
    const TWindowImage inactive = CaptureWindow(h);
    const COLORREF dim = Rgb(data.Colour(scTitleTextNoActive));
    int dimPixels = 0;
    for (int y = text.top; y < text.bottom; ++y)
        for (int x = text.left; x < std::min<int>(text.right, w); ++x) dimPixels += inactive.At(x, y) == dim;
    EXPECT_GT(dimPixels, 20);
}

TEST(SkinnedFrame, NewCaptionTextIsPaintedByTheSkinOnly) {
    TSkinnedFormHost host;
    TWinSkinForm* skin = host.Skin();
    ASSERT_TRUE(skin);
    HWND h = host.Handle();
    const TWindowImage before = CaptureWindow(h);
    host.Form->SetCaption(L"A much longer caption than before");
    Pump(30);
    const TWindowImage after = CaptureWindow(h);
    EXPECT_NE(skin->TextRect().right, 0);
    // The native caption's colour never appears in the caption bar.
    const COLORREF native = GetSysColor(COLOR_ACTIVECAPTION) & 0xFFFFFF;
    int nativePixels = 0, changed = 0;
    for (int y = 0; y < skin->BorderTop(); ++y)
        for (int x = 0; x < after.Width; ++x) {
            nativePixels += after.At(x, y) == native;
            changed += after.At(x, y) != before.At(x, y);
        }
    EXPECT_EQ(nativePixels, 0);
    EXPECT_GT(changed, 0) << "the new text is there";
    EXPECT_TRUE(GetWindowLongPtrW(h, GWL_STYLE) & WS_CAPTION) << "the caption style comes back after the text";
    wchar_t text[64]{};
    GetWindowTextW(h, text, 64);
    EXPECT_STREQ(text, L"A much longer caption than before");
}

TWinSysButton* ButtonOf(TWinSkinForm& skin, int action) {
    for (const auto& b : skin.SysButtons())
        if (b->Element->Action == action && b->Visible) return b.get();
    return nullptr;
}

POINT Centre(const RECT& r) {
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A point of a button (in the button) where its normal, pressed and hot frames differ, all opaque.
POINT ButtonSample(TWinSysButton& b) {
    TDataSkinSysButton& e = *b.Element;
    const int w = e.Image.Width() / std::max(e.Frame, 1);
    for (int y = 0; y < e.Image.Height(); ++y)
        for (int x = 0; x < w; ++x) {
            const TColor n = e.Image.PixelColor(x, y), p = e.Image.PixelColor(w + x, y), h = e.Image.PixelColor(2 * w + x, y);
            if (n != p && n != h && p != h && n != clFuchsia && p != clFuchsia && h != clFuchsia) return POINT{x, y};
        }
    return POINT{-1, -1};
}

// The colour a button's frame shows at that point.
COLORREF ButtonFramePixel(TWinSysButton& b, int frame) {
    TDataSkinSysButton& e = *b.Element;
    const int w = e.Image.Width() / std::max(e.Frame, 1);
    const POINT p = ButtonSample(b);
    return Rgb(e.Image.PixelColor((frame - 1) * w + p.x, p.y));
}

TEST(CaptionButtons, TrackHoverAndPressAndActOnlyOnReleaseInside) {
    TSkinnedFormHost host;
    TWinSkinForm* skin = host.Skin();
    ASSERT_TRUE(skin);
    HWND h = host.Handle();
    TWinSysButton* close = ButtonOf(*skin, cbaClose);
    ASSERT_TRUE(close);
    const POINT sample = ButtonSample(*close);
    ASSERT_GE(sample.x, 0) << "a skin whose normal, hot and pressed looks differ";
    const POINT c{close->BoundsRect.left + sample.x, close->BoundsRect.top + sample.y};

    EXPECT_EQ(WindowPixel(h, c.x, c.y), ButtonFramePixel(*close, 1));
    SendNcMouse(h, WM_NCMOUSEMOVE, c);
    EXPECT_EQ(close->ButtonState, nbsHot);
    EXPECT_EQ(skin->HotObject(), close);
    EXPECT_EQ(WindowPixel(h, c.x, c.y), ButtonFramePixel(*close, 3));
    SendNcMouse(h, WM_NCLBUTTONDOWN, c);
    EXPECT_EQ(close->ButtonState, nbsPressed);
    EXPECT_EQ(WindowPixel(h, c.x, c.y), ButtonFramePixel(*close, 2));
    EXPECT_EQ(GetCapture(), h) << "a press captures the mouse, as the system's own buttons do";
    // Dragged off and released outside: nothing happens.
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(close->ButtonState, nbsNormal);
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_NE(GetCapture(), h);
    Pump(50);
    EXPECT_TRUE(IsWindowVisible(h));
    EXPECT_EQ(WindowPixel(h, c.x, c.y), ButtonFramePixel(*close, 1));

    // Pressed and released inside: the window closes.
    SendNcMouse(h, WM_NCLBUTTONDOWN, c);
    POINT client = c;
    RECT window{};
    GetWindowRect(h, &window);
    client.x += window.left;
    client.y += window.top;
    ScreenToClient(h, &client);
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(h); }));
}

TEST(CaptionButtons, MinimiseMaximiseRestoreAndTheCaptionDoubleClick) {
    TSkinnedFormHost host;
    TWinSkinForm* skin = host.Skin();
    ASSERT_TRUE(skin);
    HWND h = host.Handle();
    auto click = [&](TWinSysButton* b) { ClickCaptionButton(h, b->BoundsRect); };
    TWinSysButton* max = ButtonOf(*skin, cbaMaximize);
    ASSERT_TRUE(max);
    click(max);
    ASSERT_TRUE(PumpUntil([&] { return IsZoomed(h) != FALSE; }));
    Pump(50);
    EXPECT_EQ(skin->WindowState(), TWindowShowState::Maximized);
    RECT window{};
    GetWindowRect(h, &window);
    EXPECT_EQ(window.top, 0) << "maximised, the caption stays on the screen";
    // The restore button replaces the maximise button.
    TWinSysButton* restore = ButtonOf(*skin, cbaMaximize);
    ASSERT_TRUE(restore);
    EXPECT_NE(restore, max);
    click(restore);
    ASSERT_TRUE(PumpUntil([&] { return !IsZoomed(h); }));
    RECT client{};
    GetClientRect(h, &client);
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(client.bottom, 200);

    SendNcMouse(h, WM_NCLBUTTONDBLCLK, POINT{40, skin->BorderTop() / 2});
    ASSERT_TRUE(PumpUntil([&] { return IsZoomed(h) != FALSE; })) << "a caption double-click maximises";
    SendNcMouse(h, WM_NCLBUTTONDBLCLK, POINT{40, skin->BorderTop() / 2});
    ASSERT_TRUE(PumpUntil([&] { return !IsZoomed(h); })) << "and restores";

    TWinSysButton* min = ButtonOf(*skin, cbaMinimize);
    ASSERT_TRUE(min);
    click(min);
    ASSERT_TRUE(PumpUntil([&] { return IsIconic(h) != FALSE; }));
    ShowWindow(h, SW_RESTORE);
    ASSERT_TRUE(PumpUntil([&] { return !IsIconic(h); }));
    GetClientRect(h, &client);
    EXPECT_EQ(client.right, 320);
}

// Whether the skin paints the platform's button `kind` (its look at the size of `r`) at `r` of
// the frame, as its paint-into message shows it (the screen may not hold a maximised frame whole).
bool ShowsPlatformButton(HWND window, const RECT& r, UINT kind) {
    RECT w{};
    GetWindowRect(window, &w);
    TBitmap frame(w.right - w.left, w.bottom - w.top);
    SendMessageW(window, SKM_PAINTINTO, reinterpret_cast<WPARAM>(frame.Canvas().Handle()), SkmPaintMagic);
    TBitmap expected(r.right - r.left, r.bottom - r.top);
    RECT box{0, 0, r.right - r.left, r.bottom - r.top};
    DrawFrameControl(expected.Canvas().Handle(), &box, DFC_CAPTION, kind);
    GdiFlush();
    for (int y = 0; y < box.bottom; ++y)
        for (int x = 0; x < box.right; ++x)
            if (frame.PixelColor(r.left + x, r.top + y) != expected.PixelColor(x, y)) return false;
    return true;
}

// A skin without close and maximise buttons: the platform's stand in at the caption's right end,
// beside the skin's own minimise button, and act as those would; the text keeps clear of them.
TEST(CaptionButtons, ButtonsTheSkinLacksStandInInThePlatformsLook) {
    const std::wstring store = DefaultStoreWithout({"Button0", "Button1", "Button3"}, {"closebutton.bmp", "maxbutton.bmp"});
    ASSERT_FALSE(store.empty());
    TSkinnedFormHost host(store);
    TWinSkinForm* skin = host.Skin();
    ASSERT_TRUE(skin);
    HWND h = host.Handle();
    TWinSysButton* close = ButtonOf(*skin, cbaClose);
    TWinSysButton* max = ButtonOf(*skin, cbaMaximize);
    TWinSysButton* min = ButtonOf(*skin, cbaMinimize);
    ASSERT_TRUE(close && max && min);
    EXPECT_TRUE(close->Element->Image.Empty());
    EXPECT_TRUE(max->Element->Image.Empty());
    EXPECT_FALSE(min->Element->Image.Empty()) << "the skin's own stays";
    RECT window{};
    GetWindowRect(h, &window);
    EXPECT_LE(close->BoundsRect.right, window.right - window.left - skin->BorderRight());
    EXPECT_LE(max->BoundsRect.right, close->BoundsRect.left);
    for (TWinSysButton* b : {close, max}) {
        EXPECT_GE(b->BoundsRect.top, 0);
        EXPECT_LE(b->BoundsRect.bottom, skin->BorderTop());
    }
    EXPECT_TRUE(ShowsPlatformButton(h, close->BoundsRect, DFCS_CAPTIONCLOSE));
    EXPECT_TRUE(ShowsPlatformButton(h, max->BoundsRect, DFCS_CAPTIONMAX));
    ClickCaptionButton(h, max->BoundsRect);
    ASSERT_TRUE(PumpUntil([&] { return IsZoomed(h) != FALSE; }));
    Pump(50);
    max = ButtonOf(*skin, cbaMaximize);
    ASSERT_TRUE(max);
    const UINT look = max->ButtonState == nbsHot ? DFCS_HOT : max->ButtonState == nbsPressed ? DFCS_PUSHED : 0;
    EXPECT_TRUE(ShowsPlatformButton(h, max->BoundsRect, DFCS_CAPTIONRESTORE | look)) << "maximised: restore";
    ClickCaptionButton(h, max->BoundsRect);
    ASSERT_TRUE(PumpUntil([&] { return !IsZoomed(h); }));
    Pump(50);
    close = ButtonOf(*skin, cbaClose);
    ASSERT_TRUE(close);
    ClickCaptionButton(h, close->BoundsRect);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(h); })) << "closed";
    DeleteFileW(store.c_str());
}

TEST(CaptionButtons, HoverEndsWhenTheMouseLeavesTowardsTheClient) {
    TSkinnedFormHost host;
    TWinSkinForm* skin = host.Skin();
    ASSERT_TRUE(skin);
    TWinSysButton* close = ButtonOf(*skin, cbaClose);
    ASSERT_TRUE(close);
    RECT window{};
    GetWindowRect(host.Handle(), &window);
    const POINT c = Centre(close->BoundsRect);
    SetCursorPos(window.left + c.x, window.top + c.y);
    SendNcMouse(host.Handle(), WM_NCMOUSEMOVE, c);
    ASSERT_EQ(close->ButtonState, nbsHot);
    SetCursorPos(window.left + 60, window.top + 120); // into the client: no non-client message
    EXPECT_TRUE(PumpUntil([&] { return close->ButtonState == nbsNormal; }, 1500))
        << "the hover timer notices the mouse has gone";
}

TEST(SystemMenu, IsBuiltFromTheWindowsOwnAndActs) {
    TSkinnedFormHost host;
    TWinSkinForm* skin = host.Skin();
    ASSERT_TRUE(skin);
    HWND h = host.Handle();
    std::vector<std::wstring> captions;
    int menus = 0;
    Later([&] {
        menus = static_cast<int>(VisibleMenuWindows().size());
        TPopupMenu* popup = skin->SystemMenuPopup();
        if (popup) {
            for (int i = 0; i < popup->Items()->Count(); ++i) {
                TMenuItem* item = popup->Items()->Items(i);
                captions.push_back(item->Caption());
                if ((static_cast<UINT>(item->Tag()) & 0xFFF0) == SC_MINIMIZE) {
                    EXPECT_EQ(item->ImageIndex(), 2);
                    EXPECT_TRUE(item->Enabled());
                }
                if ((static_cast<UINT>(item->Tag()) & 0xFFF0) == SC_RESTORE) {
                    EXPECT_FALSE(item->Enabled());
                }
            }
        }
        EndMenu();
    });
    SendMessageW(h, WM_SYSCOMMAND, SC_KEYMENU, L' ');
    EXPECT_EQ(menus, 1) << "Alt+Space opens the skinned system menu";
    ASSERT_FALSE(captions.empty());
    EXPECT_TRUE(std::find(captions.begin(), captions.end(), L"-") != captions.end());
    ASSERT_TRUE(skin->SystemMenuPopup());
    EXPECT_EQ(skin->SystemMenuPopup()->Tag(), 33333);
    // Picking Minimize minimises the window.
    for (int i = 0; i < skin->SystemMenuPopup()->Items()->Count(); ++i) {
        TMenuItem* item = skin->SystemMenuPopup()->Items()->Items(i);
        if ((static_cast<UINT>(item->Tag()) & 0xFFF0) == SC_MINIMIZE) item->Click();
    }
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(h) != FALSE; }));
}

TEST(SkinnedFrame, UnskinGivesTheWindowItsOwnFrameAndMenuBack) {
    TSkinnedFormHost host;
    TWinSkinForm* skin = host.Skin();
    ASSERT_TRUE(skin);
    HWND h = host.Handle();
    TSkinManage* manager = ExistingSkinManager();
    manager->SetPendingSkinData(host.Form->SkinData1);
    manager->RequestAction(TSkinAction::SwitchOff, 1);
    manager->DoPendingAction();
    EXPECT_EQ(manager->FindFormSkin(h), nullptr);
    EXPECT_EQ(SendMessageW(h, SKM_ISSKINNED, 0, 0), 0);
    EXPECT_EQ(GetMenu(h), host.Form->MainMenu1->Handle()) << "the menu is the window's again";
    RECT client{};
    GetClientRect(h, &client);
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(client.bottom, 200);
    TRegionHandle region(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(h, region.Get()), ERROR) << "no region any more";
}

} // namespace
} // namespace orvo::test

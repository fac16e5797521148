// A skinned form moved to a monitor of another scale and back (WM_GETDPISCALEDSIZE and
// WM_DPICHANGED sent as the system sends them; under Wine the window's own DPI stays the prefix's):
// the frame's borders, menu strip, hit tests, region and pixels are the skin's at the new DPI, the
// client keeps its designed size scaled, and the way back gives every size, font and GDI object
// back. A store without images for other scales draws there from resampled ones, without a key
// pixel on screen.
#include "core/skinfile/skin_reader.h"
#include "core/skinscale/skin_scales.h"
#include "framework/base/streams.h"
#include "framework/menus/menus.h"
#include "framework/window/display_scale.h"
#include "skin/draw/skin_draw.h"
#include "skin/form/menu_bar.h"
#include "skin/manager/skin_manager.h"
#include "tests/framework/support/dpi_harness.h"
#include "tests/framework/support/gdi_count.h"
#include "tests/framework/support/pump.h"
#include "tests/skin/form/skin_test_form.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orvo::test {
namespace {

COLORREF Rgb(TColor c) {
    return static_cast<COLORREF>(ColorToRGB(c)) & 0xFFFFFF;
}

bool IsMagenta(COLORREF c) {
    return GetRValue(c) == 255 && GetBValue(c) == 255 && GetGValue(c) <= 1;
}

// The frame painted now (the menu bar lays its items out as it paints).
void PaintFrameNow(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(20);
}

// Everything of the frame that must come back exactly.
struct TFrameState {
    TFrameBorders Borders;
    SIZE Window{};
    SIZE Client{};
    RECT Text{};
    std::vector<RECT> Buttons;
    LOGFONTW Caption{};
    bool operator==(const TFrameState& o) const {
        return Borders == o.Borders && Window.cx == o.Window.cx && Window.cy == o.Window.cy &&
               Client.cx == o.Client.cx && Client.cy == o.Client.cy && EqualRect(&Text, &o.Text) &&
               std::equal(Buttons.begin(), Buttons.end(), o.Buttons.begin(), o.Buttons.end(),
                          [](const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }) &&
               Caption.lfHeight == o.Caption.lfHeight && std::wstring(Caption.lfFaceName) == o.Caption.lfFaceName;
    }
};

TFrameState StateOf(TWinSkinForm& skin) {
    TFrameState s;
    s.Borders = skin.Borders();
    RECT window{}, client{};
    GetWindowRect(skin.Handle, &window);
    GetClientRect(skin.Handle, &client);
    s.Window = SIZE{window.right - window.left, window.bottom - window.top};
    s.Client = SIZE{client.right, client.bottom};
    s.Text = skin.TextRect();
    for (const auto& button : skin.SysButtons())
        if (button->Visible) s.Buttons.push_back(button->BoundsRect);
    GetObjectW(skin.CaptionFont().Handle(), sizeof s.Caption, &s.Caption);
    return s;
}

// The frame at `dpi` as the skin at that DPI gives it: geometry, hit tests, the left border's and
// the caption buttons' pixels, the region cut where the pieces have the key, no key on screen.
void ExpectFrameOfSkinAt(TSkinnedFormHost& host, int dpi) {
    TWinSkinForm& skin = *host.Skin();
    HWND h = host.Handle();
    TScaledSkin& scaled = host.Form->SkinData1->AtDpi(dpi);
    ASSERT_EQ(skin.Dpi(), dpi);
    const TFrameBorders expected =
        BordersFromSkin(scaled.Left(), scaled.Top(), scaled.Right(), scaled.Bottom(), TFrameKind::Sizeable,
                        SystemMetricForDpi(SM_CYMENU, dpi));
    const TFrameBorders& b = skin.Borders();
    EXPECT_EQ(b, expected) << dpi;

    RECT window{}, client{};
    GetWindowRect(h, &window);
    GetClientRect(h, &client);
    const int w = window.right - window.left, ht = window.bottom - window.top;
    EXPECT_EQ(client.right, ScaleLength(320, dpi));
    EXPECT_EQ(client.bottom, ScaleLength(200, dpi));
    EXPECT_EQ(w, client.right + b.Left + b.Right);
    EXPECT_EQ(ht, client.bottom + b.Top + b.Menu + b.Bottom);
    POINT origin{0, 0};
    ClientToScreen(h, &origin);
    EXPECT_EQ(origin.x - window.left, b.Left);
    EXPECT_EQ(origin.y - window.top, b.Top + b.Menu);

    // Hit tests: the sizing rows of the caption scale with it.
    EXPECT_EQ(HitTest(h, {w / 3, ScaleLength(4, dpi) - 1}), HTTOP);
    EXPECT_EQ(HitTest(h, {w / 3, ScaleLength(4, dpi)}), HTCAPTION);
    EXPECT_EQ(HitTest(h, {w / 3, b.Top - 1}), HTCAPTION);
    EXPECT_EQ(HitTest(h, {w / 3, b.Top + b.Menu / 2}), HTMENU);
    EXPECT_EQ(HitTest(h, {b.Left, b.Top + b.Menu}), HTCLIENT);
    EXPECT_EQ(HitTest(h, {b.Left - 1, ht / 2}), HTLEFT);
    EXPECT_EQ(HitTest(h, {w - b.Right, ht / 2}), HTRIGHT);
    EXPECT_EQ(HitTest(h, {w / 2, ht - b.Bottom}), HTBOTTOM);

    const TWindowImage image = CaptureWindow(h);
    TRegionHandle region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(h, region.Get()), ERROR);
    const int frame = skin.Active() ? 1 : 2;
    TDataSkinBorder& left = scaled.Left();
    auto piece = SlicedFrame(SIZE{b.Left, ht}, left.Image, std::max(left.Frame, 1), frame, false,
                             TMargins{0, left.TopHeight, 0, left.BottomHeight}, left.Tile != 1);
    int wrong = 0, cut = 0;
    for (int y = 0; y < ht; ++y)
        for (int x = 0; x < b.Left; ++x) {
            const COLORREF c = piece->PixelColor(x, y);
            const bool key = IsMagenta(Rgb(c));
            cut += key;
            EXPECT_EQ(PtInRegion(region.Get(), x, y) != 0, !left.Trans || !key) << x << "," << y << " at " << dpi;
            if (!key && y >= b.Top) wrong += image.At(x, y) != Rgb(c);
        }
    EXPECT_EQ(wrong, 0) << "the left border is the scaled piece at " << dpi;
    if (left.Trans) {
        EXPECT_GT(cut, 0) << "the rounded corners are cut away at " << dpi;
    }

    int buttons = 0;
    for (const auto& button : skin.SysButtons()) {
        const TDataSkinSysButton& e = *button->Element;
        if (!button->Visible || e.Image.Empty() || e.Align == calMenuBar) continue;
        const RECT& r = button->BoundsRect;
        const int frames = std::max(e.Frame, 1), fw = e.Image.Width() / frames;
        ASSERT_EQ(r.right - r.left, fw);
        ASSERT_EQ(r.bottom - r.top, e.Image.Height());
        const int shown = CaptionFrameIndex(frames, skin.Active(), button->Enabled);
        int differ = 0;
        for (int y = 0; y < e.Image.Height(); ++y)
            for (int x = 0; x < fw; ++x) {
                const COLORREF c = Rgb(e.Image.PixelColor((shown - 1) * fw + x, y));
                if (!IsMagenta(c) && r.left + x < w) differ += image.At(r.left + x, r.top + y) != c;
            }
        EXPECT_EQ(differ, 0) << "caption button " << e.Action << " at " << dpi;
        ++buttons;
    }
    EXPECT_GT(buttons, 0);

    int magenta = 0;
    for (int y = 0; y < ht; ++y)
        for (int x = 0; x < w; ++x) magenta += PtInRegion(region.Get(), x, y) && IsMagenta(image.At(x, y));
    EXPECT_EQ(magenta, 0) << "no key pixel on screen at " << dpi;
}

TEST(FrameAtDpi, MovesToEachScaleAndBackWithEverythingAsItWas) {
    TSkinnedFormHost host;
    TWinSkinForm* skin = host.Skin();
    ASSERT_TRUE(skin);
    const int dpi = skin->Dpi();
    ASSERT_EQ(dpi, DpiForWindow(host.Handle())) << "the frame starts at its window's DPI";
    ExpectFrameOfSkinAt(host, dpi);
    const TFrameState before = StateOf(*skin);
    LOGFONTW designed{};
    GetObjectW(host.Form->SkinData1->CaptionFont().Handle(), sizeof designed, &designed);

    for (const int to : {120, 144, 192}) {
        if (to == dpi) continue;
        MoveToDpi(host.Handle(), to);
        ExpectFrameOfSkinAt(host, to);
        LOGFONTW caption{};
        GetObjectW(skin->CaptionFont().Handle(), sizeof caption, &caption);
        EXPECT_EQ(caption.lfHeight, ScaleLengthBetween(designed.lfHeight, SystemDpi(), to)) << "caption font at " << to;
        MoveToDpi(host.Handle(), dpi);
        EXPECT_TRUE(StateOf(*skin) == before) << "back from " << to;
    }
    ExpectFrameOfSkinAt(host, dpi);

    // The round trip keeps no GDI object: pieces, regions, fonts, buttons and icons are replaced.
    const long leaked = GdiObjectsLeakedBy(2, [&] {
        MoveToDpi(host.Handle(), 144);
        MoveToDpi(host.Handle(), dpi);
    });
    EXPECT_LE(leaked, 0);
}

SIZE ClientSize(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return SIZE{r.right, r.bottom};
}

SIZE WindowSize(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

bool operator==(SIZE a, SIZE b) {
    return a.cx == b.cx && a.cy == b.cy;
}

// A bare window (a message box: no framework form behind it) answers the system's questions
// itself: its size at the new DPI is its client scaled and the skin's frame there, and it moves
// to the rectangle the system suggests, framed by the skin at that DPI; and back.
TEST(FrameAtDpi, AMessageBoxMovedToAnotherDpiWearsTheSkinsFrameThereAndBack) {
    TSkinnedFormHost host;
    const int dpi = DpiForWindow(host.Handle());
    TFrameBorders before, at, back;
    SIZE clientBefore{}, clientAt{}, windowAt{}, clientBack{}, windowBefore{}, windowBack{};
    int skinDpi = 0;
    WhenActive([&](HWND box) {
        TWinSkinForm* skin = ExistingSkinManager()->FindFormSkin(box);
        before = skin->Borders();
        clientBefore = ClientSize(box);
        windowBefore = WindowSize(box);
        MoveToDpi(box, 144);
        skinDpi = skin->Dpi();
        at = skin->Borders();
        clientAt = ClientSize(box);
        windowAt = WindowSize(box);
        MoveToDpi(box, dpi);
        back = skin->Borders();
        clientBack = ClientSize(box);
        windowBack = WindowSize(box);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    MessageBoxW(host.Handle(), L"Text of the message", L"A box", MB_OK);
    TScaledSkin& scaled = host.Form->SkinData1->AtDpi(144);
    EXPECT_EQ(skinDpi, 144);
    EXPECT_EQ(at, BordersFromSkin(scaled.Left(), scaled.Top(), scaled.Right(), scaled.Bottom(), TFrameKind::Dialog, 0));
    EXPECT_EQ(clientAt.cx, ScaleLengthBetween(clientBefore.cx, dpi, 144));
    EXPECT_EQ(clientAt.cy, ScaleLengthBetween(clientBefore.cy, dpi, 144));
    EXPECT_EQ(windowAt.cx, clientAt.cx + at.Left + at.Right);
    EXPECT_EQ(windowAt.cy, clientAt.cy + at.Top + at.Bottom);
    EXPECT_EQ(back, before);
    EXPECT_TRUE(clientBack == clientBefore);
    EXPECT_TRUE(windowBack == windowBefore);
}

int TextWidth(const wchar_t* text, TFont& font) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font.Handle());
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, text, -1, &r, DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return r.right;
}

TEST(FrameAtDpi, TheMenuBarAndItsDropDownsFollowTheDpi) {
    TSkinnedFormHost host;
    TWinSkinForm* skin = host.Skin();
    ASSERT_TRUE(skin && skin->MenuBar());
    const int dpi = skin->Dpi();
    HWND h = host.Handle();
    auto measured = [&] {
        MEASUREITEMSTRUCT measure{ODT_MENU, 0, host.Form->mnOpen->Command(), 0, 0, 0};
        SendMessageW(h, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
        return SIZE{static_cast<LONG>(measure.itemWidth), static_cast<LONG>(measure.itemHeight)};
    };
    const SIZE before = measured();
    for (const int to : {144, 192}) {
        MoveToDpi(h, to);
        PaintFrameNow(h);
        TWinSkinMenu* bar = skin->MenuBar();
        const RECT first = bar->Item(0)->BoundsRect;
        EXPECT_EQ(first.left, skin->BorderLeft() + ScaleLength(6, to)) << "the default skin has no MenuBar element";
        EXPECT_EQ(first.top, skin->BorderTop());
        EXPECT_EQ(first.right - first.left, TextWidth(L"&File", MenuFont(to)) + ScaleLength(10, to));
        EXPECT_EQ(bar->Item(1)->BoundsRect.left, first.right);
        EXPECT_EQ(HitTest(h, POINT{first.left + 2, first.top + 2}), HTMENU);
        // A drop-down's item: the menu font and the skin's margins at the DPI.
        const SIZE at = measured();
        EXPECT_GE(at.cx, ScaleLength(before.cx, to) - ScaleLength(4, to)) << to;
        EXPECT_GE(at.cy, ScaleLength(before.cy, to) - 2) << to;
    }
    MoveToDpi(h, dpi);
    EXPECT_EQ(measured().cx, before.cx);
    EXPECT_EQ(measured().cy, before.cy);
}

bool ReadStore(const std::wstring& path, TSkinReader& reader) {
    TFileStream in(path, fmOpenRead | fmShareDenyWrite);
    std::vector<std::uint8_t> store(static_cast<std::size_t>(in.Size()));
    in.ReadBuffer(store.data(), static_cast<std::int64_t>(store.size()));
    return static_cast<bool>(reader.Load(store));
}

// The names of the images for other scales a store carries.
std::vector<std::string> ScaledImageEntries(const std::wstring& path) {
    TSkinReader reader;
    std::vector<std::string> names;
    if (!ReadStore(path, reader)) return names;
    for (const TSkinEntry& entry : reader.Entries())
        if (entry.Key.find('@') != std::string::npos) names.push_back(entry.Key);
    return names;
}

TEST(FrameAtDpi, AStoreWithOnlyItsDesignedImagesDrawsAt150WithoutTheKey) {
    const std::wstring store = DefaultStoreWithout({"NoSuchSection"}, ScaledImageEntries(DefaultStorePath()));
    ASSERT_FALSE(store.empty());
    TSkinnedFormHost host(store);
    ASSERT_TRUE(host.Skin());
    ASSERT_TRUE(host.Form->SkinData1->StoreScales().empty()) << "no image for another scale";
    MoveToDpi(host.Handle(), 144);
    ExpectFrameOfSkinAt(host, 144);
    MoveToDpi(host.Handle(), DpiForWindow(host.Handle()));
}

TEST(FrameAtDpi, AFormTellsTheSkinsFrameForTheDpiItIsAskedAbout) {
    TSkinnedFormHost host;
    TWinSkinForm* skin = host.Skin();
    ASSERT_TRUE(skin);
    TScaledSkin& scaled = host.Form->SkinData1->AtDpi(192);
    SIZE size{};
    ASSERT_EQ(SendMessageW(host.Handle(), WM_GETDPISCALEDSIZE, 192, reinterpret_cast<LPARAM>(&size)), TRUE);
    const TFrameBorders b = BordersFromSkin(scaled.Left(), scaled.Top(), scaled.Right(), scaled.Bottom(),
                                           TFrameKind::Sizeable, SystemMetricForDpi(SM_CYMENU, 192));
    EXPECT_EQ(size.cx, ScaleLength(320, 192) + b.Left + b.Right);
    EXPECT_EQ(size.cy, ScaleLength(200, 192) + b.Top + b.Menu + b.Bottom);
    EXPECT_EQ(skin->Dpi(), DpiForWindow(host.Handle())) << "asking changes nothing";
}

// In a process started at a DPI (the prefix's LogPixels): the form is made at its window's DPI and
// so is its frame, under both shipped skins; at 192 the caption buttons show the very pixels of the
// store's images drawn for 200 %.
TEST(FrameAtDpiChild, AFormMadeAtItsWindowsDpiWearsTheSkinsFrameAtThatDpi) {
    const int dpi = ChildTestDpi();
    if (!dpi) GTEST_SKIP() << "runs in a child process at another DPI";
    for (const std::wstring& store : {DefaultStorePath(), JadeStorePath()}) {
        TSkinnedFormHost host(store);
        ASSERT_TRUE(host.Skin());
        ASSERT_EQ(DpiForWindow(host.Handle()), dpi);
        ExpectFrameOfSkinAt(host, dpi);
        if (dpi != 192) continue;
        TSkinReader reader;
        ASSERT_TRUE(ReadStore(store, reader));
        const TWindowImage image = CaptureWindow(host.Handle());
        int compared = 0;
        for (const auto& button : host.Skin()->SysButtons()) {
            const TDataSkinSysButton& e = *button->Element;
            if (!button->Visible || e.ImageEntry.empty() || e.Align == calMenuBar) continue;
            const std::vector<std::uint8_t> bytes = reader.GetEntry(ScaledImageName(e.ImageEntry, 200));
            if (bytes.empty()) continue;
            TBitmap drawn;
            drawn.LoadFromBytes(bytes);
            const int frames = std::max(e.Frame, 1), fw = drawn.Width() / frames;
            const RECT& r = button->BoundsRect;
            ASSERT_EQ(r.right - r.left, fw) << e.ImageEntry;
            ASSERT_EQ(r.bottom - r.top, drawn.Height()) << e.ImageEntry;
            const int shown = CaptionFrameIndex(frames, host.Skin()->Active(), button->Enabled);
            int differ = 0;
            for (int y = 0; y < drawn.Height(); ++y)
                for (int x = 0; x < fw; ++x) {
                    const COLORREF c = Rgb(drawn.PixelColor((shown - 1) * fw + x, y));
                    if (!IsMagenta(c)) differ += image.At(r.left + x, r.top + y) != c;
                }
            EXPECT_EQ(differ, 0) << e.ImageEntry << " at 200 %";
            ++compared;
        }
        EXPECT_GT(compared, 0) << "the store draws its caption buttons for 200 %";
    }
}

TEST(FrameAtDpiDriver, FormsMadeAt120144And192WearTheSkinsFrameThere) {
    if (ChildTestDpi()) GTEST_SKIP() << "the driver's own test";
    for (const int dpi : {120, 144, 192}) {
        const TChildRun run = RunTestsAtDpi(dpi, "FrameAtDpiChild.*");
        EXPECT_EQ(run.ExitCode, 0u) << "at " << dpi << ":\n" << run.Output;
        EXPECT_NE(run.Output.find("[  PASSED  ] 1 test"), std::string::npos) << run.Output;
        EXPECT_EQ(PrefixLogPixels(), 96);
    }
}

} // namespace
} // namespace orvo::test

// Scroll bar overlays on real controls under Wine: placed on the platform's bar rectangle and
// directly above the control, painted from the skin in each state, presses handed to the
// platform's own tracking (arrow steps, thumb drags), hidden with the bar, made again for a
// re-created window, freed safely while a press runs; the stand-alone control and the combo
// drop-down list's painted bar with its drag loop; no GDI or USER objects left behind.
#include "framework/controls/combo_box.h"
#include "framework/controls/list_box.h"
#include "framework/controls/memo.h"
#include "framework/controls/scroll_bar.h"
#include "skin/controls/edit_combo_spin.h"
#include "skin/controls/scroll_bar.h"
#include "tests/framework/support/gdi_count.h"
#include "tests/skin/controls/skinned_form.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

using test::FrameColour;
using test::Pump;
using test::PumpUntil;
using test::TSkinnedForm;

using test::ScrollSkin;
using test::ThumbBase;
using test::TrackBase;

RECT BarRect(HWND w, LONG id) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    GetScrollBarInfo(w, id, &info);
    return info.rcScrollBar;
}

RECT ScreenRect(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
}

bool Same(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

// What the screen shows at a client point of a window.
TColor Shown(HWND w, int x, int y) {
    RedrawWindow(w, nullptr, nullptr, RDW_UPDATENOW);
    HDC dc = GetDC(w);
    const auto pixel = static_cast<TColor>(GetPixel(dc, x, y));
    ReleaseDC(w, dc);
    return pixel;
}

// The overlay windows (of any skin) inside a parent window.
std::vector<HWND> Overlays(HWND parent) {
    std::vector<HWND> found;
    for (HWND w = GetTopWindow(parent); w; w = GetWindow(w, GW_HWNDNEXT))
        if (WindowClassName(w) == L"TWScrollbar") found.push_back(w);
    return found;
}

TMemo* LongMemo(TSkinnedForm& f, int lines = 100) {
    auto* memo = f.Add<TMemo>(nullptr, 20, 20, 200, 150);
    memo->SetScrollBars(ssVertical);
    memo->SetWordWrap(false);
    std::wstring text;
    for (int i = 0; i < lines; ++i) text += L"line " + std::to_wstring(i) + L"\r\n";
    memo->SetText(text);
    return memo;
}

int FirstLine(TMemo* memo) {
    return static_cast<int>(SendMessageW(memo->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0));
}

LPARAM At(POINT p) {
    return MAKELPARAM(p.x, p.y);
}

TEST(ScrollGeometry, PartsThumbsAndDragPositions) {
    // A vertical bar of 200 with 17-pixel arrows and the thumb at 50..80.
    EXPECT_EQ(ScrollHitTest(5, 17, 50, 80, 200), shFirstArrow);
    EXPECT_EQ(ScrollHitTest(30, 17, 50, 80, 200), shPageBefore);
    EXPECT_EQ(ScrollHitTest(60, 17, 50, 80, 200), shThumb);
    EXPECT_EQ(ScrollHitTest(120, 17, 50, 80, 200), shPageAfter) << "the track below the thumb, not the arrow";
    EXPECT_EQ(ScrollHitTest(190, 17, 50, 80, 200), shSecondArrow);

    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    TThumbExtent t = ControlThumb(200, 17, si);
    EXPECT_EQ(t.Start, 17) << "Max = Min still paints, thumb at the first arrow";
    EXPECT_EQ(t.End, 34);
    si.nMax = 10000;
    si.nPage = 2;
    si.nPos = 0;
    t = ControlThumb(200, 17, si);
    EXPECT_EQ(t.End - t.Start, 8) << "a tiny page gets the 8-pixel minimum thumb";
    si.nPos = 5000;
    t = ControlThumb(200, 17, si);
    EXPECT_EQ(t.Start, MulDiv(200 - 34 - 8, 5000, 10000) + 17);

    EXPECT_EQ(TrackThumbStart(50, -100, 30, 17, 200), 17) << "kept below the first arrow";
    EXPECT_EQ(TrackThumbStart(50, 500, 30, 17, 200), 200 - 17 - 30) << "kept above the second";
    EXPECT_EQ(TrackThumbStart(50, 10, 30, 17, 200), 60);

    SCROLLINFO list{sizeof list, SIF_ALL, 0, 29, 5, 0, 0};
    EXPECT_EQ(ComboDragPosition(-20, 100, 20, list), 0);
    EXPECT_EQ(ComboDragPosition(40, 100, 20, list), MulDiv(40, 24, 80));
    EXPECT_EQ(ComboDragPosition(500, 100, 20, list), 25) << "the last position a 5-item page reaches";
    EXPECT_EQ(ComboDragPosition(10, 100, 100, list), 0) << "no room to move: no division by zero";

    EXPECT_EQ(ScrollArrowFrame(true, false, shFirstArrow, false), 12);
    EXPECT_EQ(ScrollArrowFrame(true, true, shSecondArrow, true), 14);
    EXPECT_EQ(ScrollArrowFrame(false, true, shFirstArrow, true), 5);
    const RECT box = ScrollCornerBox(RECT{180, 0, 197, 130}, RECT{0, 130, 180, 147}, POINT{1, 1});
    EXPECT_TRUE(Same(box, RECT{181, 131, 198, 148}));
}

// A simple combo box's list (a bare window) wears overlays too; its frame painted again, or the
// list resized, they are back on top at once, not at some later paint.
TEST(ScrollOverlay, ASimpleCombosListBarIsPaintedAgainWithItsFrame) {
    TSkinnedForm f(ScrollSkin());
    auto* combo = f.Add<TComboBox>(nullptr, 20, 20, 160, 140);
    combo->SetStyle(csSimple);
    for (int i = 0; i < 40; ++i) combo->Items()->Add(L"Item " + std::to_wstring(i));
    f.Skin();
    auto* skin = dynamic_cast<TSkinComBox*>(f.SkinOf(combo));
    ASSERT_NE(skin, nullptr) << f.SkinClassOf(combo);
    ASSERT_TRUE(skin->ListScroll && skin->ListScroll->VertBar);
    TWScrollbar* bar = skin->ListScroll->VertBar;
    HWND list = skin->ListHandle;
    ASSERT_TRUE(bar->Showing);
    EXPECT_TRUE(Same(ScreenRect(bar->Handle()), BarRect(list, OBJID_VSCROLL)));
    auto arrowOnScreen = [&] {
        const RECT r = BarRect(list, OBJID_VSCROLL);
        HDC screen = GetDC(nullptr);
        const auto pixel = static_cast<TColor>(GetPixel(screen, (r.left + r.right) / 2, r.bottom - 8));
        ReleaseDC(nullptr, screen);
        return pixel;
    };
    Pump(20);
    EXPECT_EQ(arrowOnScreen(), FrameColour(13)) << "the skin's down arrow";
    RedrawWindow(list, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
    EXPECT_EQ(arrowOnScreen(), FrameColour(13)) << "still, right after the list's frame";
    SetWindowPos(combo->Handle(), nullptr, 0, 0, 160, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(Same(ScreenRect(bar->Handle()), BarRect(list, OBJID_VSCROLL))) << "moved with the list";
    Pump(20);
    EXPECT_EQ(arrowOnScreen(), FrameColour(13)) << "and painted";
}

TEST(ScrollOverlay, CoversTheMemosBarAndFollowsIt) {
    TSkinnedForm f(ScrollSkin());
    TMemo* memo = LongMemo(f);
    f.Skin();
    auto* skin = dynamic_cast<TSkinScrollbar*>(f.SkinOf(memo));
    ASSERT_NE(skin, nullptr) << f.SkinClassOf(memo);
    ASSERT_NE(skin->VertBar, nullptr);
    HWND overlay = skin->VertBar->Handle();
    HWND w = memo->Handle();
    EXPECT_TRUE(skin->VertBar->Showing);
    EXPECT_FALSE(skin->HorzBar->Showing) << "no horizontal bar, no overlay";
    EXPECT_TRUE(Same(ScreenRect(overlay), BarRect(w, OBJID_VSCROLL)));
    EXPECT_EQ(GetWindow(w, GW_HWNDPREV), overlay) << "directly above the memo";
    EXPECT_EQ(GetParent(overlay), GetParent(w));
    EXPECT_EQ(SendMessageW(overlay, SKM_ISSKINNED, 0, 0), 1);
    for (int i = 0; i < f.Form->ControlCount(); ++i) EXPECT_NE(f.Form->Controls(i), skin->VertBar);
    std::vector<TWinControl*> tabOrder;
    f.Form->GetTabOrderList(tabOrder);
    EXPECT_EQ(std::count(tabOrder.begin(), tabOrder.end(), skin->VertBar), 0);

    // The skin's images: arrows, track, thumb with its grip.
    const RECT r = ScreenRect(overlay);
    const int h = r.bottom - r.top;
    EXPECT_EQ(Shown(overlay, 8, 8), FrameColour(9)) << "up arrow";
    EXPECT_EQ(Shown(overlay, 8, h - 8), FrameColour(13)) << "down arrow";
    EXPECT_EQ(Shown(overlay, 8, h - 20), FrameColour(TrackBase + 1)) << "track";
    const int thumbTop = skin->VertBar->ThumbStart;
    EXPECT_EQ(Shown(overlay, 8, thumbTop + 1), FrameColour(ThumbBase + 1)) << "thumb";

    // Hover and leave.
    SendMessageW(overlay, WM_MOUSEMOVE, 0, MAKELPARAM(8, h - 8));
    EXPECT_EQ(Shown(overlay, 8, h - 8), FrameColour(16)) << "hot down arrow";
    SendMessageW(overlay, WM_MOUSEMOVE, 0, MAKELPARAM(8, thumbTop + 1));
    EXPECT_EQ(Shown(overlay, 8, thumbTop + 1), FrameColour(ThumbBase + 3)) << "hot thumb";
    EXPECT_EQ(Shown(overlay, 8, h - 8), FrameColour(13));
    SendMessageW(overlay, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(Shown(overlay, 8, thumbTop + 1), FrameColour(ThumbBase + 1));

    // Scrolled by the program: the thumb follows.
    SendMessageW(w, EM_LINESCROLL, 0, 50);
    Pump(20);
    EXPECT_GT(skin->VertBar->ThumbStart, thumbTop);

    // Size, hide, show, disable.
    memo->SetBounds(30, 30, 240, 180);
    Pump(10);
    EXPECT_TRUE(Same(ScreenRect(overlay), BarRect(w, OBJID_VSCROLL)));
    memo->Hide();
    EXPECT_FALSE(IsWindowVisible(overlay)) << "hidden with the memo";
    memo->Show();
    Pump(10);
    EXPECT_TRUE(IsWindowVisible(overlay));
    EXPECT_TRUE(Same(ScreenRect(overlay), BarRect(w, OBJID_VSCROLL)));
    const int thumbAt = skin->VertBar->ThumbStart + 1; // a disabled bar reports no thumb
    memo->SetEnabled(false);
    Pump(10);
    EXPECT_NE(Shown(overlay, 8, thumbAt), FrameColour(ThumbBase + 1)) << "disabled: no thumb";
    memo->SetEnabled(true);

    // The form's own look back: no overlay left.
    f.Unskin();
    EXPECT_TRUE(Overlays(f.Form->Handle()).empty());
}

TEST(ScrollOverlay, SecondBarCornerBoxAndRecreatedWindow) {
    TSkinnedForm f(ScrollSkin());
    TMemo* memo = LongMemo(f);
    memo->SetText(memo->Text() + std::wstring(400, L'x'));
    f.Skin();
    memo->SetScrollBars(ssBoth); // a new window
    ASSERT_TRUE(PumpUntil([&] {
        auto* s = dynamic_cast<TSkinScrollbar*>(f.SkinOf(memo));
        return s && s->Handle == memo->Handle() && s->HorzBar && s->HorzBar->Showing;
    })) << "the re-created memo has its overlays again";
    auto* skin = dynamic_cast<TSkinScrollbar*>(f.SkinOf(memo));
    HWND w = memo->Handle();
    EXPECT_TRUE(Same(ScreenRect(skin->VertBar->Handle()), BarRect(w, OBJID_VSCROLL)));
    EXPECT_TRUE(Same(ScreenRect(skin->HorzBar->Handle()), BarRect(w, OBJID_HSCROLL)));
    EXPECT_EQ(Overlays(f.Form->Handle()).size(), 2u) << "the old window's overlays are gone";
    // The corner box between the bars, in the skin's face colour.
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    const RECT v = BarRect(w, OBJID_VSCROLL);
    const RECT hz = BarRect(w, OBJID_HSCROLL);
    const RECT mw = ScreenRect(w);
    HDC dc = GetWindowDC(w);
    const auto corner = static_cast<TColor>(GetPixel(dc, (v.left + v.right) / 2 - mw.left, (hz.top + hz.bottom) / 2 - mw.top));
    ReleaseDC(w, dc);
    EXPECT_EQ(corner, test::SkinFace);
    // The 2-pixel border of a bordered memo.
    auto painted = test::PaintedSkin(w);
    ASSERT_TRUE(painted);
    EXPECT_EQ(painted->PixelColor(0, 0), test::SkinShadow);
    EXPECT_EQ(painted->PixelColor(1, 1), test::SkinFace);
}

TEST(ScrollOverlay, PressesGoToThePlatformsTracking) {
    TSkinnedForm f(ScrollSkin());
    TMemo* memo = LongMemo(f);
    f.Skin();
    auto* skin = dynamic_cast<TSkinScrollbar*>(f.SkinOf(memo));
    ASSERT_NE(skin, nullptr);
    HWND overlay = skin->VertBar->Handle();
    HWND w = memo->Handle();
    const RECT r = ScreenRect(overlay);
    const int h = r.bottom - r.top;
    ASSERT_EQ(FirstLine(memo), 0);

    // The down arrow: one line per press (the release is already waiting for the tracking).
    PostMessageW(w, WM_LBUTTONUP, 0, 0);
    SendMessageW(overlay, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, h - 8));
    EXPECT_EQ(FirstLine(memo), 1);
    EXPECT_FALSE(skin->VertBar->Pressed);
    PostMessageW(w, WM_LBUTTONUP, 0, 0);
    SendMessageW(overlay, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, h - 8));
    EXPECT_EQ(FirstLine(memo), 2);
    // The up arrow.
    PostMessageW(w, WM_LBUTTONUP, 0, 0);
    SendMessageW(overlay, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 8));
    EXPECT_EQ(FirstLine(memo), 1);
    // The track after the thumb: a page.
    PostMessageW(w, WM_LBUTTONUP, 0, 0);
    SendMessageW(overlay, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, h - 25));
    EXPECT_GT(FirstLine(memo), 3);

    // The thumb dragged 40 pixels down: moves within the memo's client coordinates (its capture).
    Pump(10);
    const int before = FirstLine(memo);
    const int y = skin->VertBar->ThumbStart + 3;
    POINT client{8, y};
    MapWindowPoints(overlay, w, &client, 1);
    POINT moved = client;
    moved.y += 40;
    PostMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, At(moved));
    PostMessageW(w, WM_LBUTTONUP, 0, At(moved));
    SendMessageW(overlay, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, y));
    EXPECT_GT(FirstLine(memo), before + 10) << "the thumb drag scrolled the memo";
    EXPECT_NE(skin->VertBar->HotPart, shThumb) << "the drag ended";
}

TEST(ScrollOverlay, FreedByWhatTheTrackingDispatches) {
    TSkinnedForm f(ScrollSkin());
    TMemo* memo = LongMemo(f);
    f.Skin();
    auto* skin = dynamic_cast<TSkinScrollbar*>(f.SkinOf(memo));
    ASSERT_NE(skin, nullptr);
    HWND overlay = skin->VertBar->Handle();
    const int h = ScreenRect(overlay).bottom - ScreenRect(overlay).top;
    // A posted message, run inside the platform's tracking loop, switches the skin off (as the
    // manager's timer does) and so frees the memo's skin and its overlays.
    test::Later([&] {
        f.Unskin();
        PostMessageW(memo->Handle(), WM_LBUTTONUP, 0, 0); // the user lets go
    });
    SendMessageW(overlay, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, h - 8));
    EXPECT_FALSE(IsWindowVisible(overlay));
    Pump(50);
    EXPECT_FALSE(IsWindow(overlay)) << "freed once the press returned";
    EXPECT_TRUE(Overlays(f.Form->Handle()).empty());
}

TEST(ScrollControl, OneOverlayOverTheWholeControl) {
    TSkinnedForm f(ScrollSkin());
    auto* bar = f.Add<TScrollBar>(nullptr, 20, 20, 40, 200); // thicker than the skin's bar
    bar->SetKind(sbVertical);
    bar->SetBounds(20, 20, 40, 200);
    bar->SetParams(0, 0, 100);
    f.Skin();
    auto* skin = dynamic_cast<TSkinScControl*>(f.SkinOf(bar));
    ASSERT_NE(skin, nullptr) << f.SkinClassOf(bar);
    HWND overlay = skin->Bar->Handle();
    EXPECT_TRUE(Same(ScreenRect(overlay), ScreenRect(bar->Handle())));
    EXPECT_EQ(GetWindow(bar->Handle(), GW_HWNDPREV), overlay);
    // Stretched over the whole overlay: no stale pixels at the far edge.
    EXPECT_EQ(Shown(overlay, 38, 5), FrameColour(9));
    EXPECT_EQ(Shown(overlay, 38, 195), FrameColour(13));

    // The down arrow steps the position through the control's own tracking.
    PostMessageW(bar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 195));
    SendMessageW(overlay, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 195));
    Pump(10);
    EXPECT_EQ(bar->Position(), 1);
    // The track below the thumb is a page, not the arrow.
    SendMessageW(overlay, WM_MOUSEMOVE, 0, MAKELPARAM(20, 150));
    EXPECT_EQ(skin->Bar->HotPart, shPageAfter);

    // Disabled: the state comes from the window, not from an unfilled record.
    bar->SetEnabled(false);
    Pump(10);
    EXPECT_EQ(Shown(overlay, 20, 100), FrameColour(TrackBase + 3));
    bar->SetEnabled(true);
    Pump(10);
    EXPECT_NE(Shown(overlay, 20, skin->Bar->ThumbStart + 1), FrameColour(TrackBase + 3));
}

class TComboListTest : public ::testing::Test {
protected:
    void SetUp() override {
        combo = f.Add<TComboBox>(nullptr, 20, 20, 150, 22);
        combo->SetStyle(csDropDownList);
        combo->SetDropDownCount(5);
        for (int i = 0; i < 30; ++i) combo->Items()->Add(L"item " + std::to_wstring(i));
        f.Skin();
        combo->SetDroppedDown(true);
        Pump(20);
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
        list = info.hwndList;
        ASSERT_TRUE(IsWindowVisible(list));
        bar = BarRect(list, OBJID_VSCROLL);
        SCROLLBARINFO sb{};
        sb.cbSize = sizeof sb;
        GetScrollBarInfo(list, OBJID_VSCROLL, &sb);
        thumb = POINT{(bar.left + bar.right) / 2, bar.top + (sb.xyThumbTop + sb.xyThumbBottom) / 2};
    }
    void TearDown() override {
        if (combo) combo->SetDroppedDown(false);
        Pump(10);
    }
    int Top() const { return static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0)); }

    TSkinnedForm f{ScrollSkin()};
    TComboBox* combo = nullptr;
    HWND list = nullptr;
    RECT bar{};
    POINT thumb{};
};

TEST_F(TComboListTest, TheListsBarIsPaintedAndItsThumbDragged) {
    EXPECT_EQ(SendMessageW(list, SKM_ISSKINNED, 0, 0), 1) << "the drop-down list is found (COMBOBOXINFO of its real size)";
    const RECT w = ScreenRect(list);
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    HDC dc = GetWindowDC(list);
    EXPECT_EQ(static_cast<TColor>(GetPixel(dc, (bar.left + bar.right) / 2 - w.left, bar.top + 8 - w.top)), FrameColour(9));
    ReleaseDC(list, dc);

    POINT down = thumb;
    ScreenToClient(list, &down);
    down.y += 30;
    PostMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, At(down));
    PostMessageW(list, WM_LBUTTONUP, 0, At(down));
    SendMessageW(list, WM_NCLBUTTONDOWN, HTVSCROLL, At(thumb));
    Pump(10);
    EXPECT_GT(Top(), 0) << "the drag scrolled the list";
    EXPECT_NE(GetCapture(), list);
}

TEST_F(TComboListTest, TheDragEndsWithQuitAndWithTheCapture) {
    // WM_QUIT ends the drag and is there again for the loop outside.
    PostQuitMessage(7);
    SendMessageW(list, WM_NCLBUTTONDOWN, HTVSCROLL, At(thumb));
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "WM_QUIT was swallowed";
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_EQ(Top(), 0) << "a drag without a move leaves the list where it was";

    // The capture taken away (the list closing, another window): the drag ends by itself.
    test::Later([] { ReleaseCapture(); });
    const auto start = GetTickCount();
    SendMessageW(list, WM_NCLBUTTONDOWN, HTVSCROLL, At(thumb));
    EXPECT_LT(GetTickCount() - start, 2000u);
    // A move without the button down ends it too.
    POINT p = thumb;
    ScreenToClient(list, &p);
    PostMessageW(list, WM_MOUSEMOVE, 0, At(p));
    SendMessageW(list, WM_NCLBUTTONDOWN, HTVSCROLL, At(thumb));
    EXPECT_NE(GetCapture(), list);
}

TEST(ScrollOverlay, NoGdiOrUserObjectsLeftOverScrollAndRecreationCycles) {
    TSkinnedForm f(ScrollSkin());
    TMemo* memo = LongMemo(f);
    auto* box = f.Add<TListBox>(nullptr, 240, 20, 100, 100);
    for (int i = 0; i < 40; ++i) box->Items()->Add(L"item");
    f.Add<TScrollBar>(nullptr, 20, 200, 200, 17);
    auto cycle = [&] {
        f.Skin();
        for (int i = 0; i < 5; ++i) {
            SendMessageW(memo->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
            SendMessageW(box->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
        }
        memo->SetScrollBars(memo->ScrollBars() == ssVertical ? ssBoth : ssVertical);
        PumpUntil([&] {
            auto* s = dynamic_cast<TSkinScrollbar*>(f.SkinOf(memo));
            return s && s->Handle == memo->Handle();
        });
        RedrawWindow(f.Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        f.Unskin();
    };
    EXPECT_EQ(test::GdiObjectsLeakedBy(15, cycle), 0);
    const DWORD users = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    for (int i = 0; i < 5; ++i) cycle();
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), users);
    EXPECT_TRUE(Overlays(f.Form->Handle()).empty());
}

} // namespace
} // namespace orvo

// Tab strips, track bars and progress bars skinned on a real form under Wine: the tab frame each
// tab shows in every position and the images turned with the tabs, the page frame, the tab set and
// buttons, the custom-draw answers of track bars and what they draw, the fill of progress bars in
// both orientations and looks, the geometry rules they rest on.
#include "framework/controls/page_control.h"
#include "framework/controls/progress_bar.h"
#include "framework/controls/tab_control.h"
#include "framework/controls/tab_set.h"
#include "framework/controls/track_bar.h"
#include "skin/controls/tab.h"
#include "skin/controls/track_progress.h"
#include "tests/skin/controls/skinned_form.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <array>
#include <climits>
#include <string>
#include <vector>

namespace orvo {
namespace {

using test::AnswersSkinned;
using test::FrameColour;
using test::PaintedSkin;
using test::Px;
using test::TSkinnedForm;
using test::TTestSkin;

// Tabs: 5 frames of 20 x 20, the outer half (top rows) of frame i FrameColour(i), the half towards
// the page FrameColour(i + 5). The page frame: its top 5 rows Edge, the rest Inside.
constexpr TColor Edge = 0x3070B0;
constexpr TColor Inside = 0x80C0E0;

TImage32 TabStrip() {
    TImage32 image(100, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 100; ++x)
            image.At(x, y) = Px(FrameColour(x / 20 + 1 + (y < 10 ? 0 : 5)));
    return image;
}

TImage32 PaneImage() {
    TImage32 image(24, 24);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x)
            image.At(x, y) = Px(y < 5 ? Edge : Inside);
    return image;
}

TTestSkin TabSkin(bool withPane = false) {
    std::string ini = "[Tabs]\r\nImage=Tab.bmp\r\nBorder=Border.bmp\r\nTrans=0\r\nTile=0\r\n";
    if (withPane) ini = "[Tabs]\r\nImage=Tab.bmp\r\nStyle=1\r\n[Tab.Pane]\r\nImage=Pane.bmp\r\n";
    ini +=
        "[Buttons]\r\nBitmap=Buttons.bmp\r\n[Colours]\r\nButtonFace=200 210 220\r\nButtonShadow=10 20 30\r\n";
    TTestSkin skin(ini);
    skin.Image("Tab.bmp", TabStrip()).Image("Buttons.bmp", test::FrameStrip(100, 20, 5));
    skin.Image(withPane ? "Pane.bmp" : "Border.bmp", PaneImage());
    return skin;
}

RECT TabRect(HWND tabs, int index) {
    RECT r{};
    SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

RECT PageRectOf(HWND tabs, TTabOrientation orientation) {
    RECT r{};
    GetClientRect(tabs, &r);
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return TabPageRect(r, orientation);
}

TEST(TabGeometry, StripsPagesAndTabsForEveryPosition) {
    EXPECT_EQ(TabOrientationOf(0), toTop);
    EXPECT_EQ(TabOrientationOf(TCS_BOTTOM), toBottom);
    EXPECT_EQ(TabOrientationOf(TCS_VERTICAL), toLeft);
    EXPECT_EQ(TabOrientationOf(TCS_VERTICAL | TCS_RIGHT), toRight);

    const RECT display{10, 30, 190, 140};
    const RECT window{0, 0, 200, 150};
    const RECT top = TabPageRect(display, toTop);
    EXPECT_EQ((std::array{top.left, top.top, top.right, top.bottom}), (std::array<LONG, 4>{6, 27, 194, 144}));
    EXPECT_EQ(TabPageRect(display, toBottom).bottom, 143);
    EXPECT_EQ(TabPageRect(display, toLeft).left, 7);
    EXPECT_EQ(TabPageRect(display, toRight).right, 193);
    EXPECT_EQ(TabStripRect(window, top, toTop).bottom, 27);
    EXPECT_EQ(TabStripRect(window, RECT{6, 6, 170, 144}, toRight).left, 170);

    // Left tabs are drawn lying down and turned anticlockwise: a tab near the top of the window
    // lies near the right end of the strip; right tabs turn clockwise.
    const RECT tab{2, 10, 30, 40};
    const RECT left = TabInStrip(tab, toLeft, top, window, 150);
    EXPECT_EQ((std::array{left.left, left.top, left.right, left.bottom}),
              (std::array<LONG, 4>{110, 2, 140, 30}));
    const RECT right = TabInStrip(RECT{172, 10, 198, 40}, toRight, top, window, 150);
    EXPECT_EQ((std::array{right.left, right.top, right.right, right.bottom}),
              (std::array<LONG, 4>{9, 2, 39, 28}));
    const RECT bottom = TabInStrip(RECT{2, 145, 50, 149}, toBottom, RECT{0, 0, 200, 143}, window, 200);
    EXPECT_EQ(bottom.top, 1);
}

TEST(TabGeometry, CaptionsCentreTheIconByItsHeight) {
    // A 16 x 8 icon in a 30-high tab: 11 pixels down, not 7 (which its width would give).
    const TCaptionPlace place = CaptionPlace(RECT{0, 0, 100, 30}, SIZE{16, 8}, true, SIZE{40, 14}, DT_CENTER);
    EXPECT_TRUE(place.UseIcon);
    EXPECT_EQ(place.Icon.y, 11);
    EXPECT_EQ(place.Icon.x, 22);
    EXPECT_EQ(place.Text.left, 38);
    // An icon as wide as the tab is left out; a caption wider than its tab starts at 1.
    const TCaptionPlace narrow =
        CaptionPlace(RECT{0, 0, 16, 20}, SIZE{16, 16}, true, SIZE{60, 14}, DT_CENTER);
    EXPECT_FALSE(narrow.UseIcon);
    EXPECT_EQ(narrow.Text.left, 1);
    EXPECT_EQ(CaptionPlace(RECT{0, 0, 100, 20}, SIZE{}, false, SIZE{40, 14}, DT_LEFT).Text.left, 3);
    EXPECT_EQ(CaptionPlace(RECT{0, 0, 100, 20}, SIZE{}, false, SIZE{40, 14}, DT_RIGHT).Text.left, 58);
}

// The colour half-way between the middle of the tab and its outer or inner edge.
struct TTabHalves {
    TColor Outer, Inner;
};
TTabHalves Halves(TBitmap& painted, RECT t, TTabOrientation o) {
    const int cx = (t.left + t.right) / 2, cy = (t.top + t.bottom) / 2;
    const int qx = (t.right - t.left) / 4, qy = (t.bottom - t.top) / 4;
    switch (o) {
    case toBottom:
        return {painted.PixelColor(cx, cy + qy), painted.PixelColor(cx, cy - qy)};
    case toLeft:
        return {painted.PixelColor(cx - qx, cy), painted.PixelColor(cx + qx, cy)};
    case toRight:
        return {painted.PixelColor(cx + qx, cy), painted.PixelColor(cx - qx, cy)};
    case toTop:
    default:
        return {painted.PixelColor(cx, cy - qy), painted.PixelColor(cx, cy + qy)};
    }
}

TEST(SkinTab, EveryPositionShowsTheFocusedTabAndThePageFrameTurnedWithIt) {
    TSkinnedForm f(TabSkin());
    const TTabPosition positions[] = {tpTop, tpBottom, tpLeft, tpRight};
    std::vector<TTabControl*> controls;
    for (int i = 0; i < 4; ++i) {
        auto* tabs = f.Add<TTabControl>(nullptr, 10 + (i % 2) * 200, 10 + (i / 2) * 140, 190, 130);
        tabs->SetTabPosition(positions[i]);
        // Captions of spaces: nothing is drawn over the tab image where the test looks.
        tabs->Tabs()->Add(L"   ");
        tabs->Tabs()->Add(L"   ");
        tabs->SetTabIndex(1);
        controls.push_back(tabs);
    }
    f.Skin();
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        HWND w = controls[static_cast<std::size_t>(i)]->Handle();
        ASSERT_EQ(f.SkinClassOf(controls[static_cast<std::size_t>(i)]), L"TSkinTab");
        const auto o = static_cast<TTabOrientation>(i);
        ASSERT_EQ(TabOrientationOf(static_cast<DWORD>(GetWindowLongPtrW(w, GWL_STYLE))), o);
        auto painted = PaintedSkin(w);
        ASSERT_TRUE(painted);
        // The image's outer half stays on the side away from the page in every position.
        const TTabHalves focused = Halves(*painted, TabRect(w, 1), o);
        EXPECT_EQ(focused.Outer, FrameColour(2));
        EXPECT_EQ(focused.Inner, FrameColour(7));
        const TTabHalves other = Halves(*painted, TabRect(w, 0), o);
        EXPECT_EQ(other.Outer, FrameColour(1));
        EXPECT_EQ(other.Inner, FrameColour(6));
        // The page frame's top edge faces the tabs: flipped for bottom tabs, turned for side tabs.
        const RECT p = PageRectOf(w, o);
        const int mx = (p.left + p.right) / 2, my = (p.top + p.bottom) / 2;
        const POINT edge = o == toTop      ? POINT{mx, p.top + 1}
                           : o == toBottom ? POINT{mx, p.bottom - 2}
                           : o == toLeft   ? POINT{p.left + 1, my}
                                           : POINT{p.right - 2, my};
        const POINT away = o == toTop      ? POINT{mx, p.bottom - 2}
                           : o == toBottom ? POINT{mx, p.top + 1}
                           : o == toLeft   ? POINT{p.right - 2, my}
                                           : POINT{p.left + 1, my};
        EXPECT_EQ(painted->PixelColor(edge.x, edge.y), Edge);
        EXPECT_EQ(painted->PixelColor(away.x, away.y), Inside);
    }
    // Picking another tab moves frame 2 to it.
    controls[0]->SetTabIndex(0);
    auto painted = PaintedSkin(controls[0]->Handle());
    EXPECT_EQ(Halves(*painted, TabRect(controls[0]->Handle(), 0), toTop).Outer, FrameColour(2));
    EXPECT_EQ(Halves(*painted, TabRect(controls[0]->Handle(), 1), toTop).Outer, FrameColour(1));
}

TEST(SkinTab, PageControlsTabSheetsButtonsAndTabSets) {
    TSkinnedForm f(TabSkin(true));
    auto* pages = f.Add<TPageControl>(nullptr, 10, 10, 200, 150);
    auto* sheet1 = new TTabSheet(f.Form);
    sheet1->SetPageControl(pages);
    sheet1->SetCaption(L"甲");
    auto* sheet2 = new TTabSheet(f.Form);
    sheet2->SetPageControl(pages);
    sheet2->SetCaption(L"乙");
    auto* buttons = f.Add<TTabControl>(nullptr, 220, 10, 180, 40);
    buttons->SetStyle(tsButtons);
    buttons->Tabs()->Add(L"A");
    buttons->Tabs()->Add(L"B");
    buttons->SetTabIndex(0);
    auto* set = f.Add<TTabSet>(nullptr, 220, 60, 180, 24);
    set->Tabs()->Add(L"One");
    set->Tabs()->Add(L"Two");
    set->SetTabIndex(1);
    auto* twin = f.Add<TTabControl>(nullptr, 220, 100, 180, 60);
    twin->Tabs()->Add(L"Twin");
    twin->SetTag(99);
    f.Skin();
    EXPECT_EQ(f.SkinClassOf(pages), L"TSkinTab");
    EXPECT_EQ(f.SkinOf(pages)->Mode, 2);
    EXPECT_EQ(f.SkinClassOf(sheet1), L"TSkinTabSheet");
    EXPECT_EQ(f.SkinClassOf(buttons), L"TSkinTabBtn");
    EXPECT_EQ(f.SkinClassOf(set), L"TSkinTab31");
    EXPECT_FALSE(AnswersSkinned(twin->Handle()));

    // Tab.Pane (Style 1) frames the page; the sheet is ButtonFace.
    auto painted = PaintedSkin(pages->Handle());
    const RECT p = PageRectOf(pages->Handle(), toTop);
    EXPECT_EQ(painted->PixelColor((p.left + p.right) / 2, p.top + 1), Edge);
    EXPECT_EQ(test::PaintedPixel(sheet1->Handle(), 5, 5), test::SkinFace);
    // Tab buttons: the Buttons face, frame 2 for the focused tab.
    painted = PaintedSkin(buttons->Handle());
    RECT b = TabRect(buttons->Handle(), 0);
    EXPECT_EQ(painted->PixelColor(b.left + 3, b.top + 3), FrameColour(2));
    b = TabRect(buttons->Handle(), 1);
    EXPECT_EQ(painted->PixelColor(b.left + 3, b.top + 3), FrameColour(1));
    // The tab set hangs its tabs from the flipped image: the outer half at the bottom.
    painted = PaintedSkin(set->Handle());
    const RECT second = set->ItemRect(1);
    ASSERT_FALSE(IsRectEmpty(&second));
    EXPECT_EQ(painted->PixelColor(second.left + 2, second.bottom - 3), FrameColour(2));
    EXPECT_EQ(painted->PixelColor(second.left + 2, second.top + 2), FrameColour(7));
    const RECT first = set->ItemRect(0);
    EXPECT_EQ(painted->PixelColor(first.left + 2, first.bottom - 3), FrameColour(1));

    f.Unskin();
    EXPECT_FALSE(AnswersSkinned(pages->Handle()));
    EXPECT_FALSE(AnswersSkinned(set->Handle()));
}

// ---- track bars ------------------------------------------------------------------------------

TTestSkin TrackSkin() {
    TTestSkin skin("[Trackbar.ThumbHorz]\r\nImage=Thumb.bmp\r\nTrans=1\r\n"
                   "[Trackbar.ThumbVert]\r\nImage=ThumbV.bmp\r\nTrans=1\r\n"
                   "[Track]\r\nImage=Track.bmp\r\nLeftWidth=2\r\nRightwidth=2\r\n"
                   "[TRACKVERT]\r\nImage=TrackV.bmp\r\nTopHeight=2\r\nBottomHeight=2\r\n"
                   "[Colours]\r\nButtonFace=200 210 220\r\nButtonShadow=10 20 30\r\n");
    skin.Image("Thumb.bmp", test::FrameStrip(50, 20, 5))
        .Image("ThumbV.bmp", test::FrameStrip(100, 10, 5))
        .Image("Track.bmp", test::FrameStrip(12, 4, 1))
        .Image("TrackV.bmp", test::FrameStrip(4, 12, 1));
    return skin;
}

RECT TrackRect(HWND track, UINT message) {
    RECT r{};
    SendMessageW(track, message, 0, reinterpret_cast<LPARAM>(&r));
    return r;
}

LRESULT CustomDraw(TTrackBar* track, DWORD stage, DWORD_PTR part, HDC dc) {
    NMCUSTOMDRAW draw{};
    draw.hdr.hwndFrom = track->Handle();
    draw.hdr.code = static_cast<UINT>(NM_CUSTOMDRAW);
    draw.dwDrawStage = stage;
    draw.dwItemSpec = part;
    draw.hdc = dc;
    return track->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&draw));
}

// Tabs that do not fit: the tab control's arrows and the tab set's scroller are skinned as
// horizontal up-downs (UpDown.Horz frames per half), made when the platform makes them and kept
// when the strip scrolls.
TEST(SkinTab, ArrowsOfStripsTooNarrowForTheirTabsAreSkinned) {
    TTestSkin skin = TabSkin();
    skin.Ini += "[UpDown.Horz]\r\nImage=UpDown.bmp\r\n";
    skin.Image("UpDown.bmp", test::FrameStrip(8 * 16, 14, 8, 50));
    TSkinnedForm f(skin);
    auto* tabs = f.Add<TTabControl>(nullptr, 10, 10, 120, 60);
    for (const wchar_t* name : {L"January", L"February", L"March", L"April"}) tabs->Tabs()->Add(name);
    auto* set = f.Add<TTabSet>(nullptr, 10, 90, 120, 24);
    for (const wchar_t* name : {L"Sheet 1", L"Sheet 2", L"Sheet 3", L"Sheet 4", L"Sheet 5"}) set->Tabs()->Add(name);
    auto* wide = f.Add<TTabControl>(nullptr, 150, 10, 240, 60);
    wide->Tabs()->Add(L"Fits");
    f.Skin();
    auto arrowsOf = [](HWND strip) {
        for (HWND child = GetWindow(strip, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (LowerText(WindowClassName(child)) == L"msctls_updown32" && IsWindowVisible(child)) return child;
        return HWND{};
    };
    RedrawWindow(tabs->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    test::Pump(20);
    HWND arrows = arrowsOf(tabs->Handle());
    ASSERT_NE(arrows, nullptr) << "the platform's arrows";
    HWND scroller = set->ScrollerHandle();
    ASSERT_TRUE(scroller && IsWindowVisible(scroller));
    EXPECT_EQ(arrowsOf(wide->Handle()), nullptr);
    for (HWND up : {arrows, scroller}) {
        ASSERT_TRUE(AnswersSkinned(up));
        RECT c{};
        GetClientRect(up, &c);
        // The first half (left) frame 1, the second frame 5, for the cursor is far away.
        SetCursorPos(0, 0);
        auto painted = PaintedSkin(up);
        ASSERT_NE(painted, nullptr);
        EXPECT_EQ(painted->PixelColor(c.right / 4, c.bottom / 2), FrameColour(51));
        EXPECT_EQ(painted->PixelColor(c.right * 3 / 4, c.bottom / 2), FrameColour(55));
    }
    // A press on the right arrow scrolls the tabs; the arrows stay skinned, and show it pressed.
    RECT c{};
    GetClientRect(arrows, &c);
    POINT right{c.right * 3 / 4, c.bottom / 2};
    ClientToScreen(arrows, &right);
    SetCursorPos(right.x, right.y);
    RECT first{};
    SendMessageW(tabs->Handle(), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    SendMessageW(arrows, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.right * 3 / 4, c.bottom / 2));
    EXPECT_EQ(test::PaintedPixel(arrows, c.right * 3 / 4, c.bottom / 2), FrameColour(56)) << "pressed half";
    SendMessageW(arrows, WM_LBUTTONUP, 0, MAKELPARAM(c.right * 3 / 4, c.bottom / 2));
    test::Pump(20);
    RECT moved{};
    SendMessageW(tabs->Handle(), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&moved));
    EXPECT_LT(moved.left, first.left) << "the tabs scrolled";
    EXPECT_TRUE(AnswersSkinned(arrowsOf(tabs->Handle())));
    SetCursorPos(0, 0);
}

TEST(SkinTrackBar, CustomDrawAnswersAndWhatEachPartDraws) {
    EXPECT_EQ(TrackCustomDrawAnswer(CDDS_PREPAINT, 0, true), CDRF_NOTIFYITEMDRAW);
    EXPECT_EQ(TrackCustomDrawAnswer(CDDS_ITEMPREPAINT, TBCD_TICS, true), CDRF_DODEFAULT);
    EXPECT_EQ(TrackCustomDrawAnswer(CDDS_ITEMPREPAINT, TBCD_CHANNEL, false), CDRF_DODEFAULT)
        << "no channel image: the platform's channel";
    EXPECT_EQ(TrackCustomDrawAnswer(CDDS_POSTPAINT, TBCD_THUMB, true), CDRF_DODEFAULT);
    // Wine reports a standing channel, Windows one lying down: the shape decides.
    const RECT lying = VerticalChannelRect(RECT{8, 15, 120, 19});
    EXPECT_EQ((std::array{lying.left, lying.top, lying.right, lying.bottom}),
              (std::array<LONG, 4>{15, 8, 19, 120}));
    const RECT standing = VerticalChannelRect(RECT{15, 8, 19, 120});
    EXPECT_EQ(standing.bottom, 120);

    TSkinnedForm f(TrackSkin());
    auto* horizontal = f.Add<TTrackBar>(nullptr, 10, 10, 200, 34);
    auto* vertical = f.Add<TTrackBar>(nullptr, 230, 10, 34, 200);
    vertical->SetOrientation(trVertical);
    vertical->SetBounds(230, 10, 34, 200);
    f.Skin();
    ASSERT_EQ(f.SkinClassOf(horizontal), L"TSkinTrackBar");
    EXPECT_EQ(CustomDraw(horizontal, CDDS_PREPAINT, 0, nullptr), CDRF_NOTIFYITEMDRAW);
    EXPECT_EQ(CustomDraw(horizontal, CDDS_ITEMPREPAINT, TBCD_TICS, nullptr), CDRF_DODEFAULT);
    for (TTrackBar* track : {horizontal, vertical}) {
        SCOPED_TRACE(track == vertical ? "vertical" : "horizontal");
        HWND w = track->Handle();
        TBitmap canvas(300, 300);
        HDC dc = canvas.Canvas().Handle();
        // In the platform's order: the channel, then the thumb over it.
        EXPECT_EQ(CustomDraw(track, CDDS_ITEMPREPAINT, TBCD_CHANNEL, dc), CDRF_SKIPDEFAULT);
        EXPECT_EQ(CustomDraw(track, CDDS_ITEMPREPAINT, TBCD_THUMB, dc), CDRF_SKIPDEFAULT);
        GdiFlush();
        const RECT thumb = TrackRect(w, TBM_GETTHUMBRECT);
        EXPECT_EQ(canvas.PixelColor((thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2),
                  FrameColour(2))
            << "frame 2 of the thumb image";
        RECT channel = TrackRect(w, TBM_GETCHANNELRECT);
        if (track == vertical) channel = VerticalChannelRect(channel);
        const int cx =
            track == vertical ? (channel.left + channel.right) / 2 : (channel.left + channel.right) / 4;
        const int cy =
            track == vertical ? (channel.top + channel.bottom) / 4 : (channel.top + channel.bottom) / 2;
        EXPECT_EQ(canvas.PixelColor(cx, cy), FrameColour(1)) << "the channel image along the channel";
    }
    // What the window paints on screen is the skin's thumb.
    RedrawWindow(horizontal->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const RECT thumb = TrackRect(horizontal->Handle(), TBM_GETTHUMBRECT);
    HDC screen = GetDC(horizontal->Handle());
    EXPECT_EQ(
        static_cast<TColor>(GetPixel(screen, (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2)),
        FrameColour(2));
    ReleaseDC(horizontal->Handle(), screen);
}

TEST(SkinTrackBar, ASkinChangeLeavesTheFocusWhereItIs) {
    TSkinnedForm f(TrackSkin());
    auto* track = f.Add<TTrackBar>(nullptr, 10, 10, 200, 34);
    auto* other = f.Add<TTrackBar>(nullptr, 10, 60, 200, 34);
    int enters = 0, exits = 0;
    track->OnEnter = [&](TObject*) { ++enters; };
    track->OnExit = [&](TObject*) { ++exits; };
    f.Skin();
    other->SetFocus();
    test::Pump(10);
    ASSERT_EQ(GetFocus(), other->Handle());
    enters = exits = 0;
    f.FormSkin->ControlSkinsChanged();
    test::Pump(10);
    EXPECT_EQ(GetFocus(), other->Handle());
    EXPECT_EQ(enters, 0);
    EXPECT_EQ(exits, 0);
}

// ---- progress bars ---------------------------------------------------------------------------

TTestSkin ProgressSkin(int style, int chunkTile = 1) {
    std::string ini =
        "[Progress]\r\nBitmap=Progress.bmp\r\nTrans=0\r\nStyle=" + std::to_string(style) + "\r\n";
    if (style == 1)
        ini += "[Progress.Chunk]\r\nImage=Chunk.bmp\r\nTile=" + std::to_string(chunkTile) + "\r\n";
    ini += "[Colours]\r\nButtonFace=200 210 220\r\n";
    TTestSkin skin(ini);
    skin.Image("Progress.bmp", test::FrameStrip(style == 1 ? 10 : 20, 10, style == 1 ? 1 : 2));
    if (style == 1)
        skin.Image("Chunk.bmp", [] {
            TImage32 chunk(6, 8);
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 6; ++x)
                    chunk.At(x, y) = Px(Edge);
            return chunk;
        }());
    return skin;
}

TEST(ProgressFill, InProportionToThePositionInTheRange) {
    EXPECT_EQ(ProgressFillLength(200, 0, 100, 50), 100);
    EXPECT_EQ(ProgressFillLength(200, 0, 100, 0), 0);
    EXPECT_EQ(ProgressFillLength(200, 20, 120, 70), 100);
    EXPECT_EQ(ProgressFillLength(200, -100, 100, 0), 100) << "a range below zero fills too";
    EXPECT_EQ(ProgressFillLength(200, -100, -20, -60), 100);
    EXPECT_EQ(ProgressFillLength(200, -100, 100, -100), 0);
    EXPECT_EQ(ProgressFillLength(200, 0, 3, 1), 67) << "rounded to the nearest pixel";
    EXPECT_EQ(ProgressFillLength(200, 0, 100, 150), 200);
    EXPECT_EQ(ProgressFillLength(200, 5, 5, 5), 0);
    EXPECT_EQ(ProgressFillLength(200, INT_MIN, INT_MAX, 0), 100);
}

TEST(SkinProgress, PlainChunkedAndVerticalBarsFillInProportion) {
    {
        TSkinnedForm f(ProgressSkin(0));
        auto* bar = f.Add<TProgressBar>(nullptr, 10, 10, 200, 18);
        bar->SetMin(-100);
        bar->SetMax(100);
        bar->SetPosition(0);
        auto* vertical = f.Add<TProgressBar>(nullptr, 230, 10, 18, 200);
        vertical->SetOrientation(pbVertical);
        vertical->SetBounds(230, 10, 18, 200);
        vertical->SetMin(20);
        vertical->SetMax(120);
        vertical->SetPosition(70);
        f.Skin();
        ASSERT_EQ(f.SkinClassOf(bar), L"TSkinProgress");
        auto painted = PaintedSkin(bar->Handle());
        EXPECT_EQ(painted->PixelColor(97, 9), FrameColour(2)) << "filled";
        EXPECT_EQ(painted->PixelColor(103, 9), FrameColour(1)) << "the trough";
        bar->SetPosition(-100);
        EXPECT_EQ(test::PaintedPixel(bar->Handle(), 5, 9), FrameColour(1))
            << "at the minimum only the trough";
        painted = PaintedSkin(vertical->Handle());
        EXPECT_EQ(painted->PixelColor(9, 197), FrameColour(2)) << "a vertical bar fills from the bottom";
        EXPECT_EQ(painted->PixelColor(9, 103), FrameColour(2));
        EXPECT_EQ(painted->PixelColor(9, 97), FrameColour(1));
        // On screen too, without the platform's bar under it.
        RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        HDC screen = GetDC(bar->Handle());
        EXPECT_EQ(static_cast<TColor>(GetPixel(screen, 150, 9)), FrameColour(1));
        ReleaseDC(bar->Handle(), screen);
    }
    {
        TSkinnedForm f(ProgressSkin(1));
        auto* bar = f.Add<TProgressBar>(nullptr, 10, 10, 200, 18);
        bar->SetMin(20);
        bar->SetMax(120);
        bar->SetPosition(70);
        f.Skin();
        auto painted = PaintedSkin(bar->Handle());
        // Chunks from x = 2 over 100 pixels, in the range's proportion like the plain look.
        EXPECT_EQ(painted->PixelColor(3, 9), Edge);
        EXPECT_EQ(painted->PixelColor(100, 9), Edge);
        EXPECT_EQ(painted->PixelColor(104, 9), FrameColour(1));
        // 98 pixels begin a 17th chunk of 6, shown whole: to 2 + 17 * 6 = 104.
        bar->SetPosition(69);
        painted = PaintedSkin(bar->Handle());
        EXPECT_EQ(painted->PixelColor(103, 9), Edge);
        EXPECT_EQ(painted->PixelColor(104, 9), FrameColour(1));
        // Full: as many whole chunks as the trough holds (32 in 2..196), none cut at its end.
        bar->SetPosition(120);
        painted = PaintedSkin(bar->Handle());
        EXPECT_EQ(painted->PixelColor(193, 9), Edge);
        EXPECT_EQ(painted->PixelColor(195, 9), FrameColour(1));
        EXPECT_EQ(ProgressChunkCount(0, 6, 100), 0);
        EXPECT_EQ(ProgressChunkCount(1, 6, 100), 1);
        EXPECT_EQ(ProgressChunkCount(12, 6, 100), 2);
        EXPECT_EQ(ProgressChunkCount(13, 6, 100), 3);
        EXPECT_EQ(ProgressChunkCount(500, 6, 100), 16);
        EXPECT_EQ(ProgressChunkCount(5, 6, 5), 0) << "no room for one";
        EXPECT_EQ(ProgressChunkCount(5, 0, 100), 0);
    }
    {
        // The chunk look without a chunk image: the platform's bar.
        TTestSkin skin("[Progress]\r\nBitmap=Progress.bmp\r\nStyle=1\r\n");
        skin.Image("Progress.bmp", test::FrameStrip(10, 10, 1));
        TSkinnedForm f(skin);
        auto* bar = f.Add<TProgressBar>(nullptr, 10, 10, 200, 18);
        bar->SetPosition(50);
        f.Skin();
        RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        HDC screen = GetDC(bar->Handle());
        EXPECT_NE(static_cast<TColor>(GetPixel(screen, 150, 9)), FrameColour(1));
        ReleaseDC(bar->Handle(), screen);
    }
}

} // namespace
} // namespace orvo

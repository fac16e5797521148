// The text helpers and the optional user32 entry points.
#include "skin/data/skin_text.h"
#include "skin/data/user32_optional.h"
#include "tests/skin/draw/draw_test_util.h"

#include "framework/graphics/font.h"

namespace orvo::test {
namespace {

TEST(SkinText, AnsiRoundTripAndBothDrawingRoads) {
    EXPECT_EQ(AnsiToWide("Skin 1"), L"Skin 1");
    EXPECT_EQ(WideToAnsi(L"Skin 1"), "Skin 1");
    EXPECT_EQ(AnsiToWide(""), L"");

    auto draw = [](int (*road)(HDC, const std::wstring&, RECT&, UINT), RECT& measured) {
        auto canvas = SolidBitmap(60, 20, clWhite);
        HDC dc = canvas->Canvas().Handle();
        TFont font;
        SelectObject(dc, font.Handle());
        RECT r{2, 2, 58, 18};
        measured = r;
        road(dc, L"Orvo Ab", measured, DT_CALCRECT | DT_SINGLELINE);
        EXPECT_GT(road(dc, L"Orvo Ab", r, DT_SINGLELINE), 0);
        SelectObject(dc, GetStockObject(SYSTEM_FONT));
        return canvas;
    };
    RECT ntRect{}, ansiRect{};
    auto nt = draw(&DrawTextWideNt, ntRect);
    auto ansi = draw(&DrawTextWideAnsi, ansiRect);
    EXPECT_GT(ntRect.right, ntRect.left + 10) << "DT_CALCRECT measures";
    EXPECT_TRUE(EqualRect(&ntRect, &ansiRect));
    ExpectPixels(*ansi, [&](int x, int y) { return nt->PixelColor(x, y); });
    EXPECT_TRUE(IsNtPlatform());
}

TEST(User32Optional, EntryPointsAnswerForRealWindows) {
    ASSERT_TRUE(HasScrollBarInfo());
    HWND bar = CreateWindowExW(0, L"SCROLLBAR", L"", WS_POPUP | SBS_HORZ, 0, 0, 100, 20, nullptr, nullptr,
                               nullptr, nullptr);
    ASSERT_TRUE(bar);
    SCROLLBARINFO info{};
    EXPECT_TRUE(ScrollBarInfo(bar, OBJID_CLIENT, info));
    EXPECT_EQ(info.cbSize, sizeof info);
    TrackMouseLeave(bar);
    DestroyWindow(bar);

    HWND combo = CreateWindowExW(0, L"COMBOBOX", L"", WS_POPUP | CBS_DROPDOWNLIST, 0, 0, 100, 100, nullptr,
                                 nullptr, nullptr, nullptr);
    ASSERT_TRUE(combo);
    COMBOBOXINFO comboInfo{};
    EXPECT_TRUE(ComboBoxInfo(combo, comboInfo));
    EXPECT_TRUE(comboInfo.hwndList);
    DestroyWindow(combo);
    EXPECT_FALSE(ComboBoxInfo(nullptr, comboInfo));
    DisableWindowsGhosting();
}

} // namespace
} // namespace orvo::test

// Control skins at their control's DPI: once a form is laid out at another DPI, its check boxes and
// radio buttons show the skin's glyphs at that DPI (their frames scaled by the one rule), and at
// 96 again exactly the skin's own; a memo's scroll-bar overlay lies exactly over the platform's
// bar whatever its thickness at that DPI.
#include "core/scale/dpi_scale.h"
#include "framework/controls/check_box.h"
#include "framework/controls/memo.h"
#include "framework/controls/radio_button.h"
#include "skin/controls/scroll_bar.h"
#include "tests/skin/controls/skinned_form.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

using test::FrameColour;
using test::PaintedSkin;
using test::Pump;
using test::TSkinnedForm;

// How wide and high the glyph in `colour` is painted in the control's skinned look.
SIZE GlyphSize(TWinControl* control, TColor colour) {
    auto painted = PaintedSkin(control->Handle());
    if (!painted) return SIZE{0, 0};
    SIZE size{0, 0};
    const int midY = painted->Height() / 2;
    for (int x = 0; x < painted->Width(); ++x) size.cx += painted->PixelColor(x, midY) == colour;
    int column = -1;
    for (int x = 0; x < painted->Width() && column < 0; ++x)
        if (painted->PixelColor(x, midY) == colour) column = x;
    if (column >= 0)
        for (int y = 0; y < painted->Height(); ++y) size.cy += painted->PixelColor(column, y) == colour;
    return size;
}

TEST(ControlsAtDpi, CheckAndRadioGlyphsFollowTheirControlsDpiAndComeBack) {
    TSkinnedForm f;
    auto* check = f.Add<TCheckBox>(nullptr, 10, 10, 160, 21);
    auto* radio = f.Add<TRadioButton>(nullptr, 10, 40, 160, 21);
    check->SetCaption(L"甲");
    radio->SetCaption(L"乙");
    f.Skin();
    ASSERT_EQ(GlyphSize(check, FrameColour(1)).cx, 13) << "the 13 x 13 strip at 96 DPI";
    for (const int dpi : {120, 144, 192}) {
        f.Form->ScaleForDpi(dpi);
        Pump(20);
        ASSERT_EQ(check->CurrentDpi(), dpi);
        const int side = ScaleLength(13, dpi);
        const SIZE c = GlyphSize(check, FrameColour(1)), r = GlyphSize(radio, FrameColour(1));
        EXPECT_EQ(c.cx, side) << dpi;
        EXPECT_EQ(c.cy, side) << dpi;
        EXPECT_EQ(r.cx, side) << dpi;
        check->SetChecked(true);
        EXPECT_EQ(GlyphSize(check, FrameColour(5)).cx, side) << "checked, at " << dpi;
        check->SetChecked(false);
        f.Form->ScaleForDpi(96);
        Pump(20);
        EXPECT_EQ(GlyphSize(check, FrameColour(1)).cx, 13) << "back from " << dpi;
        EXPECT_EQ(GlyphSize(radio, FrameColour(1)).cy, 13) << "back from " << dpi;
    }
}

RECT ScreenRectOf(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
}

RECT VerticalBarOf(HWND w) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    GetScrollBarInfo(w, OBJID_VSCROLL, &info);
    return info.rcScrollBar;
}

TEST(ControlsAtDpi, AMemosScrollOverlayLiesExactlyOverItsBarAtEveryDpi) {
    TSkinnedForm f(test::ScrollSkin());
    auto* memo = f.Add<TMemo>(nullptr, 20, 20, 200, 150);
    memo->SetScrollBars(ssVertical);
    std::wstring text;
    for (int i = 0; i < 100; ++i) text += L"line " + std::to_wstring(i) + L"\r\n";
    memo->SetText(text);
    f.Skin();
    auto* skin = dynamic_cast<TSkinScrollbar*>(f.SkinOf(memo));
    ASSERT_TRUE(skin && skin->VertBar);
    for (const int dpi : {144, 192, 96}) {
        f.Form->ScaleForDpi(dpi);
        Pump(30);
        ASSERT_TRUE(skin->VertBar && skin->VertBar->HandleAllocated()) << dpi;
        const RECT overlay = ScreenRectOf(skin->VertBar->Handle()), bar = VerticalBarOf(memo->Handle());
        EXPECT_TRUE(EqualRect(&overlay, &bar) != FALSE)
            << dpi << ": overlay " << overlay.left << "," << overlay.top << " " << overlay.right - overlay.left << "x"
            << overlay.bottom - overlay.top << ", bar " << bar.left << "," << bar.top << " " << bar.right - bar.left
            << "x" << bar.bottom - bar.top;
    }
}

} // namespace
} // namespace orvo

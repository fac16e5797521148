// The framework's radio buttons and groups, bit, menu and speed buttons and status bars, skinned:
// the class each gets, the frames their states show, their glyphs and panels.
#include "framework/base/prop_access.h"
#include "framework/controls/bit_btn.h"
#include "framework/controls/button.h"
#include "framework/controls/menu_button.h"
#include "framework/controls/radio_button.h"
#include "framework/controls/radio_group.h"
#include "framework/controls/speed_button.h"
#include "framework/controls/status_bar.h"
#include "skin/controls/button_skin.h"
#include "tests/skin/controls/skinned_form.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

using test::AnswersSkinned;
using test::FrameColour;
using test::PaintedPixel;
using test::Pump;
using test::TSkinnedForm;

// A solid glyph strip: frame i in colour GlyphColour(i), bottom-left pixel (the transparent
// colour) white.
TColor GlyphColour(int i) {
    return static_cast<TColor>(0x204060 + 0x101010 * i);
}
void MakeGlyph(TBitmap& glyph, int frames, int size = 12) {
    glyph.SetSize(size * frames, size);
    for (int i = 0; i < frames; ++i) {
        RECT r{i * size, 0, (i + 1) * size, size};
        TBrushHandle brush(CreateSolidBrush(static_cast<COLORREF>(GlyphColour(i + 1))));
        FillRect(glyph.Canvas().Handle(), &r, brush.Get());
    }
    SetPixel(glyph.Canvas().Handle(), 0, size - 1, RGB(255, 255, 255));
    GdiFlush();
}

TEST(SkinRadio, SiblingsAndGroupsShowTheirGlyphs) {
    TSkinnedForm f;
    auto* one = f.Add<TRadioButton>(nullptr, 10, 10, 120, 21);
    auto* two = f.Add<TRadioButton>(nullptr, 10, 35, 120, 21);
    auto* group = f.Add<TRadioGroup>(nullptr, 150, 10, 160, 100);
    group->Items()->Add(L"甲");
    group->Items()->Add(L"乙");
    auto* twinGroup = f.Add<TRadioGroup>(nullptr, 150, 120, 160, 100);
    twinGroup->Items()->Add(L"丙");
    twinGroup->SetTag(99);
    f.Skin();
    EXPECT_EQ(f.SkinClassOf(one), L"TSkinRadioButton");
    EXPECT_EQ(f.SkinClassOf(group), L"TSkinGroupBox");
    ASSERT_EQ(group->ButtonCount(), 2);
    EXPECT_EQ(f.SkinClassOf(group->Buttons(0)), L"TSkinRadioButton");
    EXPECT_EQ(f.SkinClassOf(group->Buttons(1)), L"TSkinRadioButton");
    EXPECT_EQ(group->Color(), test::SkinFace) << "a radio group is recoloured";
    EXPECT_FALSE(AnswersSkinned(twinGroup->Handle()));
    EXPECT_FALSE(AnswersSkinned(twinGroup->Buttons(0)->Handle())) << "Tag 99 passes to the group's buttons";
    EXPECT_EQ(twinGroup->Buttons(0)->Tag(), 99);

    auto glyph = [](TControl* c) { return PaintedPixel(static_cast<TWinControl*>(c)->Handle(), 6, 10); };
    EXPECT_EQ(glyph(one), FrameColour(1));
    one->SetChecked(true);
    EXPECT_EQ(glyph(one), FrameColour(5)) << "8-frame strip: checked is 5";
    two->SetChecked(true);
    EXPECT_EQ(glyph(one), FrameColour(1)) << "a sibling checked unchecks it";
    EXPECT_EQ(glyph(two), FrameColour(5));
    two->SetEnabled(false);
    EXPECT_EQ(glyph(two), FrameColour(8));

    // A click on an item checks it; the skin shows it.
    HWND item = group->Buttons(1)->Handle();
    SendMessageW(item, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageW(item, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    Pump(10);
    EXPECT_EQ(group->ItemIndex(), 1);
    RECT r{};
    GetWindowRect(item, &r);
    EXPECT_EQ(PaintedPixel(item, 6, (r.bottom - r.top) / 2), FrameColour(5));
}

TEST(SkinBitButton, GlyphFramesFollowTheFace) {
    TSkinnedForm f;
    auto* bit = f.Add<TBitBtn>(nullptr, 10, 10, 100, 30);
    bit->SetCaption(L"确定");
    MakeGlyph(*bit->Glyph(), 3);
    bit->SetNumGlyphs(3);
    bit->SetLayout(blGlyphLeft);
    bit->SetMargin(4);
    auto* zero = f.Add<TBitBtn>(nullptr, 10, 50, 100, 30);
    MakeGlyph(*zero->Glyph(), 2);
    auto* menu = f.Add<TMenuButton>(nullptr, 10, 90, 100, 30);
    menu->SetCaption(L"更多");
    f.Skin();
    ASSERT_EQ(f.SkinClassOf(bit), L"TSkinBitButton");
    EXPECT_EQ(f.SkinClassOf(menu), L"TSkinMenuButton");
    HWND w = bit->Handle();
    // The glyph at Margin 4, centred vertically: (4..16, 9..21).
    EXPECT_EQ(PaintedPixel(w, 10, 15), GlyphColour(1));
    EXPECT_EQ(PaintedPixel(w, 1, 1), FrameColour(GetFocus() == w ? bfFocused : bfNormal));
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 15));
    EXPECT_EQ(PaintedPixel(w, 10, 15), GlyphColour(3)) << "pressed: glyph frame 3";
    SendMessageW(w, WM_MOUSELEAVE, 0, 0);
    bit->SetEnabled(false);
    EXPECT_EQ(PaintedPixel(w, 10, 15), GlyphColour(2)) << "disabled: glyph frame 2";
    EXPECT_EQ(PaintedPixel(w, 1, 1), FrameColour(bfDisabled));

    // NumGlyphs 0 is taken as 1: no division by zero, the whole strip is one glyph.
    SetPropValue(zero, L"NumGlyphs", L"0");
    ASSERT_NE(test::PaintedSkin(zero->Handle()), nullptr);
    EXPECT_EQ(PaintedPixel(menu->Handle(), 1, 1),
              FrameColour(GetFocus() == menu->Handle() ? bfFocused : bfNormal));
}

// A bit button's caption takes the skin's NormalColour2 in every face frame without a colour of
// its own, as a push button's does (only the menu and glyph speed buttons keep it to frame 1).
TEST(SkinBitButton, NormalTextColourInEveryFrame) {
    test::TTestSkin skin = test::ControlsSkin();
    skin.Ini = "[Buttons]\r\nBitmap=Buttons.bmp\r\nNormalColour2=250 20 20\r\nTrans=0\r\n[Colours]\r\n"
               "ButtonFace=200 210 220\r\nButtonShadow=10 20 30\r\n";
    TSkinnedForm f(skin);
    auto* bit = f.Add<TBitBtn>(nullptr, 10, 10, 100, 30);
    bit->SetCaption(L"WWWW");
    auto* push = f.Add<TButton>(nullptr, 10, 50, 100, 30);
    push->SetCaption(L"WWWW");
    f.Skin();
    ASSERT_EQ(f.SkinClassOf(bit), L"TSkinBitButton");
    constexpr TColor red = 0x1414FA;
    auto redPixels = [&](HWND w) {
        auto painted = test::PaintedSkin(w);
        int n = 0;
        for (int y = 0; y < painted->Height(); ++y)
            for (int x = 0; x < painted->Width(); ++x) n += painted->PixelColor(x, y) == red;
        return n;
    };
    for (TWinControl* button : {static_cast<TWinControl*>(bit), static_cast<TWinControl*>(push)}) {
        HWND w = button->Handle();
        EXPECT_GT(redPixels(w), 10) << "frame 1";
        SetCursorPos(0, 0);
        SendMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(50, 15));
        EXPECT_GT(redPixels(w), 10) << "hot, frame 4";
        SendMessageW(w, WM_MOUSELEAVE, 0, 0);
    }
}

TEST(SkinSpeedButton, FlatDownAndGivenBack) {
    TSkinnedForm f;
    auto* flat = f.Add<TSpeedButton>(nullptr, 10, 10, 60, 24);
    flat->SetFlat(true);
    flat->SetCaption(L"平");
    auto* down = f.Add<TSpeedButton>(nullptr, 80, 10, 60, 24);
    down->SetGroupIndex(1);
    down->SetDown(true);
    MakeGlyph(*down->Glyph(), 4);
    down->SetNumGlyphs(4);
    f.Skin();
    ASSERT_EQ(f.SkinClassOf(flat), L"TSkinSpeedButton");
    auto* skin = static_cast<TSkinSpeedButton*>(f.SkinOf(flat));
    auto paint = [](TSkinControl* s, int w, int h, int x, int y) {
        TBitmap bitmap(w, h);
        s->PaintSkin(bitmap.Canvas().Handle());
        GdiFlush();
        return bitmap.PixelColor(x, y);
    };
    EXPECT_EQ(paint(skin, 60, 24, 1, 1), test::SkinFace) << "a flat button shows no face";
    flat->Perform(CM_MOUSEENTER);
    EXPECT_EQ(paint(skin, 60, 24, 1, 1), FrameColour(bfHot));
    flat->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(paint(skin, 60, 24, 1, 1), test::SkinFace);
    auto* downSkin = f.SkinOf(down);
    ASSERT_NE(downSkin, nullptr);
    EXPECT_EQ(paint(downSkin, 60, 24, 1, 1), FrameColour(bfPressed)) << "Down shows frame 2";
    EXPECT_EQ(paint(downSkin, 60, 24, 30, 12), GlyphColour(4)) << "and glyph frame 4";

    // Painted by its parent: the skin's face in the form's window.
    RedrawWindow(f.Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC dc = GetDC(f.Form->Handle());
    EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 81, 11)), FrameColour(bfPressed));
    ReleaseDC(f.Form->Handle(), dc);

    // Unskinned, the speed button's window method is its own again: it paints itself.
    downSkin->Unskin();
    TBitmap own(60, 24);
    down->Perform(WM_PAINT, reinterpret_cast<WPARAM>(own.Canvas().Handle()), 0);
    GdiFlush();
    EXPECT_NE(own.PixelColor(1, 1), FrameColour(bfPressed));
}

TEST(SkinStatusBar, PanelsBevelsTextAndGrip) {
    TSkinnedForm f;
    auto* bar = f.Add<TStatusBar>(nullptr, 0, 0, 300, 22);
    for (auto [text, width, bevel] : {std::tuple{L"甲", 80, pbLowered}, std::tuple{L"乙", 80, pbRaised},
                                      std::tuple{L"", 80, pbNone}}) {
        auto* panel = static_cast<TStatusPanel*>(bar->Panels()->Add());
        panel->SetText(text);
        panel->SetWidth(width);
        panel->SetBevel(bevel);
    }
    bar->SetSizeGrip(true);
    f.Skin();
    ASSERT_EQ(f.SkinClassOf(bar), L"TSkinStatusBar");
    HWND w = bar->Handle();
    ASSERT_TRUE(AnswersSkinned(w));
    auto painted = test::PaintedSkin(w);
    ASSERT_TRUE(painted);
    const RECT client{0, 0, painted->Width(), painted->Height()};
    EXPECT_EQ(painted->PixelColor(2, 2), FrameColour(1)) << "lowered";
    EXPECT_EQ(painted->PixelColor(85, 2), FrameColour(2)) << "raised";
    EXPECT_EQ(painted->PixelColor(165, 2), FrameColour(3)) << "no bevel";
    EXPECT_EQ(painted->PixelColor(client.right - 20, 2), FrameColour(3)) << "the last panel reaches the right edge";
    // The grip: frame 5 of ExtraImages (10 x 12), its corner 1 pixel in.
    EXPECT_EQ(painted->PixelColor(client.right - 2, client.bottom - 2), FrameColour(5));
    EXPECT_EQ(painted->PixelColor(client.right - 1, client.bottom - 1), FrameColour(3));

    bar->SetSimplePanel(true);
    bar->SetSimpleText(L"");
    painted = test::PaintedSkin(w);
    EXPECT_EQ(painted->PixelColor(165, 2), FrameColour(1)) << "one lowered panel, also with no text";
}

} // namespace
} // namespace orvo

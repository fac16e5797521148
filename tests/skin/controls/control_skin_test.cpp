// Skinned controls on a real form under Wine: the frame each state shows (pixel-exact, through the
// paint-into message and the window's own painting), clicks raised on release inside only, check
// glyphs, group box lines, panel colours, switching one control off and on.
#include "framework/controls/button.h"
#include "framework/controls/check_box.h"
#include "framework/controls/group_box.h"
#include "framework/controls/label.h"
#include "framework/controls/panel.h"
#include "framework/base/prop_access.h"
#include "skin/controls/button_skin.h"
#include "skin/controls/check_radio.h"
#include "tests/skin/controls/skinned_form.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace orvo {
namespace {

using test::AnswersSkinned;
using test::FrameColour;
using test::PaintedPixel;
using test::Pump;
using test::TSkinnedForm;

LPARAM At(int x, int y) {
    return MAKELPARAM(x, y);
}

TEST(SkinButton, EachStateShowsItsFrame) {
    TSkinnedForm f;
    auto* button = f.Add<TButton>(nullptr, 10, 10, 90, 28);
    button->SetCaption(L"OK");
    auto* other = f.Add<TButton>(nullptr, 10, 50, 90, 28);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    f.Skin();
    HWND w = button->Handle();
    ASSERT_TRUE(AnswersSkinned(w));
    ASSERT_EQ(f.SkinClassOf(button), L"TSkinButton");
    other->SetFocus();
    Pump(10);

    EXPECT_EQ(PaintedPixel(w, 1, 1), FrameColour(bfNormal));
    SendMessageW(w, WM_MOUSEMOVE, 0, At(5, 5));
    EXPECT_EQ(PaintedPixel(w, 1, 1), FrameColour(bfHot));
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    EXPECT_EQ(PaintedPixel(w, 88, 26), FrameColour(bfPressed));
    EXPECT_EQ(GetFocus(), w) << "a press focuses the button";
    EXPECT_NE(GetCapture(), w) << "the press never reached the control";
    SendMessageW(w, WM_LBUTTONUP, 0, At(5, 5));
    EXPECT_EQ(clicks, 1) << "one click, raised on the release";
    EXPECT_EQ(PaintedPixel(w, 1, 1), FrameColour(bfHot));
    SendMessageW(w, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(PaintedPixel(w, 1, 1), FrameColour(bfFocused)) << "focused";

    // A press dragged out is cancelled; a release outside is no click.
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    SendMessageW(w, WM_MOUSELEAVE, 0, 0);
    SendMessageW(w, WM_LBUTTONUP, 0, At(5, 5));
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    SendMessageW(w, WM_LBUTTONUP, 0, At(200, 5));
    EXPECT_EQ(clicks, 1);

    // Space clicks through the control's own handling, once.
    SendMessageW(w, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(PaintedPixel(w, 1, 1), FrameColour(bfPressed));
    SendMessageW(w, WM_KEYUP, VK_SPACE, 0xC0000001);
    Pump(10);
    EXPECT_EQ(clicks, 2);

    other->SetFocus();
    Pump(10);
    EXPECT_EQ(PaintedPixel(w, 1, 1), FrameColour(bfNormal));
    button->SetDefault(true);
    EXPECT_EQ(PaintedPixel(w, 1, 1), FrameColour(bfFocused)) << "the default button, another control focused";
    button->SetEnabled(false);
    SendMessageW(w, WM_MOUSEMOVE, 0, At(5, 5));
    EXPECT_EQ(PaintedPixel(w, 1, 1), FrameColour(bfDisabled)) << "a disabled default button";

    // BM_CLICK (what other programs send) clicks once each time, a disabled button never; an
    // error of the click handler is the program's to report, not swallowed by the skin.
    const int before = clicks;
    SendMessageW(w, BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, before);
    button->SetEnabled(true);
    SendMessageW(w, BM_CLICK, 0, 0);
    SendMessageW(w, BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, before + 2);
    button->OnClick = [&](TObject*) { throw std::runtime_error("handler"); };
    TMessage down{WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5), 0};
    TMessage up{WM_LBUTTONUP, 0, At(5, 5), 0};
    button->WindowProc(down);
    EXPECT_THROW(button->WindowProc(up), std::runtime_error);
    button->OnClick = [&](TObject*) { ++clicks; };

    // What the window itself paints is the same face.
    other->SetFocus();
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC screen = GetDC(w);
    EXPECT_EQ(static_cast<TColor>(GetPixel(screen, 1, 1)), FrameColour(bfFocused));
    ReleaseDC(w, screen);
}

TEST(SkinButton, NoFaceImageKeepsThePlatformButton) {
    TSkinnedForm f(test::TTestSkin("[Colours]\r\nButtonFace=1 2 3\r\n"));
    auto* button = f.Add<TButton>(nullptr, 10, 10, 90, 28);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    f.Skin();
    HWND w = button->Handle();
    EXPECT_TRUE(AnswersSkinned(w));
    // The control's own handling clicks: the press reaches it and it captures the mouse.
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    EXPECT_EQ(GetCapture(), w);
    SendMessageW(w, WM_LBUTTONUP, 0, At(5, 5));
    Pump(10);
    EXPECT_EQ(clicks, 1);
}

TEST(SkinCheckBox, GlyphFramesOfATwelveFrameStrip) {
    TSkinnedForm f;
    auto* box = f.Add<TCheckBox>(nullptr, 10, 10, 150, 21);
    box->SetCaption(L"使用文件所在目录");
    box->SetAllowGrayed(true);
    f.Skin();
    HWND w = box->Handle();
    ASSERT_EQ(f.SkinClassOf(box), L"TSkinCheckBox");
    auto glyph = [&] { return PaintedPixel(w, 6, 10); };
    EXPECT_EQ(glyph(), FrameColour(1));
    EXPECT_EQ(PaintedPixel(w, 140, 1), test::SkinFace) << "the face behind the caption";
    box->SetState(cbChecked);
    EXPECT_EQ(glyph(), FrameColour(5));
    box->SetState(cbGrayed);
    EXPECT_EQ(glyph(), FrameColour(9)) << "the window's indeterminate state";
    box->SetEnabled(false);
    EXPECT_EQ(glyph(), FrameColour(12));
    box->SetState(cbChecked);
    EXPECT_EQ(glyph(), FrameColour(8));
    box->SetState(cbUnchecked);
    EXPECT_EQ(glyph(), FrameColour(4));

    // A click goes to the control: it toggles itself, the skin follows.
    box->SetEnabled(true);
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    SendMessageW(w, WM_LBUTTONUP, 0, At(5, 5));
    Pump(10);
    EXPECT_EQ(box->State(), cbGrayed);
    EXPECT_EQ(glyph(), FrameColour(9));
}

TEST(SkinCheckBox, FourFrameStripNeverLeavesTheStrip) {
    TSkinnedForm f(test::ControlsSkin(4, 4));
    auto* box = f.Add<TCheckBox>(nullptr, 10, 10, 150, 21);
    box->SetAllowGrayed(true);
    auto* left = f.Add<TCheckBox>(nullptr, 10, 40, 150, 21);
    left->SetAlignment(taLeftJustify);
    f.Skin();
    HWND w = box->Handle();
    box->SetState(cbGrayed);
    box->SetEnabled(false);
    EXPECT_EQ(PaintedPixel(w, 6, 10), FrameColour(4)) << "grayed and disabled: the strip's last frame";
    box->SetEnabled(true);
    box->SetState(cbChecked);
    EXPECT_EQ(PaintedPixel(w, 6, 10), FrameColour(2));
    // The caption on the left: the glyph at the right edge.
    EXPECT_EQ(PaintedPixel(left->Handle(), 150 - 6, 10), FrameColour(1));
    EXPECT_EQ(PaintedPixel(left->Handle(), 6, 10), test::SkinFace);
}

TEST(SkinGroupBox, FrameLineInTheShadowColourUnderTheCaption) {
    TSkinnedForm f;
    auto* group = f.Add<TGroupBox>(nullptr, 10, 10, 200, 120);
    group->SetCaption(L"组");
    group->Font()->SetHeight(-16);
    auto* label = f.Add<TLabel>(group, 20, 60, 80, 16);
    label->SetCaption(L"label");
    f.Skin();
    HWND w = group->Handle();
    ASSERT_EQ(f.SkinClassOf(group), L"TSkinGroupBox");
    ASSERT_TRUE(AnswersSkinned(w));
    auto painted = test::PaintedSkin(w);
    ASSERT_TRUE(painted);
    HDC dc = painted->Canvas().Handle();
    SelectObject(dc, group->Font()->Handle());
    SIZE zero{};
    GetTextExtentPoint32W(dc, L"0", 1, &zero);
    const int y = zero.cy / 2 - 1;
    EXPECT_EQ(painted->PixelColor(150, y), test::SkinShadow);
    EXPECT_EQ(painted->PixelColor(1, 60), test::SkinShadow) << "the left edge";
    EXPECT_EQ(painted->PixelColor(100, 100), test::SkinFace);
    EXPECT_EQ(painted->PixelColor(150, y + 3), test::SkinFace);
}

TEST(SkinPanel, RecolouredWhileSkinnedAndHandedBack) {
    TSkinnedForm f;
    auto* panel = f.Add<TPanel>(nullptr, 10, 10, 100, 60);
    panel->SetColor(clRed);
    panel->SetParentBackground(true);
    auto* inner = f.Add<TButton>(panel, 5, 5, 60, 24);
    f.Skin();
    EXPECT_EQ(f.SkinClassOf(panel), L"TSkinBox");
    EXPECT_EQ(f.SkinClassOf(inner), L"TSkinButton") << "a panel's controls are skinned";
    EXPECT_TRUE(AnswersSkinned(panel->Handle()));
    EXPECT_EQ(panel->Color(), test::SkinFace);
    EXPECT_FALSE(panel->ParentBackground());
    f.Unskin();
    EXPECT_EQ(panel->Color(), clRed);
    EXPECT_TRUE(panel->ParentBackground());
    EXPECT_FALSE(AnswersSkinned(panel->Handle()));
}

TEST(SkinControl, SwitchedOffEveryMessageReachesTheControl) {
    TSkinnedForm f;
    auto* button = f.Add<TButton>(nullptr, 10, 10, 90, 28);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    f.Skin();
    HWND w = button->Handle();
    SendMessageW(w, SKM_SWITCHCONTROLSKIN, 0, 0);
    EXPECT_FALSE(AnswersSkinned(w));
    EXPECT_EQ(test::PaintedSkin(w), nullptr) << "no skin drawing";
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    EXPECT_EQ(GetCapture(), w) << "the control's own press";
    SendMessageW(w, WM_LBUTTONUP, 0, At(5, 5));
    Pump(10);
    EXPECT_EQ(clicks, 1);

    SendMessageW(w, SKM_SWITCHCONTROLSKIN, 1, 0);
    EXPECT_TRUE(AnswersSkinned(w));
    EXPECT_EQ(PaintedPixel(w, 1, 1), FrameColour(bfFocused));
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    SendMessageW(w, WM_LBUTTONUP, 0, At(5, 5));
    Pump(10);
    EXPECT_EQ(clicks, 2);
}

} // namespace
} // namespace orvo

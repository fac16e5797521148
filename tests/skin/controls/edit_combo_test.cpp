// Edits, up-downs, combo boxes and date-time pickers on a skinned form under Wine: the border
// pixels, the up-down's frames by half and state (hover from the mouse entering and leaving), the
// spin edit's arrows skinned once, the combo button's frames (hot only over the button), the
// drop-down opening and closing, a caller's DC handed back as it was, the picker's button.
#include "framework/controls/combo_box.h"
#include "framework/controls/date_time_picker.h"
#include "framework/controls/edit.h"
#include "framework/controls/up_down.h"
#include "skin/controls/edit_combo_spin.h"
#include "tests/skin/controls/skinned_form.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

using test::FrameColour;
using test::PaintedPixel;
using test::PaintedSkin;
using test::Pump;
using test::TSkinnedForm;

constexpr int ButtonBase = 10; // ComboButton frames FrameColour(11..14)
constexpr int GlyphBase = 20;  // ExtraImages frames FrameColour(21..25)
constexpr int UpDownBase = 50; // UpDown.Vert frames FrameColour(51..58)
constexpr TColor White = 0xFFFFFF;

test::TTestSkin EditSkin(bool sunkEdge = true) {
    std::string ini = "[ComboButton]\r\nImage=Combo.bmp\r\n"
                      "[ExtraImages]\r\nImage=Extra.bmp\r\nTrans=1\r\n"
                      "[UpDown.Vert]\r\nImage=UpDown.bmp\r\n"
                      "[Colours]\r\nButtonFace=200 210 220\r\nButtonShadow=10 20 30\r\n";
    if (sunkEdge) ini += "[SunkEdge]\r\nImage=Sunk.bmp\r\n";
    test::TTestSkin skin(ini);
    skin.Image("Combo.bmp", test::FrameStrip(4 * 17, 20, 4, ButtonBase))
        .Image("Extra.bmp", test::FrameStrip(5 * 8, 6, 5, GlyphBase))
        .Image("UpDown.bmp", test::FrameStrip(8 * 17, 11, 8, UpDownBase));
    if (sunkEdge) skin.Image("Sunk.bmp", test::FrameStrip(4 * 20, 20, 4));
    return skin;
}

TEST(UpDownFrames, ByHalfAndState) {
    EXPECT_EQ(UpDownHalfAt(SIZE{17, 22}, false, POINT{3, 5}), 0);
    EXPECT_EQ(UpDownHalfAt(SIZE{17, 22}, false, POINT{3, 11}), 1);
    EXPECT_EQ(UpDownHalfAt(SIZE{30, 10}, true, POINT{20, 1}), 1);
    // Pressed over the lower half: the upper shows frame 1, the lower frame 6.
    EXPECT_EQ(UpDownFrame(0, true, true, false, 1), 1);
    EXPECT_EQ(UpDownFrame(1, true, true, false, 1), 6);
    EXPECT_EQ(UpDownFrame(0, true, false, true, 0), 4);
    EXPECT_EQ(UpDownFrame(1, false, true, true, 1), 7);
    EXPECT_EQ(ComboButtonState(false, true, true, true), 3) << "a disabled combo never lights up";
    EXPECT_EQ(ComboButtonState(true, false, true, false), 4);
}

TEST(SkinEdit, FlatBorderPixelExact) {
    TSkinnedForm f(EditSkin());
    auto* edit = f.Add<TEdit>(nullptr, 10, 10, 120, 22);
    edit->SetText(L"text");
    auto* flat = f.Add<TEdit>(nullptr, 10, 40, 120, 22);
    flat->SetBorderStyle(bsNone);
    f.Skin();
    ASSERT_EQ(f.SkinClassOf(edit), L"TSkinEdit");
    HWND w = edit->Handle();
    auto painted = PaintedSkin(w);
    ASSERT_TRUE(painted);
    for (POINT p : {POINT{0, 0}, POINT{60, 0}, POINT{119, 21}, POINT{0, 10}})
        EXPECT_EQ(painted->PixelColor(p.x, p.y), test::SkinShadow);
    EXPECT_EQ(painted->PixelColor(1, 1), White);
    EXPECT_EQ(painted->PixelColor(2, 2), White);
    EXPECT_EQ(painted->PixelColor(118, 20), White);
    // What the window shows after its own painting, focus and all.
    edit->SetFocus();
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    HDC dc = GetWindowDC(w);
    EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 0, 0)), test::SkinShadow);
    EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 1, 5)), White);
    ReleaseDC(w, dc);
    // Without a border nothing is framed.
    EXPECT_NE(PaintedPixel(flat->Handle(), 0, 0), test::SkinShadow);
}

TEST(SkinUpDown, FramesByHalfHoverAndPress) {
    TSkinnedForm f(EditSkin());
    auto* edit = f.Add<TEdit>(nullptr, 10, 10, 80, 22);
    auto* arrows = f.Add<TUpDown>(nullptr, 90, 10, 17, 22);
    arrows->SetAssociate(edit);
    f.Skin();
    ASSERT_EQ(f.SkinClassOf(arrows), L"TSkinUpDown");
    HWND w = arrows->Handle();
    RECT c{};
    GetClientRect(w, &c);
    const POINT upper{c.right / 2, c.bottom / 4};
    const POINT lower{c.right / 2, c.bottom * 3 / 4};
    auto screenPoint = [&](POINT p) {
        ClientToScreen(w, &p);
        return p;
    };
    SetCursorPos(-50, -50);
    EXPECT_EQ(PaintedPixel(w, upper.x, upper.y), FrameColour(UpDownBase + 1));
    EXPECT_EQ(PaintedPixel(w, lower.x, lower.y), FrameColour(UpDownBase + 5));
    // Hover: only the half under the mouse lights up, and leaving clears it.
    const POINT up = screenPoint(upper);
    SetCursorPos(up.x, up.y);
    SendMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(upper.x, upper.y));
    EXPECT_EQ(PaintedPixel(w, upper.x, upper.y), FrameColour(UpDownBase + 4));
    EXPECT_EQ(PaintedPixel(w, lower.x, lower.y), FrameColour(UpDownBase + 5));
    SendMessageW(w, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(PaintedPixel(w, upper.x, upper.y), FrameColour(UpDownBase + 1));
    // Pressed over the lower half: the position steps down through the control's own handling.
    const int before = arrows->Position();
    const POINT down = screenPoint(lower);
    SetCursorPos(down.x, down.y);
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(lower.x, lower.y));
    EXPECT_EQ(PaintedPixel(w, upper.x, upper.y), FrameColour(UpDownBase + 1));
    EXPECT_EQ(PaintedPixel(w, lower.x, lower.y), FrameColour(UpDownBase + 6));
    SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(lower.x, lower.y));
    Pump(10);
    EXPECT_EQ(arrows->Position(), before == arrows->Min() ? before : before - 1);
    arrows->SetEnabled(false);
    EXPECT_EQ(PaintedPixel(w, upper.x, upper.y), FrameColour(UpDownBase + 3));
    EXPECT_EQ(PaintedPixel(w, lower.x, lower.y), FrameColour(UpDownBase + 7));
    SetCursorPos(-50, -50);
}

TEST(SkinEdit, SpinEditsArrowsSkinnedOnce) {
    TSkinnedForm f(EditSkin());
    auto* spin = f.Add<TSpinEdit>(nullptr, 10, 10, 100, 22);
    f.Skin();
    ASSERT_EQ(f.SkinClassOf(spin), L"TSkinEdit");
    HWND arrows = spin->Button()->Handle();
    RedrawWindow(spin->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    EXPECT_EQ(SendMessageW(arrows, SKM_ISSKINNED, 0, 0), 1) << "found at the first paint";
    for (int i = 0; i < 3; ++i) RedrawWindow(spin->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    int skins = 0;
    for (TSkinControl* s : f.FormSkin->ControlSkins()) skins += s->Handle == arrows;
    EXPECT_EQ(skins, 1);
    f.Unskin();
    EXPECT_NE(SendMessageW(arrows, SKM_ISSKINNED, 0, 0), 1);
}

TEST(SkinComBox, ButtonFramesHotOverTheButtonOnly) {
    TSkinnedForm f(EditSkin());
    auto* combo = f.Add<TComboBox>(nullptr, 10, 10, 150, 22);
    combo->Items()->Add(L"one");
    combo->Items()->Add(L"two");
    auto* other = f.Add<TEdit>(nullptr, 10, 60, 80, 22);
    f.Skin();
    auto* skin = dynamic_cast<TSkinComBox*>(f.SkinOf(combo));
    ASSERT_NE(skin, nullptr) << f.SkinClassOf(combo);
    other->SetFocus();
    Pump(10);
    HWND w = combo->Handle();
    RECT r{};
    GetWindowRect(w, &r);
    const int width = r.right - r.left;
    const int b = GetSystemMetrics(SM_CXHSCROLL);
    const POINT button{width - b / 2 - 2, 3};
    auto shown = [&](POINT p) { return PaintedPixel(w, p.x, p.y); };
    EXPECT_EQ(shown(button), FrameColour(ButtonBase + 1));
    EXPECT_EQ(shown(POINT{0, 0}), FrameColour(1)) << "the sunken edge's frame 1";
    EXPECT_TRUE(skin->EditHandle) << "a drop-down combo's inner edit";
    // The text area does not light the button; the button does; leaving clears it.
    SendMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(20, 10));
    EXPECT_EQ(shown(button), FrameColour(ButtonBase + 1));
    SendMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(button.x, 10));
    EXPECT_EQ(shown(button), FrameColour(ButtonBase + 4));
    SendMessageW(w, CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(shown(button), FrameColour(ButtonBase + 1));

    // The drop-down opens and closes; the state follows the notifications.
    combo->SetDroppedDown(true);
    Pump(20);
    EXPECT_TRUE(skin->DroppedDown);
    EXPECT_TRUE(IsWindowVisible(combo->ListHandle()));
    combo->SetDroppedDown(false);
    Pump(20);
    EXPECT_FALSE(skin->DroppedDown);
    EXPECT_FALSE(IsWindowVisible(combo->ListHandle()));

    combo->SetEnabled(false);
    SendMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(button.x, 10));
    EXPECT_EQ(shown(button), FrameColour(ButtonBase + 3));
    EXPECT_EQ(shown(POINT{0, 0}), FrameColour(3));
    combo->SetEnabled(true);

    // A caller's DC comes back as it was given: no text area left excluded from its clipping.
    TBitmap target(width, r.bottom - r.top);
    HDC dc = target.Canvas().Handle();
    SendMessageW(w, SKM_PAINTCONTROLINTO, reinterpret_cast<WPARAM>(dc), SkmPaintMagic);
    RECT all{0, 0, width, r.bottom - r.top};
    TBrushHandle red(CreateSolidBrush(RGB(255, 0, 0)));
    FillRect(dc, &all, red.Get());
    GdiFlush();
    EXPECT_EQ(target.PixelColor(20, 10), TColor(0x0000FF));
}

TEST(SkinComBox, DropDownListHasNoInnerEdit) {
    TSkinnedForm f(EditSkin());
    auto* combo = f.Add<TComboBox>(nullptr, 10, 10, 150, 22);
    combo->SetStyle(csDropDownList);
    combo->Items()->Add(L"one");
    combo->SetItemIndex(0);
    f.Skin();
    auto* skin = dynamic_cast<TSkinComBox*>(f.SkinOf(combo));
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(skin->EditHandle, nullptr);
    ASSERT_NE(skin->DropScroll, nullptr) << "the drop-down list's bar is skinned";
    RedrawWindow(combo->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    combo->SetDroppedDown(true);
    Pump(10);
    combo->SetDroppedDown(false);
    Pump(10);
}

TEST(SkinDateTime, ArrowButtonOverThePickersOwn) {
    TSkinnedForm f(EditSkin(false)); // ComboxArrow is the combo button's image
    auto* date = f.Add<TDateTimePicker>(nullptr, 10, 10, 140, 22);
    auto* time = f.Add<TDateTimePicker>(nullptr, 10, 40, 140, 22);
    time->SetKind(dtkTime);
    f.Skin();
    auto* skin = dynamic_cast<TSkinDateTime*>(f.SkinOf(date));
    ASSERT_NE(skin, nullptr) << f.SkinClassOf(date);
    ASSERT_NE(skin->Arrow, nullptr);
    HWND arrow = skin->Arrow->Handle();
    EXPECT_EQ(GetParent(arrow), date->Handle()) << "a child of the picker, in no Controls list";
    EXPECT_EQ(date->ControlCount(), 0);
    RECT a{};
    GetWindowRect(arrow, &a);
    EXPECT_EQ(a.right - a.left, GetSystemMetrics(SM_CXHSCROLL));
    RedrawWindow(arrow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetDC(arrow);
    EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 3, 3)), FrameColour(ButtonBase + 1));
    ReleaseDC(arrow, dc);
    // A click on it opens the picker's own calendar.
    SendMessageW(arrow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(arrow, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    Pump(50);
    EXPECT_TRUE(date->DroppedDown());
    SendMessageW(date->Handle(), DTM_CLOSEMONTHCAL, 0, 0);
    Pump(20);
    // A time picker is an edit with arrows inside.
    EXPECT_EQ(f.SkinClassOf(time), L"TSkinEdit");
    EXPECT_EQ(PaintedPixel(time->Handle(), 0, 0), test::SkinShadow);
    f.Unskin();
    EXPECT_FALSE(IsWindow(arrow));
}

} // namespace
} // namespace orvo

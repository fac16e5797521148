// The frame's rules as plain arithmetic: frame kinds, borders, client area, hit tests, caption
// buttons' visibility, layout and frames, the caption text's place, the menu bar's start.
#include "skin/data/skin_elements.h"
#include "skin/form/caption_buttons.h"
#include "skin/form/frame_geometry.h"
#include "skin/form/frame_paint.h"
#include "skin/form/menu_bar.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

TEST(FrameKind, FollowsTheStyleAndTheDialogClasses) {
    EXPECT_EQ(FrameKindOf(WS_POPUP, 0, false), TFrameKind::None) << "no caption: the window keeps its frame";
    EXPECT_EQ(FrameKindOf(WS_BORDER, 0, false), TFrameKind::None) << "half a caption is none";
    EXPECT_EQ(FrameKindOf(WS_CAPTION | WS_THICKFRAME, 0, false), TFrameKind::Sizeable);
    EXPECT_EQ(FrameKindOf(WS_CAPTION, 0, false), TFrameKind::Single);
    EXPECT_EQ(FrameKindOf(WS_CAPTION | DS_MODALFRAME, 0, false), TFrameKind::Dialog);
    EXPECT_EQ(FrameKindOf(WS_CAPTION | WS_THICKFRAME, WS_EX_DLGMODALFRAME, false), TFrameKind::Dialog);
    EXPECT_EQ(FrameKindOf(WS_CAPTION | WS_THICKFRAME, 0, true), TFrameKind::Dialog)
        << "a dialog class has a dialog frame even when sizeable";
    EXPECT_EQ(FrameKindOf(WS_POPUP, 0, true), TFrameKind::None);

    EXPECT_EQ(BorderIconsOf(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, WS_EX_CONTEXTHELP, false),
              bibSystemMenu | bibMinimizeBox | bibMaximizeBox | bibHelpBox);
    EXPECT_EQ(BorderIconsOf(0, 0, true), bibSystemMenu);
    EXPECT_EQ(ShowStateOf(SW_SHOWMINIMIZED), TWindowShowState::Minimized);
    EXPECT_EQ(ShowStateOf(SW_SHOWMINNOACTIVE), TWindowShowState::Minimized);
    EXPECT_EQ(ShowStateOf(SW_SHOWMAXIMIZED), TWindowShowState::Maximized);
    EXPECT_EQ(ShowStateOf(SW_SHOWNORMAL), TWindowShowState::Normal);
}

TEST(FrameBorders, ComeFromTheImagesOverTheirFrameCounts) {
    TDataSkinBorder left, top, right, bottom;
    left.Image.SetSize(10, 300); // two frames side by side: 5 wide
    left.Frame = 2;
    right.Image.SetSize(7, 300);
    right.Frame = 0; // no count: one frame
    top.Image.SetSize(200, 60); // two frames stacked: 30 high
    top.Frame = 2;
    bottom.Image.SetSize(200, 9);
    bottom.Frame = 3;
    EXPECT_EQ(BordersFromSkin(left, top, right, bottom, TFrameKind::Sizeable, 19), (TFrameBorders{5, 30, 7, 3, 19}));
    EXPECT_EQ(BordersFromSkin(left, top, right, bottom, TFrameKind::None, 19), (TFrameBorders{}))
        << "a window without caption keeps its own frame, menu strip included";
    TDataSkinBorder empty;
    EXPECT_EQ(BordersFromSkin(empty, empty, empty, empty, TFrameKind::Single, 0), (TFrameBorders{}));
}

TEST(FrameClient, IsTheWindowLessTheBordersAndScrollBars) {
    const TFrameBorders b{4, 29, 6, 5, 19};
    EXPECT_EQ(ClientInside(RECT{100, 50, 400, 350}, b).left, 104);
    const RECT c = ClientInside(RECT{100, 50, 400, 350}, b);
    EXPECT_EQ(c.top, 50 + 29 + 19);
    EXPECT_EQ(c.right, 394);
    EXPECT_EQ(c.bottom, 345);
    const RECT bars = ClientInside(RECT{0, 0, 300, 300}, b, TScrollBarSpace{17, 17, false});
    EXPECT_EQ(bars.right, 300 - 6 - 17);
    EXPECT_EQ(bars.bottom, 300 - 5 - 17);
    const RECT left = ClientInside(RECT{0, 0, 300, 300}, b, TScrollBarSpace{17, 0, true});
    EXPECT_EQ(left.left, 4 + 17) << "a left scroll bar";
    EXPECT_EQ(left.right, 294);
    const RECT tiny = ClientInside(RECT{10, 10, 15, 20}, b);
    EXPECT_GE(tiny.right, tiny.left) << "never inverted";
    EXPECT_GE(tiny.bottom, tiny.top);
}

THitTestInput Sizeable(POINT p) {
    THitTestInput in;
    in.Point = p;
    in.Window = SIZE{400, 300};
    in.Borders = TFrameBorders{4, 29, 4, 5, 19};
    in.Client = RECT{4, 48, 396, 295};
    in.CornerSize = 16;
    return in;
}

TEST(FrameHitTest, SizeableFrameEdgesCaptionMenuAndClient) {
    EXPECT_EQ(FrameHitTest(Sizeable({200, 1})), HTTOP);
    EXPECT_EQ(FrameHitTest(Sizeable({200, 3})), HTTOP) << "the caption's first four rows size the window";
    EXPECT_EQ(FrameHitTest(Sizeable({200, 4})), HTCAPTION);
    EXPECT_EQ(FrameHitTest(Sizeable({5, 1})), HTTOPLEFT);
    EXPECT_EQ(FrameHitTest(Sizeable({395, 2})), HTTOPRIGHT);
    EXPECT_EQ(FrameHitTest(Sizeable({1, 150})), HTLEFT);
    EXPECT_EQ(FrameHitTest(Sizeable({398, 150})), HTRIGHT);
    EXPECT_EQ(FrameHitTest(Sizeable({1, 10})), HTTOPLEFT) << "a side's top corner zone";
    EXPECT_EQ(FrameHitTest(Sizeable({200, 297})), HTBOTTOM);
    EXPECT_EQ(FrameHitTest(Sizeable({399, 299})), HTBOTTOMRIGHT);
    EXPECT_EQ(FrameHitTest(Sizeable({2, 296})), HTBOTTOMLEFT);
    EXPECT_EQ(FrameHitTest(Sizeable({200, 20})), HTCAPTION);
    EXPECT_EQ(FrameHitTest(Sizeable({200, 40})), HTMENU);
    EXPECT_EQ(FrameHitTest(Sizeable({200, 100})), HTCLIENT);
    EXPECT_EQ(FrameHitTest(Sizeable({400, 100})), HTNOWHERE);
    EXPECT_EQ(FrameHitTest(Sizeable({-1, 100})), HTNOWHERE);
}

TEST(FrameHitTest, BordersBelowTheCaptionAreNeverCaptionOrMenu) {
    THitTestInput in = Sizeable({200, 297});
    in.Kind = TFrameKind::Single;
    EXPECT_EQ(FrameHitTest(in), HTBORDER) << "the bottom border";
    in.Point = {1, 150};
    EXPECT_EQ(FrameHitTest(in), HTBORDER) << "a side border";
    in.Point = {1, 40};
    EXPECT_EQ(FrameHitTest(in), HTBORDER) << "the side border beside the menu strip";
    in.Point = {200, 1};
    EXPECT_EQ(FrameHitTest(in), HTCAPTION) << "a fixed frame's caption reaches its top";
    in.Point = {1, 10};
    EXPECT_EQ(FrameHitTest(in), HTCAPTION) << "and its corners";
}

TEST(FrameHitTest, MaximisedMinimisedAndTheScrollBars) {
    THitTestInput in = Sizeable({200, 1});
    in.Show = TWindowShowState::Maximized;
    EXPECT_EQ(FrameHitTest(in), HTCAPTION) << "a maximised window does not size";
    in.Point = {1, 150};
    EXPECT_EQ(FrameHitTest(in), HTBORDER);
    in.Show = TWindowShowState::Minimized;
    in.Point = {200, 150};
    EXPECT_EQ(FrameHitTest(in), HTCAPTION);
    in = Sizeable({390, 100});
    in.Client = RECT{4, 48, 379, 278}; // scroll bars right and below
    EXPECT_EQ(FrameHitTest(in), HitTestAskDefault);
    in.Point = {100, 285};
    EXPECT_EQ(FrameHitTest(in), HitTestAskDefault);
}

TCaptionState State(std::uint8_t icons, bool maximized = false, bool active = true) {
    TCaptionState s;
    s.BorderIcons = icons;
    s.Maximized = maximized;
    s.Active = active;
    s.Kind = TFrameKind::Sizeable;
    return s;
}

TEST(CaptionButtons, VisibilityCodes) {
    const TCaptionState all = State(bibSystemMenu | bibMinimizeBox | bibMaximizeBox);
    EXPECT_TRUE(VisibilityCodeTrue(0, true, all));
    EXPECT_FALSE(VisibilityCodeTrue(1, true, all));
    EXPECT_TRUE(VisibilityCodeTrue(1, true, State(bibSystemMenu, true)));
    EXPECT_TRUE(VisibilityCodeTrue(2, false, all));
    EXPECT_TRUE(VisibilityCodeTrue(4, true, State(0, false, false)));
    for (int never : {5, 11, 99, 150, 3000, -1}) EXPECT_FALSE(VisibilityCodeTrue(never, true, all)) << never;
    EXPECT_FALSE(VisibilityCodeTrue(6, true, State(bibMinimizeBox))) << "needs the system menu as well";
    EXPECT_TRUE(VisibilityCodeTrue(6, false, State(bibMinimizeBox))) << "the secondary code does not";
    EXPECT_TRUE(VisibilityCodeTrue(7, true, State(bibMinimizeBox)));
    EXPECT_TRUE(VisibilityCodeTrue(10, true, State(bibHelpBox)));
    EXPECT_FALSE(VisibilityCodeTrue(10, true, State(bibHelpBox | bibMinimizeBox)));
    EXPECT_TRUE(VisibilityCodeTrue(500, true, all));
    EXPECT_FALSE(VisibilityCodeTrue(500, false, all));
    TCaptionState dialog = all;
    dialog.Kind = TFrameKind::Dialog;
    EXPECT_TRUE(VisibilityCodeTrue(200, true, dialog));
    dialog.DialogClass = true;
    EXPECT_FALSE(VisibilityCodeTrue(200, true, dialog));

    int asked = 0;
    TCaptionState asking = all;
    asking.AskWindow = [&](int code, int) -> LRESULT {
        ++asked;
        return code == 1500 ? 1 : 0;
    };
    EXPECT_TRUE(EvaluateButton(cbaHelp, 1500, 0, asking).Visible);
    EXPECT_FALSE(EvaluateButton(cbaHelp, 1600, 0, asking).Visible);
    EXPECT_GT(asked, 0) << "codes 1000-2000 ask the window";
}

TEST(CaptionButtons, ActionsAdjustVisibilityAndEnablement) {
    EXPECT_FALSE(EvaluateButton(cbaClose, 0, 0, State(0)).Visible) << "no system menu, no close";
    EXPECT_TRUE(EvaluateButton(cbaClose, 0, 0, State(bibSystemMenu)).Visible);
    const TButtonShow max = EvaluateButton(cbaMaximize, 0, 0, State(bibSystemMenu | bibMinimizeBox));
    EXPECT_TRUE(max.Visible) << "drawn...";
    EXPECT_FALSE(max.Enabled) << "...but inert without a maximise box";
    EXPECT_TRUE(EvaluateButton(cbaMinimize, 0, 0, State(bibSystemMenu | bibMinimizeBox)).Enabled);
    TCaptionState dialog = State(bibSystemMenu);
    dialog.Kind = TFrameKind::Dialog;
    EXPECT_FALSE(EvaluateButton(cbaSystemMenu, 0, 0, dialog).Visible) << "a dialog shows no icon";
    EXPECT_FALSE(EvaluateButton(cbaIcon, 0, 0, dialog).Visible);
    EXPECT_TRUE(EvaluateButton(cbaSystemMenu, 0, 0, State(bibSystemMenu)).Visible);
    EXPECT_FALSE(EvaluateButton(cbaSystemMenu, 0, 0, State(bibMinimizeBox)).Visible)
        << "no system menu, no icon to open it";
}

TEST(CaptionButtons, LayoutFramesAndHints) {
    TButtonLayoutInput in;
    in.XCoord = 25;
    in.YCoord = 5;
    in.Width = 21;
    in.Height = 21;
    in.WindowWidth = 400;
    in.TextRect = RECT{40, 6, 180, 22};
    in.Align = calTopLeft;
    EXPECT_EQ(LayoutButton(in).left, 25);
    in.Align = calTopRight;
    EXPECT_EQ(LayoutButton(in).left, 375);
    EXPECT_EQ(LayoutButton(in).bottom, 26);
    in.Align = calLeftOfText;
    EXPECT_EQ(LayoutButton(in).left, 40 - 21 - 25);
    in.Align = calRightOfTextAlt;
    EXPECT_EQ(LayoutButton(in).left, 180 + 25);
    in.Align = calMenuBar;
    in.BorderRight = 4;
    in.BorderTop = 29;
    in.MenuHeight = 19;
    in.MenuBarLeftWidth = 3;
    in.Height = 15;
    const RECT bar = LayoutButton(in);
    EXPECT_EQ(bar.left, 400 - 25 - 4 - 3);
    EXPECT_EQ(bar.top, 29 + 2);
    in.Align = 42;
    EXPECT_EQ(LayoutButton(in).left, 0);

    EXPECT_EQ(CaptionFrameIndex(3, false, false), 1) << "three frames: always the first";
    EXPECT_EQ(CaptionFrameIndex(6, true, true), 1);
    EXPECT_EQ(CaptionFrameIndex(6, false, true), 4) << "six frames: the inactive look";
    EXPECT_EQ(CaptionFrameIndex(6, true, false), 4);
    EXPECT_EQ(StateFrameIndex(6, nbsHot, true, 0), 3);
    EXPECT_EQ(StateFrameIndex(6, nbsPressed, false, 0), 4);
    EXPECT_EQ(StateFrameIndex(3, nbsPressed, false, 0), 1);
    EXPECT_EQ(StateFrameIndex(4, nbsHot, true, 100), 4) << "a menu-bar button's hot frame";
    EXPECT_EQ(StateFrameIndex(2, nbsHot, true, 0), 2) << "clamped to the frames there are";
    EXPECT_STREQ(CaptionHintText(cbaClose), L"Close");
    EXPECT_STREQ(CaptionHintText(cbaMdiRestore), L"Restore");
    EXPECT_STREQ(CaptionHintText(cbaHelp), L"");
}

TCaptionTextInput Text(int alignment) {
    TCaptionTextInput in;
    in.Caption = RECT{4, 0, 396, 29};
    in.Text = SIZE{100, 13};
    in.TextShift = 16;
    in.TextShiftVert = 2;
    in.TextRightClip = 20;
    in.TextAlignment = alignment;
    return in;
}

TEST(CaptionText, AlignmentShiftsAndClips) {
    RECT t = CaptionTextRect(Text(0));
    EXPECT_EQ(t.left, 4 + 16);
    EXPECT_EQ(t.right, 4 + 16 + 100);
    EXPECT_EQ(t.top, (29 - 13) / 2 + 1) << "centred, plus half the vertical shift";
    t = CaptionTextRect(Text(1));
    EXPECT_EQ(t.left, 4 + (396 - 104) / 2);
    t = CaptionTextRect(Text(2));
    EXPECT_EQ(t.right, 396 - 20) << "against the right clip";
    TCaptionTextInput back = Text(0);
    back.TXTBackleft = 6;
    back.TXTBackRight = 8;
    EXPECT_EQ(CaptionTextRect(back).right - CaptionTextRect(back).left, 114) << "the background's margins";

    TCaptionTextInput longText = Text(0);
    longText.Text.cx = 1000;
    EXPECT_EQ(CaptionTextRect(longText).right, 396 - 20) << "ends before the clip";
    longText.RightButtonsWidth = 75;
    EXPECT_EQ(CaptionTextRect(longText).right, 396 - 75 - 5) << "and never under the buttons";
    longText.Popup = true;
    longText.RightButtonsWidth = 0;
    EXPECT_EQ(CaptionTextRect(longText).right, 4 + 16 + 1000) << "a popup window only minds its buttons";

    TCaptionTextInput centred = Text(1);
    centred.Text.cx = 300;
    centred.RightButtonsWidth = 80;
    const RECT moved = CaptionTextRect(centred);
    EXPECT_EQ(moved.left, 4 + 16) << "wide centred text moves left, as far as the shift, before it is cut";
    EXPECT_EQ(moved.right, 396 - 80 - 5);
    centred.Text.cx = 1000;
    EXPECT_EQ(CaptionTextRect(centred).left, 4 + 16) << "and never starts left of the shift";
    EXPECT_EQ(CaptionTextRect(centred).right, 396 - 80 - 5);

    TCaptionTextInput dialog = Text(0);
    dialog.Kind = TFrameKind::Dialog;
    EXPECT_EQ(CaptionTextRect(dialog).left, 4 + 16 - 16) << "a dialog has no icon to keep clear of";

    TCaptionTextInput rtl = Text(0);
    rtl.RightToLeft = true;
    rtl.RightButtonsWidth = 75;
    EXPECT_EQ(CaptionTextRect(rtl).left, 396 - 75 - 100 + 10);
    rtl.Text.cx = 500;
    EXPECT_EQ(CaptionTextRect(rtl).left, 16 + 10) << "text wider than the room starts at the shift";
}

TEST(MenuBarLayout, StartOffset) {
    EXPECT_EQ(MenuBarStartOffset(300, false, 0, 0, false), 6);
    EXPECT_EQ(MenuBarStartOffset(300, true, 5, 9, false), 9);
    EXPECT_EQ(MenuBarStartOffset(300, true, 5, 9, true), 17);
    EXPECT_EQ(MenuBarStartOffset(8, true, 5, 9, false), 12) << "a bar narrower than its offset";
}

} // namespace
} // namespace orvo

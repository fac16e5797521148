// The rules of the control skins as plain functions: Skin3rd lines, bare button styles, face and
// glyph frames, glyph and caption layouts, status panels.
#include "skin/controls/button_skin.h"
#include "skin/controls/check_radio.h"
#include "skin/controls/group_panel_status.h"
#include "skin/data/skin_elements.h"
#include "skin/data/skin_third_party.h"
#include "skin/form/control_attach.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvo {
namespace {

std::vector<std::wstring> BuiltInLines() {
    std::vector<std::wstring> lines;
    for (std::wstring_view line : BuiltInSkin3rd()) lines.emplace_back(line);
    return lines;
}

TEST(Skin3rd, TheClassNameMustBeFollowedByTheEqualsSign) {
    const auto lines = BuiltInLines();
    EXPECT_EQ(Skin3rdKind(lines, L"TRzButton"), L"button") << "not TRzButtonEdit's line";
    EXPECT_EQ(Skin3rdKind(lines, L"TRzButtonEdit"), L"edit") << "kinds are lower-cased";
    EXPECT_EQ(Skin3rdKind(lines, L"TRZGROUP"), L"panel") << "class names compare without case";
    EXPECT_EQ(Skin3rdKind(lines, L"TcxButton"), L"bitbtn");
    EXPECT_FALSE(Skin3rdKind(lines, L"TButton")) << "framework classes are not in the list";
    EXPECT_FALSE(Skin3rdKind(lines, L"TRz")) << "a prefix of a listed name is not that name";
    EXPECT_FALSE(Skin3rdKind(lines, L"")) << "an empty class name matches no line starting with '='";

    const std::vector<std::wstring> own{L"TFancy=nil", L"TFancy=button", L"TLong=" + std::wstring(80, L'x'),
                                        L"TEmpty="};
    EXPECT_EQ(Skin3rdKind(own, L"TFancy"), L"nil") << "the first matching line wins";
    EXPECT_EQ(Skin3rdKind(own, L"TLong")->size(), 50u) << "a kind is at most 50 characters";
    EXPECT_EQ(Skin3rdKind(own, L"TEmpty"), L"");
}

TEST(BareButtons, TheStyleTypeIsComparedAsAWhole) {
    EXPECT_EQ(BareButtonKindOf(BS_PUSHBUTTON), TBareButtonKind::Push);
    EXPECT_EQ(BareButtonKindOf(BS_DEFPUSHBUTTON), TBareButtonKind::Push);
    EXPECT_EQ(BareButtonKindOf(BS_PUSHBOX), TBareButtonKind::Push);
    for (DWORD style : {BS_CHECKBOX, BS_AUTOCHECKBOX, BS_3STATE, BS_AUTO3STATE})
        EXPECT_EQ(BareButtonKindOf(style | WS_TABSTOP), TBareButtonKind::CheckBox) << style;
    EXPECT_EQ(BareButtonKindOf(BS_RADIOBUTTON), TBareButtonKind::Radio);
    EXPECT_EQ(BareButtonKindOf(BS_AUTORADIOBUTTON), TBareButtonKind::Radio);
    // Bit masks would make these check boxes or radio buttons.
    EXPECT_EQ(BareButtonKindOf(BS_GROUPBOX), TBareButtonKind::None);
    EXPECT_EQ(BareButtonKindOf(BS_SPLITBUTTON), TBareButtonKind::None);
    EXPECT_EQ(BareButtonKindOf(BS_DEFSPLITBUTTON), TBareButtonKind::None);
    EXPECT_EQ(BareButtonKindOf(BS_COMMANDLINK), TBareButtonKind::None);
    EXPECT_EQ(BareButtonKindOf(BS_DEFCOMMANDLINK), TBareButtonKind::None);
    EXPECT_EQ(BareButtonKindOf(BS_OWNERDRAW), TBareButtonKind::OwnerDraw);
    EXPECT_EQ(BareButtonKindOf(BS_PUSHBUTTON | BS_BITMAP), TBareButtonKind::None) << "a picture button keeps its picture";
    EXPECT_EQ(BareButtonKindOf(BS_AUTOCHECKBOX | BS_PUSHLIKE), TBareButtonKind::None);
}

TEST(ButtonFrames, DisabledPressedHotFocusedInThatOrder) {
    EXPECT_EQ(ButtonFaceFrame(true, false, false, false), bfNormal);
    EXPECT_EQ(ButtonFaceFrame(true, false, false, true), bfFocused);
    EXPECT_EQ(ButtonFaceFrame(true, false, true, true), bfHot);
    EXPECT_EQ(ButtonFaceFrame(true, true, true, true), bfPressed);
    EXPECT_EQ(ButtonFaceFrame(false, true, true, true), bfDisabled) << "a disabled default button shows frame 3";

    EXPECT_EQ(ClampNumGlyphs(0), 1) << "no division by zero for NumGlyphs 0";
    EXPECT_EQ(ClampNumGlyphs(-3), 1);
    EXPECT_EQ(ClampNumGlyphs(9), 4);
    EXPECT_EQ(GlyphFrameForFace(bfPressed, 4), 3);
    EXPECT_EQ(GlyphFrameForFace(bfDisabled, 4), 2);
    EXPECT_EQ(GlyphFrameForFace(bfHot, 4), 1);
    EXPECT_EQ(GlyphFrameForFace(bfPressed, 2), 1) << "a frame the strip lacks falls back to 1";
    EXPECT_EQ(GlyphFrameForFace(bfDisabled, 0), 1);
}

TEST(ButtonText, StateColoursOnlyWhereTheSkinGivesThem) {
    TDataSkinButton e;
    EXPECT_EQ(ButtonTextColour(clRed, e, bfHot, false), clRed);
    EXPECT_EQ(ButtonTextColour(clRed, e, bfDisabled, false), clBtnShadow);
    e.HasNormalColour2 = true;
    e.NormalColour2 = clGreen;
    e.HasPressedColour2 = true;
    e.PressedColour2 = clBlue;
    EXPECT_EQ(ButtonTextColour(clRed, e, bfHot, false), clGreen);
    EXPECT_EQ(ButtonTextColour(clRed, e, bfHot, true), clRed) << "glyph buttons: the normal colour in frame 1 only";
    EXPECT_EQ(ButtonTextColour(clRed, e, bfPressed, true), clBlue);

    EXPECT_EQ(ButtonCaptionLines(L"one||two"), L"one\r\ntwo");
    EXPECT_EQ(ButtonCaptionLines(L"a||b||c"), L"a\r\nb||c") << "only the first";
}

TEST(GlyphLayout, SpreadCentredAndFixedMargins) {
    TGlyphTextInput in;
    in.Client = SIZE{100, 30};
    in.Glyph = SIZE{16, 16};
    in.Text = SIZE{24, 12};
    in.Margin = -1;
    in.Spacing = -1;
    auto place = LayoutGlyphAndText(in);
    // (100 - 40) / 3 = 20 before the glyph, between glyph and text, after the text.
    EXPECT_EQ(place.Glyph.x, 20);
    EXPECT_EQ(place.Text.x, 56);
    EXPECT_EQ(100 - (place.Text.x + 24), 20);
    EXPECT_EQ(place.Glyph.y, 7);
    EXPECT_EQ(place.Text.y, 9);

    in.Layout = TGlyphLayout::Right;
    in.Margin = 4;
    in.Spacing = 2;
    place = LayoutGlyphAndText(in);
    EXPECT_EQ(place.Glyph.x, 100 - 4 - 16);
    EXPECT_EQ(place.Text.x, place.Glyph.x - 2 - 24);

    in.Layout = TGlyphLayout::Top;
    in.Margin = -1;
    in.Spacing = 4;
    in.Client = SIZE{60, 60};
    place = LayoutGlyphAndText(in);
    EXPECT_EQ(place.Glyph.y, (60 - (16 + 4 + 12)) / 2);
    EXPECT_EQ(place.Text.y, place.Glyph.y + 16 + 4);
    EXPECT_EQ(place.Glyph.x, 22);

    in.Text = SIZE{0, 0};
    in.Layout = TGlyphLayout::Left;
    in.Client = SIZE{40, 20};
    place = LayoutGlyphAndText(in);
    EXPECT_EQ(place.Glyph.x, 12) << "no caption: no spacing, the glyph centred";

    in.SpeedButton = true;
    place = LayoutGlyphAndText(in);
    EXPECT_EQ(place.Glyph.x, 13) << "speed buttons add 1 to a computed margin";
}

TEST(MenuButtonLayout, TheArrowStaysInsideTheButton) {
    for (int width : {40, 60, 75, 120, 300}) {
        for (auto [margin, spacing] : {std::pair{-1, -1}, std::pair{-1, 4}, std::pair{4, -1}, std::pair{2, 2}}) {
            const auto place = LayoutMenuButton(SIZE{width, 24}, SIZE{16, 16}, SIZE{30, 13}, margin, spacing);
            EXPECT_LE(place.Arrow.x + 3, width - 2) << width << " " << margin << " " << spacing;
            EXPECT_GE(place.Arrow.x - 3, 1);
            if (width >= 16 + 30 + MenuArrowBox + 8) {
                EXPECT_GE(place.Arrow.x - 3, place.Text.x + 30) << "the arrow follows the caption";
            }
        }
    }
    const auto spread = LayoutMenuButton(SIZE{100, 24}, SIZE{16, 16}, SIZE{30, 13}, -1, -1);
    EXPECT_EQ(spread.Glyph.x, 11);                  // (100 - 54) / 4
    EXPECT_EQ(spread.Text.x, 11 + 16 + 11);
}

TEST(GlyphStrips, FrameCountsAndOneTablePerLayout) {
    EXPECT_EQ(GlyphStripFrames(0, 52, 13), 4);
    EXPECT_EQ(GlyphStripFrames(0, 96, 16), 6);
    EXPECT_EQ(GlyphStripFrames(0, 40, 16), 4) << "never fewer than 4";
    EXPECT_EQ(GlyphStripFrames(0, 156, 13), 12);
    EXPECT_EQ(GlyphStripFrames(8, 52, 13), 8) << "a configured count stands";

    using L = TCheckLook;
    EXPECT_EQ(CheckBoxGlyphFrame(L::Unchecked, false, 4), 1);
    EXPECT_EQ(CheckBoxGlyphFrame(L::Checked, true, 4), 4);
    EXPECT_EQ(CheckBoxGlyphFrame(L::Unchecked, true, 4), 3);
    EXPECT_EQ(CheckBoxGlyphFrame(L::Grayed, false, 4), 4);
    EXPECT_EQ(CheckBoxGlyphFrame(L::Grayed, true, 4), 4) << "grayed and disabled stays inside a 4-frame strip";
    EXPECT_EQ(CheckBoxGlyphFrame(L::Checked, false, 12), 5);
    EXPECT_EQ(CheckBoxGlyphFrame(L::Unchecked, true, 12), 4);
    EXPECT_EQ(CheckBoxGlyphFrame(L::Checked, true, 12), 8);
    EXPECT_EQ(CheckBoxGlyphFrame(L::Grayed, true, 12), 8);
    EXPECT_EQ(CheckBoxGlyphFrame(L::Indeterminate, false, 12), 9);
    EXPECT_EQ(CheckBoxGlyphFrame(L::Indeterminate, true, 12), 12);
    EXPECT_EQ(CheckBoxGlyphFrame(L::Checked, true, 3), 3) << "clamped to a short strip";

    EXPECT_EQ(RadioGlyphFrame(true, false, 4), 2);
    EXPECT_EQ(RadioGlyphFrame(false, true, 4), 3);
    EXPECT_EQ(RadioGlyphFrame(true, false, 8), 5);
    EXPECT_EQ(RadioGlyphFrame(false, true, 8), 4);
    EXPECT_EQ(RadioGlyphFrame(true, true, 8), 8);
    EXPECT_EQ(RadioGlyphFrame(true, true, 6), 4) << "only 8 frames use the long table";
}

TEST(GlyphPlace, LeftTextPutsTheGlyphRightAndTheCaptionBeforeIt) {
    const RECT r{0, 0, 120, 21};
    auto place = PlaceGlyphAndCaption(r, SIZE{13, 13}, false, false, 0);
    EXPECT_EQ(place.Glyph.left, 0);
    EXPECT_EQ(place.Glyph.top, 4);
    EXPECT_EQ(place.Caption.left, 15);
    place = PlaceGlyphAndCaption(r, SIZE{13, 13}, true, false, 0);
    EXPECT_EQ(place.Glyph.right, 120);
    EXPECT_EQ(place.Caption.right, 120 - 13 - 2);
    EXPECT_EQ(place.Flags, 0u);
    place = PlaceGlyphAndCaption(r, SIZE{13, 13}, true, true, 1);
    EXPECT_EQ(place.Glyph.right, 119) << "radio buttons sit one pixel in";
    EXPECT_EQ(static_cast<UINT>(place.Flags), static_cast<UINT>(DT_RIGHT));
}

TEST(StatusPanels, BevelsAlignmentAndGrip) {
    EXPECT_EQ(StatusBevelFrame(L"pblowered"), 1);
    EXPECT_EQ(StatusBevelFrame(L"pbraised"), 2);
    EXPECT_EQ(StatusBevelFrame(L"pbnone"), 3);
    EXPECT_EQ(StatusBevelFrame(L""), 1);
    EXPECT_EQ(StatusAlignmentFlags(L"taleftjustify", false), static_cast<UINT>(DT_LEFT));
    EXPECT_EQ(StatusAlignmentFlags(L"taleftjustify", true), static_cast<UINT>(DT_RIGHT));
    EXPECT_EQ(StatusAlignmentFlags(L"tarightjustify", true), static_cast<UINT>(DT_LEFT));
    EXPECT_EQ(StatusAlignmentFlags(L"tacenter", true), static_cast<UINT>(DT_CENTER));
    const RECT grip = SizeGripRect(RECT{0, 0, 200, 20}, SIZE{10, 12});
    EXPECT_EQ(grip.right, 199);
    EXPECT_EQ(grip.bottom, 19);
    EXPECT_EQ(grip.left, 189);
    EXPECT_EQ(GroupFrameLineY(16), 7);
}

} // namespace
} // namespace orvo

// The element readers on small skins: which elements exist, the defaults and clamps of their
// keys, the image lookup rules, the caption buttons and the frame counts.
#include "tests/skin/data/skin_test_store.h"

#include <gmock/gmock.h>

namespace orvo::test {
namespace {

TEST(SkinReaders, ImageLookupTakesTheNamePartAndOnlyExactBmpNames) {
    TTestSkin skin(R"([ExtraImages]
Image=c:\skins\dir/Glyph.bmp
[MenuItem]
Image=Glyph.BMP
[Headerbar]
Image=missing.bmp
[Scrollbar]
Image=empty.bmp
[HorzScroll]
Image=broken.bmp
[VertScroll]
Image=
)");
    skin.Image("glyph.bmp", FrameStrip(10, 4)).Raw("empty.bmp", {}).Raw("broken.bmp", {'B', 'M', 1, 2, 3});
    auto data = Loaded(skin);

    ASSERT_TRUE(data->ExtraImages());
    EXPECT_EQ(data->ExtraImages()->Image.Width(), 10); // directory dropped, case ignored in the archive
    for (TDataSkinObject* e : {data->MenuItem(), data->Headerbar(), data->Scrollbar(), data->HorzScroll()}) {
        ASSERT_TRUE(e);
        EXPECT_TRUE(e->Image.Empty()) << Utf8Encode(e->Name);
    }
    EXPECT_FALSE(data->VertScroll()) << "an empty image key means no element";
    EXPECT_FALSE(data->NoSkin());
}

TEST(SkinReaders, GenericKeysDefaultsAndTileClamps) {
    TTestSkin skin(R"([StatusBarEdges]
Image=a.bmp
Rightwidth = 8
TopHeight=0x10
Trans=1
Tile=2
Style=3
NormalColour=255
MouseOverColour=zz
NormalColour2=1 2 3
[ToolBars]
Image=a.bmp
Tile=1
[Progress]
Bitmap=a.bmp
Tile=2
Style=0
[Personality]
menuBar=a.bmp
TileMenu=5
[Colours]
ButtonText=9 8 7
)");
    skin.Image("a.bmp", FrameStrip(30, 5));
    auto data = Loaded(skin);

    TDataSkinObject& bar = *data->StatusBarEdges();
    EXPECT_EQ(bar.Name, L"StatusBarEdges");
    EXPECT_EQ(bar.RightWidth, 8);
    EXPECT_EQ(bar.TopHeight, 16);
    EXPECT_EQ(bar.LeftWidth, 0);
    EXPECT_EQ(bar.Trans, 1);
    EXPECT_EQ(bar.Tile, 0) << "Tile above 1 becomes 0 on a generic element";
    EXPECT_EQ(bar.Style, 3);
    EXPECT_EQ(bar.NormalColour, 255);
    EXPECT_EQ(bar.MouseOverColour, -1) << "a malformed number gives the default";
    EXPECT_EQ(bar.PressedColour, -1);
    EXPECT_EQ(bar.NormalColour2, 0x030201);
    EXPECT_EQ(bar.PressedColour2, 0x070809) << "colour texts default to ButtonText";
    EXPECT_EQ(data->ToolBars()->Tile, 1);

    EXPECT_EQ(data->Progress()->Tile, 1) << "Tile above 1 becomes 1 on Progress";
    EXPECT_EQ(data->Progress()->Frame, 2) << "Style 0: two frames";
    EXPECT_EQ(data->MenuBar()->Name, L"Personality");
    EXPECT_EQ(data->MenuBar()->Tile, 1);
    EXPECT_EQ(data->MenuBar()->LeftWidth, 1);
    EXPECT_EQ(data->MenuBar()->RightWidth, 1);
    EXPECT_EQ(data->MenuBar()->Frame, 2);
}

TEST(SkinReaders, FixedDefinitionsBordersTitleAndButtons) {
    TTestSkin skin(R"([Personality]
Left=side.bmp
LeftTopHeight=29
LeftBotHeight=5
Top=side.bmp
TopTopHeight=32
TopBotHeight=39
TopFrame=2
TopStretch=7
TopTrans=0
TextShift=16
TextShiftVert=2
TextRightClip=20
ActiveTextR=300
ActiveTextG=1
ActiveTextB=2
InActiveTextR=1
InActiveTextB=2
[Fonts]
FontHeight=17
[Buttons]
Bitmap=b.bmp
Rightwidth=8
Tile=3
HasPressedColour2=x
NormalColour2=
MouseOverColour2=1 1 1
)");
    skin.Image("side.bmp", FrameStrip(8, 40, 2)).Image("b.bmp", FrameStrip(90, 21, 5));
    auto data = Loaded(skin);

    EXPECT_EQ(data->Left().TopHeight, 29);
    EXPECT_EQ(data->Left().BottomHeight, 5);
    EXPECT_EQ(data->Left().LeftWidth, 0);
    EXPECT_EQ(data->Left().Frame, 1) << "LeftFrame defaults to 1";
    EXPECT_EQ(data->Left().Tile, 1);
    EXPECT_EQ(data->Left().Trans, 1);
    EXPECT_EQ(data->Top().LeftWidth, 32) << "top and bottom keep their heights in the widths";
    EXPECT_EQ(data->Top().RightWidth, 39);
    EXPECT_EQ(data->Top().TopHeight, 0);
    EXPECT_EQ(data->Top().Frame, 2);
    EXPECT_EQ(data->Top().Tile, 1) << "Stretch above 1 becomes 1";
    EXPECT_EQ(data->Top().Trans, 0);
    EXPECT_TRUE(data->Right().Image.Empty());

    const TDataSkinTitle& title = data->Title();
    EXPECT_EQ(title.LeftWidth, 16);
    EXPECT_EQ(title.TopHeight, 2);
    EXPECT_EQ(title.RightWidth, 20);
    EXPECT_EQ(title.FontHeight, 17);
    EXPECT_EQ(title.Frame, 2);
    EXPECT_EQ(title.ActiveTextColour, 300 % 256 + 256 * 1 + 65536 * 2);
    EXPECT_EQ(title.InActiveTextColour, clNone) << "a missing part leaves the colour unset";

    const TDataSkinButton& buttons = data->Buttons();
    EXPECT_EQ(buttons.Frame, 5);
    EXPECT_EQ(buttons.RightWidth, 8);
    EXPECT_EQ(buttons.Tile, 0);
    EXPECT_FALSE(buttons.HasNormalColour2) << "an empty value is not a given colour";
    EXPECT_TRUE(buttons.HasMouseOverColour2);
    EXPECT_FALSE(buttons.HasPressedColour2);
    EXPECT_EQ(buttons.MouseOverColour2, 0x010101);
}

TEST(SkinReaders, CheckAndRadioFrameCountsFromTheirShape) {
    TTestSkin skin(R"([Buttons]
CheckButton=check.bmp
RadioButton=radio.bmp
)");
    skin.Image("check.bmp", FrameStrip(52, 13)).Image("radio.bmp", FrameStrip(96, 16));
    auto data = Loaded(skin);
    EXPECT_EQ(data->Buttons().CheckButtonFrame, 4);
    EXPECT_EQ(data->Buttons().RadioButtonFrame, 6);

    TTestSkin small(R"([Buttons]
CheckButton=check.bmp
RadioButtonFrame=3
)");
    small.Image("check.bmp", FrameStrip(26, 13));
    auto smallData = Loaded(small);
    EXPECT_EQ(smallData->Buttons().CheckButtonFrame, 4) << "never fewer than 4";
    EXPECT_EQ(smallData->Buttons().RadioButtonFrame, 3) << "a given count is kept";
}

TEST(SkinReaders, FrameCountTableAndTabPaneMargins) {
    std::string ini;
    for (const char* section :
         {"Tabs", "ComboButton", "UpDown.Horz", "Scrollbar", "Headerbar", "MenuItem", "Trackbar.ThumbUp",
          "StatusBarEdges", "Tab.Pane", "HorzScrollThumb", "VertScrollThumb", "Track", "Progress.Chunk"})
        ini += std::string("[") + section + "]\nImage=a.bmp\nFrame=9\n";
    ini += "[Tab.Pane]\nLeftWidth=10\nTopHeight=3\n"; // a repeated section is invisible
    ini += "[HorzScrollThumb]\nFrameCount=7\n";
    TTestSkin skin(ini);
    skin.Image("a.bmp", FrameStrip(40, 10));
    auto data = Loaded(skin);
    EXPECT_EQ(data->Tabs()->Frame, 5);
    EXPECT_EQ(data->ComboButton()->Frame, 4);
    EXPECT_EQ(data->UpDownHorz()->Frame, 8);
    EXPECT_EQ(data->Scrollbar()->Frame, 23);
    EXPECT_EQ(data->Headerbar()->Frame, 9) << "a given Headerbar count is kept";
    EXPECT_EQ(data->MenuItem()->Frame, 5);
    EXPECT_EQ(data->Element(TSkinElement::TrackbarThumbUp)->Frame, 5);
    EXPECT_EQ(data->StatusBarEdges()->Frame, 3);
    EXPECT_EQ(data->TabPane()->Frame, 1);
    EXPECT_EQ(data->HorzScrollThumb()->Frame, 3) << "FrameCount of the first [HorzScrollThumb] only";
    EXPECT_EQ(data->VertScrollThumb()->Frame, 3);
    EXPECT_EQ(data->Track()->Frame, 9);
    EXPECT_EQ(data->ProgressChunk()->Frame, 9);

    TTestSkin pane("[Tab.Pane]\nImage=a.bmp\nLeftWidth=10\nTopHeight=3\nRightWidth=4\nBottomHeight=5\n["
                   "Headerbar]\nImage=a.bmp\n");
    pane.Image("a.bmp", FrameStrip(40, 10));
    auto paneData = Loaded(pane);
    EXPECT_EQ(paneData->TabPane()->LeftWidth, 4);
    EXPECT_EQ(paneData->TabPane()->TopHeight, 3);
    EXPECT_EQ(paneData->TabPane()->RightWidth, 4);
    EXPECT_EQ(paneData->TabPane()->BottomHeight, 4);
    EXPECT_EQ(paneData->Headerbar()->Frame, 5) << "Headerbar without a count gets 5";
}

TEST(SkinReaders, HostileNumbersLeaveUsableFrameCounts) {
    TTestSkin skin(R"([Personality]
Top=a.bmp
TopFrame=0
Left=a.bmp
LeftFrame=-5
[Track]
Image=a.bmp
Frame=0
[HorzScrollThumb]
Image=a.bmp
FrameCount=-2
[Button0]
ButtonImage=a.bmp
frame=-3
[Buttons]
CheckButtonFrame=-1
)");
    skin.Image("a.bmp", FrameStrip(40, 10));
    auto data = Loaded(skin);
    EXPECT_EQ(data->Top().Frame, 1);
    EXPECT_EQ(data->Left().Frame, 1);
    EXPECT_EQ(data->Track()->Frame, 1);
    EXPECT_EQ(data->HorzScrollThumb()->Frame, 1);
    EXPECT_EQ(data->SysButtons()[0]->Frame, 1);
    EXPECT_EQ(data->Buttons().CheckButtonFrame, 1);
}

std::vector<std::wstring> ButtonNames(const TSkinData& data) {
    std::vector<std::wstring> names;
    for (const auto& b : data.SysButtons())
        names.push_back(b->Name);
    return names;
}

TEST(SkinReaders, CaptionButtonSectionsKeptAndDropped) {
    TTestSkin skin(R"([Button]
Action=0
[Buttons]
[Button.Radio]
[button.checkbox]
[ButtonA]
Action=-1
[ButtonB]
Action=-1
Visibility=0
[buttonc]
Action=2
[Button0]
Action=-1
Visibility=3
)");
    auto data = Loaded(skin);
    using ::testing::ElementsAre;
    EXPECT_THAT(ButtonNames(*data),
                ElementsAre(L"BUTTONB", L"BUTTONC", L"MDIMINIMIZE", L"MDIRESTORE", L"MDICLOSE"));
    const TDataSkinSysButton& b = *data->SysButtons()[0];
    EXPECT_EQ(b.Visibility1, -1) << "Visibility1 defaults to -1 for Action -1";
    EXPECT_EQ(b.CombineOp, -1);
    EXPECT_EQ(data->SysButtons()[1]->Visibility1, 0);
}

TEST(SkinReaders, CaptionButtonFramesPositionsAndIconButtons) {
    TTestSkin skin(R"([Button0]
ButtonImage=narrow.bmp
Action=0
[Button1]
ButtonImage=wide.bmp
Action=1
Visibility=2
XCoord=49
YCoord=5
[Button2]
ButtonImage=narrow.bmp
Action=-2
Visibility=0
[Button3]
ButtonImage=narrow.bmp
Action=3
[Button4]
ButtonImage=narrow.bmp
Action=11
frame=2
[Button5]
ButtonImage=narrow.bmp
Action=4
XCoord=1
[Button6]
Action=0
)");
    skin.Image("narrow.bmp", FrameStrip(57, 19)).Image("wide.bmp", FrameStrip(114, 19));
    auto data = Loaded(skin);
    const auto& b = data->SysButtons();
    ASSERT_EQ(b.size(), 7u + 3u);
    EXPECT_EQ(b[0]->Frame, 3) << "57 x 19: ratio 3.0";
    EXPECT_EQ(b[1]->Frame, 6) << "114 x 19: ratio 6.0";
    EXPECT_EQ(b[2]->Frame, 6) << "a negative action gets 6";
    EXPECT_TRUE(b[3]->Image.Empty()) << "an icon button without a frame key loses its image";
    EXPECT_EQ(b[3]->Frame, 3);
    EXPECT_FALSE(b[4]->Image.Empty()) << "with a frame key the image stays";
    EXPECT_EQ(b[4]->Frame, 2);
    EXPECT_EQ(b[5]->XCoord, 49) << "Action 4 takes the maximise button's place";
    EXPECT_EQ(b[5]->YCoord, 5);
    EXPECT_EQ(b[6]->Frame, 6) << "no image: 6";
}

TEST(SkinReaders, HelpButtonWithoutAMaximiseButtonSitsAtTheOrigin) {
    TTestSkin skin("[Button0]\nAction=4\nXCoord=7\nYCoord=8\n[Button1]\nAction=1\nVisibility=2\nXCoord=49\n");
    auto data = Loaded(skin);
    EXPECT_EQ(data->SysButtons()[0]->XCoord, 0);
    EXPECT_EQ(data->SysButtons()[0]->YCoord, 0);
}

TEST(SkinReaders, ManyCaptionButtonSectionsAreCapped) {
    std::string ini;
    for (int i = 0; i < 5000; ++i)
        ini += "[Button" + std::to_string(i) + "]\nButtonImage=a.bmp\n";
    TTestSkin skin(ini);
    skin.Image("a.bmp", FrameStrip(6, 2));
    auto data = Loaded(skin);
    EXPECT_LE(data->SysButtons().size(), 64u + 3u);
}

TEST(SkinColours, TextsDefaultsSectionAndCustomColours) {
    TTestSkin skin(R"([Colours]
ButtonFace=227 224 213
Hilight=255,0
MenuText=12
Menu=
WindowText=1 2 3 4
[Colour1]
color=10 20 30
[COLOURS]
[colourTwo]
[Customcolors]
Color0=1 1 1
Color9=0 0 255
)");
    auto data = Loaded(skin);
    const TSkinColours& c = data->Colours();
    EXPECT_EQ(c[scButtonFace], 0xD5E0E3);
    EXPECT_TRUE(c.Given[scButtonFace]);
    EXPECT_EQ(c[scHilight], 0x0000FF) << "the last number counts only as the third";
    EXPECT_EQ(c[scMenuText], 0) << "one number alone is black";
    EXPECT_EQ(c[scWindowText], 0x030201);
    EXPECT_EQ(c[scMenubar], 0xD5E0E3) << "Menubar defaults to ButtonFace";
    EXPECT_FALSE(c.Given[scMenubar]);
    EXPECT_EQ(c[scMenu], clMenu);
    EXPECT_FALSE(c.Given[scMenu]);
    EXPECT_EQ(c[scScrollbar], clScrollBar);
    EXPECT_EQ(c[scButtonText], clBtnText);
    EXPECT_EQ(c[scButtonlight], clBtnHighlight);
    EXPECT_EQ(c[scButtonDkShadow], cl3DDkShadow);
    EXPECT_EQ(c[scTitleTextNoActive], clInactiveCaptionText);
    EXPECT_EQ(c.SectionColours, (std::vector<TColor>{0x1E140A, clWindowText}));
    EXPECT_EQ(c.CustomColours[0], 0x010101);
    EXPECT_EQ(c.CustomColours[1], clWhite);
    EXPECT_EQ(c.CustomColours[9], 0xFF0000);
}

TEST(SkinColours, DefaultsWithoutAnyColourAndTheBrush) {
    auto data = Loaded(TTestSkin("[TitlebarSkin]\nSkinName=Bare\n"));
    EXPECT_EQ(data->SkinName(), L"Bare");
    EXPECT_EQ(data->Colour(scButtonFace), clBtnFace);
    EXPECT_EQ(data->Colour(scMenubar), clBtnFace);
    EXPECT_EQ(data->Colour(scTitleTextActive), clCaptionText);
    EXPECT_EQ(data->Colour(scHilightText), clHighlightText);
    LOGBRUSH brush{};
    ASSERT_TRUE(GetObjectW(data->ButtonFaceBrush(), sizeof brush, &brush));
    EXPECT_EQ(brush.lbColor, ColorToColorRef(clBtnFace));
}

} // namespace
} // namespace orvo::test

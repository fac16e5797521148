// Our other skins, "Orvo Jade" and "Orvo Night" (skins/jade, skins/night, drawn and packed at build
// time into jade.skn and night.skn), loaded through TSkinData as the program loads a skin file:
// every element they promise is there with the frame counts and margins the drawing code will use,
// including the derived combo pictures, the caption buttons (help, and the system-menu button)
// and the MDI buttons; Night's colours are dark throughout.
#include "framework/base/streams.h"
#include "framework/base/sysutils.h"
#include "skin/data/skin_data.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace orvo::test {
namespace {

using ::testing::ElementsAre;

std::vector<std::uint8_t> Store(const char* path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// The store as the skin component's stored data: its length, then its bytes.
void LoadStored(TSkinData& data, const std::vector<std::uint8_t>& store) {
    TMemoryStream framed;
    const auto size = static_cast<std::int32_t>(store.size());
    framed.WriteBuffer(&size, 4);
    framed.WriteBuffer(store.data(), size);
    framed.SetPosition(0);
    data.ReadSkinStream(framed);
}

int FrameWidth(const TDataSkinObject& e) { return e.Image.Width() / e.Frame; }

class StoreSkin {
protected:
    void Load(const char* path) {
        const std::vector<std::uint8_t> store = Store(path);
        ASSERT_GT(store.size(), 1000u) << path;
        LoadStored(Data, store);
        ASSERT_FALSE(Data.NoSkin()) << Utf8Encode(Data.LoadError());
    }
    TSkinData Data{nullptr};
};

class JadeSkin : public ::testing::Test, protected StoreSkin {
protected:
    void SetUp() override { Load(ORVO_JADE_SKIN_STORE); }
};

class NightSkin : public ::testing::Test, protected StoreSkin {
protected:
    void SetUp() override { Load(ORVO_NIGHT_SKIN_STORE); }
};

// Both skins have every element the engine draws, at the same sizes.
class OwnSkin : public ::testing::TestWithParam<const char*>, protected StoreSkin {
protected:
    void SetUp() override { Load(GetParam()); }
};

TEST_F(JadeSkin, FrameTitleAndColours) {
    EXPECT_EQ(Data.SkinName(), L"Orvo Jade");
    // Borders other than the default skin's (4, 29, 4, 5), shaped through magenta.
    EXPECT_EQ(FrameWidth(Data.Left()), 5);
    EXPECT_EQ(FrameWidth(Data.Right()), 5);
    EXPECT_EQ(Data.Top().Image.Height() / Data.Top().Frame, 30);
    EXPECT_EQ(Data.Bottom().Image.Height() / Data.Bottom().Frame, 6);
    for (const TDataSkinBorder* side : {&Data.Left(), &Data.Right(), &Data.Top(), &Data.Bottom()}) {
        EXPECT_EQ(side->Frame, 2) << Utf8Encode(side->Name);
        EXPECT_EQ(side->Trans, 1) << Utf8Encode(side->Name);
    }
    // All four outer corners are cut (the bottom ones lie in the side pieces), so the engine
    // shapes the window's region.
    const int h = Data.Left().Image.Height() - 1;
    const int right = FrameWidth(Data.Right()) - 1;
    for (TColor c : {Data.Left().Image.PixelColor(0, 0), Data.Left().Image.PixelColor(0, h),
                     Data.Right().Image.PixelColor(right, 0), Data.Right().Image.PixelColor(right, h),
                     Data.Top().Image.PixelColor(0, 0)})
        EXPECT_EQ(c, 0xFF00FF);
    EXPECT_NE(Data.Left().Image.PixelColor(0, h / 2), 0xFF00FF) << "the sides are cut only at the corners";
    EXPECT_EQ(Data.Left().TopHeight, 30);
    EXPECT_EQ(Data.Left().BottomHeight, 6);
    EXPECT_EQ(Data.Top().LeftWidth, 12);
    EXPECT_EQ(Data.Top().RightWidth, 12);

    const TDataSkinTitle& title = Data.Title();
    EXPECT_EQ(title.Frame, 2);
    EXPECT_EQ(title.Image.Width(), 40) << "the caption text's background";
    EXPECT_EQ(title.Image.Height(), 2 * 30);
    EXPECT_EQ(title.TextAlignment, 1);
    EXPECT_EQ(title.Textbackground, 1);
    EXPECT_EQ(title.TXTBackleft, 10);
    EXPECT_EQ(title.TXTBackRight, 10);
    EXPECT_EQ(title.RightWidth, 80) << "TextRightClip";
    EXPECT_EQ(title.FontHeight, 14);
    EXPECT_EQ(title.ActiveTextColour, 0xFFFFFF);
    EXPECT_EQ(title.InActiveTextColour, 0xEEF0E8);

    ASSERT_TRUE(Data.MenuBar());
    EXPECT_EQ(Data.MenuBar()->Name, L"Personality");
    EXPECT_EQ(Data.MenuBar()->Frame, 2);
    EXPECT_EQ(Data.MenuBar()->Image.Height(), 40);
    EXPECT_EQ(Data.MenuBar()->LeftWidth, 4);
    EXPECT_EQ(Data.MenuBar()->RightWidth, 4);
    EXPECT_EQ(Data.MenuBar()->Tile, 1);

    EXPECT_EQ(Data.Colour(scButtonFace), 0xEAECE5);
    EXPECT_EQ(Data.Colour(scHilight), 0x627014);
    EXPECT_EQ(Data.Colour(scTitleTextNoActive), 0xEEF0E8);
    for (TSkinColourIndex c : {scWindowText, scButtonFace, scButtonText, scHilight, scHilightText, scMenubar,
                          scMenuBarText, scMenu, scMenuText, scScrollbar})
        EXPECT_TRUE(Data.Colours().Given[c]) << c;
}

TEST_F(JadeSkin, CaptionAndMdiButtons) {
    std::vector<int> actions;
    for (const auto& b : Data.SysButtons())
        actions.push_back(b->Action);
    EXPECT_THAT(actions, ElementsAre(0, 1, 2, 1, 4, 3, 7, 8, 9));
    const auto& buttons = Data.SysButtons();
    for (int i : {0, 1, 2, 3, 4}) {
        EXPECT_EQ(buttons[i]->Frame, 6) << i;
        EXPECT_EQ(buttons[i]->Image.Width(), 120) << i;
        EXPECT_EQ(buttons[i]->Align, 1) << i;
        EXPECT_EQ(buttons[i]->YCoord, 5) << i;
    }
    const TDataSkinSysButton& help = *buttons[4];
    EXPECT_EQ(help.Visibility, 10) << "shown with a help box and neither minimise nor maximise box";
    EXPECT_EQ(help.XCoord, buttons[1]->XCoord) << "in the maximise button's place";
    const TDataSkinSysButton& icon = *buttons[5];
    EXPECT_EQ(icon.Align, 2) << "left of the caption text";
    EXPECT_EQ(icon.XCoord, 4);
    EXPECT_EQ(icon.Frame, 1);
    EXPECT_EQ(icon.Image.Width(), 16) << "its frame key keeps the image that sizes the icon";
    for (int i : {6, 7, 8}) {
        const TDataSkinSysButton& mdi = *buttons[i];
        EXPECT_EQ(mdi.Frame, 4) << i;
        EXPECT_EQ(mdi.Image.Width(), 4 * 16) << i;
        EXPECT_EQ(mdi.Image.Height(), 14) << i;
        EXPECT_EQ(mdi.XCoord, 20 * (9 - i)) << i;
        EXPECT_EQ(mdi.Visibility, 100) << i;
    }
}

TEST_P(OwnSkin, ControlElements) {
    const TDataSkinButton& b = Data.Buttons();
    EXPECT_EQ(b.Frame, 5);
    EXPECT_EQ(b.CheckButtonFrame, 12);
    EXPECT_EQ(b.RadioButtonFrame, 8);
    EXPECT_EQ(b.CheckImage.Width(), 12 * 13);
    EXPECT_EQ(b.RadioImage.Width(), 8 * 13);

    struct TWant {
        TDataSkinObject* Element;
        int Frame;
        int Width;
    };
    for (const TWant& w : std::initializer_list<TWant>{
             {Data.Progress(), 2, 24},          {Data.ProgressChunk(), 1, 10},
             {Data.Tabs(), 5, 90},              {Data.TabPane(), 1, 24},
             {Data.StatusBarEdges(), 3, 204},   {Data.Headerbar(), 5, 70},
             {Data.GroupBoxEdge(), 2, 48},      {Data.GroupBox(), 1, 40},
             {Data.ExtraImages(), 5, 60},       {Data.MenuItem(), 5, 120},
             {Data.MenuBackground(), 1, 20},    {Data.Scrollbar(), 23, 391},
             {Data.HorzScroll(), 4, 136},       {Data.VertScroll(), 4, 68},
             {Data.HorzScrollThumb(), 3, 66},   {Data.VertScrollThumb(), 3, 45},
             {Data.UpDownHorz(), 8, 88},        {Data.UpDownVert(), 8, 128},
             {Data.Track(), 1, 40},             {Data.TrackVert(), 1, 4},
             {Data.Element(TSkinElement::TrackbarThumbHorz), 5, 55},
             {Data.Element(TSkinElement::TrackbarThumbVert), 5, 105},
             {Data.Element(TSkinElement::TrackbarThumbLeft), 5, 105},
             {Data.Element(TSkinElement::TrackbarThumbRight), 5, 105},
             {Data.Element(TSkinElement::TrackbarThumbUp), 5, 55},
             {Data.Element(TSkinElement::TrackbarThumbDown), 5, 55}}) {
        ASSERT_TRUE(w.Element) << w.Width;
        EXPECT_EQ(w.Element->Frame, w.Frame) << Utf8Encode(w.Element->Name);
        EXPECT_EQ(w.Element->Image.Width(), w.Width) << Utf8Encode(w.Element->Name);
    }
    EXPECT_FALSE(Data.ToolBars());
    EXPECT_EQ(Data.Progress()->Style, 0) << "a trough and a fill";
    EXPECT_EQ(Data.Tabs()->Style, 1) << "the page from Tab.Pane";
    EXPECT_EQ(Data.TabPane()->LeftWidth, 4);
    EXPECT_EQ(Data.MenuItem()->LeftWidth, 4);
    EXPECT_EQ(Data.MenuItem()->BottomHeight, 5);
    EXPECT_EQ(Data.MenuItem()->Trans, 1);
    EXPECT_EQ(Data.GroupBox()->BackgroundLeftShift, 4);
    EXPECT_EQ(Data.UpDownHorz()->Image2.Width(), 32) << "GlyphImage";
    EXPECT_EQ(Data.UpDownVert()->Image2.Width(), 56) << "GlyphImage";
    EXPECT_EQ(Data.Track()->LeftWidth, 3) << "the skin's own channel, not the program's";
    EXPECT_EQ(Data.TrackVert()->TopHeight, 3);
}

TEST_P(OwnSkin, CombinedComboPictures) {
    // With a sunken edge the loader builds the combo picture: 50-pixel frames, the button in the
    // rightmost scroll-arrow width + 2 pixels; the edge becomes its mirror, button at the left.
    const int bw = GetSystemMetrics(SM_CXHSCROLL) + 2;
    ASSERT_TRUE(Data.ComboButton());
    ASSERT_TRUE(Data.SunkEdge());
    const TDataSkinBorder& combo = *Data.ComboButton();
    EXPECT_EQ(combo.Style, 2);
    EXPECT_EQ(combo.Frame, 4);
    EXPECT_EQ(combo.Image.Width(), 4 * 50);
    EXPECT_EQ(combo.Image.Height(), 21);
    EXPECT_EQ(combo.LeftWidth, 2);
    EXPECT_EQ(combo.RightWidth, bw + 2);
    EXPECT_EQ(combo.Image.PixelColor(10, 10), 0xFF00FF) << "the text area stays transparent";
    EXPECT_NE(combo.Image.PixelColor(50 - bw / 2, 10), 0xFF00FF) << "the arrow on the button";
    EXPECT_EQ(Data.SunkEdge()->LeftWidth, bw + 2);
    EXPECT_EQ(Data.SunkEdge()->RightWidth, 2);
    EXPECT_EQ(Data.SunkEdge()->Image.PixelColor(4 * 50 - 11, 10), 0xFF00FF);
    ASSERT_TRUE(Data.ComboxArrow());
    EXPECT_EQ(Data.ComboxArrow()->Frame, 4);
    EXPECT_EQ(Data.ComboxArrow()->Image.Width(), 4 * 17);
}

INSTANTIATE_TEST_SUITE_P(Stores, OwnSkin, ::testing::Values(ORVO_JADE_SKIN_STORE, ORVO_NIGHT_SKIN_STORE));

TEST_F(NightSkin, FrameCaptionAndDarkColours) {
    EXPECT_EQ(Data.SkinName(), L"Orvo Night");
    EXPECT_EQ(FrameWidth(Data.Left()), 4);
    EXPECT_EQ(Data.Top().Image.Height() / Data.Top().Frame, 32);
    EXPECT_EQ(Data.Bottom().Image.Height() / Data.Bottom().Frame, 4);
    // All four corners cut round; the bottom ones lie in the side pieces' fixed rows.
    const int h = Data.Left().Image.Height() - 1;
    EXPECT_EQ(Data.Left().Image.PixelColor(0, 0), 0xFF00FF);
    EXPECT_EQ(Data.Left().Image.PixelColor(0, h), 0xFF00FF);
    EXPECT_GE(Data.Left().BottomHeight, 8);
    EXPECT_EQ(Data.Title().Textbackground, 1) << "the caption text on its chip";
    EXPECT_EQ(Data.Title().Image.Height(), 2 * 32);

    std::vector<int> actions;
    for (const auto& b : Data.SysButtons()) actions.push_back(b->Action);
    EXPECT_THAT(actions, ElementsAre(0, 1, 2, 1, 4, 3, 7, 8, 9));
    for (int i : {0, 1, 2, 3, 4}) {
        EXPECT_EQ(Data.SysButtons()[i]->Frame, 6) << i;
        EXPECT_EQ(Data.SysButtons()[i]->Image.Height(), 24) << i;
    }
    EXPECT_EQ(Data.SysButtons()[5]->Align, 0) << "the system-menu button at the left";

    // Dark backgrounds, light texts: the luminance of every colour the engine paints with.
    const auto light = [&](TSkinColourIndex c) {
        const TColor v = Data.Colour(c);
        return (0.30 * (v & 0xFF) + 0.59 * ((v >> 8) & 0xFF) + 0.11 * ((v >> 16) & 0xFF)) / 255;
    };
    for (TSkinColourIndex c : {scButtonFace, scMenu, scMenubar, scScrollbar, scHilight}) {
        EXPECT_TRUE(Data.Colours().Given[c]) << c;
        EXPECT_LT(light(c), 0.45) << c;
    }
    for (TSkinColourIndex c : {scWindowText, scButtonText, scMenuText, scMenuBarText, scTitleTextActive, scHilightText})
        EXPECT_GT(light(c), 0.8) << c;
    EXPECT_TRUE(Data.Buttons().HasNormalColour2) << "light text on the dark button faces";
}

TEST_F(JadeSkin, SkinFileSwitchesBetweenBothSkins) {
    // The same component takes the default skin back and then Jade again from a file.
    const auto path = std::filesystem::temp_directory_path() / "orvo_jade_test.skn";
    std::filesystem::copy_file(ORVO_JADE_SKIN_STORE, path, std::filesystem::copy_options::overwrite_existing);
    std::ifstream file(ORVO_DEFAULT_SKIN_STORE, std::ios::binary);
    LoadStored(Data, {std::istreambuf_iterator<char>(file), {}});
    EXPECT_EQ(Data.SkinName(), L"Orvo Slate");
    EXPECT_FALSE(Data.MenuBar());
    EXPECT_EQ(Data.SysButtons().size(), 5u + 3u);

    Data.SetSkinFile(path.wstring());
    EXPECT_FALSE(Data.NoSkin());
    EXPECT_EQ(Data.SkinName(), L"Orvo Jade");
    EXPECT_TRUE(Data.MenuBar());
    EXPECT_EQ(Data.SysButtons().size(), 6u + 3u);
    EXPECT_EQ(Data.Title().Image.Width(), 40);
    std::filesystem::remove(path);
}

} // namespace
} // namespace orvo::test

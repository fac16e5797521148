// The default skin store this build packed from skins/default.
#include "core/skinfile/bmp.h"
#include "core/skinfile/colour_text.h"
#include "core/skinfile/quick_ini.h"
#include "core/skinfile/skin_archive.h"
#include "core/skinfile/skin_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace orvo {
namespace {

struct TExpectedBitmap {
    const char* Name;
    int Width, Height;
};

// In archive order; the INI follows as the last entry.
constexpr TExpectedBitmap Bitmaps[] = {
    {"Buttons.bmp", 90, 21},         {"CheckBox.bmp", 52, 13},        {"RadioButton.bmp", 52, 13},
    {"Progress.bmp", 9, 19},         {"ProgressChunk.bmp", 10, 12},   {"Tab.bmp", 90, 18},
    {"TabBorder.bmp", 48, 48},       {"ComboboxBtn.bmp", 60, 16},     {"StatusBar.bmp", 204, 15},
    {"Header.bmp", 72, 18},          {"ScrollbarArrow.bmp", 391, 17}, {"ScrollbarHThumb.bmp", 66, 15},
    {"ScrollbarVThumb.bmp", 45, 22}, {"ScrollbarHBar.bmp", 136, 17},  {"ScrollbarVBar.bmp", 68, 34},
    {"MenuBackground.bmp", 20, 20},  {"CloseButton.bmp", 126, 21},    {"MaxButton.bmp", 126, 21},
    {"MinButton.bmp", 126, 21},      {"RestroreButton.bmp", 126, 21}, {"FrameLeft.bmp", 8, 250},
    {"FrameRight.bmp", 8, 250},      {"FrameTop.bmp", 292, 58},       {"FrameBottom.bmp", 292, 10},
    {"MDIControls.bmp", 192, 14},
};

struct TExpectedValue {
    const char *Section, *Key, *Value;
};

constexpr TExpectedValue Values[] = {
    {"Buttons", "Bitmap", "Buttons.bmp"},
    {"Buttons", "TopHeight", "9"},
    {"Buttons", "BottomHeight", "9"},
    {"Buttons", "LeftWidth", "8"},
    {"Buttons", "RightWidth", "8"},
    {"Buttons", "Trans", "0"},
    {"Buttons", "CheckButton", "Checkbox.bmp"},
    {"Buttons", "RadioButton", "RadioButton.bmp"},
    {"Progress", "Bitmap", "Progress.bmp"},
    {"Progress", "Chunk", "ProgressChunk.bmp"},
    {"Progress", "TopHeight", "3"},
    {"Progress", "LeftWidth", "4"},
    {"Progress", "Tile", "1"},
    {"Progress", "Style", "1"},
    {"Tabs", "Image", "Tab.bmp"},
    {"Tabs", "Border", "TabBorder.bmp"},
    {"Tabs", "TopHeight", "6"},
    {"Tabs", "Tile", "0"},
    {"ComboButton", "Image", "ComboboxBtn.bmp"},
    {"ComboButton", "Style", "1"},
    {"StatusBarEdges", "Image", "StatusBar.bmp"},
    {"StatusBarEdges", "BottomHeight", "9"},
    {"StatusBarEdges", "LeftWidth", "50"},
    {"StatusBarEdges", "RightWidth", "17"},
    {"Headerbar", "Image", "Header.bmp"},
    {"Headerbar", "BottomHeight", "4"},
    {"Headerbar", "Trans", "1"},
    {"Scrollbar", "Image", "ScrollbarArrow.bmp"},
    {"HorzScrollThumb", "Image", "ScrollbarHThumb.bmp"},
    {"VertScrollThumb", "RightWidth", "5"},
    {"HorzScroll", "TopHeight", "1"},
    {"HorzScroll", "LeftWidth", "0"},
    {"VertScroll", "Image", "ScrollbarVBar.bmp"},
    {"VertScroll", "LeftWidth", "1"},
    {"MenuBackground", "BottomHeight", "1"},
    {"Button0", "ButtonImage", "CloseButton.bmp"},
    {"Button1", "XCoord", "49"},
    {"Button1", "Visibility1", "6"},
    {"Button2", "Visibility", "8"},
    {"Button3", "ButtonImage", "RestroreButton.bmp"},
    {"Button3", "Visibility", "1"},
    {"Button4", "Action", "3"},
    {"Button4", "YCoord", "7"},
    {"Personality", "Top", "FrameTop.bmp"},
    {"Personality", "BottomFrame", "2"},
    {"Personality", "LeftStretch", "1"},
    {"Personality", "RightTrans", "1"},
    {"Personality", "RightTopHeight", "29"},
    {"Personality", "LeftBotHeight", "5"},
    {"Personality", "TopTopHeight", "32"},
    {"Personality", "BottomBotHeight", "39"},
    {"Personality", "TextShift", "16"},
    {"Personality", "TextShiftVert", "2"},
    {"Personality", "TextRightClip", "20"},
    {"Colours", "Hilight", "37 61 95"},
    {"Colours", "ButtonDkShadow", "103 101 90"},
    {"Colours", "TitleTextNoActive", "215 227 244"},
    {"Skins", "Version", "150"},
};

class DefaultSkin : public ::testing::Test {
protected:
    void SetUp() override {
        std::ifstream in(ORVO_DEFAULT_SKIN_STORE_RELATIVE, std::ios::binary);
        if (!in) GTEST_SKIP() << "no default skin store at " << ORVO_DEFAULT_SKIN_STORE_RELATIVE;
        const std::vector<std::uint8_t> store{std::istreambuf_iterator<char>(in), {}};
        const TSkinLoadResult result = FReader.Load(store);
        ASSERT_TRUE(result) << result.Message;
        std::string name;
        FIni.LoadFromBytes(FReader.FindEntry(".ini", name));
    }

    TSkinReader FReader;
    TQuickIni FIni;
};

// The 100 % skin first, as the skin was before stores carried other scales, then its images for
// 150 and 200 %, each belonging to one of its bitmaps.
TEST_F(DefaultSkin, ListsTwentySixEntriesInOrderThenTheOtherScales) {
    const auto& entries = FReader.Entries();
    ASSERT_GE(entries.size(), 26u);
    EXPECT_EQ(FReader.Version(), SkinArchiveVersion);
    for (std::size_t i = 0; i < std::size(Bitmaps); ++i)
        EXPECT_EQ(entries[i].Name, Bitmaps[i].Name);
    EXPECT_TRUE(entries[25].Key.ends_with(".ini"));
    std::string name;
    EXPECT_EQ(FReader.FindEntry(".ini", name).size(), entries[25].Size);
    EXPECT_EQ(name, entries[25].Key);
    EXPECT_EQ(FReader.GetEntry("checkbox.bmp").size(), 2758u);
    EXPECT_EQ(FReader.GetEntry("checkbox.bmp"), FReader.GetEntry("CheckBox.bmp"));
    EXPECT_EQ(entries.size(), 26u + 2 * std::size(Bitmaps));
    for (std::size_t i = 26; i < entries.size(); ++i) {
        const std::string& n = entries[i].Name;
        const std::size_t at = n.rfind('@');
        ASSERT_NE(at, std::string::npos) << n;
        EXPECT_TRUE(n.ends_with("@150.bmp") || n.ends_with("@200.bmp")) << n;
        EXPECT_GE(FReader.IndexOf(n.substr(0, at) + ".bmp"), 0) << n;
        EXPECT_LT(FReader.IndexOf(n.substr(0, at) + ".bmp"), 25) << n;
    }
}

TEST_F(DefaultSkin, BitmapsHaveTheirSizesAtThirtyTwoBits) {
    for (const TExpectedBitmap& bitmap : Bitmaps) {
        SCOPED_TRACE(bitmap.Name);
        const auto bytes = FReader.GetEntry(bitmap.Name);
        const TBmpInfo info = ReadBmpInfo(bytes);
        EXPECT_EQ(info.Width, bitmap.Width);
        EXPECT_EQ(info.Height, bitmap.Height);
        EXPECT_EQ(info.BitCount, 32);
        EXPECT_EQ(ReadBmp(bytes).Pixels.size(), static_cast<std::size_t>(bitmap.Width * bitmap.Height));
    }
}

TEST_F(DefaultSkin, IniHoldsTheSkinValues) {
    for (const TExpectedValue& v : Values)
        EXPECT_EQ(FIni.ReadString(v.Section, v.Key, "(absent)"), v.Value)
            << "[" << v.Section << "] " << v.Key;
    EXPECT_EQ(ParseColour(FIni.ReadString("Colours", "ButtonFace", ""), -1), 0xD5E0E3);
    EXPECT_FALSE(FIni.ReadString("TitlebarSkin", "SkinName", "").empty());
    EXPECT_EQ(FIni.ReadString("Button4", "ButtonImage", "none"), "none");
}

} // namespace
} // namespace orvo

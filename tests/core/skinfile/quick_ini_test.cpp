#include "core/skinfile/quick_ini.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

using namespace std::string_literals;

TQuickIni Parse(std::string_view text) {
    TQuickIni ini;
    ini.LoadFromText(text);
    return ini;
}

TEST(QuickIni, SectionsAndKeysIgnoreCaseAndBlanks) {
    const TQuickIni ini = Parse("[Buttons]\r\n  TopHeight  =  9 \r\nRightwidth=8\r\n[Tabs]\nImage=Tab.bmp\n");
    EXPECT_EQ(ini.ReadInteger("buttons", "TopHeight", -1), 9);
    EXPECT_EQ(ini.ReadInteger("BUTTONS", "RightWidth", -1), 8);
    EXPECT_EQ(ini.ReadString("Tabs", "image", ""), "Tab.bmp");
    EXPECT_EQ(ini.SectionIndex("tabs"), 3);
    EXPECT_EQ(ini.SectionIndex("Missing"), -1);
    // A key that stands only in the next section is not found for this one.
    EXPECT_EQ(ini.ReadString("Buttons", "Image", "none"), "none");
}

TEST(QuickIni, FirstSectionAndFirstKeyWin) {
    const TQuickIni ini = Parse("[A]\nk=\nk=late\nx=1\n[a]\nx=2\ny=3\n");
    EXPECT_EQ(ini.ReadString("A", "k", "def"), "def"); // an empty first value ends the search
    EXPECT_EQ(ini.ReadInteger("A", "x", 0), 1);
    EXPECT_EQ(ini.ReadInteger("A", "y", 0), 0); // keys of the repeated section are invisible
}

TEST(QuickIni, CommentsBlankLinesAndLineEnds) {
    // Comments and blank lines neither count as lines nor end a section; CR, LF, CR LF end a
    // line, LF CR ends two; a zero byte ends the text.
    const std::string text = "junk=0\r[S]\r\n; comment\n\n   \r\n a = B=C \n\rb=2\r[T]\rc=3\0[U]\rd=4"s;
    const TQuickIni ini = Parse(text);
    EXPECT_EQ(ini.ReadString("S", "A", ""), "B=C");
    EXPECT_EQ(ini.ReadInteger("S", "b", 0), 2);
    EXPECT_EQ(ini.ReadInteger("T", "c", 0), 3);
    EXPECT_EQ(ini.SectionIndex("U"), -1);
    EXPECT_EQ(ini.SectionIndex("S"), 1); // "junk=0" is line 0
    EXPECT_EQ(ini.Lines().size(), 6u);
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"S", "T"}));
}

TEST(QuickIni, SectionNamesAreTrimmedOnlyWhenListed) {
    const TQuickIni ini = Parse("[ Spaced ]\nk=v\n[]\n");
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Spaced", ""}));
    EXPECT_EQ(ini.ReadString(" spaced ", "k", ""), "v");
    EXPECT_EQ(ini.ReadString("Spaced", "k", "def"), "def");
}

TEST(QuickIni, TextBeyondTheSizeLimitIsIgnored) {
    std::string text = "[A]\n";
    text.resize(TQuickIni::MaxTextSize - 4, ' ');
    const TQuickIni ini = Parse(text + "\nk=1\nfar=2\n");
    EXPECT_EQ(ini.ReadInteger("A", "k", 0), 1);
    EXPECT_EQ(ini.ReadInteger("A", "far", 0), 0);
}

TEST(QuickIni, EmptyTextAnswersDefaults) {
    const TQuickIni ini = Parse("");
    EXPECT_EQ(ini.ReadString("A", "b", "d"), "d");
    EXPECT_EQ(ini.ReadInteger("A", "b", 7), 7);
    EXPECT_TRUE(ini.ReadSections().empty());
}

TEST(SkinInteger, DecimalHexAndFailures) {
    const std::pair<const char*, std::int32_t> good[] = {{"0x1F", 31},
                                                         {"0X1f", 31},
                                                         {"$1F", 31},
                                                         {"-$10", -16},
                                                         {"+12", 12},
                                                         {"-7", -7},
                                                         {"2147483647", INT32_MAX},
                                                         {"-2147483648", INT32_MIN},
                                                         {"$FFFFFFFF", -1},
                                                         {"0xFF00FF", 0xFF00FF},
                                                         {"007", 7}};
    for (const auto& [text, value] : good)
        EXPECT_EQ(ParseSkinInteger(text, -99), value) << text;
    const char* bad[] = {"",           "12abc", "0x",   "$",   "-", "2147483648", "-2147483649",
                         "$100000000", "0x-5",  "-0x5", "1 2", "$G"};
    for (const char* text : bad)
        EXPECT_EQ(ParseSkinInteger(text, -99), -99) << text;
}

} // namespace
} // namespace orvo

// The window's kept settings: what is written reads back the same, and whatever else is found in
// the file (damaged, out of range, foreign) gives defaults field by field instead of failing.
#include "core/settings/window_settings.h"

#include <gtest/gtest.h>

#include <string>

namespace orvo {

// Failures show the settings as their file says them.
void PrintTo(const TWindowSettings& settings, std::ostream* out) {
    *out << FormatWindowSettings(settings);
}

namespace {

TWindowSettings EveryFieldChanged() {
    TWindowSettings s;
    s.TargetDir = "D:\\拆分结果\\ 2026";
    s.UseFileDir = true;
    s.Options.Mode = TSplitMode::Pieces;
    s.Options.LineCount = 99999;
    s.Options.PieceBytes = MaxPieceBytes;
    s.Options.PieceCount = 7;
    s.Options.HeaderLines = 3;
    s.Options.Csv = true;
    s.Options.Unmarked = TTextEncoding::Utf16Be;
    s.Options.NameTemplate = "第{n:3}部分_{name}{ext}";
    s.Options.KeepLineEnds = true;
    s.Options.Manifest = true;
    s.Skin = TSkinChoice::File;
    s.SkinFile = "C:\\skins\\我的.skn";
    return s;
}

TEST(WindowSettings, WhatIsWrittenReadsBackTheSameAndNothingReadsAsTheDefaults) {
    const TWindowSettings changed = EveryFieldChanged();
    EXPECT_EQ(ParseWindowSettings(FormatWindowSettings(changed)), changed);
    const TWindowSettings defaults;
    EXPECT_EQ(ParseWindowSettings(FormatWindowSettings(defaults)), defaults);
    EXPECT_EQ(ParseWindowSettings(""), defaults);
    for (TSkinChoice skin : {TSkinChoice::Slate, TSkinChoice::Jade, TSkinChoice::Night, TSkinChoice::None}) {
        TWindowSettings s;
        s.Skin = skin;
        EXPECT_EQ(ParseWindowSettings(FormatWindowSettings(s)).Skin, skin) << SkinChoiceName(skin);
    }
    // Edited by hand in Notepad: a byte-order mark and LF line ends.
    std::string edited = "\xEF\xBB\xBF[window]\ntarget=C:\\out\n[split]\nlines=250\n[skin]\nskin=night\n";
    const TWindowSettings read = ParseWindowSettings(edited);
    EXPECT_EQ(read.TargetDir, "C:\\out");
    EXPECT_EQ(read.Options.LineCount, 250);
    EXPECT_EQ(read.Skin, TSkinChoice::Night);
}

// Each damaged field falls back alone; the others are still read.
TEST(WindowSettings, ADamagedOrOutOfRangeFieldGivesItsDefaultAndKeepsTheRest) {
    const std::string good = FormatWindowSettings(EveryFieldChanged());
    struct TCase {
        const char* Key;
        const char* Bad;
    };
    const TCase cases[] = {
        {"use_file_dir", "yes"}, {"lines", "0"},          {"lines", "100000"}, {"lines", "-5"},
        {"lines", "12abc"},      {"lines", "99999999999999999999"}, {"header", "10000"},
        {"csv", "2"},            {"encoding", "ebcdic"},  {"name", "no number.txt"},
        {"name", "..\\{n}"},     {"manifest", ""},        {"skin", "Night"},
    };
    for (const TCase& c : cases) {
        std::string text = good;
        const std::string key = std::string("\r\n") + c.Key + "=";
        const std::size_t at = text.find(key);
        ASSERT_NE(at, std::string::npos) << c.Key;
        const std::size_t end = text.find("\r\n", at + key.size());
        text.replace(at + key.size(), end - at - key.size(), c.Bad);
        const TWindowSettings read = ParseWindowSettings(text);
        const TWindowSettings defaults;
        TWindowSettings expected = EveryFieldChanged();
        const std::string k = c.Key;
        if (k == "use_file_dir") expected.UseFileDir = defaults.UseFileDir;
        if (k == "lines") expected.Options.LineCount = defaults.Options.LineCount;
        if (k == "header") expected.Options.HeaderLines = defaults.Options.HeaderLines;
        if (k == "csv") expected.Options.Csv = defaults.Options.Csv;
        if (k == "encoding") expected.Options.Unmarked = defaults.Options.Unmarked;
        if (k == "name") expected.Options.NameTemplate = defaults.Options.NameTemplate;
        if (k == "manifest") expected.Options.Manifest = defaults.Options.Manifest;
        if (k == "skin") expected.Skin = defaults.Skin;
        EXPECT_EQ(read, expected) << c.Key << "=" << c.Bad;
    }
}

TEST(WindowSettings, ForeignOrInconsistentTextNeverGivesOptionsThatCannotBeUsed) {
    const TWindowSettings defaults;
    // Binary junk, zero bytes, a huge file: defaults.
    EXPECT_EQ(ParseWindowSettings(std::string("\0\xff\xfe[\x01=\x02", 8)), defaults);
    EXPECT_EQ(ParseWindowSettings(std::string(MaxSettingsText + 1, '[')), defaults);
    std::string huge = FormatWindowSettings(EveryFieldChanged());
    huge.append(MaxSettingsText, ';');
    EXPECT_EQ(ParseWindowSettings(huge), defaults);

    // By size without a size, into pieces without a count: by lines, the rest kept.
    TWindowSettings read = ParseWindowSettings("[split]\r\nmode=bytes\r\nheader=2\r\n");
    EXPECT_EQ(read.Options.Mode, TSplitMode::Lines);
    EXPECT_EQ(read.Options.HeaderLines, 2);
    EXPECT_EQ(ParseWindowSettings("[split]\r\nmode=pieces\r\npieces=1\r\n").Options.Mode, TSplitMode::Lines);
    EXPECT_EQ(ParseWindowSettings("[split]\r\nmode=bytes\r\nbytes=4096\r\n").Options.PieceBytes, 4096u);

    // A skin store on disk without its path: the built-in skin.
    EXPECT_EQ(ParseWindowSettings("[skin]\r\nskin=file\r\n").Skin, TSkinChoice::Slate);
    // Keys of another section are not ours.
    EXPECT_EQ(ParseWindowSettings("[other]\r\nlines=5\r\nskin=none\r\n"), defaults);
}

} // namespace
} // namespace orvo

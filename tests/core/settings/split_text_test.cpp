// The status line's words for every mode and choice, and piece sizes as typed.
#include "core/settings/split_text.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

TEST(SplitText, TheStatusLineSaysTheModeAndEveryChoiceThatIsNotTheDefault) {
    TSplitOptions o;
    EXPECT_EQ(DescribeSplit(o), "按 3000 行拆分");
    o.HeaderLines = 1;
    o.Csv = true;
    EXPECT_EQ(DescribeSplit(o), "按 3000 条记录拆分 · 表头 1 行 · CSV");
    o = {};
    o.Mode = TSplitMode::Bytes;
    o.PieceBytes = 10 << 20;
    EXPECT_EQ(DescribeSplit(o), "按 10 MB 拆分");
    o.PieceBytes = 1000;
    EXPECT_EQ(DescribeSplit(o), "按 1000 字节拆分");
    o = {};
    o.Mode = TSplitMode::Pieces;
    o.PieceCount = 5;
    o.Unmarked = TTextEncoding::Utf16Le;
    o.NameTemplate = "第{n}份.txt";
    o.KeepLineEnds = true;
    o.Manifest = true;
    EXPECT_EQ(DescribeSplit(o), "平均分成 5 份 · 无标记按 UTF-16LE · 名称 第{n}份.txt · 换行原样 · 清单");
}

TEST(SplitText, SizesReadAsTypedAndWriteBackShortest) {
    EXPECT_EQ(ParseSizeText("500K"), 500u << 10);
    EXPECT_EQ(ParseSizeText("10m"), 10u << 20);
    EXPECT_EQ(ParseSizeText("2G"), std::uint64_t{2} << 30);
    EXPECT_EQ(ParseSizeText("0001000"), 1000u);
    for (const char* bad : {"", "0", "0K", "K", "1.5M", "-1", "10 M", "10MB", "12345678901234567", "1048577G"})
        EXPECT_EQ(ParseSizeText(bad), std::nullopt) << bad;
    EXPECT_EQ(ParseSizeText("1048576G"), MaxPieceBytes);
    for (const std::uint64_t bytes : {std::uint64_t{1}, std::uint64_t{1000}, std::uint64_t{1536} << 10,
                                      std::uint64_t{10} << 20, std::uint64_t{3} << 30, MaxPieceBytes}) {
        EXPECT_EQ(ParseSizeText(SizeText(bytes)), bytes) << SizeText(bytes);
    }
    EXPECT_EQ(SizeText(std::uint64_t{1536} << 10), "1536K");
    EXPECT_EQ(SizeText(std::uint64_t{10} << 20), "10M");
}

} // namespace
} // namespace orvo

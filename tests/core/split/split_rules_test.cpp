// The line rules, piece contents and reports of the split, on the in-memory file system.
#include "split_harness.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

namespace orvo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::Pair;

struct TRuleCase {
    const char* Name;
    std::string Source;
    int LineCount;
    std::vector<std::string> Pieces;
};

// Small read and write buffers put every byte of these sources at a buffer edge at some point.
const std::size_t BufferSizes[] = {1, 2, 3, 5, 256 * 1024};

TEST(SplitRules, PiecesFollowTheLineRules) {
    using namespace std::string_literals;
    const TRuleCase cases[] = {
        {"empty source", "", 3, {""}},
        {"7 lines by 3", "1\n2\n3\n4\n5\n6\n7\n", 3, {"1\r\n2\r\n3\r\n", "4\r\n5\r\n6\r\n", "7\r\n"}},
        {"6 lines by 3", "1\n2\n3\n4\n5\n6\n", 3, {"1\r\n2\r\n3\r\n", "4\r\n5\r\n6\r\n", ""}},
        {"N = 1", "a\r\nb\r\n", 1, {"a\r\n", "b\r\n", ""}},
        {"exact multiple, no final terminator", "a\nb", 2, {"a\r\nb\r\n", ""}},
        {"last line gains CR LF", "a\r\nlast", 5, {"a\r\nlast\r\n"}},
        {"empty lines are lines", "\n\r\n\n", 5, {"\r\n\r\n\r\n"}},
        {"lone CR inside a line", "a\rb\n\rc\r\n", 5, {"ab\r\nc\r\n"}},
        {"CR CR LF", "a\r\r\nb", 5, {"a\r\nb\r\n"}},
        {"lone CR at the end", "a\r", 5, {"a\r\n"}},
        {"only a CR after the last line", "a\n\r", 5, {"a\r\n\r\n"}},
        {"Ctrl-Z mid-line",
         "ab\ncd\x1A"
         "ef\ngh\n",
         5,
         {"ab\r\ncd\r\n"}},
        {"Ctrl-Z at the start",
         "\x1A"
         "abc\n",
         5,
         {""}},
        {"Ctrl-Z after a terminator", "a\n\x1A\n", 5, {"a\r\n"}},
        {"Ctrl-Z between CR and LF", "a\r\x1A\nb\n", 5, {"a\r\n"}},
        {"other bytes unchanged",
         "\0\x01\t\x7F\xFF\xE4\xB8\xAD\n"s,
         5,
         {"\0\x01\t\x7F\xFF\xE4\xB8\xAD\r\n"s}},
    };
    for (const TRuleCase& rule : cases) {
        for (const std::size_t readSize : BufferSizes) {
            for (const std::size_t writeSize : BufferSizes) {
                SCOPED_TRACE(testing::Message()
                             << rule.Name << ", read " << readSize << ", write " << writeSize);
                TFakeFileSystem files;
                files.Files[FakeSource] = rule.Source;
                const TFakeRun run = SplitOnFake(files, rule.LineCount, readSize, writeSize);
                EXPECT_FALSE(run.Error.has_value());
                EXPECT_EQ(FakePieces(files), rule.Pieces);
                EXPECT_EQ(files.Files.size(), rule.Pieces.size() + 1) << "no stray files";
            }
        }
    }
}

TEST(SplitRules, ReportsOnlyFullPiecesThenDone) {
    for (const char* source : {"1\n2\n3\n4\n5\n6\n7\n", "1\n2\n3\n4\n5\n6\n"}) {
        TFakeFileSystem files;
        files.Files[FakeSource] = source;
        const TFakeRun run = SplitOnFake(files, 3);
        EXPECT_THAT(run.Reports, ElementsAre(Pair(TSplitReportCode::Progress, "准备开始分割"),
                                             Pair(TSplitReportCode::Progress, "分割完成：out/src_1.txt"),
                                             Pair(TSplitReportCode::Progress, "分割完成：out/src_2.txt"),
                                             Pair(TSplitReportCode::Done, "out/")));
    }
}

TEST(SplitRules, PiecesAreNamedAfterTheSourceInTheTargetDirectory) {
    TFakeFileSystem files;
    files.Files["my.data/report.v2.csv"] = "x\n";
    TSplitJob job;
    job.SourcePath = "my.data/report.v2.csv";
    job.TargetDir = "t/";
    job.LineCount = 1;
    EXPECT_FALSE(RunSplit(job, files, nullptr).has_value());
    EXPECT_EQ(files.Files.count("t/report.v2_1.txt"), 1u);
    EXPECT_EQ(files.Files.count("t/report.v2_2.txt"), 1u);
    EXPECT_EQ(files.Files.size(), 3u);
}

TEST(SplitRules, LineCountBelowOneIsRefused) {
    TFakeFileSystem files;
    EXPECT_THROW(SplitOnFake(files, 0), std::invalid_argument);
    EXPECT_EQ(files.Calls(TFakeOp::Create), 0);
}

// A line far longer than both buffers streams through unchanged.
TEST(SplitRules, HugeLineStreamsThroughSmallBuffers) {
    std::string line(3 << 20, 'x');
    for (std::size_t i = 0; i < line.size(); i += 997)
        line[i] = static_cast<char>('a' + i % 26);
    TFakeFileSystem files;
    files.Files[FakeSource] = line + "\r\n" + line;
    files.MaxReadChunk = 4093;
    SplitOnFake(files, 1, 8192, 65536);
    EXPECT_EQ(FakePieces(files), (std::vector<std::string>{line + "\r\n", line + "\r\n", ""}));
}

std::string RandomSource(std::mt19937& random) {
    // Mostly short lines of text with every kind of terminator, the odd long line, rare Ctrl-Z.
    static const std::string pieces[] = {"a", "bc", "\xE6\x96\x87", "\n", "\r\n", "\r", "\r\r", "\n\n", "\t"};
    std::string source;
    const int parts = std::uniform_int_distribution<int>(0, 300)(random);
    for (int i = 0; i < parts; ++i) {
        const int pick = std::uniform_int_distribution<int>(0, 99)(random);
        if (pick == 0)
            source += '\x1A';
        else if (pick == 1)
            source += std::string(std::uniform_int_distribution<int>(50, 5000)(random), 'L');
        else
            source += pieces[static_cast<std::size_t>(pick) % std::size(pieces)];
    }
    return source;
}

TEST(SplitRules, AgreesWithTheByteAtATimeRules) {
    std::mt19937 random(20240317);
    const std::size_t readSizes[] = {1, 2, 3, 7, 16, 31, 64, 4096};
    const std::size_t writeSizes[] = {1, 3, 17, 64, 1 << 20};
    const int lineCounts[] = {1, 2, 3, 7, 100};
    for (int round = 0; round < 600; ++round) {
        const std::string source = RandomSource(random);
        const int lineCount = lineCounts[round % std::size(lineCounts)];
        const std::size_t readSize = readSizes[static_cast<std::size_t>(round) % std::size(readSizes)];
        const std::size_t writeSize = writeSizes[static_cast<std::size_t>(round / 3) % std::size(writeSizes)];
        SCOPED_TRACE(testing::Message() << "round " << round << ", N " << lineCount << ", read " << readSize
                                        << ", write " << writeSize);
        TFakeFileSystem files;
        files.Files[FakeSource] = source;
        files.MaxReadChunk = std::uniform_int_distribution<std::size_t>(1, 5000)(random);
        ExpectSplitAsTheRulesSay(files, TReferenceJob{lineCount}, readSize, writeSize);
        if (HasFatalFailure()) return;
    }
}

// Every way a CR LF, lone CR or Ctrl-Z can straddle two reads.
TEST(SplitRules, TerminatorsSplitAcrossReadsAtEveryPoint) {
    const std::string source = "ab\r\ncd\r\r\nef\rg\n\r\n\rh\r\n\r\x1Azz\n";
    const TReferenceSplit expected = ReferenceSplit(source, 2, FakeTarget, FakePrefix);
    for (std::size_t read = 1; read <= source.size() + 1; ++read) {
        for (const std::size_t write : {std::size_t{1}, std::size_t{2}, read, std::size_t{1} << 20}) {
            TFakeFileSystem files;
            files.Files[FakeSource] = source;
            const TFakeRun run = SplitOnFake(files, 2, read, write);
            ASSERT_EQ(FakePieces(files), expected.Pieces) << "read " << read << ", write " << write;
        }
    }
}

} // namespace
} // namespace orvo::test

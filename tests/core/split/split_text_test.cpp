// Sources in UTF-8, UTF-16 and UTF-32 with their marks, header lines in every piece, pieces by
// size, and the progress the split tells; on the in-memory file system, against the plain rules.
#include "split_harness.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

namespace orvo::test {
namespace {

using namespace std::string_literals;
using ::testing::ElementsAre;
using ::testing::Pair;

const TTextEncoding Marked[] = {TTextEncoding::Utf8, TTextEncoding::Utf16Le, TTextEncoding::Utf16Be,
                                TTextEncoding::Utf32Le, TTextEncoding::Utf32Be};

std::string Marked_(TTextEncoding encoding, std::u32string_view text) {
    return std::string(MarkOf(encoding)) + Encode(encoding, text);
}

// The pieces the reference gives, and that every read and write size must give too.
void ExpectPieces(const std::string& source, const TReferenceJob& job, const std::vector<std::string>& pieces) {
    ASSERT_EQ(ReferenceSplit(source, job, FakeTarget, FakePrefix).Pieces, pieces) << "the plain rules";
    for (const std::size_t read : {std::size_t{1}, std::size_t{3}, std::size_t{256 * 1024}}) {
        for (const std::size_t write : {std::size_t{1}, std::size_t{7}, std::size_t{1 << 20}}) {
            TFakeFileSystem files;
            files.Files[FakeSource] = source;
            const TFakeRun run = SplitOnFake(files, job, read, write);
            ASSERT_FALSE(run.Error.has_value()) << run.Error->Text();
            ASSERT_EQ(FakePieces(files), pieces) << "read " << read << ", write " << write;
        }
    }
}

TEST(SplitText, EveryMarkedEncodingKeepsItsMarkAndWholeCodeUnits) {
    // "上" is U+4E0A and "业" U+4E1A: in UTF-16 and UTF-32 they hold the bytes of LF and SUB, and
    // U+0D0A those of CR LF; none of them ends a line or the text. The mixed line ends become CR LF.
    const std::u32string text = U"上业\r\nb\rc\n\u0D0A\r\r\n\U0001F600x";
    for (const TTextEncoding encoding : Marked) {
        SCOPED_TRACE(EncodingName(encoding));
        const std::string mark(MarkOf(encoding));
        const auto e = [&](std::u32string_view line) { return Encode(encoding, line); };
        ExpectPieces(Marked_(encoding, text), {2},
                     {mark + e(U"上业\r\nbc\r\n"), mark + e(U"\u0D0A\r\n\U0001F600x\r\n"), mark});
    }
}

TEST(SplitText, Utf16SubEndsTheTextAndBytesWithoutAMarkAreBytes) {
    const std::string mark(MarkOf(TTextEncoding::Utf16Le));
    ExpectPieces(mark + Encode(TTextEncoding::Utf16Le, U"a\nb\u001Ac\nd\n"), {5},
                 {mark + Encode(TTextEncoding::Utf16Le, U"a\r\nb\r\n")});
    // The same bytes without the mark are bytes: the byte 0 is text, 0x1A the end.
    const std::string bare = Encode(TTextEncoding::Utf16Le, U"a\nb\u001Ac\n");
    ExpectPieces(bare, {5}, {"a\0\r\n\0b\0\r\n"s});
}

TEST(SplitText, SourcesWithoutAMarkReadAsTheJobSays) {
    for (const TTextEncoding encoding : {TTextEncoding::Utf16Le, TTextEncoding::Utf16Be}) {
        const auto e = [&](std::u32string_view line) { return Encode(encoding, line); };
        ExpectPieces(e(U"上\n业\r\n"), {1, 0, 0, encoding}, {e(U"上\r\n"), e(U"业\r\n"), ""});
        // A mark still decides.
        ExpectPieces(Marked_(TTextEncoding::Utf8, U"上\n"), {1, 0, 0, encoding},
                     {"\xEF\xBB\xBF"s + "上\r\n", "\xEF\xBB\xBF"s});
    }
    ExpectPieces(Encode(TTextEncoding::Utf8, U"上\n"), {5, 0, 0, TTextEncoding::Utf8}, {"上\r\n"});
}

TEST(SplitText, MarkAloneAndShortSources) {
    for (const TTextEncoding encoding : Marked) {
        SCOPED_TRACE(EncodingName(encoding));
        const std::string mark(MarkOf(encoding));
        ExpectPieces(mark, {3}, {mark});
        ExpectPieces(mark, {3, 2}, {mark});
        ExpectPieces(mark, {3, 0, 10}, {mark});
    }
    // FF FE 00 is the UTF-16LE mark and a stray byte, not a UTF-32LE mark cut short.
    ExpectPieces("\xFF\xFE\0"s, {3}, {"\xFF\xFE\0"s});
    ExpectPieces("\xFF\xFE\0\0"s, {3}, {"\xFF\xFE\0\0"s});
    ExpectPieces("\xEF\xBB"s, {3}, {"\xEF\xBB\r\n"s}); // no mark: a line of two bytes
}

TEST(SplitText, StrayLastBytesStayAtTheEndOfTheLastPiece) {
    const std::string le16 = Marked_(TTextEncoding::Utf16Le, U"a\nb\n");
    const std::string mark16(MarkOf(TTextEncoding::Utf16Le));
    const std::string line16 = Encode(TTextEncoding::Utf16Le, U"a\r\n");
    ExpectPieces(le16 + "Z", {1}, {mark16 + line16, mark16 + Encode(TTextEncoding::Utf16Le, U"b\r\n"), mark16 + "Z"});
    ExpectPieces(le16 + "Z", {5}, {mark16 + line16 + Encode(TTextEncoding::Utf16Le, U"b\r\n") + "Z"});
    const std::string be32 = Marked_(TTextEncoding::Utf32Be, U"a");
    const std::string mark32(MarkOf(TTextEncoding::Utf32Be));
    ExpectPieces(be32 + "\0\0\0"s, {5}, {mark32 + Encode(TTextEncoding::Utf32Be, U"a\r\n") + "\0\0\0"s});
    // After SUB nothing counts, not even stray bytes.
    ExpectPieces(Marked_(TTextEncoding::Utf16Le, U"a\u001A") + "Z", {5}, {mark16 + line16});

    TFakeFileSystem files;
    files.Files[FakeSource] = le16 + "Z";
    const TFakeRun run = SplitOnFake(files, 5);
    EXPECT_EQ(run.Summary.Encoding, TTextEncoding::Utf16Le);
    EXPECT_TRUE(run.Summary.Marked);
    EXPECT_EQ(run.Summary.TrailingBytes, 1u);
    EXPECT_EQ(run.Summary.Pieces, 1u);
}

// A CR code unit at the end of one read and its LF at the start of the next, a code unit cut
// between two reads, a mark cut between reads: every read size and a few write sizes.
TEST(SplitText, TerminatorsAndCodeUnitsSplitAcrossReadsAtEveryPoint) {
    for (const TTextEncoding encoding : {TTextEncoding::Utf16Le, TTextEncoding::Utf16Be, TTextEncoding::Utf32Le}) {
        const std::string source = Marked_(encoding, U"ab\r\ncd\r\r\nef\rg\n\r\n\rh\r\n\r\u001Azz\n");
        for (const TReferenceJob job : {TReferenceJob{2}, TReferenceJob{2, 1}, TReferenceJob{1, 0, 40}}) {
            const TReferenceSplit expected = ReferenceSplit(source, job, FakeTarget, FakePrefix);
            for (std::size_t read = 1; read <= source.size() + 1; ++read) {
                for (const std::size_t write : {std::size_t{5}, read}) {
                    TFakeFileSystem files;
                    files.Files[FakeSource] = source;
                    const TFakeRun run = SplitOnFake(files, job, read, write);
                    ASSERT_EQ(FakePieces(files), expected.Pieces)
                        << EncodingName(encoding) << ", read " << read << ", write " << write;
                }
            }
        }
    }
}

TEST(SplitText, HeaderLinesStartEveryPiece) {
    const std::string csv = "id,name\n1,a\n2,b\n3,c\n4,d\n";
    // 4 lines after the header by 2: the last piece holds the header alone.
    ExpectPieces(csv, {2, 1}, {"id,name\r\n1,a\r\n2,b\r\n", "id,name\r\n3,c\r\n4,d\r\n", "id,name\r\n"});
    ExpectPieces(csv, {3, 1}, {"id,name\r\n1,a\r\n2,b\r\n3,c\r\n", "id,name\r\n4,d\r\n"});
    ExpectPieces(csv, {1, 2}, {"id,name\r\n1,a\r\n2,b\r\n", "id,name\r\n1,a\r\n3,c\r\n",
                               "id,name\r\n1,a\r\n4,d\r\n", "id,name\r\n1,a\r\n"});
    // Fewer lines than the header: one piece with what there is.
    ExpectPieces("h1\nh2", {2, 5}, {"h1\r\nh2\r\n"});
    ExpectPieces("h1\nh2\n", {2, 2}, {"h1\r\nh2\r\n"});
    ExpectPieces("", {2, 2}, {""});
    // The header follows the mark, and its lines follow the rules (lone CR dropped).
    const std::string mark(MarkOf(TTextEncoding::Utf16Be));
    const auto e = [](std::u32string_view text) { return Encode(TTextEncoding::Utf16Be, text); };
    ExpectPieces(mark + e(U"列\r一\r\n1\n2\n"), {1, 1},
                 {mark + e(U"列一\r\n1\r\n"), mark + e(U"列一\r\n2\r\n"), mark + e(U"列一\r\n")});
}

TEST(SplitText, PiecesBySizeAreCutAtLineEndsOnly) {
    // Lines as written: "aaaa\r\n" is 6 bytes, "b\r\n" 3.
    const std::string source = "aaaa\nb\nb\nb\naaaa\n";
    ExpectPieces(source, {0, 0, 9}, {"aaaa\r\nb\r\n", "b\r\nb\r\n", "aaaa\r\n"});
    ExpectPieces(source, {0, 0, 12}, {"aaaa\r\nb\r\nb\r\n", "b\r\naaaa\r\n"});
    // Smaller than any line: each line a piece of its own, never cut, no empty piece.
    ExpectPieces(source, {0, 0, 1}, {"aaaa\r\n", "b\r\n", "b\r\n", "b\r\n", "aaaa\r\n"});
    // The last line gains its CR LF, which counts.
    ExpectPieces("abc\nde", {0, 0, 6}, {"abc\r\n", "de\r\n"});
    ExpectPieces("abc\nde", {0, 0, 9}, {"abc\r\nde\r\n"});
    // The mark and the header count; a header above the size leaves one line a piece.
    const std::string mark(MarkOf(TTextEncoding::Utf8));
    ExpectPieces(mark + "h\n1\n2\n3\n", {0, 1, 9}, {mark + "h\r\n1\r\n", mark + "h\r\n2\r\n", mark + "h\r\n3\r\n"});
    ExpectPieces(mark + "h\n1\n2\n3\n", {0, 1, 12}, {mark + "h\r\n1\r\n2\r\n", mark + "h\r\n3\r\n"});
    ExpectPieces("hhhhhhhh\n1\n2\n", {0, 1, 4}, {"hhhhhhhh\r\n1\r\n", "hhhhhhhh\r\n2\r\n"});
    // SUB after a full piece opens no empty one; a lone CR after it is a line.
    ExpectPieces("ab\nab\n\x1A"s + "x\n", {0, 0, 4}, {"ab\r\n", "ab\r\n"});
    ExpectPieces("ab\nab\n\r", {0, 0, 4}, {"ab\r\n", "ab\r\n", "\r\n"});
}

// Lines longer than the write buffer, before and after short ones: held until it is known whether
// they fit, or given a piece of their own.
TEST(SplitText, LongLinesBySizeThroughSmallBuffers) {
    const std::string longLine(100000, 'L');
    const std::string source = "s\n" + longLine + "\ns\ns\n" + longLine + "\n" + longLine + "s\n";
    for (const std::uint64_t size : {std::uint64_t{5}, std::uint64_t{100005}, std::uint64_t{200010},
                                     std::uint64_t{300000}}) {
        const TReferenceSplit expected = ReferenceSplit(source, {0, 0, size}, FakeTarget, FakePrefix);
        for (const std::size_t write : {std::size_t{1000}, std::size_t{65536}}) {
            TFakeFileSystem files;
            files.Files[FakeSource] = source;
            files.MaxReadChunk = 777;
            const TFakeRun run = SplitOnFake(files, {0, 0, size}, 4096, write);
            ASSERT_FALSE(run.Error.has_value());
            ASSERT_EQ(FakePieces(files), expected.Pieces) << "size " << size << ", write " << write;
            ASSERT_EQ(run.Reports, expected.Reports);
            ASSERT_EQ(files.OpenFiles(), 0);
        }
    }
}

std::u32string RandomText(std::mt19937& random) {
    static const std::u32string parts[] = {U"a", U"bc", U"文", U"\n", U"\r\n", U"\r", U"\r\r", U"\n\n",
                                           U"上", U"业", U"\U0001F600", U"\u0D0A", U"\t"};
    std::u32string text;
    const int count = std::uniform_int_distribution<int>(0, 200)(random);
    for (int i = 0; i < count; ++i) {
        const int pick = std::uniform_int_distribution<int>(0, 99)(random);
        if (pick == 0)
            text += U'\u001A';
        else if (pick == 1)
            text += std::u32string(std::uniform_int_distribution<std::size_t>(20, 700)(random), U'L');
        else
            text += parts[static_cast<std::size_t>(pick) % std::size(parts)];
    }
    return text;
}

TEST(SplitText, AgreesWithThePlainRulesInEveryEncodingAndMode) {
    std::mt19937 random(15);
    const std::size_t sizes[] = {1, 2, 3, 5, 16, 64, 4096};
    for (int round = 0; round < 700; ++round) {
        const TTextEncoding encoding = Marked[static_cast<std::size_t>(round) % std::size(Marked)];
        std::string source = Marked_(encoding, RandomText(random));
        if (random() % 8 == 0) source += std::string(random() % UnitSize(encoding), 'T');
        TReferenceJob job{std::uniform_int_distribution<int>(1, 5)(random),
                          std::uniform_int_distribution<int>(0, 3)(random)};
        if (random() % 2) job.PieceBytes = std::uniform_int_distribution<std::uint64_t>(1, 200)(random);
        if (random() % 5 == 0) { // the same text without its mark, read as the job says
            source.erase(0, MarkOf(encoding).size());
            job.Unmarked = encoding;
        }
        const std::size_t read = sizes[random() % std::size(sizes)];
        const std::size_t write = sizes[random() % std::size(sizes)];
        SCOPED_TRACE(testing::Message() << "round " << round << ", " << EncodingName(encoding) << ", N "
                                        << job.LineCount << ", H " << job.HeaderLines << ", size " << job.PieceBytes
                                        << ", read " << read << ", write " << write);
        TFakeFileSystem files;
        files.Files[FakeSource] = source;
        files.MaxReadChunk = std::uniform_int_distribution<std::size_t>(1, 3000)(random);
        ExpectSplitAsTheRulesSay(files, job, read, write);
        if (HasFatalFailure()) return;
    }
}

TEST(SplitText, HeaderPastItsLimitStopsTheSplit) {
    TFakeFileSystem files;
    files.Files[FakeSource] = std::string(MaxHeaderBytes, 'h') + "\nbody\n";
    const TFakeRun run = SplitOnFake(files, {5, 1});
    ASSERT_TRUE(run.Error.has_value());
    EXPECT_EQ(run.Error->Action, TSplitAction::Header);
    EXPECT_EQ(run.Error->Text(), "无法在每个文件中重复标题行“" + FakeSource + "”：标题行超过 16 MiB");
    EXPECT_EQ(run.Reports.size(), 1u) << "no Done report";
    EXPECT_EQ(files.OpenFiles(), 0);
}

TEST(SplitText, ProgressCountsEveryByteReadUpToTheSize) {
    TFakeFileSystem files;
    files.Files[FakeSource] = std::string(10000, 'x') + "\n";
    files.MaxReadChunk = 1000;
    TSplitJob job;
    job.SourcePath = FakeSource;
    job.TargetDir = FakeTarget;
    std::vector<TSplitProgress> seen;
    job.Progress = [&](const TSplitProgress& progress) { seen.push_back(progress); };
    ASSERT_FALSE(RunSplit(job, files, nullptr).has_value());
    ASSERT_EQ(seen.size(), 12u) << "eleven reads with bytes, one at the end";
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].Total, 10001u);
        EXPECT_EQ(seen[i].Done, std::min<std::uint64_t>(1000 * (i + 1), 10001));
    }
}

TEST(SplitText, ReportsOfPiecesBySize) {
    TFakeFileSystem files;
    files.Files[FakeSource] = "aaa\nbbb\nccc\n";
    const TFakeRun run = SplitOnFake(files, {0, 0, 10});
    EXPECT_THAT(run.Reports, ElementsAre(Pair(TSplitReportCode::Progress, "准备开始分割"),
                                         Pair(TSplitReportCode::Progress, "分割完成：out/src_1.txt"),
                                         Pair(TSplitReportCode::Done, "out/")));
    EXPECT_EQ(run.Summary.Pieces, 2u);
}

} // namespace
} // namespace orvo::test

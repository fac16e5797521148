// CSV records and exact line ends, on the in-memory file system: against the plain rules in every
// encoding and through tiny buffers (quotes and line breaks at every buffer edge), the record
// limit, and exact pieces that concatenate to the source.
#include "split_harness.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

namespace orvo::test {
namespace {

using namespace std::string_literals;
using ::testing::HasSubstr;

const TTextEncoding Encodings[] = {TTextEncoding::Bytes,   TTextEncoding::Utf8,    TTextEncoding::Utf16Le,
                                   TTextEncoding::Utf16Be, TTextEncoding::Utf32Le, TTextEncoding::Utf32Be};

std::string WithMark(TTextEncoding encoding, std::u32string_view text) {
    return std::string(MarkOf(encoding)) + Encode(encoding, text);
}

// CSV-like text: quoted fields with every kind of line break, doubled quotes, empty fields, a
// stray quote now and then, SUB rarely.
std::u32string RandomCsv(std::mt19937& random) {
    static const std::u32string parts[] = {U"a",    U",",      U"\"",    U"\"\"",    U"\n",  U"\r\n", U"\r",
                                           U"文,",  U"\"x\ny\"", U"\"p\r\nq\"", U"\"r\rs\"", U",,", U"\"\",", U"上业"};
    std::u32string text;
    const int count = std::uniform_int_distribution<int>(0, 150)(random);
    for (int i = 0; i < count; ++i) {
        const int pick = std::uniform_int_distribution<int>(0, 199)(random);
        if (pick == 0) text += U'\u001A';
        else if (pick == 1) text += std::u32string(std::uniform_int_distribution<std::size_t>(20, 300)(random), U'L');
        else text += parts[static_cast<std::size_t>(pick) % std::size(parts)];
    }
    return text;
}

TEST(SplitRecords, CsvAndExactAgreeWithThePlainRulesInEveryEncodingAndMode) {
    std::mt19937 random(22);
    const std::size_t sizes[] = {1, 2, 3, 5, 16, 64, 4096};
    for (int round = 0; round < 360; ++round) {
        const TTextEncoding encoding = Encodings[static_cast<std::size_t>(round) % std::size(Encodings)];
        std::string source = WithMark(encoding, RandomCsv(random));
        if (random() % 8 == 0) source += std::string(random() % UnitSize(encoding), 'T');
        TReferenceJob job{std::uniform_int_distribution<int>(1, 5)(random),
                          std::uniform_int_distribution<int>(0, 3)(random)};
        if (random() % 3 == 0) job.PieceBytes = std::uniform_int_distribution<std::uint64_t>(1, 200)(random);
        job.Csv = round % 4 != 3;
        job.KeepLineEnds = round % 3 == 0;
        const std::size_t read = sizes[random() % std::size(sizes)];
        const std::size_t write = sizes[random() % std::size(sizes)];
        SCOPED_TRACE(testing::Message() << "round " << round << ", " << EncodingName(encoding) << ", N "
                                        << job.LineCount << ", H " << job.HeaderLines << ", size " << job.PieceBytes
                                        << ", csv " << job.Csv << ", exact " << job.KeepLineEnds << ", read "
                                        << read << ", write " << write);
        TFakeFileSystem files;
        files.Files[FakeSource] = source;
        files.MaxReadChunk = std::uniform_int_distribution<std::size_t>(1, 3000)(random);
        ExpectSplitAsTheRulesSay(files, job, read, write);
        if (HasFatalFailure()) return;
    }
}

// Records longer than the write buffer, their quoted line breaks anywhere in it: held until it
// is known whether they fit, or given a piece of their own, never cut.
TEST(SplitRecords, LongQuotedRecordsBySizeThroughSmallBuffers) {
    std::string field;
    for (int i = 0; i < 3000; ++i)
        field += i % 7 == 0 ? "\n\"\"" : "abcdefghij";
    const std::string longRecord = "L,\"" + field + "\"\n";
    const std::string source = "h\n" + longRecord + "s,\"x\ny\"\ns\n" + longRecord + longRecord + "s\n";
    for (const std::uint64_t size : {std::uint64_t{20}, std::uint64_t{30000}, std::uint64_t{70000}}) {
        const TReferenceJob job{0, 1, size, TTextEncoding::Bytes, true};
        const TReferenceSplit expected = ReferenceSplit(source, job, FakeTarget, FakePrefix);
        for (const std::size_t write : {std::size_t{1000}, std::size_t{65536}}) {
            TFakeFileSystem files;
            files.Files[FakeSource] = source;
            files.MaxReadChunk = 777;
            const TFakeRun run = SplitOnFake(files, job, 4096, write);
            ASSERT_FALSE(run.Error.has_value());
            ASSERT_EQ(FakePieces(files), expected.Pieces) << "size " << size << ", write " << write;
        }
    }
}

// The cases a reader of the rules would try first, spelled out.
TEST(SplitRecords, QuotedLineBreaksStayInTheirRecord) {
    TFakeFileSystem files;
    files.Files[FakeSource] = "id,note\n1,\"two\nlines\"\n2,\"a \"\"quoted\"\" word\"\r\n3,\"cr\rkept\",\n4,,\n";
    const TFakeRun run = SplitOnFake(files, TReferenceJob{2, 1, 0, TTextEncoding::Bytes, true}, 3, 5);
    ASSERT_FALSE(run.Error.has_value());
    EXPECT_EQ(FakePieces(files),
              (std::vector<std::string>{"id,note\r\n1,\"two\nlines\"\r\n2,\"a \"\"quoted\"\" word\"\r\n",
                                        "id,note\r\n3,\"cr\rkept\",\r\n4,,\r\n", "id,note\r\n"}));
    EXPECT_EQ(run.Summary.Records, 4u);
    EXPECT_EQ(run.Summary.UnclosedQuoteLine, 0u);
}

TEST(SplitRecords, HeaderRecordWithALineBreakIsRepeatedWhole) {
    TFakeFileSystem files;
    files.Files[FakeSource] = "\"multi\nline\",h\n1\n2\n";
    const TFakeRun run = SplitOnFake(files, TReferenceJob{1, 1, 0, TTextEncoding::Bytes, true});
    ASSERT_FALSE(run.Error.has_value());
    EXPECT_EQ(FakePieces(files)[1], "\"multi\nline\",h\r\n2\r\n");
}

TEST(SplitRecords, UnclosedQuoteAtTheEndIsReportedWithItsLine) {
    TFakeFileSystem files;
    files.Files[FakeSource] = "a\nb\n\"c\nd\ne\n";
    const TFakeRun run = SplitOnFake(files, TReferenceJob{5, 0, 0, TTextEncoding::Bytes, true});
    ASSERT_FALSE(run.Error.has_value());
    EXPECT_EQ(run.Summary.UnclosedQuoteLine, 3u);
    EXPECT_EQ(FakePieces(files), std::vector<std::string>{"a\r\nb\r\n\"c\nd\ne\n\r\n"}) << "nothing lost";
}

// A record past the limit stops the split, naming the line of the quote that opened it; the
// pieces before stay, the one holding the cut record goes.
TEST(SplitRecords, RecordPastTheLimitStopsTheSplit) {
    for (const TTextEncoding encoding : Encodings) {
        SCOPED_TRACE(EncodingName(encoding));
        std::u32string text = U"h\n1\n2\n3,\"x\ny\"\n4,\"open\n";
        for (int i = 0; i < 300; ++i)
            text += U"more,\"q\",text\n";
        TFakeFileSystem files;
        files.Files[FakeSource] = WithMark(encoding, text);
        TSplitJob job = FakeJob();
        job.Csv = true;
        job.LineCount = 2;
        job.HeaderLines = 1;
        job.MaxRecordBytes = 1000 * UnitSize(encoding);
        job.ReadBufferSize = 64;
        const std::optional<TSplitError> error = RunSplit(job, files, nullptr);
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->Action, TSplitAction::Record);
        EXPECT_EQ(error->Line, 6u);
        EXPECT_THAT(error->Text(), HasSubstr("第 6 行的引号没有闭合，记录超过了 "));
        EXPECT_EQ(FakePieces(files).size(), 1u) << "piece 2 held the cut record";
        EXPECT_EQ(files.OpenFiles(), 0);
    }
    // A long line without quotes is named by its own line.
    TFakeFileSystem files;
    files.Files[FakeSource] = "a\n" + std::string(5000, 'x') + "\n";
    TSplitJob job = FakeJob();
    job.Csv = true;
    job.MaxRecordBytes = 1024;
    job.ReadBufferSize = 100;
    const std::optional<TSplitError> error = RunSplit(job, files, nullptr);
    ASSERT_TRUE(error.has_value());
    EXPECT_THAT(error->Text(), HasSubstr("第 2 行开始的记录超过了 1024 字节"));
}

// Exact pieces, header and mark left out but for the first, concatenate to the source.
TEST(SplitRecords, ExactPiecesConcatenateToTheSource) {
    std::mt19937 random(23);
    for (int round = 0; round < 120; ++round) {
        const TTextEncoding encoding = Encodings[static_cast<std::size_t>(round) % std::size(Encodings)];
        std::string source = WithMark(encoding, RandomCsv(random));
        if (round % 5 == 0) source += std::string(random() % UnitSize(encoding), 'T');
        TSplitJob job = FakeJob();
        job.KeepLineEnds = true;
        job.Csv = round % 2 == 0;
        job.HeaderLines = round % 3;
        job.Mode = round % 4 == 0 ? TSplitMode::Bytes : round % 4 == 1 ? TSplitMode::Pieces : TSplitMode::Lines;
        job.LineCount = 1 + round % 4;
        job.PieceBytes = 1 + static_cast<std::uint64_t>(round);
        job.PieceCount = 2 + round % 5;
        job.ReadBufferSize = 1 + static_cast<std::size_t>(round) % 50;
        TFakeFileSystem files;
        files.Files[FakeSource] = source;
        TSplitSummary summary;
        ASSERT_FALSE(RunSplit(job, files, nullptr, &summary).has_value());
        const std::vector<std::string> pieces = FakePieces(files);
        ASSERT_FALSE(pieces.empty());
        // Every piece starts with the mark and the header records as they stand in the source.
        const std::size_t mark = MarkOf(MarkAt(source).value_or(TTextEncoding::Bytes)).size();
        const TReferenceSplit records = ReferenceSplit(
            source, TReferenceJob{1, 0, 0, TTextEncoding::Bytes, job.Csv, true}, FakeTarget, FakePrefix);
        std::size_t header = mark;
        for (int h = 0; h < job.HeaderLines && static_cast<std::size_t>(h) + 1 < records.Pieces.size(); ++h)
            header += records.Pieces[static_cast<std::size_t>(h)].size() - mark;
        std::string joined = pieces.front();
        for (std::size_t k = 1; k < pieces.size(); ++k)
            joined += pieces[k].substr(std::min(header, pieces[k].size()));
        ASSERT_EQ(joined, source) << "round " << round;
    }
}

} // namespace
} // namespace orvo::test

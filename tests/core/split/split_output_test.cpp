// What the split makes of its options: name templates (rendered, matched, refused), {total}
// filled in by renaming, --no-clobber, a piece that would be the source, N equal pieces, and a
// split stopped on request.
#include "core/split/name_template.h"
#include "split_harness.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <numeric>
#include <random>

namespace orvo::test {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> Names(const TFakeFileSystem& files, const std::string& folder = FakeTarget) {
    std::vector<std::string> names;
    for (const auto& [path, content] : files.Files)
        if (path.starts_with(folder)) names.push_back(path.substr(folder.size()));
    return names;
}

TEST(NameTemplate, RendersEveryFieldAndMatchesWhatItRenders) {
    const auto names = TNameTemplate::Parse("{name}-{n:3}-of-{total:2}.{ext}{{x}}");
    ASSERT_TRUE(names.has_value());
    EXPECT_EQ(names->Render("sales.2024", "csv", 7, 12), "sales.2024-007-of-12.csv{x}");
    EXPECT_EQ(names->Render("sales", "csv", 1234, 0), "sales-1234-of-~.csv{x}");
    EXPECT_EQ(names->Match("sales-007-of-12.csv{x}", "sales", "csv"), 7u);
    EXPECT_EQ(names->Match("sales-1234-of-~.csv{x}", "sales", "csv"), 1234u);
    EXPECT_EQ(names->Match("sales-07-of-12.csv{x}", "sales", "csv"), std::nullopt) << "narrower than its width";
    EXPECT_EQ(names->Match("sales-0007-of-12.csv{x}", "sales", "csv"), std::nullopt) << "a zero past the width";
    EXPECT_EQ(names->Match("sales-000-of-12.csv{x}", "sales", "csv"), std::nullopt) << "no piece 0";
    EXPECT_EQ(names->Match("other-007-of-12.csv{x}", "sales", "csv"), std::nullopt);
    // A source without an extension loses the dot before {ext} too.
    const auto plain = TNameTemplate::Parse("{name}_{n}.{ext}");
    EXPECT_EQ(plain->Render("README", "", 2, 0), "README_2");
    EXPECT_EQ(plain->Match("README_2", "README", ""), 2u);
    // Every {n} is the same number.
    const auto twice = TNameTemplate::Parse("{n}_{n:2}");
    EXPECT_EQ(twice->Match("3_03", "x", ""), 3u);
    EXPECT_EQ(twice->Match("3_04", "x", ""), std::nullopt);
    // The default gives the names the splitter always gave.
    EXPECT_TRUE(TNameTemplate::Parse(DefaultNameTemplate)->IsDefault());
    EXPECT_EQ(TNameTemplate::Parse(DefaultNameTemplate)->Render("a.b", "txt", 10, 0), "a.b_10.txt");
}

TEST(NameTemplate, TemplatesThatCannotBeUsedAreRefusedWithTheirReason) {
    const std::pair<const char*, TOptionProblem> cases[] = {
        {"", TOptionProblem::TemplateEmpty},
        {"{name}.txt", TOptionProblem::TemplateWithoutNumber},
        {"{name}_{size}.txt", TOptionProblem::TemplateUnknownField},
        {"{n:0}", TOptionProblem::TemplateBadWidth},
        {"{n:21}", TOptionProblem::TemplateBadWidth},
        {"{name:3}_{n}", TOptionProblem::TemplateBadWidth},
        {"{n", TOptionProblem::TemplateUnbalancedBrace},
        {"n}", TOptionProblem::TemplateUnbalancedBrace},
        {"../{n}.txt", TOptionProblem::TemplateLeavesFolder},
        {"sub\\{n}.txt", TOptionProblem::TemplateLeavesFolder},
        {"a:{n}", TOptionProblem::TemplateBadCharacter},
        {"{n}?", TOptionProblem::TemplateBadCharacter},
        {"{n}.", TOptionProblem::TemplateBadEnding},
        {"COM{n}", TOptionProblem::TemplateReservedName},
        {"nul.{n}.txt", TOptionProblem::TemplateReservedName},
    };
    for (const auto& [text, problem] : cases) {
        TSplitOptions options;
        options.NameTemplate = text;
        const std::optional<TOptionRefusal> refusal = ValidateSplitOptions(options);
        ASSERT_TRUE(refusal.has_value()) << text;
        EXPECT_EQ(refusal->Problem, problem) << text;
        EXPECT_FALSE(refusal->Text().empty());
    }
}

TEST(NameTemplate, OptionsOutOfRangeAreRefused) {
    const auto refused = [](auto change) {
        TSplitOptions options;
        change(options);
        const std::optional<TOptionRefusal> refusal = ValidateSplitOptions(options);
        return refusal ? refusal->Problem : TOptionProblem::None;
    };
    EXPECT_EQ(refused([](TSplitOptions&) {}), TOptionProblem::None);
    EXPECT_EQ(refused([](TSplitOptions& o) { o.LineCount = 100000; }), TOptionProblem::LineCountOutOfRange);
    EXPECT_EQ(refused([](TSplitOptions& o) { o.Mode = TSplitMode::Bytes; }), TOptionProblem::PieceBytesOutOfRange);
    EXPECT_EQ(refused([](TSplitOptions& o) { o.Mode = TSplitMode::Pieces, o.PieceCount = 1; }),
              TOptionProblem::PieceCountOutOfRange);
    EXPECT_EQ(refused([](TSplitOptions& o) { o.HeaderLines = 10000; }), TOptionProblem::HeaderLinesOutOfRange);
    EXPECT_EQ(refused([](TSplitOptions& o) { o.Csv = true, o.MaxRecordBytes = 0; }),
              TOptionProblem::MaxRecordOutOfRange);
}

TEST(NameTemplate, PreviewKnowsTheLastNameOnlyForNPieces) {
    TSplitOptions options;
    options.NameTemplate = "{name}_{n:2}_of_{total}.{ext}";
    std::optional<TNamePreview> preview = PreviewPieceNames(options, "D/sales.csv");
    ASSERT_TRUE(preview.has_value());
    EXPECT_EQ(preview->First, "sales_01_of_~.csv");
    EXPECT_FALSE(preview->LastKnown);
    options.Mode = TSplitMode::Pieces;
    options.PieceCount = 16;
    preview = PreviewPieceNames(options, "D/sales.csv");
    EXPECT_EQ(preview->First, "sales_01_of_16.csv");
    EXPECT_EQ(preview->Last, "sales_16_of_16.csv");
    EXPECT_TRUE(preview->LastKnown);
    options.NameTemplate = "{name}";
    TOptionRefusal refusal;
    EXPECT_FALSE(PreviewPieceNames(options, "sales.csv", &refusal).has_value());
    EXPECT_EQ(refusal.Problem, TOptionProblem::TemplateWithoutNumber);
}

TEST(SplitOutput, TotalIsFilledInByRenamingOnceThePiecesAreCounted) {
    TFakeFileSystem files;
    files.Files[FakeSource] = "1\n2\n3\n4\n5\n";
    TSplitJob job = FakeJob();
    job.LineCount = 2;
    job.NameTemplate = "part{n:2}of{total}.txt";
    std::vector<std::string> reports;
    TSplitSummary summary;
    ASSERT_FALSE(RunSplit(job, files, [&](TSplitReportCode, const std::string& text) { reports.push_back(text); },
                          &summary)
                     .has_value());
    EXPECT_THAT(Names(files), ElementsAre("part01of3.txt", "part02of3.txt", "part03of3.txt"));
    EXPECT_EQ(files.Files["out/part03of3.txt"], "5\r\n");
    EXPECT_EQ(reports[1], "分割完成：out/part01of~.txt") << "reported as written";
    EXPECT_TRUE(summary.Renamed);
    EXPECT_EQ(summary.LastPiece, "out/part03of3.txt");
    // A rename that fails is reported with the name it was to get.
    TFakeFileSystem failing;
    failing.Files[FakeSource] = "1\n2\n3\n";
    failing.FailAt(TFakeOp::Rename, 2);
    const std::optional<TSplitError> error = RunSplit(job, failing, nullptr);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->Action, TSplitAction::Rename);
    EXPECT_EQ(error->Path, "out/part02of2.txt");
}

TEST(SplitOutput, NoClobberAndThePieceThatWouldBeTheSourceAreRefusedBeforeAnythingIsWritten) {
    TFakeFileSystem files;
    files.Files[FakeSource] = "1\n2\n";
    files.Files["out/src_7.txt"] = "an earlier split";
    TSplitJob job = FakeJob();
    job.NoClobber = true;
    std::optional<TSplitError> error = RunSplit(job, files, nullptr);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->Action, TSplitAction::Refused);
    EXPECT_EQ(error->Refusal.Problem, TOptionProblem::PieceExists);
    EXPECT_EQ(error->Refusal.Detail, "out/src_7.txt");
    EXPECT_EQ(files.Calls(TFakeOp::Create), 0);
    // Without it the earlier piece is overwritten as always.
    job.NoClobber = false;
    EXPECT_FALSE(RunSplit(job, files, nullptr).has_value());

    // A template under which the source, in the target folder, is a piece.
    TFakeFileSystem same;
    same.Files["out/data1.txt"] = "1\n2\n";
    TSplitJob own = FakeJob();
    own.SourcePath = "out/data1.txt";
    own.NameTemplate = "data{n}.txt";
    error = RunSplit(own, same, nullptr);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->Refusal.Problem, TOptionProblem::PieceIsSource);
    EXPECT_EQ(same.Files["out/data1.txt"], "1\n2\n");
}

// N pieces of about equal size, each cut at a line end, none empty unless lines run out; from LF
// and CR LF texts (whose runs go to the pieces straight from the read buffer), with the odd bare
// LF, lone CR or SUB among CR LF lines, and with the line ends kept.
TEST(SplitOutput, IntoNPiecesOfAboutEqualSize) {
    std::mt19937 random(31);
    for (int round = 0; round < 120; ++round) {
        const int style = round / 3 % 4; // LF, CR LF, CR LF with odd ends, the same kept exactly
        std::string source;
        const int lines = std::uniform_int_distribution<int>(0, 400)(random);
        for (int i = 0; i < lines; ++i) {
            source += std::string(std::uniform_int_distribution<std::size_t>(0, round % 3 == 0 ? 3000 : 60)(random), 'x');
            const bool odd = style >= 2 && random() % 40 == 0;
            source += style == 0 ? "\n" : !odd ? "\r\n" : random() % 3 == 0 ? "\r\r\n" : random() % 2 ? "\n" : "\x1A\r\n";
        }
        const bool exact = style == 3;
        const int pieces = std::uniform_int_distribution<int>(2, 20)(random);
        TFakeFileSystem files;
        files.Files[FakeSource] = source;
        TSplitJob job = FakeJob();
        job.Mode = TSplitMode::Pieces;
        job.PieceCount = pieces;
        job.KeepLineEnds = exact;
        job.ReadBufferSize = 1 + static_cast<std::size_t>(random() % 5000);
        TSplitSummary summary;
        ASSERT_FALSE(RunSplit(job, files, nullptr, &summary).has_value());
        const std::vector<std::string> made = FakePieces(files);
        ASSERT_EQ(made.size(), static_cast<std::size_t>(pieces)) << "round " << round;
        const std::string joined = std::accumulate(made.begin(), made.end(), std::string());
        TReferenceJob whole{1000000};
        whole.KeepLineEnds = exact;
        ASSERT_EQ(joined, ReferenceSplit(source, whole, FakeTarget, FakePrefix).Pieces[0]) << "round " << round;
        if (style >= 2) continue; // a SUB ends the text early, so the shares are not the lines'
        for (const std::string& piece : made) {
            if (!piece.empty()) {
                EXPECT_EQ(piece.back(), '\n') << "round " << round;
            }
        }
        const auto empty = static_cast<int>(std::count(made.begin(), made.end(), ""));
        EXPECT_EQ(empty, std::max(0, pieces - lines)) << "round " << round;
        EXPECT_EQ(summary.EmptyPieces, static_cast<std::uint64_t>(std::max(0, pieces - lines)));
        if (round % 3 != 0 && lines >= 20 * pieces) {
            // Short lines: every piece within a line or two of its share.
            const double share = static_cast<double>(joined.size()) / pieces;
            for (const std::string& piece : made)
                EXPECT_NEAR(static_cast<double>(piece.size()), share, 130.0) << "round " << round;
        }
    }
}

TEST(SplitOutput, IntoNPiecesWithOneHugeLine) {
    const std::string huge(100000, 'H');
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"a\n" + huge + "\n", {"a\r\n", huge + "\r\n", "", ""}},
        {"a\nb\n" + huge + "\nc\n", {"a\r\n", "b\r\n", huge + "\r\n", "c\r\n"}},
        {huge + "\na\nb\nc\nd\n", {huge + "\r\n", "a\r\n", "b\r\n", "c\r\nd\r\n"}},
    };
    for (const auto& [source, pieces] : cases) {
        TFakeFileSystem files;
        files.Files[FakeSource] = source;
        TSplitJob job = FakeJob();
        job.Mode = TSplitMode::Pieces;
        job.PieceCount = 4;
        job.ReadBufferSize = 4096;
        int starts = 0;
        ASSERT_FALSE(RunSplit(job, files, [&](TSplitReportCode, const std::string& text) {
                         starts += text == "准备开始分割";
                     }).has_value());
        EXPECT_EQ(FakePieces(files), pieces);
        EXPECT_EQ(starts, 1) << "one split, however many runs";
    }
}

// Stopped from another thread (here: from the progress, between two reads): the finished pieces
// stay, the unfinished one is gone, and the summary says where the split stopped.
TEST(SplitOutput, StoppedSplitKeepsOnlyFinishedPieces) {
    for (const bool csv : {false, true}) {
        TFakeFileSystem files;
        std::string source = "head\n";
        for (int i = 1; i <= 100; ++i)
            source += csv && i % 10 == 0 ? "\"rec\n" + std::to_string(i) + "\"\n" : "line" + std::to_string(i) + "\n";
        files.Files[FakeSource] = source;
        files.MaxReadChunk = 37;
        std::atomic<bool> stop{false};
        TSplitJob job = FakeJob();
        job.Csv = csv;
        job.HeaderLines = 1;
        job.LineCount = 7;
        job.Manifest = true;
        job.ReadBufferSize = 37;
        job.Stop = &stop;
        job.Progress = [&](const TSplitProgress& progress) {
            if (progress.Done >= 300) stop = true;
        };
        TSplitSummary summary;
        ASSERT_FALSE(RunSplit(job, files, nullptr, &summary).has_value());
        ASSERT_TRUE(summary.Stopped);
        const std::vector<std::string> pieces = FakePieces(files);
        ASSERT_EQ(pieces.size(), summary.Pieces);
        ASSERT_GE(pieces.size(), 2u);
        for (const std::string& piece : pieces)
            EXPECT_EQ(std::count(piece.begin(), piece.end(), '\n') - (csv ? std::count(piece.begin(), piece.end(), '"') / 2 : 0),
                      8)
                << "whole pieces only";
        EXPECT_EQ(summary.StoppedAtRecord, 1 + 7 * pieces.size() + 1);
        // The next line of the source is the first of the first piece not written.
        const std::uint64_t expectedLine = 1 + 7 * pieces.size() + (csv ? 7 * pieces.size() / 10 : 0) + 1;
        EXPECT_EQ(summary.StoppedAtLine, expectedLine);
        EXPECT_EQ(files.OpenFiles(), 0);
        const std::string manifest = files.Files.at("out/src.manifest.json");
        EXPECT_NE(manifest.find("\"complete\": false"), std::string::npos);
        EXPECT_NE(manifest.find("src_" + std::to_string(pieces.size()) + ".txt"), std::string::npos);
        EXPECT_EQ(manifest.find("src_" + std::to_string(pieces.size() + 1) + ".txt"), std::string::npos);
    }
}

} // namespace
} // namespace orvo::test

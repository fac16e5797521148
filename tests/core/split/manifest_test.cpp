// Manifests, verify and join: the manifest read back as written, hostile manifests refused,
// verify finding changed, short, missing and extra pieces, join rebuilding the source byte for
// byte in every encoding, and a full disk.
#include "core/split/manifest.h"
#include "core/split/piece_join.h"
#include "core/split/piece_verify.h"
#include "split_harness.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace orvo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

const std::string ManifestPath = "out/src.manifest.json";

TManifest SampleManifest() {
    TManifest manifest;
    manifest.SourceName = "销售 2024 {1}.csv";
    manifest.SourceSize = 1234;
    manifest.SourceChecksum = ChecksumOf("source");
    manifest.Options.Mode = TSplitMode::Pieces;
    manifest.Options.PieceCount = 2;
    manifest.Options.Csv = true;
    manifest.Options.HeaderLines = 1;
    manifest.Options.NameTemplate = "{name}_{n:2}of{total}.{ext}";
    manifest.Options.Unmarked = TTextEncoding::Utf16Le;
    manifest.Encoding = TTextEncoding::Utf8;
    manifest.PrefixBytes = 12;
    manifest.Pieces = {{"a_01of02.csv", 600, 10, ChecksumOf("a")}, {"a_02of02.csv", 634, 11, ChecksumOf("b")}};
    return manifest;
}

TEST(Manifest, ReadsBackWhatWasWritten) {
    const TManifest written = SampleManifest();
    TManifest read;
    ASSERT_FALSE(ParseManifest(ManifestText(written), read).has_value()) << ManifestText(written);
    EXPECT_TRUE(read == written);
    TManifest stopped = written;
    stopped.Complete = false;
    stopped.SourceChecksum.reset();
    stopped.Pieces.clear();
    ASSERT_FALSE(ParseManifest(ManifestText(stopped), read).has_value());
    EXPECT_TRUE(read == stopped);
    EXPECT_EQ(TChecksum::FromHex(ChecksumOf("x").Hex()), ChecksumOf("x"));
    EXPECT_EQ(ChecksumOf("").Hex(), "99aa06d3014798d86001c324468d497f") << "XXH3-128 of nothing";
}

TEST(Manifest, HostileManifestsAreRefusedWithTheirReason) {
    const std::string good = ManifestText(SampleManifest());
    const auto with = [&](std::string_view from, std::string_view to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const std::pair<std::string, TManifestProblem> cases[] = {
        {"", TManifestProblem::NotJson},
        {good.substr(0, good.size() / 2), TManifestProblem::NotJson},
        {"[1,2]", TManifestProblem::NotManifest},
        {std::string(100, '[') + std::string(100, ']'), TManifestProblem::NotJson},
        {"{\"format\": \"other\"}", TManifestProblem::NotManifest},
        {with("\"version\": 1", "\"version\": 2"), TManifestProblem::NewerVersion},
        {with("\"a_01of02.csv\"", "\"../a_01of02.csv\""), TManifestProblem::NameOutsideFolder},
        {with("\"a_01of02.csv\"", "\"/etc/passwd\""), TManifestProblem::NameOutsideFolder},
        {with("\"a_01of02.csv\"", "\"..\""), TManifestProblem::NameOutsideFolder},
        {with("\"a_01of02.csv\"", "\"a_02of02.csv\""), TManifestProblem::DuplicateName},
        {with("\"size\": 600", "\"size\": -600"), TManifestProblem::NotManifest},
        {with("\"size\": 600", "\"size\": 6e2"), TManifestProblem::NotManifest},
        {with("\"size\": 600", "\"size\": 99999999999999999999999"), TManifestProblem::NotManifest},
        {with("\"records\": 10", "\"records\": \"10\""), TManifestProblem::NotManifest},
        {with("\"pieces\": 2", "\"pieces\": 1"), TManifestProblem::NotManifest},
        {with("{name}_{n:2}", "{name}_"), TManifestProblem::NotManifest},
        {with(ChecksumOf("a").Hex(), "xyz"), TManifestProblem::NotManifest},
        {good + "x", TManifestProblem::NotJson},
    };
    for (const auto& [text, problem] : cases) {
        TManifest read;
        const std::optional<TManifestRefusal> refusal = ParseManifest(text, read);
        ASSERT_TRUE(refusal.has_value()) << text;
        EXPECT_EQ(refusal->Problem, problem) << text;
        EXPECT_THAT(ManifestRefusalText(*refusal, "m.json"), HasSubstr("无法使用清单“m.json”："));
    }
}

// Splits FakeSource with a manifest on the in-memory file system.
void SplitWithManifest(TFakeFileSystem& files, TSplitJob job = {}) {
    job.SourcePath = FakeSource;
    job.TargetDir = FakeTarget;
    job.Manifest = true;
    if (job.Mode == TSplitMode::Lines && job.LineCount == 3000) job.LineCount = 2;
    job.ReadBufferSize = 7;
    TSplitSummary summary;
    ASSERT_FALSE(RunSplit(job, files, nullptr, &summary).has_value());
    EXPECT_EQ(summary.ManifestPath, ManifestPath);
}

TVerifyReport Verify(TFakeFileSystem& files) {
    TVerifyReport report;
    EXPECT_FALSE(VerifyPieces(ManifestPath, files, {}, report).has_value());
    return report;
}

std::vector<std::pair<std::string, TPieceState>> Problems(const TVerifyReport& report) {
    std::vector<std::pair<std::string, TPieceState>> problems;
    for (const TPieceCheck& piece : report.Pieces)
        if (piece.State != TPieceState::Intact) problems.emplace_back(piece.Name, piece.State);
    return problems;
}

TEST(Verify, FindsChangedShortMissingAndExtraPieces) {
    TFakeFileSystem files;
    files.Files[FakeSource] = "h\n1\n2\n3\n4\n5\n6\n7\n";
    TSplitJob job;
    job.HeaderLines = 1;
    SplitWithManifest(files, job);
    TVerifyReport report = Verify(files);
    EXPECT_TRUE(report.AllHold());
    ASSERT_EQ(report.Pieces.size(), 4u);
    EXPECT_EQ(report.Pieces[0].ListedSize, 9u);

    files.Files["out/src_1.txt"][4] = 'X';               // changed, same size
    files.Files["out/src_2.txt"].pop_back();             // truncated
    files.Files.erase("out/src_3.txt");                  // removed
    files.Files["out/src_4.txt"] += "more\r\n";          // grown
    files.Files["out/src_9.txt"] = "an earlier split";   // extra
    files.Files["out/src_x.txt"] = "not a piece name";
    report = Verify(files);
    EXPECT_FALSE(report.AllHold());
    EXPECT_THAT(Problems(report), ElementsAre(std::pair("src_1.txt", TPieceState::Changed),
                                              std::pair("src_2.txt", TPieceState::Short),
                                              std::pair("src_3.txt", TPieceState::Missing),
                                              std::pair("src_4.txt", TPieceState::Changed)));
    EXPECT_THAT(report.Extra, ElementsAre("src_9.txt"));

    // Join checks every piece as it reads it and leaves nothing behind when one is wrong.
    TJoinReport joined;
    const std::optional<TJoinError> error = JoinPieces(ManifestPath, "out/joined.txt", files, {}, joined);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->Problem, TJoinProblem::PieceChanged);
    EXPECT_EQ(error->Path, "out/src_1.txt");
    EXPECT_FALSE(files.Files.contains("out/joined.txt"));
    EXPECT_FALSE(files.Files.contains("out/joined.txt.orvo-join.tmp"));
}

TEST(Verify, ManifestsThatCannotBeUsed) {
    TFakeFileSystem files;
    TVerifyReport report;
    std::optional<TManifestError> error = VerifyPieces("out/none.manifest.json", files, {}, report);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->Refusal.Problem, TManifestProblem::Unreadable);
    files.Files["out/bad.json"] = "{\"format\": \"orvo-split-manifest\", \"version\": 1}";
    error = VerifyPieces("out/bad.json", files, {}, report);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->Refusal.Problem, TManifestProblem::NotManifest);
}

// Exact pieces join back to the source byte for byte, in every encoding, with headers, CSV and
// every mode; the result is checked against the source's checksum.
TEST(Join, RebuildsTheSourceByteForByte) {
    const TTextEncoding encodings[] = {TTextEncoding::Bytes,   TTextEncoding::Utf8,    TTextEncoding::Utf16Le,
                                       TTextEncoding::Utf16Be, TTextEncoding::Utf32Le, TTextEncoding::Utf32Be};
    int round = 0;
    for (const TTextEncoding encoding : encodings) {
        for (const TSplitMode mode : {TSplitMode::Lines, TSplitMode::Bytes, TSplitMode::Pieces}) {
            SCOPED_TRACE(testing::Message() << EncodingName(encoding) << " mode " << static_cast<int>(mode));
            const std::string source = std::string(MarkOf(encoding)) +
                                       Encode(encoding, U"id,文\r\n1,\"a\nb\"\r\n2,x\r3\x1A\n\n4,\"\"\"q\"\r\n5") +
                                       std::string(round++ % UnitSize(encoding), 'T');
            TFakeFileSystem files;
            files.Files[FakeSource] = source;
            TSplitJob job;
            job.Mode = mode;
            job.LineCount = 1;
            job.PieceBytes = 20;
            job.PieceCount = 3;
            job.HeaderLines = 1;
            job.Csv = true;
            job.KeepLineEnds = true;
            SplitWithManifest(files, job);
            TJoinReport report;
            ASSERT_FALSE(JoinPieces(ManifestPath, "out/joined.csv", files, {}, report).has_value());
            EXPECT_EQ(files.Files["out/joined.csv"], source);
            EXPECT_TRUE(report.SourceChecked);
        }
    }
}

TEST(Join, WithLineRulesJoinsThePiecesContentOnce) {
    TFakeFileSystem files;
    files.Files[FakeSource] = "\xEF\xBB\xBFh\n1\n2\r\n3\r\x1A";
    TSplitJob job;
    job.HeaderLines = 1;
    SplitWithManifest(files, job);
    TJoinReport report;
    ASSERT_FALSE(JoinPieces(ManifestPath, "joined.txt", files, {}, report).has_value());
    EXPECT_EQ(files.Files["joined.txt"], "\xEF\xBB\xBFh\r\n1\r\n2\r\n3\r\n");
    EXPECT_FALSE(report.SourceChecked);
}

TEST(Join, RefusesToOverwriteItsInputsAndToJoinAnUnfinishedSplit) {
    TFakeFileSystem files;
    files.Files[FakeSource] = "1\n2\n3\n";
    SplitWithManifest(files);
    const std::string before = files.Files["out/src_1.txt"];
    TJoinReport report;
    for (const std::string& output : {std::string("out/src_1.txt"), ManifestPath}) {
        const std::optional<TJoinError> error = JoinPieces(ManifestPath, output, files, {}, report);
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->Problem, TJoinProblem::OutputIsInput);
        EXPECT_EQ(error->Path, output);
    }
    EXPECT_EQ(files.Files["out/src_1.txt"], before);

    std::string& manifest = files.Files[ManifestPath];
    manifest.replace(manifest.find("\"complete\": true"), 16, "\"complete\": false");
    const std::optional<TJoinError> error = JoinPieces(ManifestPath, "joined.txt", files, {}, report);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->Problem, TJoinProblem::Incomplete);
}

// A disk that fills up: the error names the piece, the pieces before stay whole, and the
// manifest (its room taken first) lets verify name the short one.
TEST(Verify, AfterAFullDiskSaysWhichPieceIsShort) {
    TFakeFileSystem files;
    std::string source;
    for (int i = 0; i < 400; ++i)
        source += "line " + std::to_string(i) + "\n";
    files.Files[FakeSource] = source;
    files.DiskSpace = 4696 + 2 * 1000 + 500; // the manifest's room, two pieces and half of one
    TSplitJob job = FakeJob();
    job.Manifest = true;
    job.LineCount = 100;
    job.WriteBufferSize = 64;
    const std::optional<TSplitError> error = RunSplit(job, files, nullptr);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->Action, TSplitAction::Write);
    EXPECT_EQ(error->Path, "out/src_3.txt");
    EXPECT_THAT(error->Text(), HasSubstr("No space left on device"));
    const TVerifyReport report = Verify(files);
    EXPECT_FALSE(report.Complete);
    EXPECT_THAT(Problems(report), ElementsAre(std::pair("src_3.txt", TPieceState::Short)));
    EXPECT_EQ(report.Pieces.size(), 3u);
}

} // namespace
} // namespace orvo::test

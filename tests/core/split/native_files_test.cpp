// The split on the system's real files: Unicode names, overwriting, sharing and failures that
// only a real file system produces.
#include "core/split/piece_join.h"
#include "core/split/piece_verify.h"
#include "core/split/split_engine.h"
#include "platform/file_system.h"
#include "reference_split.h"
#include "temp_files.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

namespace orvo::test {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::Pair;
using ::testing::StartsWith;

class RealFiles : public ::testing::Test {
protected:
    // A directory path as the engine takes it: with its trailing separator.
    static std::string DirPrefix(const fs::path& dir) { return Utf8(dir / ""); }

    std::optional<TSplitError> Split(const std::string& source, const std::string& target, int lines) {
        TSplitJob job;
        job.SourcePath = source;
        job.TargetDir = target;
        job.LineCount = lines;
        return RunSplit(job, NativeFileSystem(), [&](TSplitReportCode code, const std::string& text) {
            FReports.emplace_back(code, text);
        });
    }

    TTempDir FTemp;
    const fs::path& FRoot = FTemp.Path();
    TReports FReports;
};

TEST_F(RealFiles, UnicodeNamesAndOverwritingOldPieces) {
    const fs::path dir = FRoot / FromUtf8("数据 目录.v2");
    fs::create_directories(dir);
    const fs::path source = dir / FromUtf8("报表.2024.txt");
    WriteAll(source, "第一行\n第二行\r\n第三行");
    WriteAll(dir / FromUtf8("报表.2024_1.txt"), std::string(1000, 'o'));
    WriteAll(dir / FromUtf8("报表.2024_5.txt"), "older split");

    ASSERT_FALSE(Split(Utf8(source), DirPrefix(dir), 2).has_value());

    EXPECT_EQ(ReadAll(dir / FromUtf8("报表.2024_1.txt")), "第一行\r\n第二行\r\n");
    EXPECT_EQ(ReadAll(dir / FromUtf8("报表.2024_2.txt")), "第三行\r\n");
    EXPECT_EQ(ReadAll(dir / FromUtf8("报表.2024_5.txt")), "older split");
    EXPECT_FALSE(fs::exists(dir / FromUtf8("报表.2024_3.txt")));
    EXPECT_THAT(FReports, ElementsAre(Pair(TSplitReportCode::Progress, "准备开始分割"),
                                      Pair(TSplitReportCode::Progress,
                                           "分割完成：" + DirPrefix(dir) + "报表.2024_1.txt"),
                                      Pair(TSplitReportCode::Done, DirPrefix(dir))));
}

// Real reads return what the system gives; the pieces must still follow the rules exactly.
TEST_F(RealFiles, LargeSourceMatchesTheRules) {
    std::mt19937 random(99);
    std::string source;
    const char* ends[] = {"\n", "\r\n", "\r", "\n\n"};
    while (source.size() < (3u << 20)) {
        source.append(random() % 300, static_cast<char>('a' + random() % 26));
        source += ends[random() % 4];
    }
    WriteAll(FRoot / "big.log", source);
    ASSERT_FALSE(Split(Utf8(FRoot / "big.log"), DirPrefix(FRoot), 1000).has_value());
    const TReferenceSplit expected = ReferenceSplit(source, 1000, DirPrefix(FRoot), DirPrefix(FRoot) + "big");
    for (std::size_t k = 0; k < expected.Pieces.size(); ++k)
        ASSERT_EQ(ReadAll(FRoot / ("big_" + std::to_string(k + 1) + ".txt")), expected.Pieces[k]) << k + 1;
    EXPECT_FALSE(fs::exists(FRoot / ("big_" + std::to_string(expected.Pieces.size() + 1) + ".txt")));
    EXPECT_EQ(FReports, expected.Reports);
}

TEST_F(RealFiles, UnreadableSourceLeavesAnEmptyFirstPiece) {
    fs::create_directories(FRoot / "folder.txt"); // a directory cannot be read as text
    const std::optional<TSplitError> error = Split(Utf8(FRoot / "folder.txt"), DirPrefix(FRoot), 5);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->Action, TSplitAction::Open);
    EXPECT_THAT(error->Text(), StartsWith("无法打开文件“" + Utf8(FRoot / "folder.txt") + "”："));
    EXPECT_NE(error->System.Code, 0);
    EXPECT_EQ(ReadAll(FRoot / "folder_1.txt"), "");
    EXPECT_THAT(FReports, ElementsAre(Pair(TSplitReportCode::Progress, "准备开始分割")));
}

void ExpectCreateFailure(const std::optional<TSplitError>& error, const std::string& piece) {
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->Action, TSplitAction::Create);
    EXPECT_EQ(error->Path, piece);
    const std::string& message = error->System.Message;
    ASSERT_FALSE(message.empty());
    EXPECT_NE(message.back(), '.');
    EXPECT_NE(message.back(), '\n');
}

TEST_F(RealFiles, TargetThatCannotHoldPieces) {
    WriteAll(FRoot / "in.txt", "x\n");
    const std::string missing = DirPrefix(FRoot / "missing");
    ExpectCreateFailure(Split(Utf8(FRoot / "in.txt"), missing, 5), missing + "in_1.txt");
    WriteAll(FRoot / "plain", "a file, not a directory");
    const std::string notDir = DirPrefix(FRoot / "plain");
    ExpectCreateFailure(Split(Utf8(FRoot / "in.txt"), notDir, 5), notDir + "in_1.txt");
#ifdef __linux__
    ExpectCreateFailure(Split(Utf8(FRoot / "in.txt"), "/proc/", 5), "/proc/in_1.txt"); // read-only
#endif
    EXPECT_TRUE(FReports.empty());
}

TEST_F(RealFiles, PathsLongerThanTheOldLimit) {
    const fs::path dir = FRoot / std::string(200, 'd');
    fs::create_directories(dir);
    const std::string name = std::string(80, 'n');
    WriteAll(dir / (name + ".txt"), "a\nb\n");
    ASSERT_GT(Utf8(dir / name).size(), 260u);
    ASSERT_FALSE(Split(Utf8(dir / (name + ".txt")), DirPrefix(dir), 1).has_value());
    EXPECT_EQ(ReadAll(dir / (name + "_2.txt")), "b\r\n");
}

TEST_F(RealFiles, OthersMayReadBothFilesWhileTheSplitRuns) {
    WriteAll(FRoot / "src.txt", "x");
    TSystemError error;
    const auto first = NativeFileSystem().OpenRead(Utf8(FRoot / "src.txt"), error);
    const auto second = NativeFileSystem().OpenRead(Utf8(FRoot / "src.txt"), error);
    EXPECT_TRUE(first && second);
    const auto piece = NativeFileSystem().Create(Utf8(FRoot / "src_1.txt"), error);
    ASSERT_TRUE(piece);
    ASSERT_TRUE(piece->Write("abc", 3, error));
    // A reader that lets the writer go on (as viewers and editors do) sees what is written so far.
    EXPECT_EQ(ReadAll(FRoot / "src_1.txt"), "abc");
#ifdef _WIN32
    EXPECT_FALSE(NativeFileSystem().Create(Utf8(FRoot / "src_1.txt"), error)) << "no second writer";
#endif
    EXPECT_TRUE(piece->Close(error));
}

// The system's own create-new, rename (over an existing file), remove, list and status, through
// a split that needs them all: {total}, a manifest, --no-clobber, verify and join.
TEST_F(RealFiles, NamesManifestVerifyAndJoinOnTheSystemsFiles) {
    const fs::path dir = FRoot / FromUtf8("导出");
    fs::create_directories(dir);
    const fs::path source = dir / FromUtf8("订单.csv");
    WriteAll(source, "id,v\r\n1,\"a\r\nb\"\r\n2,c\r\n3,d");
    WriteAll(dir / FromUtf8("订单.1.of.2.csv"), "an old piece, replaced by the rename");
    TSplitJob job;
    job.SourcePath = Utf8(source);
    job.TargetDir = DirPrefix(dir);
    job.Csv = true;
    job.HeaderLines = 1;
    job.LineCount = 2;
    job.KeepLineEnds = true;
    job.Manifest = true;
    job.NameTemplate = "{name}.{n}.of.{total}.{ext}";
    TSplitSummary summary;
    ASSERT_FALSE(RunSplit(job, NativeFileSystem(), nullptr, &summary).has_value());
    EXPECT_EQ(ReadAll(dir / FromUtf8("订单.1.of.2.csv")), "id,v\r\n1,\"a\r\nb\"\r\n2,c\r\n");
    EXPECT_EQ(ReadAll(dir / FromUtf8("订单.2.of.2.csv")), "id,v\r\n3,d");
    EXPECT_FALSE(fs::exists(dir / FromUtf8("订单.1.of.~.csv")));
    EXPECT_EQ(summary.ManifestPath, DirPrefix(dir) + "订单.manifest.json");

    job.NoClobber = true;
    const std::optional<TSplitError> refused = RunSplit(job, NativeFileSystem(), nullptr);
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->Refusal.Problem, TOptionProblem::PieceExists);
    TSystemError system;
    EXPECT_FALSE(NativeFileSystem().CreateNew(Utf8(source), system)) << "create-new never truncates";
    EXPECT_NE(ReadAll(source), "");

    TVerifyReport report;
    ASSERT_FALSE(VerifyPieces(summary.ManifestPath, NativeFileSystem(), {}, report).has_value());
    EXPECT_TRUE(report.AllHold());
    WriteAll(dir / FromUtf8("订单.3.of.3.csv"), "left by another split");
    ASSERT_FALSE(VerifyPieces(summary.ManifestPath, NativeFileSystem(), {}, report).has_value());
    EXPECT_EQ(report.Extra, std::vector<std::string>{"订单.3.of.3.csv"});

    TJoinReport joined;
    ASSERT_FALSE(JoinPieces(summary.ManifestPath, Utf8(dir / "joined.csv"), NativeFileSystem(), {}, joined).has_value());
    EXPECT_EQ(ReadAll(dir / "joined.csv"), ReadAll(source));
    EXPECT_TRUE(joined.SourceChecked);
    // The same file by another path is still an input.
    const std::optional<TJoinError> onInput = JoinPieces(
        summary.ManifestPath, Utf8(dir / ".." / FromUtf8("导出") / FromUtf8("订单.2.of.2.csv")), NativeFileSystem(), {},
        joined);
    ASSERT_TRUE(onInput.has_value());
    EXPECT_EQ(onInput->Problem, TJoinProblem::OutputIsInput);
}

TEST(SystemMessages, TrailingPunctuationAndBreaksAreTrimmed) {
    EXPECT_EQ(TrimSystemMessage("Access is denied.\r\n"), "Access is denied");
    EXPECT_EQ(TrimSystemMessage("拒绝访问。\r\n"), "拒绝访问");
    EXPECT_EQ(TrimSystemMessage("No such file or directory"), "No such file or directory");
    EXPECT_EQ(TrimSystemMessage(" .\r\n"), "");
    EXPECT_FALSE(SystemErrorFromCode(2).Message.empty());
}

} // namespace
} // namespace orvo::test

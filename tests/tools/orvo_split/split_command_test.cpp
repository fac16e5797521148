// The orvo-split command: arguments, messages, exit codes and the files it makes, in-process and
// as the real program.
#include "run_process.h"
#include "tests/core/split/temp_files.h"
#include "tools/orvo_split/progress_line.h"
#include "tools/orvo_split/split_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace orvo::test {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::StartsWith;

struct TCommandResult {
    int ExitCode;
    std::string Out;
    std::string Err;
};

TCommandResult Command(const std::vector<std::string>& arguments) {
    TCommandResult result{};
    result.ExitCode = RunSplitCommand(
        arguments, [&](std::string_view text) { result.Out += text; },
        [&](std::string_view text) { result.Err += text; });
    return result;
}

class SplitCommand : public ::testing::Test {
protected:
    void SetUp() override { WriteAll(FSource, "1\n2\n3\n4\n5"); }

    std::string Piece(const fs::path& dir, int k) const {
        return Utf8(dir / FromUtf8("日志.2024_" + std::to_string(k) + ".txt"));
    }

    TTempDir FTemp;
    const fs::path& FRoot = FTemp.Path();
    const fs::path FSource = FRoot / FromUtf8("日志.2024.txt");
};

TEST_F(SplitCommand, BadArgumentsGiveUsageAndExitOne) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, "需要一个源文件"},
        {{"a", "b", "c"}, "需要一个源文件"},
        {{"--lines"}, "缺少选项的值：--lines"},
        {{"--lines", "0", "a"}, "“0”"},
        {{"--lines", "100000", "a"}, "“100000”"},
        {{"--lines", "-3", "a"}, "“-3”"},
        {{"--lines=", "a"}, "“”"},
        {{"--lines", "12x", "a"}, "“12x”"},
        {{"--bogus", "a"}, "--bogus"},
        {{"--header", "10000", "a"}, "“10000”"},
        {{"--header", "-1", "a"}, "“-1”"},
        {{"--header"}, "缺少选项的值：--header"},
        {{"--bytes", "0", "a"}, "“0”"},
        {{"--bytes", "12T", "a"}, "“12T”"},
        {{"--bytes", "k", "a"}, "“k”"},
        {{"--bytes=2000000G", "a"}, "“2000000G”"},
        {{"--bytes", "10k", "--lines", "5", "a"}, "--lines 和 --bytes 只能用一个"},
        {{"--encoding", "utf-32le", "a"}, "“utf-32le”"},
        {{"--encoding=", "a"}, "“”"},
    };
    for (const auto& [arguments, complaint] : cases) {
        const TCommandResult result = Command(arguments);
        EXPECT_EQ(result.ExitCode, ExitUsage) << complaint;
        EXPECT_THAT(result.Err, HasSubstr(complaint));
        EXPECT_THAT(result.Err, HasSubstr("用法：orvo-split [--lines N | --bytes SIZE]"));
        EXPECT_EQ(result.Out, "");
    }
    const TCommandResult help = Command({"--help"});
    EXPECT_EQ(help.ExitCode, ExitSuccess);
    EXPECT_THAT(help.Out, StartsWith("用法："));
}

TEST_F(SplitCommand, SplitsBesideTheSourceAndReportsEachStep) {
    const TCommandResult result = Command({"--lines", "2", Utf8(FSource)});
    EXPECT_EQ(result.ExitCode, ExitSuccess) << result.Err;
    EXPECT_EQ(result.Out, "准备开始分割\n分割完成：" + Piece(FRoot, 1) + "\n分割完成：" + Piece(FRoot, 2) +
                              "\n文件拆分完成！\n");
    EXPECT_EQ(ReadAll(FromUtf8(Piece(FRoot, 1))), "1\r\n2\r\n");
    EXPECT_EQ(ReadAll(FromUtf8(Piece(FRoot, 3))), "5\r\n");
    EXPECT_FALSE(fs::exists(FromUtf8(Piece(FRoot, 4))));
}

TEST_F(SplitCommand, LineCountFormsAndTargetWithoutSeparator) {
    fs::create_directories(FRoot / "out");
    std::string target = Utf8(FRoot / "out");
    const TCommandResult result = Command({Utf8(FSource), target, "--lines=00005"});
    EXPECT_EQ(result.ExitCode, ExitSuccess) << result.Err;
    EXPECT_EQ(result.Out, "准备开始分割\n分割完成：" + Piece(FRoot / "out", 1) + "\n文件拆分完成！\n");
    EXPECT_EQ(ReadAll(FromUtf8(Piece(FRoot / "out", 2))), "");
    EXPECT_EQ(Command({"--lines", "99999", Utf8(FSource), target}).ExitCode, ExitSuccess);
}

TEST_F(SplitCommand, DefaultIsThreeThousandLines) {
    std::string source;
    for (int i = 0; i < 3001; ++i)
        source += "x\n";
    WriteAll(FSource, source);
    ASSERT_EQ(Command({Utf8(FSource)}).ExitCode, ExitSuccess);
    EXPECT_EQ(ReadAll(FromUtf8(Piece(FRoot, 2))), "x\r\n");
}

TEST_F(SplitCommand, UnusableSourceOrTargetExitsTwoWithoutMakingPieces) {
    const std::string missing = Utf8(FRoot / "missing.txt");
    const TCommandResult noSource = Command({missing});
    EXPECT_EQ(noSource.ExitCode, ExitIoFailure);
    EXPECT_THAT(noSource.Err, HasSubstr("拆分失败：无法打开文件“" + missing + "”："));
    EXPECT_FALSE(fs::exists(FRoot / "missing_1.txt"));

    const TCommandResult noTarget = Command({Utf8(FSource), Utf8(FRoot / "nowhere")});
    EXPECT_EQ(noTarget.ExitCode, ExitIoFailure);
    EXPECT_THAT(noTarget.Err, HasSubstr("目标目录不可用“" + Utf8(FRoot / "nowhere") + "”："));

    const TCommandResult fileTarget = Command({Utf8(FSource), Utf8(FSource)});
    EXPECT_EQ(fileTarget.ExitCode, ExitIoFailure);
    EXPECT_EQ(fileTarget.Out, "");
    EXPECT_FALSE(fs::exists(FromUtf8(Piece(FRoot, 1))));
}

TEST_F(SplitCommand, HeaderBytesAndEncodingOptions) {
    WriteAll(FSource, "id\n1\n2\n3\n");
    ASSERT_EQ(Command({"--header=1", "--lines", "2", Utf8(FSource)}).ExitCode, ExitSuccess);
    EXPECT_EQ(ReadAll(FromUtf8(Piece(FRoot, 1))), "id\r\n1\r\n2\r\n");
    EXPECT_EQ(ReadAll(FromUtf8(Piece(FRoot, 2))), "id\r\n3\r\n");

    std::string big;
    for (int i = 0; i < 1000; ++i)
        big += "0123456789\n"; // 12 bytes a line as written
    WriteAll(FSource, big);
    ASSERT_EQ(Command({"--bytes", "1k", Utf8(FSource)}).ExitCode, ExitSuccess);
    EXPECT_EQ(ReadAll(FromUtf8(Piece(FRoot, 1))).size(), 1020u); // 85 lines
    EXPECT_EQ(ReadAll(FromUtf8(Piece(FRoot, 12))).size(), 1000u * 12 - 11 * 1020);
    EXPECT_FALSE(fs::exists(FromUtf8(Piece(FRoot, 13))));

    // A UTF-16LE source without its mark, as the option says; its pieces get no mark either.
    WriteAll(FSource, std::string("a\0\n\0b\0\n\0", 8));
    ASSERT_EQ(Command({"--encoding", "utf-16le", "--lines", "1", Utf8(FSource)}).ExitCode, ExitSuccess);
    EXPECT_EQ(ReadAll(FromUtf8(Piece(FRoot, 1))), std::string("a\0\r\0\n\0", 6));
    // Auto reads it as bytes, as before.
    ASSERT_EQ(Command({"--lines", "1", Utf8(FSource)}).ExitCode, ExitSuccess);
    EXPECT_EQ(ReadAll(FromUtf8(Piece(FRoot, 1))), std::string("a\0\r\n", 4));
}

TEST_F(SplitCommand, StrayLastByteIsKeptAndWarnedAbout) {
    WriteAll(FSource, std::string("\xFF\xFE" "a\0\n\0" "Z", 7));
    const TCommandResult result = Command({Utf8(FSource)});
    EXPECT_EQ(result.ExitCode, ExitSuccess);
    EXPECT_EQ(result.Err, "orvo-split: 警告：源文件末尾有 1 个字节不足一个 UTF-16LE 代码单元，已原样保留在最后一个文件末尾\n");
    EXPECT_EQ(ReadAll(FromUtf8(Piece(FRoot, 1))), std::string("\xFF\xFE" "a\0\r\0\n\0" "Z", 9));
}

TEST_F(SplitCommand, QuietAndProgress) {
    const TCommandResult quiet = Command({"--quiet", "--lines", "2", Utf8(FSource)});
    EXPECT_EQ(quiet.ExitCode, ExitSuccess);
    EXPECT_EQ(quiet.Out, "");
    EXPECT_EQ(quiet.Err, "");
    EXPECT_EQ(ReadAll(FromUtf8(Piece(FRoot, 3))), "5\r\n");

    // Asked for, progress goes to the error stream only, and ends with the whole source read.
    const TCommandResult shown = Command({"--progress", "--lines", "2", Utf8(FSource)});
    EXPECT_EQ(shown.Out, "准备开始分割\n分割完成：" + Piece(FRoot, 1) + "\n分割完成：" + Piece(FRoot, 2) +
                             "\n文件拆分完成！\n");
    EXPECT_THAT(shown.Err, StartsWith("\r"));
    EXPECT_THAT(shown.Err, HasSubstr("100.0%"));
    EXPECT_THAT(shown.Err, ::testing::EndsWith("剩余 0:00\n"));

    // Both streams on one screen: the progress line is blanked before each report.
    std::string screen;
    const auto both = [&](std::string_view text) { screen += text; };
    EXPECT_EQ(RunSplitCommand({"--lines", "2", Utf8(FSource)}, {both, both, true, true}), ExitSuccess);
    EXPECT_THAT(screen, HasSubstr("MiB/s"));
    EXPECT_THAT(screen, HasSubstr("\r分割完成："));
    EXPECT_THAT(screen, ::testing::Not(HasSubstr("--分割完成"))) << "a report glued to the progress line";
}

TEST_F(SplitCommand, NewOptionsThatCannotBeUsedGiveUsageAndExitOne) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--pieces", "4", "--lines", "5", "a"}, "--lines 和 --pieces 只能用一个"},
        {{"--bytes", "1k", "--pieces", "4", "a"}, "--bytes 和 --pieces 只能用一个"},
        {{"--pieces", "1", "a"}, "份数必须是 2 到 99999 之间的整数：“1”"},
        {{"--pieces", "100000", "a"}, "“100000”"},
        {{"--max-record", "0", "a"}, "记录上限"},
        {{"--name", "{name}.txt", "a"}, "文件名模板必须含有 {n}"},
        {{"--name", "../{n}.txt", "a"}, "文件名模板会离开目标目录：“/”"},
        {{"--name", "{n}_{size}", "a"}, "未知的字段：“{size}”"},
        {{"verify"}, "verify 需要一个清单文件"},
        {{"join", "m.json"}, "join 需要一个清单文件和一个输出文件"},
    };
    for (const auto& [arguments, complaint] : cases) {
        const TCommandResult result = Command(arguments);
        EXPECT_EQ(result.ExitCode, ExitUsage) << complaint;
        EXPECT_THAT(result.Err, HasSubstr(complaint));
        EXPECT_EQ(result.Out, "");
    }
}

// A CSV export split into named, verifiable pieces; verify after a piece is changed; join back.
TEST_F(SplitCommand, CsvPiecesVerifiedAndJoined) {
    const fs::path csv = FRoot / FromUtf8("订单.csv");
    std::string content = "id,备注\r\n";
    for (int i = 1; i <= 30; ++i)
        content += std::to_string(i) + (i % 4 == 0 ? ",\"两行\n备注\"\r\n" : ",普通\r\n");
    WriteAll(csv, content);
    const TCommandResult split = Command({"--csv", "--header", "1", "--pieces", "4", "--keep-line-ends",
                                          "--manifest", "--name", "{name}-{n:2}-{total}.{ext}", Utf8(csv)});
    ASSERT_EQ(split.ExitCode, ExitSuccess) << split.Err;
    EXPECT_THAT(split.Out, HasSubstr("分割完成：" + Utf8(FRoot / FromUtf8("订单-01-4.csv"))));
    EXPECT_THAT(split.Out, HasSubstr("清单：" + Utf8(FRoot / FromUtf8("订单.manifest.json"))));
    const std::string manifest = Utf8(FRoot / FromUtf8("订单.manifest.json"));
    for (int k = 1; k <= 4; ++k) {
        const std::string piece = ReadAll(FRoot / FromUtf8("订单-0" + std::to_string(k) + "-4.csv"));
        EXPECT_TRUE(piece.starts_with("id,备注\r\n")) << k;
        EXPECT_EQ(std::count(piece.begin(), piece.end(), '"') % 2, 0) << "no record cut, piece " << k;
    }
    TCommandResult verify = Command({"verify", manifest});
    EXPECT_EQ(verify.ExitCode, ExitSuccess);
    EXPECT_EQ(verify.Out, "全部 4 个文件完好\n");

    const fs::path output = FRoot / "joined.csv";
    const TCommandResult join = Command({"join", manifest, Utf8(output)});
    EXPECT_EQ(join.ExitCode, ExitSuccess) << join.Err;
    EXPECT_EQ(ReadAll(output), content);
    EXPECT_THAT(join.Out, HasSubstr("与源文件逐字节相同"));

    WriteAll(FRoot / FromUtf8("订单-02-4.csv"), "changed");
    verify = Command({"verify", manifest});
    EXPECT_EQ(verify.ExitCode, 1);
    EXPECT_THAT(verify.Out, HasSubstr("不完整：订单-02-4.csv"));
    const TCommandResult onInput = Command({"join", manifest, Utf8(FRoot / FromUtf8("订单-01-4.csv"))});
    EXPECT_EQ(onInput.ExitCode, ExitIoFailure);
    EXPECT_THAT(onInput.Err, HasSubstr("输出文件会覆盖合并的输入"));

    // --no-clobber: the pieces are there now, so nothing starts.
    const TCommandResult again = Command({"--no-clobber", "--pieces", "4", "--name", "{name}-{n:2}-{total}.{ext}",
                                          Utf8(csv)});
    EXPECT_EQ(again.ExitCode, ExitIoFailure);
    EXPECT_THAT(again.Err, HasSubstr("文件已存在（--no-clobber）："));
    EXPECT_EQ(ReadAll(FRoot / FromUtf8("订单-02-4.csv")), "changed");
}

TEST_F(SplitCommand, UnclosedQuoteWarnsOrStopsWithExitTwo) {
    WriteAll(FSource, "a\n\"b\nc\n");
    TCommandResult result = Command({"--csv", Utf8(FSource)});
    EXPECT_EQ(result.ExitCode, ExitSuccess);
    EXPECT_THAT(result.Err, HasSubstr("该引号从第 2 行开始"));
    WriteAll(FSource, "a\n\"b\n" + std::string(3000, 'c') + "\n");
    result = Command({"--csv", "--max-record", "1k", Utf8(FSource)});
    EXPECT_EQ(result.ExitCode, ExitIoFailure);
    EXPECT_THAT(result.Err, HasSubstr("第 2 行的引号没有闭合"));
}

TEST(ProgressLine, TextAndPace) {
    EXPECT_EQ(ProgressText({512u << 20, 1024u << 20}, 4.0), " 50.0%  128.0 MiB/s  已用 0:04  剩余 0:04");
    EXPECT_EQ(ProgressText({1u << 20, 3600ull << 20}, 1.0), "  0.0%  1.0 MiB/s  已用 0:01  剩余 59:59");
    EXPECT_EQ(ProgressText({1u << 20, 7200ull << 20}, 1.0), "  0.0%  1.0 MiB/s  已用 0:01  剩余 1:59:59");
    EXPECT_EQ(ProgressText({10, 100}, 0.0), " 10.0%  0.0 MiB/s  已用 0:00  剩余 -:--");
    EXPECT_EQ(ProgressText({3u << 20, 0}, 2.0), "3.0 MiB  1.5 MiB/s  已用 0:02");
    EXPECT_EQ(TerminalColumns("ab 已用"), 7u);

    std::string err;
    const auto start = TProgressLine::TClock::now();
    TProgressLine line([&](std::string_view text) { err += text; }, start);
    line.Update({1, 10}, start);
    line.Update({2, 10}, start + std::chrono::milliseconds(50));
    EXPECT_EQ(std::count(err.begin(), err.end(), '\r'), 1) << "at most ten drawings a second";
    line.Update({3, 10}, start + std::chrono::milliseconds(100));
    EXPECT_EQ(std::count(err.begin(), err.end(), '\r'), 2);
    EXPECT_THAT(err, ::testing::EndsWith(" 30.0%  0.0 MiB/s  已用 0:00  剩余 -:--"));
    line.Clear();
    std::string blank(TerminalColumns(" 30.0%  0.0 MiB/s  已用 0:00  剩余 -:--") + 2, ' ');
    blank.front() = blank.back() = '\r';
    EXPECT_THAT(err, ::testing::EndsWith(blank));
}

// The real program: exit codes, and UTF-8 bytes on its output through a pipe or file, with a
// Chinese path passed on its command line.
TEST_F(SplitCommand, RealProgram) {
    const fs::path tool = OwnDirectory() / ORVO_SPLIT_TOOL;
    const fs::path scratch = FRoot / "scratch";
    fs::create_directories(scratch);

    const TProcessResult ok = RunProcess(tool, {"--lines", "4", Utf8(FSource)}, scratch);
    EXPECT_EQ(ok.ExitCode, 0) << ok.Err;
    EXPECT_EQ(ok.Out, "准备开始分割\n分割完成：" + Piece(FRoot, 1) + "\n文件拆分完成！\n");
    EXPECT_EQ(ReadAll(FromUtf8(Piece(FRoot, 2))), "5\r\n");

    const TProcessResult usage = RunProcess(tool, {"--lines", "0", Utf8(FSource)}, scratch);
    EXPECT_EQ(usage.ExitCode, 1);
    EXPECT_THAT(usage.Err, HasSubstr("用法："));
    EXPECT_EQ(usage.Out, "");

    const TProcessResult failed = RunProcess(tool, {Utf8(FRoot / FromUtf8("不存在.txt"))}, scratch);
    EXPECT_EQ(failed.ExitCode, 2);
    EXPECT_THAT(failed.Err, HasSubstr("无法打开文件“" + Utf8(FRoot / FromUtf8("不存在.txt")) + "”："));
    EXPECT_EQ(ok.Err, "") << "no progress through a pipe unless asked for";

#ifndef _WIN32
    // On a terminal the progress line is there by default, and only there.
    const TProcessResult onTerminal = RunWithTerminalErr(tool, {"--lines", "4", Utf8(FSource)}, scratch);
    EXPECT_EQ(onTerminal.ExitCode, 0);
    EXPECT_THAT(onTerminal.Err, HasSubstr("100.0%"));
    EXPECT_EQ(onTerminal.Out, ok.Out);
    const TProcessResult silenced = RunWithTerminalErr(tool, {"--no-progress", Utf8(FSource)}, scratch);
    EXPECT_EQ(silenced.Err, "");
#endif
}

} // namespace
} // namespace orvo::test

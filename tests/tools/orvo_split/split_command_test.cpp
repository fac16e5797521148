// The orvo-split command: arguments, messages, exit codes and the files it makes, in-process and
// as the real program.
#include "run_process.h"
#include "tests/core/split/temp_files.h"
#include "tools/orvo_split/split_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

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
        {{"--lines"}, "缺少行数"},
        {{"--lines", "0", "a"}, "“0”"},
        {{"--lines", "100000", "a"}, "“100000”"},
        {{"--lines", "-3", "a"}, "“-3”"},
        {{"--lines=", "a"}, "“”"},
        {{"--lines", "12x", "a"}, "“12x”"},
        {{"--bogus", "a"}, "--bogus"},
    };
    for (const auto& [arguments, complaint] : cases) {
        const TCommandResult result = Command(arguments);
        EXPECT_EQ(result.ExitCode, ExitUsage) << complaint;
        EXPECT_THAT(result.Err, HasSubstr(complaint));
        EXPECT_THAT(result.Err, HasSubstr("用法：orvo-split [--lines N] SOURCE [TARGET_DIR]"));
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
}

} // namespace
} // namespace orvo::test

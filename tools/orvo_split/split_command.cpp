#include "tools/orvo_split/split_command.h"
#include "core/split/piece_naming.h"
#include "core/split/split_engine.h"
#include "platform/file_system.h"

#include <algorithm>
#include <optional>

namespace orvo {

namespace {

constexpr std::string_view Usage =
    "用法：orvo-split [--lines N] SOURCE [TARGET_DIR]\n"
    "把文本文件 SOURCE 拆分为每个最多 N 行的文件 <名称>_1.txt、<名称>_2.txt……\n"
    "  --lines N    每个文件的最大行数，1 到 99999，默认 3000\n"
    "  TARGET_DIR   保存到的目录（必须已存在），默认为 SOURCE 所在目录\n"
    "  --help       显示本说明\n";
constexpr std::string_view Finished = "文件拆分完成！";
constexpr std::string_view SplitFailed = "拆分失败：";
constexpr std::string_view BadLineCount = "行数必须是 1 到 99999 之间的整数：";
constexpr std::string_view UnknownOption = "未知的选项：";
constexpr std::string_view MissingValue = "缺少行数：--lines";
constexpr std::string_view WrongArgumentCount = "需要一个源文件，和可选的目标目录";
constexpr std::string_view TargetUnusable = "目标目录不可用“";
constexpr std::string_view ProgramName = "orvo-split: ";

#ifdef _WIN32
constexpr char NativeSeparator = '\\';
#else
constexpr char NativeSeparator = '/';
#endif

struct TCommand {
    int LineCount = 3000;
    std::vector<std::string> Paths;
    bool Help = false;
};

std::optional<int> ParseLineCount(std::string_view text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
    text.remove_prefix(std::min(text.find_first_not_of('0'), text.size()));
    if (text.empty() || text.size() > 5) return std::nullopt;
    int value = 0;
    for (const char digit : text)
        value = value * 10 + (digit - '0');
    return value;
}

// Fills `command`, or returns the complaint about the arguments.
std::optional<std::string> ParseArguments(const std::vector<std::string>& arguments, TCommand& command) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        std::optional<std::string_view> lines;
        if (optionsEnded || argument == "-" || !argument.starts_with('-')) {
            command.Paths.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            command.Help = true;
        } else if (argument == "--lines") {
            if (++i == arguments.size()) return std::string(MissingValue);
            lines = arguments[i];
        } else if (argument.starts_with("--lines=")) {
            lines = std::string_view(argument).substr(8);
        } else {
            return std::string(UnknownOption) + argument;
        }
        if (lines) {
            const std::optional<int> count = ParseLineCount(*lines);
            if (!count) return std::string(BadLineCount) + "“" + std::string(*lines) + "”";
            command.LineCount = *count;
        }
    }
    if (!command.Help && (command.Paths.empty() || command.Paths.size() > 2))
        return std::string(WrongArgumentCount);
    return std::nullopt;
}

std::string FailureLine(const TSplitError& error) {
    return std::string(ProgramName) + std::string(SplitFailed) + error.Text() + "\n";
}

// The source must be readable before any piece is made, as the window checks it before it starts.
bool CheckSource(const std::string& path, const TTextSink& err) {
    TSystemError system;
    std::unique_ptr<TInputFile> probe = NativeFileSystem().OpenRead(path, system);
    if (probe) return true;
    err(FailureLine({TSplitAction::Open, path, std::move(system)}));
    return false;
}

bool ResolveTarget(const TCommand& command, std::string& target, const TTextSink& err) {
    if (command.Paths.size() < 2) {
        target = DirectoryPartOf(command.Paths[0]);
        return true;
    }
    target = command.Paths[1];
    TSystemError system;
    if (!IsDirectory(target, system)) {
        err(std::string(ProgramName) + std::string(TargetUnusable) + target + "”：" + system.Message + "\n");
        return false;
    }
    if (target.find_last_of(PathSeparators) != target.size() - 1) target += NativeSeparator;
    return true;
}

} // namespace

int RunSplitCommand(const std::vector<std::string>& arguments, const TTextSink& out, const TTextSink& err) {
    TCommand command;
    if (const std::optional<std::string> complaint = ParseArguments(arguments, command)) {
        err(std::string(ProgramName) + *complaint + "\n" + std::string(Usage));
        return ExitUsage;
    }
    if (command.Help) {
        out(Usage);
        return ExitSuccess;
    }
    TSplitJob job;
    job.SourcePath = command.Paths[0];
    job.LineCount = command.LineCount;
    if (!CheckSource(job.SourcePath, err) || !ResolveTarget(command, job.TargetDir, err))
        return ExitIoFailure;

    const auto report = [&](TSplitReportCode code, const std::string& text) {
        out(code == TSplitReportCode::Done ? std::string(Finished) + "\n" : text + "\n");
    };
    if (const std::optional<TSplitError> error = RunSplit(job, NativeFileSystem(), report)) {
        err(FailureLine(*error));
        return ExitIoFailure;
    }
    return ExitSuccess;
}

} // namespace orvo

#include "tools/orvo_split/split_command.h"
#include "core/settings/split_text.h"
#include "core/split/piece_join.h"
#include "core/split/piece_naming.h"
#include "core/split/piece_verify.h"
#include "core/split/split_engine.h"
#include "platform/file_system.h"
#include "tools/orvo_split/progress_line.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace orvo {

namespace {

constexpr std::string_view Usage =
    "用法：orvo-split [--lines N | --bytes SIZE] [--pieces N] [--header H] [--csv] [--max-record SIZE]\n"
    "                 [--encoding E] [--name TEMPLATE] [--keep-line-ends] [--manifest] [--no-clobber]\n"
    "                 [--progress] [--quiet] SOURCE [TARGET_DIR]\n"
    "       orvo-split verify MANIFEST\n"
    "       orvo-split join MANIFEST OUTPUT\n"
    "把文本文件 SOURCE 拆分为 <名称>_1.txt、<名称>_2.txt……，每行以 CR LF 结尾。\n"
    "  --lines N      每个文件的最大行数，1 到 99999，默认 3000；行数正好分完时，最后一个文件\n"
    "                 只有标记和标题行（没有时为空）\n"
    "  --bytes SIZE   改为按大小拆分：每个文件最多 SIZE 字节（含标记和标题行），可带后缀 k、M、G\n"
    "                 （1024 进制），只在行尾切开；单独一行超过 SIZE 时它自成一个文件，不会被切开\n"
    "  --pieces N     改为拆分成大小大致相等的 N 个文件（2 到 99999），只在行尾切开；\n"
    "                 不能与 --lines 或 --bytes 同用\n"
    "  --header H     源文件的前 H 行（0 到 9999，默认 0）写在每个文件的开头，之后才是该文件的行\n"
    "  --csv          以 CSV 记录为单位：引号内的换行属于字段，不会切开记录，原样写出\n"
    "  --max-record SIZE  CSV 记录的上限，默认 64M；超过时（多半是引号没有闭合）停止拆分\n"
    "  --encoding E   没有字节顺序标记的源文件如何读取：auto（默认）、bytes、utf-8、utf-16le、\n"
    "                 utf-16be；auto 和 bytes 按字节读取（GBK、UTF-8 等）。以 UTF-8、UTF-16、\n"
    "                 UTF-32 的标记开头的源文件总按其标记读取，每个文件都以同样的标记开头\n"
    "  --name TEMPLATE  文件名模板，默认 {name}_{n}.txt；字段 {name}（源文件名去掉扩展名）、{ext}、\n"
    "                 {n}、{n:W}（补零到 W 位）、{total}（文件总数）\n"
    "  --keep-line-ends  原样保留源文件的字节（不改写为 CR LF，不丢弃 CR，保留 U+001A），\n"
    "                 各文件（去掉重复的标题行）依次连接即是源文件\n"
    "  --manifest     在文件旁写出 <名称>.manifest.json：每个文件的大小、行数和校验和\n"
    "  --no-clobber   有同名文件已存在时不开始拆分\n"
    "  --progress     在标准错误上显示进度（标准错误是终端时默认显示）；--no-progress 不显示\n"
    "  --quiet        不输出每一步的报告\n"
    "  TARGET_DIR     保存到的目录（必须已存在），默认为 SOURCE 所在目录\n"
    "  verify         按清单检查各文件：缺失、改变、不完整或多余的文件（全部完好时退出码为 0）\n"
    "  join           按清单把各文件合并为 OUTPUT（标题行和标记只保留一次），逐个核对校验和\n"
    "  --help         显示本说明\n";
constexpr std::string_view Finished = "文件拆分完成！";
constexpr std::string_view SplitFailed = "拆分失败：";
constexpr std::string_view BadLineCount = "行数必须是 1 到 99999 之间的整数：";
constexpr std::string_view BadHeader = "标题行数必须是 0 到 9999 之间的整数：";
constexpr std::string_view BadSize = "大小必须是正整数，可带后缀 k、M、G：";
constexpr std::string_view BadEncoding = "编码必须是 auto、bytes、utf-8、utf-16le 或 utf-16be：";
constexpr std::string_view LinesOrBytes = "--lines 和 --bytes 只能用一个";
constexpr std::string_view LinesOrPieces = "--lines 和 --pieces 只能用一个";
constexpr std::string_view BytesOrPieces = "--bytes 和 --pieces 只能用一个";
constexpr std::string_view BadPieces = "份数必须是 2 到 99999 之间的整数：";
constexpr std::string_view BadMaxRecord = "记录上限必须是正整数，可带后缀 k、M、G：";
constexpr std::string_view UnclosedWarning = "警告：源文件在引号内结束，该引号从第 %llu 行开始；其后的内容都在最后一个文件的最后一条记录中\n";
constexpr std::string_view EmptyWarning = "警告：源文件只有 %llu 行（记录），少于 %d，最后 %llu 个文件是空的\n";
constexpr std::string_view RenamedNote = "已按总数重命名：";
constexpr std::string_view ManifestNote = "清单：";
constexpr std::string_view StoppedNote = "拆分已停止：完成 %llu 个文件，停在源文件第 %llu 行（第 %llu 条记录）\n";
constexpr std::string_view UnknownOption = "未知的选项：";
constexpr std::string_view MissingValue = "缺少选项的值：";
constexpr std::string_view WrongArgumentCount = "需要一个源文件，和可选的目标目录";
constexpr std::string_view TargetUnusable = "目标目录不可用“";
constexpr std::string_view TrailingWarning = "警告：源文件末尾有 %zu 个字节不足一个 %s 代码单元，已原样保留在最后一个文件末尾\n";
constexpr std::string_view ProgramName = "orvo-split: ";

#ifdef _WIN32
constexpr char NativeSeparator = '\\';
#else
constexpr char NativeSeparator = '/';
#endif

// The largest piece size taken: far beyond any disk, far below overflow.


struct TCommand {
    TSplitOptions Options;
    bool LinesGiven = false;
    std::optional<bool> Progress; // as asked; by default on a terminal
    bool Quiet = false;
    std::vector<std::string> Paths;
    bool Help = false;
};

// A decimal number of at most `digits` digits (leading zeros aside).
std::optional<std::uint64_t> ParseNumber(std::string_view text, std::size_t digits) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
    text.remove_prefix(std::min(text.find_first_not_of('0'), text.size()));
    if (text.size() > digits) return std::nullopt;
    std::uint64_t value = 0;
    for (const char digit : text)
        value = value * 10 + static_cast<std::uint64_t>(digit - '0');
    return value;
}

std::optional<std::uint64_t> ParseSize(std::string_view text) {
    unsigned shift = 0;
    if (!text.empty()) {
        switch (text.back()) {
        case 'k': case 'K': shift = 10; break;
        case 'm': case 'M': shift = 20; break;
        case 'g': case 'G': shift = 30; break;
        default: break;
        }
        if (shift > 0) text.remove_suffix(1);
    }
    const std::optional<std::uint64_t> value = ParseNumber(text, 16);
    if (!value || *value == 0 || *value > MaxPieceBytes >> shift) return std::nullopt;
    return *value << shift;
}

std::optional<TTextEncoding> ParseEncoding(std::string_view text) {
    if (text == "auto" || text == "bytes") return TTextEncoding::Bytes;
    if (text == "utf-8" || text == "utf8") return TTextEncoding::Utf8;
    if (text == "utf-16le" || text == "utf16le") return TTextEncoding::Utf16Le;
    if (text == "utf-16be" || text == "utf16be") return TTextEncoding::Utf16Be;
    return std::nullopt;
}

std::string Quoted(std::string_view text) {
    return "“" + std::string(text) + "”";
}

// The option's value, from "--name=value" or the next argument; nullopt when the argument is not
// that option.
struct TOptionValue {
    bool Matched = false;
    std::optional<std::string_view> Value;
};

TOptionValue OptionValue(std::string_view name, const std::vector<std::string>& arguments, std::size_t& i) {
    const std::string_view argument = arguments[i];
    if (argument == name) {
        if (i + 1 == arguments.size()) return {true, std::nullopt};
        return {true, std::string_view(arguments[++i])};
    }
    if (argument.starts_with(name) && argument.size() > name.size() && argument[name.size()] == '=')
        return {true, argument.substr(name.size() + 1)};
    return {};
}

// Applies one option that takes a value; returns the complaint, if any.
std::optional<std::string> ValueOption(std::string_view name, std::string_view value, TCommand& command) {
    TSplitOptions& options = command.Options;
    if (name == "--lines") {
        const std::optional<std::uint64_t> count = ParseNumber(value, 5);
        if (!count || *count == 0) return std::string(BadLineCount) + Quoted(value);
        options.LineCount = static_cast<int>(*count);
        command.LinesGiven = true;
    } else if (name == "--header") {
        const std::optional<std::uint64_t> count = ParseNumber(value, 4);
        if (!count) return std::string(BadHeader) + Quoted(value);
        options.HeaderLines = static_cast<int>(*count);
    } else if (name == "--bytes") {
        const std::optional<std::uint64_t> size = ParseSize(value);
        if (!size) return std::string(BadSize) + Quoted(value);
        options.PieceBytes = *size;
    } else if (name == "--pieces") {
        const std::optional<std::uint64_t> count = ParseNumber(value, 5);
        if (!count || *count < MinPieceCount) return std::string(BadPieces) + Quoted(value);
        options.PieceCount = static_cast<int>(*count);
    } else if (name == "--max-record") {
        const std::optional<std::uint64_t> size = ParseSize(value);
        if (!size || *size > MaxMaxRecordBytes) return std::string(BadMaxRecord) + Quoted(value);
        options.MaxRecordBytes = *size;
    } else if (name == "--name") {
        options.NameTemplate = value;
    } else {
        const std::optional<TTextEncoding> encoding = ParseEncoding(value);
        if (!encoding) return std::string(BadEncoding) + Quoted(value);
        options.Unmarked = *encoding;
    }
    return std::nullopt;
}

// Fills `command`, or returns the complaint about the arguments.
std::optional<std::string> ParseArguments(const std::vector<std::string>& arguments, TCommand& command) {
    static constexpr std::string_view ValueOptions[] = {"--lines",      "--header", "--bytes", "--encoding",
                                                        "--pieces",     "--name",   "--max-record"};
    static constexpr std::pair<std::string_view, bool TSplitOptions::*> Switches[] = {
        {"--csv", &TSplitOptions::Csv},
        {"--keep-line-ends", &TSplitOptions::KeepLineEnds},
        {"--manifest", &TSplitOptions::Manifest},
        {"--no-clobber", &TSplitOptions::NoClobber}};
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument == "-" || !argument.starts_with('-')) {
            command.Paths.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (argument == "--help" || argument == "-h") {
            command.Help = true;
            continue;
        }
        if (argument == "--progress" || argument == "--no-progress") {
            command.Progress = argument == "--progress";
            continue;
        }
        if (argument == "--quiet" || argument == "-q") {
            command.Quiet = true;
            continue;
        }
        bool known = false;
        for (const auto& [name, field] : Switches) {
            if (argument != name) continue;
            command.Options.*field = true;
            known = true;
        }
        if (known) continue;
        for (const std::string_view name : ValueOptions) {
            const TOptionValue option = OptionValue(name, arguments, i);
            if (!option.Matched) continue;
            if (!option.Value) return std::string(MissingValue) + std::string(name);
            if (std::optional<std::string> complaint = ValueOption(name, *option.Value, command)) return complaint;
            known = true;
            break;
        }
        if (!known) return std::string(UnknownOption) + argument;
    }
    TSplitOptions& options = command.Options;
    if (command.LinesGiven && options.PieceBytes > 0) return std::string(LinesOrBytes);
    if (command.LinesGiven && options.PieceCount > 0) return std::string(LinesOrPieces);
    if (options.PieceBytes > 0 && options.PieceCount > 0) return std::string(BytesOrPieces);
    options.Mode = options.PieceBytes > 0   ? TSplitMode::Bytes
                   : options.PieceCount > 0 ? TSplitMode::Pieces
                                            : TSplitMode::Lines;
    if (!command.Help && (command.Paths.empty() || command.Paths.size() > 2))
        return std::string(WrongArgumentCount);
    if (std::optional<TOptionRefusal> refusal = ValidateSplitOptions(options)) return refusal->Text();
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

std::string TrailingText(const TSplitSummary& summary) {
    char text[256];
    std::snprintf(text, sizeof text, TrailingWarning.data(), summary.TrailingBytes,
                  std::string(EncodingName(summary.Encoding)).c_str());
    return std::string(ProgramName) + text;
}

constexpr std::string_view VerifyArguments = "verify 需要一个清单文件";
constexpr std::string_view JoinArguments = "join 需要一个清单文件和一个输出文件";
constexpr std::string_view JoinFailed = "合并失败：";

// verify MANIFEST: a line for each piece that does not hold and each extra file, then a summary.
int RunVerify(const std::vector<std::string>& arguments, const TCommandStreams& streams) {
    if (arguments.size() != 2) {
        streams.Err(std::string(ProgramName) + std::string(VerifyArguments) + "\n" + std::string(Usage));
        return ExitUsage;
    }
    TVerifyReport report;
    const TTaskControl control{{}, streams.Stop};
    if (std::optional<TManifestError> error = VerifyPieces(arguments[1], NativeFileSystem(), control, report)) {
        streams.Err(std::string(ProgramName) + error->Text() + "\n");
        return ExitUsage;
    }
    for (const std::string& line : VerifyReportLines(report))
        streams.Out(line + "\n");
    return report.AllHold() ? ExitSuccess : ExitUsage;
}

// join MANIFEST OUTPUT
int RunJoin(const std::vector<std::string>& arguments, const TCommandStreams& streams) {
    if (arguments.size() != 3) {
        streams.Err(std::string(ProgramName) + std::string(JoinArguments) + "\n" + std::string(Usage));
        return ExitUsage;
    }
    TJoinReport report;
    const TTaskControl control{{}, streams.Stop};
    if (std::optional<TJoinError> error = JoinPieces(arguments[1], arguments[2], NativeFileSystem(), control, report)) {
        streams.Err(std::string(ProgramName) + std::string(JoinFailed) + error->Text() + "\n");
        return error->Problem == TJoinProblem::Stopped ? ExitStopped : ExitIoFailure;
    }
    for (const std::string& line : JoinReportLines(report, arguments[2]))
        streams.Out(line + "\n");
    return ExitSuccess;
}

} // namespace

int RunSplitCommand(const std::vector<std::string>& arguments, const TCommandStreams& streams) {
    const TTextSink& out = streams.Out;
    const TTextSink& err = streams.Err;
    if (!arguments.empty() && arguments[0] == "verify") return RunVerify(arguments, streams);
    if (!arguments.empty() && arguments[0] == "join") return RunJoin(arguments, streams);
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
    static_cast<TSplitOptions&>(job) = command.Options;
    job.SourcePath = command.Paths[0];
    job.Stop = streams.Stop;
    if (!CheckSource(job.SourcePath, err) || !ResolveTarget(command, job.TargetDir, err))
        return ExitIoFailure;

    std::optional<TProgressLine> progress;
    if (command.Progress.value_or(streams.ErrIsTerminal)) {
        progress.emplace(err, TProgressLine::TClock::now());
        job.Progress = [&](const TSplitProgress& state) { progress->Update(state, TProgressLine::TClock::now()); };
    }
    // A report on the same screen as the progress line would be mixed into it.
    const bool sameScreen = progress && streams.OutIsTerminal && streams.ErrIsTerminal;
    const auto report = [&](TSplitReportCode code, const std::string& text) {
        if (command.Quiet) return;
        if (sameScreen) progress->Clear();
        out(code == TSplitReportCode::Done ? std::string(Finished) + "\n" : text + "\n");
    };
    TSplitSummary summary;
    const std::optional<TSplitError> error = RunSplit(job, NativeFileSystem(), report, &summary);
    if (progress) progress->Finish(TProgressLine::TClock::now());
    if (error) {
        err(FailureLine(*error));
        return ExitIoFailure;
    }
    if (summary.TrailingBytes > 0) err(TrailingText(summary));
    char text[512];
    if (summary.UnclosedQuoteLine > 0) {
        std::snprintf(text, sizeof text, UnclosedWarning.data(), static_cast<unsigned long long>(summary.UnclosedQuoteLine));
        err(std::string(ProgramName) + text);
    }
    if (summary.EmptyPieces > 0) {
        std::snprintf(text, sizeof text, EmptyWarning.data(), static_cast<unsigned long long>(summary.Records),
                      job.PieceCount, static_cast<unsigned long long>(summary.EmptyPieces));
        err(std::string(ProgramName) + text);
    }
    if (!command.Quiet && summary.Renamed)
        out(std::string(RenamedNote) + summary.FirstPiece + " … " + summary.LastPiece + "\n");
    if (!command.Quiet && !summary.ManifestPath.empty()) out(std::string(ManifestNote) + summary.ManifestPath + "\n");
    if (summary.Stopped) {
        std::snprintf(text, sizeof text, StoppedNote.data(), static_cast<unsigned long long>(summary.Pieces),
                      static_cast<unsigned long long>(summary.StoppedAtLine),
                      static_cast<unsigned long long>(summary.StoppedAtRecord));
        err(std::string(ProgramName) + text);
        return ExitStopped;
    }
    return ExitSuccess;
}

} // namespace orvo

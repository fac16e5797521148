#include "core/settings/split_text.h"

#include <array>

namespace orvo {

namespace {

constexpr std::array<std::pair<char, unsigned>, 3> Units{{{'G', 30}, {'M', 20}, {'K', 10}}};

std::string SizeForPeople(std::uint64_t bytes) {
    for (const auto& [unit, shift] : Units) {
        const std::uint64_t one = std::uint64_t{1} << shift;
        if (bytes % one == 0) return std::to_string(bytes >> shift) + " " + unit + "B ";
    }
    return std::to_string(bytes) + " 字节";
}

std::string_view EncodingText(TTextEncoding encoding) {
    switch (encoding) {
    case TTextEncoding::Utf8: return "UTF-8";
    case TTextEncoding::Utf16Le: return "UTF-16LE";
    case TTextEncoding::Utf16Be: return "UTF-16BE";
    case TTextEncoding::Utf32Le: return "UTF-32LE";
    case TTextEncoding::Utf32Be: return "UTF-32BE";
    case TTextEncoding::Bytes: break;
    }
    return "字节";
}

} // namespace

std::string DescribeSplit(const TSplitOptions& o) {
    std::string text;
    switch (o.Mode) {
    case TSplitMode::Lines: text = "按 " + std::to_string(o.LineCount) + (o.Csv ? " 条记录拆分" : " 行拆分"); break;
    case TSplitMode::Bytes: text = "按 " + SizeForPeople(o.PieceBytes) + "拆分"; break;
    case TSplitMode::Pieces: text = "平均分成 " + std::to_string(o.PieceCount) + " 份"; break;
    }
    const std::string_view dot = " · ";
    if (o.HeaderLines > 0) text += std::string(dot) + "表头 " + std::to_string(o.HeaderLines) + " 行";
    if (o.Csv) text += std::string(dot) + "CSV";
    if (o.Unmarked != TTextEncoding::Bytes) text += std::string(dot) + "无标记按 " + std::string(EncodingText(o.Unmarked));
    if (o.NameTemplate != DefaultNameTemplate) text += std::string(dot) + "名称 " + o.NameTemplate;
    if (o.KeepLineEnds) text += std::string(dot) + "换行原样";
    if (o.Manifest) text += std::string(dot) + "清单";
    return text;
}

std::vector<std::string> VerifyReportLines(const TVerifyReport& report) {
    std::vector<std::string> lines;
    std::size_t missing = 0, shortened = 0, changed = 0;
    for (const TPieceCheck& piece : report.Pieces) {
        switch (piece.State) {
        case TPieceState::Intact: break;
        case TPieceState::Missing:
            ++missing;
            lines.push_back("缺失：" + piece.Name);
            break;
        case TPieceState::Unreadable:
            ++missing;
            lines.push_back("无法读取：" + piece.Name + "：" + piece.System.Message);
            break;
        case TPieceState::Short:
            ++shortened;
            lines.push_back("不完整：" + piece.Name + "（" + std::to_string(piece.ActualSize) + " 字节，应为 " +
                            std::to_string(piece.ListedSize) + " 字节）");
            break;
        case TPieceState::Changed:
            ++changed;
            lines.push_back("已改变：" + piece.Name);
            break;
        }
    }
    for (const std::string& name : report.Extra)
        lines.push_back("多余：" + name);
    if (!report.Complete) lines.push_back("清单所记的拆分没有完成");
    if (report.Stopped) {
        lines.push_back("校验已停止");
    } else if (report.AllHold()) {
        lines.push_back("全部 " + std::to_string(report.Pieces.size()) + " 个文件完好");
    } else {
        lines.push_back(std::to_string(report.Pieces.size()) + " 个文件中有问题：" + std::to_string(missing) +
                        " 个缺失或无法读取，" + std::to_string(shortened) + " 个不完整，" + std::to_string(changed) +
                        " 个已改变，" + std::to_string(report.Extra.size()) + " 个多余");
    }
    return lines;
}

std::vector<std::string> JoinReportLines(const TJoinReport& report, const std::string& outputPath) {
    std::vector<std::string> lines{"已合并 " + std::to_string(report.Pieces) + " 个文件，" + std::to_string(report.Bytes) +
                                   " 字节：" + outputPath};
    if (report.SourceChecked) lines.push_back("与源文件逐字节相同（校验和已核对）");
    return lines;
}

std::optional<std::uint64_t> ParseSizeText(std::string_view text) {
    unsigned shift = 0;
    if (!text.empty()) {
        const char last = text.back();
        for (const auto& [unit, unitShift] : Units)
            if (last == unit || last == unit + ('a' - 'A')) shift = unitShift;
        if (shift > 0) text.remove_suffix(1);
    }
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
    text.remove_prefix(std::min(text.find_first_not_of('0'), text.size()));
    if (text.size() > 16) return std::nullopt;
    std::uint64_t value = 0;
    for (const char digit : text)
        value = value * 10 + static_cast<std::uint64_t>(digit - '0');
    if (value == 0 || value > MaxPieceBytes >> shift) return std::nullopt;
    return value << shift;
}

std::string SizeText(std::uint64_t bytes) {
    for (const auto& [unit, shift] : Units) {
        const std::uint64_t one = std::uint64_t{1} << shift;
        if (bytes != 0 && bytes % one == 0) return std::to_string(bytes >> shift) + unit;
    }
    return std::to_string(bytes);
}

} // namespace orvo

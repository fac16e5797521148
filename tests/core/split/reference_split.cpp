#include "reference_split.h"

namespace orvo::test {

std::vector<std::string> ReferenceLines(std::string_view source) {
    std::size_t i = 0;
    // Ctrl-Z counts as the end of the file.
    const auto atEnd = [&] { return i >= source.size() || source[i] == '\x1A'; };
    std::vector<std::string> lines;
    while (!atEnd()) {
        std::string line;
        while (!atEnd()) {
            const char c = source[i++];
            if (c == '\n') break;
            if (c == '\r') {
                if (i < source.size() && source[i] == '\n') {
                    ++i;
                    break;
                }
                continue; // a lone CR is dropped
            }
            line += c;
        }
        lines.push_back(line);
    }
    return lines;
}

TReferenceSplit ReferenceSplit(std::string_view source, int lineCount, const std::string& targetDir,
                               const std::string& prefix) {
    TReferenceSplit result;
    result.Reports.emplace_back(TSplitReportCode::Progress, "准备开始分割");
    result.Pieces.emplace_back();
    int inPiece = 0;
    for (const std::string& line : ReferenceLines(source)) {
        result.Pieces.back() += line + "\r\n";
        if (++inPiece == lineCount) {
            const std::string path = prefix + "_" + std::to_string(result.Pieces.size()) + ".txt";
            result.Reports.emplace_back(TSplitReportCode::Progress, "分割完成：" + path);
            result.Pieces.emplace_back();
            inPiece = 0;
        }
    }
    result.Reports.emplace_back(TSplitReportCode::Done, targetDir);
    return result;
}

} // namespace orvo::test

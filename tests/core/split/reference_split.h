#pragma once
// The split rules written the plain way, a code unit and a line at a time, to check the fast
// engine against.
#include "core/split/split_engine.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvo::test {

using TReports = std::vector<std::pair<TSplitReportCode, std::string>>;

struct TReferenceSplit {
    std::vector<std::string> Pieces; // contents of piece 1, 2, ...
    TReports Reports;
};

struct TReferenceJob {
    int LineCount = 3;
    int HeaderLines = 0;
    std::uint64_t PieceBytes = 0;
    TTextEncoding Unmarked = TTextEncoding::Bytes;
    bool Csv = false;
    bool KeepLineEnds = false;
};

// The source's lines as a text reader delivers them, in bytes.
std::vector<std::string> ReferenceLines(std::string_view source);

// What splitting `source` into `prefix`_k.txt must give.
TReferenceSplit ReferenceSplit(std::string_view source, const TReferenceJob& job, const std::string& targetDir,
                               const std::string& prefix);
inline TReferenceSplit ReferenceSplit(std::string_view source, int lineCount, const std::string& targetDir,
                                      const std::string& prefix) {
    return ReferenceSplit(source, TReferenceJob{lineCount}, targetDir, prefix);
}

// `text` in the code units of `encoding` (UTF-8 for Bytes), without a mark.
std::string Encode(TTextEncoding encoding, std::u32string_view text);

} // namespace orvo::test

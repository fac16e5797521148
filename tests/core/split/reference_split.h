#pragma once
// The split rules written the plain way, a byte at a time, to check the fast engine against.
#include "core/split/split_engine.h"

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

// The source's lines as a text reader delivers them.
std::vector<std::string> ReferenceLines(std::string_view source);

// What splitting `source` into `prefix`_k.txt must give.
TReferenceSplit ReferenceSplit(std::string_view source, int lineCount, const std::string& targetDir,
                               const std::string& prefix);

} // namespace orvo::test

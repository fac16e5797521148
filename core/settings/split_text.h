// The window's words for a split's options: the status line that says what the next split does,
// and the piece size as the user types it ("500K", "10M", "2G" or a number of bytes).
#pragma once

#include "core/split/piece_join.h"
#include "core/split/piece_verify.h"
#include "core/split/split_options.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvo {

// "按 3000 行拆分 · 表头 1 行 · CSV": the mode, then each choice that differs from the default.
std::string DescribeSplit(const TSplitOptions& options);

// What verify found, a line each: every listed piece that does not hold ("缺失：", "无法读取：",
// "不完整：", "已改变："), every extra file ("多余："), an unfinished split, a stop, and last the
// summary ("全部 12 个文件完好" or how many of each kind).
std::vector<std::string> VerifyReportLines(const TVerifyReport& report);
// "已合并 12 个文件，3456 字节：<output>", and when the source's checksum was checked, a second line.
std::vector<std::string> JoinReportLines(const TJoinReport& report, const std::string& outputPath);

// A size of 1 byte to MaxPieceBytes: decimal digits with an optional K, M or G (powers of 1024).
std::optional<std::uint64_t> ParseSizeText(std::string_view text);
// The shortest text ParseSizeText reads back as `bytes`: "10M", "1536K", "1000".
std::string SizeText(std::uint64_t bytes);

} // namespace orvo

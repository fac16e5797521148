// The window's words for a split's options: the status line that says what the next split does,
// and the piece size as the user types it ("500K", "10M", "2G" or a number of bytes).
#pragma once

#include "core/split/split_options.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvo {

// "按 3000 行拆分 · 表头 1 行 · CSV": the mode, then each choice that differs from the default.
std::string DescribeSplit(const TSplitOptions& options);

// A size of 1 byte to MaxPieceBytes: decimal digits with an optional K, M or G (powers of 1024).
std::optional<std::uint64_t> ParseSizeText(std::string_view text);
// The shortest text ParseSizeText reads back as `bytes`: "10M", "1536K", "1000".
std::string SizeText(std::uint64_t bytes);

} // namespace orvo

// The one-line text form in which stored forms hold the items of list and tree views: an optional
// block of numbers in braces, then the text. "{2,1}readme.txt" is numbers {2, 1} and the text
// "readme.txt"; "readme.txt" has no numbers; a text that itself begins with "{" is written after
// an empty block ("{}{draft}"). Numbers left out keep their defaults.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvo {

struct TItemLine {
    std::vector<std::optional<int>> Numbers; // as many as allowed; empty entries were left out
    std::wstring Text;
};

// Throws EConvertError naming `what` and `line` (1-based) for a malformed block, a number that is
// not an integer, or more than `maxNumbers` numbers.
TItemLine ParseItemLine(std::wstring_view text, std::size_t maxNumbers, std::wstring_view what, int line);

// The line for `text` with `numbers`, dropping trailing numbers equal to their `defaults` (the
// block is left out when nothing remains and the text does not begin with "{").
std::wstring FormatItemLine(const std::vector<int>& numbers, const std::vector<int>& defaults,
                            const std::wstring& text);

} // namespace orvo

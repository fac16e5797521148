// What the item lists of list and tree views share: an update scope, the window's redraw switch,
// and the one-line text form in which stored forms hold their items: an optional block of numbers
// in braces, then the text. "{2,1}readme.txt" is numbers {2, 1} and the text
// "readme.txt"; "readme.txt" has no numbers; a text that itself begins with "{" is written after
// an empty block ("{}{draft}"). Numbers left out keep their defaults.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvo {

class TWinControl;

// BeginUpdate now, EndUpdate when the scope ends (EndUpdate must not throw).
template <class T> class TUpdateScope {
public:
    explicit TUpdateScope(T& list) : FList(list) { list.BeginUpdate(); }
    ~TUpdateScope() { FList.EndUpdate(); }
    TUpdateScope(const TUpdateScope&) = delete;
    TUpdateScope& operator=(const TUpdateScope&) = delete;

private:
    T& FList;
};

// Stops or restarts the drawing of a control's window (WM_SETREDRAW), repainting it on restart;
// nothing without a window.
void SetWindowRedraw(TWinControl* control, bool redraw);

// The fields of a text between its tab characters ("a\tb\t" gives "a", "b", "").
std::vector<std::wstring> SplitAtTabs(std::wstring_view text);

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

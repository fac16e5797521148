#include "framework/controls/item_lists.h"

#include "framework/base/exceptions.h"
#include "framework/base/sysutils.h"
#include "framework/controls/win_control.h"

namespace orvo {

void SetWindowRedraw(TWinControl* control, bool redraw) {
    if (!control || !control->HandleAllocated()) return;
    SendMessageW(control->Handle(), WM_SETREDRAW, redraw ? TRUE : FALSE, 0);
    if (redraw) control->Invalidate();
}

std::vector<std::wstring> SplitAtTabs(std::wstring_view text) {
    std::vector<std::wstring> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = text.find(L'\t', start);
        fields.emplace_back(text.substr(start, tab == std::wstring_view::npos ? tab : tab - start));
        if (tab == std::wstring_view::npos) return fields;
        start = tab + 1;
    }
}

TItemLine ParseItemLine(std::wstring_view text, std::size_t maxNumbers, std::wstring_view what, int line) {
    TItemLine result;
    result.Numbers.resize(maxNumbers);
    const auto fail = [&](const std::wstring& why) -> void {
        throw EConvertError(std::wstring(what) + L" line " + IntToStr(line) + L": " + why);
    };
    if (text.empty() || text.front() != L'{') {
        result.Text = std::wstring(text);
        return result;
    }
    const std::size_t close = text.find(L'}');
    if (close == std::wstring_view::npos) fail(L"the block opened by '{' is not closed");
    const std::wstring_view block = text.substr(1, close - 1);
    result.Text = std::wstring(text.substr(close + 1));
    if (block.empty()) return result;
    std::size_t start = 0;
    for (std::size_t n = 0;; ++n) {
        const std::size_t comma = block.find(L',', start);
        std::wstring_view field = block.substr(start, comma == std::wstring_view::npos ? comma : comma - start);
        while (!field.empty() && field.front() == L' ')
            field.remove_prefix(1);
        while (!field.empty() && field.back() == L' ')
            field.remove_suffix(1);
        if (n >= maxNumbers) fail(L"more than " + IntToStr(static_cast<std::int64_t>(maxNumbers)) + L" numbers");
        if (!field.empty()) {
            const auto value = TryStrToInt(field);
            if (!value) fail(L"'" + std::wstring(field) + L"' is not a valid integer value");
            result.Numbers[n] = *value;
        }
        if (comma == std::wstring_view::npos) break;
        start = comma + 1;
    }
    return result;
}

std::wstring FormatItemLine(const std::vector<int>& numbers, const std::vector<int>& defaults,
                            const std::wstring& text) {
    std::size_t used = numbers.size();
    while (used > 0 && used <= defaults.size() && numbers[used - 1] == defaults[used - 1])
        --used;
    if (used == 0 && (text.empty() || text.front() != L'{')) return text;
    std::wstring line = L"{";
    for (std::size_t i = 0; i < used; ++i) {
        if (i) line += L',';
        line += IntToStr(numbers[i]);
    }
    return line + L"}" + text;
}

} // namespace orvo

#include "framework/controls/memo_strings.h"

#include "framework/controls/edit.h"

namespace orvo {

ORVO_IMPLEMENT_CLASS(TMemoStrings);

std::vector<TMemoStrings::TSpan> TMemoStrings::Spans(const std::wstring& text) {
    std::vector<TSpan> spans;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring::npos) {
            spans.push_back({start, text.size() - start, 0});
            break;
        }
        const std::size_t brk =
            (text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n') ? 2 : 1;
        spans.push_back({start, end - start, brk});
        start = end + brk;
    }
    return spans;
}

int TMemoStrings::Count() const {
    if (FCaching) return static_cast<int>(FCache.size());
    return static_cast<int>(Spans(EditText()).size());
}

std::wstring TMemoStrings::Get(int index) const {
    if (FCaching) {
        if (index < 0 || index >= static_cast<int>(FCache.size())) IndexError(index);
        return FCache[static_cast<std::size_t>(index)];
    }
    const std::wstring text = EditText();
    const auto spans = Spans(text);
    if (index < 0 || index >= static_cast<int>(spans.size())) IndexError(index);
    const TSpan& span = spans[static_cast<std::size_t>(index)];
    return text.substr(span.Start, span.Length);
}

void TMemoStrings::Put(int index, const std::wstring& line) {
    if (FCaching) {
        if (index < 0 || index >= static_cast<int>(FCache.size())) IndexError(index);
        FCache[static_cast<std::size_t>(index)] = line;
        return;
    }
    const auto spans = Spans(EditText());
    if (index < 0 || index >= static_cast<int>(spans.size())) IndexError(index);
    const TSpan& span = spans[static_cast<std::size_t>(index)];
    Replace(span.Start, span.Start + span.Length, line);
}

void TMemoStrings::Insert(int index, const std::wstring& line) {
    if (FCaching) {
        if (index < 0 || index > static_cast<int>(FCache.size())) IndexError(index);
        FCache.insert(FCache.begin() + index, line);
        return;
    }
    const std::wstring text = EditText();
    const auto spans = Spans(text);
    if (index < 0 || index > static_cast<int>(spans.size())) IndexError(index);
    if (index < static_cast<int>(spans.size())) {
        const std::size_t at = spans[static_cast<std::size_t>(index)].Start;
        Replace(at, at, line + L"\r\n");
    } else if (spans.empty() || spans.back().Break != 0) {
        Replace(text.size(), text.size(), line + L"\r\n");
    } else {
        // The last line has no break yet: it gets one, the new line none.
        Replace(text.size(), text.size(), L"\r\n" + line);
    }
}

void TMemoStrings::Delete(int index) {
    if (FCaching) {
        if (index < 0 || index >= static_cast<int>(FCache.size())) IndexError(index);
        FCache.erase(FCache.begin() + index);
        return;
    }
    const auto spans = Spans(EditText());
    if (index < 0 || index >= static_cast<int>(spans.size())) IndexError(index);
    const TSpan& span = spans[static_cast<std::size_t>(index)];
    Replace(span.Start, span.Start + span.Length + span.Break, std::wstring());
}

void TMemoStrings::Clear() {
    if (FCaching) {
        FCache.clear();
        return;
    }
    FMemo.SetText(std::wstring());
}

void TMemoStrings::Replace(std::size_t start, std::size_t end, const std::wstring& with) {
    if (!FMemo.HandleAllocated()) {
        std::wstring text = EditText();
        text.replace(start, end - start, with);
        FMemo.SetText(text);
        return;
    }
    HWND memo = FMemo.Handle();
    SendMessageW(memo, EM_SETSEL, start, static_cast<LPARAM>(end));
    SendMessageW(memo, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(with.c_str()));
}

std::wstring TMemoStrings::EditText() const {
    return FMemo.Text();
}

void TMemoStrings::SetUpdateState(bool updating) {
    if (updating) {
        const std::wstring text = EditText();
        FCache.clear();
        for (const TSpan& span : Spans(text))
            FCache.push_back(text.substr(span.Start, span.Length));
        FCaching = true;
        return;
    }
    FCaching = false;
    std::wstring text;
    for (const std::wstring& line : FCache)
        text += line + L"\r\n";
    FCache.clear();
    FMemo.SetText(text);
}

} // namespace orvo

// The Lines of a memo: a TStrings over the memo's own text. Lines are separated by CR LF (a lone
// LF or CR counts too); a text that ends with a line break has no empty last line, as TStrings'
// Text. Adding, deleting and changing a line edit the window's text in place (the view keeps its
// place; appending scrolls to the end); reading reads the window. Between BeginUpdate and
// EndUpdate the lines are kept aside and the text is written once at the end.
#pragma once

#include "framework/base/string_list.h"

#include <cstddef>
#include <string>
#include <vector>

namespace orvo {

class TCustomEdit;

class TMemoStrings : public TStrings {
    ORVO_CLASS(TMemoStrings, TStrings)
public:
    explicit TMemoStrings(TCustomEdit& memo) : FMemo(memo) {}

    int Count() const override;
    std::wstring Get(int index) const override;
    void Put(int index, const std::wstring& text) override;
    void Insert(int index, const std::wstring& text) override;
    void Delete(int index) override;
    void Clear() override;

    // One line of a text: where it starts, its length, and the length of the break after it (0
    // for a last line without one).
    struct TSpan {
        std::size_t Start;
        std::size_t Length;
        std::size_t Break;
    };
    static std::vector<TSpan> Spans(const std::wstring& text);

protected:
    void SetUpdateState(bool updating) override;
    // The control's text with its positions as the control counts them (EM_SETSEL).
    virtual std::wstring EditText() const;

private:
    // Replaces the characters [start, end) of the memo's text.
    void Replace(std::size_t start, std::size_t end, const std::wstring& with);

    TCustomEdit& FMemo;
    bool FCaching = false;
    std::vector<std::wstring> FCache;
};

} // namespace orvo

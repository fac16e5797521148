#include "framework/base/string_list.h"

#include "framework/base/exceptions.h"
#include "framework/base/properties.h"
#include "framework/base/sysutils.h"

#include <algorithm>
#include <exception>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TStrings);
ORVO_IMPLEMENT_CLASS(TStringList);

namespace {

// BeginUpdate ... EndUpdate around a scope; when the scope is left by an exception, a failing
// change handler at the end must not replace it.
class TUpdating {
public:
    explicit TUpdating(TStrings& strings) : FStrings(strings), FExceptions(std::uncaught_exceptions()) {
        strings.BeginUpdate();
    }
    ~TUpdating() noexcept(false) {
        if (std::uncaught_exceptions() == FExceptions) {
            FStrings.EndUpdate();
            return;
        }
        try {
            FStrings.EndUpdate();
        } catch (...) {
        }
    }
    TUpdating(const TUpdating&) = delete;
    TUpdating& operator=(const TUpdating&) = delete;

private:
    TStrings& FStrings;
    int FExceptions;
};

} // namespace

void TStrings::Publish(TPublisher<TStrings>& p) {
    p.StringList(L"Strings", &TStrings::ToVector, &TStrings::SetStrings);
}

void TStrings::IndexError(int index) {
    throw EStringListError(L"List index out of bounds (" + IntToStr(index) + L")");
}

void TStrings::Put(int index, const std::wstring& text) {
    TObject* object = Objects(index);
    TUpdating updating(*this);
    Delete(index);
    InsertObject(index, text, object);
}

TObject* TStrings::Objects(int index) const {
    if (index < 0 || index >= Count()) IndexError(index);
    return nullptr;
}

void TStrings::PutObject(int, TObject*) {}

void TStrings::InsertObject(int index, const std::wstring& text, TObject* object) {
    Insert(index, text);
    PutObject(index, object);
}

void TStrings::Move(int from, int to) {
    if (from == to) return;
    const std::wstring text = Get(from);
    TObject* object = Objects(from);
    if (to < 0 || to >= Count()) IndexError(to);
    TUpdating updating(*this);
    Delete(from);
    InsertObject(to, text, object);
}

int TStrings::Add(const std::wstring& text) {
    return AddObject(text, nullptr);
}

int TStrings::AddObject(const std::wstring& text, TObject* object) {
    const int index = Count();
    InsertObject(index, text, object);
    return index;
}

void TStrings::AddStrings(const TStrings& source) {
    if (&source == this) {
        AddStrings(TStringList(ToVector()));
        return;
    }
    TUpdating updating(*this);
    for (int i = 0; i < source.Count(); ++i)
        AddObject(source.Get(i), source.Objects(i));
}

void TStrings::Exchange(int a, int b) {
    if (a == b) return;
    const std::wstring textA = Get(a), textB = Get(b);
    TObject* objectA = Objects(a);
    TObject* objectB = Objects(b);
    TUpdating updating(*this);
    Put(a, textB);
    PutObject(a, objectB);
    Put(b, textA);
    PutObject(b, objectA);
}

int TStrings::IndexOf(std::wstring_view text) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(Get(i), text)) return i;
    return -1;
}

int TStrings::IndexOfName(std::wstring_view name) const {
    for (int i = 0; i < Count(); ++i) {
        const std::wstring line = Get(i);
        const std::size_t eq = line.find(L'=');
        if (eq != std::wstring::npos && SameText(std::wstring_view(line).substr(0, eq), name)) return i;
    }
    return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
    for (int i = 0; i < Count(); ++i)
        if (Objects(i) == object) return i;
    return -1;
}

std::wstring TStrings::Names(int index) const {
    const std::wstring line = Get(index);
    const std::size_t eq = line.find(L'=');
    return eq == std::wstring::npos ? std::wstring() : line.substr(0, eq);
}

std::wstring TStrings::ValueFromIndex(int index) const {
    const std::wstring line = Get(index);
    const std::size_t eq = line.find(L'=');
    return eq == std::wstring::npos ? std::wstring() : line.substr(eq + 1);
}

std::wstring TStrings::Values(std::wstring_view name) const {
    const int index = IndexOfName(name);
    return index < 0 ? std::wstring() : ValueFromIndex(index);
}

void TStrings::SetValue(std::wstring_view name, std::wstring_view value) {
    const int index = IndexOfName(name);
    if (value.empty()) {
        if (index >= 0) Delete(index);
        return;
    }
    const std::wstring line = std::wstring(name) + L'=' + std::wstring(value);
    if (index < 0)
        Add(line);
    else
        Put(index, line);
}

std::wstring TStrings::Text() const {
    std::wstring text;
    for (int i = 0; i < Count(); ++i) {
        text += Get(i);
        text += L"\r\n";
    }
    return text;
}

void TStrings::SetText(std::wstring_view text) {
    TUpdating updating(*this);
    Clear();
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring_view::npos) end = text.size();
        Add(std::wstring(text.substr(start, end - start)));
        if (end < text.size() && text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n') ++end;
        start = end + 1;
    }
}

std::vector<std::wstring> TStrings::ToVector() const {
    std::vector<std::wstring> lines;
    lines.reserve(static_cast<std::size_t>(Count()));
    for (int i = 0; i < Count(); ++i)
        lines.push_back(Get(i));
    return lines;
}

void TStrings::SetStrings(const std::vector<std::wstring>& lines) {
    TUpdating updating(*this);
    Clear();
    for (const std::wstring& line : lines)
        Add(line);
}

bool TStrings::Equals(const TStrings& other) const {
    if (Count() != other.Count()) return false;
    for (int i = 0; i < Count(); ++i)
        if (Get(i) != other.Get(i)) return false;
    return true;
}

void TStrings::BeginUpdate() {
    if (FUpdateCount == 0) SetUpdateState(true);
    ++FUpdateCount;
}

void TStrings::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

void TStrings::Assign(TPersistent* source) {
    auto* strings = dynamic_cast<TStrings*>(source);
    if (!strings) {
        inherited::Assign(source);
        return;
    }
    if (strings == this) return;
    TUpdating updating(*this);
    Clear();
    AddStrings(*strings);
}

TStringList::TStringList(const std::vector<std::wstring>& lines) {
    FItems.reserve(lines.size());
    for (const std::wstring& line : lines)
        FItems.push_back({line, nullptr});
}

const TStringList::TItem& TStringList::At(int index) const {
    if (index < 0 || index >= Count()) IndexError(index);
    return FItems[static_cast<std::size_t>(index)];
}

std::wstring TStringList::Get(int index) const {
    return At(index).Text;
}

TObject* TStringList::Objects(int index) const {
    return At(index).Object;
}

void TStringList::Put(int index, const std::wstring& text) {
    At(index);
    Changing();
    FItems[static_cast<std::size_t>(index)].Text = text;
    Changed();
}

void TStringList::PutObject(int index, TObject* object) {
    At(index);
    Changing();
    FItems[static_cast<std::size_t>(index)].Object = object;
    Changed();
}

void TStringList::Insert(int index, const std::wstring& text) {
    InsertObject(index, text, nullptr);
}

void TStringList::InsertObject(int index, const std::wstring& text, TObject* object) {
    if (index < 0 || index > Count()) IndexError(index);
    Changing();
    FItems.insert(FItems.begin() + index, TItem{text, object});
    Changed();
}

void TStringList::Delete(int index) {
    At(index);
    Changing();
    FItems.erase(FItems.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (FItems.empty()) return;
    Changing();
    FItems.clear();
    Changed();
}

void TStringList::Move(int from, int to) {
    At(from);
    At(to);
    if (from == to) return;
    Changing();
    TItem item = std::move(FItems[static_cast<std::size_t>(from)]);
    FItems.erase(FItems.begin() + from);
    FItems.insert(FItems.begin() + to, std::move(item));
    Changed();
}

void TStringList::Sort() {
    Changing();
    std::stable_sort(FItems.begin(), FItems.end(), [](const TItem& a, const TItem& b) {
        return std::lexicographical_compare(
            a.Text.begin(), a.Text.end(), b.Text.begin(), b.Text.end(),
            [](wchar_t x, wchar_t y) { return AsciiLower(x) < AsciiLower(y); });
    });
    Changed();
}

void TStringList::SetUpdateState(bool updating) {
    if (updating)
        Changing();
    else
        Changed();
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging) {
        TNotifyEvent handler = OnChanging;
        handler(this);
    }
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange) {
        TNotifyEvent handler = OnChange;
        handler(this);
    }
}

} // namespace orvo

#include "framework/controls/item_list.h"

#include "framework/base/exceptions.h"
#include "framework/base/properties.h"
#include "framework/controls/win_control.h"

#include <algorithm>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TItemStrings);

const TItemListMessages ListBoxMessages{LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT, LB_INITSTORAGE,
                                        LB_GETCURSEL, LB_SETCURSEL};
const TItemListMessages ComboBoxMessages{CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT, CB_INITSTORAGE,
                                         CB_GETCURSEL, CB_SETCURSEL};

namespace {

int CompareItems(const std::wstring& a, const std::wstring& b) {
    const int r = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()),
                                 b.c_str(), static_cast<int>(b.size()));
    return r - CSTR_EQUAL;
}

// One redraw for a batch of native changes.
class TUpdating {
public:
    explicit TUpdating(TStrings& strings) : FStrings(strings) { FStrings.BeginUpdate(); }
    ~TUpdating() { FStrings.EndUpdate(); }
    TUpdating(const TUpdating&) = delete;
    TUpdating& operator=(const TUpdating&) = delete;

private:
    TStrings& FStrings;
};

} // namespace

TItemStrings::TItemStrings(TWinControl& control, const TItemListMessages& messages)
    : FControl(control), FMessages(messages) {}

HWND TItemStrings::Window() const {
    return FControl.HandleAllocated() ? FControl.Handle() : nullptr;
}

const TItemRecord& TItemStrings::At(int index) const {
    if (index < 0 || index >= Count()) IndexError(index);
    return FItems[static_cast<std::size_t>(index)];
}

std::wstring TItemStrings::Get(int index) const {
    return At(index).Text;
}

TObject* TItemStrings::Objects(int index) const {
    return At(index).Object;
}

void TItemStrings::PutObject(int index, TObject* object) {
    At(index);
    FItems[static_cast<std::size_t>(index)].Object = object;
}

std::uint32_t TItemStrings::Flags(int index) const {
    return At(index).Flags;
}

void TItemStrings::SetFlags(int index, std::uint32_t flags) {
    At(index);
    FItems[static_cast<std::size_t>(index)].Flags = flags;
}

int TItemStrings::SortedPosition(const std::wstring& text) const {
    const auto it = std::upper_bound(FItems.begin(), FItems.end(), text, [](const std::wstring& t, const TItemRecord& item) {
        return CompareItems(t, item.Text) < 0;
    });
    return static_cast<int>(it - FItems.begin());
}

void TItemStrings::NativeInsert(HWND window, int index, const std::wstring& text) {
    const LRESULT r = SendMessageW(window, FMessages.InsertString, static_cast<WPARAM>(index),
                                   reinterpret_cast<LPARAM>(text.c_str()));
    if (r < 0) throw EOutOfResources(L"The list of '" + FControl.Name() + L"' cannot take more items");
}

void TItemStrings::Insert(int index, const std::wstring& text) {
    InsertObject(index, text, nullptr);
}

void TItemStrings::InsertObject(int index, const std::wstring& text, TObject* object) {
    if (FSorted) {
        index = SortedPosition(text);
    } else if (index < 0 || index > Count()) {
        IndexError(index);
    }
    // The record first: an owner-drawn list measures the new item while it is inserted.
    FItems.insert(FItems.begin() + index, TItemRecord{text, object, 0, false});
    if (HWND window = Window()) {
        try {
            NativeInsert(window, index, text);
        } catch (...) {
            FItems.erase(FItems.begin() + index);
            throw;
        }
    }
}

int TItemStrings::AddObject(const std::wstring& text, TObject* object) {
    const int index = FSorted ? SortedPosition(text) : Count();
    InsertObject(index, text, object);
    return index;
}

void TItemStrings::Put(int index, const std::wstring& text) {
    const TItemRecord old = At(index);
    HWND window = Window();
    const LRESULT selected = window ? SendMessageW(window, FMessages.GetCurSel, 0, 0) : -1;
    TUpdating updating(*this);
    Delete(index);
    const int at = FSorted ? SortedPosition(text) : index;
    InsertObject(at, text, old.Object);
    FItems[static_cast<std::size_t>(at)].Flags = old.Flags;
    if (window && selected == index) SendMessageW(window, FMessages.SetCurSel, static_cast<WPARAM>(at), 0);
}

void TItemStrings::Delete(int index) {
    At(index);
    if (HWND window = Window()) SendMessageW(window, FMessages.DeleteString, static_cast<WPARAM>(index), 0);
    FItems.erase(FItems.begin() + index);
}

void TItemStrings::Clear() {
    if (HWND window = Window()) SendMessageW(window, FMessages.ResetContent, 0, 0);
    FItems.clear();
}

void TItemStrings::Move(int from, int to) {
    if (from == to) return;
    At(from);
    At(to);
    if (FSorted) return; // a sorted list has one order
    const TItemRecord item = FItems[static_cast<std::size_t>(from)];
    TUpdating updating(*this);
    Delete(from);
    InsertObject(to, item.Text, item.Object);
    FItems[static_cast<std::size_t>(to)].Flags = item.Flags;
}

void TItemStrings::SetSorted(bool value) {
    if (value == FSorted) return;
    FSorted = value;
    if (!value) return;
    HWND window = Window();
    // The selected line stays selected wherever it moves.
    const LRESULT selected = window ? SendMessageW(window, FMessages.GetCurSel, 0, 0) : -1;
    std::vector<std::size_t> order(FItems.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
        return CompareItems(FItems[a].Text, FItems[b].Text) < 0;
    });
    std::vector<TItemRecord> sorted;
    sorted.reserve(FItems.size());
    int newSelected = -1;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (static_cast<LRESULT>(order[i]) == selected) newSelected = static_cast<int>(i);
        sorted.push_back(FItems[order[i]]);
    }
    FItems = std::move(sorted);
    if (!window) return;
    // Emptying a combo box empties its edit too: the text typed there stays.
    const bool combo = &FMessages == &ComboBoxMessages;
    const std::wstring text = combo ? FControl.Text() : std::wstring();
    TUpdating updating(*this);
    SendMessageW(window, FMessages.ResetContent, 0, 0);
    FillWindow();
    if (newSelected >= 0) SendMessageW(window, FMessages.SetCurSel, static_cast<WPARAM>(newSelected), 0);
    if (combo && FControl.Text() != text) SetWindowTextW(window, text.c_str());
}

void TItemStrings::FillWindow() {
    HWND window = Window();
    if (!window || FItems.empty()) return;
    std::size_t bytes = 0;
    for (const TItemRecord& item : FItems)
        bytes += (item.Text.size() + 1) * sizeof(wchar_t);
    SendMessageW(window, FMessages.InitStorage, FItems.size(), static_cast<LPARAM>(bytes));
    for (std::size_t i = 0; i < FItems.size(); ++i)
        NativeInsert(window, static_cast<int>(i), FItems[i].Text);
}

void TItemStrings::SetUpdateState(bool updating) {
    HWND window = Window();
    if (!window) return;
    SendMessageW(window, WM_SETREDRAW, updating ? FALSE : TRUE, 0);
    if (!updating) InvalidateRect(window, nullptr, TRUE);
}

void DrawListItem(TCanvas& canvas, const DRAWITEMSTRUCT& item, const TFont& font, TColor color,
                  const std::function<void(int index, RECT rect, TOwnerDrawState state)>& draw) {
    struct TItemDC {
        TCanvas& Canvas;
        TItemDC(TCanvas& canvas, HDC dc) : Canvas(canvas) { Canvas.SetHandle(dc); }
        ~TItemDC() { Canvas.SetHandle(nullptr); }
    } scope(canvas, item.hDC);
    const TOwnerDrawState state = OwnerDrawStateFromItemState(item.itemState);
    const int index = static_cast<int>(item.itemID);
    canvas.Font().Assign(font);
    canvas.Brush().SetColor(color);
    if (index >= 0 && state.Contains(odSelected)) {
        canvas.Brush().SetColor(clHighlight);
        canvas.Font().SetColor(clHighlightText);
    }
    if (index >= 0)
        draw(index, item.rcItem, state);
    else
        canvas.FillRect(item.rcItem);
    if (state.Contains(odFocused) && !state.Contains(odNoFocusRect)) DrawFocusRect(item.hDC, &item.rcItem);
}

void MeasureListItem(TMessage& m, int height, bool variable,
                     const std::function<void(int index, int& height)>& measure) {
    auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
    if (variable && static_cast<int>(item.itemID) >= 0) measure(static_cast<int>(item.itemID), height);
    item.itemHeight = static_cast<UINT>(std::clamp(height, 1, 255));
    m.Result = 1;
}

int FontLineHeight(TFont& font) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font.Handle());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return metrics.tmHeight;
}

void DrawListItemText(TCanvas& canvas, const RECT& rect, const std::wstring& text, UINT bidiFlags) {
    canvas.FillRect(rect);
    RECT r = rect;
    r.left += 2;
    canvas.TextRect(r, text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | bidiFlags);
}

} // namespace orvo

// The items of list boxes and combo boxes: a TStrings whose lines the control keeps itself (text,
// object, a word of per-item flags for the control's own use, the selection while there is no
// window) and mirrors into the native list while the control has a window. Reading never asks
// the window; every change edits the native list in place, so a window re-created later is
// filled again from the same items (FillWindow) and loses nothing.
//
// A sorted list places each new line by the user's locale, ignoring case (CompareStringW, as the
// native sorted lists do), after the lines that compare equal; Insert ignores the index then and
// AddObject answers where the line went. Putting a line into a sorted list moves it to its place.
#pragma once

#include "framework/base/string_list.h"
#include "framework/graphics/canvas.h"
#include "framework/menus/owner_draw_state.h"
#include "framework/window/messages.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>
#include <windows.h>

namespace orvo {

class TWinControl;

// The messages of one native list family (LB_* or CB_*).
struct TItemListMessages {
    UINT InsertString;
    UINT DeleteString;
    UINT ResetContent;
    UINT InitStorage;
    UINT GetCurSel;
    UINT SetCurSel;
};
extern const TItemListMessages ListBoxMessages;
extern const TItemListMessages ComboBoxMessages;

struct TItemRecord {
    std::wstring Text;
    TObject* Object = nullptr;
    std::uint32_t Flags = 0;
    bool Selected = false; // kept here only while the control has no window
};

class TItemStrings final : public TStrings {
    ORVO_CLASS(TItemStrings, TStrings)
public:
    TItemStrings(TWinControl& control, const TItemListMessages& messages);

    int Count() const override { return static_cast<int>(FItems.size()); }
    std::wstring Get(int index) const override;
    void Put(int index, const std::wstring& text) override;
    TObject* Objects(int index) const override;
    void PutObject(int index, TObject* object) override;
    void Insert(int index, const std::wstring& text) override;
    void InsertObject(int index, const std::wstring& text, TObject* object) override;
    int AddObject(const std::wstring& text, TObject* object) override;
    void Delete(int index) override;
    void Clear() override;
    void Move(int from, int to) override;

    bool Sorted() const noexcept { return FSorted; }
    // Turning sorting on sorts the lines now (equal ones keep their order).
    void SetSorted(bool value);

    // The control's per-item word (check states, header marks).
    std::uint32_t Flags(int index) const;
    void SetFlags(int index, std::uint32_t flags);

    // The item records themselves, for the control's selection bookkeeping.
    std::vector<TItemRecord>& Records() noexcept { return FItems; }
    // Puts every item into the control's new window (its list is empty).
    void FillWindow();

protected:
    void SetUpdateState(bool updating) override;

private:
    const TItemRecord& At(int index) const;
    int SortedPosition(const std::wstring& text) const;
    HWND Window() const;
    void NativeInsert(HWND window, int index, const std::wstring& text);

    TWinControl& FControl;
    const TItemListMessages& FMessages;
    std::vector<TItemRecord> FItems;
    bool FSorted = false;
};

// Owner drawing of list and combo items: the canvas on the item's DC for one item, with the
// control's font and colour (the highlight colours for a selected item); `draw` paints the item
// (index >= 0), an empty list's focus item is only filled; the focus rectangle comes last.
void DrawListItem(TCanvas& canvas, const DRAWITEMSTRUCT& item, const TFont& font, TColor color,
                  const std::function<void(int index, RECT rect, TOwnerDrawState state)>& draw);
// CN_MEASUREITEM of an owner-drawn list or combo: `height` for every item, or what `measure` makes
// of it for each real item (variable heights); kept within what the native list stores (1..255).
void MeasureListItem(TMessage& message, int height, bool variable,
                     const std::function<void(int index, int& height)>& measure);
// The height of a line of text in `font` (an item of a list in that font).
int FontLineHeight(TFont& font);
// The default look of an owner-drawn item: its text, left, vertically centred.
void DrawListItemText(TCanvas& canvas, const RECT& rect, const std::wstring& text, UINT bidiFlags);

} // namespace orvo

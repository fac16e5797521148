#include "framework/controls/list_box.h"

#include "framework/base/exceptions.h"
#include "framework/base/list.h"

#include <algorithm>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TCustomListBox);
ORVO_IMPLEMENT_CLASS(TListBox);

const TEnumType& ListBoxStyleType() {
    static const TEnumType type(L"TListBoxStyle", {L"lbStandard", L"lbOwnerDrawFixed", L"lbOwnerDrawVariable"});
    return type;
}


TCustomListBox::TCustomListBox(TComponent* owner)
    : TWinControl(owner), FItems(std::make_unique<TItemStrings>(*this, ListBoxMessages)) {
    // The native list says what a click is (LBN_SELCHANGE, LBN_DBLCLK).
    SetControlStyle(TControlStyle{});
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetColor(clWindow);
}

TCustomListBox::~TCustomListBox() {
    // The window goes first: its last messages may still ask for the items.
    Destroying();
    DestroyComponents();
    if (HandleAllocated()) DestroyHandle();
}

HWND TCustomListBox::Window() const {
    auto* self = const_cast<TCustomListBox*>(this);
    return self->HandleAllocated() ? self->Handle() : nullptr;
}

void TCustomListBox::SetItems(TStrings* items) {
    if (items) FItems->Assign(items);
}

void TCustomListBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.BaseClassName = L"LISTBOX";
    params.Style |= LBS_NOTIFY | LBS_HASSTRINGS | WS_VSCROLL;
    if (!FIntegralHeight) params.Style |= LBS_NOINTEGRALHEIGHT;
    if (FMultiSelect) params.Style |= FExtendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    if (FColumns > 0) params.Style |= LBS_MULTICOLUMN | WS_HSCROLL;
    if (ScrollWidth() > 0) params.Style |= WS_HSCROLL;
    if (FStyle == lbOwnerDrawFixed) params.Style |= LBS_OWNERDRAWFIXED;
    if (FStyle == lbOwnerDrawVariable) params.Style |= LBS_OWNERDRAWVARIABLE;
    if (FBorderStyle == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::CreateWnd() {
    TWinControl::CreateWnd();
    HWND window = Handle();
    if (FColumns > 0) SendMessageW(window, LB_SETCOLUMNWIDTH, static_cast<WPARAM>(Width() / FColumns), 0);
    if (ScrollWidth() > 0) SendMessageW(window, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(ScrollWidth()), 0);
    FItems->FillWindow();
    RestoreWindowState();
}

// The selection and the view live in the window; they are kept when it goes and given to the
// next one.
void TCustomListBox::SaveWindowState() {
    HWND window = Window();
    if (!window) return;
    FSavedItemIndex = ItemIndex();
    FSavedTopIndex = static_cast<int>(SendMessageW(window, LB_GETTOPINDEX, 0, 0));
    auto& records = FItems->Records();
    for (std::size_t i = 0; i < records.size(); ++i)
        records[i].Selected = SendMessageW(window, LB_GETSEL, i, 0) > 0;
}

void TCustomListBox::RestoreWindowState() {
    HWND window = Window();
    if (!window) return;
    if (FMultiSelect) {
        const auto& records = FItems->Records();
        for (std::size_t i = 0; i < records.size(); ++i)
            if (records[i].Selected) SendMessageW(window, LB_SETSEL, TRUE, static_cast<LPARAM>(i));
        // The caret only: the selection is the records'.
        if (FSavedItemIndex >= 0 && FSavedItemIndex < Count())
            SendMessageW(window, LB_SETCARETINDEX, static_cast<WPARAM>(FSavedItemIndex), FALSE);
    } else {
        SetItemIndex(FSavedItemIndex);
    }
    if (FSavedTopIndex > 0) SendMessageW(window, LB_SETTOPINDEX, static_cast<WPARAM>(FSavedTopIndex), 0);
}

namespace {

// What the window is, which differs from MultiSelect while a new setting waits for a new window.
bool NativeMultiSelect(HWND window) {
    return (GetWindowLongW(window, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
}

} // namespace

int TCustomListBox::ItemIndex() const {
    HWND window = Window();
    if (!window) return FSavedItemIndex;
    const bool multi = NativeMultiSelect(window);
    const auto index = static_cast<int>(SendMessageW(window, multi ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0));
    // A multiple-selection list always has a caret item; with nothing selected there is no index.
    if (multi && index >= 0 && SendMessageW(window, LB_GETSELCOUNT, 0, 0) <= 0) return -1;
    return index < 0 ? -1 : index;
}

void TCustomListBox::SetItemIndex(int index) {
    // While the form is read the items may come later; Loaded applies it.
    if (ComponentState().Contains(csLoading)) {
        FSavedItemIndex = index;
        return;
    }
    if (index < -1 || index >= Count()) index = -1;
    HWND window = Window();
    if (!window) {
        FSavedItemIndex = index;
        if (FMultiSelect && index >= 0) FItems->Records()[static_cast<std::size_t>(index)].Selected = true;
        return;
    }
    if (FMultiSelect) {
        if (index >= 0) {
            SendMessageW(window, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
            SendMessageW(window, LB_SETSEL, TRUE, index);
        }
        return;
    }
    SendMessageW(window, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool TCustomListBox::Selected(int index) const {
    if (index < 0 || index >= Count()) ListIndexError(index);
    HWND window = Window();
    if (!window) {
        if (!FMultiSelect) return index == FSavedItemIndex;
        return FItems->Records()[static_cast<std::size_t>(index)].Selected;
    }
    return SendMessageW(window, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

void TCustomListBox::SetSelected(int index, bool value) {
    if (index < 0 || index >= Count()) ListIndexError(index);
    HWND window = Window();
    if (!FMultiSelect) {
        if (value)
            SetItemIndex(index);
        else if (ItemIndex() == index)
            SetItemIndex(-1);
        return;
    }
    if (!window) {
        FItems->Records()[static_cast<std::size_t>(index)].Selected = value;
        return;
    }
    SendMessageW(window, LB_SETSEL, value ? TRUE : FALSE, index);
}

int TCustomListBox::SelCount() const {
    if (HWND window = Window(); window && NativeMultiSelect(window))
        return std::max(0, static_cast<int>(SendMessageW(window, LB_GETSELCOUNT, 0, 0)));
    if (!FMultiSelect) return ItemIndex() >= 0 ? 1 : 0;
    if (Window()) return ItemIndex() >= 0 ? 1 : 0;
    int count = 0;
    for (const TItemRecord& item : FItems->Records())
        count += item.Selected ? 1 : 0;
    return count;
}

void TCustomListBox::ClearSelection() {
    if (!FMultiSelect) {
        SetItemIndex(-1);
        return;
    }
    for (TItemRecord& item : FItems->Records())
        item.Selected = false;
    if (HWND window = Window()) SendMessageW(window, LB_SETSEL, FALSE, -1);
}

void TCustomListBox::SelectAll() {
    if (!FMultiSelect) return;
    for (TItemRecord& item : FItems->Records())
        item.Selected = true;
    if (HWND window = Window()) SendMessageW(window, LB_SETSEL, TRUE, -1);
}

void TCustomListBox::SetMultiSelect(bool value) {
    if (value == FMultiSelect) return;
    FMultiSelect = value;
    RecreateWnd();
}

void TCustomListBox::SetExtendedSelect(bool value) {
    if (value == FExtendedSelect) return;
    FExtendedSelect = value;
    if (FMultiSelect) RecreateWnd();
}

void TCustomListBox::SetStyle(TListBoxStyle style) {
    if (style == FStyle) return;
    FStyle = style;
    RecreateWnd();
}

int TCustomListBox::ItemHeight() const {
    if (FStyle == lbStandard)
        if (HWND window = Window()) return static_cast<int>(SendMessageW(window, LB_GETITEMHEIGHT, 0, 0));
    return FItemHeight.At(CurrentDpi());
}

void TCustomListBox::SetItemHeight(int height) {
    if (height < 1 || height > 255) return; // the native list keeps item heights in a byte
    FItemHeight.Set(height, CurrentDpi());
    if (FStyle == lbOwnerDrawFixed)
        if (HWND window = Window()) {
            SendMessageW(window, LB_SETITEMHEIGHT, 0, height);
            Invalidate();
        }
}

void TCustomListBox::ChangeScale(int oldDpi, int newDpi) {
    TWinControl::ChangeScale(oldDpi, newDpi);
    HWND window = Window();
    if (!window) return;
    if (FStyle == lbOwnerDrawFixed)
        SendMessageW(window, LB_SETITEMHEIGHT, 0, std::clamp(FItemHeight.At(newDpi), 1, 255));
    if (FColumns > 0) SendMessageW(window, LB_SETCOLUMNWIDTH, static_cast<WPARAM>(Width() / FColumns), 0);
    if (ScrollWidth() > 0) SendMessageW(window, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(ScrollWidth()), 0);
    Invalidate();
}

void TCustomListBox::SetColumns(int columns) {
    columns = std::max(columns, 0);
    if (columns == FColumns) return;
    const bool restyle = (columns > 0) != (FColumns > 0);
    FColumns = columns;
    if (restyle)
        RecreateWnd();
    else if (HWND window = Window())
        SendMessageW(window, LB_SETCOLUMNWIDTH, static_cast<WPARAM>(Width() / FColumns), 0);
}

void TCustomListBox::SetScrollWidth(int width) {
    width = std::max(width, 0);
    if (width == ScrollWidth()) return;
    const bool restyle = (width > 0) != (ScrollWidth() > 0);
    FScrollWidth.Set(width, CurrentDpi());
    if (restyle)
        RecreateWnd();
    else if (HWND window = Window())
        SendMessageW(window, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(width), 0);
}

void TCustomListBox::SetIntegralHeight(bool value) {
    if (value == FIntegralHeight) return;
    FIntegralHeight = value;
    RecreateWnd();
}

void TCustomListBox::SetBorderStyle(TBorderStyle style) {
    if (style == FBorderStyle) return;
    FBorderStyle = style;
    RecreateWnd();
}

int TCustomListBox::TopIndex() const {
    HWND window = Window();
    return window ? static_cast<int>(SendMessageW(window, LB_GETTOPINDEX, 0, 0)) : FSavedTopIndex;
}

void TCustomListBox::SetTopIndex(int index) {
    if (HWND window = Window())
        SendMessageW(window, LB_SETTOPINDEX, static_cast<WPARAM>(std::max(index, 0)), 0);
    else
        FSavedTopIndex = std::max(index, 0);
}

int TCustomListBox::ItemAtPos(POINT p, bool existing) const {
    HWND window = Window();
    if (!window) return -1;
    const LRESULT r = SendMessageW(window, LB_ITEMFROMPOINT, 0, MAKELPARAM(p.x, p.y));
    const int index = LOWORD(r);
    // The high word says the point lies outside every item's rectangle.
    if (HIWORD(r) != 0) return existing ? -1 : index + 1;
    return index < Count() ? index : -1;
}

RECT TCustomListBox::ItemRect(int index) const {
    RECT r{};
    if (HWND window = Window()) SendMessageW(window, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

void TCustomListBox::MeasureItem(int index, int& height) {
    if (OnMeasureItem) OnMeasureItem(this, index, height);
}

void TCustomListBox::DrawItem(int index, RECT rect, TOwnerDrawState state) {
    if (OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    DrawListItemText(FCanvas, rect, index < Count() ? FItems->Get(index) : std::wstring(), DrawTextBiDiModeFlags(0));
}

void TCustomListBox::CNDrawItem(TMessage& m) {
    DrawListItem(FCanvas, *reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam), *Font(), Color(),
                 [this](int index, RECT rect, TOwnerDrawState state) { DrawItem(index, rect, state); });
    m.Result = 1;
}

void TCustomListBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_COMMAND:
        switch (HIWORD(m.WParam)) {
        case LBN_SELCHANGE:
            Click();
            break;
        case LBN_DBLCLK:
            DblClick();
            break;
        default:
            break;
        }
        m.Result = 0;
        return;
    case CN_MEASUREITEM:
        MeasureListItem(m, std::min(FItemHeight.At(CurrentDpi()), 255), FStyle == lbOwnerDrawVariable,
                        [this](int index, int& height) { MeasureItem(index, height); });
        return;
    case CN_DRAWITEM:
        CNDrawItem(m);
        return;
    case WM_DESTROY:
        SaveWindowState();
        break;
    case WM_SIZE:
        TWinControl::WndProc(m);
        if (FColumns > 0) SendMessageW(Handle(), LB_SETCOLUMNWIDTH, static_cast<WPARAM>(Width() / FColumns), 0);
        return;
    default:
        break;
    }
    TWinControl::WndProc(m);
}

void TCustomListBox::Loaded() {
    TWinControl::Loaded();
    SetItemIndex(FSavedItemIndex);
}

TListBox::TListBox(TComponent* owner) : TCustomListBox(owner) {}

void TListBox::Publish(TPublisher<TListBox>& p) {
    PublishListBoxProperties(p);
    p.Enum(L"Style", ListBoxStyleType(), &TListBox::Style, &TListBox::SetStyle);
}

} // namespace orvo

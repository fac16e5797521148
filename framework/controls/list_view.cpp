#include "framework/controls/list_view.h"

#include "framework/base/exceptions.h"
#include "framework/base/list.h"
#include "framework/base/properties.h"
#include "framework/base/sysutils.h"
#include "framework/controls/item_lists.h"
#include "framework/graphics/color.h"
#include "framework/graphics/image_list.h"

#include <algorithm>
#include <initializer_list>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TListItem);
ORVO_IMPLEMENT_CLASS(TListItems);
ORVO_IMPLEMENT_CLASS(TListColumn);
ORVO_IMPLEMENT_CLASS(TListColumns);
ORVO_IMPLEMENT_CLASS(TCustomListView);
ORVO_IMPLEMENT_CLASS(TListView);

const TEnumType& ViewStyleType() {
    static const TEnumType type(L"TViewStyle", {L"vsIcon", L"vsSmallIcon", L"vsList", L"vsReport"});
    return type;
}

namespace {

constexpr UINT CheckedStateImage = 2;
constexpr UINT UncheckedStateImage = 1;

constexpr DWORD ListStyleMask = LVS_TYPEMASK | LVS_SINGLESEL | LVS_EDITLABELS | LVS_NOCOLUMNHEADER |
                                LVS_SHOWSELALWAYS | LVS_AUTOARRANGE;
constexpr DWORD ExtendedStyleMask = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_TRACKSELECT;

} // namespace

class TCustomListView::TSyncScope {
public:
    TSyncScope(TCustomListView& view, TSync sync) : FView(view), FOld(view.FSync) { view.FSync = sync; }
    ~TSyncScope() { FView.FSync = FOld; }
    TSyncScope(const TSyncScope&) = delete;
    TSyncScope& operator=(const TSyncScope&) = delete;

private:
    TCustomListView& FView;
    TSync FOld;
};

// ---- TListItem --------------------------------------------------------------------------------

void TListItem::Publish(TPublisher<TListItem>& p) {
    p.String(L"Caption", &TListItem::Caption, &TListItem::SetCaption);
    p.Object(L"SubItems", &TListItem::SubItems, &TListItem::SetSubItems);
    p.Integer(L"ImageIndex", &TListItem::ImageIndex, &TListItem::SetImageIndex);
    p.Boolean(L"Checked", &TListItem::Checked, &TListItem::SetChecked);
    p.Boolean(L"Selected", &TListItem::Selected, &TListItem::SetSelected);
    p.Boolean(L"Focused", &TListItem::Focused, &TListItem::SetFocused);
}

TListItem::TListItem(TListItems& owner) : FOwner(owner), FSubItems(*this) {}

TListItem::~TListItem() = default;

TCustomListView* TListItem::ListView() const noexcept {
    return FOwner.Owner();
}

void TListItem::TSubItems::Changed() {
    TStringList::Changed();
    if (TCustomListView* view = FItem.ListView()) {
        view->PushSubItems(&FItem);
        view->Change(&FItem, ctText);
    }
}

void TListItem::SetCaption(const std::wstring& caption) {
    if (caption == FCaption) return;
    FCaption = caption;
    if (TCustomListView* view = ListView()) {
        view->UpdateNative(this, LVIF_TEXT);
        view->Change(this, ctText);
    }
}

void TListItem::SetSubItems(TStrings* items) {
    if (items) FSubItems.Assign(items);
}

void TListItem::SetImageIndex(int index) {
    if (index == FImageIndex) return;
    FImageIndex = index;
    if (TCustomListView* view = ListView()) {
        view->UpdateNative(this, LVIF_IMAGE);
        view->Change(this, ctImage);
    }
}

void TListItem::SetChecked(bool value) {
    if (TCustomListView* view = ListView())
        view->ChangeState(this, LVIS_STATEIMAGEMASK, value);
    else
        FChecked = value;
}

void TListItem::SetSelected(bool value) {
    if (TCustomListView* view = ListView())
        view->ChangeState(this, LVIS_SELECTED, value);
    else
        FSelected = value;
}

void TListItem::SetFocused(bool value) {
    if (TCustomListView* view = ListView())
        view->ChangeState(this, LVIS_FOCUSED, value);
    else
        FFocused = value;
}

void TListItem::Delete() {
    FOwner.Delete(FIndex);
}

void TListItem::MakeVisible(bool partialOK) {
    TCustomListView* view = ListView();
    if (view && view->HandleAllocated())
        SendMessageW(view->Handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(FIndex), partialOK ? TRUE : FALSE);
}

RECT TListItem::DisplayRect(int code) const {
    RECT r{};
    TCustomListView* view = ListView();
    if (!view || !view->HandleAllocated()) return r;
    r.left = code;
    if (!SendMessageW(view->Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(FIndex), reinterpret_cast<LPARAM>(&r)))
        r = RECT{};
    return r;
}

void TListItem::Assign(TPersistent* source) {
    auto* item = dynamic_cast<TListItem*>(source);
    if (!item) {
        TPersistent::Assign(source);
        return;
    }
    SetCaption(item->FCaption);
    SetImageIndex(item->FImageIndex);
    FSubItems.Assign(&item->FSubItems);
    SetChecked(item->FChecked);
    Data = item->Data;
}

// ---- TListItems -------------------------------------------------------------------------------

void TListItems::Publish(TPublisher<TListItems>& p) {
    p.StringList(L"Rows", &TListItems::RowLines, &TListItems::SetRowLines);
}

TListItems::TListItems(TCustomListView* owner) : FOwner(owner) {}

TListItems::~TListItems() = default;

TListItem* TListItems::Item(int index) const {
    if (index < 0 || index >= Count()) ListIndexError(index);
    return FItems[static_cast<std::size_t>(index)].get();
}

TListItem* TListItems::Add() {
    return Insert(Count());
}

TListItem* TListItems::Insert(int index) {
    if (index < 0 || index > Count()) ListIndexError(index);
    FItems.insert(FItems.begin() + index, std::make_unique<TListItem>(*this));
    Renumber(index);
    TListItem* item = FItems[static_cast<std::size_t>(index)].get();
    if (FOwner) FOwner->InsertNative(item);
    return item;
}

void TListItems::Delete(int index) {
    if (index < 0 || index >= Count()) ListIndexError(index);
    if (FOwner) FOwner->DeleteNative(index);
    FItems.erase(FItems.begin() + index);
    Renumber(index);
}

void TListItems::Clear() {
    if (FOwner && FOwner->HandleAllocated()) {
        TCustomListView::TSyncScope tearing(*FOwner, TCustomListView::TSync::Tearing);
        SendMessageW(FOwner->Handle(), LVM_DELETEALLITEMS, 0, 0);
    }
    FItems.clear();
}

int TListItems::IndexOf(const TListItem* item) const noexcept {
    return item && &item->FOwner == this ? item->FIndex : -1;
}

void TListItems::Renumber(int from) noexcept {
    for (std::size_t i = static_cast<std::size_t>(std::max(from, 0)); i < FItems.size(); ++i)
        FItems[i]->FIndex = static_cast<int>(i);
}

void TListItems::BeginUpdate() {
    if (FUpdateCount++ == 0) SetWindowRedraw(FOwner, false);
}

void TListItems::EndUpdate() {
    if (FUpdateCount == 0) return;
    if (--FUpdateCount == 0) SetWindowRedraw(FOwner, true);
}

std::vector<std::wstring> TListItems::RowLines() const {
    std::vector<std::wstring> lines;
    lines.reserve(FItems.size());
    for (const auto& item : FItems) {
        std::wstring line = FormatItemLine({item->FImageIndex, item->FChecked ? 1 : 0}, {-1, 0}, item->FCaption);
        for (int i = 0; i < item->FSubItems.Count(); ++i)
            line += L'\t' + item->FSubItems.Get(i);
        lines.push_back(std::move(line));
    }
    return lines;
}

void TListItems::SetRowLines(const std::vector<std::wstring>& lines) {
    // Checked whole before anything is replaced: a bad line leaves the items as they were.
    struct TParsed {
        TItemLine Item;
        std::vector<std::wstring> SubItems;
    };
    std::vector<TParsed> parsed;
    parsed.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        std::vector<std::wstring> fields = SplitAtTabs(lines[i]);
        TParsed p{ParseItemLine(fields.front(), 2, L"List item", number), {}};
        if (p.Item.Numbers[1] && *p.Item.Numbers[1] != 0 && *p.Item.Numbers[1] != 1)
            throw EConvertError(L"List item line " + IntToStr(number) + L": Checked is 0 or 1");
        p.SubItems.assign(std::make_move_iterator(fields.begin() + 1), std::make_move_iterator(fields.end()));
        parsed.push_back(std::move(p));
    }
    TUpdateScope update(*this);
    Clear();
    for (const TParsed& p : parsed) {
        TListItem* item = Add();
        item->SetCaption(p.Item.Text);
        item->SetImageIndex(p.Item.Numbers[0].value_or(-1));
        item->FSubItems.SetStrings(p.SubItems);
        item->SetChecked(p.Item.Numbers[1].value_or(0) == 1);
    }
}

void TListItems::Assign(TPersistent* source) {
    auto* items = dynamic_cast<TListItems*>(source);
    if (!items) {
        TPersistent::Assign(source);
        return;
    }
    if (items == this) return;
    TUpdateScope update(*this);
    Clear();
    for (const auto& item : items->FItems)
        Add()->Assign(item.get());
}

// ---- TListColumn, TListColumns -------------------------------------------------------------------

void TListColumn::Publish(TPublisher<TListColumn>& p) {
    p.String(L"Caption", &TListColumn::Caption, &TListColumn::SetCaption);
    p.Integer(L"Width", &TListColumn::Width, &TListColumn::SetWidth);
    p.Enum(L"Alignment", AlignmentType(), &TListColumn::Alignment, &TListColumn::SetAlignment);
    p.Integer(L"ImageIndex", &TListColumn::ImageIndex, &TListColumn::SetImageIndex);
}

TCustomListView* TListColumn::ListView() const noexcept {
    auto* columns = static_cast<TListColumns*>(Collection());
    return columns ? columns->ListView() : nullptr;
}

void TListColumn::SetCaption(const std::wstring& caption) {
    if (caption == FCaption) return;
    FCaption = caption;
    Changed(false);
}

int TListColumn::Width() const {
    return FWidth.Value < 0 ? FWidth.Value : FWidth.At(CollectionItemDpi(*this));
}

void TListColumn::SetWidth(int width) {
    if (width < 0)
        FWidth = TScaledLength{width, DesignDpi};
    else
        FWidth.Set(width, CollectionItemDpi(*this));
    Changed(false);
}

void TListColumn::SetAlignment(TAlignment alignment) {
    if (alignment == FAlignment) return;
    FAlignment = alignment;
    Changed(false);
}

void TListColumn::SetImageIndex(int index) {
    if (index == FImageIndex) return;
    FImageIndex = index;
    Changed(false);
}

std::wstring TListColumn::DisplayName() const {
    return FCaption.empty() ? TCollectionItem::DisplayName() : FCaption;
}

TListColumns::TListColumns(TCustomListView* owner)
    : TCollection(CollectionItemClass<TListColumn>(), owner), FView(owner) {}

void TListColumns::Update(TCollectionItem* item) {
    TCollection::Update(item);
    if (FView) FView->ColumnsChanged(static_cast<TListColumn*>(item));
}

// ---- TCustomListView --------------------------------------------------------------------------

TCustomListView::TCustomListView(TComponent* owner)
    : TWinControl(owner), FItems(std::make_unique<TListItems>(this)), FColumns(std::make_unique<TListColumns>(this)) {
    SetControlStyle(TControlStyle{csClickEvents, csDoubleClicks});
    SetBounds(0, 0, 250, 150);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TCustomListView::~TCustomListView() {
    // What the control owns goes first, then the window (its notifications still find the
    // items), then the items.
    Destroying();
    DestroyComponents();
    DestroyHandle();
    FItems.reset();
    FColumns.reset();
}

void TCustomListView::SetItems(TListItems* items) {
    if (items) FItems->Assign(items);
}

DWORD TCustomListView::ListStyle() const noexcept {
    static constexpr DWORD views[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    DWORD style = views[FViewStyle];
    if (FViewStyle == vsIcon || FViewStyle == vsSmallIcon) style |= LVS_AUTOARRANGE;
    if (!FMultiSelect) style |= LVS_SINGLESEL;
    if (!FReadOnly) style |= LVS_EDITLABELS;
    if (!FShowColumnHeaders) style |= LVS_NOCOLUMNHEADER;
    if (!FHideSelection) style |= LVS_SHOWSELALWAYS;
    return style;
}

DWORD TCustomListView::ExtendedStyle() const noexcept {
    DWORD style = 0;
    if (FCheckboxes) style |= LVS_EX_CHECKBOXES;
    if (FRowSelect) style |= LVS_EX_FULLROWSELECT;
    if (FGridLines) style |= LVS_EX_GRIDLINES;
    if (FHotTrack) style |= LVS_EX_TRACKSELECT;
    return style;
}

void TCustomListView::CreateParams(TCreateParams& params) {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)registered;
    TWinControl::CreateParams(params);
    params.BaseClassName = WC_LISTVIEWW;
    // The image lists are the framework's: the window must not free them.
    params.Style |= ListStyle() | LVS_SHAREIMAGELISTS;
    if (FBorderStyle == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListView::CreateWnd() {
    TWinControl::CreateWnd();
    HWND view = Handle();
    SendMessageW(view, LVM_SETEXTENDEDLISTVIEWSTYLE, ExtendedStyleMask, static_cast<LPARAM>(ExtendedStyle()));
    ApplyImageLists();
    ApplyColors();
    for (int i = 0; i < FColumns->Count(); ++i)
        SetNativeColumn(FColumns->Items(i), true);
    TSyncScope building(*this, TSync::Building);
    SendMessageW(view, WM_SETREDRAW, FALSE, 0);
    for (auto& item : FItems->FItems)
        InsertNative(item.get());
    if (FItems->FUpdateCount == 0) SendMessageW(view, WM_SETREDRAW, TRUE, 0);
}

void TCustomListView::InsertNative(TListItem* item) {
    if (!HandleAllocated()) return;
    TSyncScope building(*this, TSync::Building);
    LVITEMW native{};
    native.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
    native.iItem = item->FIndex;
    native.pszText = const_cast<wchar_t*>(item->FCaption.c_str());
    native.iImage = item->FImageIndex;
    native.lParam = reinterpret_cast<LPARAM>(item);
    native.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    native.state = (item->FSelected ? LVIS_SELECTED : 0) | (item->FFocused ? LVIS_FOCUSED : 0);
    if (SendMessageW(Handle(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&native)) < 0)
        throw EOutOfResources(L"The list view refused a new item");
    if (FCheckboxes) PushCheck(item);
    PushSubItems(item);
}

void TCustomListView::DeleteNative(int index) {
    if (!HandleAllocated()) return;
    SendMessageW(Handle(), LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
}

void TCustomListView::UpdateNative(TListItem* item, UINT mask) {
    if (!HandleAllocated()) return;
    LVITEMW native{};
    native.mask = mask;
    native.iItem = item->FIndex;
    native.pszText = const_cast<wchar_t*>(item->FCaption.c_str());
    native.iImage = item->FImageIndex;
    SendMessageW(Handle(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&native));
}

void TCustomListView::PushSubItems(TListItem* item) {
    if (!HandleAllocated()) return;
    const int columns = NativeColumnCount();
    const int count = std::max(columns - 1, item->FSubItems.Count());
    for (int i = 0; i < count; ++i) {
        const std::wstring text = i < item->FSubItems.Count() ? item->FSubItems.Get(i) : std::wstring();
        LVITEMW native{};
        native.iSubItem = i + 1;
        native.pszText = const_cast<wchar_t*>(text.c_str());
        SendMessageW(Handle(), LVM_SETITEMTEXTW, static_cast<WPARAM>(item->FIndex), reinterpret_cast<LPARAM>(&native));
    }
}

void TCustomListView::PushCheck(TListItem* item) {
    if (!HandleAllocated()) return;
    LVITEMW native{};
    native.stateMask = LVIS_STATEIMAGEMASK;
    native.state = INDEXTOSTATEIMAGEMASK(item->FChecked ? CheckedStateImage : UncheckedStateImage);
    SendMessageW(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(item->FIndex), reinterpret_cast<LPARAM>(&native));
}

UINT TCustomListView::NativeState(const TListItem* item) {
    return static_cast<UINT>(SendMessageW(Handle(), LVM_GETITEMSTATE, static_cast<WPARAM>(item->FIndex),
                                          LVIS_SELECTED | LVIS_FOCUSED | LVIS_STATEIMAGEMASK));
}

void TCustomListView::ChangeState(TListItem* item, UINT mask, bool value) {
    bool& field = mask == LVIS_SELECTED ? item->FSelected : mask == LVIS_FOCUSED ? item->FFocused : item->FChecked;
    if (field == value) return;
    if (HandleAllocated() && (mask != LVIS_STATEIMAGEMASK || FCheckboxes)) {
        // The window decides (OnChanging may refuse); its notification updates the item and
        // raises the events. Read back in case it said nothing.
        LVITEMW native{};
        native.stateMask = mask;
        native.state = mask == LVIS_STATEIMAGEMASK ? INDEXTOSTATEIMAGEMASK(value ? CheckedStateImage : UncheckedStateImage)
                                                   : (value ? mask : 0);
        SendMessageW(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(item->FIndex), reinterpret_cast<LPARAM>(&native));
        TakeState(item, NativeState(item), FSync == TSync::None);
        return;
    }
    // Without a window (or without check boxes) the item is the only record.
    if (value && (mask == LVIS_FOCUSED || (mask == LVIS_SELECTED && !FMultiSelect)))
        for (auto& other : FItems->FItems)
            if (other.get() != item) ChangeState(other.get(), mask, false);
    field = value;
    if (ComponentState().Contains(csLoading)) return;
    Change(item, ctState);
    if (mask == LVIS_SELECTED && OnSelectItem) OnSelectItem(this, item, value);
    if (mask == LVIS_STATEIMAGEMASK && OnItemChecked) OnItemChecked(this, item);
}

void TCustomListView::Change(TListItem* item, TItemChange change) {
    if (OnChange && !ComponentState().Contains(csLoading)) OnChange(this, item, change);
}

void TCustomListView::PushAllItems() {
    if (!HandleAllocated()) return;
    TSyncScope building(*this, TSync::Building);
    for (auto& item : FItems->FItems) {
        if (FCheckboxes) PushCheck(item.get());
        PushSubItems(item.get());
    }
}

void TCustomListView::SetNativeColumn(TListColumn* column, bool insert) {
    static constexpr int formats[] = {LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_CENTER};
    LVCOLUMNW native{};
    native.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_IMAGE;
    native.fmt = formats[column->FAlignment];
    if (column->FImageIndex >= 0) native.fmt |= LVCFMT_IMAGE;
    native.cx = column->Width();
    native.pszText = const_cast<wchar_t*>(column->FCaption.c_str());
    native.iImage = column->FImageIndex;
    const auto index = static_cast<WPARAM>(column->Index());
    if (insert) {
        if (SendMessageW(Handle(), LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&native)) < 0)
            throw EOutOfResources(L"The list view refused a new column");
        return;
    }
    SendMessageW(Handle(), LVM_SETCOLUMNW, index, reinterpret_cast<LPARAM>(&native));
}

int TCustomListView::NativeColumnCount() {
    HWND header = HeaderHandle();
    return header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

void TCustomListView::ColumnsChanged(TListColumn* column) {
    if (!HandleAllocated()) return;
    if (column) {
        SetNativeColumn(column, false);
        return;
    }
    // Added, removed or moved columns: the window gets the columns anew, and the sub-items follow
    // their columns by position.
    for (int n = NativeColumnCount(); n > 0; --n)
        SendMessageW(Handle(), LVM_DELETECOLUMN, static_cast<WPARAM>(n - 1), 0);
    for (int i = 0; i < FColumns->Count(); ++i)
        SetNativeColumn(FColumns->Items(i), true);
    PushAllItems();
}

void TCustomListView::HeaderItemChanged(const NMHEADERW& info) {
    // The user dragged a divider, or the window sized a column itself: the column keeps the width.
    if (!info.pitem || !(info.pitem->mask & HDI_WIDTH) || info.iItem < 0 || info.iItem >= FColumns->Count()) return;
    TListColumn* column = FColumns->Items(info.iItem);
    column->FWidth.Set(info.pitem->cxy, CurrentDpi());
}

void TCustomListView::ChangeScale(int oldDpi, int newDpi) {
    TWinControl::ChangeScale(oldDpi, newDpi);
    // Lists that no form owns follow the controls that show them.
    for (TImageList* images : {FLargeImages, FSmallImages, FStateImages})
        if (images) images->SetDpi(newDpi);
    if (!HandleAllocated()) return;
    ApplyImageLists(); // the lists' images have another size: the rows follow
    for (int i = 0; i < FColumns->Count() && i < NativeColumnCount(); ++i)
        SetNativeColumn(FColumns->Items(i), false);
}

HWND TCustomListView::HeaderHandle() {
    return HandleAllocated() ? reinterpret_cast<HWND>(SendMessageW(Handle(), LVM_GETHEADER, 0, 0)) : nullptr;
}

// ---- styles, image lists, colours ---------------------------------------------------------------

void TCustomListView::SetViewStyle(TViewStyle style) {
    if (style == FViewStyle) return;
    FViewStyle = style;
    UpdateStyle();
}

void TCustomListView::SetStyleFlag(bool& flag, bool value) {
    if (flag == value) return;
    flag = value;
    UpdateStyle();
}

void TCustomListView::UpdateStyle() {
    if (!HandleAllocated()) return;
    // The platform's list view follows style changes of a live window (a report view gets its
    // header then), so the window is kept.
    const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    SetWindowLongPtrW(Handle(), GWL_STYLE, (style & ~static_cast<LONG_PTR>(ListStyleMask)) | static_cast<LONG_PTR>(ListStyle()));
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    Invalidate();
}

void TCustomListView::SetExtendedFlag(bool& flag, bool value) {
    if (flag == value) return;
    flag = value;
    if (HandleAllocated())
        SendMessageW(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, ExtendedStyleMask, static_cast<LPARAM>(ExtendedStyle()));
}

void TCustomListView::SetCheckboxes(bool value) {
    if (value == FCheckboxes) return;
    if (!HandleAllocated()) {
        FCheckboxes = value;
        return;
    }
    if (!value) DropCheckImages();
    FCheckboxes = value;
    SendMessageW(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, ExtendedStyleMask, static_cast<LPARAM>(ExtendedStyle()));
    if (value)
        PushAllItems(); // the marks the items hold
    else
        ApplyImageLists(); // the state images come back
}

void TCustomListView::DropCheckImages() {
    // The check box images are the window's own list, which LVS_SHAREIMAGELISTS keeps it from
    // freeing: free it here.
    if (!HandleAllocated() || !FCheckboxes) return;
    auto list = reinterpret_cast<HIMAGELIST>(SendMessageW(Handle(), LVM_GETIMAGELIST, LVSIL_STATE, 0));
    if (!list || (FStateImages && list == FStateImages->Handle())) return;
    SendMessageW(Handle(), LVM_SETIMAGELIST, LVSIL_STATE, 0);
    ImageList_Destroy(list);
}

void TCustomListView::SetImageList(TImageList*& field, TImageList* images, int which) {
    if (images == field) return;
    TImageList* old = field;
    field = images;
    if (old && old != FLargeImages && old != FSmallImages && old != FStateImages) old->RemoveFreeNotification(this);
    if (images) images->FreeNotification(this);
    if (!HandleAllocated() || (which == LVSIL_STATE && FCheckboxes)) return;
    SendMessageW(Handle(), LVM_SETIMAGELIST, static_cast<WPARAM>(which),
                 reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
}

void TCustomListView::ApplyImageLists() {
    if (!HandleAllocated()) return;
    const auto set = [&](TImageList* images, int which) {
        SendMessageW(Handle(), LVM_SETIMAGELIST, static_cast<WPARAM>(which),
                     reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
    };
    set(FLargeImages, LVSIL_NORMAL);
    set(FSmallImages, LVSIL_SMALL);
    if (!FCheckboxes) set(FStateImages, LVSIL_STATE);
}

void TCustomListView::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != opRemove) return;
    const auto drop = [&](TImageList*& field, int which) {
        if (component != field) return;
        field = nullptr;
        if (HandleAllocated() && !(which == LVSIL_STATE && FCheckboxes))
            SendMessageW(Handle(), LVM_SETIMAGELIST, static_cast<WPARAM>(which), 0);
    };
    drop(FLargeImages, LVSIL_NORMAL);
    drop(FSmallImages, LVSIL_SMALL);
    drop(FStateImages, LVSIL_STATE);
}

void TCustomListView::SetBorderStyle(TBorderStyle style) {
    if (style == FBorderStyle) return;
    FBorderStyle = style;
    RecreateWnd();
}

void TCustomListView::ApplyColors() {
    if (!HandleAllocated()) return;
    const auto back = static_cast<LPARAM>(ColorToColorRef(Color()));
    SendMessageW(Handle(), LVM_SETBKCOLOR, 0, back);
    SendMessageW(Handle(), LVM_SETTEXTBKCOLOR, 0, back);
    SendMessageW(Handle(), LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorToColorRef(Font()->Color())));
}

// ---- selection ----------------------------------------------------------------------------------

TListItem* TCustomListView::Selected() const noexcept {
    for (const auto& item : FItems->FItems)
        if (item->FSelected) return item.get();
    return nullptr;
}

void TCustomListView::SetSelected(TListItem* item) {
    if (item && &item->FOwner != FItems.get()) return;
    for (auto& other : FItems->FItems)
        if (other.get() != item && other->FSelected) other->SetSelected(false);
    if (item) {
        item->SetSelected(true);
        item->SetFocused(true);
    }
}

int TCustomListView::SelCount() const noexcept {
    return static_cast<int>(std::count_if(FItems->FItems.begin(), FItems->FItems.end(),
                                          [](const auto& item) { return item->FSelected; }));
}

TListItem* TCustomListView::ItemFocused() const noexcept {
    for (const auto& item : FItems->FItems)
        if (item->FFocused) return item.get();
    return nullptr;
}

void TCustomListView::SetItemFocused(TListItem* item) {
    if (item && &item->FOwner != FItems.get()) return;
    if (item)
        item->SetFocused(true);
    else if (TListItem* focused = ItemFocused())
        focused->SetFocused(false);
}

void TCustomListView::SelectAll() {
    if (!FMultiSelect) return;
    for (auto& item : FItems->FItems)
        item->SetSelected(true);
}

void TCustomListView::ClearSelection() {
    SetSelected(nullptr);
}

TListItem* TCustomListView::GetItemAt(int x, int y) {
    if (!HandleAllocated()) return nullptr;
    LVHITTESTINFO hit{};
    hit.pt = POINT{x, y};
    const auto index = static_cast<int>(SendMessageW(Handle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (index < 0 || index >= FItems->Count() || !(hit.flags & LVHT_ONITEM)) return nullptr;
    return FItems->Item(index);
}

void TCustomListView::EditItem(TListItem* item) {
    if (!item || &item->FOwner != FItems.get() || !HandleAllocated() || FReadOnly) return;
    SetFocus();
    SendMessageW(Handle(), LVM_EDITLABELW, static_cast<WPARAM>(item->FIndex), 0);
}

bool TCustomListView::IsEditing() const {
    auto* self = const_cast<TCustomListView*>(this);
    return self->HandleAllocated() && SendMessageW(self->Handle(), LVM_GETEDITCONTROL, 0, 0) != 0;
}

// ---- messages ---------------------------------------------------------------------------------

void TCustomListView::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_NOTIFY:
        m.Result = m.LParam ? HandleNotify(*reinterpret_cast<NMHDR*>(m.LParam)) : 0;
        return;
    case WM_NOTIFY:
        // From the report view's header, on its way to the window's own handling.
        if (const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
            header && header->hwndFrom == HeaderHandle() &&
            (header->code == HDN_ITEMCHANGEDW || header->code == HDN_ITEMCHANGEDA))
            HeaderItemChanged(*reinterpret_cast<const NMHEADERW*>(header));
        break;
    case WM_DESTROY: {
        TSyncScope tearing(*this, TSync::Tearing);
        DropCheckImages();
        TWinControl::WndProc(m);
        return;
    }
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
        TWinControl::WndProc(m);
        ApplyColors();
        return;
    case WM_GETDLGCODE:
        // While a label is edited, Enter and Esc end the edit instead of pressing the form's
        // default or cancel button.
        TWinControl::WndProc(m);
        if (IsEditing()) m.Result |= DLGC_WANTALLKEYS;
        return;
    default:
        break;
    }
    TWinControl::WndProc(m);
}

LRESULT TCustomListView::HandleNotify(NMHDR& header) {
    switch (header.code) {
    case LVN_ITEMCHANGING:
        return ItemChanging(reinterpret_cast<const NMLISTVIEW&>(header));
    case LVN_ITEMCHANGED:
        ItemChanged(reinterpret_cast<const NMLISTVIEW&>(header));
        return 0;
    case LVN_COLUMNCLICK: {
        const auto& info = reinterpret_cast<const NMLISTVIEW&>(header);
        if (OnColumnClick && info.iSubItem >= 0 && info.iSubItem < FColumns->Count())
            OnColumnClick(this, FColumns->Items(info.iSubItem));
        return 0;
    }
    case LVN_BEGINLABELEDITW: {
        if (FReadOnly) return TRUE;
        const auto& info = reinterpret_cast<const NMLVDISPINFOW&>(header);
        if (info.item.iItem < 0 || info.item.iItem >= FItems->Count()) return TRUE;
        bool allow = true;
        if (OnEditing) OnEditing(this, FItems->Item(info.item.iItem), allow);
        return allow ? FALSE : TRUE;
    }
    case LVN_ENDLABELEDITW: {
        const auto& info = reinterpret_cast<const NMLVDISPINFOW&>(header);
        if (!info.item.pszText || info.item.iItem < 0 || info.item.iItem >= FItems->Count()) return FALSE;
        TListItem* item = FItems->Item(info.item.iItem);
        const std::wstring typed = info.item.pszText;
        std::wstring text = typed;
        if (OnEdited) OnEdited(this, item, text);
        item->FCaption = text;
        Change(item, ctText);
        if (text == typed) return TRUE; // the platform takes the typed text
        UpdateNative(item, LVIF_TEXT);
        return FALSE;
    }
    default:
        return 0;
    }
}

LRESULT TCustomListView::ItemChanging(const NMLISTVIEW& info) {
    if (FSync != TSync::None || !(info.uChanged & LVIF_STATE) || !OnChanging) return FALSE;
    TListItem* item = info.iItem >= 0 && info.iItem < FItems->Count() ? FItems->Item(info.iItem) : nullptr;
    bool allow = true;
    OnChanging(this, item, ctState, allow);
    return allow ? FALSE : TRUE;
}

void TCustomListView::ItemChanged(const NMLISTVIEW& info) {
    if (FSync == TSync::Tearing || !(info.uChanged & LVIF_STATE)) return;
    const bool events = FSync == TSync::None;
    if (info.iItem >= 0) {
        if (info.iItem < FItems->Count()) TakeState(FItems->Item(info.iItem), info.uNewState, events);
        return;
    }
    // A change of every item at once: read each back.
    for (int i = 0; i < FItems->Count(); ++i) {
        const UINT state = NativeState(FItems->Item(i));
        TakeState(FItems->Item(i), state, events);
    }
}

void TCustomListView::TakeState(TListItem* item, UINT newState, bool events) {
    const bool selected = (newState & LVIS_SELECTED) != 0;
    const bool focused = (newState & LVIS_FOCUSED) != 0;
    const bool selectionChanged = selected != item->FSelected;
    const bool focusChanged = focused != item->FFocused;
    item->FSelected = selected;
    item->FFocused = focused;
    bool checkChanged = false;
    // While the window is made, the check marks are the items' (the platform first shows every
    // new item unchecked).
    const UINT image = (newState & LVIS_STATEIMAGEMASK) >> 12;
    if (FCheckboxes && FSync == TSync::None && image != 0) {
        const bool checked = image == CheckedStateImage;
        checkChanged = checked != item->FChecked;
        item->FChecked = checked;
    }
    if (!events || !(selectionChanged || focusChanged || checkChanged) || ComponentState().Contains(csLoading)) return;
    Change(item, ctState);
    if (selectionChanged && OnSelectItem) OnSelectItem(this, item, selected);
    if (checkChanged && OnItemChecked) OnItemChecked(this, item);
}

// ---- TListView --------------------------------------------------------------------------------

TListView::TListView(TComponent* owner) : TCustomListView(owner) {}

void TListView::Publish(TPublisher<TListView>& p) {
    PublishColor(p);
    PublishFont(p);
    p.Enum(L"BorderStyle", BorderStyleType(), &TListView::BorderStyle, &TListView::SetBorderStyle);
    p.Enum(L"ViewStyle", ViewStyleType(), &TListView::ViewStyle, &TListView::SetViewStyle);
    p.Collection(L"Columns", &TListView::Columns);
    p.Object(L"Items", &TListView::Items, &TListView::SetItems);
    p.Boolean(L"Checkboxes", &TListView::Checkboxes, &TListView::SetCheckboxes);
    p.Object(L"LargeImages", &TListView::LargeImages, &TListView::SetLargeImages);
    p.Object(L"SmallImages", &TListView::SmallImages, &TListView::SetSmallImages);
    p.Object(L"StateImages", &TListView::StateImages, &TListView::SetStateImages);
    p.Boolean(L"RowSelect", &TListView::RowSelect, &TListView::SetRowSelect);
    p.Boolean(L"GridLines", &TListView::GridLines, &TListView::SetGridLines);
    p.Boolean(L"HotTrack", &TListView::HotTrack, &TListView::SetHotTrack);
    p.Boolean(L"ReadOnly", &TListView::ReadOnly, &TListView::SetReadOnly);
    p.Boolean(L"MultiSelect", &TListView::MultiSelect, &TListView::SetMultiSelect);
    p.Boolean(L"ShowColumnHeaders", &TListView::ShowColumnHeaders, &TListView::SetShowColumnHeaders);
    p.Boolean(L"HideSelection", &TListView::HideSelection, &TListView::SetHideSelection);
    p.Event(L"OnChanging", &TListView::OnChanging);
    p.Event(L"OnChange", &TListView::OnChange);
    p.Event(L"OnSelectItem", &TListView::OnSelectItem);
    p.Event(L"OnItemChecked", &TListView::OnItemChecked);
    p.Event(L"OnColumnClick", &TListView::OnColumnClick);
    p.Event(L"OnEditing", &TListView::OnEditing);
    p.Event(L"OnEdited", &TListView::OnEdited);
}

} // namespace orvo

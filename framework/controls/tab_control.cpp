#include "framework/controls/tab_control.h"

#include "framework/base/exceptions.h"
#include "framework/base/list.h"
#include "framework/base/properties.h"
#include "framework/controls/common_controls.h"
#include "framework/controls/component_reference.h"

#include <algorithm>
#include <commctrl.h>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TCustomTabControl);
ORVO_IMPLEMENT_CLASS(TTabControl);
ORVO_IMPLEMENT_CLASS(TTabStrings);

const TEnumType& TabPositionType() {
    static const TEnumType type(L"TTabPosition", {L"tpTop", L"tpBottom", L"tpLeft", L"tpRight"});
    return type;
}

const TEnumType& TabStyleType() {
    static const TEnumType type(L"TTabStyle", {L"tsTabs", L"tsButtons", L"tsFlatButtons"});
    return type;
}

TCustomTabControl::TCustomTabControl(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(TControlStyle{csAcceptsControls, csDoubleClicks});
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
}

TCustomTabControl::~TCustomTabControl() = default;

// ---- styles ----------------------------------------------------------------------------------

void TCustomTabControl::CreateParams(TCreateParams& params) {
    NeedCommonControls(ICC_TAB_CLASSES);
    TWinControl::CreateParams(params);
    params.BaseClassName = WC_TABCONTROLW;
    params.Style |= WS_CLIPCHILDREN;
    switch (FTabPosition) {
    case tpTop:
        break;
    case tpBottom:
        params.Style |= TCS_BOTTOM;
        break;
    case tpLeft:
        params.Style |= TCS_VERTICAL | TCS_MULTILINE;
        break;
    case tpRight:
        params.Style |= TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE;
        break;
    }
    if (FStyle == tsButtons) params.Style |= TCS_BUTTONS;
    if (FStyle == tsFlatButtons) params.Style |= TCS_BUTTONS | TCS_FLATBUTTONS;
    if (FMultiLine) params.Style |= TCS_MULTILINE;
    if (FHotTrack) params.Style |= TCS_HOTTRACK;
    if (TabWidth() > 0) params.Style |= TCS_FIXEDWIDTH;
}

void TCustomTabControl::CreateWnd() {
    TWinControl::CreateWnd();
    ApplyItemSize();
    ApplyImages();
    for (int i = 0; i < TabCount(); ++i)
        WriteTab(i, true);
    SendMessageW(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(FTabIndex), 0);
    DisplayChanged();
}

void TCustomTabControl::SetTabPosition(TTabPosition position) {
    if (position == FTabPosition) return;
    FTabPosition = position;
    RecreateWnd();
    DisplayChanged();
}

void TCustomTabControl::SetStyle(TTabStyle style) {
    if (style == FStyle) return;
    FStyle = style;
    RecreateWnd();
    DisplayChanged();
}

void TCustomTabControl::SetMultiLine(bool value) {
    if (value == FMultiLine) return;
    FMultiLine = value;
    RecreateWnd();
    DisplayChanged();
}

void TCustomTabControl::SetHotTrack(bool value) {
    if (value == FHotTrack) return;
    FHotTrack = value;
    RecreateWnd();
}

void TCustomTabControl::SetTabWidth(int width) {
    width = std::max(width, 0);
    if (width == TabWidth()) return;
    const bool styleChanges = (width > 0) != (TabWidth() > 0);
    FTabWidth.Set(width, CurrentDpi());
    if (styleChanges)
        RecreateWnd();
    else
        ApplyItemSize();
    DisplayChanged();
}

void TCustomTabControl::SetTabHeight(int height) {
    height = std::max(height, 0);
    if (height == TabHeight()) return;
    FTabHeight.Set(height, CurrentDpi());
    ApplyItemSize();
    DisplayChanged();
}

void TCustomTabControl::ApplyItemSize() {
    if (!HandleAllocated() || (TabWidth() == 0 && TabHeight() == 0)) return;
    SendMessageW(Handle(), TCM_SETITEMSIZE, 0, MAKELPARAM(TabWidth(), TabHeight()));
}

void TCustomTabControl::ChangeScale(int oldDpi, int newDpi) {
    TWinControl::ChangeScale(oldDpi, newDpi);
    if (FImages) FImages->SetDpi(newDpi); // a list no form owns follows the tabs
    if (HandleAllocated()) ApplyImages();
    ApplyItemSize();
    DisplayChanged();
}

void TCustomTabControl::SetImages(TImageList* images) {
    if (!ReplaceReference(*this, FImages, images)) return;
    ApplyImages();
    UpdateTabImages();
}

void TCustomTabControl::ApplyImages() {
    if (!HandleAllocated()) return;
    SendMessageW(Handle(), TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImages ? FImages->Handle() : nullptr));
}

void TCustomTabControl::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == FImages) {
        FImages = nullptr;
        ApplyImages();
        UpdateTabImages();
    }
}

// ---- tabs ------------------------------------------------------------------------------------

const std::wstring& TCustomTabControl::TabText(int index) const {
    if (index < 0 || index >= TabCount()) ListIndexError(index);
    return FTabs[static_cast<std::size_t>(index)].Text;
}

TObject* TCustomTabControl::TabObject(int index) const {
    if (index < 0 || index >= TabCount()) ListIndexError(index);
    return FTabs[static_cast<std::size_t>(index)].Object;
}

void TCustomTabControl::SetTabObject(int index, TObject* object) {
    if (index < 0 || index >= TabCount()) ListIndexError(index);
    FTabs[static_cast<std::size_t>(index)].Object = object;
}

int TCustomTabControl::GetImageIndex(int tabIndex) {
    int image = tabIndex;
    if (OnGetImageIndex) OnGetImageIndex(this, tabIndex, image);
    return image;
}

void TCustomTabControl::WriteTab(int index, bool insert) {
    if (!HandleAllocated()) return;
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<wchar_t*>(FTabs[static_cast<std::size_t>(index)].Text.c_str());
    item.iImage = FImages ? GetImageIndex(index) : -1;
    SendMessageW(Handle(), insert ? TCM_INSERTITEMW : TCM_SETITEMW, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
}

void TCustomTabControl::UpdateTabImages() {
    for (int i = 0; i < TabCount(); ++i)
        WriteTab(i, false);
}

void TCustomTabControl::InsertTab(int index, const std::wstring& text, TObject* object) {
    if (index < 0 || index > TabCount()) ListIndexError(index);
    FTabs.insert(FTabs.begin() + index, TTab{text, object});
    if (FTabIndex >= index && !ComponentState().Contains(csLoading)) ++FTabIndex;
    WriteTab(index, true);
    TabsChanged();
}

void TCustomTabControl::DeleteTab(int index) {
    if (index < 0 || index >= TabCount()) ListIndexError(index);
    FTabs.erase(FTabs.begin() + index);
    if (HandleAllocated()) SendMessageW(Handle(), TCM_DELETEITEM, static_cast<WPARAM>(index), 0);
    if (!ComponentState().Contains(csLoading)) {
        // The selected tab gone, nothing is selected (as the native control does).
        if (FTabIndex == index)
            FTabIndex = -1;
        else if (FTabIndex > index)
            --FTabIndex;
    }
    TabsChanged();
}

void TCustomTabControl::SetTabText(int index, const std::wstring& text) {
    if (index < 0 || index >= TabCount()) ListIndexError(index);
    FTabs[static_cast<std::size_t>(index)].Text = text;
    WriteTab(index, false);
    TabsChanged();
}

void TCustomTabControl::ClearTabs() {
    FTabs.clear();
    if (HandleAllocated()) SendMessageW(Handle(), TCM_DELETEALLITEMS, 0, 0);
    if (!ComponentState().Contains(csLoading)) FTabIndex = -1;
    TabsChanged();
}

void TCustomTabControl::MoveTab(int from, int to) {
    if (from < 0 || from >= TabCount()) ListIndexError(from);
    if (to < 0 || to >= TabCount()) ListIndexError(to);
    if (from == to) return;
    const int selected = FTabIndex;
    TTab tab = FTabs[static_cast<std::size_t>(from)];
    FTabs.erase(FTabs.begin() + from);
    FTabs.insert(FTabs.begin() + to, tab);
    // The same tab stays selected.
    if (selected == from)
        FTabIndex = to;
    else if (from < selected && selected <= to)
        --FTabIndex;
    else if (to <= selected && selected < from)
        ++FTabIndex;
    for (int i = std::min(from, to); i <= std::max(from, to); ++i)
        WriteTab(i, false);
    if (HandleAllocated()) SendMessageW(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(FTabIndex), 0);
    TabsChanged();
}

void TCustomTabControl::TabsChanged() {
    if (HandleAllocated()) DisplayChanged();
}

void TCustomTabControl::SelectTab(int index) {
    if (ComponentState().Contains(csLoading)) {
        FTabIndex = index;
        return;
    }
    if (index < -1 || index >= TabCount()) index = -1;
    FTabIndex = index;
    if (HandleAllocated()) SendMessageW(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TCustomTabControl::ResetTabIndex() {
    if (FTabIndex < -1 || FTabIndex >= TabCount()) FTabIndex = -1;
    if (HandleAllocated()) SendMessageW(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(FTabIndex), 0);
}

void TCustomTabControl::Loaded() {
    TWinControl::Loaded();
    ResetTabIndex();
}

// ---- geometry --------------------------------------------------------------------------------

RECT TCustomTabControl::DisplayRect() {
    RECT r = ClientRect();
    if (HandleAllocated()) SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return r;
}

int TCustomTabControl::IndexOfTabAt(int x, int y) {
    if (!HandleAllocated()) return -1;
    TCHITTESTINFO hit{POINT{x, y}, 0};
    return static_cast<int>(SendMessageW(Handle(), TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

RECT TCustomTabControl::TabRect(int index) {
    RECT r{};
    if (HandleAllocated() &&
        !SendMessageW(Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)))
        r = RECT{};
    return r;
}

int TCustomTabControl::RowCount() {
    if (!HandleAllocated()) return TabCount() > 0 ? 1 : 0;
    return static_cast<int>(SendMessageW(Handle(), TCM_GETROWCOUNT, 0, 0));
}

// ---- messages --------------------------------------------------------------------------------

bool TCustomTabControl::CanChange() {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TCustomTabControl::Change() {
    if (OnChange) OnChange(this);
}

bool TCustomTabControl::HandleNotify(const NMHDR& header, LRESULT& result) {
    switch (header.code) {
    case TCN_SELCHANGING:
        result = CanChange() ? FALSE : TRUE;
        return true;
    case TCN_SELCHANGE:
        FTabIndex = static_cast<int>(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0));
        Change();
        result = 0;
        return true;
    default:
        return false;
    }
}

void TCustomTabControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_NOTIFY:
        if (m.LParam && HandleNotify(*reinterpret_cast<const NMHDR*>(m.LParam), m.Result)) return;
        m.Result = 0;
        return;
    case WM_SIZE:
        TWinControl::WndProc(m);
        DisplayChanged();
        return;
    case CM_FONTCHANGED:
        TWinControl::WndProc(m);
        DisplayChanged();
        return;
    default:
        break;
    }
    TWinControl::WndProc(m);
}

// ---- TTabStrings -----------------------------------------------------------------------------

void TTabStrings::CheckIndex(int index, bool allowEnd) const {
    if (index < 0 || index > Count() || (!allowEnd && index == Count())) IndexError(index);
}

int TTabStrings::Count() const {
    return FControl.TabCount();
}

std::wstring TTabStrings::Get(int index) const {
    CheckIndex(index, false);
    return FControl.TabText(index);
}

void TTabStrings::Put(int index, const std::wstring& text) {
    CheckIndex(index, false);
    FControl.SetTabText(index, text);
}

TObject* TTabStrings::Objects(int index) const {
    CheckIndex(index, false);
    return FControl.TabObject(index);
}

void TTabStrings::PutObject(int index, TObject* object) {
    CheckIndex(index, false);
    FControl.SetTabObject(index, object);
}

void TTabStrings::Insert(int index, const std::wstring& text) {
    InsertObject(index, text, nullptr);
}

void TTabStrings::InsertObject(int index, const std::wstring& text, TObject* object) {
    CheckIndex(index, true);
    FControl.InsertTab(index, text, object);
}

void TTabStrings::Delete(int index) {
    CheckIndex(index, false);
    FControl.DeleteTab(index);
}

void TTabStrings::Clear() {
    FControl.ClearTabs();
}

void TTabStrings::Move(int from, int to) {
    CheckIndex(from, false);
    CheckIndex(to, false);
    FControl.MoveTab(from, to);
}

// ---- TTabControl -----------------------------------------------------------------------------

TTabControl::TTabControl(TComponent* owner)
    : TCustomTabControl(owner), FTabStrings(std::make_unique<TTabStrings>(*this)) {}

TTabControl::~TTabControl() = default;

void TTabControl::SetTabs(TStrings* tabs) {
    if (tabs) FTabStrings->Assign(tabs);
}

void TTabControl::Publish(TPublisher<TTabControl>& p) {
    PublishTabControl(p);
    p.Object(L"Tabs", &TTabControl::Tabs, &TTabControl::SetTabs);
    p.Integer(L"TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex);
}

} // namespace orvo

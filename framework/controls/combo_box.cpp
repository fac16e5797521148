#include "framework/controls/combo_box.h"

#include "framework/window/window_property.h"

#include <algorithm>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TCustomComboBox);
ORVO_IMPLEMENT_CLASS(TComboBox);

const TEnumType& ComboBoxStyleType() {
    static const TEnumType type(L"TComboBoxStyle", {L"csDropDown", L"csSimple", L"csDropDownList",
                                                    L"csOwnerDrawFixed", L"csOwnerDrawVariable"});
    return type;
}

namespace {

// The largest limit the edit accepts: no limit in practice.
constexpr WPARAM NoTextLimit = 0x7FFFFFFE;

// Sets a flag for a scope.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : FFlag(flag), FOld(flag) { FFlag = true; }
    ~TFlagScope() { FFlag = FOld; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& FFlag;
    bool FOld;
};

} // namespace

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner), FItems(std::make_unique<TItemStrings>(*this, ComboBoxMessages)) {
    SetControlStyle(TControlStyle{});
    SetBounds(0, 0, 145, 21);
    SetTabStop(true);
    SetColor(clWindow);
}

TCustomComboBox::~TCustomComboBox() {
    Destroying();
    DestroyComponents();
    if (HandleAllocated()) DestroyHandle();
}

HWND TCustomComboBox::Window() const {
    auto* self = const_cast<TCustomComboBox*>(this);
    return self->HandleAllocated() ? self->Handle() : nullptr;
}

void TCustomComboBox::SetItems(TStrings* items) {
    if (items) FItems->Assign(items);
}

void TCustomComboBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.BaseClassName = L"COMBOBOX";
    params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL;
    switch (FStyle) {
    case csDropDown:
        params.Style |= CBS_DROPDOWN;
        break;
    case csSimple:
        params.Style |= CBS_SIMPLE | CBS_NOINTEGRALHEIGHT;
        break;
    case csDropDownList:
        params.Style |= CBS_DROPDOWNLIST;
        break;
    case csOwnerDrawFixed:
        params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
        break;
    case csOwnerDrawVariable:
        params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS;
        break;
    }
    if (FStyle != csSimple) params.Height = DroppedHeight();
}

int TCustomComboBox::DroppedHeight() const {
    auto* self = const_cast<TCustomComboBox*>(this);
    int closed = Height();
    int item = FItemHeight.At(CurrentDpi());
    if (HWND window = Window()) {
        RECT r{};
        GetWindowRect(window, &r);
        closed = r.bottom - r.top;
        item = static_cast<int>(SendMessageW(window, CB_GETITEMHEIGHT, 0, 0));
    } else if (FStyle != csOwnerDrawFixed && FStyle != csOwnerDrawVariable) {
        item = FontLineHeight(*self->Font());
    }
    return closed + std::max(item, 1) * FDropDownCount + 2;
}

void TCustomComboBox::AdjustDropDown() {
    HWND window = Window();
    if (!window || FStyle == csSimple) return;
    SendMessageW(window, CB_SETMINVISIBLE, static_cast<WPARAM>(FDropDownCount), 0);
    RECT r{};
    GetWindowRect(window, &r);
    SetWindowPos(window, nullptr, 0, 0, r.right - r.left, DroppedHeight(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomComboBox::CreateWnd() {
    TWinControl::CreateWnd();
    HWND window = Handle();
    SendMessageW(window, CB_LIMITTEXT, FMaxLength > 0 ? static_cast<WPARAM>(FMaxLength) : NoTextLimit, 0);
    FItems->FillWindow();
    TFlagScope quiet(FSettingText);
    int index = FSavedItemIndex;
    if (!HasEdit() && index < 0 && !FText.empty())
        index = static_cast<int>(SendMessageW(window, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                              reinterpret_cast<LPARAM>(FText.c_str())));
    if (index >= 0 && index < FItems->Count()) SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (HasEdit() && !FText.empty()) SetWindowTextW(window, FText.c_str());
    AdjustDropDown();
}

void TCustomComboBox::SetBounds(int left, int top, int width, int height) {
    if (!HandleAllocated() || FStyle == csSimple) {
        TWinControl::SetBounds(left, top, width, height);
        return;
    }
    // The platform keeps the edit's height; the height given is the open list's.
    if (left == Left() && top == Top() && width == Width()) return;
    SetWindowPos(Handle(), nullptr, left, top, std::max(width, 0), DroppedHeight(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomComboBox::SetStyle(TComboBoxStyle style) {
    if (style == FStyle) return;
    FStyle = style;
    RecreateWnd();
}

int TCustomComboBox::ItemIndex() const {
    HWND window = Window();
    if (!window) return FSavedItemIndex;
    const auto index = static_cast<int>(SendMessageW(window, CB_GETCURSEL, 0, 0));
    return index < 0 ? -1 : index;
}

void TCustomComboBox::SetItemIndex(int index) {
    // While the form is read the items may come later; Loaded applies it.
    if (ComponentState().Contains(csLoading)) {
        FSavedItemIndex = index;
        return;
    }
    if (index < -1 || index >= FItems->Count()) index = -1;
    HWND window = Window();
    if (!window) {
        FSavedItemIndex = index;
        if (index >= 0 && HasEdit()) FText = FItems->Get(index);
        return;
    }
    TFlagScope quiet(FSettingText);
    SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TCustomComboBox::Loaded() {
    TWinControl::Loaded();
    int index = FSavedItemIndex;
    FSavedItemIndex = -1;
    // A drop-down list's text names its item; the form may give it before the items.
    if (!HasEdit() && index < 0 && !FText.empty()) index = FItems->IndexOf(FText);
    if (index < 0 || index >= FItems->Count()) return;
    const std::wstring text = FText;
    SetItemIndex(index);
    // A text stored with the form wins over the item's.
    if (HasEdit() && !text.empty()) SetText(text);
}

std::wstring TCustomComboBox::GetText() const {
    if (!Window() && !HasEdit()) {
        if (FSavedItemIndex >= 0 && FSavedItemIndex < FItems->Count()) return FItems->Get(FSavedItemIndex);
        return FText;
    }
    return TWinControl::GetText();
}

void TCustomComboBox::SetTextBuf(const std::wstring& text) {
    HWND window = Window();
    if (!HasEdit()) {
        // Only an item's text can be shown: select it, or nothing.
        if (!window) {
            FText = text;
            FSavedItemIndex = FItems->IndexOf(text);
            Perform(CM_TEXTCHANGED);
            return;
        }
        const auto index = static_cast<int>(SendMessageW(window, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                         reinterpret_cast<LPARAM>(text.c_str())));
        SetItemIndex(index);
        Perform(CM_TEXTCHANGED);
        return;
    }
    TFlagScope quiet(FSettingText);
    TWinControl::SetTextBuf(text);
}

void TCustomComboBox::SetDropDownCount(int count) {
    count = std::max(count, 1);
    if (count == FDropDownCount) return;
    FDropDownCount = count;
    AdjustDropDown();
}

bool TCustomComboBox::DroppedDown() const {
    HWND window = Window();
    return window && SendMessageW(window, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool value) {
    if (FStyle == csSimple) return;
    SendMessageW(Handle(), CB_SHOWDROPDOWN, value ? TRUE : FALSE, 0);
}

void TCustomComboBox::SetMaxLength(int length) {
    FMaxLength = std::max(length, 0);
    if (HWND window = Window())
        SendMessageW(window, CB_LIMITTEXT, FMaxLength > 0 ? static_cast<WPARAM>(FMaxLength) : NoTextLimit, 0);
}

int TCustomComboBox::ItemHeight() const {
    if (HWND window = Window()) return static_cast<int>(SendMessageW(window, CB_GETITEMHEIGHT, 0, 0));
    return FItemHeight.At(CurrentDpi());
}

void TCustomComboBox::ChangeScale(int oldDpi, int newDpi) {
    TWinControl::ChangeScale(oldDpi, newDpi);
    HWND window = Window();
    if (!window) return;
    if (FStyle == csOwnerDrawFixed) SendMessageW(window, CB_SETITEMHEIGHT, 0, std::clamp(FItemHeight.At(newDpi), 1, 255));
    // The font (and with it the edit's height) is new: the list drops as far as before in items.
    AdjustDropDown();
}

void TCustomComboBox::SetItemHeight(int height) {
    if (height < 1 || height > 255) return;
    FItemHeight.Set(height, CurrentDpi());
    if (FStyle != csOwnerDrawFixed) return;
    if (HWND window = Window()) {
        SendMessageW(window, CB_SETITEMHEIGHT, 0, height);
        AdjustDropDown();
    }
}

HWND TCustomComboBox::EditHandle() const {
    HWND window = Window();
    if (!window || !HasEdit()) return nullptr;
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!GetComboBoxInfo(window, &info)) return nullptr;
    return info.hwndItem != window ? info.hwndItem : nullptr;
}

HWND TCustomComboBox::ListHandle() const {
    HWND window = Window();
    if (!window) return nullptr;
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    return GetComboBoxInfo(window, &info) ? info.hwndList : nullptr;
}

void TCustomComboBox::SelectAll() {
    if (HWND window = Window(); window && HasEdit()) SendMessageW(window, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

void TCustomComboBox::Change() {
    if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
    if (OnSelect) OnSelect(this);
}

void TCustomComboBox::DropDown() {
    if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp() {
    if (OnCloseUp) OnCloseUp(this);
}

// The user picked an item: the edit shows it before anyone hears of it.
void TCustomComboBox::SelectionChanged() {
    const int index = ItemIndex();
    if (HasEdit() && index >= 0) {
        TFlagScope quiet(FSettingText);
        SetWindowTextW(Handle(), FItems->Get(index).c_str());
    }
    Click();
    Select();
    Change();
}

void TCustomComboBox::MeasureItem(int index, int& height) {
    if (OnMeasureItem) OnMeasureItem(this, index, height);
}

void TCustomComboBox::DrawItem(int index, RECT rect, TOwnerDrawState state) {
    if (OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    DrawListItemText(FCanvas, rect, index < FItems->Count() ? FItems->Get(index) : std::wstring(),
                     DrawTextBiDiModeFlags(0));
}

void TCustomComboBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_COMMAND:
        switch (HIWORD(m.WParam)) {
        case CBN_SELCHANGE:
            SelectionChanged();
            break;
        case CBN_EDITCHANGE:
            if (!FSettingText) Change();
            break;
        case CBN_DROPDOWN:
            DropDown();
            break;
        case CBN_CLOSEUP:
            CloseUp();
            break;
        case CBN_DBLCLK:
            DblClick();
            break;
        default:
            break;
        }
        m.Result = 0;
        return;
    case CN_MEASUREITEM:
        MeasureListItem(m, std::min(FItemHeight.At(CurrentDpi()), 255), FStyle == csOwnerDrawVariable,
                        [this](int index, int& height) { MeasureItem(index, height); });
        return;
    case CN_DRAWITEM:
        DrawListItem(FCanvas, *reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam), *Font(), Color(),
                     [this](int index, RECT rect, TOwnerDrawState state) { DrawItem(index, rect, state); });
        m.Result = 1;
        return;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
        // From the combo's own inner edit or list: they take the combo's colours.
        if (!FindControl(reinterpret_cast<HWND>(m.LParam))) {
            m.Result = Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
            return;
        }
        break;
    case WM_DESTROY:
        FSavedItemIndex = ItemIndex();
        break;
    case CM_FONTCHANGED:
        TWinControl::WndProc(m);
        AdjustDropDown();
        return;
    default:
        break;
    }
    TWinControl::WndProc(m);
}

TComboBox::TComboBox(TComponent* owner) : TCustomComboBox(owner) {}

void TComboBox::Publish(TPublisher<TComboBox>& p) {
    PublishColor(p);
    PublishFont(p);
    p.Enum(L"Style", ComboBoxStyleType(), &TComboBox::Style, &TComboBox::SetStyle);
    p.Object(L"Items", &TComboBox::Items, &TComboBox::SetItems);
    p.Integer(L"ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex);
    p.String(L"Text", &TComboBox::Text, &TComboBox::SetText);
    p.Integer(L"DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount);
    p.Integer(L"ItemHeight", &TComboBox::ItemHeight, &TComboBox::SetItemHeight);
    p.Integer(L"MaxLength", &TComboBox::MaxLength, &TComboBox::SetMaxLength);
    p.Boolean(L"Sorted", &TComboBox::Sorted, &TComboBox::SetSorted);
    p.Event(L"OnChange", &TComboBox::OnChange);
    p.Event(L"OnSelect", &TComboBox::OnSelect);
    p.Event(L"OnDropDown", &TComboBox::OnDropDown);
    p.Event(L"OnCloseUp", &TComboBox::OnCloseUp);
    p.Event(L"OnDrawItem", &TComboBox::OnDrawItem);
    p.Event(L"OnMeasureItem", &TComboBox::OnMeasureItem);
}

} // namespace orvo

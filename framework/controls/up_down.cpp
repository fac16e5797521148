#include "framework/controls/up_down.h"

#include "framework/base/properties.h"
#include "framework/base/sysutils.h"
#include "framework/window/display_scale.h"

#include <algorithm>
#include <climits>
#include <commctrl.h>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TUpDown);
ORVO_IMPLEMENT_CLASS(TSpinEdit);

const TEnumType& UDAlignButtonType() {
    static const TEnumType type(L"TUDAlignButton", {L"udLeft", L"udRight"});
    return type;
}

const TEnumType& UDOrientationType() {
    static const TEnumType type(L"TUDOrientation", {L"udHorizontal", L"udVertical"});
    return type;
}

namespace {

void EnsureUpDownClass() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_UPDOWN_CLASS};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)done;
}

int WindowWidth(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r.right - r.left;
}

} // namespace

// ---- TUpDown ---------------------------------------------------------------------------------

void TUpDown::Publish(TPublisher<TUpDown>& p) {
    p.Object(L"Associate", &TUpDown::Associate, &TUpDown::SetAssociate);
    p.Integer(L"Min", &TUpDown::Min, &TUpDown::SetMin);
    p.Integer(L"Max", &TUpDown::Max, &TUpDown::SetMax);
    p.Integer(L"Position", &TUpDown::Position, &TUpDown::SetPosition);
    p.Integer(L"Increment", &TUpDown::Increment, &TUpDown::SetIncrement);
    p.Enum(L"Orientation", UDOrientationType(), &TUpDown::Orientation, &TUpDown::SetOrientation);
    p.Enum(L"AlignButton", UDAlignButtonType(), &TUpDown::AlignButton, &TUpDown::SetAlignButton);
    p.Boolean(L"Wrap", &TUpDown::Wrap, &TUpDown::SetWrap);
    p.Boolean(L"ArrowKeys", &TUpDown::ArrowKeys, &TUpDown::SetArrowKeys);
    p.Boolean(L"Thousands", &TUpDown::Thousands, &TUpDown::SetThousands);
    p.Event(L"OnClick", &TUpDown::OnClick);
    p.Event(L"OnChanging", &TUpDown::OnChanging);
}

TUpDown::TUpDown(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(TControlStyle{});
    SetBounds(0, 0, 17, 21);
}

TUpDown::~TUpDown() {
    Destroying();
    DestroyComponents();
    if (HandleAllocated()) DestroyHandle();
    if (FAssociate) FAssociate->RemoveFreeNotification(this);
}

HWND TUpDown::Window() const {
    auto* self = const_cast<TUpDown*>(this);
    return self->HandleAllocated() ? self->Handle() : nullptr;
}

void TUpDown::CreateParams(TCreateParams& params) {
    EnsureUpDownClass();
    TWinControl::CreateParams(params);
    params.BaseClassName = UPDOWN_CLASSW;
    params.Style |= UDS_SETBUDDYINT;
    if (!FInsideAssociate) params.Style |= FAlignButton == udLeft ? UDS_ALIGNLEFT : UDS_ALIGNRIGHT;
    if (FOrientation == udHorizontal) params.Style |= UDS_HORZ;
    if (FWrap) params.Style |= UDS_WRAP;
    if (FArrowKeys) params.Style |= UDS_ARROWKEYS;
    if (!FThousands) params.Style |= UDS_NOTHOUSANDS;
}

void TUpDown::CreateWnd() {
    TWinControl::CreateWnd();
    ApplyRange();
    SetIncrement(FIncrement);
    AttachBuddy();
    // Arrows inside their edit take the position from its text whenever they are used.
    if (!FInsideAssociate) SendMessageW(Handle(), UDM_SETPOS32, 0, FPosition);
}

void TUpDown::ApplyRange() {
    if (HWND window = Window()) SendMessageW(window, UDM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
}

void TUpDown::UndoBuddyNarrowing() {
    if (FNarrowedBy == 0) return;
    if (FAssociate) FAssociate->SetWidth(FAssociate->Width() + FNarrowedBy);
    FNarrowedBy = 0;
}

void TUpDown::AttachBuddy() {
    HWND window = Window();
    if (!window) return;
    if (!FAssociate || (!FAssociate->Parent() && !FAssociate->ParentWindow())) {
        SendMessageW(window, UDM_SETBUDDY, 0, 0);
        return;
    }
    UndoBuddyNarrowing();
    HWND buddy = FAssociate->Handle();
    const int before = WindowWidth(buddy);
    SendMessageW(window, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    if (!FInsideAssociate) FNarrowedBy = std::max(0, before - WindowWidth(buddy));
}

void TUpDown::SetAssociate(TWinControl* control) {
    if (control == FAssociate) return;
    if (control == this) return;
    if (HandleAllocated()) {
        UndoBuddyNarrowing();
        SendMessageW(Handle(), UDM_SETBUDDY, 0, 0);
    }
    FNarrowedBy = 0;
    if (FAssociate) FAssociate->RemoveFreeNotification(this);
    FAssociate = control;
    if (FAssociate) FAssociate->FreeNotification(this);
    AttachBuddy();
    if (HWND window = Window()) SendMessageW(window, UDM_SETPOS32, 0, FPosition);
}

void TUpDown::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == FAssociate) {
        FAssociate = nullptr;
        FNarrowedBy = 0;
        if (HWND window = Window()) SendMessageW(window, UDM_SETBUDDY, 0, 0);
    }
}

void TUpDown::Loaded() {
    TWinControl::Loaded();
    // The range is whole now: a position given before it is brought into it.
    SetPosition(FPosition);
}

int TUpDown::ClampPosition(int value) const noexcept {
    return std::clamp(value, std::min(FMin, FMax), std::max(FMin, FMax));
}

int TUpDown::Position() const {
    HWND window = Window();
    if (!window) return FPosition;
    // Reads the associate's text back when the user typed into it.
    BOOL failed = FALSE;
    const auto position = static_cast<int>(SendMessageW(window, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
    return failed ? FPosition : position;
}

void TUpDown::SetPosition(int value) {
    FPosition = ComponentState().Contains(csLoading) ? value : ClampPosition(value);
    if (HWND window = Window()) SendMessageW(window, UDM_SETPOS32, 0, FPosition);
}

void TUpDown::SetMin(int value) {
    FMin = value;
    if (!ComponentState().Contains(csLoading)) FPosition = ClampPosition(FPosition);
    ApplyRange();
}

void TUpDown::SetMax(int value) {
    FMax = value;
    if (!ComponentState().Contains(csLoading)) FPosition = ClampPosition(FPosition);
    ApplyRange();
}

void TUpDown::SetIncrement(int value) {
    if (value < 1) value = 1;
    FIncrement = value;
    if (HWND window = Window()) {
        UDACCEL accel{0, static_cast<UINT>(value)};
        SendMessageW(window, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    }
}

void TUpDown::SetOrientation(TUDOrientation value) {
    if (value == FOrientation) return;
    FOrientation = value;
    if (!ComponentState().Contains(csLoading)) SetBounds(Left(), Top(), Height(), Width());
    RecreateWnd();
}

void TUpDown::SetAlignButton(TUDAlignButton value) {
    if (value == FAlignButton) return;
    FAlignButton = value;
    RecreateWnd();
}

void TUpDown::SetWrap(bool value) {
    if (value == FWrap) return;
    FWrap = value;
    RecreateWnd();
}

void TUpDown::SetArrowKeys(bool value) {
    if (value == FArrowKeys) return;
    FArrowKeys = value;
    RecreateWnd();
}

void TUpDown::SetThousands(bool value) {
    if (value == FThousands) return;
    FThousands = value;
    RecreateWnd();
}

bool TUpDown::CanChange() {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TUpDown::ArrowClick(TUDBtnType button) {
    if (OnClick) OnClick(this, button);
}

void TUpDown::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
        if (header->code != static_cast<UINT>(UDN_DELTAPOS)) break;
        const auto* change = reinterpret_cast<const NMUPDOWN*>(m.LParam);
        // The associate may have a new window since the arrows were attached to it.
        if (FAssociate && FAssociate->HandleAllocated() &&
            reinterpret_cast<HWND>(SendMessageW(Handle(), UDM_GETBUDDY, 0, 0)) != FAssociate->Handle())
            AttachBuddy();
        FLastDelta = change->iDelta;
        m.Result = CanChange() ? 0 : 1;
        return;
    }
    case CN_HSCROLL:
    case CN_VSCROLL:
        if (LOWORD(m.WParam) == SB_THUMBPOSITION) {
            FPosition = Position();
            ArrowClick(FLastDelta >= 0 ? btNext : btPrev);
        }
        m.Result = 0;
        return;
    case WM_DESTROY:
        FPosition = Position();
        break;
    default:
        break;
    }
    TWinControl::WndProc(m);
}

// ---- TSpinEdit -------------------------------------------------------------------------------

void TSpinEdit::Publish(TPublisher<TSpinEdit>& p) {
    PublishEditProperties(p);
    p.Integer(L"MinValue", &TSpinEdit::MinValue, &TSpinEdit::SetMinValue);
    p.Integer(L"MaxValue", &TSpinEdit::MaxValue, &TSpinEdit::SetMaxValue);
    p.Integer(L"Value", &TSpinEdit::Value, &TSpinEdit::SetValue);
    p.Integer(L"Increment", &TSpinEdit::Increment, &TSpinEdit::SetIncrement);
}

TSpinEdit::TSpinEdit(TComponent* owner) : TCustomEdit(owner), FButton(new TUpDown(this)) {
    FButton->FInsideAssociate = true;
    FButton->SetThousands(false);
    FButton->SetMin(INT_MIN);
    FButton->SetMax(INT_MAX);
    FButton->FAssociate = this;
    SetText(L"0");
}

void TSpinEdit::CreateParams(TCreateParams& params) {
    TCustomEdit::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
}

void TSpinEdit::CreateWnd() {
    TCustomEdit::CreateWnd();
    // The arrows live inside the edit's window, so they die and come back with it.
    FButton->SetParentWindow(nullptr);
    FButton->SetParentWindow(Handle());
    PlaceButton();
    ApplyRange();
    FButton->SetIncrement(FIncrement);
    FButton->HandleNeeded();
}

void TSpinEdit::ChangeScale(int oldDpi, int newDpi) {
    TCustomEdit::ChangeScale(oldDpi, newDpi);
    // The arrows are a window of the edit's, outside every Controls list.
    FButton->ScaleForDpi(newDpi);
    PlaceButton();
}

void TSpinEdit::PlaceButton() {
    if (!HandleAllocated()) return;
    RECT client{};
    GetClientRect(Handle(), &client);
    const int width = SystemMetricForDpi(SM_CXVSCROLL, CurrentDpi());
    FButton->SetBounds(client.right - width, 0, width, client.bottom);
    SendMessageW(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width));
}

void TSpinEdit::ApplyRange() {
    if (FMinValue == FMaxValue) {
        FButton->FMin = INT_MIN;
        FButton->FMax = INT_MAX;
    } else {
        FButton->FMin = FMinValue;
        FButton->FMax = FMaxValue;
    }
    FButton->ApplyRange();
}

int TSpinEdit::CheckValue(int value) const noexcept {
    if (FMinValue == FMaxValue) return value;
    return std::clamp(value, std::min(FMinValue, FMaxValue), std::max(FMinValue, FMaxValue));
}

int TSpinEdit::Value() const {
    const std::optional<std::int32_t> parsed = TryStrToInt(Trim(Text()));
    return CheckValue(parsed ? *parsed : FMinValue);
}

void TSpinEdit::SetValue(int value) {
    // While the form is read the range may come later: kept as it is, checked at the exit.
    if (!ComponentState().Contains(csLoading)) value = CheckValue(value);
    SetText(IntToStr(value));
}

void TSpinEdit::SetMinValue(int value) {
    FMinValue = value;
    ApplyRange();
    if (!ComponentState().Contains(csLoading)) SetValue(Value());
}

void TSpinEdit::SetMaxValue(int value) {
    FMaxValue = value;
    ApplyRange();
    if (!ComponentState().Contains(csLoading)) SetValue(Value());
}

void TSpinEdit::SetIncrement(int value) {
    FIncrement = std::max(value, 1);
    FButton->SetIncrement(FIncrement);
}

void TSpinEdit::Loaded() {
    TCustomEdit::Loaded();
    SetValue(Value());
}

void TSpinEdit::KeyPress(wchar_t& key) {
    TCustomEdit::KeyPress(key);
    const bool digit = key >= L'0' && key <= L'9';
    if (key != 0 && key >= L' ' && !digit && key != L'-') key = 0;
}

void TSpinEdit::DoExit() {
    const std::wstring normal = IntToStr(Value());
    if (Text() != normal) SetText(normal);
    TCustomEdit::DoExit();
}

void TSpinEdit::WndProc(TMessage& m) {
    TCustomEdit::WndProc(m);
    if (m.Msg == WM_SIZE) PlaceButton();
}

} // namespace orvo

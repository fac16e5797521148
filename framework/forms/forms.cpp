#include "framework/forms/forms.h"

#include "framework/forms/application.h"
#include "framework/base/exceptions.h"
#include "framework/forms/form_reader.h"
#include "framework/graphics/graphics_types.h"
#include "framework/menus/menus.h"
#include "framework/base/prop_access.h"
#include "framework/base/properties.h"
#include "framework/forms/screen.h"
#include "framework/window/display_scale.h"

#include <algorithm>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TCustomForm);
ORVO_IMPLEMENT_CLASS(TForm);

const TEnumType& BorderIconType() {
    static const TEnumType type(L"TBorderIcon", {L"biSystemMenu", L"biMinimize", L"biMaximize", L"biHelp"});
    return type;
}

const TEnumType& PositionType() {
    static const TEnumType type(L"TPosition", {L"poDesigned", L"poDefault", L"poDefaultPosOnly",
                                               L"poDefaultSizeOnly", L"poScreenCenter", L"poDesktopCenter",
                                               L"poMainFormCenter", L"poOwnerFormCenter"});
    return type;
}

const TEnumType& WindowStateType() {
    static const TEnumType type(L"TWindowState", {L"wsNormal", L"wsMinimized", L"wsMaximized"});
    return type;
}

const TEnumType& FormStyleType() {
    static const TEnumType type(L"TFormStyle", {L"fsNormal", L"fsMDIChild", L"fsMDIForm", L"fsStayOnTop"});
    return type;
}

const TEnumType& TileModeType() {
    static const TEnumType type(L"TTileMode", {L"tbHorizontal", L"tbVertical"});
    return type;
}

const TIntegerType& ModalResultType() {
    static const TIntegerType type(L"TModalResult", {{mrNone, L"mrNone"},
                                                     {mrOk, L"mrOk"},
                                                     {mrCancel, L"mrCancel"},
                                                     {mrAbort, L"mrAbort"},
                                                     {mrRetry, L"mrRetry"},
                                                     {mrIgnore, L"mrIgnore"},
                                                     {mrYes, L"mrYes"},
                                                     {mrNo, L"mrNo"},
                                                     {mrAll, L"mrAll"},
                                                     {mrNoToAll, L"mrNoToAll"},
                                                     {mrYesToAll, L"mrYesToAll"}});
    return type;
}

void TCustomForm::Publish(TPublisher<TCustomForm>& p) {
    p.String(L"Caption", &TCustomForm::Caption, &TCustomForm::SetCaption);
    p.Integer(L"Color", ColorType(), &TCustomForm::Color, &TCustomForm::SetColor);
    p.Object(L"Font", &TCustomForm::Font, &TCustomForm::SetFont);
    p.Boolean(L"ParentFont", &TCustomForm::ParentFont, &TCustomForm::SetParentFont);
    p.Integer(L"ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth);
    p.Integer(L"ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight);
    p.Enum(L"FormStyle", FormStyleType(), &TCustomForm::FormStyle, &TCustomForm::SetFormStyle);
    p.Enum(L"BorderStyle", FormBorderStyleType(), &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle);
    p.Set(L"BorderIcons", BorderIconType(), &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons);
    p.Enum(L"Position", PositionType(), &TCustomForm::Position, &TCustomForm::SetPosition);
    p.Enum(L"WindowState", WindowStateType(), &TCustomForm::WindowState, &TCustomForm::SetWindowState);
    p.Object(L"Menu", &TCustomForm::Menu, &TCustomForm::SetMenu);
    p.Object(L"WindowMenu", &TCustomForm::WindowMenu, &TCustomForm::SetWindowMenu);
    p.Enum(L"TileMode", TileModeType(), &TCustomForm::TileMode, &TCustomForm::SetTileMode);
    p.Boolean(L"AutoScroll", &TCustomForm::AutoScroll, &TCustomForm::SetAutoScroll);
    p.Boolean(L"KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview);
    p.Object(L"ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl);
    p.Event(L"OnCreate", &TCustomForm::OnCreate);
    p.Event(L"OnDestroy", &TCustomForm::OnDestroy);
    p.Event(L"OnShow", &TCustomForm::OnShow);
    p.Event(L"OnHide", &TCustomForm::OnHide);
    p.Event(L"OnActivate", &TCustomForm::OnActivate);
    p.Event(L"OnDeactivate", &TCustomForm::OnDeactivate);
    p.Event(L"OnPaint", &TCustomForm::OnPaint);
    p.Event(L"OnClose", &TCustomForm::OnClose);
    p.Event(L"OnCloseQuery", &TCustomForm::OnCloseQuery);
}

TCustomForm::TCustomForm(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
    TCustomControl::SetVisible(false);
    SetParentFont(false);
    SetColor(clBtnFace);
    TCustomControl::SetBounds(0, 0, 320, 240);
    Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
    Destroying();
    DetachFromMDIFrame();
    try {
        if (OnDestroy) OnDestroy(this);
    } catch (...) {
        HandleException(this);
    }
    // A frame's children live in its client: they go first, whoever owns them.
    while (!FMDIChildForms.empty())
        delete FMDIChildForms.back(); // takes itself out of the list
    // A frame's client lets go of the window menu before the menu items go.
    if (IsMDIFrame()) DestroyHandle();
    DestroyComponents();
    DestroyHandle();
    if (FNoWindowMenu) DestroyMenu(FNoWindowMenu);
    Screen->RemoveForm(this);
}

void TCustomForm::AfterConstruction() {
    ReadComponentRes(this);
    try {
        if (OnCreate) OnCreate(this);
    } catch (...) {
        HandleException(this);
    }
    // An MDI child shows itself when created.
    if (FShowAfterCreate || IsMDIChild()) {
        FShowAfterCreate = false;
        SetVisible(true);
    }
}

// ---- properties ------------------------------------------------------------------------------

void TCustomForm::SetBorderStyle(TBorderStyle style) {
    if (style == FBorderStyle) return;
    const SIZE client{ClientWidth(), ClientHeight()};
    FBorderStyle = style;
    if (HandleAllocated()) {
        RecreateWnd();
        SetClientSize(client.cx, client.cy);
    } else if (FClientSizeWanted) {
        SetClientSize(FClientSize.cx, FClientSize.cy);
    }
}

void TCustomForm::SetBorderIcons(TBorderIcons icons) {
    if (icons == FBorderIcons) return;
    FBorderIcons = icons;
    RecreateWnd();
}

void TCustomForm::SetWindowState(TWindowState state) {
    if (state == FWindowState) return;
    FWindowState = state;
    if (!HandleAllocated() || !Visible()) return;
    const int show[] = {SW_RESTORE, SW_MINIMIZE, SW_MAXIMIZE};
    ShowWindow(Handle(), show[state]);
}

void TCustomForm::SetAutoScroll(bool value) {
    if (value == FAutoScroll) return;
    FAutoScroll = value;
    UpdateScrollBars();
}

void TCustomForm::SetMenu(TMainMenu* menu) {
    if (menu == FMenu) return;
    const SIZE client{ClientWidth(), ClientHeight()};
    TMainMenu* old = FMenu;
    if (old) {
        old->RemoveFreeNotification(this);
        if (IsMDIFrame()) old->Merge(nullptr);
        if (FMDIFrame && FMDIFrame->FMenu) FMDIFrame->FMenu->Unmerge(old);
    }
    FMenu = menu;
    if (FMenu) FMenu->FreeNotification(this);
    if (IsMDIChild()) {
        // A child's menu is shown in its frame's bar while the child is active.
        if (FActive && FMDIFrame) FMDIFrame->MergeActiveChildMenu();
        return;
    }
    if (HandleAllocated()) {
        // The new menu goes on first: an MDI client moves a maximised child's entries across.
        if (!FMenu) ::SetMenu(Handle(), nullptr);
        ApplyMenu();
        if (old) old->SetWindowHandle(nullptr);
        SetClientSize(client.cx, client.cy);
        // The window's menu is another one now: whoever draws the window's frame hears of it.
        Perform(CM_MENUCHANGED);
    }
}

void TCustomForm::ApplyMenu() {
    if (!FMenu || IsMDIChild()) return;
    if (IsMDIFrame() && FClientHandle) {
        ApplyMDIMenus();
    } else {
        ::SetMenu(Handle(), FMenu->GetHandle());
        FMenu->SetWindowHandle(Handle());
    }
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (control == FActiveControl) return;
    if (!ComponentState().Contains(csLoading) && control &&
        (!ContainsControl(control) || control == this || !control->CanFocus()))
        throw EInvalidOperation(L"Cannot focus a disabled or invisible window");
    FActiveControl = control;
    if (!ComponentState().Contains(csLoading) && FActive) SetWindowFocus();
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == FMenu) {
        if (HandleAllocated()) ::SetMenu(Handle(), nullptr);
        FMenu = nullptr;
    }
    if (component == FActiveControl) FActiveControl = nullptr;
    if (component == FFocusedControl) FFocusedControl = nullptr;
    if (component == FWindowMenu) {
        FWindowMenu = nullptr;
        if (FClientHandle && !ComponentState().Contains(csDestroying)) ApplyMDIMenus();
    }
}

// ---- client size -----------------------------------------------------------------------------

RECT TCustomForm::EstimatedFrame() const {
    TCreateParams params;
    const_cast<TCustomForm*>(this)->CreateParams(params);
    return NativeFrameForDpi(params.Style, params.ExStyle, FMenu && !IsMDIChild(), CurrentDpi());
}

RECT TCustomForm::ClientRect() {
    if (HandleAllocated()) return TCustomControl::ClientRect();
    if (FClientSizeWanted) return RECT{0, 0, FClientSize.cx, FClientSize.cy};
    const RECT frame = EstimatedFrame();
    return RECT{0, 0, std::max<int>(0, Width() - (frame.right - frame.left)),
                std::max<int>(0, Height() - (frame.bottom - frame.top))};
}

void TCustomForm::SetClientSize(int width, int height) {
    FClientSize = SIZE{std::max(width, 0), std::max(height, 0)};
    FClientSizeWanted = true;
    KeepGivenClientSize(FClientSize.cx, FClientSize.cy);
    FApplyingSize = true;
    if (HandleAllocated()) {
        ApplyClientSize();
    } else {
        const RECT frame = EstimatedFrame();
        TCustomControl::SetBounds(Left(), Top(), FClientSize.cx + frame.right - frame.left,
                                  FClientSize.cy + frame.bottom - frame.top);
    }
    FApplyingSize = false;
}

// The real frame decides: a menu bar may wrap, a style may add borders the estimate misses.
void TCustomForm::ApplyClientSize() {
    const bool applying = FApplyingSize;
    FApplyingSize = true;
    for (int attempt = 0; attempt < 3; ++attempt) {
        RECT window{}, client{};
        GetWindowRect(Handle(), &window);
        GetClientRect(Handle(), &client);
        if (client.right == FClientSize.cx && client.bottom == FClientSize.cy) break;
        const int width = (window.right - window.left) - client.right + FClientSize.cx;
        const int height = (window.bottom - window.top) - client.bottom + FClientSize.cy;
        SetWindowPos(Handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    FApplyingSize = applying;
}

void TCustomForm::SetBounds(int left, int top, int width, int height) {
    const bool given = !FApplyingSize && !ScalingDpi() && (width != Width() || height != Height());
    if (given) FClientSizeWanted = false;
    TCustomControl::SetBounds(left, top, width, height);
    // A size given in code: the client it makes is the one the form keeps at other DPIs.
    if (given && !Parent()) {
        const RECT client = ClientRect();
        KeepGivenClientSize(client.right - client.left, client.bottom - client.top);
    }
}

// ---- the window ------------------------------------------------------------------------------

void TCustomForm::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    params.ExStyle &= WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR | WS_EX_RIGHT;
    params.ExStyle |= WS_EX_CONTROLPARENT;
    if (!Enabled()) params.Style |= WS_DISABLED;
    params.WndParent = Application->Handle();
    const bool caption = FBorderStyle != bsNone;
    switch (FBorderStyle) {
    case bsNone:
        params.Style |= WS_POPUP;
        break;
    case bsSingle:
        params.Style |= WS_CAPTION;
        break;
    case bsSizeable:
        params.Style |= WS_CAPTION | WS_THICKFRAME;
        break;
    case bsDialog:
        params.Style |= WS_CAPTION | DS_MODALFRAME;
        params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    case bsToolWindow:
        params.Style |= WS_CAPTION;
        params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    case bsSizeToolWin:
        params.Style |= WS_CAPTION | WS_THICKFRAME;
        params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    }
    if (caption && FBorderIcons.Contains(biSystemMenu)) {
        params.Style |= WS_SYSMENU;
        if (FBorderStyle == bsSingle || FBorderStyle == bsSizeable) {
            if (FBorderIcons.Contains(biMinimize)) params.Style |= WS_MINIMIZEBOX;
            if (FBorderIcons.Contains(biMaximize)) params.Style |= WS_MAXIMIZEBOX;
        }
        if (FBorderIcons.Contains(biHelp) && !(params.Style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)))
            params.ExStyle |= WS_EX_CONTEXTHELP;
    }
    if (IsMDIChild()) {
        TCustomForm* frame = FindMDIFrame();
        params.WndParent = frame->FClientHandle;
        params.Style = (params.Style & ~static_cast<DWORD>(WS_POPUP)) | WS_CHILD;
        params.ExStyle |= WS_EX_MDICHILD;
        if (FPosition == poDefault || FPosition == poDefaultPosOnly) params.X = params.Y = CW_USEDEFAULT;
        if (FPosition == poDefault || FPosition == poDefaultSizeOnly)
            params.Width = params.Height = CW_USEDEFAULT;
        return;
    }
    if (FFormStyle == fsStayOnTop) params.ExStyle |= WS_EX_TOPMOST;
    // The main form stands for the program on the task bar.
    if (Application->MainForm() == this || !Application->MainForm()) params.ExStyle |= WS_EX_APPWINDOW;
    if (FPosition == poDefault || FPosition == poDefaultPosOnly) params.X = params.Y = CW_USEDEFAULT;
    if (FPosition == poDefault || FPosition == poDefaultSizeOnly)
        params.Width = params.Height = CW_USEDEFAULT;
    if (Parent()) {
        // Embedded in another form's control: a plain child window at its place in the parent.
        params.Style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (Enabled() ? 0 : WS_DISABLED);
        params.ExStyle &= ~static_cast<DWORD>(WS_EX_APPWINDOW | WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE |
                                              WS_EX_TOOLWINDOW | WS_EX_CONTEXTHELP);
        params.WndParent = Parent()->Handle();
        params.X = Left();
        params.Y = Top();
        params.Width = Width();
        params.Height = Height();
    }
}

void TCustomForm::ParentChanged() {
    // A top-level window cannot become a child one (nor the other way round): a new window.
    if (HandleAllocated() && Parent() && !(GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_CHILD)) {
        RecreateWnd();
        return;
    }
    TCustomControl::ParentChanged();
}

void TCustomForm::CreateWnd() {
    if (IsMDIChild()) AttachToMDIFrame();
    // Laid out at the DPI of the monitor it is about to appear on, then at its window's own; not
    // while its stored form is read (the lengths still coming are 96-DPI ones): then once read.
    const bool reading = ComponentState().Contains(csLoading);
    if (!Parent() && !reading) ScaleForDpi(DpiForNewWindow());
    TCustomControl::CreateWnd();
    if (!Parent() && !IsMDIChild() && !reading) ScaleForDpi(DpiForWindow(Handle()));
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Application->Icon()));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(Application->SmallIcon()));
    if (IsMDIFrame()) {
        FFrameCaption = TCustomControl::GetText();
        CreateMDIClient();
    }
    ApplyMenu();
    if (FClientSizeWanted) ApplyClientSize();
    if (IsMDIFrame()) ShowMDIChildrenAgain();
}

void TCustomForm::DestroyWnd() {
    // The children's windows go through the client while it is whole, which also takes a
    // maximised child's entries out of the menu bar.
    if (IsMDIFrame()) DestroyMDIChildWindows();
    // A window destroys the menu it holds: the menu's native handle must survive.
    if (FMenu && HandleAllocated() && !IsMDIChild()) {
        ::SetMenu(Handle(), nullptr);
        FMenu->SetWindowHandle(nullptr);
    }
    if (IsMDIChild() && HandleAllocated()) {
        // The client activates the next child and updates its lists.
        if (HWND client = GetParent(Handle()))
            SendMessageW(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(Handle()), 0);
    }
    TCustomControl::DestroyWnd();
    FClientHandle = nullptr;
}

void TCustomForm::Paint() {
    if (OnPaint) OnPaint(this);
}

// ---- showing ---------------------------------------------------------------------------------

void TCustomForm::SetVisible(bool visible) {
    if (ComponentState().Contains(csLoading)) {
        FShowAfterCreate = visible;
        return;
    }
    if (!visible && IsMDIChild() && Visible()) throw EInvalidOperation(L"Cannot hide an MDI child form");
    TCustomControl::SetVisible(visible);
}

void TCustomForm::ShowForm() {
    if (IsMDIChild()) {
        ShowMDIChild();
        return;
    }
    HandleNeeded();
    // A frame's focus belongs to its active child, not to a tool bar's first button.
    if (!FActiveControl && !IsMDIFrame()) FActiveControl = FindNextControl(nullptr, true, true, false);
    ApplyPosition();
    DoShow();
    const int show[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    ShowWindow(Handle(), Parent() ? SW_SHOWNA : show[FWindowState]);
    if (IsMDIFrame()) RealignMDIClient();
    UpdateScrollBars();
    Perform(CM_SHOWINGCHANGED, 1);
}

void TCustomForm::HideForm() {
    if (!HandleAllocated()) return;
    DoHide();
    ShowWindow(Handle(), SW_HIDE);
    Perform(CM_SHOWINGCHANGED, 0);
}

void TCustomForm::DoShow() {
    if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
    if (OnHide) OnHide(this);
}

bool TCustomForm::Centres(const TCustomForm*& over) const {
    over = nullptr;
    switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
        break;
    case poOwnerFormCenter:
        over = dynamic_cast<const TCustomForm*>(Owner());
        if (!over || !over->Visible()) over = Application->MainForm();
        break;
    case poMainFormCenter:
        over = Application->MainForm();
        break;
    default:
        return false;
    }
    if (over == this || (over && !over->Visible())) over = nullptr;
    return true;
}

void TCustomForm::ApplyPosition() {
    if (Parent()) return; // an embedded form stays where it was placed
    const TCustomForm* centreOver = nullptr;
    if (!Centres(centreOver)) return;
    RECT area = Screen->WorkAreaRect();
    RECT target = centreOver ? centreOver->BoundsRect() : area;
    int left = target.left + ((target.right - target.left) - Width()) / 2;
    int top = target.top + ((target.bottom - target.top) - Height()) / 2;
    // Keep the whole window on the monitor it lands on.
    HMONITOR monitor =
        MonitorFromPoint(POINT{left + Width() / 2, top + Height() / 2}, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{sizeof(MONITORINFO), {}, {}, 0};
    if (GetMonitorInfoW(monitor, &info)) area = info.rcWork;
    left = std::max<int>(area.left, std::min<int>(left, area.right - Width()));
    top = std::max<int>(area.top, std::min<int>(top, area.bottom - Height()));
    SetBounds(left, top, Width(), Height());
}

bool TCustomForm::CanFocus() const {
    return Visible() && Enabled();
}

void TCustomForm::SetFocus() {
    if (FActive && (!IsMDIChild() || (FMDIFrame && FMDIFrame->FActive))) return;
    if (!CanFocus()) throw EInvalidOperation(L"Cannot focus a disabled or invisible window");
    if (IsMDIChild() && FMDIFrame && HandleAllocated()) {
        if (!FMDIFrame->FActive && FMDIFrame->HandleAllocated()) SetActiveWindow(FMDIFrame->Handle());
        SendMessageW(FMDIFrame->FClientHandle, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Handle()), 0);
        return;
    }
    SetWindowFocus();
}

void TCustomForm::SetWindowFocus() {
    if (!HandleAllocated()) return;
    if (TCustomForm* child = ActiveMDIChild()) {
        child->SetWindowFocus();
        return;
    }
    HWND target = Handle();
    if (FActiveControl && FActiveControl->CanFocus()) target = FActiveControl->Handle();
    ::SetFocus(target);
}

// ---- closing ---------------------------------------------------------------------------------

bool TCustomForm::CloseQuery() {
    // A frame closes only when every child agrees.
    for (TCustomForm* child : MDIChildList())
        if (!child->CloseQuery()) return false;
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& action) {
    if (OnClose) OnClose(this, action);
}

void TCustomForm::Close() {
    if (FModal) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = IsMDIChild() ? caFree : caHide;
    DoClose(action);
    if (action == caNone) return;
    if (action == caHide && IsMDIChild()) action = caMinimize; // it cannot be hidden
    if (Application->MainForm() == this)
        Application->Terminate();
    else if (action == caHide)
        Hide();
    else if (action == caMinimize)
        SetWindowState(wsMinimized);
    else
        Release();
}

void TCustomForm::Release() {
    PostMessageW(Handle(), CM_RELEASE, 0, 0);
}

// ---- modal -----------------------------------------------------------------------------------

namespace {

// Disables the visible, enabled top-level windows of this thread for the life of the object.
class TDisabledWindows {
public:
    explicit TDisabledWindows(HWND except) : FExcept(except) {
        EnumThreadWindows(GetCurrentThreadId(), &TDisabledWindows::Visit, reinterpret_cast<LPARAM>(this));
    }
    ~TDisabledWindows() {
        for (HWND window : FWindows)
            if (IsWindow(window)) EnableWindow(window, TRUE);
    }
    TDisabledWindows(const TDisabledWindows&) = delete;
    TDisabledWindows& operator=(const TDisabledWindows&) = delete;

private:
    static BOOL CALLBACK Visit(HWND window, LPARAM self) {
        auto* list = reinterpret_cast<TDisabledWindows*>(self);
        if (window != list->FExcept && IsWindowVisible(window) && IsWindowEnabled(window)) {
            EnableWindow(window, FALSE);
            list->FWindows.push_back(window);
        }
        return TRUE;
    }
    HWND FExcept;
    std::vector<HWND> FWindows;
};

} // namespace

int TCustomForm::ShowModal() {
    if (Visible() || !Enabled() || FModal) throw EInvalidOperation(L"Cannot make a visible window modal");
    if (HWND capture = GetCapture()) SendMessageW(capture, WM_CANCELMODE, 0, 0);
    ReleaseCapture();
    HWND previous = GetActiveWindow();
    // Owned by the window it interrupts: that one comes back to the front when this one goes.
    if (previous && previous != Handle())
        SetWindowLongPtrW(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(previous));
    FModal = true;
    FModalResult = mrNone;
    TModalResult result = mrNone;
    {
        TDisabledWindows disabled(Handle());
        try {
            Show();
            while (FModalResult == mrNone) {
                Application->HandleMessage();
                if (Application->Terminated())
                    FModalResult = mrCancel;
                else if (FModalResult != mrNone)
                    CloseModal();
            }
            result = FModalResult;
        } catch (...) {
            FModal = false;
            Hide();
            throw;
        }
    }
    FModal = false;
    Hide();
    if (previous && IsWindow(previous) && IsWindowVisible(previous)) SetActiveWindow(previous);
    return result;
}

void TCustomForm::CloseModal() {
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    if (action == caNone)
        FModalResult = mrNone;
    else if (action == caFree)
        Release();
}

// ---- focus -----------------------------------------------------------------------------------

void TCustomForm::FocusControl(TWinControl* control) {
    if (!control->CanFocus()) throw EInvalidOperation(L"Cannot focus a disabled or invisible window");
    const bool wasActive = FActive;
    SetActiveControl(control);
    if (!wasActive) SetFocus();
}

bool TCustomForm::SetFocusedControl(TWinControl* control) {
    if (control == FFocusedControl) return true;
    TWinControl* previous = FFocusedControl;
    FFocusedControl = control;
    if (control != this) FActiveControl = control;
    Screen->SetActiveControl(control);
    if (previous && previous != this) previous->Perform(CM_EXIT);
    if (control != this && FFocusedControl == control) control->Perform(CM_ENTER);
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(FFocusedControl));
    return true;
}

void TCustomForm::DefocusControl(TWinControl* control, bool removing) {
    if (removing && control->ContainsControl(FFocusedControl)) FFocusedControl = nullptr;
    if (removing && control->ContainsControl(Screen->ActiveControl())) Screen->SetActiveControl(nullptr);
    if (control->ContainsControl(FActiveControl)) FActiveControl = nullptr;
    // A hidden or disabled window keeps the system's focus unless it is moved: the form takes it.
    HWND focus = GetFocus();
    if (!removing && focus && control->HandleAllocated() && HandleAllocated() &&
        (focus == control->Handle() || IsChild(control->Handle(), focus)))
        ::SetFocus(Handle());
}

bool TCustomForm::IsShortCut(TMessage& m) {
    if (FMenu && FMenu->IsShortCut(static_cast<WORD>(m.WParam), KeyDataShiftState(m.LParam))) return true;
    // The frame's menu (with the child's merged in) serves the keys pressed in a child.
    return IsMDIChild() && FMDIFrame && FMDIFrame->IsShortCut(m);
}

void TCustomForm::Activated(bool active) {
    FActive = active;
    if (active) {
        Screen->SetActiveForm(this);
        SetWindowFocus();
        // The screen's active form is the document being worked on.
        if (TCustomForm* child = ActiveMDIChild()) Screen->SetActiveForm(child);
        if (OnActivate) OnActivate(this);
    } else if (OnDeactivate) {
        OnDeactivate(this);
    }
}

// ---- messages --------------------------------------------------------------------------------

bool TCustomForm::HandleMenuMessage(TMessage& m) {
    if (!FMenu) return false;
    switch (m.Msg) {
    case WM_COMMAND:
        if (m.LParam != 0 || HIWORD(m.WParam) != 0) return false;
        return FMenu->DispatchCommand(LOWORD(m.WParam));
    case WM_INITMENUPOPUP:
        FMenu->DispatchPopup(reinterpret_cast<HMENU>(m.WParam));
        return false;
    case WM_MENUSELECT: {
        TMenuItem* item = nullptr;
        const HMENU menu = reinterpret_cast<HMENU>(m.LParam);
        if (HIWORD(m.WParam) & MF_POPUP)
            item = FMenu->FindItem(reinterpret_cast<UINT_PTR>(GetSubMenu(menu, LOWORD(m.WParam))), fkHandle);
        else
            item = FMenu->FindItem(LOWORD(m.WParam), fkCommand);
        Application->SetHint(item ? GetShortHint(item->Hint()) : std::wstring());
        return false;
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
        if (!item || item->CtlType != ODT_MENU || !FMenu->DrawItem(*item)) return false;
        m.Result = TRUE;
        return true;
    }
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
        if (!item || item->CtlType != ODT_MENU || !FMenu->MeasureItem(*item)) return false;
        m.Result = TRUE;
        return true;
    }
    case WM_MENUCHAR: {
        LRESULT result = 0;
        if (!FMenu->ProcessMenuChar(static_cast<wchar_t>(LOWORD(m.WParam)), reinterpret_cast<HMENU>(m.LParam),
                                    result))
            return false;
        m.Result = result;
        return true;
    }
    default:
        return false;
    }
}

bool TCustomForm::HandleDialogKey(TMessage& m) {
    if (GetKeyState(VK_MENU) < 0) return false;
    switch (m.WParam) {
    case VK_TAB:
        if (GetKeyState(VK_CONTROL) < 0) return false;
        SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
        m.Result = 1;
        return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        if (FActiveControl && FActiveControl->Parent()) {
            FActiveControl->Parent()->SelectNext(FActiveControl, m.WParam == VK_RIGHT || m.WParam == VK_DOWN,
                                                 false);
            m.Result = 1;
        }
        return true;
    default:
        return false;
    }
}

void TCustomForm::WndProc(TMessage& m) {
    if (HandleMenuMessage(m)) return;
    if (HandleMDIMessage(m)) return;
    if (HandleDpiMessage(m)) return;
    switch (m.Msg) {
    case CM_DIALOGKEY:
        if (HandleDialogKey(m)) return;
        break;
    case CM_VISIBLECHANGED:
        if (Visible())
            ShowForm();
        else
            HideForm();
        return;
    case CM_RECREATEWND: {
        const bool shown = HandleAllocated() && IsWindowVisible(Handle());
        TCustomControl::WndProc(m);
        if (shown) ShowWindow(Handle(), SW_SHOW);
        return;
    }
    case CM_RELEASE:
        // Freed by the application's window, outside every window method chained into this form.
        Application->FreeLater(this);
        m.Result = 0;
        return;
    case WM_CLOSE:
        Close();
        m.Result = 0;
        return;
    case WM_ACTIVATE:
        TCustomControl::WndProc(m);
        Activated(LOWORD(m.WParam) != WA_INACTIVE);
        return;
    case WM_SETFOCUS:
        // The platform activates a child that gets the focus.
        if (IsMDIChild()) DefaultHandler(m);
        if (FActiveControl && FActiveControl != this && FActiveControl->CanFocus()) {
            ::SetFocus(FActiveControl->Handle());
            return;
        }
        SetFocusedControl(this);
        if (IsMDIChild()) return;
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (m.LParam == 0) {
            HandleScroll(m, m.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT);
            return;
        }
        break;
    case WM_MOUSEWHEEL:
        if (FAutoScroll && (GetWindowLongW(Handle(), GWL_STYLE) & WS_VSCROLL)) {
            ScrollTo(FScrollPos.x, FScrollPos.y - GET_WHEEL_DELTA_WPARAM(m.WParam) * ScaleValue(24) / WHEEL_DELTA);
            return;
        }
        break;
    case WM_SIZE:
        if (m.WParam == SIZE_MINIMIZED)
            FWindowState = wsMinimized;
        else if (m.WParam == SIZE_MAXIMIZED)
            FWindowState = wsMaximized;
        else if (m.WParam == SIZE_RESTORED)
            FWindowState = wsNormal;
        TCustomControl::WndProc(m);
        if (m.WParam != SIZE_MINIMIZED) {
            if (IsMDIFrame()) RealignMDIClient();
            UpdateScrollBars();
        }
        return;
    case WM_GETICON:
        TCustomControl::WndProc(m);
        if (!m.Result)
            m.Result = reinterpret_cast<LRESULT>(m.WParam == ICON_BIG ? Application->Icon()
                                                                      : Application->SmallIcon());
        return;
    default:
        break;
    }
    TCustomControl::WndProc(m);
}

TForm::TForm(TComponent* owner) : TCustomForm(owner) {}

} // namespace orvo

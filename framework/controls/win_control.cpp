#include "framework/controls/win_control.h"

#include "framework/controls/control_canvas.h"
#include "framework/base/exceptions.h"
#include "framework/forms/forms.h"
#include "framework/base/list.h"
#include "framework/controls/mouse_control.h"
#include "framework/base/properties.h"
#include "framework/window/window_class.h"
#include "framework/window/window_property.h"
#include "framework/window/wnd_proc_thunk.h"

#include <algorithm>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TWinControl);
ORVO_IMPLEMENT_CLASS(TCustomControl);

namespace {

// The control whose window is being created: its first message attaches it.
thread_local TWinControl* GCreationControl = nullptr;

// Child window ids: unique enough for WM_MEASUREITEM, which names its sender by id only.
UINT NextChildId() {
    static UINT id = 100;
    if (++id > 0xEFFF) id = 101;
    return id;
}

std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

} // namespace

void TWinControl::Publish(TPublisher<TWinControl>& p) {
    p.Integer(L"TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder);
    p.Boolean(L"TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop);
    p.Event(L"OnEnter", &TWinControl::OnEnter);
    p.Event(L"OnExit", &TWinControl::OnExit);
    p.Event(L"OnKeyDown", &TWinControl::OnKeyDown);
    p.Event(L"OnKeyUp", &TWinControl::OnKeyUp);
    p.Event(L"OnKeyPress", &TWinControl::OnKeyPress);
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {
    FBrush.SetColor(Color());
}

TWinControl::~TWinControl() {
    Destroying();
    // What the control owns (skin objects chained into its window method among them) goes while
    // the control is whole.
    DestroyComponents();
    if (TCustomForm* form = GetParentForm(this); form && form != this) form->DefocusControl(this, true);
    // A parent frees the controls it holds, whoever owns them.
    while (!FControls.empty()) {
        TControl* child = FControls.back();
        child->SetParent(nullptr);
        delete child;
    }
    if (FHandle) DestroyWnd();
    // Leave the parent while still a windowed control (TControl's destructor would not know).
    SetParent(nullptr);
}

// ---- the window ------------------------------------------------------------------------------

HWND TWinControl::Handle() {
    if (!FHandle) CreateHandle();
    return FHandle;
}

void TWinControl::CreateParams(TCreateParams& params) {
    params.Caption = FText;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (ControlStyle().Contains(csAcceptsControls)) {
        params.Style |= WS_CLIPCHILDREN;
        params.ExStyle |= WS_EX_CONTROLPARENT;
    }
    if (Visible()) params.Style |= WS_VISIBLE;
    if (!Enabled()) params.Style |= WS_DISABLED;
    if (FTabStop) params.Style |= WS_TABSTOP;
    if (UseRightToLeftReading()) params.ExStyle |= WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR;
    if (UseRightToLeftAlignment()) params.ExStyle |= WS_EX_RIGHT;
    params.X = Left();
    params.Y = Top();
    params.Width = Width();
    params.Height = Height();
    params.WndParent = Parent() ? Parent()->Handle() : FParentWindow;
    params.WinClassName = std::wstring(ClassName());
}

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    if ((params.Style & WS_CHILD) && !params.WndParent)
        throw EInvalidOperation(L"Control '" + Name() + L"' has no parent window");
    FDefWndProc = RegisterControlClass(params, &InitWndProc);
    if (!FThunk) FThunk = std::make_unique<TWndProcThunk>(&ObjectWndProc, this);
    const auto id =
        (params.Style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(NextChildId())) : nullptr;
    SetControlState(csCreating, true);
    GCreationControl = this;
    HWND window = nullptr;
    try {
        window = CreateWindowHandle(params, id);
    } catch (...) {
        GCreationControl = nullptr;
        SetControlState(csCreating, false);
        throw;
    }
    GCreationControl = nullptr;
    SetControlState(csCreating, false);
    if (!window) RaiseLastOSError();
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
}

HWND TWinControl::CreateWindowHandle(const TCreateParams& params, HMENU id) {
    return CreateWindowExW(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(), params.Style,
                           params.X, params.Y, params.Width, params.Height, params.WndParent, id,
                           GetModuleHandleW(nullptr), nullptr);
}

void TWinControl::CreateHandle() {
    if (FHandle) return;
    // The parent's window first: making it makes the windows of its children, this one's among
    // them. Asked for later (inside CreateParams), it would make this control's window twice.
    if (Parent() && !Parent()->HandleAllocated()) {
        Parent()->HandleNeeded();
        if (FHandle) return;
    }
    CreateWnd();
    CreateChildHandles();
}

void TWinControl::CreateChildHandles() {
    for (TControl* child : std::vector<TControl*>(FControls))
        if (child->IsWindowed()) static_cast<TWinControl*>(child)->CreateHandle();
}

void TWinControl::DestroyWnd() {
    if (!FHandle) return;
    DestroyWindow(FHandle);
    HandleDestroyed(); // in case the window could not be destroyed from here
}

void TWinControl::DestroyHandle() {
    if (FHandle) DestroyWnd();
}

void TWinControl::RecreateWnd() {
    if (FHandle) Perform(CM_RECREATEWND);
}

TWinControl* ControlBeingCreated() noexcept {
    return GCreationControl;
}

LRESULT CALLBACK TWinControl::InitWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TWinControl* control = GCreationControl;
    if (!control) return DefWindowProcW(window, message, wParam, lParam);
    GCreationControl = nullptr;
    control->Attach(window);
    return ObjectWndProc(control, message, wParam, lParam);
}

void TWinControl::Attach(HWND window) {
    FHandle = window;
    SetControlProperty(window, this);
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FThunk->Proc()));
}

LRESULT CALLBACK TWinControl::ObjectWndProc(void* self, UINT message, WPARAM wParam, LPARAM lParam) {
    TMessage m{message, wParam, lParam, 0};
    static_cast<TWinControl*>(self)->MainWndProc(m);
    return m.Result;
}

void TWinControl::MainWndProc(TMessage& m) {
    try {
        WindowProc(m);
    } catch (...) {
        HandleException(this);
    }
    // Nothing else touches `this` for other messages: a handler may have freed the control.
    if (m.Msg == WM_NCDESTROY) HandleDestroyed();
}

void TWinControl::HandleDestroyed() noexcept {
    if (!FHandle) return;
    RemoveControlProperty(FHandle);
    FHandle = nullptr;
    FTrackingMouse = false;
}

void TWinControl::DefaultHandler(TMessage& m) {
    if (!FHandle) {
        m.Result = 0;
        return;
    }
    m.Result = CallWindowProcW(FDefWndProc, FHandle, m.Msg, m.WParam, m.LParam);
}

std::wstring TWinControl::GetText() const {
    return FHandle ? WindowText(FHandle) : FText;
}

void TWinControl::SetTextBuf(const std::wstring& text) {
    if (!FHandle) {
        TControl::SetTextBuf(text);
        return;
    }
    SetWindowTextW(FHandle, text.c_str()); // WM_SETTEXT announces CM_TEXTCHANGED
}

void TWinControl::SetParentWindow(HWND window) {
    if (Parent()) throw EInvalidOperation(L"Control '" + Name() + L"' has a parent control");
    if (window == FParentWindow) return;
    FParentWindow = window;
    if (!FHandle) return;
    if (!window) {
        DestroyHandle();
        return;
    }
    ::SetParent(FHandle, window);
    SetWindowPos(FHandle, nullptr, Left(), Top(), Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::ParentChanged() {
    if (Parent()) FParentWindow = nullptr;
    if (!Parent()) {
        if (FHandle && (GetWindowLongPtrW(FHandle, GWL_STYLE) & WS_CHILD)) DestroyHandle();
        return;
    }
    if (!Parent()->HandleAllocated()) {
        DestroyHandle();
        return;
    }
    if (!FHandle) {
        CreateHandle();
        return;
    }
    ::SetParent(FHandle, Parent()->Handle());
    SetWindowPos(FHandle, nullptr, Left(), Top(), Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::UpdateShowing() {
    if (!FHandle) return;
    if (!Visible())
        if (TCustomForm* form = GetParentForm(this); form && form != this) form->DefocusControl(this, false);
    const UINT show = Visible() ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                 show | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- bounds ----------------------------------------------------------------------------------

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (!FHandle) {
        TControl::SetBounds(left, top, width, height);
        return;
    }
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (left == Left() && top == Top() && width == Width() && height == Height()) return;
    SetWindowPos(FHandle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT TWinControl::ClientRect() {
    if (!FHandle) return TControl::ClientRect();
    RECT r{};
    GetClientRect(FHandle, &r);
    return r;
}

POINT TWinControl::ClientOrigin() {
    if (!FHandle) return TControl::ClientOrigin();
    POINT p{0, 0};
    ::ClientToScreen(FHandle, &p);
    return p;
}

void TWinControl::Invalidate() {
    if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

void TWinControl::Update() {
    if (FHandle) UpdateWindow(FHandle);
}

// ---- children --------------------------------------------------------------------------------

TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount()) ListIndexError(index);
    return FControls[static_cast<std::size_t>(index)];
}

void TWinControl::InsertControl(TControl* control) {
    FControls.push_back(control);
    control->FParent = this;
    if (control->IsWindowed()) FTabList.push_back(static_cast<TWinControl*>(control));
    if (control->FParentFont) control->AdoptParentFont();
    if (control->FParentColor) control->AdoptParentColor();
    if (control->FParentShowHint) control->AdoptParentShowHint();
    if (!control->IsWindowed()) control->Invalidate();
}

void TWinControl::RemoveControl(TControl* control) {
    if (control->IsWindowed()) {
        if (TCustomForm* form = GetParentForm(this))
            form->DefocusControl(static_cast<TWinControl*>(control), true);
        std::erase(FTabList, static_cast<TWinControl*>(control));
    } else {
        control->Invalidate();
    }
    std::erase(FControls, control);
    control->FParent = nullptr;
}

bool TWinControl::ContainsControl(const TControl* control) const noexcept {
    for (; control; control = control->Parent())
        if (control == this) return true;
    return false;
}

TControl* TWinControl::ControlAtPos(POINT p, bool allowDisabled, bool allowWindowed) const {
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        if (!c->Visible() || (!allowDisabled && !c->Enabled()) || (!allowWindowed && c->IsWindowed()))
            continue;
        const RECT r = c->BoundsRect();
        if (PtInRect(&r, p)) return c;
    }
    return nullptr;
}

void TWinControl::Broadcast(TMessage& m) {
    for (TControl* child : std::vector<TControl*>(FControls)) {
        child->WindowProc(m);
        if (m.Result != 0) return;
    }
}

// ---- tab order and focus ---------------------------------------------------------------------

int TWinControl::TabOrder() const noexcept {
    if (!Parent()) return -1;
    const auto& list = Parent()->FTabList;
    const auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    if (ComponentState().Contains(csLoading)) {
        FTabOrder = order;
        return;
    }
    if (!Parent()) return;
    auto& list = Parent()->FTabList;
    const int current = TabOrder();
    if (current < 0) return;
    const int last = static_cast<int>(list.size()) - 1;
    if (order < 0 || order > last) order = last;
    if (order == current) return;
    list.erase(list.begin() + current);
    list.insert(list.begin() + order, this);
}

void TWinControl::FixupTabList() {
    // Stored TabOrder values first, by value; controls without one keep their order after them.
    std::stable_sort(FTabList.begin(), FTabList.end(), [](const TWinControl* a, const TWinControl* b) {
        const auto key = [](const TWinControl* c) { return c->FTabOrder < 0 ? INT32_MAX : c->FTabOrder; };
        return key(a) < key(b);
    });
    for (TWinControl* c : FTabList)
        c->FTabOrder = -1;
}

void TWinControl::Loaded() {
    TControl::Loaded();
    FixupTabList();
}

void TWinControl::ChangeScale(int, int newDpi) {
    ScaleFont(newDpi);
    ScaleChildren(newDpi);
    ScaleBounds(newDpi);
}

void TWinControl::ScaleChildren(int newDpi) {
    for (TControl* child : std::vector<TControl*>(FControls))
        child->ScaleForDpi(newDpi);
}

void TWinControl::SetTabStop(bool value) {
    if (value == FTabStop) return;
    FTabStop = value;
    if (FHandle) {
        const LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
        SetWindowLongPtrW(FHandle, GWL_STYLE,
                          value ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP)));
    }
    Perform(CM_TABSTOPCHANGED);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
    for (TWinControl* c : FTabList) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    const int count = static_cast<int>(list.size());
    int start = static_cast<int>(std::find(list.begin(), list.end(), current) - list.begin());
    if (start == count) start = goForward ? count - 1 : 0;
    int i = start;
    do {
        i = goForward ? (i + 1) % count : (i + count - 1) % count;
        TWinControl* c = list[static_cast<std::size_t>(i)];
        if (c->CanFocus() && (!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this))
            return c;
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
    if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop))
        next->SetFocus();
}

void TWinControl::SelectFirst() {
    if (TWinControl* first = FindNextControl(nullptr, true, true, false)) first->SetFocus();
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

bool TWinControl::Focused() const noexcept {
    return FHandle && GetFocus() == FHandle;
}

void TWinControl::SetFocus() {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this) {
        form->FocusControl(this);
        return;
    }
    if (!CanFocus()) throw EInvalidOperation(L"Cannot focus a disabled or invisible window");
    ::SetFocus(Handle());
}

void TWinControl::SetParentBackground(bool value) {
    if (value == FParentBackground) return;
    FParentBackground = value;
    Invalidate();
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

// ---- painting --------------------------------------------------------------------------------

bool TWinControl::NeedsPaintHandler() const {
    return std::any_of(FControls.begin(), FControls.end(),
                       [](const TControl* c) { return !c->IsWindowed() && c->Visible(); });
}

void TWinControl::PaintHandler(TMessage& m) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    PAINTSTRUCT ps{};
    const bool began = dc == nullptr;
    if (began) dc = BeginPaint(FHandle, &ps);
    try {
        PaintWindow(dc);
        PaintControls(dc, nullptr);
    } catch (...) {
        if (began) EndPaint(FHandle, &ps);
        throw;
    }
    if (began) EndPaint(FHandle, &ps);
    m.Result = 0;
}

void TWinControl::PaintWindow(HDC dc) {
    TMessage paint{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
    DefaultHandler(paint);
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
    auto it = first ? std::find(FControls.begin(), FControls.end(), first) : FControls.begin();
    for (; it != FControls.end(); ++it) {
        TControl* c = *it;
        if (c->IsWindowed() || !c->Visible()) continue;
        const RECT bounds = c->BoundsRect();
        if (!RectVisible(dc, &bounds)) continue;
        const int saved = SaveDC(dc);
        OffsetViewportOrgEx(dc, c->Left(), c->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
        try {
            c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        } catch (...) {
            RestoreDC(dc, saved);
            throw;
        }
        RestoreDC(dc, saved);
    }
}

void TWinControl::EraseBackground(TMessage& m) {
    DefaultHandler(m);
}

void PaintParentBackground(TControl& control, HDC dc) {
    TWinControl* parent = control.Parent();
    if (!parent || !dc) return;
    const int saved = SaveDC(dc);
    OffsetViewportOrgEx(dc, -control.Left(), -control.Top(), nullptr);
    IntersectClipRect(dc, control.Left(), control.Top(), control.Left() + control.Width(),
                      control.Top() + control.Height());
    try {
        parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    } catch (...) {
        RestoreDC(dc, saved);
        throw;
    }
    RestoreDC(dc, saved);
}

// ---- messages --------------------------------------------------------------------------------

void TWinControl::WndProc(TMessage& m) {
    if (HandleKeyMessage(m)) return;
    if (ReflectNotification(m)) return;
    switch (m.Msg) {
    case WM_MOUSEMOVE:
        TrackMouse(m);
        break;
    case WM_MOUSELEAVE: {
        FTrackingMouse = false;
        POINT p{};
        GetCursorPos(&p);
        UpdateMouseControl(p);
        break;
    }
    case WM_CAPTURECHANGED:
        if (TControl* capture = CaptureControl(); capture && reinterpret_cast<HWND>(m.LParam) != FHandle &&
                                                  (capture == this || capture->Parent() == this))
            ForgetCaptureControl(capture);
        break;
    case WM_SETCURSOR:
        if (SetCursorFromControl(m)) return;
        break;
    case WM_SETFOCUS:
        if (TCustomForm* form = GetParentForm(this); form && form != this && !form->SetFocusedControl(this))
            return;
        break;
    case WM_PAINT:
        if (NeedsPaintHandler())
            PaintHandler(m);
        else
            DefaultHandler(m);
        return;
    case WM_ERASEBKGND:
        EraseBackground(m);
        return;
    case WM_SETTEXT:
        DefaultHandler(m);
        Perform(CM_TEXTCHANGED);
        return;
    case WM_SIZE: {
        DefaultHandler(m);
        TMessage notice{CM_PARENTRESIZED, 0, 0, 0};
        for (TControl* child : std::vector<TControl*>(FControls))
            if (child->IsWindowed()) child->WindowProc(notice);
        return;
    }
    case WM_WINDOWPOSCHANGED: {
        DefaultHandler(m);
        RECT r{};
        if (!GetWindowRect(FHandle, &r) || (!Parent() && IsIconic(FHandle))) return;
        if (GetWindowLongPtrW(FHandle, GWL_STYLE) & WS_CHILD)
            MapWindowPoints(HWND_DESKTOP, GetAncestor(FHandle, GA_PARENT), reinterpret_cast<POINT*>(&r), 2);
        UpdateBoundsFields(r.left, r.top, r.right - r.left, r.bottom - r.top);
        return;
    }
    case WM_DESTROY:
        FText = WindowText(FHandle); // the next window gets the same text
        break;
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORDLG:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORMSGBOX:
    case CN_CTLCOLORSCROLLBAR:
    case CN_CTLCOLORSTATIC:
        ReflectedCtlColor(m);
        return;
    case CM_COLORCHANGED: {
        FBrush.SetColor(Color());
        Invalidate();
        TMessage notice{CM_PARENTCOLORCHANGED, 0, 0, 0};
        for (TControl* child : std::vector<TControl*>(FControls))
            child->WindowProc(notice);
        break;
    }
    case CM_FONTCHANGED: {
        if (FHandle) SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), TRUE);
        TMessage notice{CM_PARENTFONTCHANGED, 0, 0, 0};
        for (TControl* child : std::vector<TControl*>(FControls))
            child->WindowProc(notice);
        break;
    }
    case CM_SHOWHINTCHANGED: {
        TMessage notice{CM_PARENTSHOWHINTCHANGED, 0, 0, 0};
        for (TControl* child : std::vector<TControl*>(FControls))
            child->WindowProc(notice);
        break;
    }
    case CM_ENABLEDCHANGED:
        if (!Enabled())
            if (TCustomForm* form = GetParentForm(this); form && form != this)
                form->DefocusControl(this, false);
        if (FHandle) EnableWindow(FHandle, Enabled() ? TRUE : FALSE);
        break;
    case CM_VISIBLECHANGED:
        UpdateShowing();
        break;
    case CM_BIDIMODECHANGED:
        RecreateWnd();
        break;
    case CM_RECREATEWND: {
        const bool wasFocused = Focused();
        DestroyHandle();
        if (!Parent() || Parent()->HandleAllocated()) CreateHandle();
        if (wasFocused && FHandle) ::SetFocus(FHandle);
        return;
    }
    case CM_ENTER:
        DoEnter();
        break;
    case CM_EXIT:
        DoExit();
        break;
    case CM_FOCUSCHANGED:
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
        Broadcast(m);
        return;
    default:
        break;
    }
    if (ForwardMouseMessage(m)) return;
    TControl::WndProc(m);
}

bool TWinControl::ReflectNotification(TMessage& m) {
    HWND child = nullptr;
    TWinControl* target = nullptr;
    switch (m.Msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
        child = reinterpret_cast<HWND>(m.LParam);
        break;
    case WM_NOTIFY:
        if (m.LParam) child = reinterpret_cast<const NMHDR*>(m.LParam)->hwndFrom;
        break;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
        if (item && item->CtlType != ODT_MENU) child = item->hwndItem;
        break;
    }
    case WM_MEASUREITEM: {
        const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(m.LParam);
        if (item && item->CtlType != ODT_MENU) target = FindChildByDlgId(item->CtlID);
        break;
    }
    case WM_COMPAREITEM:
        if (m.LParam) child = reinterpret_cast<const COMPAREITEMSTRUCT*>(m.LParam)->hwndItem;
        break;
    case WM_DELETEITEM:
        if (m.LParam) child = reinterpret_cast<const DELETEITEMSTRUCT*>(m.LParam)->hwndItem;
        break;
    default:
        return false;
    }
    if (!target && child && child != FHandle) target = FindControl(child);
    if (!target) return false;
    m.Result = target->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
    return true;
}

TWinControl* TWinControl::FindChildByDlgId(UINT id) const {
    for (TWinControl* c : FTabList)
        if (c->FHandle && static_cast<UINT>(GetDlgCtrlID(c->FHandle)) == id) return c;
    return nullptr;
}

void TWinControl::ReflectedCtlColor(TMessage& m) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    SetTextColor(dc, ColorToColorRef(Font()->Color()));
    SetBkColor(dc, ColorToColorRef(FBrush.Color()));
    m.Result = reinterpret_cast<LRESULT>(FBrush.Handle());
}

bool TWinControl::ForwardMouseMessage(TMessage& m) {
    if (m.Msg < WM_MOUSEFIRST || m.Msg > WM_MOUSELAST || m.Msg == WM_MOUSEWHEEL || m.Msg == WM_MOUSEHWHEEL)
        return false;
    const POINT p = PointFromLParam(m.LParam);
    TControl* target = CaptureControl();
    if (!target || target->Parent() != this || target->IsWindowed()) target = ControlAtPos(p, false);
    if (!target) return false;
    m.Result =
        target->Perform(m.Msg, m.WParam, PointToLParam(POINT{p.x - target->Left(), p.y - target->Top()}));
    return true;
}

void TWinControl::TrackMouse(TMessage& m) {
    if (!FTrackingMouse) {
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, FHandle, 0};
        FTrackingMouse = TrackMouseEvent(&track) != FALSE;
    }
    POINT p = PointFromLParam(m.LParam);
    ::ClientToScreen(FHandle, &p);
    UpdateMouseControl(p);
}

bool TWinControl::SetCursorFromControl(TMessage& m) {
    if (reinterpret_cast<HWND>(m.WParam) != FHandle || LOWORD(m.LParam) != HTCLIENT) return false;
    POINT p{};
    GetCursorPos(&p);
    ::ScreenToClient(FHandle, &p);
    TCursor cursor = Cursor();
    if (TControl* c = ControlAtPos(p, false); c && c->Cursor() != crDefault) cursor = c->Cursor();
    if (cursor == crDefault) return false;
    ::SetCursor(CursorHandle(cursor));
    m.Result = 1;
    return true;
}

// ---- TCustomControl --------------------------------------------------------------------------

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

TCustomControl::~TCustomControl() = default;

TCanvas* TCustomControl::Canvas() {
    if (!FCanvas) FCanvas = std::make_unique<TControlCanvas>(*this);
    return FCanvas.get();
}

void TCustomControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.ClassStyle |= CS_HREDRAW | CS_VREDRAW;
}

void TCustomControl::Paint() {}

void TCustomControl::PaintWindow(HDC dc) {
    Canvas();
    TControlCanvas::TPaintScope scope(*FCanvas, dc);
    Paint();
}

void TCustomControl::EraseBackground(TMessage& m) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    if (ParentBackground() && Parent()) {
        PaintParentBackground(*this, dc);
    } else {
        RECT r = ClientRect();
        FillRect(dc, &r, Brush()->Handle());
    }
    m.Result = 1;
}

} // namespace orvo

#include "framework/forms/application.h"

#include "framework/controls/control_canvas.h"
#include "framework/base/exceptions.h"
#include "framework/forms/hint_window.h"
#include "framework/controls/mouse_control.h"
#include "framework/base/properties.h"
#include "framework/forms/screen.h"
#include "framework/window/window_property.h"

#include <commctrl.h>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TApplication);

TApplication* const Application = new TApplication(nullptr);

namespace {

constexpr wchar_t ApplicationClassName[] = L"TApplication";
constexpr UINT_PTR HintShowTimer = 1;
constexpr UINT_PTR HintHideTimer = 2;
constexpr UINT WM_FREEFORM = WM_APP + 1;

void ReportException(TObject* sender, const std::exception_ptr& error) {
    if (Application->OnException)
        Application->OnException(sender, error);
    else
        Application->ShowException(error);
}

std::wstring ProgramName() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name(path, length);
    name = name.substr(name.find_last_of(L"\\/") + 1);
    if (const auto dot = name.find_last_of(L'.'); dot != std::wstring::npos && dot > 0) name.resize(dot);
    return name;
}

// The resource name of the program's first icon group, when it has no MAINICON.
struct TIconName {
    std::wstring Text;
    WORD Id = 0;
    LPCWSTR Get() const { return Text.empty() ? MAKEINTRESOURCEW(Id) : Text.c_str(); }
};

BOOL CALLBACK FirstIconName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR result) {
    auto* icon = reinterpret_cast<TIconName*>(result);
    if (IS_INTRESOURCE(name))
        icon->Id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
    else
        icon->Text = name;
    return FALSE;
}

HICON LoadProgramIcon(int sizeMetricX, int sizeMetricY) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    TIconName name;
    name.Text = L"MAINICON";
    if (!FindResourceW(instance, name.Get(), RT_GROUP_ICON)) {
        name = TIconName{};
        EnumResourceNamesW(instance, RT_GROUP_ICON, &FirstIconName, reinterpret_cast<LONG_PTR>(&name));
    }
    HICON icon = nullptr;
    if (!name.Text.empty() || name.Id != 0)
        icon = static_cast<HICON>(LoadImageW(instance, name.Get(), IMAGE_ICON, GetSystemMetrics(sizeMetricX),
                                             GetSystemMetrics(sizeMetricY), LR_SHARED));
    return icon ? icon : LoadIconW(nullptr, IDI_APPLICATION);
}

// How far below the pointer's hot spot its image reaches, so a hint never covers the pointer.
int CursorHeightBelowHotSpot() {
    CURSORINFO info{};
    info.cbSize = sizeof info;
    ICONINFO icon{};
    int height = 20;
    if (GetCursorInfo(&info) && info.hCursor && GetIconInfo(info.hCursor, &icon)) {
        BITMAP bitmap{};
        if (GetObjectW(icon.hbmMask, sizeof bitmap, &bitmap))
            height =
                (icon.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2) - static_cast<int>(icon.yHotspot);
        if (icon.hbmMask) DeleteObject(icon.hbmMask);
        if (icon.hbmColor) DeleteObject(icon.hbmColor);
    }
    return height > 0 ? height : 20;
}

} // namespace

std::wstring GetShortHint(const std::wstring& hint) {
    const auto bar = hint.find(L'|');
    return bar == std::wstring::npos ? hint : hint.substr(0, bar);
}

std::wstring GetLongHint(const std::wstring& hint) {
    const auto bar = hint.find(L'|');
    return bar == std::wstring::npos ? hint : hint.substr(bar + 1);
}

TApplication::TApplication(TComponent* owner) : TComponent(owner), FTitle(ProgramName()) {
    SetMouseControlListener(&TApplication::MouseControlChanged);
}

TApplication::~TApplication() {
    SetMouseControlListener(nullptr);
    DestroyComponents();
    if (FHandle) DestroyWindow(FHandle);
}

void TApplication::Initialize() {
    SetExceptionHandler(&ReportException);
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
}

HWND TApplication::Handle() {
    if (FHandle) return FHandle;
    static const ATOM atom = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &TApplication::WindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = ApplicationClassName;
        return RegisterClassExW(&wc);
    }();
    if (!atom) RaiseLastOSError();
    FHandle = CreateWindowExW(0, ApplicationClassName, FTitle.c_str(),
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0,
                              0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!FHandle) RaiseLastOSError();
    return FHandle;
}

void TApplication::SetTitle(const std::wstring& title) {
    FTitle = title;
    if (FHandle) SetWindowTextW(FHandle, title.c_str());
}

void TApplication::LoadIcons() {
    if (!FIcon) FIcon = LoadProgramIcon(SM_CXICON, SM_CYICON);
    if (!FSmallIcon) FSmallIcon = LoadProgramIcon(SM_CXSMICON, SM_CYSMICON);
}

HICON TApplication::Icon() {
    LoadIcons();
    return FIcon;
}

HICON TApplication::SmallIcon() {
    LoadIcons();
    return FSmallIcon;
}

void TApplication::SetIcon(HICON icon, HICON smallIcon) {
    FIcon = icon;
    FSmallIcon = smallIcon ? smallIcon : icon;
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* form = Screen->Forms(i);
        if (!form->HandleAllocated()) continue;
        SendMessageW(form->Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Icon()));
        SendMessageW(form->Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(SmallIcon()));
    }
}

void TApplication::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == FMainForm) FMainForm = nullptr;
    if (component == FHintWindow) FHintWindow = nullptr;
}

// ---- the message loop ------------------------------------------------------------------------

void TApplication::Run() {
    if (!FMainForm) return;
    FMainForm->Show();
    while (!FTerminated)
        HandleMessage();
    CancelHint();
    DestroyComponents();
}

void TApplication::Terminate() {
    PostQuitMessage(0);
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (ProcessMessage(msg)) {
    }
}

void TApplication::HandleMessage() {
    try {
        MSG msg;
        if (!ProcessMessage(msg)) Idle();
    } catch (...) {
        orvo::HandleException(this);
    }
}

bool TApplication::ProcessMessage(MSG& msg) {
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        FTerminated = true;
        return true;
    }
    bool handled = false;
    if (OnMessage) OnMessage(msg, handled);
    if (handled) return true;
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_MOUSEWHEEL:
        CancelHint();
        break;
    default:
        break;
    }
    if (IsMDIMsg(msg) || IsKeyMsg(msg)) return true;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

// Ctrl+F4, Ctrl+F6, Ctrl+Tab and the child's system-menu key go to the active MDI child of the
// frame the key was pressed in, before any control or menu sees them.
bool TApplication::IsMDIMsg(MSG& msg) {
    if ((msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) || !msg.hwnd) return false;
    auto* frame = dynamic_cast<TCustomForm*>(FindControl(GetAncestor(msg.hwnd, GA_ROOT)));
    if (!frame || frame->FormStyle() != fsMDIForm || !frame->ClientHandle()) return false;
    return TranslateMDISysAccel(frame->ClientHandle(), &msg) != FALSE;
}

// The focused framework control may consume a key before it is translated and dispatched.
bool TApplication::IsKeyMsg(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || GetCapture()) return false;
    // A native window inside a control (a combo box's edit) counts as that control.
    TWinControl* control = FindAncestorControl(msg.hwnd);
    return control && control->Perform(CN_BASE + msg.message, msg.wParam, msg.lParam) != 0;
}

void TApplication::Idle() {
    TControlCanvas::FreeDeviceContexts();
    bool done = true;
    if (OnIdle) OnIdle(this, done);
    if (done) WaitMessage();
}

LRESULT CALLBACK TApplication::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        switch (message) {
        case WM_GETICON:
            return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? Application->Icon()
                                                                : Application->SmallIcon());
        case WM_TIMER:
            KillTimer(window, wParam);
            if (wParam == HintShowTimer) Application->ShowHintNow();
            if (wParam == HintHideTimer && Application->FHintWindow) Application->FHintWindow->HideHint();
            return 0;
        case WM_FREEFORM:
            for (int i = 0; i < Screen->FormCount(); ++i)
                if (Screen->Forms(i) == reinterpret_cast<TCustomForm*>(lParam)) {
                    delete Screen->Forms(i);
                    break;
                }
            return 0;
        case WM_ACTIVATEAPP:
            if (!wParam) Application->CancelHint();
            break;
        case WM_CLOSE:
            if (Application->FMainForm) Application->FMainForm->Close();
            return 0;
        default:
            break;
        }
    } catch (...) {
        orvo::HandleException(Application);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void TApplication::FreeLater(TCustomForm* form) {
    PostMessageW(Handle(), WM_FREEFORM, 0, reinterpret_cast<LPARAM>(form));
}

// ---- message boxes and the exception report --------------------------------------------------

int TApplication::MessageBox(const std::wstring& text, const std::wstring& caption, UINT flags) {
    CancelHint();
    HWND owner = nullptr;
    for (TCustomForm* form : {Screen->ActiveForm(), FMainForm})
        if (form && form->HandleAllocated() && IsWindowVisible(form->Handle())) {
            owner = form->Handle();
            break;
        }
    return ::MessageBoxW(owner, text.c_str(), (caption.empty() ? FTitle : caption).c_str(), flags);
}

void TApplication::ShowException(const std::exception_ptr& error) {
    MessageBox(ExceptionMessage(error), FTitle, MB_OK | MB_ICONSTOP);
}

// ---- hints -----------------------------------------------------------------------------------

void TApplication::SetShowHint(bool value) {
    FShowHint = value;
    if (!value) CancelHint();
}

void TApplication::SetHint(const std::wstring& hint) {
    if (hint == FHint) return;
    FHint = hint;
    if (OnHint) OnHint(this);
}

void TApplication::CancelHint() {
    if (FHandle) {
        KillTimer(FHandle, HintShowTimer);
        KillTimer(FHandle, HintHideTimer);
    }
    if (FHintWindow) FHintWindow->HideHint();
    FHintShowing = false;
    FHintControl = nullptr;
}

void TApplication::MouseControlChanged(TControl*, TControl* current) {
    Application->StartHintTimer(current);
}

void TApplication::StartHintTimer(TControl* control) {
    const bool wasShowing = FHintShowing;
    CancelHint();
    SetHint(control ? GetLongHint(control->Hint()) : std::wstring());
    if (!control || !FShowHint || !control->ShowHint() || GetShortHint(control->Hint()).empty()) return;
    FHintControl = control;
    SetTimer(Handle(), HintShowTimer, static_cast<UINT>(wasShowing ? FHintShortPause : FHintPause), nullptr);
}

void TApplication::ShowHintNow() {
    if (!FHintControl || FHintControl != MouseControl()) return;
    const std::wstring text = GetShortHint(FHintControl->Hint());
    if (!FHintWindow) FHintWindow = new THintWindow(this);
    FHintWindow->ScaleForDpi(FHintControl->CurrentDpi());
    FHintWindow->SetColor(FHintColor);
    POINT p{};
    GetCursorPos(&p);
    RECT r = FHintWindow->CalcHintRect(Screen->Width() / 3, text);
    OffsetRect(&r, p.x, p.y + CursorHeightBelowHotSpot());
    // Inside the monitor's work area.
    MONITORINFO info{sizeof(MONITORINFO), {}, {}, 0};
    if (GetMonitorInfoW(MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST), &info)) {
        if (r.right > info.rcWork.right) OffsetRect(&r, info.rcWork.right - r.right, 0);
        if (r.left < info.rcWork.left) OffsetRect(&r, info.rcWork.left - r.left, 0);
        if (r.bottom > info.rcWork.bottom) OffsetRect(&r, 0, p.y - 4 - r.bottom);
    }
    FHintWindow->ActivateHint(r, text);
    FHintShowing = true;
    SetTimer(Handle(), HintHideTimer, static_cast<UINT>(FHintHidePause), nullptr);
}

} // namespace orvo

// The CBT hook of the user-interface thread and the window filter.
//
// The hook learns of every window of the thread: a menu window ("#32768") gets its skin when it is
// created and loses it when it is destroyed, an MDI child is skinned when created, and any other
// window when it is first activated. It never blocks an action: it always answers what the next
// hook answers.
#include "skin/manager/window_hook.h"

#include "skin/data/skin_data.h"
#include "skin/data/skin_protocol.h"
#include "skin/data/skin_trace.h"
#include "skin/form/form_skin.h"
#include "skin/manager/skin_manager.h"

#include <algorithm>
#include <cwctype>

namespace orvo {

namespace {

HHOOK GHook = nullptr;
bool GHookDisabled = false;

// The platform's message box puts its text in a static control of this id.
constexpr int MessageBoxTextId = 0xFFFF;

std::wstring Lower(std::wstring s) {
    std::transform(s.begin(), s.end(), s.begin(), [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return s;
}

std::wstring ClassNameOf(HWND window) {
    wchar_t name[101]{};
    GetClassNameW(window, name, 101);
    return name;
}

LRESULT CALLBACK CbtHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (GHookDisabled || code < 0) return CallNextHookEx(GHook, code, wParam, lParam);
    TSkinManage* manager = ExistingSkinManager();
    auto window = reinterpret_cast<HWND>(wParam);
    if (manager) {
        try {
            switch (code) {
            case HCBT_CREATEWND: {
                const CREATESTRUCTW* cs = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
                // Size grips made inside a skinned form are skinned with its controls.
                if ((cs->style & WS_CHILD) && (cs->style & SBS_SIZEGRIP) && cs->hwndParent &&
                    Lower(ClassNameOf(window)) == L"scrollbar")
                    if (TWinSkinForm* form = manager->FindFormSkin(cs->hwndParent)) form->SkinChildWindow(window);
                // A skinned dialog that makes a child later (a new file list) has it skinned too.
                if ((cs->style & WS_CHILD) && cs->hwndParent)
                    if (TWinSkinForm* form = manager->FindFormSkin(GetAncestor(cs->hwndParent, GA_ROOT)))
                        form->ChildCreated(window);
                if (!(cs->style & WS_CHILD) && ClassNameOf(window) == L"#32768") manager->SkinPopupMenu(window);
                if (cs->dwExStyle & WS_EX_MDICHILD) manager->SkinWindow(window);
                break;
            }
            case HCBT_DESTROYWND:
                manager->UnskinPopupMenu(window);
                break;
            case HCBT_ACTIVATE:
                if (manager->State() == TSkinManagerState::Idle) manager->SetState(TSkinManagerState::Running);
                manager->SkinWindow(window);
                break;
            default:
                break;
            }
        } catch (...) {
            ORVO_SKIN_TRACE(L"hook code %d for %p failed", code, static_cast<void*>(window));
        }
    }
    return CallNextHookEx(GHook, code, wParam, lParam);
}

} // namespace

void InstallWindowHook() {
    if (GHook) return;
    GHookDisabled = false;
    GHook = SetWindowsHookExW(WH_CBT, &CbtHookProc, nullptr, GetCurrentThreadId());
}

void RemoveWindowHook() {
    if (GHook) UnhookWindowsHookEx(GHook);
    GHook = nullptr;
    GHookDisabled = true;
}

bool WindowHookInstalled() noexcept {
    return GHook != nullptr;
}

bool IsPlainChild(const TWindowFacts& w) noexcept {
    return (w.Style & WS_CHILD) && !(w.ExStyle & WS_EX_MDICHILD) && !w.ParentIsMdiClient;
}

bool PassesWindowFilter(const TWindowFacts& w, bool scanning) noexcept {
    if (!scanning && IsPlainChild(w)) return false;
    // Windows of other modules are skinned only when they are dialog boxes.
    if (!w.FrameworkForm && !w.OwnModule && w.ClassName != L"#32770") return false;
    if (!(w.ExStyle & WS_EX_MDICHILD) && (w.Size.cx <= 0 || w.Size.cy <= 0)) return false;
    if (w.FrameworkForm && w.FormTag == 99) return false;
    if (w.ClassName.find(L"TcxPopupEditPopupWindow") != std::wstring::npos ||
        w.ClassName.find(L"TTERenderWindow") != std::wstring::npos || w.ClassName == L"TApplication")
        return false;
    return true;
}

bool MayBeSkinned(HWND window, const TWindowFacts& w, TSkinData* data) {
    bool answer = true;
    if (!data) return answer;
    const std::wstring lower = Lower(w.ClassName);
    if (!data->Options().Contains(xoPreview) && lower.find(L"preview") != std::wstring::npos) answer = false;
    // Dialogs that force themselves to the front are the system's own; a message box is skinned
    // even when it does.
    if (answer && w.ClassName == L"#32770" && (w.Style & DS_SETFOREGROUND) && !w.IsMessageBox) answer = false;
    if (answer && lower == L"tpopupdbtreeview") answer = false;
    data->FormVeto(window, w.ClassName, answer);
    return answer;
}

bool IsMessageBoxWindow(HWND window) noexcept {
    wchar_t name[16]{};
    GetClassNameW(window, name, 16);
    if (std::wstring(name) != L"#32770") return false;
    HWND text = GetDlgItem(window, MessageBoxTextId);
    if (!text) return false;
    GetClassNameW(text, name, 16);
    return Lower(name) == L"static";
}

TWindowFacts WindowFactsOf(HWND window) {
    TWindowFacts w;
    w.ClassName = ClassNameOf(window);
    w.Style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    w.ExStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    if (HWND parent = GetParent(window); parent && (w.Style & WS_CHILD))
        w.ParentIsMdiClient = Lower(ClassNameOf(parent)) == L"mdiclient";
    w.OwnModule = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE)) == GetModuleHandleW(nullptr);
    w.IsMessageBox = IsMessageBoxWindow(window);
    RECT r{};
    GetWindowRect(window, &r);
    w.Size = SIZE{r.right - r.left, r.bottom - r.top};
    return w;
}

} // namespace orvo

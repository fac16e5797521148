#include "framework/window/window_class.h"

#include "framework/base/exceptions.h"
#include "framework/base/sysutils.h"
#include "framework/controls/win_control.h"

#include <map>
#include <string>

namespace orvo {

namespace {

// Upper-case class name -> default procedure. Only the user-interface thread registers classes.
std::map<std::wstring, WNDPROC>& RegisteredClasses() {
    static std::map<std::wstring, WNDPROC> classes;
    return classes;
}

} // namespace

WNDPROC RegisterControlClass(const TCreateParams& params, WNDPROC initialProc) {
    const std::wstring key = UpperCase(params.WinClassName);
    if (auto it = RegisteredClasses().find(key); it != RegisteredClasses().end()) return it->second;

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    WNDPROC defaultProc = &DefWindowProcW;
    if (!params.BaseClassName.empty()) {
        if (!GetClassInfoExW(nullptr, params.BaseClassName.c_str(), &wc)) RaiseLastOSError();
        defaultProc = wc.lpfnWndProc;
        wc.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
    } else {
        wc.style = params.ClassStyle;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    }
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = initialProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = params.WinClassName.c_str();
    wc.lpszMenuName = nullptr;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) RaiseLastOSError();
    RegisteredClasses().emplace(key, defaultProc);
    return defaultProc;
}

} // namespace orvo

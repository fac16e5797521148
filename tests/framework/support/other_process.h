// What the tests that drive a program in another process share: paths in Wine's form, waiting
// without pumping (the windows are not this thread's), and asking a window what any program may.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <windows.h>

namespace orvo::test {

// A path of the build (Unix form) as a program under Wine sees it.
inline std::wstring WinePath(const char* unixPath) {
    std::wstring path = L"Z:";
    for (const char* p = unixPath; *p; ++p) path += *p == '/' ? L'\\' : static_cast<wchar_t>(*p);
    return path;
}

// Sleeps until `done` holds (true) or `ms` milliseconds passed (false).
inline bool WaitFor(const std::function<bool()>& done, int ms = 8000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

inline std::wstring ClassOf(HWND w) {
    wchar_t name[101]{};
    GetClassNameW(w, name, 101);
    return name;
}

inline std::wstring TextOf(HWND w) {
    wchar_t text[200]{};
    GetWindowTextW(w, text, 200);
    return text;
}

// A message with at most a WParam, answered within two seconds; -1 when the window does not answer.
inline LRESULT Ask(HWND w, UINT message, WPARAM wParam = 0) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(w, message, wParam, 0, SMTO_ABORTIFHUNG, 2000, &answer)) return -1;
    return static_cast<LRESULT>(answer);
}

} // namespace orvo::test

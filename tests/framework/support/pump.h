// Message pumping for GUI tests: run the application's loop until something happened or a time
// is up, so tests wait for Wine's asynchronous work (activation, posted messages) without sleeping
// blindly.
#pragma once

#include "framework/forms/application.h"

#include <chrono>
#include <functional>
#include <windows.h>

namespace orvo::test {

// Handles messages for `ms` milliseconds.
inline void Pump(int ms = 50) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    do {
        Application->ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (std::chrono::steady_clock::now() < end);
}

// Handles messages until `done` holds (true) or `ms` milliseconds passed (false).
inline bool PumpUntil(const std::function<bool()>& done, int ms = 3000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        Application->ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

// Runs `action` from the message loop, once the messages already waiting have been handled (for
// acting inside a modal loop the test itself starts).
inline void Later(std::function<void()> action) {
    static HWND window = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
            if (m != WM_APP) return DefWindowProcW(w, m, wp, lp);
            auto* run = reinterpret_cast<std::function<void()>*>(lp);
            (*run)();
            delete run;
            return 0;
        };
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"OrvoTestLater";
        RegisterClassExW(&wc);
        return CreateWindowExW(0, L"OrvoTestLater", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    }();
    PostMessageW(window, WM_APP, 0, reinterpret_cast<LPARAM>(new std::function<void()>(std::move(action))));
}

} // namespace orvo::test

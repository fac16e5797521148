// Answers the next dialog box of this thread from a WH_CBT hook: when a "#32770" window is
// activated, `answer` runs on it a moment later, inside the dialog's own message loop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace orvo::test {

class TDialogAnswerer {
public:
    explicit TDialogAnswerer(std::function<void(HWND dialog)> answer) {
        Current() = this;
        FAnswer = std::move(answer);
        FHook = SetWindowsHookExW(WH_CBT, &TDialogAnswerer::Hook, nullptr, GetCurrentThreadId());
    }
    TDialogAnswerer(const TDialogAnswerer&) = delete;
    TDialogAnswerer& operator=(const TDialogAnswerer&) = delete;
    ~TDialogAnswerer() {
        if (FHook) UnhookWindowsHookEx(FHook);
        if (FTimer) KillTimer(nullptr, FTimer);
        Current() = nullptr;
    }

    bool Hooked() const { return FHook != nullptr; }
    HWND Dialog() const { return FDialog; }
    bool Answered() const { return FAnswered; }
    // The answer did not close the dialog: it was cancelled after a few seconds instead.
    bool GaveUp() const { return FGaveUp; }

private:
    static TDialogAnswerer*& Current() {
        static TDialogAnswerer* current = nullptr;
        return current;
    }

    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        TDialogAnswerer* self = Current();
        if (self && code == HCBT_ACTIVATE && !self->FDialog) {
            wchar_t name[32] = {};
            HWND window = reinterpret_cast<HWND>(wParam);
            GetClassNameW(window, name, 32);
            if (std::wstring(name) == L"#32770") {
                self->FDialog = window;
                // A moment later: the dialog fills its controls while it is being shown.
                self->FTimer = SetTimer(nullptr, 0, 200, &TDialogAnswerer::Tick);
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        TDialogAnswerer* self = Current();
        if (!self || self->FAnswered) return;
        self->FTimer = 0;
        self->FAnswered = true;
        self->FAnswer(self->FDialog);
        self->FTimer = SetTimer(nullptr, 0, 5000, &TDialogAnswerer::Watchdog);
    }

    static void CALLBACK Watchdog(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        TDialogAnswerer* self = Current();
        if (!self) return;
        self->FTimer = 0;
        if (!IsWindow(self->FDialog)) return;
        self->FGaveUp = true;
        PostMessageW(self->FDialog, WM_COMMAND, IDCANCEL, 0);
    }

    std::function<void(HWND)> FAnswer;
    HHOOK FHook = nullptr;
    HWND FDialog = nullptr;
    UINT_PTR FTimer = 0;
    bool FAnswered = false;
    bool FGaveUp = false;
};

// Two paths name the same place: compared without case, trailing backslashes ignored.
inline bool SamePath(std::wstring a, std::wstring b) {
    for (std::wstring* p : {&a, &b}) {
        while (p->size() > 3 && p->back() == L'\\')
            p->pop_back();
        CharLowerBuffW(p->data(), static_cast<DWORD>(p->size()));
    }
    return a == b;
}

// Answers this thread's messages for about `ms` milliseconds.
inline void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

// Presses a dialog's button the way a click does.
inline void PressButton(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

} // namespace orvo::test

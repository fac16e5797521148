// Helpers of the list-control tests: a form shown on screen, real mouse clicks and key presses
// (SendInput, so they arrive as a user's would), and the windows a thread owns.
#pragma once

#include "framework/forms/forms.h"
#include "tests/framework/support/pump.h"

#include <windows.h>

#include <vector>

namespace orvo::test {

// A form shown at a fixed place and made the foreground window.
struct TShownForm {
    TForm Form{nullptr};
    explicit TShownForm(int width = 480, int height = 360) {
        Form.SetBounds(60, 60, width, height);
        Form.Show();
        PumpUntil([&] { return IsWindowVisible(Form.Handle()) != FALSE; });
        SetForegroundWindow(Form.Handle());
        Pump(50);
    }
};

// A left click at a point of a window's client area.
inline void ClickAt(HWND window, POINT client) {
    ClientToScreen(window, &client);
    SetCursorPos(client.x, client.y);
    Pump(20);
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
    Pump(60);
}

// Presses and releases a key, with Shift and/or Ctrl held when asked.
inline void PressKey(WORD key, bool shift = false, bool ctrl = false) {
    std::vector<INPUT> inputs;
    const auto add = [&](WORD vk, bool up) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(in);
    };
    if (ctrl) add(VK_CONTROL, false);
    if (shift) add(VK_SHIFT, false);
    add(key, false);
    add(key, true);
    if (shift) add(VK_SHIFT, true);
    if (ctrl) add(VK_CONTROL, true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Pump(60);
}

// Every window of this thread, top-level ones and all their descendants.
inline int ThreadWindowCount() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            auto* n = reinterpret_cast<int*>(param);
            ++*n;
            EnumChildWindows(
                window, [](HWND, LPARAM p) -> BOOL { return ++*reinterpret_cast<int*>(p), TRUE; }, param);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

} // namespace orvo::test

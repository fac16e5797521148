// Helpers of the list-control tests: a form shown on screen, real mouse clicks and key presses
// (SendInput, so they arrive as a user's would), and the windows a thread owns.
#pragma once

#include "framework/forms/forms.h"
#include "tests/framework/support/gdi_count.h"
#include "tests/framework/support/pump.h"

#include <gtest/gtest.h>

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

// Presses the left button at one client point of a window, moves to another in a few steps and
// releases it there.
inline void DragFromTo(HWND window, POINT from, POINT to) {
    ClientToScreen(window, &from);
    ClientToScreen(window, &to);
    SetCursorPos(from.x, from.y);
    Pump(20);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &input, sizeof input);
    Pump(30);
    for (int step = 1; step <= 4; ++step) {
        SetCursorPos(from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4);
        input.mi.dwFlags = MOUSEEVENTF_MOVE;
        SendInput(1, &input, sizeof input);
        Pump(20);
    }
    input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof input);
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

// Runs `cycle` once to warm up, then 30 times, expecting no GDI object and no window left over.
template <class TCycle> void ExpectNoHandlesLeftBy(TCycle&& cycle) {
    cycle();
    const int windows = ThreadWindowCount();
    EXPECT_EQ(GdiObjectsLeakedBy(30, cycle), 0);
    EXPECT_EQ(ThreadWindowCount(), windows);
}

} // namespace orvo::test

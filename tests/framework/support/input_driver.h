// Real user input for GUI tests: mouse clicks and key presses through SendInput (so they pass
// the system's input queue, as a user's do), and a count of the windows a thread owns, for
// checking that controls leave none behind (with GDI objects: ExpectNoLeaks).
#pragma once

#include "tests/framework/support/gdi_count.h"
#include "tests/framework/support/pump.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>
#include <windows.h>

namespace orvo::test {

// A left click at a screen point.
inline void ClickAt(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    Pump(30);
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
    Pump(80);
}

// Moves the pointer to a screen point as a mouse does (a move event, not a jump).
inline void MoveTo(POINT screen) {
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = static_cast<LONG>((screen.x * 65536LL + 32768) / GetSystemMetrics(SM_CXSCREEN));
    move.mi.dy = static_cast<LONG>((screen.y * 65536LL + 32768) / GetSystemMetrics(SM_CYSCREEN));
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &move, sizeof(INPUT));
    Pump(20);
}

// Presses the left button at `from`, moves in steps to `to` and lets go there.
inline void DragFromTo(POINT from, POINT to, int steps = 8) {
    MoveTo(from);
    INPUT button{};
    button.type = INPUT_MOUSE;
    button.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &button, sizeof(INPUT));
    Pump(30);
    for (int i = 1; i <= steps; ++i)
        MoveTo(POINT{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
    button.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &button, sizeof(INPUT));
    Pump(80);
}

// A left click at a point of a window's client area.
inline void ClickAt(HWND window, POINT client) {
    ClientToScreen(window, &client);
    ClickAt(client);
}

// Presses the keys in order and releases them in reverse (a chord such as Ctrl+Tab).
inline void PressChord(std::initializer_list<WORD> keys) {
    std::vector<INPUT> input;
    for (WORD key : keys) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        input.push_back(down);
    }
    for (auto it = keys.end(); it != keys.begin();) {
        INPUT up{};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = *--it;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        input.push_back(up);
    }
    SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
    Pump(80);
}

// The windows of this thread, top-level ones and all their descendants.
inline int WindowsInUse() {
    struct TCounter {
        static BOOL CALLBACK Child(HWND, LPARAM count) {
            ++*reinterpret_cast<int*>(count);
            return TRUE;
        }
        static BOOL CALLBACK Top(HWND window, LPARAM count) {
            ++*reinterpret_cast<int*>(count);
            EnumChildWindows(window, &Child, count);
            return TRUE;
        }
    };
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), &TCounter::Top, reinterpret_cast<LPARAM>(&count));
    return count;
}

// Runs `cycle` once (lazily made system objects), then `times` more times, and expects no window
// and no GDI object left behind by those.
template <typename TCycle> void ExpectNoLeaks(int times, TCycle&& cycle) {
    cycle();
    const int windows = WindowsInUse();
    EXPECT_EQ(GdiObjectsLeakedBy(times, cycle), 0);
    EXPECT_EQ(WindowsInUse(), windows);
}

} // namespace orvo::test

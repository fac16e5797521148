// Real user input for control tests: the pointer moved and clicked, keys pressed through
// SendInput, so the platform's own tracking (scroll bars, up-down arrows, list selection) runs as
// it does for a user. Also a form shown at a fixed place in the foreground.
#pragma once

#include "framework/forms/forms.h"
#include "tests/framework/support/pump.h"

#include <vector>
#include <windows.h>

namespace orvo::test {

inline void SendMouse(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

// Moves the pointer to a screen point and lets the windows see it.
inline void PointAt(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    SendMouse(MOUSEEVENTF_MOVE); // a move event at the new place
    Pump(30);
}

// A left click at a point of `window`'s client area.
inline void ClickAt(HWND window, POINT client, bool doubleClick = false) {
    ClientToScreen(window, &client);
    PointAt(client);
    for (int i = 0; i < (doubleClick ? 2 : 1); ++i) {
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        SendMouse(MOUSEEVENTF_LEFTUP);
    }
    Pump(80);
}

// Presses the left button at a client point, moves to another and releases there, all queued at
// once: the platform's own tracking loop (a scroll bar's thumb) runs inside the dispatch of the
// press and must find the moves and the release already waiting.
inline void DragFromTo(HWND window, POINT from, POINT to) {
    ClientToScreen(window, &from);
    ClientToScreen(window, &to);
    PointAt(from);
    const int width = GetSystemMetrics(SM_CXSCREEN) - 1;
    const int height = GetSystemMetrics(SM_CYSCREEN) - 1;
    const auto absolute = [&](POINT p) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = p.x * 65535 / width;
        input.mi.dy = p.y * 65535 / height;
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        return input;
    };
    std::vector<INPUT> inputs;
    INPUT down{};
    down.type = INPUT_MOUSE;
    down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs.push_back(down);
    const int steps = 5;
    for (int i = 1; i <= steps; ++i)
        inputs.push_back(absolute(POINT{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps}));
    INPUT up = down;
    up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    inputs.push_back(up);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Pump(150);
}

inline void PressKey(WORD key) {
    INPUT input[2]{};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = key;
    input[1] = input[0];
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
    Pump(60);
}

inline void TypeText(const wchar_t* text) {
    for (; *text; ++text) {
        INPUT input[2]{};
        input[0].type = INPUT_KEYBOARD;
        input[0].ki.wScan = *text;
        input[0].ki.dwFlags = KEYEVENTF_UNICODE;
        input[1] = input[0];
        input[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        SendInput(2, input, sizeof(INPUT));
    }
    Pump(80);
}

// A form shown at a fixed place, in the foreground, freed with the test.
struct TShownForm {
    TForm Form{nullptr};
    explicit TShownForm(int width = 420, int height = 320) {
        Form.SetBounds(60, 60, width, height);
        Form.Show();
        PumpUntil([&] { return IsWindowVisible(Form.Handle()) != FALSE; });
        SetForegroundWindow(Form.Handle());
        Pump(50);
    }
};

template <class T> T* AddControl(TWinControl* parent, int left, int top, int width, int height) {
    auto* control = new T(parent);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

} // namespace orvo::test

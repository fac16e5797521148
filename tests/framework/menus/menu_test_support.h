// Helpers of the menu tests: a plain window that hands its menu messages to a TMenu as a form
// does, message pumping, and keys pressed inside a menu that is about to be tracked.
#pragma once

#include "framework/menus/menus.h"
#include "tests/framework/support/pump.h"

#include <windows.h>

#include <string>
#include <vector>

namespace orvo::test {

class TMenuTestWindow {
public:
    TMenuTestWindow() {
        static const ATOM atom = [] {
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof(wc);
            wc.lpfnWndProc = &TMenuTestWindow::Proc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"OrvoMenuTestWindow";
            return RegisterClassExW(&wc);
        }();
        (void)atom;
        FHandle = CreateWindowExW(0, L"OrvoMenuTestWindow", L"menu test", WS_OVERLAPPEDWINDOW, 10, 10, 300,
                                  200, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    }
    TMenuTestWindow(const TMenuTestWindow&) = delete;
    TMenuTestWindow& operator=(const TMenuTestWindow&) = delete;
    ~TMenuTestWindow() {
        Attach(nullptr);
        DestroyWindow(FHandle);
    }

    HWND Handle() const { return FHandle; }
    // What a form does with its Menu property.
    void Attach(TMenu* menu) {
        if (FMenu) FMenu->SetWindowHandle(nullptr);
        FMenu = menu;
        if (menu) {
            SetMenu(FHandle, menu->GetHandle());
            menu->SetWindowHandle(FHandle);
        }
    }

    int MenuChanges = 0;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE)
            SetWindowLongPtrW(
                window, GWLP_USERDATA,
                reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        auto* self = reinterpret_cast<TMenuTestWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && self->FMenu) {
            TMenu& menu = *self->FMenu;
            switch (message) {
            case WM_COMMAND:
                if (HIWORD(wParam) == 0 && lParam == 0 && menu.DispatchCommand(LOWORD(wParam))) return 0;
                break;
            case WM_INITMENUPOPUP:
                if (menu.DispatchPopup(reinterpret_cast<HMENU>(wParam))) return 0;
                break;
            case WM_DRAWITEM:
                if (menu.DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam))) return TRUE;
                break;
            case WM_MEASUREITEM:
                if (menu.MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return TRUE;
                break;
            default:
                break;
            }
        }
        if (self && message == CM_MENUCHANGED) ++self->MenuChanges;
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND FHandle = nullptr;
    TMenu* FMenu = nullptr;
};

// Presses `keys`, in order, in the next menu window that shows (a timer of this thread watches
// for it while the menu's own loop runs). Gives up after about 5 s, pressing Escape to any menu.
inline void PressKeysInNextMenu(std::vector<WORD> keys) {
    struct TState {
        std::vector<WORD> Keys;
        DWORD Start = 0;
    };
    static TState state;
    state = TState{std::move(keys), GetTickCount()};
    SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR id, DWORD) {
        HWND menu = FindWindowW(L"#32768", nullptr);
        const bool late = GetTickCount() - state.Start > 5000;
        if (!menu || !IsWindowVisible(menu)) {
            if (late) KillTimer(nullptr, id);
            return;
        }
        KillTimer(nullptr, id);
        if (late) state.Keys = {VK_ESCAPE, VK_ESCAPE, VK_ESCAPE};
        for (WORD key : state.Keys)
            PostMessageW(menu, WM_KEYDOWN, key, 0);
    });
}

// The native entry at `position`: text, type and state.
struct TNativeEntry {
    std::wstring Text;
    UINT Type = 0;
    UINT State = 0;
    UINT Id = 0;
    HMENU SubMenu = nullptr;
    ULONG_PTR Data = 0;
};

inline TNativeEntry NativeEntry(HMENU menu, int position) {
    wchar_t text[256] = {};
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | MIIM_STRING;
    mii.dwTypeData = text;
    mii.cch = 255;
    TNativeEntry entry;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &mii)) return entry;
    entry.Text = text;
    entry.Type = mii.fType;
    entry.State = mii.fState;
    entry.Id = mii.wID;
    entry.SubMenu = mii.hSubMenu;
    entry.Data = mii.dwItemData;
    return entry;
}

inline std::vector<std::wstring> NativeTexts(HMENU menu) {
    std::vector<std::wstring> texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
        texts.push_back(NativeEntry(menu, i).Text);
    return texts;
}

} // namespace orvo::test

// The system's high-contrast mode, which people with low vision depend on: while it is on the skin
// steps aside and every window shows the platform's look in the user's colours (skin_manager.h).
//
// HighContrastOn asks the system (SPI_GETHIGHCONTRAST, HCF_HIGHCONTRASTON) unless a program or a
// test has put its own question in its place: some platforms never turn the mode on (Wine refuses
// SPI_SETHIGHCONTRAST), and the engine must still be driven through both states.
//
// THighContrastWatch is a hidden top-level window, made when the manager installs its hook: the
// system tells top-level windows of a change of the mode with WM_SETTINGCHANGE (WParam
// SPI_SETHIGHCONTRAST), also when no window of the program is skinned to hear it.
#pragma once

#include <functional>
#include <windows.h>

namespace orvo {

// What the system says now.
bool SystemHighContrast();
// The question the manager asks; an empty function puts the system's back.
void SetHighContrastQuery(std::function<bool()> query);
bool HighContrastOn();

class THighContrastWatch {
public:
    // `changed` runs on each notice of a change of the mode (whether it really changed is the
    // caller's to ask).
    explicit THighContrastWatch(std::function<void()> changed);
    ~THighContrastWatch();
    THighContrastWatch(const THighContrastWatch&) = delete;
    THighContrastWatch& operator=(const THighContrastWatch&) = delete;

    HWND Handle() const noexcept { return FWindow; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND FWindow = nullptr;
    std::function<void()> FChanged;
};

} // namespace orvo

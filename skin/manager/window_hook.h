// The user-interface thread's WH_CBT hook, the one place where it is installed and removed, and
// the window filter the manager runs before it skins a window. The filter's class rules are plain
// functions of a window's class name and styles, tested without windows.
#pragma once

#include <string>
#include <windows.h>

namespace orvo {

class TSkinData;

// The CBT hook of the calling thread; installing twice keeps the first. After RemoveWindowHook a
// call that still arrives is passed straight on.
void InstallWindowHook();
void RemoveWindowHook();
bool WindowHookInstalled() noexcept;

// The parts of the window filter that depend on names and styles only.
struct TWindowFacts {
    std::wstring ClassName;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    bool ParentIsMdiClient = false;
    bool OwnModule = false;      // the window's instance is the program's own
    bool FrameworkForm = false;  // a framework form stands behind it
    bool IsMessageBox = false;   // a platform message box (see IsMessageBoxWindow)
    int FormTag = 0;             // the framework form's Tag
    SIZE Size{};
};

// A child window that is not an MDI child.
bool IsPlainChild(const TWindowFacts& w) noexcept;
// The filter steps that need no skin component: child windows (unless `scanning`), other modules'
// windows that are not dialog boxes, empty windows, Tag 99 forms, the class names never skinned.
bool PassesWindowFilter(const TWindowFacts& w, bool scanning) noexcept;
// The main skin component's class rules and veto (`data` may be null: everything passes).
bool MayBeSkinned(HWND window, const TWindowFacts& w, TSkinData* data);
// The platform's message box: a dialog box with the message text (static control 0xFFFF).
bool IsMessageBoxWindow(HWND window) noexcept;
// Reads the facts of a live window.
TWindowFacts WindowFactsOf(HWND window);

} // namespace orvo

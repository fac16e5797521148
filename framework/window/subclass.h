// Taking over a window the framework does not own (a message box, a common dialog, the inner
// window of a native control): its window procedure is replaced by a thunk that calls a message
// method, and the method passes on what it does not consume with CallDefault. ANSI and Unicode
// windows keep their kind: the A or W functions are used as the window is.
//
// Detach puts back exactly the procedure that was there. When another subclasser has replaced
// the procedure after this one, putting ours back would cut it out: then the thunk stays in the
// chain, passing every message straight on, until the window is destroyed. When the window dies
// first, the method sees WM_NCDESTROY (pass it on with CallDefault), the old procedure is put back
// and the object counts as detached; a later Detach does nothing.
//
//     TWindowSubclass FSubclass;
//     FSubclass.Attach(dialog, [this](TMessage& m) {
//         if (m.Msg == WM_ERASEBKGND) { PaintBackground(m); return; }
//         FSubclass.CallDefault(m);
//     });
#pragma once

#include "framework/window/messages.h"

#include <windows.h>

namespace orvo {

struct TSubclassRecord;

class TWindowSubclass {
public:
    TWindowSubclass() = default;
    ~TWindowSubclass();
    TWindowSubclass(const TWindowSubclass&) = delete;
    TWindowSubclass& operator=(const TWindowSubclass&) = delete;

    // False when the window does not exist, belongs to another process, or this object is
    // attached already. An exception escaping the method goes to HandleException.
    bool Attach(HWND window, TWndMethod method);
    void Detach() noexcept;

    bool Attached() const noexcept { return FRecord != nullptr; }
    // The window last attached to (kept after detaching).
    HWND Handle() const noexcept { return FWindow; }
    // The window was Unicode when attached (W functions are used for it).
    bool Unicode() const noexcept { return FUnicode; }
    // The procedure that was replaced (kept after detaching, so a method that detaches while it
    // handles a message can still pass that message on).
    WNDPROC OldWndProc() const noexcept { return FOldProc; }
    // The thunk installed in the window; null when not attached.
    WNDPROC WndProcThunk() const noexcept;

    // Hands a message to the replaced procedure and stores its answer in Result; 0 when this
    // object was never attached.
    void CallDefault(TMessage& message) const;
    LRESULT CallDefault(UINT message, WPARAM wParam, LPARAM lParam) const;

private:
    friend struct TSubclassRecord;
    TSubclassRecord* FRecord = nullptr;
    HWND FWindow = nullptr;
    WNDPROC FOldProc = nullptr;
    bool FUnicode = false;
};

} // namespace orvo

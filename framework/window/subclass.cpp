#include "framework/window/subclass.h"

#include "framework/base/exceptions.h"
#include "framework/window/wnd_proc_thunk.h"

#include <memory>

namespace orvo {

// Shared by the thunk and the object; lives until both are done with it: the object detached
// (or died) and the thunk left the window's chain, with no message under way.
struct TSubclassRecord {
    TSubclassRecord(HWND window, bool unicode, TWndMethod method, TWindowSubclass* owner)
        : Window(window), Unicode(unicode), Method(std::move(method)), Owner(owner), Thunk(&Proc, this) {}

    HWND Window;
    bool Unicode;
    WNDPROC OldProc = nullptr;
    // Kept until the record dies, so that detaching from inside the method never destroys the
    // method while it runs; only called while Owner is set.
    TWndMethod Method;
    TWindowSubclass* Owner;
    TWndProcThunk Thunk;
    int Depth = 0;        // messages under way
    bool InChain = false; // the thunk may still be called by the window

    WNDPROC CurrentProc() const {
        return reinterpret_cast<WNDPROC>(Unicode ? GetWindowLongPtrW(Window, GWLP_WNDPROC)
                                                 : GetWindowLongPtrA(Window, GWLP_WNDPROC));
    }
    void SetProc(WNDPROC proc) const {
        const auto value = reinterpret_cast<LONG_PTR>(proc);
        if (Unicode)
            SetWindowLongPtrW(Window, GWLP_WNDPROC, value);
        else
            SetWindowLongPtrA(Window, GWLP_WNDPROC, value);
    }
    LRESULT CallOld(UINT message, WPARAM wParam, LPARAM lParam) const {
        return Unicode ? CallWindowProcW(OldProc, Window, message, wParam, lParam)
                       : CallWindowProcA(OldProc, Window, message, wParam, lParam);
    }
    // Takes the thunk out when it is on top of the chain; false when another procedure sits above.
    bool Unhook() {
        if (!InChain) return true;
        if (IsWindow(Window) && CurrentProc() != Thunk.Proc()) return false;
        if (IsWindow(Window)) SetProc(OldProc);
        InChain = false;
        return true;
    }
    bool Finished() const { return !Owner && !InChain && Depth == 0; }

    static LRESULT CALLBACK Proc(void* context, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = static_cast<TSubclassRecord*>(context);
        ++self->Depth;
        TMessage m{message, wParam, lParam, 0};
        if (self->Owner) {
            try {
                self->Method(m);
            } catch (...) {
                HandleException(nullptr);
            }
        } else {
            m.Result = self->CallOld(message, wParam, lParam);
        }
        if (message == WM_NCDESTROY) self->WindowDestroyed();
        --self->Depth;
        if (self->Finished()) delete self;
        return m.Result;
    }

    void WindowDestroyed() {
        if (IsWindow(Window) && CurrentProc() == Thunk.Proc()) SetProc(OldProc);
        InChain = false;
        if (Owner) Owner->FRecord = nullptr;
        Owner = nullptr;
    }
};

TWindowSubclass::~TWindowSubclass() {
    Detach();
}

bool TWindowSubclass::Attach(HWND window, TWndMethod method) {
    if (FRecord || !window || !IsWindow(window)) return false;
    DWORD process = 0;
    if (!GetWindowThreadProcessId(window, &process) || process != GetCurrentProcessId()) return false;
    auto record =
        std::make_unique<TSubclassRecord>(window, IsWindowUnicode(window) != FALSE, std::move(method), this);
    record->OldProc = record->CurrentProc();
    record->SetProc(record->Thunk.Proc());
    if (record->CurrentProc() != record->Thunk.Proc()) return false;
    record->InChain = true;
    FWindow = window;
    FOldProc = record->OldProc;
    FUnicode = record->Unicode;
    FRecord = record.release();
    return true;
}

void TWindowSubclass::Detach() noexcept {
    TSubclassRecord* record = FRecord;
    if (!record) return;
    FRecord = nullptr;
    record->Owner = nullptr;
    record->Unhook(); // when it cannot, the thunk forwards until the window dies
    if (record->Finished()) delete record;
}

WNDPROC TWindowSubclass::WndProcThunk() const noexcept {
    return FRecord ? FRecord->Thunk.Proc() : nullptr;
}

void TWindowSubclass::CallDefault(TMessage& message) const {
    message.Result = CallDefault(message.Msg, message.WParam, message.LParam);
}

LRESULT TWindowSubclass::CallDefault(UINT message, WPARAM wParam, LPARAM lParam) const {
    if (!FOldProc) return 0;
    return FUnicode ? CallWindowProcW(FOldProc, FWindow, message, wParam, lParam)
                    : CallWindowProcA(FOldProc, FWindow, message, wParam, lParam);
}

} // namespace orvo

// A window procedure bound to an object: a few bytes of machine code that put a context pointer
// in place of the window handle and jump to a static function. Windows of framework controls and
// bare windows taken over by TWindowSubclass call their objects through such thunks, which costs
// nothing per message (no lookup of the window's object).
#pragma once

#include <windows.h>

namespace orvo {

class TWndProcThunk {
public:
    // Receives the context instead of the window handle.
    using TTarget = LRESULT(CALLBACK*)(void* context, UINT message, WPARAM wParam, LPARAM lParam);

    // Throws EOutOfResources when no executable memory is left.
    TWndProcThunk(TTarget target, void* context);
    ~TWndProcThunk();
    TWndProcThunk(const TWndProcThunk&) = delete;
    TWndProcThunk& operator=(const TWndProcThunk&) = delete;

    WNDPROC Proc() const noexcept;

private:
    void* FCode = nullptr;
};

} // namespace orvo

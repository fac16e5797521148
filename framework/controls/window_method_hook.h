// Chaining a control's window method (TControl::WindowProc) the way TWindowSubclass chains a
// window procedure: the method sees every message first and passes on what it does not consume
// with CallDefault, which calls the window method that was in place before.
//
// Detach puts that previous method back when this hook is still the control's current method.
// When something chained itself in later, putting ours back would cut it out: then this hook stays
// in the chain as a pass-through until the control dies. Detaching from inside the method is
// safe (the message under way finishes, and CallDefault still reaches the previous method).
//
// The hook must not outlive its control unless it was detached first; a skin object owned by the
// control it skins is freed while the control is still whole, so its destructor may detach.
#pragma once

#include "framework/window/messages.h"

#include <memory>

namespace orvo {

class TControl;

class TWindowMethodHook {
public:
    TWindowMethodHook() = default;
    ~TWindowMethodHook();
    TWindowMethodHook(const TWindowMethodHook&) = delete;
    TWindowMethodHook& operator=(const TWindowMethodHook&) = delete;

    // False when the control is null or this hook is attached already.
    bool Attach(TControl* control, TWndMethod method);
    void Detach() noexcept;
    bool Attached() const noexcept { return FRecord != nullptr; }
    TControl* Control() const noexcept;
    // This hook is the control's current window method (nothing chained in after it).
    bool OnTop() const noexcept;

    // Hands the message to the previous window method (Result is its answer); nothing when this
    // hook was never attached.
    void CallDefault(TMessage& message) const;

    struct TRecord;

private:
    std::shared_ptr<TRecord> FRecord;
    // Kept after detaching, so a method that detached can still pass its message on.
    std::shared_ptr<TRecord> FLast;
};

} // namespace orvo

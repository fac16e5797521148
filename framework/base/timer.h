// TTimer: OnTimer every Interval milliseconds while Enabled (and Interval > 0). All timers share
// one hidden message-only window of the thread that created the first timer (the user-interface
// thread), so they fire from that thread's message loop. A timer may be freed from its own
// OnTimer. An exception escaping OnTimer goes to HandleException.
#pragma once

#include "framework/base/component.h"

#include <cstdint>
#include <windows.h>

namespace orvo {

template <class T> class TPublisher;

class TTimer : public TComponent {
    ORVO_CLASS(TTimer, TComponent)
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const noexcept { return FEnabled; }
    void SetEnabled(bool enabled);
    std::uint32_t Interval() const noexcept { return FInterval; }
    void SetInterval(std::uint32_t interval);
    // The window that receives WM_TIMER for every timer.
    static HWND UtilityWindow();

    TNotifyEvent OnTimer;

    static void Publish(TPublisher<TTimer>& p);

protected:
    virtual void Timer();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void UpdateTimer();

    bool FEnabled = true;
    std::uint32_t FInterval = 1000;
    UINT_PTR FId = 0; // unique per timer, never reused, so a late WM_TIMER finds nobody
    bool FRunning = false;
};

} // namespace orvo

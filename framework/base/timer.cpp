#include "framework/base/timer.h"

#include "framework/base/exceptions.h"
#include "framework/base/properties.h"

#include <map>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TTimer);

namespace {

constexpr wchar_t UtilityClassName[] = L"OrvoUtilityWindow";

// Live timers by id; only the owning (user-interface) thread touches it.
std::map<UINT_PTR, TTimer*>& Timers() {
    static std::map<UINT_PTR, TTimer*> timers;
    return timers;
}

UINT_PTR NextId() {
    static UINT_PTR last = 0;
    return ++last;
}

} // namespace

void TTimer::Publish(TPublisher<TTimer>& p) {
    p.Boolean(L"Enabled", &TTimer::Enabled, &TTimer::SetEnabled);
    p.Integer(L"Interval", &TTimer::Interval, &TTimer::SetInterval);
    p.Event(L"OnTimer", &TTimer::OnTimer);
}

TTimer::TTimer(TComponent* owner) : TComponent(owner), FId(NextId()) {
    UpdateTimer();
    Timers()[FId] = this;
}

TTimer::~TTimer() {
    if (FRunning) KillTimer(UtilityWindow(), FId);
    Timers().erase(FId);
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == FEnabled) return;
    FEnabled = enabled;
    UpdateTimer();
}

void TTimer::SetInterval(std::uint32_t interval) {
    if (interval == FInterval) return;
    FInterval = interval;
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    HWND window = UtilityWindow();
    if (FRunning) KillTimer(window, FId);
    FRunning = false;
    if (!FEnabled || FInterval == 0) return;
    if (!SetTimer(window, FId, FInterval, nullptr)) throw EOutOfResources(L"Not enough timers available");
    FRunning = true;
}

void TTimer::Timer() {
    // A copy: the handler may free this timer, and with it OnTimer.
    if (TNotifyEvent handler = OnTimer) handler(this);
}

HWND TTimer::UtilityWindow() {
    static HWND window = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &TTimer::WindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = UtilityClassName;
        RegisterClassExW(&wc);
        HWND w = CreateWindowExW(0, UtilityClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        if (!w) throw EOutOfResources(L"Cannot create the framework's utility window");
        return w;
    }();
    return window;
}

LRESULT CALLBACK TTimer::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_TIMER) return DefWindowProcW(window, message, wParam, lParam);
    auto it = Timers().find(static_cast<UINT_PTR>(wParam));
    if (it == Timers().end()) return 0;
    TTimer* timer = it->second;
    if (!timer->FRunning) return 0; // posted before it was stopped
    try {
        timer->Timer();
    } catch (...) {
        HandleException(timer);
    }
    return 0;
}

} // namespace orvo

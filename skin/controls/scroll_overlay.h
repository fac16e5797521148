// TWScrollbar, the overlay: a small window of the skin's laid exactly over one scroll bar of a
// control (GetScrollBarInfo's rectangle), directly above the control in its parent's z-order, and
// painted from the skin. It scrolls nothing itself: a press on it is handed to the covered bar
// (WM_NCLBUTTONDOWN with the bar's hit code on the control, or the press on a scroll bar control),
// whose own tracking repeats, drags the thumb and notifies the control; the overlay repaints from
// the bar's state meanwhile. No timers of its own: the platform's are used.
//
// Kind 0 covers a control's horizontal bar, 1 its vertical bar, 2 a scroll bar control as a whole.
// A framework window placed with ParentWindow, so no control walk finds it; it answers the
// already-skinned query. An overlay pressed while its owner goes (a timer or posted message
// freeing the control during the platform's tracking) is hidden and freed only after the tracking
// has returned.
#pragma once

#include "framework/controls/win_control.h"
#include "skin/controls/scroll_bar_look.h"

#include <cstdint>
#include <memory>

namespace orvo {

class TSkinControl;

class TWScrollbar : public TCustomControl {
    ORVO_CLASS(TWScrollbar, TCustomControl)
public:
    explicit TWScrollbar(TSkinControl* skinOwner);
    ~TWScrollbar() override;

    void AttachToControl(TSkinControl* skinOwner, TControl* control, int kind);
    void AttachToWindow(TSkinControl* skinOwner, HWND window, int kind);
    void HideBar();
    void UpdatePosition(HWND window);
    int HitTest(POINT p) const noexcept;
    bool ReadBarInfo(SCROLLBARINFO& info);
    void TrackThumb();
    // Marks the part the platform's tracking operates (a WM_HSCROLL / WM_VSCROLL request code).
    void ScrollRequest(int code);
    // Repaints when the bar's state differs from the last paint's.
    void RefreshIfChanged();

    // Frees an overlay, or, while the platform tracks a press on it, hides it and frees it once
    // the tracking has returned. `bar` is cleared either way.
    static void Release(TWScrollbar*& bar) noexcept;

    int BarLength = 0;
    int ThumbStart = 0;
    int ThumbEnd = 0;
    POINT BarOrigin{};
    POINT DragCursor{};
    int DragThumbStart = 0;
    bool Pressed = false;
    int Vertical = 0;
    int HotPart = shNone;
    int ButtonSize = 0;
    HWND Target = nullptr;
    TControl* TargetControl = nullptr;
    TSkinControl* SkinOwner = nullptr;
    std::uint8_t Kind = 0;
    RECT BarRect{};
    bool Showing = false;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void Paint() override;

private:
    void HoverAt(const TMessage& message);
    void HoverEnd();
    void PressAt(TMessage& message);
    void ReleaseAt(TMessage& message);
    void PlaceAt(POINT p, SIZE size);
    // The state the last paint showed, to tell whether a repaint is due.
    struct TShown {
        int Pos = 0, Min = 0, Max = 0, Page = 0, State = 0;
        bool operator==(const TShown&) const = default;
    };
    TShown CurrentState();
    TShown FShown{};
    bool FAbandoned = false;
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

} // namespace orvo

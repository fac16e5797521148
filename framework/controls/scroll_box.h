// Scrolling containers and frames.
//
// Classes in this file:
//   TControlScrollBar     one scroll bar of a scrolling container: its range, position, line step
//                         and whether it may show
//   TScrollingWinControl  a container whose content scrolls: the bars show when the content
//                         (its controls' extent, or the bars' Range) is larger than the client
//                         area, and scrolling moves the controls
//   TScrollBox            the scrolling container placed on forms, with a sunken border
//   TCustomFrame, TFrame  a container read from a stored description of its own (the frame's
//                         class, like a form's): placed on forms any number of times, each
//                         instance owning its own controls
//
// The bars are the window's own (WS_HSCROLL / WS_VSCROLL), so code that looks at a window's style
// and scroll information sees them. The extent is measured when the container is resized or
// shown, when a child window is made, when AutoScroll or a Range changes, and on UpdateScrollBars
// (call it after moving controls from code). With AutoScroll, a control inside that gets the focus
// is scrolled into view.
//
// A frame class is written like a form class (published fields and methods, a stored description
// compiled in under its class name) and created with CreateFrame<T>(owner), or by name from a
// stored form (`object Frame1: TfrmAddress`). Its description's root name is taken when free among
// its owner's components, else a numbered one ("frmAddress2"), so instances never clash.
#pragma once

#include "framework/controls/win_control.h"

#include <memory>

namespace orvo {

class TScrollingWinControl;

class TControlScrollBar : public TPersistent {
    ORVO_CLASS(TControlScrollBar, TPersistent)
public:
    TControlScrollBar(TScrollingWinControl& control, bool horizontal) : FControl(control), FHorizontal(horizontal) {}

    bool Horizontal() const noexcept { return FHorizontal; }
    // The content's size along the bar; 0 (with AutoScroll) measures the controls instead.
    // Lengths are pixels at the control's DPI.
    int Range() const noexcept;
    void SetRange(int range);
    // How far the content is scrolled (0 .. range - client size).
    int Position() const noexcept { return FPosition; }
    void SetPosition(int position);
    // The step of the bar's arrows (a page is the client size).
    int Increment() const noexcept;
    void SetIncrement(int increment);
    // The bar may show at all.
    bool Visible() const noexcept { return FVisible; }
    void SetVisible(bool visible);
    // The content follows the thumb while it is dragged (otherwise when it is let go).
    bool Tracking() const noexcept { return FTracking; }
    void SetTracking(bool tracking) noexcept { FTracking = tracking; }
    // Space kept beyond the farthest control when the range is measured.
    int Margin() const noexcept;
    void SetMargin(int margin);
    // The bar shows now.
    bool IsScrollBarVisible() const noexcept { return FShown; }

    void Assign(TPersistent* source) override;
    static void Publish(TPublisher<TControlScrollBar>& p);

private:
    friend class TScrollingWinControl;
    TScrollingWinControl& FControl;
    bool FHorizontal;
    TScaledLength FRange{0};
    int FPosition = 0;
    TScaledLength FIncrement{8};
    bool FVisible = true;
    bool FTracking = true;
    TScaledLength FMargin{0};
    bool FShown = false;
    int FExtent = 0;  // the range in force (Range, or the measured one)
    int FApplied = 0; // how far the controls are moved now
};

class TScrollingWinControl : public TCustomControl {
    ORVO_CLASS(TScrollingWinControl, TCustomControl)
public:
    explicit TScrollingWinControl(TComponent* owner);
    ~TScrollingWinControl() override;

    bool AutoScroll() const noexcept { return FAutoScroll; }
    void SetAutoScroll(bool value);
    TControlScrollBar* HorzScrollBar() noexcept { return FHorzScrollBar.get(); }
    void SetHorzScrollBar(TControlScrollBar* bar);
    TControlScrollBar* VertScrollBar() noexcept { return FVertScrollBar.get(); }
    void SetVertScrollBar(TControlScrollBar* bar);
    // Measures the content again and shows, hides and sets the bars.
    void UpdateScrollBars();
    // Scrolls so that the control (inside this one, at any depth) is fully visible if it fits.
    void ScrollInView(TControl* control);
    // Scrolls the content to these positions (clamped to the ranges).
    void ScrollTo(int x, int y);

protected:
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void Loaded() override;
    // The content unscrolled, scaled, then scrolled as far again at the new scale.
    void ChangeScale(int oldDpi, int newDpi) override;

private:
    friend class TControlScrollBar;
    void ScrollBy(int dx, int dy);
    void HandleScroll(TControlScrollBar& bar, WORD code);
    int ClientSize(const TControlScrollBar& bar);

    bool FAutoScroll = true;
    bool FUpdating = false;
    std::unique_ptr<TControlScrollBar> FHorzScrollBar;
    std::unique_ptr<TControlScrollBar> FVertScrollBar;
};

// What a scrolling container publishes.
template <class T> void PublishScrolling(TPublisher<T>& p) {
    p.Boolean(L"AutoScroll", &T::AutoScroll, &T::SetAutoScroll);
    p.Object(L"HorzScrollBar", &T::HorzScrollBar, &T::SetHorzScrollBar);
    p.Object(L"VertScrollBar", &T::VertScrollBar, &T::SetVertScrollBar);
}

class TScrollBox : public TScrollingWinControl {
    ORVO_CLASS(TScrollBox, TScrollingWinControl)
public:
    explicit TScrollBox(TComponent* owner);

    TBorderStyle BorderStyle() const noexcept { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle style);

    static void Publish(TPublisher<TScrollBox>& p);

protected:
    void CreateParams(TCreateParams& params) override;

private:
    TBorderStyle FBorderStyle = bsSingle;
};

class TCustomFrame : public TScrollingWinControl {
    ORVO_CLASS(TCustomFrame, TScrollingWinControl)
public:
    explicit TCustomFrame(TComponent* owner);

    // The second step of creation (CreateFrame and creation by name do it): reads the frame's
    // stored description when one is compiled in under its class name. Read errors throw.
    virtual void AfterConstruction();
};

class TFrame : public TCustomFrame {
    ORVO_CLASS(TFrame, TCustomFrame)
public:
    explicit TFrame(TComponent* owner);
    static void Publish(TPublisher<TFrame>& p);
};

// Constructs a frame of class T, then reads its stored description. Throws what reading throws
// (the frame is freed again).
template <class T> T* CreateFrame(TComponent* owner) {
    std::unique_ptr<T> frame(new T(owner));
    frame->AfterConstruction();
    return frame.release();
}

} // namespace orvo

// Track bars over the native msctls_trackbar32 class: a thumb that slides along a channel between
// Min and Max, with tick marks and an optional selected range.
//
// Position, range, ticks and selection live in the control and are written into each new window,
// so a re-created window (a new Orientation, TickMarks or TickStyle) keeps them. OnChange fires
// whenever Position changes, from the mouse, the keyboard or code (not while the form is read).
//
// Custom drawing: the native control asks its parent with NM_CUSTOMDRAW, which arrives here as
// CN_NOTIFY; a window method chained in front of the control's may answer it (the control itself
// answers CDRF_DODEFAULT, leaving the platform's look).
#pragma once

#include "framework/controls/win_control.h"

#include <vector>

namespace orvo {

enum TTrackBarOrientation : std::uint8_t { trHorizontal, trVertical };
const TEnumType& TrackBarOrientationType();

// Where the tick marks stand: below or right of the channel, above or left, or on both sides.
enum TTickMark : std::uint8_t { tmBottomRight, tmTopLeft, tmBoth };
const TEnumType& TickMarkType();

// tsAuto: a tick every Frequency positions; tsManual: the ends and those added with SetTick.
enum TTickStyle : std::uint8_t { tsNone, tsAuto, tsManual };
const TEnumType& TickStyleType();

class TTrackBar : public TWinControl {
    ORVO_CLASS(TTrackBar, TWinControl)
public:
    explicit TTrackBar(TComponent* owner);

    // Changing it turns the control: width and height swap (not while the form is read).
    TTrackBarOrientation Orientation() const noexcept { return FOrientation; }
    void SetOrientation(TTrackBarOrientation orientation);
    // Setting Min above Max (or Max below Min) moves the other end with it; Position stays inside.
    int Min() const noexcept { return FMin; }
    void SetMin(int value);
    int Max() const noexcept { return FMax; }
    void SetMax(int value);
    int Position() const noexcept { return FPosition; }
    void SetPosition(int value);
    // How far PgUp/PgDn (and a click on the channel) and the arrow keys move the thumb.
    int PageSize() const noexcept { return FPageSize; }
    void SetPageSize(int value);
    int LineSize() const noexcept { return FLineSize; }
    void SetLineSize(int value);
    // The distance between automatic ticks (at least 1).
    int Frequency() const noexcept { return FFrequency; }
    void SetFrequency(int value);
    TTickMark TickMarks() const noexcept { return FTickMarks; }
    void SetTickMarks(TTickMark marks);
    TTickStyle TickStyle() const noexcept { return FTickStyle; }
    void SetTickStyle(TTickStyle style);
    // A manual tick (tsManual) at `value`; kept across re-created windows.
    void SetTick(int value);
    void ClearTicks();
    // The selected range, shown in the channel when SelEnd > SelStart (0, 0: none).
    int SelStart() const noexcept { return FSelStart; }
    void SetSelStart(int value);
    int SelEnd() const noexcept { return FSelEnd; }
    void SetSelEnd(int value);
    // The thumb is shown.
    bool SliderVisible() const noexcept { return FSliderVisible; }
    void SetSliderVisible(bool value);
    // The thumb's size across the channel; 0 for the platform's size.
    int ThumbLength() const noexcept { return FThumbLength.At(CurrentDpi()); }
    void SetThumbLength(int value);

    TNotifyEvent OnChange;

    static void Publish(TPublisher<TTrackBar>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void Loaded() override;
    void ChangeScale(int oldDpi, int newDpi) override;
    virtual void Changed();

private:
    void ApplyRange();
    void ApplySelection();
    void ApplyTicks();
    // The window's position after the user moved it.
    void PositionFromWindow();
    bool Loading() const noexcept { return ComponentState().Contains(csLoading); }

    TTrackBarOrientation FOrientation = trHorizontal;
    int FMin = 0;
    int FMax = 10;
    int FPosition = 0;
    int FPageSize = 2;
    int FLineSize = 1;
    int FFrequency = 1;
    TTickMark FTickMarks = tmBottomRight;
    TTickStyle FTickStyle = tsAuto;
    std::vector<int> FTicks;
    int FSelStart = 0;
    int FSelEnd = 0;
    bool FSliderVisible = true;
    TScaledLength FThumbLength{0};
};

} // namespace orvo

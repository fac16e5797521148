// Stand-alone scroll bars over the native SCROLLBAR class.
//
// The platform scrolls: arrows and track by mouse (with its auto-repeat), the thumb by dragging,
// arrows, Page Up/Down, Home and End from the keyboard while the bar has the focus. Each request
// reaches the control as a reflected CN_HSCROLL / CN_VSCROLL and becomes OnScroll (the request and
// the position it leads to, which the handler may change), then Position, then OnChange when the
// position moved (OnChange also follows a Position set by code, not one read from a form).
// SmallChange is an arrow's step, LargeChange a page's.
//
// The range is Min..Max; with a PageSize the thumb is that long and the position stops at
// Max - PageSize + 1, as the platform's does. Setting a range with Max below Min, or a page longer
// than the range, throws EInvalidOperation (while a form is read the values are checked once it
// is read). Changing Kind outside reading swaps Width and Height.
#pragma once

#include "framework/controls/win_control.h"

namespace orvo {

enum TScrollBarKind : std::uint8_t { sbHorizontal, sbVertical };
const TEnumType& ScrollBarKindType();

enum TScrollCode : std::uint8_t {
    scLineUp,
    scLineDown,
    scPageUp,
    scPageDown,
    scPosition,
    scTrack,
    scTop,
    scBottom,
    scEndScroll,
};
const TEnumType& ScrollCodeType();

using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

class TScrollBar : public TWinControl {
    ORVO_CLASS(TScrollBar, TWinControl)
public:
    explicit TScrollBar(TComponent* owner);

    TScrollBarKind Kind() const noexcept { return FKind; }
    void SetKind(TScrollBarKind kind);
    int Min() const noexcept { return FMin; }
    void SetMin(int value) { SetParams(FPosition, value, FMax); }
    int Max() const noexcept { return FMax; }
    void SetMax(int value) { SetParams(FPosition, FMin, value); }
    int Position() const noexcept { return FPosition; }
    void SetPosition(int value) { SetParams(value, FMin, FMax); }
    int PageSize() const noexcept { return FPageSize; }
    void SetPageSize(int value);
    int SmallChange() const noexcept { return FSmallChange; }
    void SetSmallChange(int value) noexcept { FSmallChange = value; }
    int LargeChange() const noexcept { return FLargeChange; }
    void SetLargeChange(int value) noexcept { FLargeChange = value; }
    // All three at once; the position is clamped into the range.
    void SetParams(int position, int min, int max);
    // The highest position the thumb reaches.
    int MaxPosition() const noexcept;

    TScrollEvent OnScroll;
    TNotifyEvent OnChange;

    static void Publish(TPublisher<TScrollBar>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void Loaded() override;
    virtual void Scroll(TScrollCode code, int& position);
    virtual void Change();

private:
    void CNScroll(TMessage& message);
    void UpdateNative();

    TScrollBarKind FKind = sbHorizontal;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FPageSize = 0;
    int FSmallChange = 1;
    int FLargeChange = 1;
};

} // namespace orvo

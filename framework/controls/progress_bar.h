// Progress bars over the native msctls_progress32 class: a bar filled in proportion to Position
// between Min and Max, in chunks or smooth, horizontal or vertical (filling from the bottom).
//
// Range and position live in the control and are written into each new window (a new Orientation
// or Smooth re-creates it). The range may be negative; Position stays inside it.
#pragma once

#include "framework/controls/win_control.h"

namespace orvo {

enum TProgressBarOrientation : std::uint8_t { pbHorizontal, pbVertical };
const TEnumType& ProgressBarOrientationType();

class TProgressBar : public TWinControl {
    ORVO_CLASS(TProgressBar, TWinControl)
public:
    explicit TProgressBar(TComponent* owner);

    // Changing it turns the bar: width and height swap (not while the form is read).
    TProgressBarOrientation Orientation() const noexcept { return FOrientation; }
    void SetOrientation(TProgressBarOrientation orientation);
    // Setting Min above Max (or Max below Min) moves the other end with it.
    int Min() const noexcept { return FMin; }
    void SetMin(int value);
    int Max() const noexcept { return FMax; }
    void SetMax(int value);
    int Position() const noexcept { return FPosition; }
    void SetPosition(int value);
    // How far StepIt moves. A step past Max starts again at Min (past Min, with a negative step,
    // at Max), as the platform's bar does.
    int Step() const noexcept { return FStep; }
    void SetStep(int value);
    void StepIt();
    // Moves by `delta`, stopping at the ends.
    void StepBy(int delta);
    // One continuous bar instead of chunks.
    bool Smooth() const noexcept { return FSmooth; }
    void SetSmooth(bool value);

    static void Publish(TPublisher<TProgressBar>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Loaded() override;

private:
    void ApplyRange();
    bool Loading() const noexcept { return ComponentState().Contains(csLoading); }

    TProgressBarOrientation FOrientation = pbHorizontal;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FStep = 10;
    bool FSmooth = false;
};

} // namespace orvo

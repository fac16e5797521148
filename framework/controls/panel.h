// Panels: a container with raised or lowered bevels, an optional border, and a caption drawn
// inside (centred by default).
#pragma once

#include "framework/controls/win_control.h"

namespace orvo {

enum TBevelCut : std::uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
const TEnumType& BevelCutType();

class TCustomPanel : public TCustomControl {
    ORVO_CLASS(TCustomPanel, TCustomControl)
public:
    explicit TCustomPanel(TComponent* owner);

    TAlignment Alignment() const noexcept { return FAlignment; }
    void SetAlignment(TAlignment alignment);
    TBevelCut BevelInner() const noexcept { return FBevelInner; }
    void SetBevelInner(TBevelCut cut);
    TBevelCut BevelOuter() const noexcept { return FBevelOuter; }
    void SetBevelOuter(TBevelCut cut);
    int BevelWidth() const noexcept { return FBevelWidth.At(CurrentDpi()); }
    void SetBevelWidth(int width);
    // Space between the outer and the inner bevel, in the panel's colour.
    int BorderWidth() const noexcept { return FBorderWidth.At(CurrentDpi()); }
    void SetBorderWidth(int width);
    // bsSingle: a sunken client edge around the whole panel.
    TBorderStyle BorderStyle() const noexcept { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle style);

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    void WndProc(TMessage& message) override;

private:
    TAlignment FAlignment = taCenter;
    TBevelCut FBevelInner = bvNone;
    TBevelCut FBevelOuter = bvRaised;
    TScaledLength FBevelWidth{1};
    TScaledLength FBorderWidth{0};
    TBorderStyle FBorderStyle = bsNone;
};

class TPanel : public TCustomPanel {
    ORVO_CLASS(TPanel, TCustomPanel)
public:
    explicit TPanel(TComponent* owner);
    static void Publish(TPublisher<TPanel>& p);
};

// Draws `width` rings of a 3-D frame inside `r` (top-left in `topLeft`, bottom-right in
// `bottomRight`) and shrinks `r` by them.
void Frame3D(TCanvas& canvas, RECT& r, TColor topLeft, TColor bottomRight, int width);

} // namespace orvo

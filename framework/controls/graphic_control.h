// TGraphicControl: a control without a window of its own (labels, images). Its parent paints it
// (TWinControl::PaintControls, from the parent's WM_PAINT) through a canvas on the parent's DC,
// moved and clipped to the control, and forwards it the mouse messages that fall on it.
#pragma once

#include "framework/graphics/canvas.h"
#include "framework/controls/control.h"

#include <memory>

namespace orvo {

class TControlCanvas;

class TGraphicControl : public TControl {
    ORVO_CLASS(TGraphicControl, TControl)
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;

    TCanvas* Canvas();

protected:
    // Draws the control on Canvas, in its own coordinates.
    virtual void Paint();
    void WndProc(TMessage& message) override;

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};

} // namespace orvo

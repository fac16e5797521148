#include "framework/controls/graphic_control.h"

#include "framework/controls/control_canvas.h"
#include "framework/base/properties.h"

namespace orvo {

ORVO_IMPLEMENT_CLASS(TGraphicControl);

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

TGraphicControl::~TGraphicControl() = default;

TCanvas* TGraphicControl::Canvas() {
    if (!FCanvas) FCanvas = std::make_unique<TControlCanvas>(*this);
    return FCanvas.get();
}

void TGraphicControl::Paint() {}

void TGraphicControl::WndProc(TMessage& m) {
    if (m.Msg == WM_PAINT) {
        if (HDC dc = reinterpret_cast<HDC>(m.WParam)) {
            Canvas();
            TControlCanvas::TPaintScope scope(*FCanvas, dc);
            Paint();
        }
        m.Result = 0;
        return;
    }
    TControl::WndProc(m);
}

} // namespace orvo

// TControlCanvas: the canvas of a control. While the control paints (WM_PAINT) it draws on the
// paint DC; used outside painting it fetches a DC of the control's area itself (a windowless
// control's area inside its parent's window, clipped to it), which is given back when the
// application is idle, when the control paints, or when the canvas dies.
#pragma once

#include "framework/graphics/canvas.h"

namespace orvo {

class TControl;

class TControlCanvas : public TCanvas {
    ORVO_CLASS(TControlCanvas, TCanvas)
public:
    explicit TControlCanvas(TControl& control);
    ~TControlCanvas() override;

    TControl& Control() const noexcept { return FControl; }
    // Gives back a DC the canvas fetched itself.
    void FreeHandle();
    // Gives back the DCs of every control canvas (the application calls this when idle).
    static void FreeDeviceContexts();

    // The canvas draws on `dc` (the control's own coordinates) for the scope, locked.
    class TPaintScope {
    public:
        TPaintScope(TControlCanvas& canvas, HDC dc);
        ~TPaintScope();
        TPaintScope(const TPaintScope&) = delete;
        TPaintScope& operator=(const TPaintScope&) = delete;

    private:
        TControlCanvas& FCanvas;
    };

protected:
    void CreateHandle() override;

private:
    TControl& FControl;
    HWND FWindow = nullptr;
    HDC FFetched = nullptr;
};

} // namespace orvo

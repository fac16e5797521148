#include "framework/controls/control_canvas.h"

#include "framework/base/properties.h"
#include "framework/controls/win_control.h"

#include <algorithm>
#include <vector>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TControlCanvas);

namespace {

// Canvases holding a DC they fetched (user-interface thread only).
std::vector<TControlCanvas*>& FetchingCanvases() {
    static std::vector<TControlCanvas*> list;
    return list;
}

} // namespace

TControlCanvas::TControlCanvas(TControl& control) : FControl(control) {}

TControlCanvas::~TControlCanvas() {
    FreeHandle();
}

void TControlCanvas::CreateHandle() {
    TWinControl* window = FControl.IsWindowed() ? static_cast<TWinControl*>(&FControl) : FControl.Parent();
    if (!window) return;
    FWindow = window->Handle();
    FFetched = GetDCEx(FWindow, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    if (!FFetched) return;
    if (!FControl.IsWindowed()) {
        SetViewportOrgEx(FFetched, FControl.Left(), FControl.Top(), nullptr);
        IntersectClipRect(FFetched, 0, 0, FControl.Width(), FControl.Height());
    }
    FetchingCanvases().push_back(this);
    SetHandle(FFetched);
}

void TControlCanvas::FreeHandle() {
    if (!FFetched) return;
    SetHandle(nullptr);
    ReleaseDC(FWindow, FFetched);
    FFetched = nullptr;
    FWindow = nullptr;
    std::erase(FetchingCanvases(), this);
}

void TControlCanvas::FreeDeviceContexts() {
    while (!FetchingCanvases().empty())
        FetchingCanvases().back()->FreeHandle();
}

TControlCanvas::TPaintScope::TPaintScope(TControlCanvas& canvas, HDC dc) : FCanvas(canvas) {
    FCanvas.Lock();
    FCanvas.FreeHandle();
    FCanvas.SetHandle(dc);
}

TControlCanvas::TPaintScope::~TPaintScope() {
    FCanvas.SetHandle(nullptr);
    FCanvas.Unlock();
}

} // namespace orvo

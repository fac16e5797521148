// THintWindow: the small top-most window that shows a hint. It never takes the focus or the
// activation, lets mouse messages through to what lies under it, and is owned by the
// application's window.
#pragma once

#include "framework/controls/win_control.h"

#include <string>

namespace orvo {

class THintWindow : public TCustomControl {
    ORVO_CLASS(THintWindow, TCustomControl)
public:
    explicit THintWindow(TComponent* owner);

    // The size the text needs, wrapped at maxWidth pixels, with the window's margins; (0, 0)
    // at the top-left.
    virtual RECT CalcHintRect(int maxWidth, const std::wstring& text);
    // Shows `text` in `rect` (screen coordinates) above every other window, without activating it.
    virtual void ActivateHint(const RECT& rect, const std::wstring& text);
    void HideHint();
    bool Showing() const;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void Paint() override;
    // The system's hint font at the new DPI (the hint takes the DPI of the control it is for).
    void ChangeScale(int oldDpi, int newDpi) override;
};

} // namespace orvo

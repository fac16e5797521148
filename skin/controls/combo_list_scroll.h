// TComboxScrollBar: the scroll bar of a combo box's drop-down list. The list is a popup whose bar
// cannot take an overlay, so its vertical bar is painted straight into the list's frame, and a
// press on its thumb runs a drag of the skin's own, from the current position, that waits for
// messages and ends with the button, with the list's capture, with the list, or with WM_QUIT (put
// back for the loop outside).
//
// Elements: those of the skinned scroll bar (scroll_bar_look.h).
#pragma once

#include "skin/controls/control_skin.h"

#include <memory>

namespace orvo {

class TComboxScrollBar : public TSkinControl {
    ORVO_CLASS(TComboxScrollBar, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    int ButtonSize = GetSystemMetrics(SM_CXHSCROLL);
    int ThumbStart = 0;
    int ThumbEnd = 0;
    // Scroll requests the last drag sent (SB_THUMBTRACK positions, then SB_THUMBPOSITION).
    int DragRequests = 0;

protected:
    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& r) override;

private:
    bool DragThumb(const TMessage& message);
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

} // namespace orvo

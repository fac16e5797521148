// Where the caption text of a skinned frame goes: the skin's Title definition (alignment, shifts,
// right clip, the text background's margins) applied to a measured text in the caption bar. Plain
// arithmetic, used by the frame painting of TWinSkinForm (frame_paint.cpp).
#pragma once

#include "core/scale/dpi_scale.h"
#include "skin/form/frame_geometry.h"

#include <windows.h>

namespace orvo {

struct TCaptionTextInput {
    RECT Caption{};      // the caption bar's area the text is placed in (window coordinates)
    SIZE Text{};         // the measured text
    int TextShift = 0;   // the Title's LeftWidth
    int TextShiftVert = 0;
    int TextRightClip = 0;
    int TextAlignment = 0; // 0 left, 1 centred, 2 right
    int TXTBackleft = 0;
    int TXTBackRight = 0;
    bool RightToLeft = false;
    bool Popup = false;        // WS_POPUP
    int RightButtonsWidth = 0; // largest XCoord of the visible right-aligned buttons
    TFrameKind Kind = TFrameKind::Sizeable;
    int Dpi = 96; // the lengths of the rule's own (the icon's room, gaps) are scaled to it
};

// The rectangle of the caption text, its background margins included (the text itself is drawn
// TXTBackleft further right and TXTBackRight less wide, ending in an ellipsis when it does not fit).
RECT CaptionTextRect(const TCaptionTextInput& in) noexcept;

} // namespace orvo

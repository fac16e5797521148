// The skin's window colours, and its answers to the platform's colour messages.
//
// A skin that names its Window colour ([Colours] Window) dresses every window-coloured surface:
// edits, memos, list boxes, combo boxes and their lists, list views and tree views show Window and
// WindowText, their selected items Hilight and HilightText, and read-only or disabled edits the
// face (ButtonFace, ButtonText) as the platform's own do. A skin that does not name it leaves
// those surfaces to the platform, as it always did. Static text, dialogs and buttons stand on the
// skin's face whatever the skin names; their text takes ButtonText wherever the platform would
// have used its own default text colour.
//
// The colour messages (WM_CTLCOLOREDIT, LISTBOX, STATIC, BTN, DLG) are answered this way for the
// windows no framework control stands behind: the controls of message boxes, the common dialogs
// and the folder browser, and any other module's window. A framework control answers them from
// its own Color and Font.Color, which control_colours.h sets.
#pragma once

#include "framework/graphics/color.h"
#include "framework/window/messages.h"

#include <windows.h>

namespace orvo {

class TSkinData;

struct TWindowPalette {
    bool Dressed = false; // the skin names its Window colour
    COLORREF Window = 0;
    COLORREF WindowText = 0;
    COLORREF Face = 0;
    COLORREF FaceText = 0;
    COLORREF Highlight = 0;
    COLORREF HighlightText = 0;
    COLORREF Shadow = 0;
    HBRUSH WindowBrush = nullptr; // the skin component's, not owned
    HBRUSH FaceBrush = nullptr;
};

TWindowPalette WindowPaletteOf(const TSkinData& skin);

// The colour the skin paints for a platform colour, in what the skin itself draws (a check list's
// items): the window, face and highlight colours and their texts become the skin's when it
// dresses window colours; any other colour stays as it is.
TColor SkinColourFor(const TSkinData& skin, TColor colour);

// How a child paints itself, by its class and style: an edit that is read-only or disabled shows
// the face, a writable one the window colour.
bool ShowsFace(HWND edit);

// The colour a control fills its background with: what its parent answers to the colour message
// the control sends (a framework parent reflects it to the control's own Color). Borders drawn
// round the text area take it, so they meet the background whatever colours are in force.
COLORREF BackgroundOf(HWND control);

// Answers a colour message sent by a window that is not a framework control, after the parent's
// own handling has put its answer in Result. False when `m` is no colour message.
bool AnswerColourMessage(const TWindowPalette& palette, TMessage& m);

} // namespace orvo

// Items that are drawn in the platform's colours whatever their control's colours are, given the
// skin's instead, under a skin that dresses window colours (window_colours.h):
//
//   RecolourCustomDraw      NM_CUSTOMDRAW of a list view or tree view, after its parent's own
//                           handling: item notifications are asked for, and a selected item
//                           shows Hilight and HilightText (ButtonFace and ButtonText while its
//                           control has no focus) where the platform would use its own.
//   RecolourOwnerDrawnItem  WM_DRAWITEM of an owner-drawn combo box or list box of another module
//                           (the open-file dialog's list of folders): the owner draws the item off
//                           screen, and the platform's window, text and highlight colours in it
//                           are swapped for the skin's before it is put on the control.
//   PaintRecoloured         WM_PAINT, WM_PRINTCLIENT or WM_ERASEBKGND of a control that paints in
//                           the platform's colours whatever its own (a date-time picker's text,
//                           a rebar's bands): painted off screen by the control, two of those
//                           colours swapped for the skin's.
#pragma once

#include "framework/graphics/gdi_handle.h"
#include "framework/window/messages.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <windows.h>

namespace orvo {

struct TWindowPalette;

// `m` is WM_NOTIFY (or the framework's reflected CN_NOTIFY) with the parent's answer in Result.
// False when it is no custom-draw notice of a list or tree view.
bool RecolourCustomDraw(const TWindowPalette& palette, TMessage& m);

// `m` is WM_DRAWITEM; `drawDefault` hands a message to the owner's own handling. False (nothing
// done) when the item is none of those above: the caller hands it on itself.
bool RecolourOwnerDrawnItem(const TWindowPalette& palette, TMessage& m,
                            const std::function<void(TMessage&)>& drawDefault);

// A platform colour and the skin's in its place.
struct TColourSwap {
    COLORREF From = 0;
    COLORREF To = 0;
};

// `m` is WM_PAINT, WM_PRINTCLIENT or WM_ERASEBKGND of `window`; `paintDefault` hands a message to
// the control's own handling. False (nothing done) for any other message.
bool PaintRecoloured(HWND window, TMessage& m, const std::function<void(TMessage&)>& paintDefault,
                     TColourSwap first, TColourSwap second);

// A 32-bit top-down DIB section for drawing off screen, and its pixels (0x00RRGGBB, row after
// row); empty when it could not be made.
struct TPixelSurface {
    TBitmapHandle Bitmap;
    std::uint32_t* Pixels = nullptr;
};
TPixelSurface PixelSurface(HDC compatible, int width, int height);

// The colour swap of an owner-drawn item on 0x00RRGGBB pixels: every pixel of the platform's
// background takes the skin's, every pixel of the platform's text the skin's text.
void SwapColours(std::uint32_t* pixels, std::size_t count, COLORREF fromBack, COLORREF fromText, COLORREF toBack,
                 COLORREF toText);

} // namespace orvo

// The skin's colour and pixel routines: colour blending, two-colour gradients drawn from a cache
// of colour ramps, a saturation measure, replacement of the magenta key colour, and mirroring and
// rotating of bitmaps. Bitmap routines work on 24 bits per pixel and convert other formats first.
#pragma once

#include "core/colour/colour.h"
#include "core/colour/colour_ramp.h"
#include "framework/graphics/bitmap.h"

#include <span>

namespace orvo {

// The transparent key colour of every skin image.
constexpr TColor SkinKeyColour = clFuchsia;

// Weight is c1's share: below 100 a percentage, from 100 on tenths of a percent. System colours
// are resolved to their current values. (ColourSaturation comes with core/colour/colour.h.)
TColor MixColours(TColor c1, TColor c2, int weight);

// The slot of the process-wide ramp cache holding `count` colours from c1 to c2 (computed when no
// slot has it); count below 1 throws std::invalid_argument.
int RampIndex(int count, TColor c1, TColor c2);
std::span<const TColor> RampColours(int slot);

// Fills `r` with a ramp from c1 to c2, top to bottom when vertical, else left to right, one band
// per pixel row or column; only the bands inside the DC's clip box are drawn.
void GradientFill(HDC dc, const RECT& r, TColor c1, bool vertical, TColor c2);

// Every exactly magenta pixel (255, 0, 255) takes the colour's low three bytes (a system colour is
// not resolved). The bitmap becomes 24-bit.
void ReplaceKeyColour(TBitmap& bitmap, TColor colour);

// In place; the bitmap becomes 24-bit.
void FlipHorizontal(TBitmap& bitmap);
void FlipVertical(TBitmap& bitmap);
// 90 degrees anticlockwise: the input's top-right corner becomes the output's top-left.
void RotateLeft(TBitmap& bitmap);
// 90 degrees clockwise: the input's top-left corner becomes the output's top-right.
void RotateRight(TBitmap& bitmap);

} // namespace orvo

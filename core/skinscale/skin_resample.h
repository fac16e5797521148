// Resampling skin images to another display scale. A skin image is a strip of state frames cut by
// margins into nine pieces (corners kept, edges stretched along their length, a middle stretched
// or tiled); resampling it as one picture would smear the margins into the middle and the frames
// into each other. So every frame is resampled apart, and within it every piece to the size of
// the same piece at the new scale: corners as whole pieces, edges and middles to theirs.
//
// Magenta (0xFF00FF) is the transparent key. It is resolved to a coverage mask first: colours are
// averaged over the covered pixels only, weighted by coverage, and a pixel of the result is the key
// when less than half of it is covered. Every pixel of the result is therefore either exactly the
// key or a blend of covered colours only: no pink fringe, no soft key edge, and no colour that the
// drawing code's key test (red 255, green 0 or 1, blue 255) would take for the key.
//
// Filters: shrinking averages the area each result pixel covers; enlarging interpolates with the
// Catmull-Rom cubic (sharp, without the blur of a linear ramp), each result clamped to the range
// of the covered pixels it is made of, so no halo or ringing appears beside an edge. A piece of
// the same size is copied. Same input, same output: no state, no randomness.
#pragma once

#include "core/skinfile/image32.h"
#include "core/skinscale/skin_scales.h"

#include <cstdint>

namespace orvo {

inline constexpr std::uint32_t SkinKeyPixel = 0x00FF00FF; // magenta, as a 0x00RRGGBB pixel

// The fixed parts of a frame: left and right columns, top and bottom rows.
struct TGridMargins {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

// Every frame of `source` (cut as the drawing code cuts it: width / count side by side, or
// height / count stacked; spare pixels past the last frame are dropped) resampled to
// frameWidth x frameHeight, the pieces cut by `from` onto the pieces cut by `to`. Along an axis
// where the margins do not fit their frame (left + right wider than the frame, in the source or
// in the result) the frame is resampled whole along that axis, as the drawing code then stretches
// it whole. Empty when the source is empty or malformed, or the result would be empty or larger
// than MaxBmpSide per side or MaxBmpPixels in all.
TImage32 ResampleFrames(const TImage32& source, TImageFrames frames, const TGridMargins& from, int frameWidth,
                        int frameHeight, const TGridMargins& to);

// A skin image designed at 96 DPI, given as drawn at `sourceDpi` (its 100 % image at 96, or a
// per-scale image), at `dpi`: frames of the 96-DPI frame size (frameWidth x frameHeight) scaled
// by ScaleLength, margins at 96 DPI scaled the same way for the source and for the result.
TImage32 ScaleSkinImage(const TImage32& source, int sourceDpi, TImageFrames frames, int frameWidth,
                        int frameHeight, const TGridMargins& margins, int dpi);

// Margins scaled by ScaleLength (negative ones count as 0).
TGridMargins ScaleMargins(const TGridMargins& margins, int dpi);

} // namespace orvo

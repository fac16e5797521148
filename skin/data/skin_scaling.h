// Making a loaded skin's definitions for another DPI (what TSkinData::AtDpi hands out, described
// in skin_scaled.h), and the list of the skin's images with the layout the drawing code cuts them
// by, which decides how each is resampled and which per-scale images fit it.
#pragma once

#include "core/skinscale/skin_resample.h"
#include "skin/data/skin_definitions.h"
#include "skin/data/skin_scale_source.h"

#include <functional>
#include <memory>
#include <string>

namespace orvo {

// The resampled images of one skin at one DPI stay below this many pixels in all (a real skin
// has a few hundred thousand at 300 %); images beyond it stay empty.
constexpr std::uint64_t MaxScaledSkinPixels = 64u << 20;

// One image of a skin: the image as loaded (96 DPI), the archive entry it came from (empty for
// images the program made), how the drawing code cuts it (frames, and the margins at 96 DPI that
// it keeps at their size) and, when the visit makes a skin at another DPI, the image to fill.
struct TSkinImageSlot {
    const TBitmap& Designed;
    const std::string& Entry;
    TImageFrames Frames;
    TGridMargins Margins;
    TBitmap* Target = nullptr;
};
using TSkinImageVisitor = std::function<void(const TSkinImageSlot& slot)>;

// Every image the skin read from its store or the program's resources, in load order; derived
// images are left out (they are made again at each DPI). `scaled`, when given, is a copy of
// `designed`'s structure (see ScaleSkinDefinitions) whose matching images are the targets.
void VisitSkinImages(const TSkinDefinitions& designed, TSkinDefinitions* scaled, const TSkinImageVisitor& visit);

// The definitions of `designed` at `dpi`, with the per-scale images of `store` (decoded as needed).
std::unique_ptr<TSkinDefinitions> ScaleSkinDefinitions(const TSkinDefinitions& designed, TSkinScaleSource& store,
                                                       int dpi);

} // namespace orvo

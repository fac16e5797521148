// Per-scale images in a skin store. The image "Stem.bmp" that the INI names may come with entries
// "Stem@125.bmp" ... "Stem@300.bmp" drawn for those display scales, after every 100 % entry of the
// archive. Each has the frame count and orientation of its 100 % image and frames of the 100 %
// frame's size scaled by ScaleLength. This file holds the names, the sizes such an image must have,
// the index of an archive's per-scale entries and the choice of the image a DPI is drawn from.
#pragma once

#include "core/scale/dpi_scale.h"

#include <cstddef>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvo {

class TSkinReader;

bool IsSkinScalePercent(int percent);

// "Stem.bmp" at 150 % is "Stem@150.bmp" (the extension is kept as written).
std::string ScaledImageName(std::string_view name, int percent);

enum class TScaledNameKind {
    Plain,        // not of the form Stem@N.bmp
    Scaled,       // Stem@N.bmp with N one of SkinScalePercents
    UnknownScale, // Stem@N.bmp with digits N that are no such scale (checks refuse it)
};

struct TScaledName {
    TScaledNameKind Kind = TScaledNameKind::Plain;
    std::string Base; // the 100 % image's name, "Stem.bmp" (Scaled and UnknownScale)
    int Percent = 0;  // N (Scaled and UnknownScale)
};

// Splits an entry or file name; ".bmp" in any letter case.
TScaledName ParseScaledName(std::string_view name);

// How the drawing code cuts an image into state frames.
struct TImageFrames {
    int Count = 1;
    bool Stacked = false; // frames one above the other rather than side by side
};

// The size a per-scale image must have: frames of FrameWidth x FrameHeight, so Width x Height,
// plus up to Spare pixels along the frames' axis when the 100 % image has such spare pixels
// itself (a width that is not a multiple of its frames): the frames cut from it are then still
// exactly the scaled frames.
struct TScaledImageSize {
    TImageFrames Frames;
    int FrameWidth = 0;
    int FrameHeight = 0;
    int Width = 0;
    int Height = 0;
    int Spare = 0;

    bool Fits(int width, int height) const;
    // "5 frames of 21 x 27 side by side: 105 x 27 pixels" (with "to 109 x 27" when Spare allows).
    std::string Describe() const;
};

// The size of the image `width` x `height`, cut into `frames`, at `dpi`.
TScaledImageSize ScaledImageSize(int width, int height, TImageFrames frames, int dpi);

// The scale (percent) an image at `dpi` is drawn from, out of the scales a store has for it
// (`available`, any order; 100 is always there and need not be listed): the DPI's own scale when
// present, otherwise the nearest larger one (scaled down), otherwise the largest (scaled up).
// A DPI of 0 or less is taken as 96.
int SourcePercentFor(int dpi, std::span<const int> available);

// The per-scale entries of an opened archive, by the lower-case name of their 100 % image. Only
// the first entry of a name counts, as for every lookup; names with other scales are left out.
class TSkinScaleIndex {
public:
    struct TEntry {
        int Percent = 0;
        std::size_t Index = 0; // in the reader's entries
    };

    TSkinScaleIndex() = default;
    explicit TSkinScaleIndex(const TSkinReader& reader);

    // The per-scale entries of the 100 % image `name` (any case), by ascending scale.
    std::span<const TEntry> Of(std::string_view name) const;
    bool Empty() const { return FByBase.empty(); }
    // Every scale at least one image has, ascending.
    std::vector<int> Percents() const;
    const std::map<std::string, std::vector<TEntry>, std::less<>>& All() const { return FByBase; }

private:
    std::map<std::string, std::vector<TEntry>, std::less<>> FByBase;
};

} // namespace orvo

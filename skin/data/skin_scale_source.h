// The images a skin store holds for other display scales ("Stem@150.bmp" beside "Stem.bmp", see
// core/skinscale/skin_scales.h). They come after every 100 % entry of the archive, so a load
// decodes the store only as far as the 100 % skin needs (TSkinReader::LoadPartly) and keeps it;
// the images of a scale are decoded when a DPI first needs them, the store as far as the last
// image of that scale. Most programs run at one scale, and a store with every scale holds some 26
// times the pixels of its 100 % images.
#pragma once

#include "core/skinfile/image32.h"
#include "core/skinfile/skin_reader.h"
#include "core/skinscale/skin_scales.h"

#include <map>
#include <memory>
#include <set>
#include <string_view>
#include <vector>

namespace orvo {

// Decoding a store for a skin: every entry but the images for other scales.
TSkinLoadResult LoadSkinArchive(TSkinReader& archive, std::span<const std::uint8_t> store);

class TSkinScaleSource {
public:
    // Keeps `archive` (read by LoadSkinArchive) when it lists images for other scales, else
    // nothing; null forgets the last one.
    void Reset(std::unique_ptr<TSkinReader> archive);
    bool Empty() const { return !FArchive; }
    // Every scale (percent) at least one image is listed for, ascending.
    std::vector<int> Percents() const { return FIndex.Percents(); }

    // The image to draw the image of the 100 % entry `entry` from at `dpi`: of the scales the
    // store has of it whose images fit it (frames of the 100 % image, width x height cut into
    // `frames`, scaled by the rule), the one SourcePercentFor picks, decoded, with its scale.
    // Empty, with 100, when none fits or the store has none.
    struct TSource {
        TImage32 Image;
        int Percent = 100;
    };
    TSource SourceFor(std::string_view entry, int width, int height, TImageFrames frames, int dpi);
    // Every scale of `entry` whose image fits, ascending (decodes all of them).
    std::vector<int> ScalesOf(std::string_view entry, int width, int height, TImageFrames frames);

private:
    // The image of the per-scale entry, when it is a bitmap that fits; else empty.
    TImage32 Read(const TSkinScaleIndex::TEntry& entry, int width, int height, TImageFrames frames);

    std::unique_ptr<TSkinReader> FArchive;
    TSkinScaleIndex FIndex;
    std::map<int, std::uint64_t> FScaleEnds; // where the last image of each scale ends
    std::set<int> FUndecodable;              // scales whose images the store could not give
};

} // namespace orvo

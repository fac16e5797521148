// The images a skin store holds for other display scales ("Stem@150.bmp" beside "Stem.bmp", see
// core/skinscale/skin_scales.h). A load keeps the store's archive only when it has such images, and
// each is decoded when a DPI first needs it: most programs run at one scale, and a store with
// every scale holds some 26 times the pixels of its 100 % images.
#pragma once

#include "core/skinfile/image32.h"
#include "core/skinfile/skin_reader.h"
#include "core/skinscale/skin_scales.h"

#include <memory>
#include <string_view>
#include <vector>

namespace orvo {

class TSkinScaleSource {
public:
    // Keeps `archive` when it holds per-scale images, else nothing; null forgets the last one.
    void Reset(std::unique_ptr<TSkinReader> archive);
    bool Empty() const { return !FArchive; }
    // Every scale (percent) at least one image has, ascending.
    std::vector<int> Percents() const { return FIndex.Percents(); }
    // The scales the store has of the image whose 100 % entry is `entry` that fit it: frames of
    // the 100 % image's (width x height cut into `frames`) scaled by the rule, their headers read
    // and checked. Ascending; empty without a store or an entry name.
    std::vector<int> ScalesOf(std::string_view entry, int width, int height, TImageFrames frames) const;
    // The image of `entry` drawn for `percent`, decoded; empty when there is none or it cannot be read.
    TImage32 Image(std::string_view entry, int percent) const;

private:
    std::unique_ptr<TSkinReader> FArchive;
    TSkinScaleIndex FIndex;
};

} // namespace orvo

// Checking a loaded skin as the skin component will use it: every image its INI names must be a
// readable BMP in the archive, and its width should divide into the frames the component cuts it
// into. Images for other scales ("Stem@150.bmp") must belong to such an image and have its frames
// scaled by the rule.
#pragma once

#include "core/skinfile/quick_ini.h"
#include "core/skinfile/skin_reader.h"
#include "core/skinscale/skin_scales.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvo {

struct TSkinCheckReport {
    // Missing, empty or unreadable images; no INI; images for other scales of the wrong size, of
    // no scale a store carries, or without their 100 % image.
    std::vector<std::string> Errors;
    // Frame remainders; names the component will not load; images for other scales that no
    // section uses or that come before 100 % entries.
    std::vector<std::string> Warnings;
    int ImagesChecked = 0;
    int ScaledImagesChecked = 0;
};

TSkinCheckReport CheckSkin(const TSkinReader& reader);

// Every image value the component reads, in text order: the first occurrence of each section,
// the first line of each key in it, values ending in ".bmp" in any letter case.
void ForEachImageLine(const TQuickIni& ini,
                      const std::function<void(std::string_view section, const TIniLine& line)>& visit);

// How the component cuts the image of `key` in `section` into frames: their number (1 when it
// does not cut it) and whether they are stacked.
TImageFrames ExpectedImageFrames(const TQuickIni& ini, std::string_view section, std::string_view key,
                                 int width, int height);

// The number of frames the skin component cuts the image of `key` in `section` into, or 0 when
// it does not cut it (a second image, or an element it does not read).
int ExpectedFrameCount(const TQuickIni& ini, std::string_view section, std::string_view key, int width,
                       int height);

} // namespace orvo

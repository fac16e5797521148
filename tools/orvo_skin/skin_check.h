// Checking a loaded skin as the skin component will use it: every image its INI names must be a
// readable BMP in the archive, and its width should divide into the frames the component cuts it
// into.
#pragma once

#include "core/skinfile/quick_ini.h"
#include "core/skinfile/skin_reader.h"

#include <string>
#include <string_view>
#include <vector>

namespace orvo {

struct TSkinCheckReport {
    std::vector<std::string> Errors;   // missing, empty or unreadable images; no INI
    std::vector<std::string> Warnings; // frame remainders; names the component will not load
    int ImagesChecked = 0;
};

TSkinCheckReport CheckSkin(const TSkinReader& reader);

// The number of frames the skin component cuts the image of `key` in `section` into, or 0 when
// it does not cut it (a second image, or an element it does not read).
int ExpectedFrameCount(const TQuickIni& ini, std::string_view section, std::string_view key, int width,
                       int height);

} // namespace orvo

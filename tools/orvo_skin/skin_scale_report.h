// What `orvo-skin info` prints: the scales a skin store carries images for, overall and per image.
#pragma once

#include "core/skinfile/skin_reader.h"

#include <string>

namespace orvo {

// One line for the store, one per scale (how many of the images the INI names have it) and one
// per image (its size, frames and scales), in the order the INI first names them. Throws
// ESkinToolError when the archive holds no INI.
std::string SkinScaleReport(const TSkinReader& reader);

} // namespace orvo

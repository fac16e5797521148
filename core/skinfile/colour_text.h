// Colours written as text in a skin's INI: red, green and blue as decimal numbers separated by
// any non-digits ("227 224 213"). The result has red in bits 0-7, green in 8-15, blue in 16-23.
#pragma once

#include <cstdint>
#include <string_view>

namespace orvo {

// Each digit run followed by a non-digit is the next component; the digits at the very end count
// only as the third component, after exactly two ended ones ("255,0" is pure red, "12" black).
// Missing components are 0, each is taken modulo 256, numbers after the third are ignored. An empty
// (or blank) text gives `def`.
std::int32_t ParseColour(std::string_view text, std::int32_t def);

} // namespace orvo

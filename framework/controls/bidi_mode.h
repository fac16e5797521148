// Reading order and alignment of text in controls and menus.
#pragma once

#include "framework/base/type_info.h"

#include <cstdint>

namespace orvo {

enum TBiDiMode : std::uint8_t {
    bdLeftToRight,
    bdRightToLeft,
    bdRightToLeftNoAlign,
    bdRightToLeftReadingOnly
};

inline const TEnumType& BiDiModeType() {
    static const TEnumType type(L"TBiDiMode", {L"bdLeftToRight", L"bdRightToLeft", L"bdRightToLeftNoAlign",
                                               L"bdRightToLeftReadingOnly"});
    return type;
}

// Right-to-left reading order (every mode but bdLeftToRight).
constexpr bool IsRightToLeftReading(TBiDiMode mode) noexcept {
    return mode != bdLeftToRight;
}
// Laid out from the right edge as well (bdRightToLeft only).
constexpr bool IsRightToLeftAlignment(TBiDiMode mode) noexcept {
    return mode == bdRightToLeft;
}

} // namespace orvo

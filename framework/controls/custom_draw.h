// Custom drawing of common controls: the stage of a custom-draw notification and the state of the
// item being drawn, as the framework's custom-draw events give them. The state's bits are the
// platform's CDIS_* bits (cdsSelected = 1, cdsGrayed = 2, cdsDisabled = 4, cdsChecked = 8,
// cdsFocused = 0x10, cdsDefault = 0x20, cdsHot = 0x40, ...), so `TCustomDrawState::FromBits(
// item.uItemState)` converts one.
#pragma once

#include "framework/base/type_info.h"

#include <cstdint>

namespace orvo {

enum TCustomDrawStage : std::uint8_t { cdPrePaint, cdPostPaint, cdPreErase, cdPostErase };
const TEnumType& CustomDrawStageType();

enum TCustomDrawStateItem : std::uint8_t {
    cdsSelected,
    cdsGrayed,
    cdsDisabled,
    cdsChecked,
    cdsFocused,
    cdsDefault,
    cdsHot,
    cdsMarked,
    cdsIndeterminate,
};
using TCustomDrawState = TSet<TCustomDrawStateItem>;
const TEnumType& CustomDrawStateType();

} // namespace orvo

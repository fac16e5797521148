#include "framework/controls/custom_draw.h"

namespace orvo {

const TEnumType& CustomDrawStageType() {
    static const TEnumType type(L"TCustomDrawStage", {L"cdPrePaint", L"cdPostPaint", L"cdPreErase", L"cdPostErase"});
    return type;
}

const TEnumType& CustomDrawStateType() {
    static const TEnumType type(L"TCustomDrawStateItem",
                                {L"cdsSelected", L"cdsGrayed", L"cdsDisabled", L"cdsChecked", L"cdsFocused",
                                 L"cdsDefault", L"cdsHot", L"cdsMarked", L"cdsIndeterminate"});
    return type;
}

} // namespace orvo

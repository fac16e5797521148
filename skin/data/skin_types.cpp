#include "skin/data/skin_types.h"

namespace orvo {

const TEnumType& SkinOptionType() {
    static const TEnumType type(L"TSkinOption", {L"xoMDIScrollbar", L"xoMenuMerge", L"xoTransparent",
                                                 L"xoPreview", L"xoParentBackGround", L"xoNoFocusRect",
                                                 L"xoToolbarBK", L"xoToolbarButton", L"xoMDIChildBorder",
                                                 L"xoMenuBG", L"xoCaptionButtonHint", L"xoFormScrollbar"});
    return type;
}

const TEnumType& SkinControlTypeType() {
    static const TEnumType type(
        L"TSkinControlType",
        {L"xcMainMenu", L"xcPopupMenu",   L"xcMenuItem",   L"xcToolbar",   L"xcControlbar", L"xcCombo",
         L"xcCheckBox", L"xcRadioButton", L"xcProgress",   L"xcScrollbar", L"xcEdit",       L"xcButton",
         L"xcBitBtn",   L"xcSpeedButton", L"xcSpin",       L"xcPanel",     L"xcGroupBox",   L"xcStatusBar",
         L"xcTab",      L"xcTrackBar",    L"xcSystemMenu", L"xcFastReport"});
    return type;
}

const TEnumType& SkinFormTypeType() {
    static const TEnumType type(L"TSkinFormType", {L"sfMainform", L"sfOnlyThisForm", L"sfDialog", L"sfDLL"});
    return type;
}

} // namespace orvo

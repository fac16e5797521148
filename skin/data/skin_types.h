// The enumerations and sets of the skin component. Member names and order are part of the stored
// form format: a set is stored as the names of its members.
#pragma once

#include "framework/base/type_info.h"

#include <cstdint>

namespace orvo {

enum TSkinOption : std::uint8_t {
    xoMDIScrollbar,
    xoMenuMerge,
    xoTransparent,
    xoPreview,
    xoParentBackGround,
    xoNoFocusRect,
    xoToolbarBK,
    xoToolbarButton,
    xoMDIChildBorder,
    xoMenuBG,
    xoCaptionButtonHint,
    xoFormScrollbar,
};
using TSkinOptions = TSet<TSkinOption>;

enum TSkinControlType : std::uint8_t {
    xcMainMenu,
    xcPopupMenu,
    xcMenuItem,
    xcToolbar,
    xcControlbar,
    xcCombo,
    xcCheckBox,
    xcRadioButton,
    xcProgress,
    xcScrollbar,
    xcEdit,
    xcButton,
    xcBitBtn,
    xcSpeedButton,
    xcSpin,
    xcPanel,
    xcGroupBox,
    xcStatusBar,
    xcTab,
    xcTrackBar,
    xcSystemMenu,
    xcFastReport,
};
using TSkinControlTypes = TSet<TSkinControlType>;

enum TSkinFormType : std::uint8_t { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };

const TEnumType& SkinOptionType();
const TEnumType& SkinControlTypeType();
const TEnumType& SkinFormTypeType();

// [xoPreview, xoToolbarBK, xoCaptionButtonHint], the value 1096.
constexpr TSkinOptions DefaultSkinOptions{xoPreview, xoToolbarBK, xoCaptionButtonHint};
// Every family except the owner-drawn menu items and FastReport's windows.
constexpr TSkinControlTypes DefaultSkinControls =
    TSkinControlTypes::FromBits((1u << (xcFastReport + 1)) - 1) - TSkinControlTypes{xcMenuItem, xcFastReport};

} // namespace orvo

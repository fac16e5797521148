// The state of an owner-drawn item (menu item, list or combo box item), from the itemState bits
// of DRAWITEMSTRUCT.
#pragma once

#include "framework/base/type_info.h"

#include <cstdint>
#include <windows.h>

namespace orvo {

enum TOwnerDrawStateItem : std::uint8_t {
    odSelected,
    odGrayed,
    odDisabled,
    odChecked,
    odFocused,
    odDefault,
    odHotLight,
    odInactive,
    odNoAccel,
    odNoFocusRect,
    odComboBoxEdit,
};
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;

inline TOwnerDrawState OwnerDrawStateFromItemState(UINT itemState) noexcept {
    struct TBit {
        UINT Flag;
        TOwnerDrawStateItem Item;
    };
    static constexpr TBit bits[] = {
        {ODS_SELECTED, odSelected},
        {ODS_GRAYED, odGrayed},
        {ODS_DISABLED, odDisabled},
        {ODS_CHECKED, odChecked},
        {ODS_FOCUS, odFocused},
        {ODS_DEFAULT, odDefault},
        {ODS_HOTLIGHT, odHotLight},
        {ODS_INACTIVE, odInactive},
        {ODS_NOACCEL, odNoAccel},
        {ODS_NOFOCUSRECT, odNoFocusRect},
        {ODS_COMBOBOXEDIT, odComboBoxEdit},
    };
    TOwnerDrawState state;
    for (const TBit& b : bits)
        if (itemState & b.Flag) state.Include(b.Item);
    return state;
}

} // namespace orvo

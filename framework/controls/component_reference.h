// References from a component to one it does not own (a control's image list, a button's menu):
// the referenced component tells the holder when it dies (a free notification, which works both
// ways), so the holder's Notification can drop the reference before it dangles.
#pragma once

#include "framework/base/component.h"

namespace orvo {

// Points `field` at `value` and moves the free notification along; false when nothing changed.
template <class T> bool ReplaceReference(TComponent& holder, T*& field, T* value) {
    if (field == value) return false;
    if (field) field->RemoveFreeNotification(&holder);
    field = value;
    if (field) field->FreeNotification(&holder);
    return true;
}

} // namespace orvo

#include "skin/manager/popup_menu_skin.h"

namespace orvo {

// Menus keep the platform's look for now.
std::unique_ptr<TPopupMenuSkin> CreatePopupMenuSkin() {
    return nullptr;
}

} // namespace orvo

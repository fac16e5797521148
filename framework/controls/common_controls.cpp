#include "framework/controls/common_controls.h"

#include <commctrl.h>

namespace orvo {

void NeedCommonControls(DWORD classes) {
    // Only the user-interface thread creates windows, so a plain variable is enough.
    static DWORD registered = 0;
    if ((registered & classes) == classes) return;
    INITCOMMONCONTROLSEX request{sizeof(INITCOMMONCONTROLSEX), classes};
    if (InitCommonControlsEx(&request)) registered |= classes;
}

} // namespace orvo

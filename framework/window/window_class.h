// Window classes of framework controls. Each control class registers a window class of its own
// name ("TButton", "TfMainWin") once per process; one that wraps a native control copies the
// native class (its styles, extra bytes, cursor) and keeps the native procedure for the default
// handling of messages.
#pragma once

#include <windows.h>

namespace orvo {

struct TCreateParams;

// Registers params.WinClassName with `initialProc` as its procedure unless done already, and
// answers the procedure that does the default handling: the native class's procedure, or
// DefWindowProcW. Throws EOSError when the class cannot be registered or the native class does
// not exist.
WNDPROC RegisterControlClass(const TCreateParams& params, WNDPROC initialProc);

} // namespace orvo

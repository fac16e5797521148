// The common-controls window classes (tabs, track bars, tool bars, ...) exist only once comctl32
// has been asked to register them. A control that wraps one asks for its group of classes before
// its window class is looked up, so it works whether or not the application initialised them.
#pragma once

#include <windows.h>

namespace orvo {

// `classes` is a set of ICC_* flags; each group is registered once per process.
void NeedCommonControls(DWORD classes);

} // namespace orvo

// The skin engine's trace: one line per event worth knowing when a hook or a subclass misbehaves.
// Off unless the environment variable ORVO_SKIN_TRACE is set when the program starts: "1" sends
// the lines to the debugger (OutputDebugStringW, which Wine prints with WINEDEBUG=+debugstr), any
// other value is a file the lines are appended to. Costs one test of a flag when off.
#pragma once

namespace orvo {

bool SkinTraceOn() noexcept;
// printf-style (wide); a line end is added.
void SkinTraceLine(const wchar_t* format, ...) noexcept;

} // namespace orvo

// The arguments are not evaluated while tracing is off.
#define ORVO_SKIN_TRACE(...)                                                                                 \
    do {                                                                                                     \
        if (::orvo::SkinTraceOn()) ::orvo::SkinTraceLine(__VA_ARGS__);                                       \
    } while (0)

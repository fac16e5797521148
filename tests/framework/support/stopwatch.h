// The time for benchmark programs: seconds from the performance counter.
#pragma once

#include <windows.h>

namespace orvo::test {

inline double Seconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

} // namespace orvo::test

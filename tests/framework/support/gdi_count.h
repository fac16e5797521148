// Counting GDI objects for leak tests. Wine's GetGuiResources always answers 0, so there the count
// is taken by filling the process's GDI handle table with brushes and seeing how many fit.
#pragma once

#include <windows.h>

#include <vector>

namespace orvo::test {

inline long GdiObjectsInUse() {
    if (const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))
        return static_cast<long>(counted);
    std::vector<HBRUSH> probes;
    probes.reserve(70000);
    while (probes.size() < 200000) {
        HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
        if (!brush) break;
        probes.push_back(brush);
    }
    for (HBRUSH brush : probes)
        DeleteObject(brush);
    return 200000 - static_cast<long>(probes.size());
}

// Runs `action` once to warm up lazily created system objects, then `times` more times, and
// answers how many GDI objects those runs left behind.
template <typename TAction> long GdiObjectsLeakedBy(int times, TAction&& action) {
    action();
    const long before = GdiObjectsInUse();
    for (int i = 0; i < times; ++i)
        action();
    return GdiObjectsInUse() - before;
}

} // namespace orvo::test

#include "skin/draw/skin_draw.h"

namespace orvo {

void DrawParentBackground(HDC dc, POINT childPosition, const RECT& childClientRect,
                          const TPerformOnParent& performOnParent) {
    if (!performOnParent || !dc) return;
    TSavedDc saved(dc);
    OffsetViewportOrgEx(dc, -childPosition.x, -childPosition.y, nullptr);
    IntersectClipRect(dc, childClientRect.left + childPosition.x, childClientRect.top + childPosition.y,
                      childClientRect.right + childPosition.x, childClientRect.bottom + childPosition.y);
    const auto wParam = reinterpret_cast<WPARAM>(dc);
    performOnParent(WM_ERASEBKGND, wParam, 0);
    performOnParent(WM_PAINT, wParam, 0);
}

} // namespace orvo

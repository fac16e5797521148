#include "skin/draw/skin_draw.h"

#include "framework/controls/win_control.h"

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

void DrawParentBackground(HDC dc, TControl& control) {
    TWinControl* parent = control.Parent();
    if (!parent) return;
    DrawParentBackground(dc, {control.Left(), control.Top()}, control.ClientRect(),
                         [parent](UINT m, WPARAM w, LPARAM l) { return parent->Perform(m, w, l); });
}

} // namespace orvo

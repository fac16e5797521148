// The skinned scroll bar's look as plain arithmetic and one painter, shared by the overlays and
// the combo box's drop-down list: which part lies under a point, where a scroll bar control's
// thumb stands and where a drag leads it, which Scrollbar frame an arrow shows, and the painting
// of a whole bar from the skin's elements.
//
// Elements: Scrollbar (23 frames: arrows and grips, see ScrollArrowFrame), HorzScroll and
// VertScroll (track, 4 frames), HorzScrollThumb and VertScrollThumb (thumb: normal, pressed, hot);
// colour ButtonFace.
#pragma once

#include <windows.h>

namespace orvo {

class TSkinElementAccess;

// What a bar's state is read with (SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS).
constexpr UINT ScrollInfoMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

// The platform's scroll request codes the overlay highlights (HotPart).
constexpr int shNone = -1;
constexpr int shFirstArrow = SB_LINEUP;   // 0
constexpr int shSecondArrow = SB_LINEDOWN; // 1
constexpr int shPageBefore = SB_PAGEUP;   // 2
constexpr int shPageAfter = SB_PAGEDOWN;  // 3
constexpr int shThumb = SB_THUMBTRACK;    // 5

// ---- plain geometry --------------------------------------------------------------------------

// The part under `a` pixels along a bar of `barLength` with arrows of `buttonSize`.
int ScrollHitTest(int a, int buttonSize, int thumbStart, int thumbEnd, int barLength) noexcept;
// The thumb of a scroll bar control as the platform places it: `barLength` along the axis.
struct TThumbExtent {
    int Start = 0;
    int End = 0;
};
TThumbExtent ControlThumb(int barLength, int buttonSize, const SCROLLINFO& info) noexcept;
// The thumb's start while it is dragged: where it started plus the cursor's travel, kept
// between the arrows.
int TrackThumbStart(int dragThumbStart, int cursorTravel, int thumbLength, int buttonSize, int barLength) noexcept;
// The position a drop-down list's thumb drag leads to: `n` pixels of thumb travel from the first
// arrow, `track` the length between the arrows, `thumb` the thumb's length.
int ComboDragPosition(int n, int track, int thumb, const SCROLLINFO& info) noexcept;
// The Scrollbar strip frame of an arrow: base 1 left, 5 right, 9 up, 13 down; +1 pressed, +3 hot.
int ScrollArrowFrame(bool vertical, bool second, int hotPart, bool pressed) noexcept;
// The box between a vertical and a horizontal bar (client coordinates), moved to window
// coordinates by the client area's offset in the window.
RECT ScrollCornerBox(const RECT& vertBar, const RECT& horzBar, POINT clientOffset) noexcept;

// What one paint of a bar needs.
struct TScrollBarLook {
    bool Vertical = true;
    bool Enabled = true;
    int ButtonSize = 17;
    int HotPart = shNone;
    bool Pressed = false;
    int ThumbStart = 0;
    int ThumbEnd = 0;
};
// Paints a bar of `size` from the skin's elements, composed off screen and put into `dest` of `dc`
// with one blit (stretched when `dest` is of another size). `thickness` is the cross size drawn (the rest stays ButtonFace). False when
// the skin has no Scrollbar image or the bitmap could not be made.
bool PaintScrollBarLook(HDC dc, const RECT& dest, SIZE size, int thickness, TSkinElementAccess& skin,
                        const TScrollBarLook& look);
// The cross size the skin's bar is drawn with: the Scrollbar image's height, unless it is more
// than 2 pixels off the platform's arrow size.
int ScrollBarThickness(TSkinElementAccess& skin, int buttonSize) noexcept;

} // namespace orvo

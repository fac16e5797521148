// The scroll bar's plain arithmetic and its painter.
#include "skin/controls/scroll_bar_look.h"

#include "framework/graphics/gdi_handle.h"
#include "skin/controls/control_skin.h"
#include "skin/data/skin_data.h"
#include "skin/draw/draw_helpers.h"
#include "skin/draw/skin_draw.h"

#include <algorithm>
#include <cstdlib>

namespace orvo {

namespace {

constexpr int ScrollbarFrames = 23;
constexpr int TrackFrames = 4;
constexpr int ThumbFrames = 3; // normal, pressed, hot, when the skin does not say

} // namespace

int ScrollHitTest(int a, int buttonSize, int thumbStart, int thumbEnd, int barLength) noexcept {
    if (a < buttonSize) return shFirstArrow;
    if (a < thumbStart) return shPageBefore;
    if (a < thumbEnd) return shThumb;
    if (a < barLength - buttonSize) return shPageAfter;
    return shSecondArrow;
}

TThumbExtent ControlThumb(int barLength, int b, const SCROLLINFO& si) noexcept {
    const int d = si.nMax == si.nMin ? 9999999 : si.nMax - si.nMin;
    const int offset = si.nPos - si.nMin;
    const bool atStart = si.nPos == si.nMin;
    int t = 0;
    int s = 0;
    if (si.nPage != 0) {
        t = MulDiv(barLength - 2 * b, static_cast<int>(si.nPage) - 1, d);
        if (t > 7) {
            s = atStart ? b : MulDiv(barLength - 2 * b, offset, d) + b;
        } else {
            t = 8;
            s = atStart ? b : MulDiv(barLength - 2 * b - 8, offset, d) + b;
        }
    } else {
        t = b;
        s = atStart ? b : MulDiv(barLength - 3 * b, offset, d) + b;
    }
    return TThumbExtent{s, s + t};
}

int TrackThumbStart(int dragThumbStart, int cursorTravel, int thumbLength, int buttonSize, int barLength) noexcept {
    int start = dragThumbStart + cursorTravel;
    start = std::max(start, buttonSize);
    start = std::min(start, barLength - buttonSize - thumbLength);
    return start;
}

int ComboDragPosition(int n, int track, int thumb, const SCROLLINFO& si) noexcept {
    n = std::max(n, 0);
    const int room = track - thumb;
    int pos = si.nMin;
    if (si.nPage != 0) {
        const int page = static_cast<int>(si.nPage);
        if (room > 0) {
            if (n > room) n = room + 1;
            pos = MulDiv(n, si.nMax - si.nMin - page, room) + si.nMin;
        }
        if (pos >= si.nMax - page) pos = si.nMax - page + 1;
    } else if (track > 0) {
        pos = MulDiv(std::min(room, n), si.nMax - si.nMin, track) + si.nMin;
        pos = std::min(pos, si.nMax);
    }
    return std::max(pos, si.nMin);
}

int ScrollArrowFrame(bool vertical, bool second, int hotPart, bool pressed) noexcept {
    const int base = vertical ? (second ? 13 : 9) : (second ? 5 : 1);
    if (hotPart == (second ? shSecondArrow : shFirstArrow)) return base + (pressed ? 1 : 3);
    return base;
}

RECT ScrollCornerBox(const RECT& vertBar, const RECT& horzBar, POINT offset) noexcept {
    return RECT{vertBar.left + offset.x, horzBar.top + offset.y, vertBar.right + offset.x, horzBar.bottom + offset.y};
}

int ScrollBarThickness(TSkinElementAccess& skin, int buttonSize) noexcept {
    TDataSkinObject* strip = skin.Scrollbar();
    if (!HasImage(strip)) return buttonSize;
    const int k = strip->Image.Height();
    return std::abs(k - buttonSize) > 2 ? buttonSize : k;
}

bool PaintScrollBarLook(HDC dc, const RECT& dest, SIZE size, int thickness, TSkinElementAccess& skin,
                        const TScrollBarLook& look) {
    TDataSkinObject* strip = skin.Scrollbar();
    if (!HasImage(strip) || size.cx <= 0 || size.cy <= 0) return false;
    draw_detail::TScratch scratch(size.cx, size.cy);
    HDC b = scratch.Dc();
    if (!b) return false;
    SetStretchBltMode(b, COLORONCOLOR);
    RECT all{0, 0, size.cx, size.cy};
    {
        TBrushHandle face(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(skin.Colour(scButtonFace)))));
        FillRect(b, &all, face.Get());
    }
    RECT r = all;
    if (look.Vertical)
        r.right = std::min<LONG>(r.right, thickness);
    else
        r.bottom = std::min<LONG>(r.bottom, thickness);
    const int along = look.Vertical ? size.cy : size.cx;
    const int k = look.Vertical ? r.right : r.bottom;
    const int button = look.ButtonSize;

    // The track between the arrows; Tile always comes from HorzScroll.
    TDataSkinObject* track = look.Vertical ? skin.VertScroll() : skin.HorzScroll();
    TDataSkinObject* horzTrack = skin.HorzScroll();
    if (HasImage(track)) {
        RECT t = r;
        if (look.Vertical) {
            t.top += button;
            t.bottom -= button;
        } else {
            t.left += button;
            t.right -= button;
        }
        if (t.right > t.left && t.bottom > t.top)
            DrawSliced(b, t, track->Image, TrackFrames, look.Enabled ? 1 : 3, false, MarginsOf(*track),
                       horzTrack && horzTrack->Tile != 0, track->Trans != 0);
    }

    // Arrows: half the bar each when it is shorter than two.
    const int arrow = 2 * button > along ? along / 2 : button;
    RECT first = r;
    RECT second = r;
    if (look.Vertical) {
        first.bottom = first.top + arrow;
        second.top = r.bottom - arrow;
    } else {
        first.right = first.left + arrow;
        second.left = r.right - arrow;
    }
    auto arrowFrame = [&](bool isSecond) {
        const int frame = ScrollArrowFrame(look.Vertical, isSecond, look.HotPart, look.Pressed);
        // A disabled bar shows its arrows' disabled frames.
        return look.Enabled ? frame : ScrollArrowFrame(look.Vertical, isSecond, shNone, false) + 2;
    };
    DrawFrameStrip(b, first, strip->Image, true, ScrollbarFrames, arrowFrame(false));
    DrawFrameStrip(b, second, strip->Image, true, ScrollbarFrames, arrowFrame(true));

    if (look.Enabled) {
        const bool hotThumb = look.HotPart == shThumb;
        TDataSkinObject* horzThumb = skin.HorzScrollThumb();
        TDataSkinObject* thumb = look.Vertical ? skin.VertScrollThumb() : horzThumb;
        const int s = look.ThumbStart;
        const int e = look.ThumbEnd;
        if (HasImage(thumb) && horzThumb && s < along && e < along && e > s) {
            const int frame = hotThumb ? (look.Pressed ? 2 : 3) : 1;
            const int frames = horzThumb->Frame > 0 ? horzThumb->Frame : ThumbFrames;
            const RECT t = look.Vertical ? RECT{0, s, k, e} : RECT{s, 0, e, k};
            DrawSliced(b, t, thumb->Image, frames, frame, false, MarginsOf(*thumb), false, horzThumb->Trans != 0);
        }
        // The grip, centred on the thumb when the thumb is long enough.
        const int g = strip->Image.Height();
        const int length = e - s;
        if (g < length + 2 && length > 0) {
            const int at = s + (length - g) / 2;
            int frame = look.Vertical ? 20 : 17;
            if (hotThumb) frame += look.Pressed ? 1 : 2;
            const RECT grip = look.Vertical ? RECT{0, at, k, at + g} : RECT{at, 0, at + g, k};
            if (at >= 0 && at + g <= along) DrawFrameStrip(b, grip, strip->Image, true, ScrollbarFrames, frame);
        }
    }

    const int dw = dest.right - dest.left;
    const int dh = dest.bottom - dest.top;
    if (dw == size.cx && dh == size.cy)
        BitBlt(dc, dest.left, dest.top, dw, dh, b, 0, 0, SRCCOPY);
    else if (dw > 0 && dh > 0) {
        const int old = SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, dest.left, dest.top, dw, dh, b, 0, 0, size.cx, size.cy, SRCCOPY);
        SetStretchBltMode(dc, old);
    }
    return true;
}

} // namespace orvo

#include "skin/form/frame_geometry.h"

#include "skin/data/skin_elements.h"

#include <algorithm>

namespace orvo {

namespace {

int SideWidth(const TDataSkinBorder& e) noexcept {
    return e.Image.Empty() ? 0 : e.Image.Width() / std::max(e.Frame, 1);
}

int StackHeight(const TDataSkinBorder& e) noexcept {
    return e.Image.Empty() ? 0 : e.Image.Height() / std::max(e.Frame, 1);
}

bool Inside(const RECT& r, POINT p) noexcept {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

} // namespace

TFrameKind FrameKindOf(DWORD style, DWORD exStyle, bool dialogClass) noexcept {
    if ((style & WS_CAPTION) != WS_CAPTION) return TFrameKind::None;
    if ((exStyle & WS_EX_DLGMODALFRAME) || dialogClass) return TFrameKind::Dialog;
    if (style & WS_THICKFRAME) return TFrameKind::Sizeable;
    if (style & DS_MODALFRAME) return TFrameKind::Dialog;
    return TFrameKind::Single;
}

std::uint8_t BorderIconsOf(DWORD style, DWORD exStyle, bool hasSystemMenu) noexcept {
    std::uint8_t icons = 0;
    if ((style & WS_SYSMENU) || hasSystemMenu) icons |= bibSystemMenu;
    if (style & WS_MINIMIZEBOX) icons |= bibMinimizeBox;
    if (style & WS_MAXIMIZEBOX) icons |= bibMaximizeBox;
    if (exStyle & WS_EX_CONTEXTHELP) icons |= bibHelpBox;
    return icons;
}

TWindowShowState ShowStateOf(UINT showCmd) noexcept {
    switch (showCmd) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        return TWindowShowState::Minimized;
    case SW_SHOWMAXIMIZED:
        return TWindowShowState::Maximized;
    default:
        return TWindowShowState::Normal;
    }
}

TFrameBorders BordersFromSkin(const TDataSkinBorder& left, const TDataSkinBorder& top,
                              const TDataSkinBorder& right, const TDataSkinBorder& bottom, TFrameKind kind,
                              int menuHeight) noexcept {
    if (kind == TFrameKind::None) return {};
    return TFrameBorders{SideWidth(left), StackHeight(top), SideWidth(right), StackHeight(bottom),
                         std::max(menuHeight, 0)};
}

RECT ClientInside(const RECT& window, const TFrameBorders& b, const TScrollBarSpace& bars) noexcept {
    RECT r{window.left + b.Left, window.top + b.Top + b.Menu, window.right - b.Right, window.bottom - b.Bottom};
    if (bars.LeftScrollBar)
        r.left += bars.Vertical;
    else
        r.right -= bars.Vertical;
    r.bottom -= bars.Horizontal;
    // A window smaller than its frame has an empty client area at the frame's inner corner.
    r.right = std::max(r.right, r.left);
    r.bottom = std::max(r.bottom, r.top);
    return r;
}

int FrameHitTest(const THitTestInput& in) noexcept {
    const POINT p = in.Point;
    const int w = in.Window.cx, h = in.Window.cy;
    if (p.x < 0 || p.y < 0 || p.x >= w || p.y >= h) return HTNOWHERE;
    if (in.Show == TWindowShowState::Minimized) return HTCAPTION;
    if (Inside(in.Client, p)) return HTCLIENT;
    const TFrameBorders& b = in.Borders;
    const RECT inner{b.Left, b.Top + b.Menu, w - b.Right, h - b.Bottom};
    if (Inside(inner, p)) return HitTestAskDefault;

    if (in.Kind == TFrameKind::Sizeable && in.Show == TWindowShowState::Normal) {
        const int corner = std::max(in.CornerSize, 1);
        const bool left = p.x < b.Left, right = p.x >= w - b.Right;
        const bool top = p.y < std::min(in.TopSizingRows, std::max(b.Top, 1)), bottom = p.y >= h - b.Bottom;
        if (top || bottom) {
            const int base = top ? HTTOP : HTBOTTOM;
            if (p.x < corner) return base + 1;      // HTTOPLEFT, HTBOTTOMLEFT
            if (p.x >= w - corner) return base + 2; // HTTOPRIGHT, HTBOTTOMRIGHT
            return base;
        }
        if (left || right) {
            if (p.y < corner) return left ? HTTOPLEFT : HTTOPRIGHT;
            if (p.y >= h - corner) return left ? HTBOTTOMLEFT : HTBOTTOMRIGHT;
            return left ? HTLEFT : HTRIGHT;
        }
    }
    if (p.y < b.Top) return HTCAPTION;
    if (p.y < b.Top + b.Menu && p.x >= b.Left && p.x < w - b.Right) return HTMENU;
    return HTBORDER;
}

} // namespace orvo

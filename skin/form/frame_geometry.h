// The geometry of a skinned frame as plain arithmetic: which kind of frame a window style asks
// for, how wide the skin's borders are, where the client area lies inside them and what a point
// of the window hits. Nothing here touches a window, so every rule is tested on its own.
//
// Coordinates: "frame coordinates" have their origin at the window's top-left corner (the window
// DC's coordinates); rectangles are left, top, right, bottom with right and bottom exclusive.
#pragma once

#include <cstdint>
#include <windows.h>

namespace orvo {

class TDataSkinBorder;

// How the frame is drawn; decided from the style when the window is attached.
enum class TFrameKind : std::uint8_t {
    Sizeable = 0, // WS_THICKFRAME
    Single = 1,   // a fixed frame
    None = 2,     // no caption: the window keeps its own frame
    Dialog = 3,   // a dialog frame (DS_MODALFRAME, WS_EX_DLGMODALFRAME, dialog classes)
};

enum class TFormKind : std::uint8_t {
    Ordinary = 0,
    MdiFrame = 1, // has an "MDIClient" child
    MdiChild = 2, // WS_EX_MDICHILD
};

// The window's show state as the frame sees it.
enum class TWindowShowState : std::uint8_t { Normal = 0, Maximized = 1, Minimized = 2 };

// What the caption may offer, from the window's styles.
enum TBorderIconBits : std::uint8_t {
    bibMaximizeBox = 1,
    bibMinimizeBox = 2,
    bibHelpBox = 4,
    bibSystemMenu = 8,
    bibKeepSysMenuStyle = 16, // never take WS_SYSMENU away (see the form skin)
};

TFrameKind FrameKindOf(DWORD style, DWORD exStyle, bool dialogClass) noexcept;
std::uint8_t BorderIconsOf(DWORD style, DWORD exStyle, bool hasSystemMenu) noexcept;
// From GetWindowPlacement's showCmd.
TWindowShowState ShowStateOf(UINT showCmd) noexcept;

// The skinned frame: the widths of the left and right borders, the caption bar's height, the
// bottom border's height and the menu strip under the caption.
struct TFrameBorders {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Menu = 0;

    bool operator==(const TFrameBorders&) const = default;
};

// The borders the skin's images give: a side image's width over its frame count, a top or bottom
// image's height over its frame count; all zero (menu strip included) for TFrameKind::None.
TFrameBorders BordersFromSkin(const TDataSkinBorder& left, const TDataSkinBorder& top,
                              const TDataSkinBorder& right, const TDataSkinBorder& bottom, TFrameKind kind,
                              int menuHeight) noexcept;

// The system's scroll bars, which sit between the client area and the skinned borders.
struct TScrollBarSpace {
    int Vertical = 0;   // width of the vertical bar (0: none)
    int Horizontal = 0; // height of the horizontal bar (0: none)
    bool LeftScrollBar = false;
};

// The client rectangle inside a window rectangle (any coordinate system), never inverted.
RECT ClientInside(const RECT& window, const TFrameBorders& borders, const TScrollBarSpace& bars = {}) noexcept;

// Hit-test answer that means "ask the window's own handling" (scroll bars, size box).
constexpr int HitTestAskDefault = -100;

struct THitTestInput {
    POINT Point{};           // frame coordinates
    SIZE Window{};           // window size
    RECT Client{};           // the client area in frame coordinates
    TFrameBorders Borders;   // the skinned frame
    TFrameKind Kind = TFrameKind::Sizeable;
    TWindowShowState Show = TWindowShowState::Normal;
    int CornerSize = 16;     // how far along an edge a corner's sizing zone reaches
    int TopSizingRows = 4;   // the caption's rows that size the window from its top edge
};

// What a point of a skinned window hits: the client; the sizing edges and corners of a sizeable,
// normal-sized frame (its top edge being the caption's first TopSizingRows rows); the caption bar
// (HTCAPTION, caption buttons included: the form skin handles their mouse messages itself); the
// menu strip (HTMENU); HTBORDER anywhere else in the frame. HitTestAskDefault between the client
// and the borders (the system's scroll bars). A minimised window is all caption.
int FrameHitTest(const THitTestInput& in) noexcept;

} // namespace orvo

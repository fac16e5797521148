// Skinned scroll bars. The platform draws a control's scroll bars in its non-client area and a
// scroll bar control draws itself; neither can be repainted reliably from outside. So each
// visible bar is covered by a small window of the skin's, the overlay (TWScrollbar), placed
// exactly over the platform's bar (GetScrollBarInfo), directly above the control in its parent's
// z-order, and painted from the skin. The overlay scrolls nothing itself: a press on it is handed
// to the covered bar (WM_NCLBUTTONDOWN with the bar's hit code on the control, or the press on a
// scroll bar control), whose own tracking repeats, drags the thumb and notifies the control; the
// overlay repaints from the bar's state meanwhile. No timers here: the platform's are used.
//
// Classes in this file:
//   TWScrollbar       the overlay: kind 0 a control's horizontal bar, 1 its vertical bar, 2 a
//                     scroll bar control as a whole. A framework window placed with ParentWindow,
//                     so no control walk finds it; it answers the already-skinned query.
//   TSkinScrollbar    a framework control with scroll bars (memos, list boxes, grids, trees, rich
//                     edits): two overlays, the 2-pixel border of a bordered control, the corner
//                     box between two bars, a grid's FixedColor. Base of the list-view and
//                     check-list skins.
//   TSkinScrollbarH   the same over a bare window (a simple combo box's list); no border.
//   TSkinScControl    a framework scroll bar control: one overlay over the whole control.
//   TComboxScrollBar  a combo box's drop-down list: its vertical bar painted straight into the
//                     list's frame, and a thumb drag of its own that ends with the button, with
//                     the capture, with the list, or with WM_QUIT (put back for the loop outside).
//
// Elements: Scrollbar (23 frames: arrows and grips, see ScrollArrowFrame), HorzScroll and
// VertScroll (track, 4 frames), HorzScrollThumb and VertScrollThumb (thumb: normal, pressed, hot);
// colours ButtonFace and ButtonShadow. Without a Scrollbar image nothing is painted; without
// GetScrollBarInfo no overlay is made (the skin component drops xcScrollbar).
//
// An overlay pressed while its owner goes (a timer or posted message freeing the control during
// the platform's tracking) is hidden and freed only after the tracking has returned.
#pragma once

#include "framework/controls/win_control.h"
#include "skin/controls/control_skin.h"

#include <memory>

namespace orvo {

class TSkinData;

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
// Paints a bar of `size` into `dc` at `at` from the skin's elements, composed off screen and put
// down with one blit. `thickness` is the cross size drawn (the rest stays ButtonFace). False when
// the skin has no Scrollbar image or the bitmap could not be made.
bool PaintScrollBarLook(HDC dc, POINT at, SIZE size, int thickness, TSkinData& skin, const TScrollBarLook& look);
// The cross size the skin's bar is drawn with: the Scrollbar image's height, unless it is more
// than 2 pixels off the platform's arrow size.
int ScrollBarThickness(TSkinData& skin, int buttonSize) noexcept;

// ---- the overlay -----------------------------------------------------------------------------

class TWScrollbar : public TCustomControl {
    ORVO_CLASS(TWScrollbar, TCustomControl)
public:
    explicit TWScrollbar(TSkinControl* skinOwner);
    ~TWScrollbar() override;

    void AttachToControl(TSkinControl* skinOwner, TControl* control, int kind);
    void AttachToWindow(TSkinControl* skinOwner, HWND window, int kind);
    void HideBar();
    void UpdatePosition(HWND window);
    int HitTest(POINT p) const noexcept;
    bool ReadBarInfo(SCROLLBARINFO& info);
    void TrackThumb();
    // Marks the part the platform's tracking operates (a WM_HSCROLL / WM_VSCROLL request code).
    void ScrollRequest(int code);
    // Repaints when the bar's state differs from the last paint's.
    void RefreshIfChanged();

    // Frees an overlay, or, while the platform tracks a press on it, hides it and frees it once
    // the tracking has returned. `bar` is cleared either way.
    static void Release(TWScrollbar*& bar) noexcept;

    int BarLength = 0;
    int ThumbStart = 0;
    int ThumbEnd = 0;
    POINT BarOrigin{};
    POINT DragCursor{};
    int DragThumbStart = 0;
    bool Pressed = false;
    int Vertical = 0;
    int HotPart = shNone;
    int ButtonSize = 0;
    HWND Target = nullptr;
    TControl* TargetControl = nullptr;
    TSkinControl* SkinOwner = nullptr;
    std::uint8_t Kind = 0;
    RECT BarRect{};
    bool Showing = false;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void Paint() override;

private:
    void HoverAt(const TMessage& message);
    void HoverEnd();
    void PressAt(TMessage& message);
    void ReleaseAt(TMessage& message);
    void PlaceAt(POINT p, SIZE size);
    // The state the last paint showed, to tell whether a repaint is due.
    struct TShown {
        int Pos = 0, Min = 0, Max = 0, Page = 0, State = 0;
        bool operator==(const TShown&) const = default;
    };
    TShown CurrentState();
    TShown FShown{};
    bool FAbandoned = false;
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

// ---- the control skins -----------------------------------------------------------------------

class TSkinScrollbar : public TSkinControl {
    ORVO_CLASS(TSkinScrollbar, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    ~TSkinScrollbar() override;

    // Both roads lead to AttachScrollbars (a control supplied by the program, a re-created one).
    void AttachControl(TWinSkinForm* form, TSkinData* skinData, bool manageColor, TCanvas* formCanvas) override;
    virtual void AttachScrollbars(TControl* control, TSkinData* skinData, TWinSkinForm* form, TCanvas* formCanvas);
    void Unskin() override;
    void SkinChanged() override;

    TWScrollbar* HorzBar = nullptr;
    TWScrollbar* VertBar = nullptr;
    bool OwnBorder = false;

protected:
    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& r) override;
    void DrawBorder(HDC dc) const;
    void UpdateBars();
    void ReleaseBars() noexcept;

private:
    bool FFixedColorReplaced = false;
    std::int32_t FSavedFixedColor = 0;
};

class TSkinScrollbarH : public TSkinControl {
    ORVO_CLASS(TSkinScrollbarH, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    ~TSkinScrollbarH() override;
    void AttachWindow(HWND window, TSkinData* skinData, TWinSkinForm* form, TCanvas* formCanvas) override;
    void Unskin() override;

    TWScrollbar* HorzBar = nullptr;
    TWScrollbar* VertBar = nullptr;

protected:
    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& r) override;
};

class TSkinScControl : public TSkinControl {
    ORVO_CLASS(TSkinScControl, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    ~TSkinScControl() override;
    void AttachControl(TWinSkinForm* form, TSkinData* skinData, bool manageColor, TCanvas* formCanvas) override;
    void AttachScrollControl(TControl* control, TSkinData* skinData, TWinSkinForm* form, TCanvas* formCanvas);
    void Unskin() override;

    TWScrollbar* Bar = nullptr;

protected:
    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& r) override;
};

class TComboxScrollBar : public TSkinControl {
    ORVO_CLASS(TComboxScrollBar, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    int ButtonSize = GetSystemMetrics(SM_CXHSCROLL);
    int ThumbStart = 0;
    int ThumbEnd = 0;
    // Scroll requests the last drag sent (SB_THUMBTRACK positions, then SB_THUMBPOSITION).
    int DragRequests = 0;

protected:
    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& r) override;

private:
    bool DragThumb(const TMessage& message);
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

} // namespace orvo

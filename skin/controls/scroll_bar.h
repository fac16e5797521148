// The skins of controls with scroll bars. The platform draws a control's scroll bars in its
// non-client area and a scroll bar control draws itself; neither can be repainted reliably from
// outside, so each visible bar is covered by an overlay (TWScrollbar, scroll_overlay.h) that
// these skins make, move, hide and free with the control.
//
// Classes in this file:
//   TSkinScrollbar    a framework control with scroll bars (memos, list boxes, grids, trees, rich
//                     edits): two overlays, the 2-pixel border of a bordered control, the corner
//                     box between two bars, a grid's FixedColor. Base of the list-view and
//                     check-list skins.
//   TSkinScrollbarH   the same over a bare window (a simple combo box's list; under a skin that
//                     dresses window colours, another module's list or tree view, with the
//                     border over its client edge).
//   TSkinScControl    a framework scroll bar control: one overlay over the whole control.
// The combo box's drop-down list paints its bar itself: TComboxScrollBar (combo_list_scroll.h).
//
// Elements: those of the bar (scroll_bar_look.h); colours ButtonFace and ButtonShadow for the
// border and the corner box. Without a Scrollbar image nothing is painted; without
// GetScrollBarInfo no overlay is made (the skin component drops xcScrollbar).
#pragma once

#include "skin/controls/combo_list_scroll.h"
#include "skin/controls/control_skin.h"
#include "skin/controls/scroll_overlay.h"

#include <cstdint>

namespace orvo {

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
    // The 2-pixel border over the window's client edge (set before attaching).
    bool OwnBorder = false;

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

} // namespace orvo

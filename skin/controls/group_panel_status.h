// Container-like controls.
//
// Classes in this file:
//   TSkinGroupBox   a group box drawn as a rounded frame line in the skin's ButtonShadow colour
//                   with the caption cut into it; a framework group box's painting is taken over
//                   (WM_PAINT, its windowless children painted on top), a bare one is drawn over.
//   TSkinBox        a panel-like control recoloured with the skin's ButtonFace; it paints
//                   nothing (its hook only answers the skin's private messages).
//   TSkinBoxH       a bare container window (a nested dialog page): background and static
//                   controls in ButtonFace, its controls' colour messages answered as the
//                   dialog's are (window_colours.h).
//   TSkinStatusBar  a status bar: every panel (SB_GETRECT) with the StatusBarEdges frame of its
//                   bevel (1 lowered, 2 raised, 3 none), its text in the element's NormalColour2,
//                   the size grip from ExtraImages frame 5; composed off screen, one blit.
//   TSkinSizer      a size-grip scroll bar: ButtonFace with the skin's grip on it.
// Without StatusBarEdges the panels get plain 3-D edges; without ExtraImages no grip is drawn.
#pragma once

#include "skin/controls/control_skin.h"

#include <string>

namespace orvo {

class TBitmap;
class TDataSkinObject;

// The edge frame of a status panel's bevel identifier ("pblowered", "pbraised", "pbnone").
int StatusBevelFrame(const std::wstring& bevel) noexcept;
// The DrawText alignment of a panel's Alignment identifier, left and right swapped for a
// right-to-left panel.
UINT StatusAlignmentFlags(const std::wstring& alignment, bool rightToLeft) noexcept;
// The size grip's rectangle: `grip` large, its bottom-right corner 1 pixel in from `r`'s.
RECT SizeGripRect(const RECT& r, SIZE grip) noexcept;
// The y of a group box's frame line for a font whose "0" is `textHeight` high.
inline int GroupFrameLineY(int textHeight) noexcept {
    return textHeight / 2 - 1;
}

class TSkinGroupBox : public TSkinControl {
    ORVO_CLASS(TSkinGroupBox, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    void AttachControl(TWinSkinForm* form, TSkinData* skinData, bool manageColor, TCanvas* formCanvas) override;

protected:
    bool BeforeMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& r) override;
};

class TSkinBox : public TSkinControl {
    ORVO_CLASS(TSkinBox, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    void Unskin() override;

protected:
    void AfterMessage(TMessage&) override {}
};

class TSkinBoxH : public TSkinControl {
    ORVO_CLASS(TSkinBoxH, TSkinControl)
public:
    using TSkinControl::TSkinControl;

protected:
    bool BeforeMessage(TMessage& message) override;
};

class TSkinStatusBar : public TSkinControl {
    ORVO_CLASS(TSkinStatusBar, TSkinControl)
public:
    using TSkinControl::TSkinControl;

protected:
    bool BeforeMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& r) override;

private:
    void PanelEdge(HDC dc, const RECT& r, int frame) const;
    void PanelText(HDC dc, const RECT& r, const std::wstring& text, UINT alignment) const;
    void DrawPanels(HDC dc, const RECT& r, int count);
    void DrawOwnerPanels(HDC dc, int count);
};

class TSkinSizer : public TSkinControl {
    ORVO_CLASS(TSkinSizer, TSkinControl)
public:
    using TSkinControl::TSkinControl;

protected:
    void DrawSkin(HDC dc, const RECT& r) override;
};

} // namespace orvo

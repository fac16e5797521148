// Bars that hold other controls.
//
// Classes in this file:
//   TSkinToolBar   a tool bar: flat, its background and its buttons painted through the bar's
//                  custom-draw events (unless the program handles them itself): the Toolbar
//                  element stretched behind the buttons (unless the skin's Options hold
//                  xoToolbarBK), the Buttons face under a pressed, hot, focused or default button
//                  (unless xoToolbarButton). Unskin takes both painters out and hands Flat back.
//   TSkinCoolBar   a cool bar: every band in ButtonFace; Unskin gives the bands their colours back.
// Both are recolouring objects like TSkinBox: they answer the skin's private messages and paint
// nothing of their own.
#pragma once

#include "skin/controls/group_panel_status.h"

#include <memory>
#include <vector>

namespace orvo {

class TSkinData;

// The Buttons face frame of a tool button in the custom-draw state `bits` (CDIS_*): 2 selected,
// 4 hot or focused, 1 default (neither grayed nor disabled); 0 draws nothing.
int ToolbarButtonFrame(UINT bits) noexcept;
// The Toolbar element stretched over `r`; false when the skin's Options or elements leave the
// background to the bar.
bool PaintToolbarBackground(TSkinData& skinData, HDC dc, const RECT& r);
// The face of a tool button (`bounds` in the bar's client area) in state `bits`; the text colour
// for the platform's caption when the element gives one. False when nothing was drawn.
bool PaintToolbarButton(TSkinData& skinData, HDC dc, const RECT& bounds, UINT bits, TColor& textColour);

class TSkinToolBar : public TSkinBox {
    ORVO_CLASS(TSkinToolBar, TSkinBox)
public:
    using TSkinBox::TSkinBox;
    ~TSkinToolBar() override;
    void AttachControl(TWinSkinForm* form, TSkinData* skinData, bool manageColor,
                       TCanvas* formCanvas) override;
    void Unskin() override;

private:
    bool Painting() const;
    // The painters reach this object through the token, which dies with it.
    std::shared_ptr<TSkinToolBar*> FToken;
    bool FBackgroundInstalled = false;
    bool FButtonInstalled = false;
    bool FFlatChanged = false;
};

class TSkinCoolBar : public TSkinBox {
    ORVO_CLASS(TSkinCoolBar, TSkinBox)
public:
    using TSkinBox::TSkinBox;
    void AttachControl(TWinSkinForm* form, TSkinData* skinData, bool manageColor,
                       TCanvas* formCanvas) override;
    void Unskin() override;
    void SkinChanged() override;

protected:
    bool BeforeMessage(TMessage& message) override;

private:
    struct TSavedBand {
        TColor Color;
        bool ParentColor;
    };
    void PaintBands();
    std::vector<TSavedBand> FSaved;
};

} // namespace orvo

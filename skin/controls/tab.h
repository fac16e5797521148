// Tab strips and their pages.
//
// Classes in this file:
//   TSkinTab       a tab control or page control (SysTabControl32) in any of the four tab
//                  positions: the tabs from the Tabs element (frame 2 the focused tab, 1 the
//                  others) drawn off screen as if they stood on top or at the bottom, then rotated
//                  into place; the page frame from the Tabs element's Border image (Style 0) or
//                  from Tab.Pane (Style 1), flipped or rotated like the tabs. The control's
//                  windowless children are painted afterwards (a page control has Mode 2). The
//                  control's own scroll arrows (an msctls_updown32 child) are left out of the
//                  strip's copy and skinned as a horizontal TSkinUpDown.
//   TSkinTabBtn    a tab control drawn as buttons: the Buttons face (frame 2 focused, 1 others).
//   TSkinTab31     the older tab set: tabs hanging from a line, from the flipped Tabs image; its
//                  scroller (an up-down) skinned as a horizontal TSkinUpDown.
//   TSkinTabSheet  a page of a page control: ButtonFace under its controls.
//
// Messages: WM_PAINT (all four), WM_ERASEBKGND (tab set and sheet), WM_PRINT (sheet).
// Without a Tabs image the strip is left to the control; without a pane image, the page frame.
#pragma once

#include "framework/graphics/bitmap.h"
#include "skin/controls/control_skin.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

namespace orvo {

class TSkinUpDown;
class TTabSet;

// Where the tabs stand: the TCS_BOTTOM and TCS_VERTICAL bits of the style.
enum TTabOrientation : int { toTop = 0, toBottom = 1, toLeft = 2, toRight = 3 };
TTabOrientation TabOrientationOf(DWORD style) noexcept;

// The page frame's rectangle: the display area grown by 4 on every side and moved one pixel
// towards the tabs.
RECT TabPageRect(const RECT& display, TTabOrientation orientation) noexcept;
// The area of the tabs: between the window's edge on the tab side and the page frame.
RECT TabStripRect(const RECT& window, const RECT& page, TTabOrientation orientation) noexcept;
// A tab's rectangle (window coordinates) in the strip bitmap, which is drawn as if the tabs
// stood on top (left, right) or at the bottom; `length` is the strip's length along the tabs.
RECT TabInStrip(const RECT& tab, TTabOrientation orientation, const RECT& page, const RECT& window,
                int length) noexcept;

// Where a tab's (or header item's) icon and text go inside its rectangle `t`: the icon counts
// when usable and narrower than `t`; `text` is the measured text size (0 x 0 for no text);
// alignment DT_LEFT, DT_CENTER or DT_RIGHT. The start is 3 for left alignment, never below 1.
// The icon is centred vertically by its height.
struct TCaptionPlace {
    bool UseIcon = false;
    POINT Icon{};
    RECT Text{};
};
TCaptionPlace CaptionPlace(const RECT& t, SIZE icon, bool iconUsable, SIZE text, UINT alignment) noexcept;

class TSkinTab : public TSkinControl {
    ORVO_CLASS(TSkinTab, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    ~TSkinTab() override;
    void AttachControl(TWinSkinForm* form, TSkinData* skinData, bool manageColor,
                       TCanvas* formCanvas) override;
    void AttachWindow(HWND window, TSkinData* skinData, TWinSkinForm* form, TCanvas* formCanvas) override;
    void SkinChanged() override;
    void Unskin() override;

    std::vector<RECT> TabRects; // per tab, in window coordinates, as last painted
    TTabOrientation Orientation = toTop;
    bool UnicodeTabs = true;
    TBitmap TabImage;  // the Tabs image, flipped for bottom tabs
    TBitmap PaneImage; // the page frame image, oriented like the tabs
    TBitmap StripBitmap;
    HWND UpDown = nullptr; // the control's own scroll arrows, when it has them
    TSkinUpDown* ArrowSkin = nullptr; // their skin (owned by this object)

protected:
    bool BeforeMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& r) override;

private:
    void PrepareImages();
    bool FindUpDown();
    void DrawStrip(HDC dc, const RECT& r, const RECT& page);
    void DrawPane(HDC dc, const RECT& page);
};

class TSkinTabBtn : public TSkinControl {
    ORVO_CLASS(TSkinTabBtn, TSkinControl)
public:
    using TSkinControl::TSkinControl;

protected:
    bool BeforeMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& r) override;
};

class TSkinTab31 : public TSkinControl {
    ORVO_CLASS(TSkinTab31, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    // Through the bare-window road on the tab set's own window.
    void AttachTabSet(TTabSet* tabSet, TSkinData* skinData, TWinSkinForm* form, TCanvas* formCanvas);
    void SkinChanged() override;
    void Unskin() override;

    TBitmap StripImage; // the Tabs image flipped: tabs hang from the line
    TTabSet* TabSet = nullptr;
    TSkinUpDown* ArrowSkin = nullptr; // the scroller's skin (owned by this object)

protected:
    bool BeforeMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& r) override;

private:
    void PrepareImage();
};

class TSkinTabSheet : public TSkinControl {
    ORVO_CLASS(TSkinTabSheet, TSkinControl)
public:
    using TSkinControl::TSkinControl;

protected:
    bool BeforeMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& r) override;
};

// The tab caption: icon and text in `t` of `dc` (font and colour already chosen), centred.
void DrawTabCaption(HDC dc, const RECT& t, const std::wstring& text, int imageIndex, HIMAGELIST images,
                    bool disabled, UINT extraFlags);

} // namespace orvo

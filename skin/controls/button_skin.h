// Push buttons in the skin's Buttons look (an image of 5 face frames side by side: 1 normal,
// 2 pressed, 3 disabled, 4 hot, 5 focused or default).
//
// Classes in this file:
//   TSkinButton       plain push buttons (framework TButton or a bare "button" window). Takes the
//                     painting over (face, caption, focus rectangle, composed off screen, one
//                     blit) and the mouse: the press is consumed, so the control neither captures
//                     nor clicks by itself, and the click is raised on a release inside the button;
//                     a press dragged out is cancelled. Space and Enter still click through the
//                     control's own handling.
//   TSkinBitButton    buttons with a glyph (Glyph with NumGlyphs frames, Images/ImageIndex, or a
//                     named graphic property) laid out by Layout, Margin and Spacing.
//   TSkinMenuButton   a glyph, the caption and a drop-down arrow in a row.
//   TSkinSpeedButton  windowless speed buttons (Down, Flat, GroupIndex), painted on the control's
//                     own paint DC; hover from the framework's CM_MOUSEENTER/CM_MOUSELEAVE.
//
// Messages: WM_PAINT, WM_ERASEBKGND, WM_TIMER, WM_LBUTTONDOWN/DBLCLK (filters); WM_SETTEXT,
// space WM_KEYDOWN/WM_KEYUP, WM_MOUSEMOVE, WM_LBUTTONUP, WM_MOUSELEAVE, CM_MOUSEENTER,
// CM_MOUSELEAVE, CM_DIALOGKEY, CM_FOCUSCHANGED (reactions). Without a Buttons image none of this
// happens: the button keeps the platform's look and behaviour.
//
// Options read: xoTransparent (the parent's background under the face; also a control Tag of
// 5555), xoNoFocusRect.
#pragma once

#include "framework/graphics/bitmap.h"
#include "skin/controls/control_skin.h"

#include <memory>
#include <string>

namespace orvo {

class TDataSkinButton;

// ---- the rules, as plain functions -----------------------------------------------------------

constexpr int bfNormal = 1;
constexpr int bfPressed = 2;
constexpr int bfDisabled = 3;
constexpr int bfHot = 4;
constexpr int bfFocused = 5;
constexpr int ButtonFaceFrames = 5;

// Disabled overrides everything, then pressed, hot, focused or default, normal.
int ButtonFaceFrame(bool enabled, bool pressed, bool hot, bool focusedOrDefault) noexcept;
// A NumGlyphs value as a strip count: 1 to 4 (0 or less, or absent, is 1).
int ClampNumGlyphs(int numGlyphs) noexcept;
// The glyph frame for a face frame: pressed -> 3, disabled -> 2, otherwise 1; a frame the strip
// does not have falls back to 1.
int GlyphFrameForFace(int faceFrame, int numGlyphs) noexcept;
// The text colour: the base (the control's font colour or the skin's ButtonText), then the skin's
// state colours where it defines them, the shadow colour when disabled. `normalOnlyInFrame1`: the
// skin's normal colour applies to frame 1 only (menu buttons, speed buttons with a glyph).
TColor ButtonTextColour(TColor base, const TDataSkinButton& element, int faceFrame, bool normalOnlyInFrame1);
// The caption's first "||" becomes a line break (only the first).
std::wstring ButtonCaptionLines(std::wstring caption);

enum class TGlyphLayout { Left, Right, Top, Bottom };
// "blglyphleft" ... "blglyphbottom" (lower case); anything else is Left.
TGlyphLayout GlyphLayoutOf(const std::wstring& identifier) noexcept;

struct TGlyphTextInput {
    SIZE Client{};   // the button
    SIZE Glyph{};    // 0 x 0 without a glyph
    SIZE Text{};     // the measured caption, 0 x 0 when empty
    TGlyphLayout Layout = TGlyphLayout::Left;
    int Margin = -1; // -1: centred
    int Spacing = 4; // -1: spread
    bool Centred = false; // Alignment reads "tacenter"
    bool SpeedButton = false;
};
struct TGlyphTextPlace {
    POINT Glyph{};
    POINT Text{};
};
// Where a bit button's glyph and caption go.
TGlyphTextPlace LayoutGlyphAndText(TGlyphTextInput in) noexcept;

struct TMenuButtonPlace {
    POINT Glyph{};
    POINT Text{};
    POINT Arrow{}; // centre of the drop-down arrow
};
constexpr int MenuArrowBox = 8;
// A menu button's row: margin, glyph, spacing, caption, spacing, the arrow box, margin. Margin or
// Spacing -1 share out the free width; the arrow always stays inside the button.
TMenuButtonPlace LayoutMenuButton(SIZE client, SIZE glyph, SIZE text, int margin, int spacing) noexcept;

// ---- the skin objects ------------------------------------------------------------------------

class TSkinButton : public TSkinControl {
    ORVO_CLASS(TSkinButton, TSkinControl)
public:
    explicit TSkinButton(TComponent* owner);

    void AttachControl(TWinSkinForm* form, TSkinData* skinData, bool manageColor, TCanvas* formCanvas) override;
    void AttachWindow(HWND window, TSkinData* skinData, TWinSkinForm* form, TCanvas* formCanvas) override;

    TBitmap FaceBitmap;
    bool Transparent = false;

    // The frame the face shows now (state read from the window and the control).
    int CurrentFaceFrame();

protected:
    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& r) override;

    // The skin has a face image.
    bool HasFace() const;
    // Refreshes Focused, Enabled, Text and reads Default.
    void ReadState();
    // Face background and frame into FaceBitmap (sized to `r`); answers the frame.
    int ComposeFace(const RECT& r, bool drawFace = true);
    // Selects the font and text colour into the face bitmap's DC for the scope of a paint.
    class TFaceText;
    void DrawButtonCaption(HDC dc, const RECT& w, bool centred);
    void DrawFocus(HDC dc, RECT textRect) const;
    void Blit(HDC dc, const RECT& r);
    void SetHot(bool hot);
    void RaiseClick();
    // The skin's "normal" text colour applies to frame 1 only.
    virtual bool NormalColourOnlyInFrame1() const { return false; }

    bool FDefault = false;

private:
    void MouseDown(const TMessage& message);
    void MouseUp(const TMessage& message);
};

class TSkinBitButton : public TSkinButton {
    ORVO_CLASS(TSkinBitButton, TSkinButton)
public:
    using TSkinButton::TSkinButton;
    std::wstring GraphicProperty;

protected:
    void DrawSkin(HDC dc, const RECT& r) override;
    // The glyph and caption, laid out, into `dc` (the face bitmap).
    void DrawGlyphAndCaption(HDC dc, const RECT& w, int faceFrame, bool speedButton, bool glyphDown);
};

class TSkinMenuButton : public TSkinButton {
    ORVO_CLASS(TSkinMenuButton, TSkinButton)
public:
    using TSkinButton::TSkinButton;

protected:
    void DrawSkin(HDC dc, const RECT& r) override;
    bool NormalColourOnlyInFrame1() const override { return true; }
};

class TSkinSpeedButton : public TSkinBitButton {
    ORVO_CLASS(TSkinSpeedButton, TSkinBitButton)
public:
    using TSkinBitButton::TSkinBitButton;
    ~TSkinSpeedButton() override;

    // Chains the speed button's window method (it has no window of its own).
    void AttachSpeedButton(TWinSkinForm* form, TSkinData* skinData, TControl* speedButton, TCanvas* formCanvas);
    // Also gives the control its own window method back.
    void Unskin() override;
    void PaintSkin(HDC dc) override;

    bool Painting = false;
    // The frame the face shows now.
    int SpeedFaceFrame() const;

protected:
    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    bool NormalColourOnlyInFrame1() const override { return FHasGlyph; }

private:
    void PaintSpeed(HDC dc);
    bool FHasGlyph = false;
};

} // namespace orvo

// Check boxes and radio buttons: the glyph of the skin's Buttons element (CheckImage, RadioImage:
// strips of equal frames side by side) beside the caption. The control keeps its behaviour; the
// skin object only reads the state and paints.
//
// Classes in this file:
//   TSkinCheckBox     framework check boxes and bare "button" windows of the check-box styles;
//   TSkinRadioButton  radio buttons (also every item of a radio group).
//
// Mode 1 (a framework control, the skin has the glyph strip): the painting is taken over
// (background, glyph, caption). Mode 0 (bare windows, or no strip): the control paints itself and
// the skin's glyph is drawn over its check mark.
//
// Messages: WM_PAINT and WM_PRINTCLIENT (Mode 1), WM_ERASEBKGND (transparent); BM_SETCHECK, the
// left-button messages, CM_EXIT and the framework's check-state notice (45264) repaint.
// Options read: xoTransparent (the parent's background under glyph and caption; also Tag 5555).
//
// Frame tables, one per strip layout (indices are clamped to the strip's frame count):
//   check box, 12 frames:    unchecked 1, checked 5, disabled 4 / 8, grayed 8, indeterminate 9 / 12
//   check box, other counts: unchecked 1, checked 2, disabled 3 / 4, grayed 4, indeterminate 4
//   radio, 8 frames:         unchecked 1, checked 5, disabled 4 / 8
//   radio, other counts:     unchecked 1, checked 2, disabled 3 / 4
#pragma once

#include "skin/controls/control_skin.h"

namespace orvo {

class TBitmap;

enum class TCheckLook { Unchecked, Checked, Grayed, Indeterminate };

// The frame count of a glyph strip: `configured` when above 0, else the strip's width divided by
// 13 (strips lower than 16 pixels) or 16, at least 4.
int GlyphStripFrames(int configured, int stripWidth, int stripHeight) noexcept;
int CheckBoxGlyphFrame(TCheckLook look, bool disabled, int frameCount) noexcept;
int RadioGlyphFrame(bool checked, bool disabled, int frameCount) noexcept;

// The glyph rectangle and the caption's area inside a check box's or radio button's rectangle.
struct TGlyphCaptionPlace {
    RECT Glyph{};
    RECT Caption{};
    UINT Flags = 0; // alignment flags of the caption (DT_RIGHT with the glyph on the right)
};
// `leftText`: BS_LEFTTEXT (the glyph at the right); `inset`: pixels between the right edge and a
// right-hand glyph (1 for radio buttons).
TGlyphCaptionPlace PlaceGlyphAndCaption(const RECT& r, SIZE glyph, bool leftText, bool rightToLeft, int inset) noexcept;

class TSkinCheckRadio : public TSkinControl {
    ORVO_CLASS(TSkinCheckRadio, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    void AttachControl(TWinSkinForm* form, TSkinData* skinData, bool manageColor, TCanvas* formCanvas) override;

    bool Transparent = false;
    // The glyph frame the control shows now.
    virtual int CurrentGlyphFrame() = 0;

protected:
    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& r) override;
    virtual TBitmap* Strip() const = 0;
    virtual int StripFrames() const = 0;
    virtual int RightInset() const = 0;
};

class TSkinCheckBox : public TSkinCheckRadio {
    ORVO_CLASS(TSkinCheckBox, TSkinCheckRadio)
public:
    using TSkinCheckRadio::TSkinCheckRadio;
    void AttachControl(TWinSkinForm* form, TSkinData* skinData, bool manageColor, TCanvas* formCanvas) override;

    // 0 not set, else the last BM_SETCHECK's WParam + 1 (data-aware check boxes only).
    int CheckState = 0;
    int CurrentGlyphFrame() override;
    TCheckLook CurrentLook();

protected:
    void AfterMessage(TMessage& message) override;
    TBitmap* Strip() const override;
    int StripFrames() const override;
    int RightInset() const override { return 0; }
};

class TSkinRadioButton : public TSkinCheckRadio {
    ORVO_CLASS(TSkinRadioButton, TSkinCheckRadio)
public:
    using TSkinCheckRadio::TSkinCheckRadio;
    int CurrentGlyphFrame() override;
    bool CurrentChecked();

protected:
    TBitmap* Strip() const override;
    int StripFrames() const override;
    int RightInset() const override { return 1; }
};

} // namespace orvo

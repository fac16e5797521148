// Bit buttons: push buttons that draw a glyph beside their caption (owner-drawn native BUTTON).
// Glyph is a strip of NumGlyphs frames (up, disabled, pressed, down), laid out by Layout, Margin
// and Spacing (button_glyph.h). Kind gives a stock button: its caption, glyph and modal result
// (bkOK and bkYes are default buttons, bkCancel and bkNo cancel buttons, bkClose closes its form);
// a caption or glyph of one's own stays when Kind changes, and Glyph reads as the glyph drawn.
// The default frame follows the focus as for TButton.
#pragma once

#include "framework/controls/button.h"
#include "framework/controls/button_glyph.h"

namespace orvo {

enum TBitBtnKind : std::uint8_t {
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll,
};
const TEnumType& BitBtnKindType();

// The stock caption of a kind (empty for bkCustom).
std::wstring BitBtnKindCaption(TBitBtnKind kind);
// The stock glyph of a kind (one 16 x 16 frame on a magenta ground; empty for bkCustom).
void LoadBitBtnKindGlyph(TBitBtnKind kind, TBitmap& glyph, int dpi = 96);

class TBitBtn : public TButton {
    ORVO_CLASS(TBitBtn, TButton)
public:
    explicit TBitBtn(TComponent* owner);

    TBitmap* Glyph() noexcept { return &FGlyph.Glyph(); }
    // Copies the bitmap (null or an empty one: back to the kind's glyph).
    void SetGlyph(TBitmap* glyph);
    int NumGlyphs() const noexcept { return FGlyph.NumGlyphs(); }
    void SetNumGlyphs(int count) { FGlyph.SetNumGlyphs(count); }
    TBitBtnKind Kind() const noexcept { return FKind; }
    void SetKind(TBitBtnKind kind);
    // Glyph and caption placement (button_glyph.h).
    TButtonLayout Layout() const noexcept { return FGlyph.Layout(); }
    void SetLayout(TButtonLayout layout) { FGlyph.SetLayout(layout); }
    int Margin() const noexcept { return FGlyph.Margin(); }
    void SetMargin(int margin) { FGlyph.SetMargin(margin); }
    int Spacing() const noexcept { return FGlyph.Spacing(); }
    void SetSpacing(int spacing) { FGlyph.SetSpacing(spacing); }

    void Click() override;

    static void Publish(TPublisher<TBitBtn>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void SetButtonStyle(bool isDefault) override;
    void ChangeScale(int oldDpi, int newDpi) override;
    // Paints the whole button into `dc` (its own coordinates).
    virtual void PaintButton(HDC dc, const RECT& bounds, bool pressed, bool focused);
    // Kept free at the right of the face for what a descendant draws there (a drop-down arrow).
    int FRightSpace = 0;

private:
    void DrawItem(const DRAWITEMSTRUCT& item);
    void GlyphChanged();

    TButtonGlyph FGlyph;
    TBitBtnKind FKind = bkCustom;
    bool FShowDefault = false; // answers Enter now: the default frame
    bool FOwnGlyph = false;    // the glyph is the user's, not the kind's
    bool FLoadingKindGlyph = false;
};

} // namespace orvo

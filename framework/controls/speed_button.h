// Speed buttons: windowless push buttons (tool bars) with a glyph strip and a caption
// (button_glyph.h). A click is raised when the left button is released over the button; while it
// is held the button shows pressed only while the pointer is over it. With a GroupIndex other
// than 0, buttons of the same parent and group are exclusive: clicking one puts it Down and the
// others up, and a Down one comes up on a click only with AllowAllUp (shared by the group). A Flat
// button shows its edge only under the pointer or when down.
#pragma once

#include "framework/controls/button_glyph.h"
#include "framework/controls/graphic_control.h"

namespace orvo {

class TSpeedButton : public TGraphicControl {
    ORVO_CLASS(TSpeedButton, TGraphicControl)
public:
    explicit TSpeedButton(TComponent* owner);

    bool Down() const noexcept { return FDown; }
    // Ignored (false) with GroupIndex 0; a Down grouped button without AllowAllUp stays down
    // until another of its group goes down.
    void SetDown(bool down);
    bool Flat() const noexcept { return FFlat; }
    void SetFlat(bool flat);
    int GroupIndex() const noexcept { return FGroupIndex; }
    void SetGroupIndex(int index);
    bool AllowAllUp() const noexcept { return FAllowAllUp; }
    void SetAllowAllUp(bool value);

    TBitmap* Glyph() noexcept { return &FGlyph.Glyph(); }
    void SetGlyph(TBitmap* glyph);
    int NumGlyphs() const noexcept { return FGlyph.NumGlyphs(); }
    void SetNumGlyphs(int count) { FGlyph.SetNumGlyphs(count); }
    // Glyph and caption placement (button_glyph.h).
    TButtonLayout Layout() const noexcept { return FGlyph.Layout(); }
    void SetLayout(TButtonLayout layout) { FGlyph.SetLayout(layout); }
    int Margin() const noexcept { return FGlyph.Margin(); }
    void SetMargin(int margin) { FGlyph.SetMargin(margin); }
    int Spacing() const noexcept { return FGlyph.Spacing(); }
    void SetSpacing(int spacing) { FGlyph.SetSpacing(spacing); }

    // The pointer is over the button now.
    bool MouseInControl() const noexcept { return FMouseInControl; }

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

    static void Publish(TPublisher<TSpeedButton>& p);

protected:
    void Paint() override;
    void WndProc(TMessage& message) override;
    void Loaded() override;
    void ChangeScale(int oldDpi, int newDpi) override;

private:
    // The others of the group come up (this one went down), and share AllowAllUp.
    void UpdateExclusive();
    template <class F> void ForEachOfGroup(F&& action);

    TButtonGlyph FGlyph;
    TButtonState FState = bsUp; // what the mouse does to it now
    bool FDown = false;
    bool FFlat = false;
    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    bool FMouseInControl = false;
    bool FDragging = false;
};

} // namespace orvo

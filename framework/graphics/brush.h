// TBrush: colour, hatch style or pattern bitmap; the GDI brush is created on first use.
#pragma once

#include "framework/graphics/color.h"
#include "framework/graphics/gdi_handle.h"
#include "framework/graphics/graphics_object.h"

namespace orvo {

class TBitmap;

enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

template <class T> class TPublisher;

class TBrush : public TGraphicsObject {
    ORVO_CLASS(TBrush, TGraphicsObject)
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle style);
    // A pattern bitmap (not owned; it must outlive the brush's use of it). Null for none.
    TBitmap* Bitmap() const { return FBitmap; }
    void SetBitmap(TBitmap* bitmap);

    // Null for bsClear: nothing is painted.
    HBRUSH Handle();
    void Assign(TPersistent* source) override;

    static void Publish(TPublisher<TBrush>& p);

protected:
    void FreeHandle() override { FHandle.Reset(); }

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    TBitmap* FBitmap = nullptr;
    TBrushHandle FHandle;
};

} // namespace orvo

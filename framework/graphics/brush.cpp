#include "framework/graphics/brush.h"

#include "framework/graphics/bitmap.h"
#include "framework/graphics/graphics_types.h"
#include "framework/base/properties.h"

namespace orvo {

ORVO_IMPLEMENT_CLASS(TBrush);

void TBrush::Publish(TPublisher<TBrush>& p) {
    p.Integer(L"Color", ColorType(), &TBrush::Color, &TBrush::SetColor);
    p.Enum(L"Style", BrushStyleType(), &TBrush::Style, &TBrush::SetStyle);
}

void TBrush::SetColor(TColor color) {
    if (color == FColor) return;
    FColor = color;
    // A clear brush that is given a colour becomes solid, which is what callers mean by it.
    if (FStyle == bsClear) FStyle = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
    if (style == FStyle) return;
    FStyle = style;
    Changed();
}

void TBrush::SetBitmap(TBitmap* bitmap) {
    if (bitmap == FBitmap) return;
    FBitmap = bitmap;
    Changed();
}

HBRUSH TBrush::Handle() {
    if (!FHandle) {
        if (FBitmap && !FBitmap->Empty()) {
            FHandle.Reset(CreatePatternBrush(FBitmap->Handle()));
        } else if (FStyle == bsClear) {
            return nullptr;
        } else if (FStyle == bsSolid) {
            FHandle.Reset(CreateSolidBrush(ColorToColorRef(FColor)));
        } else {
            static constexpr int hatch[] = {
                0, 0, HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
            FHandle.Reset(CreateHatchBrush(hatch[FStyle], ColorToColorRef(FColor)));
        }
    }
    return FHandle.Get();
}

void TBrush::Assign(TPersistent* source) {
    auto* brush = dynamic_cast<TBrush*>(source);
    if (!brush) return TGraphicsObject::Assign(source);
    if (brush == this) return;
    FColor = brush->FColor;
    FStyle = brush->FStyle;
    FBitmap = brush->FBitmap;
    Changed();
}

} // namespace orvo

#include "framework/brush.h"

#include "framework/bitmap.h"

namespace orvo {

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

void TBrush::Assign(const TBrush& source) {
    if (&source == this) return;
    FColor = source.FColor;
    FStyle = source.FStyle;
    FBitmap = source.FBitmap;
    Changed();
}

} // namespace orvo

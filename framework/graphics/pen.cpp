#include "framework/graphics/pen.h"

#include "framework/graphics/graphics_types.h"
#include "framework/base/properties.h"

namespace orvo {

ORVO_IMPLEMENT_CLASS(TPen);

void TPen::Publish(TPublisher<TPen>& p) {
    p.Integer(L"Color", ColorType(), &TPen::Color, &TPen::SetColor);
    p.Enum(L"Mode", PenModeType(), &TPen::Mode, &TPen::SetMode);
    p.Enum(L"Style", PenStyleType(), &TPen::Style, &TPen::SetStyle);
    p.Integer(L"Width", &TPen::Width, &TPen::SetWidth);
}

void TPen::SetColor(TColor color) {
    if (color == FColor) return;
    FColor = color;
    Changed();
}

void TPen::SetWidth(int width) {
    if (width < 0) width = 0;
    if (width == FWidth) return;
    FWidth = width;
    Changed();
}

void TPen::SetStyle(TPenStyle style) {
    if (style == FStyle) return;
    FStyle = style;
    Changed();
}

void TPen::SetMode(TPenMode mode) {
    if (mode == FMode) return;
    FMode = mode;
    Notify(); // applied by the canvas: the handle stays
}

int TPen::Rop2() const {
    static constexpr int rop2[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                                   R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                   R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                                   R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
    return rop2[FMode];
}

HPEN TPen::Handle() {
    if (!FHandle) {
        static constexpr int style[] = {PS_SOLID,      PS_DASH, PS_DOT,        PS_DASHDOT,
                                        PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        FHandle.Reset(CreatePen(style[FStyle], FWidth, ColorToColorRef(FColor)));
    }
    return FHandle.Get();
}

void TPen::Assign(TPersistent* source) {
    auto* pen = dynamic_cast<TPen*>(source);
    if (!pen) return TGraphicsObject::Assign(source);
    if (pen == this) return;
    FColor = pen->FColor;
    FWidth = pen->FWidth;
    FStyle = pen->FStyle;
    FMode = pen->FMode;
    Changed();
}

} // namespace orvo

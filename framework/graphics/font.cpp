#include "framework/graphics/font.h"

#include "framework/graphics/graphics_types.h"
#include "framework/base/properties.h"

#include <cwchar>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TFont);

TFont::TFont() = default;

void TFont::Publish(TPublisher<TFont>& p) {
    p.Integer(L"Charset", CharsetType(), &TFont::Charset, &TFont::SetCharset);
    p.Integer(L"Color", ColorType(), &TFont::Color, &TFont::SetColor);
    p.Integer(L"Height", &TFont::Height, &TFont::SetHeight);
    p.String(L"Name", &TFont::Name, &TFont::SetName);
    p.Enum(L"Pitch", FontPitchType(), &TFont::Pitch, &TFont::SetPitch);
    p.Integer(L"Size", &TFont::Size, &TFont::SetSize);
    p.Set(L"Style", FontStyleType(), &TFont::Style, &TFont::SetStyle);
}

void TFont::SetName(const std::wstring& name) {
    // LOGFONTW holds at most 31 characters plus the terminator.
    const std::wstring fitted = name.substr(0, LF_FACESIZE - 1);
    if (fitted == FName) return;
    FName = fitted;
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == FHeight) return;
    FHeight = height;
    Changed();
}

void TFont::SetPixelsPerInch(int dpi) noexcept {
    if (dpi > 0) FPixelsPerInch = dpi;
}

int TFont::Size() const {
    return -MulDiv(FHeight, 72, FPixelsPerInch);
}

void TFont::SetSize(int points) {
    SetHeight(-MulDiv(points, FPixelsPerInch, 72));
}

void TFont::SetColor(TColor color) {
    if (color == FColor) return;
    FColor = color;
    Notify(); // applied by the canvas: the handle stays
}

void TFont::SetStyle(TFontStyles style) {
    style = style * TFontStyles{fsBold, fsItalic, fsUnderline, fsStrikeOut};
    if (style == FStyle) return;
    FStyle = style;
    Changed();
}

void TFont::SetCharset(int charset) {
    if (charset == FCharset) return;
    FCharset = charset & 0xFF;
    Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
    if (pitch == FPitch) return;
    FPitch = pitch;
    Changed();
}

HFONT TFont::Handle() {
    if (!FHandle) {
        LOGFONTW lf{};
        lf.lfHeight = FHeight;
        lf.lfWeight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = FStyle.Contains(fsItalic) ? TRUE : FALSE;
        lf.lfUnderline = FStyle.Contains(fsUnderline) ? TRUE : FALSE;
        lf.lfStrikeOut = FStyle.Contains(fsStrikeOut) ? TRUE : FALSE;
        lf.lfCharSet = static_cast<BYTE>(FCharset);
        lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
        lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        lf.lfQuality = DEFAULT_QUALITY;
        lf.lfPitchAndFamily = FPitch == fpFixed      ? FIXED_PITCH
                              : FPitch == fpVariable ? VARIABLE_PITCH
                                                     : DEFAULT_PITCH;
        wcsncpy(lf.lfFaceName, FName.c_str(), LF_FACESIZE - 1);
        FHandle.Reset(CreateFontIndirectW(&lf));
    }
    return FHandle.Get();
}

void TFont::SetHandle(HFONT font) {
    LOGFONTW lf{};
    if (!font || GetObjectW(font, sizeof lf, &lf) != sizeof lf) return;
    FName = lf.lfFaceName;
    FHeight = lf.lfHeight;
    FStyle = {};
    if (lf.lfWeight >= FW_BOLD) FStyle.Include(fsBold);
    if (lf.lfItalic) FStyle.Include(fsItalic);
    if (lf.lfUnderline) FStyle.Include(fsUnderline);
    if (lf.lfStrikeOut) FStyle.Include(fsStrikeOut);
    FCharset = lf.lfCharSet;
    const int pitch = lf.lfPitchAndFamily & 3;
    FPitch = pitch == FIXED_PITCH ? fpFixed : pitch == VARIABLE_PITCH ? fpVariable : fpDefault;
    Changed();
}

bool TFont::SameAs(const TFont& other) const {
    return FName == other.FName && FHeight == other.FHeight && FColor == other.FColor &&
           FStyle == other.FStyle && FCharset == other.FCharset && FPitch == other.FPitch;
}

void TFont::Assign(TPersistent* source) {
    if (auto* font = dynamic_cast<TFont*>(source)) return Assign(*font);
    TGraphicsObject::Assign(source);
}

void TFont::Assign(const TFont& source) {
    if (&source == this) return;
    FPixelsPerInch = source.FPixelsPerInch;
    if (SameAs(source)) return;
    FName = source.FName;
    FHeight = source.FHeight;
    FColor = source.FColor;
    FStyle = source.FStyle;
    FCharset = source.FCharset;
    FPitch = source.FPitch;
    Changed();
}

} // namespace orvo

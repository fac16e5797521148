#include "framework/font.h"

#include <cwchar>

namespace orvo {

TFont::TFont() = default;

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

int TFont::ScreenPixelsPerInch() {
    static const int ppi = [] {
        TWindowDc screen;
        const int value = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
        return value > 0 ? value : 96;
    }();
    return ppi;
}

int TFont::Size() const {
    return -MulDiv(FHeight, 72, ScreenPixelsPerInch());
}

void TFont::SetSize(int points) {
    SetHeight(-MulDiv(points, ScreenPixelsPerInch(), 72));
}

void TFont::SetColor(TColor color) {
    if (color == FColor) return;
    FColor = color;
    // The colour is applied by the canvas, not part of the handle; still a change for listeners.
    if (OnChange) OnChange();
}

void TFont::SetStyle(TFontStyles style) {
    style &= 0xF;
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
        lf.lfWeight = (FStyle & FontStyleBit(fsBold)) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (FStyle & FontStyleBit(fsItalic)) ? TRUE : FALSE;
        lf.lfUnderline = (FStyle & FontStyleBit(fsUnderline)) ? TRUE : FALSE;
        lf.lfStrikeOut = (FStyle & FontStyleBit(fsStrikeOut)) ? TRUE : FALSE;
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
    FStyle = (lf.lfWeight >= FW_BOLD ? FontStyleBit(fsBold) : 0) |
             (lf.lfItalic ? FontStyleBit(fsItalic) : 0) | (lf.lfUnderline ? FontStyleBit(fsUnderline) : 0) |
             (lf.lfStrikeOut ? FontStyleBit(fsStrikeOut) : 0);
    FCharset = lf.lfCharSet;
    const int pitch = lf.lfPitchAndFamily & 3;
    FPitch = pitch == FIXED_PITCH ? fpFixed : pitch == VARIABLE_PITCH ? fpVariable : fpDefault;
    Changed();
}

bool TFont::SameAs(const TFont& other) const {
    return FName == other.FName && FHeight == other.FHeight && FColor == other.FColor &&
           FStyle == other.FStyle && FCharset == other.FCharset && FPitch == other.FPitch;
}

void TFont::Assign(const TFont& source) {
    if (&source == this || SameAs(source)) return;
    FName = source.FName;
    FHeight = source.FHeight;
    FColor = source.FColor;
    FStyle = source.FStyle;
    FCharset = source.FCharset;
    FPitch = source.FPitch;
    Changed();
}

} // namespace orvo

#include "framework/graphics/graphics_types.h"

#include "framework/graphics/color.h"
#include "framework/base/properties.h"

#include <windows.h>

namespace orvo {

const TIntegerType& ColorType() {
    static const TIntegerType type(
        L"TColor", [](std::wstring_view ident) { return IdentToColor(ident); },
        [](std::int32_t value) -> std::optional<std::wstring> {
            if (auto ident = ColorToIdent(value)) return std::wstring(*ident);
            return std::nullopt;
        });
    return type;
}

const TIntegerType& CharsetType() {
    static const TIntegerType type(L"TFontCharset", {{ANSI_CHARSET, L"ANSI_CHARSET"},
                                                     {DEFAULT_CHARSET, L"DEFAULT_CHARSET"},
                                                     {SYMBOL_CHARSET, L"SYMBOL_CHARSET"},
                                                     {MAC_CHARSET, L"MAC_CHARSET"},
                                                     {SHIFTJIS_CHARSET, L"SHIFTJIS_CHARSET"},
                                                     {HANGEUL_CHARSET, L"HANGEUL_CHARSET"},
                                                     {JOHAB_CHARSET, L"JOHAB_CHARSET"},
                                                     {GB2312_CHARSET, L"GB2312_CHARSET"},
                                                     {CHINESEBIG5_CHARSET, L"CHINESEBIG5_CHARSET"},
                                                     {GREEK_CHARSET, L"GREEK_CHARSET"},
                                                     {TURKISH_CHARSET, L"TURKISH_CHARSET"},
                                                     {VIETNAMESE_CHARSET, L"VIETNAMESE_CHARSET"},
                                                     {HEBREW_CHARSET, L"HEBREW_CHARSET"},
                                                     {ARABIC_CHARSET, L"ARABIC_CHARSET"},
                                                     {BALTIC_CHARSET, L"BALTIC_CHARSET"},
                                                     {RUSSIAN_CHARSET, L"RUSSIAN_CHARSET"},
                                                     {THAI_CHARSET, L"THAI_CHARSET"},
                                                     {EASTEUROPE_CHARSET, L"EASTEUROPE_CHARSET"},
                                                     {OEM_CHARSET, L"OEM_CHARSET"}});
    return type;
}

const TEnumType& FontStyleType() {
    static const TEnumType type(L"TFontStyle", {L"fsBold", L"fsItalic", L"fsUnderline", L"fsStrikeOut"});
    return type;
}

const TEnumType& FontPitchType() {
    static const TEnumType type(L"TFontPitch", {L"fpDefault", L"fpVariable", L"fpFixed"});
    return type;
}

const TEnumType& BrushStyleType() {
    static const TEnumType type(L"TBrushStyle", {L"bsSolid", L"bsClear", L"bsHorizontal", L"bsVertical",
                                                 L"bsFDiagonal", L"bsBDiagonal", L"bsCross", L"bsDiagCross"});
    return type;
}

const TEnumType& PenStyleType() {
    static const TEnumType type(L"TPenStyle", {L"psSolid", L"psDash", L"psDot", L"psDashDot", L"psDashDotDot",
                                               L"psClear", L"psInsideFrame"});
    return type;
}

const TEnumType& PenModeType() {
    static const TEnumType type(L"TPenMode",
                                {L"pmBlack", L"pmWhite", L"pmNop", L"pmNot", L"pmCopy", L"pmNotCopy",
                                 L"pmMergePenNot", L"pmMaskPenNot", L"pmMergeNotPen", L"pmMaskNotPen",
                                 L"pmMerge", L"pmNotMerge", L"pmMask", L"pmNotMask", L"pmXor", L"pmNotXor"});
    return type;
}

const TEnumType& PixelFormatType() {
    static const TEnumType type(
        L"TPixelFormat", {L"pf1bit", L"pf4bit", L"pf8bit", L"pf15bit", L"pf16bit", L"pf24bit", L"pf32bit"});
    return type;
}

const TEnumType& TransparentModeType() {
    static const TEnumType type(L"TTransparentMode", {L"tmAuto", L"tmFixed"});
    return type;
}

} // namespace orvo

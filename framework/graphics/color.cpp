#include "framework/graphics/color.h"

#include <windows.h>

#include <array>
#include <cwchar>

namespace orvo {

namespace {

struct TColorName {
    TColor Color;
    std::wstring_view Name;
};

constexpr std::array ColorNames{
    TColorName{clBlack, L"clBlack"},
    TColorName{clMaroon, L"clMaroon"},
    TColorName{clGreen, L"clGreen"},
    TColorName{clOlive, L"clOlive"},
    TColorName{clNavy, L"clNavy"},
    TColorName{clPurple, L"clPurple"},
    TColorName{clTeal, L"clTeal"},
    TColorName{clGray, L"clGray"},
    TColorName{clSilver, L"clSilver"},
    TColorName{clRed, L"clRed"},
    TColorName{clLime, L"clLime"},
    TColorName{clYellow, L"clYellow"},
    TColorName{clBlue, L"clBlue"},
    TColorName{clFuchsia, L"clFuchsia"},
    TColorName{clAqua, L"clAqua"},
    TColorName{clWhite, L"clWhite"},
    TColorName{clMoneyGreen, L"clMoneyGreen"},
    TColorName{clSkyBlue, L"clSkyBlue"},
    TColorName{clCream, L"clCream"},
    TColorName{clMedGray, L"clMedGray"},
    TColorName{clNone, L"clNone"},
    TColorName{clDefault, L"clDefault"},
    TColorName{clScrollBar, L"clScrollBar"},
    TColorName{clBackground, L"clBackground"},
    TColorName{clActiveCaption, L"clActiveCaption"},
    TColorName{clInactiveCaption, L"clInactiveCaption"},
    TColorName{clMenu, L"clMenu"},
    TColorName{clWindow, L"clWindow"},
    TColorName{clWindowFrame, L"clWindowFrame"},
    TColorName{clMenuText, L"clMenuText"},
    TColorName{clWindowText, L"clWindowText"},
    TColorName{clCaptionText, L"clCaptionText"},
    TColorName{clActiveBorder, L"clActiveBorder"},
    TColorName{clInactiveBorder, L"clInactiveBorder"},
    TColorName{clAppWorkSpace, L"clAppWorkSpace"},
    TColorName{clHighlight, L"clHighlight"},
    TColorName{clHighlightText, L"clHighlightText"},
    TColorName{clBtnFace, L"clBtnFace"},
    TColorName{clBtnShadow, L"clBtnShadow"},
    TColorName{clGrayText, L"clGrayText"},
    TColorName{clBtnText, L"clBtnText"},
    TColorName{clInactiveCaptionText, L"clInactiveCaptionText"},
    TColorName{clBtnHighlight, L"clBtnHighlight"},
    TColorName{cl3DDkShadow, L"cl3DDkShadow"},
    TColorName{cl3DLight, L"cl3DLight"},
    TColorName{clInfoText, L"clInfoText"},
    TColorName{clInfoBk, L"clInfoBk"},
    TColorName{clHotLight, L"clHotLight"},
    TColorName{clGradientActiveCaption, L"clGradientActiveCaption"},
    TColorName{clGradientInactiveCaption, L"clGradientInactiveCaption"},
    TColorName{clMenuHighlight, L"clMenuHighlight"},
    TColorName{clMenuBar, L"clMenuBar"},
};

bool SameIdent(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](wchar_t c) {
            return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
        };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

} // namespace

TColor ColorToRGB(TColor color) {
    if (color < 0) return static_cast<TColor>(GetSysColor(color & 0xFF));
    return color;
}

std::uint32_t ColorToColorRef(TColor color) {
    return static_cast<std::uint32_t>(ColorToRGB(color)) & 0xFFFFFF;
}

std::optional<std::wstring_view> ColorToIdent(TColor color) {
    for (const auto& entry : ColorNames)
        if (entry.Color == color) return entry.Name;
    return std::nullopt;
}

std::optional<TColor> IdentToColor(std::wstring_view ident) {
    for (const auto& entry : ColorNames)
        if (SameIdent(entry.Name, ident)) return entry.Color;
    return std::nullopt;
}

std::wstring ColorToString(TColor color) {
    if (auto ident = ColorToIdent(color)) return std::wstring(*ident);
    wchar_t text[16];
    std::swprintf(text, 16, L"$%08X", static_cast<unsigned>(color));
    return text;
}

std::optional<TColor> StringToColor(std::wstring_view text) {
    if (auto color = IdentToColor(text)) return color;
    const bool hex = !text.empty() && text.front() == L'$';
    if (hex) text.remove_prefix(1);
    const bool negative = !hex && !text.empty() && text.front() == L'-';
    if (negative) text.remove_prefix(1);
    if (text.empty() || text.size() > 10) return std::nullopt;
    std::uint64_t value = 0;
    for (wchar_t c : text) {
        int digit = -1;
        if (c >= L'0' && c <= L'9')
            digit = c - L'0';
        else if (hex && c >= L'A' && c <= L'F')
            digit = c - L'A' + 10;
        else if (hex && c >= L'a' && c <= L'f')
            digit = c - L'a' + 10;
        if (digit < 0) return std::nullopt;
        value = value * (hex ? 16 : 10) + digit;
    }
    if (value > (negative ? 0x80000000ull : 0xFFFFFFFFull)) return std::nullopt;
    return static_cast<TColor>(static_cast<std::uint32_t>(negative ? (0 - value) : value));
}

} // namespace orvo

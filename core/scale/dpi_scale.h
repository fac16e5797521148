#pragma once
// The one rule that turns a length designed at 96 DPI into pixels at a window's DPI. The framework
// (forms, fonts, image lists) and the skin engine (frame geometry, skin images) both scale through
// it, so a control and the skin around it always agree to the pixel. Portable: no Windows headers.
//
// Lengths are kept at their design value and scaled from it each time the DPI changes; scaling a
// scaled length again would drift (96 -> 144 -> 96 must give every length back exactly).

#include <cstdint>

namespace orvo {

// The DPI every stored form and every skin geometry is designed at (100 %).
inline constexpr int DesignDpi = 96;

// The scales a skin store may carry images for, in percent, besides 100.
inline constexpr int SkinScalePercents[] = {125, 150, 175, 200, 250, 300};

// value * dpi / 96, rounded to the nearest whole pixel, halves away from zero (so the rule is the
// same for negative lengths such as font heights). A DPI of 0 or less is taken as 96.
constexpr int ScaleLength(int value, int dpi) noexcept {
    if (dpi <= 0 || dpi == DesignDpi) return value;
    const std::int64_t product = static_cast<std::int64_t>(value) * dpi;
    const std::int64_t half = DesignDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / DesignDpi : (product - half) / DesignDpi);
}

// The same rule between any two DPIs: value * toDpi / fromDpi, halves away from zero. A length
// given at one DPI (a size a user or the code set while the window was at 144) is scaled from that
// pair, never from a length already scaled, so it comes back exactly when the DPI returns.
// ScaleLength(v, dpi) == ScaleLengthBetween(v, DesignDpi, dpi). A DPI of 0 or less is taken as 96.
constexpr int ScaleLengthBetween(int value, int fromDpi, int toDpi) noexcept {
    if (fromDpi <= 0) fromDpi = DesignDpi;
    if (toDpi <= 0) toDpi = DesignDpi;
    if (fromDpi == toDpi) return value;
    const std::int64_t product = static_cast<std::int64_t>(value) * toDpi;
    const std::int64_t half = fromDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / fromDpi : (product - half) / fromDpi);
}

// The scale of a DPI in whole percent, rounded to the nearest (96 -> 100, 144 -> 150, 110 -> 115).
constexpr int ScalePercent(int dpi) noexcept {
    if (dpi <= 0) return 100;
    return static_cast<int>((static_cast<std::int64_t>(dpi) * 100 + DesignDpi / 2) / DesignDpi);
}

// The DPI of a whole-percent scale (150 -> 144).
constexpr int DpiOfPercent(int percent) noexcept {
    return static_cast<int>((static_cast<std::int64_t>(percent) * DesignDpi + 50) / 100);
}

} // namespace orvo

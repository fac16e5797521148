#pragma once
// A length as it was given, with the DPI it was given at. Windows keep their lengths this way
// (bounds, fonts, column widths, item heights): a stored form gives them at 96 DPI, code or the
// user at the window's DPI of the moment; the length in force at any DPI is scaled from that pair
// by the one rule, so nothing is ever scaled twice and every DPI round trip is exact.
// Portable: no Windows headers.

#include "core/scale/dpi_scale.h"

namespace orvo {

struct TScaledLength {
    int Value = 0;
    int Dpi = DesignDpi;

    // The length at `dpi`.
    constexpr int At(int dpi) const noexcept { return ScaleLengthBetween(Value, Dpi, dpi); }
    // Takes `value` as the length at `dpi`, unless it is what the pair gives there already (then
    // the pair stays, so a length that was never changed keeps its design value).
    constexpr void Set(int value, int dpi) noexcept {
        if (At(dpi) == value) return;
        Value = value;
        Dpi = dpi;
    }
    friend constexpr bool operator==(const TScaledLength&, const TScaledLength&) = default;
};

} // namespace orvo

#include "core/colour/colour.h"

#include <algorithm>
#include <cmath>

namespace orvo {

TColourValue ResolveColour(TColourValue c, TSystemColourResolver resolve) {
    if (!IsSystemColour(c)) return c;
    return resolve ? resolve(SystemColourIndex(c)) : 0;
}

TColourValue MixColours(TColourValue c1, TColourValue c2, int weight, TSystemColourResolver resolve) {
    c1 = ResolveColour(c1, resolve);
    c2 = ResolveColour(c2, resolve);
    const std::int64_t scale = weight < 100 ? 100 : 1000;
    const auto mix = [&](int a, int b) {
        return static_cast<int>((b * (scale - weight) + a * static_cast<std::int64_t>(weight) + scale / 2) /
                                scale) &
               0xFF;
    };
    return MakeColour(mix(RedOf(c1), RedOf(c2)), mix(GreenOf(c1), GreenOf(c2)), mix(BlueOf(c1), BlueOf(c2)));
}

int ColourSaturation(TColourValue c) {
    const int r = RedOf(c), g = GreenOf(c), b = BlueOf(c);
    if (r < 160 && g < 160 && b < 160) return 200;
    const int hi = std::max({r, g, b});
    const int lo = std::min({r, g, b});
    const double exact = static_cast<double>(hi - lo) / hi * 255.0;
    // Round half to even without depending on the floating-point environment.
    double whole = std::floor(exact);
    const double frac = exact - whole;
    if (frac > 0.5 || (frac == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
    return static_cast<int>(whole);
}

double RelativeLuminance(TColourValue c) {
    const auto linear = [](int channel) {
        const double v = channel / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(RedOf(c)) + 0.7152 * linear(GreenOf(c)) + 0.0722 * linear(BlueOf(c));
}

double ContrastRatio(TColourValue a, TColourValue b) {
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TColourValue ReadableOn(TColourValue text, TColourValue background, double minRatio) {
    if (ContrastRatio(text, background) >= minRatio) return text;
    // Away from the background: towards white where white stands out more from it.
    const TColourValue end = ContrastRatio(MakeColour(255, 255, 255), background) >=
                                     ContrastRatio(0, background)
                                 ? MakeColour(255, 255, 255)
                                 : 0;
    // `share` thousandths of `end` in the blend; the contrast grows with it: the least that reaches.
    const auto blend = [&](int share) {
        const auto channel = [share](int from, int to) { return from + ((to - from) * share + (to > from ? 500 : -500)) / 1000; };
        return MakeColour(channel(RedOf(text), RedOf(end)), channel(GreenOf(text), GreenOf(end)),
                          channel(BlueOf(text), BlueOf(end)));
    };
    int lo = 0, hi = 1000;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (ContrastRatio(blend(mid), background) >= minRatio)
            hi = mid;
        else
            lo = mid + 1;
    }
    return blend(lo);
}

} // namespace orvo


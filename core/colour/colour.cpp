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

} // namespace orvo

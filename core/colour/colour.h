// Colour values as the whole system stores them: a 32-bit signed number with red in bits 0-7,
// green in bits 8-15 and blue in bits 16-23; a negative value names a platform system colour
// (0xFF000000 plus the system colour index) that is resolved only where a routine says so.
#pragma once

#include <cstdint>

namespace orvo {

using TColourValue = std::int32_t;

// Answers the platform's current value of system colour `index` (a plain colour).
using TSystemColourResolver = TColourValue (*)(int index);

constexpr TColourValue SystemColourBase = static_cast<TColourValue>(0xFF000000u);

constexpr int RedOf(TColourValue c) {
    return c & 0xFF;
}
constexpr int GreenOf(TColourValue c) {
    return (c >> 8) & 0xFF;
}
constexpr int BlueOf(TColourValue c) {
    return (c >> 16) & 0xFF;
}
constexpr TColourValue MakeColour(int r, int g, int b) {
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}
constexpr bool IsSystemColour(TColourValue c) {
    return c < 0;
}
constexpr int SystemColourIndex(TColourValue c) {
    return c & 0xFF;
}
constexpr TColourValue SystemColour(int index) {
    return SystemColourBase | (index & 0xFF);
}

// A system colour is replaced by `resolve(index)`; a plain colour is returned as it is. Without a
// resolver a system colour resolves to black.
TColourValue ResolveColour(TColourValue c, TSystemColourResolver resolve);

// Blends c1 into c2. Weights below 100 are percentages of c1; weights of 100 and above are tenths
// of a percent (150 = 15 %, and 100 = 10 %, not 100 %). Integer arithmetic, rounded half up.
TColourValue MixColours(TColourValue c1, TColourValue c2, int weight, TSystemColourResolver resolve);

// 200 for colours with every channel below 160, otherwise (max - min) / max * 255 rounded to the
// nearest integer, ties to even.
int ColourSaturation(TColourValue c);

// The relative luminance of a plain sRGB colour (0 black to 1 white), as WCAG defines it.
double RelativeLuminance(TColourValue c);

// The contrast ratio of two plain colours, 1 to 21 (WCAG: at least 4.5 for body text).
double ContrastRatio(TColourValue a, TColourValue b);

// `text` as it can be read on `background`: unchanged when it reaches `minRatio` there, otherwise
// the least blend of it towards white (on a dark background) or black (on a light one) that
// does; white or black when no blend does. Plain colours only.
TColourValue ReadableOn(TColourValue text, TColourValue background, double minRatio);

} // namespace orvo

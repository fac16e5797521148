// A decoded image as the skin formats hand it on: Width × Height pixels, rows top-down, each
// pixel 0x00RRGGBB (blue in the low byte, as in a 32-bit DIB). The Windows side turns it into a
// DIB section; magenta 0x00FF00FF is the transparent key of every skin image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvo {

struct TImage32 {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint32_t> Pixels; // Width * Height, row 0 at the top

    TImage32() = default;
    TImage32(int width, int height, std::uint32_t fill = 0)
        : Width(width), Height(height), Pixels(static_cast<std::size_t>(width) * height, fill) {}

    std::uint32_t& At(int x, int y) { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
    std::uint32_t At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
    bool Empty() const { return Pixels.empty(); }
};

} // namespace orvo

// Resampling any image: the result has the size asked for, every pixel is the key or a colour
// within the range of the image's own covered colours (so never a blend with the key), and the
// same input gives the same output. The first bytes are the shape: source size, frames, margins
// at both ends, result frame size; the rest are the pixels, drawn from a palette that holds the
// key and colours whose red stays at most 100.
#include "core/skinscale/skin_resample.h"

#include <cstdlib>

namespace {

int Take(const std::uint8_t*& data, std::size_t& size, int range) {
    if (size == 0) return 0;
    --size;
    return *data++ % range;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvo;
    const int w = 1 + Take(data, size, 48), h = 1 + Take(data, size, 48);
    const TImageFrames frames{1 + Take(data, size, 6), Take(data, size, 2) == 1};
    const TGridMargins from{Take(data, size, 30) - 3, Take(data, size, 30) - 3, Take(data, size, 30) - 3,
                            Take(data, size, 30) - 3};
    const TGridMargins to{Take(data, size, 40) - 3, Take(data, size, 40) - 3, Take(data, size, 40) - 3,
                          Take(data, size, 40) - 3};
    const int fw = Take(data, size, 80), fh = Take(data, size, 80);
    TImage32 source(w, h);
    for (std::uint32_t& p : source.Pixels) {
        const int v = Take(data, size, 256);
        p = v < 40 ? SkinKeyPixel : static_cast<std::uint32_t>(((v % 101) << 16) | ((v * 7) & 0xFF) << 8 | ((v * 13) & 0xFF));
    }
    const TImage32 out = ResampleFrames(source, frames, from, fw, fh, to);
    const int sw = frames.Stacked ? w : w / frames.Count, sh = frames.Stacked ? h / frames.Count : h;
    if (sw <= 0 || sh <= 0 || fw <= 0 || fh <= 0) {
        if (!out.Empty()) std::abort();
        return 0;
    }
    if (out.Width != (frames.Stacked ? fw : fw * frames.Count) || out.Height != (frames.Stacked ? fh * frames.Count : fh))
        std::abort();
    for (const std::uint32_t p : out.Pixels)
        if (p != SkinKeyPixel && ((p >> 16) & 0xFF) > 100) std::abort();
    if (ResampleFrames(source, frames, from, fw, fh, to).Pixels != out.Pixels) std::abort();
    return 0;
}

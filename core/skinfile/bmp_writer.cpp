#include "core/skinfile/bmp.h"

#include "core/skinfile/byte_order.h"
#include "core/skinfile/skinfile_error.h"

#include <string>

namespace orvo {

std::vector<std::uint8_t> WriteBmp32(const TImage32& image) {
    const int w = image.Width, h = image.Height;
    if (w < 1 || h < 1 || w > MaxBmpSide || h > MaxBmpSide ||
        static_cast<std::uint64_t>(w) * static_cast<std::uint64_t>(h) > MaxBmpPixels)
        throw EBmpError("BMP: cannot write an image of " + std::to_string(w) + " x " + std::to_string(h) +
                        " pixels");
    const std::size_t count = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
    if (image.Pixels.size() != count)
        throw EBmpError("BMP: image holds " + std::to_string(image.Pixels.size()) + " pixels, not " +
                        std::to_string(count));
    const std::uint32_t dataOffset = 14 + 40;
    const auto dataSize = static_cast<std::uint32_t>(count * 4);
    std::vector<std::uint8_t> out;
    out.reserve(dataOffset + dataSize);
    out.push_back('B');
    out.push_back('M');
    AppendLE32(out, dataOffset + dataSize);
    AppendLE32(out, 0);
    AppendLE32(out, dataOffset);
    AppendLE32(out, 40);
    AppendLE32(out, static_cast<std::uint32_t>(w));
    AppendLE32(out, static_cast<std::uint32_t>(h)); // positive: rows bottom-up
    AppendLE16(out, 1);
    AppendLE16(out, 32);
    AppendLE32(out, BmpRgb);
    AppendLE32(out, dataSize);
    AppendLE32(out, 2835); // 72 dpi
    AppendLE32(out, 2835);
    AppendLE32(out, 0);
    AppendLE32(out, 0);
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x)
            AppendLE32(out, image.At(x, y) & 0xFFFFFF);
    return out;
}

} // namespace orvo

// Any bytes as a BMP file: reading fails with EBmpError or yields a bounded image, which the
// writer stores and the reader reads back unchanged.
#include "core/skinfile/bmp.h"
#include "core/skinfile/skinfile_error.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    orvo::TImage32 image;
    try {
        const orvo::TBmpInfo info = orvo::ReadBmpInfo({data, size});
        image = orvo::ReadBmp({data, size});
        if (image.Width != info.Width || image.Height != info.Height) std::abort();
    } catch (const orvo::EBmpError&) {
        return 0;
    }
    if (image.Pixels.size() != static_cast<std::size_t>(image.Width) * static_cast<std::size_t>(image.Height))
        std::abort();
    for (const std::uint32_t p : image.Pixels)
        if (p > 0xFFFFFF) std::abort();
    if (orvo::ReadBmp(orvo::WriteBmp32(image)).Pixels != image.Pixels) std::abort();
    return 0;
}

// Resamples one skin image as the skin component does for a scale the store has no image for,
// to look at the result (run by hand):
//   skin-resample-image IN.bmp OUT.bmp FRAMES PERCENT [LEFT TOP RIGHT BOTTOM] [stacked]
// FRAMES side by side (or stacked), margins at 100 %; OUT is a 32-bit BMP with the key shown.
#include "core/skinfile/bmp.h"
#include "core/skinscale/skin_resample.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fstream>
#include <iterator>

int main(int argc, char** argv) {
    using namespace orvo;
    if (argc != 5 && argc != 9 && argc != 10) {
        std::fprintf(stderr, "usage: skin-resample-image IN.bmp OUT.bmp FRAMES PERCENT [LEFT TOP RIGHT BOTTOM] [stacked]\n");
        return 1;
    }
    try {
        std::ifstream in(argv[1], std::ios::binary);
        const std::vector<std::uint8_t> file{std::istreambuf_iterator<char>(in), {}};
        const TImage32 image = ReadBmp(file);
        const TImageFrames frames{std::max(1, std::atoi(argv[3])), argc == 10 && std::strcmp(argv[9], "stacked") == 0};
        TGridMargins margins;
        if (argc >= 9) margins = {std::atoi(argv[5]), std::atoi(argv[6]), std::atoi(argv[7]), std::atoi(argv[8])};
        const int fw = frames.Stacked ? image.Width : image.Width / frames.Count;
        const int fh = frames.Stacked ? image.Height / frames.Count : image.Height;
        const TImage32 out =
            ScaleSkinImage(image, DesignDpi, frames, fw, fh, margins, DpiOfPercent(std::atoi(argv[4])));
        const std::vector<std::uint8_t> bytes = WriteBmp32(out);
        std::ofstream(argv[2], std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        std::printf("%s: %d x %d\n", argv[2], out.Width, out.Height);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skin-resample-image: %s\n", e.what());
        return 2;
    }
    return 0;
}

// Throughput of the skin image resampler: the default skin's images (their sizes, frames and
// margins, filled with a shaped pattern on the magenta key) taken from 100 % or 200 % to the
// scales a display runs at. Each figure is the median of the runs of the whole set, in CPU time of
// the thread; a copy of the same number of result pixels, timed in the same run, is the reference.
//   skin-resample-bench [RUNS]
#include "core/skinscale/skin_resample.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

using namespace orvo;

struct TShape {
    const char* Name;
    int Width, Height, Frames;
    bool Stacked;
    TGridMargins Margins;
};

// Time this thread has run: on a machine shared with other work the wall clock mostly measures
// the others.
double CpuMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// The default skin's images as the skin component cuts them.
constexpr TShape Shapes[] = {
    {"Buttons", 90, 21, 5, false, {8, 9, 8, 9}},         {"CheckBox", 52, 13, 4, false, {}},
    {"RadioButton", 52, 13, 4, false, {}},               {"Progress", 9, 19, 1, false, {4, 3, 4, 3}},
    {"ProgressChunk", 10, 12, 1, false, {}},             {"Tab", 90, 18, 5, false, {6, 6, 6, 6}},
    {"TabBorder", 48, 48, 1, false, {4, 5, 4, 4}},       {"ComboboxBtn", 60, 16, 4, false, {}},
    {"StatusBar", 204, 15, 3, false, {50, 5, 17, 9}},    {"Header", 72, 18, 5, false, {8, 3, 8, 4}},
    {"ScrollbarArrow", 391, 17, 23, false, {}},          {"ScrollbarHThumb", 66, 15, 3, false, {5, 5, 5, 5}},
    {"ScrollbarVThumb", 45, 22, 3, false, {5, 5, 5, 5}}, {"ScrollbarHBar", 136, 17, 4, false, {0, 1, 0, 1}},
    {"ScrollbarVBar", 68, 34, 4, false, {1, 0, 1, 0}},   {"MenuBackground", 20, 20, 1, false, {1, 1, 1, 1}},
    {"CloseButton", 126, 21, 6, false, {}},              {"MaxButton", 126, 21, 6, false, {}},
    {"MinButton", 126, 21, 6, false, {}},                {"RestroreButton", 126, 21, 6, false, {}},
    {"FrameLeft", 8, 250, 2, false, {0, 29, 0, 5}},      {"FrameRight", 8, 250, 2, false, {0, 29, 0, 5}},
    {"FrameTop", 292, 58, 2, true, {32, 0, 39, 0}},      {"FrameBottom", 292, 10, 2, true, {32, 0, 39, 0}},
    {"MDIControls", 192, 14, 12, false, {}},
};

// Frames with rounded, keyed corners and a gradient face: the resampler's every road.
TImage32 Picture(const TShape& s, int dpi) {
    const TScaledImageSize size = ScaledImageSize(s.Width, s.Height, {s.Frames, s.Stacked}, dpi);
    TImage32 image(size.Width, size.Height, SkinKeyPixel);
    for (int y = 0; y < size.Height; ++y)
        for (int x = 0; x < size.Width; ++x) {
            const int fx = s.Stacked ? x : x % std::max(size.FrameWidth, 1);
            const int fy = s.Stacked ? y % std::max(size.FrameHeight, 1) : y;
            const int dx = std::min(fx, size.FrameWidth - 1 - fx), dy = std::min(fy, size.FrameHeight - 1 - fy);
            if (dx + dy < 2) continue;
            image.At(x, y) = static_cast<std::uint32_t>(((40 + fx) & 0xFF) << 16 | ((90 + fy * 3) & 0xFF) << 8 | 160);
        }
    return image;
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const struct {
        int From, To; // DPI
    } cases[] = {{96, 120}, {96, 144}, {96, 192}, {96, 288}, {192, 144}, {192, 288}, {144, 120}};
    std::printf("the default skin's %zu images, median of %d runs\n", std::size(Shapes), runs);
    std::printf("%-12s %10s %10s %12s %12s\n", "from -> to", "pixels", "ms", "Mpixel/s", "copy Mpix/s");
    for (const auto& c : cases) {
        std::vector<TImage32> sources;
        for (const TShape& s : Shapes) sources.push_back(Picture(s, c.From));
        std::vector<double> times, copies;
        std::size_t pixels = 0;
        for (int r = 0; r < runs; ++r) {
            pixels = 0;
            const double start = CpuMilliseconds();
            for (std::size_t i = 0; i < std::size(Shapes); ++i) {
                const TShape& s = Shapes[i];
                const int fw = s.Stacked ? s.Width : s.Width / s.Frames, fh = s.Stacked ? s.Height / s.Frames : s.Height;
                pixels += ScaleSkinImage(sources[i], c.From, {s.Frames, s.Stacked}, fw, fh, s.Margins, c.To).Pixels.size();
            }
            times.push_back(CpuMilliseconds() - start);
            std::vector<std::uint32_t> from(pixels, 1), to(pixels);
            const double copyStart = CpuMilliseconds();
            std::memcpy(to.data(), from.data(), pixels * 4);
            copies.push_back(CpuMilliseconds() - copyStart + (to[pixels / 2] == 7 ? 1 : 0));
        }
        std::sort(times.begin(), times.end());
        std::sort(copies.begin(), copies.end());
        const double ms = times[times.size() / 2], copy = copies[copies.size() / 2];
        std::printf("%3d -> %3d   %10zu %10.2f %12.1f %12.1f\n", c.From, c.To, pixels, ms, pixels / ms / 1000,
                    pixels / std::max(copy, 1e-6) / 1000);
    }
    return 0;
}

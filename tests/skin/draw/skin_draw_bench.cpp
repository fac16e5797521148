// Times the skin drawing routines on a window-sized frame: run by hand under Wine, e.g.
//   wine build/gfx-win/tests/skin/draw/orvo_skin_draw_bench.exe [iterations]
#include "skin/draw/skin_draw.h"
#include "skin/draw/win_convert.h"

#include "tests/framework/support/stopwatch.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

using namespace orvo;

namespace {

using test::Seconds;

void Measure(const char* name, int iterations, const std::function<void()>& action) {
    action(); // warm up
    const double start = Seconds();
    for (int i = 0; i < iterations; ++i)
        action();
    const double each = (Seconds() - start) / iterations;
    std::printf("%-52s %9.1f us per call\n", name, each * 1e6);
}

// A 4-frame border strip of 48 x 48 frames with distinct zones and a magenta rim.
std::unique_ptr<TBitmap> BorderStrip() {
    auto strip = std::make_unique<TBitmap>(4 * 48, 48, pf24bit);
    for (int y = 0; y < 48; ++y) {
        std::uint8_t* row = strip->ScanLine(y);
        for (int x = 0; x < 4 * 48; ++x) {
            const bool rim = (x % 48) < 2 || y < 2;
            row[3 * x] = rim ? 255 : static_cast<std::uint8_t>(x * 5);
            row[3 * x + 1] = rim ? 0 : static_cast<std::uint8_t>(y * 5);
            row[3 * x + 2] = rim ? 255 : 90;
        }
    }
    return strip;
}

} // namespace

int main(int argc, char** argv) {
    const int iterations = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
    auto strip = BorderStrip();
    TBitmap window(546, 359, pf32bit);
    HDC dc = window.Canvas().Handle();
    const TMargins margins{12, 30, 12, 12};
    const SIZE size{546, 359};
    const RECT all{0, 0, 546, 359};

    std::printf("%d iterations, 546 x 359 target, 4-frame 48 x 48 strip\n", iterations);
    Measure("SlicedFrame (stretched centre)", iterations,
            [&] { SlicedFrame(size, *strip, 4, 2, false, margins, false); });
    Measure("SlicedFrame (tiled centre)", iterations,
            [&] { SlicedFrame(size, *strip, 4, 2, false, margins, true); });
    Measure("DrawSliced opaque", iterations,
            [&] { DrawSliced(dc, all, *strip, 4, 2, false, margins, false, false); });
    Measure("DrawSliced transparent (magenta key)", iterations,
            [&] { DrawSliced(dc, all, *strip, 4, 2, false, margins, false, true); });
    Measure("DrawSliced transparent, a 75 x 25 button", iterations, [&] {
        DrawSliced(dc, RECT{10, 10, 85, 35}, *strip, 4, 2, false, TMargins{4, 4, 4, 4}, false, true);
    });
    auto piece = SlicedFrame(size, *strip, 4, 1, false, margins, false);
    Measure("  of which: the magenta mask of it", iterations, [&] { piece->CreateMask(clFuchsia); });
    auto mask = piece->CreateMask(clFuchsia);
    Measure("  of which: MaskBlt through that mask", iterations,
            [&] { MaskedBlt(dc, 0, 0, 546, 359, piece->Canvas().Handle(), 0, 0, mask->Handle()); });
    Measure("BitBlt 546 x 359 24-bit to 32-bit (reference)", iterations,
            [&] { BitBlt(dc, 0, 0, 546, 359, piece->Canvas().Handle(), 0, 0, SRCCOPY); });
    Measure("RegionFromBitmap 546 x 359", std::max(1, iterations / 10),
            [&] { RegionFromBitmap(*piece, 0, 0, 1, 1, 1, clFuchsia); });
    Measure("GradientFill 546 x 359 vertical", iterations,
            [&] { GradientFill(dc, all, clBtnFace, true, clWhite); });
    return 0;
}

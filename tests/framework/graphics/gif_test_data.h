// Small GIF files made byte by byte for the picture tests: a 4-colour palette (index 0 black,
// 1 red, 2 green, 3 blue), pixel indices from a function, optionally index 0 transparent, and the
// frame placed inside a larger logical screen.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace orvo::test {

struct TGifSpec {
    int ScreenWidth = 0, ScreenHeight = 0;
    int Left = 0, Top = 0, Width = 0, Height = 0;
    bool TransparentZero = false;
    std::function<int(int x, int y)> IndexAt;
};

inline std::vector<std::uint8_t> MakeGif(const TGifSpec& spec) {
    std::vector<std::uint8_t> g = {'G', 'I', 'F', '8', '9', 'a'};
    auto put16 = [&](int v) {
        g.push_back(static_cast<std::uint8_t>(v));
        g.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    put16(spec.ScreenWidth);
    put16(spec.ScreenHeight);
    g.insert(g.end(), {0xF1, 0, 0});                               // 4-entry global colour table
    g.insert(g.end(), {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255}); // black, red, green, blue
    g.insert(g.end(), {0x21, 0xF9, 4, spec.TransparentZero ? std::uint8_t{1} : std::uint8_t{0}, 0, 0, 0, 0});
    g.push_back(0x2C);
    put16(spec.Left);
    put16(spec.Top);
    put16(spec.Width);
    put16(spec.Height);
    g.push_back(0);
    // LZW with a minimum code size of 2: 3-bit codes, kept at 3 bits by a clear code (4) before
    // every second pixel, so no table entry ever needs a wider code; 5 ends the data.
    std::vector<int> codes;
    for (int i = 0; i < spec.Width * spec.Height; ++i) {
        if (i % 2 == 0) codes.push_back(4);
        codes.push_back(spec.IndexAt(i % spec.Width, i / spec.Width));
    }
    codes.push_back(5);
    std::vector<std::uint8_t> packed;
    unsigned bits = 0, count = 0;
    for (int code : codes) {
        bits |= static_cast<unsigned>(code) << count;
        count += 3;
        while (count >= 8) {
            packed.push_back(static_cast<std::uint8_t>(bits));
            bits >>= 8;
            count -= 8;
        }
    }
    if (count > 0) packed.push_back(static_cast<std::uint8_t>(bits));
    g.push_back(2);
    for (std::size_t at = 0; at < packed.size(); at += 255) {
        const std::size_t n = std::min<std::size_t>(255, packed.size() - at);
        g.push_back(static_cast<std::uint8_t>(n));
        g.insert(g.end(), packed.begin() + static_cast<std::ptrdiff_t>(at),
                 packed.begin() + static_cast<std::ptrdiff_t>(at + n));
    }
    g.push_back(0);
    g.push_back(0x3B);
    return g;
}

} // namespace orvo::test

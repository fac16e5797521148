// Small skin stores built in the tests: an INI text and bitmaps packed with the archive writer and
// the store encoder, loaded into a TSkinData as the program loads its stored skin.
#pragma once

#include "core/skinfile/bmp.h"
#include "core/skinfile/skin_archive_writer.h"
#include "core/skinfile/skin_store.h"
#include "framework/base/sysutils.h"
#include "skin/data/skin_data.h"
#include "tests/skin/draw/draw_test_util.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace orvo::test {

// A TColor (red in the low byte) as a pixel of a portable image (blue in the low byte).
constexpr std::uint32_t Px(TColor c) {
    return static_cast<std::uint32_t>(((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF));
}

// Colours that tell frames apart: frame i (1-based) of a strip.
constexpr TColor FrameColour(int i) {
    // Kept to 24 bits: an image holds no more, and the step is odd, so no two frames share one.
    return static_cast<TColor>((0x102030 + 0x0F0D0B * i) & 0xFFFFFF);
}

// w x h, frame i (of `frames` side by side) painted FrameColour(base + i): strips of one skin
// given different bases never share a colour.
inline TImage32 FrameStrip(int w, int h, int frames = 1, int base = 0) {
    TImage32 image(w, h);
    const int fw = w / frames;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.At(x, y) = Px(FrameColour(base + (fw ? x / fw + 1 : 1)));
    return image;
}

struct TTestSkin {
    std::string Ini;
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> Entries;

    explicit TTestSkin(std::string ini = {}) : Ini(std::move(ini)) {}
    TTestSkin& Image(std::string name, const TImage32& image) {
        Entries.emplace_back(std::move(name), WriteBmp32(image));
        return *this;
    }
    TTestSkin& Raw(std::string name, std::vector<std::uint8_t> bytes) {
        Entries.emplace_back(std::move(name), std::move(bytes));
        return *this;
    }
    std::vector<std::uint8_t> Archive(std::int32_t version = 20000) const {
        // As orvo-skin packs a skin: the images, the INI, then the images for other scales.
        TSkinArchiveWriter writer;
        for (const auto& [name, bytes] : Entries)
            if (name.find('@') == std::string::npos) writer.Add(name, bytes);
        writer.Add("skin.ini", std::vector<std::uint8_t>(Ini.begin(), Ini.end()));
        for (const auto& [name, bytes] : Entries)
            if (name.find('@') != std::string::npos) writer.Add(name, bytes);
        if (SkinArchiveFillerSize(version) >= 0) return writer.Build(version);
        std::vector<std::uint8_t> archive = writer.Build(); // then made a version no reader knows
        for (int i = 0; i < 4; ++i)
            archive[i] = static_cast<std::uint8_t>(version >> (8 * i));
        return archive;
    }
    std::vector<std::uint8_t> Store(std::int32_t version = 20000) const {
        return EncodeSkinStore(Archive(version));
    }
};

inline TImage32 Painted(int w, int h, TColor (*colour)(int x, int y)) {
    TImage32 image(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.At(x, y) = Px(colour(x, y));
    return image;
}

// A combo box skin: four frames each of a solid edit frame, button and glyph, so that every pixel
// of the pictures derived from them is known.
inline TColor SunkColour(int k) {
    return 0x203040 + 0x101010 * k;
}
inline TColor ButtonColour(int k) {
    return 0x405060 + 0x010203 * k;
}
inline TColor GlyphColour(int k) {
    return 0x00A0B0 + 0x000001 * k;
}

inline TTestSkin ComboSkin() {
    TTestSkin skin(R"([SunkEdge]
Image=sunk.bmp
TopHeight=2
BottomHeight=3
[ComboButton]
Image=button.bmp
[ExtraImages]
Image=glyph.bmp
)");
    skin.Image("sunk.bmp", Painted(80, 21, [](int x, int) { return SunkColour(x / 20 + 1); }))
        .Image("button.bmp", Painted(40, 21, [](int x, int) { return ButtonColour(x / 10 + 1); }))
        .Image("glyph.bmp", Painted(25, 5, [](int x, int) { return GlyphColour(x / 5 + 1); }));
    return skin;
}

// A component holding the skin, loaded; fails the test when it does not load.
inline std::unique_ptr<TSkinData> Loaded(const TTestSkin& skin) {
    auto data = std::make_unique<TSkinData>(nullptr);
    data->SetStoreStream(skin.Store());
    EXPECT_TRUE(data->LoadSkin()) << "load failed: " << Utf8Encode(data->LoadError());
    return data;
}

} // namespace orvo::test

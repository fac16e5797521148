// What the element readers read a skin from: the opened archive and its parsed INI text, with the
// image lookup rules and a budget that bounds the memory a hostile skin's images can take.
#pragma once

#include "core/skinfile/quick_ini.h"
#include "core/skinfile/skin_reader.h"
#include "framework/graphics/bitmap.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace orvo {

// A skin's images are a few hundred pixels each; these bounds are far above any real skin.
constexpr std::uint64_t MaxSkinImagePixels = 4u << 20;
constexpr std::uint64_t MaxSkinLoadPixels = 32u << 20;

class TSkinSource {
public:
    TSkinSource(TSkinReader& archive, const TQuickIni& ini) : FArchive(archive), FIni(ini) {}

    const TQuickIni& Ini() const { return FIni; }
    std::string String(std::string_view section, std::string_view key) const {
        return FIni.ReadString(section, key, "");
    }
    // A key with a value (an empty value counts as missing).
    bool Has(std::string_view section, std::string_view key) const { return !String(section, key).empty(); }
    int Integer(std::string_view section, std::string_view key, int def = 0) const {
        return FIni.ReadInteger(section, key, def);
    }

    // The image a key names: its value's file name part is looked up in the archive. An empty
    // value, an extension other than exactly ".bmp", a missing or empty entry, a bitmap that
    // cannot be read, or one beyond the size bounds leaves `target` cleared. Answers the entry's
    // name when the image was loaded, else nothing.
    std::string LoadImage(TBitmap& target, std::string_view section, std::string_view key);

private:
    bool Decode(TBitmap& target, std::span<const std::uint8_t> file);

    TSkinReader& FArchive;
    const TQuickIni& FIni;
    std::uint64_t FPixelsLoaded = 0;
};

} // namespace orvo

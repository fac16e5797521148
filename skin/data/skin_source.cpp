#include "skin/data/skin_source.h"

#include "core/skinfile/bmp.h"
#include "core/skinfile/skin_image_name.h"
#include "core/skinfile/skinfile_error.h"
#include "skin/data/skin_bitmaps.h"

namespace orvo {

std::string TSkinSource::LoadImage(TBitmap& target, std::string_view section, std::string_view key) {
    target.Clear();
    const std::string value = String(section, key);
    const std::string_view name = SkinImageEntryName(value);
    if (name.empty()) return {};
    const int index = FArchive.IndexOf(name);
    if (index < 0) return {};
    // An INI may name an image whose name looks like another's per-scale image: decode it now.
    const TSkinEntry& entry = FArchive.Entries()[static_cast<std::size_t>(index)];
    if (!FArchive.DecodeTo(entry.Offset + entry.Size)) return {};
    const std::span<const std::uint8_t> file = FArchive.EntryBytes(static_cast<std::size_t>(index));
    if (file.empty() || !Decode(target, file)) {
        target.Clear();
        return {};
    }
    return std::string(name);
}

bool TSkinSource::Decode(TBitmap& target, std::span<const std::uint8_t> file) {
    try {
        const TBmpInfo info = ReadBmpInfo(file);
        const std::uint64_t pixels = static_cast<std::uint64_t>(info.Width) * info.Height;
        if (pixels > MaxSkinImagePixels || FPixelsLoaded + pixels > MaxSkinLoadPixels) return false;
        FPixelsLoaded += pixels;
        Image32ToBitmap(ReadBmp(file), target);
        return true;
    } catch (const EBmpError&) {
        return false; // not a bitmap we can read: the element keeps an empty image
    }
}

} // namespace orvo

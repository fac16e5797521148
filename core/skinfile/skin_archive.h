// The skin archive inside a skin store (all integers 32-bit little-endian):
//   version, L (name list length), two reserved words, a filler of a size set by the version,
//   L bytes of entry names separated by CR LF, one size per entry, then the entries' bytes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orvo {

// The version the tools write.
constexpr std::int32_t SkinArchiveVersion = 20000;
constexpr std::size_t SkinArchiveHeaderSize = 16;
constexpr std::size_t MaxSkinEntries = 1001;

// Bytes skipped between the header and the name list, or -1 for a version we do not know.
constexpr int SkinArchiveFillerSize(std::int32_t version) {
    switch (version) {
    case 20000:
        return 0;
    case 30000:
        return 256;
    case 40000:
        return 80;
    case 50000:
        return 48;
    case 60000:
        return 117;
    case 70000:
        return 69;
    default:
        return -1;
    }
}

// What the user is told when a skin's archive version is unknown (two lines, CR between them).
constexpr wchar_t OlderSkinFileText[] = L"This is Older Skin File\rPlease update to new version !";

} // namespace orvo

// Builds skin archives for the tools; the program itself only reads them.
#pragma once

#include "core/skinfile/skin_archive.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orvo {

class TSkinArchiveWriter {
public:
    // Appends an entry. Throws ESkinFileError for an empty name, one holding CR, LF or NUL (it
    // would split the name list), or one entry more than MaxSkinEntries.
    void Add(std::string name, std::vector<std::uint8_t> bytes);

    // The archive in the given version's layout (fillers and reserved words are zero).
    // Throws ESkinFileError for an unknown version.
    std::vector<std::uint8_t> Build(std::int32_t version = SkinArchiveVersion) const;

    std::size_t Count() const { return FEntries.size(); }

private:
    struct TPending {
        std::string Name;
        std::vector<std::uint8_t> Bytes;
    };
    std::vector<TPending> FEntries;
};

} // namespace orvo

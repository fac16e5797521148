#include "core/skinfile/skin_archive_writer.h"

#include "core/skinfile/byte_order.h"
#include "core/skinfile/skinfile_error.h"

#include <limits>

namespace orvo {

void TSkinArchiveWriter::Add(std::string name, std::vector<std::uint8_t> bytes) {
    if (name.empty()) throw ESkinFileError("Skin archive: an entry needs a name");
    if (name.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
        throw ESkinFileError("Skin archive: entry name '" + name + "' holds a line break or NUL");
    if (FEntries.size() >= MaxSkinEntries)
        throw ESkinFileError("Skin archive: more than " + std::to_string(MaxSkinEntries) +
                             " entries are not supported");
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max())
        throw ESkinFileError("Skin archive: entry '" + name + "' is too large");
    FEntries.push_back({std::move(name), std::move(bytes)});
}

std::vector<std::uint8_t> TSkinArchiveWriter::Build(std::int32_t version) const {
    const int filler = SkinArchiveFillerSize(version);
    if (filler < 0) throw ESkinFileError("Skin archive: unknown version " + std::to_string(version));
    std::string list;
    std::size_t dataSize = 0;
    for (const TPending& e : FEntries) {
        list += e.Name;
        list += "\r\n";
        dataSize += e.Bytes.size();
    }
    std::vector<std::uint8_t> out;
    out.reserve(SkinArchiveHeaderSize + filler + list.size() + 4 * FEntries.size() + dataSize);
    AppendLE32(out, static_cast<std::uint32_t>(version));
    AppendLE32(out, static_cast<std::uint32_t>(list.size()));
    AppendLE32(out, 0);
    AppendLE32(out, 0);
    out.insert(out.end(), static_cast<std::size_t>(filler), 0);
    out.insert(out.end(), list.begin(), list.end());
    for (const TPending& e : FEntries)
        AppendLE32(out, static_cast<std::uint32_t>(e.Bytes.size()));
    for (const TPending& e : FEntries)
        out.insert(out.end(), e.Bytes.begin(), e.Bytes.end());
    return out;
}

} // namespace orvo

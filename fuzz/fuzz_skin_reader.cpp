// Any bytes as a decompressed skin archive: loading fails cleanly or every entry it lists can be
// fetched, by name and by part of its name, within the archive.
#include "core/skinfile/skin_reader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    orvo::TSkinReader reader;
    if (!reader.LoadArchive({data, data + size})) {
        if (!reader.Entries().empty()) std::abort();
        return 0;
    }
    std::size_t total = 0;
    for (std::size_t i = 0; i < reader.Entries().size(); ++i) {
        const orvo::TSkinEntry& e = reader.Entries()[i];
        total += e.Size;
        if (e.Offset + e.Size > size || total > size) std::abort();
        const auto bytes = reader.EntryBytes(i);
        const int first = reader.IndexOf(e.Name);
        if (first < 0 || static_cast<std::size_t>(first) > i) std::abort();
        if (static_cast<std::size_t>(first) == i &&
            reader.GetEntry(e.Name) != std::vector(bytes.begin(), bytes.end()))
            std::abort();
    }
    std::string name;
    reader.FindEntry(".ini", name);
    return 0;
}

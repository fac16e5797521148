// A store read partly and then decoded further reads exactly what a whole read gives. The first
// byte chooses what the rest is: a store as it stands, or an archive that is stored first (so that
// the fuzzer reaches the archive's directory through a valid bit stream); and which entries the
// partial read asks for.
#include "core/skinfile/skin_reader.h"
#include "core/skinfile/skin_store.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::uint8_t mode = data[0];
    std::vector<std::uint8_t> store(data + 1, data + size);
    if (mode & 1) store = orvo::EncodeSkinStore(store);
    orvo::TSkinReader whole, part;
    const orvo::TSkinLoadResult a = whole.Load(store);
    const orvo::TSkinLoadResult b = part.LoadPartly(store, [mode](const orvo::TSkinEntry& e) {
        return (e.Size + e.Name.size() + (mode >> 1)) % 3 != 0;
    });
    if (a.Status != b.Status) std::abort();
    if (!a) return 0;
    const auto& entries = whole.Entries();
    if (entries.size() != part.Entries().size()) std::abort();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const orvo::TSkinEntry& e = part.Entries()[i];
        if (e.Name != entries[i].Name || e.Offset != entries[i].Offset || e.Size != entries[i].Size) std::abort();
        if (!part.Decoded(i) && !part.EntryBytes(i).empty()) std::abort();
        if (!part.DecodeTo(e.Offset + e.Size) || !part.Decoded(i)) std::abort();
        const auto x = whole.EntryBytes(i), y = part.EntryBytes(i);
        if (!std::equal(x.begin(), x.end(), y.begin(), y.end())) std::abort();
    }
    return 0;
}

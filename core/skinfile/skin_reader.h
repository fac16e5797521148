// TSkinReader: opens a skin store and hands out its entries by name. Names are compared without
// regard to ASCII letter case; when a name occurs twice, the first entry wins.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvo {

enum class TSkinLoadStatus {
    Loaded,
    UnknownVersion, // the caller tells the user with OlderSkinFileText
    Corrupt,        // damaged or hostile data; Message says what is wrong
};

struct TSkinLoadResult {
    TSkinLoadStatus Status = TSkinLoadStatus::Loaded;
    std::string Message; // empty when loaded

    explicit operator bool() const { return Status == TSkinLoadStatus::Loaded; }
};

struct TSkinEntry {
    std::string Name;   // as stored in the archive
    std::string Key;    // Name in lower case, as lookups see it
    std::size_t Offset; // of the entry's bytes in the archive
    std::size_t Size;
};

class TSkinReader {
public:
    // Decompresses `store` (see DecodeSkinStore) and reads the archive. On failure the reader is
    // left empty. Never throws for bad data.
    TSkinLoadResult Load(std::span<const std::uint8_t> store);
    // Reads an already decompressed archive.
    TSkinLoadResult LoadArchive(std::vector<std::uint8_t> archive);
    // As Load, but decodes the store only as far as the name list, the size table and the last
    // entry for which `needed` answers true: the entries after it are listed but not decoded yet
    // (Decoded() tells; DecodeTo() decodes further), for the parts of a store a program may never
    // use. The reader keeps a copy of the store for that. A store that does not read this way is
    // read whole, so anything Load reads, this reads too.
    TSkinLoadResult LoadPartly(std::span<const std::uint8_t> store, const std::function<bool(const TSkinEntry&)>& needed);
    // The entry's bytes are there (always, after Load or LoadArchive).
    bool Decoded(std::size_t index) const;
    // Decodes the archive at least through its first `end` bytes, starting again from the store's
    // beginning (spans from EntryBytes become invalid). False when the store cannot give them.
    bool DecodeTo(std::uint64_t end);

    // The bytes of the first entry named `name` in any letter case; empty when there is none.
    std::vector<std::uint8_t> GetEntry(std::string_view name) const;
    // The first entry whose lower-case name contains `part` (taken as given: pass lower case),
    // with that name in `name`. No match (or an empty part) gives no bytes and leaves `name` alone.
    std::vector<std::uint8_t> FindEntry(std::string_view part, std::string& name) const;

    // Index of the first entry named `name` in any letter case, or -1.
    int IndexOf(std::string_view name) const;
    // The bytes of entry `index`; empty while it is not decoded.
    std::span<const std::uint8_t> EntryBytes(std::size_t index) const;
    const std::vector<TSkinEntry>& Entries() const { return FEntries; }
    std::int32_t Version() const { return FVersion; }

private:
    void Clear();
    TSkinLoadResult Parse(std::uint64_t total);
    TSkinLoadResult DecodeDirectory();

    std::vector<std::uint8_t> FArchive;
    std::vector<std::uint8_t> FStore; // kept by LoadPartly
    std::uint32_t FStated = 0;        // the archive size the store states (LoadPartly)
    std::vector<TSkinEntry> FEntries;
    std::int32_t FVersion = 0;
};

} // namespace orvo

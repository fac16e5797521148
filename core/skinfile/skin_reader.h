// TSkinReader: opens a skin store and hands out its entries by name. Names are compared without
// regard to ASCII letter case; when a name occurs twice, the first entry wins.
#pragma once

#include <cstdint>
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

    // The bytes of the first entry named `name` in any letter case; empty when there is none.
    std::vector<std::uint8_t> GetEntry(std::string_view name) const;
    // The first entry whose lower-case name contains `part` (taken as given: pass lower case),
    // with that name in `name`. No match (or an empty part) gives no bytes and leaves `name` alone.
    std::vector<std::uint8_t> FindEntry(std::string_view part, std::string& name) const;

    // Index of the first entry named `name` in any letter case, or -1.
    int IndexOf(std::string_view name) const;
    std::span<const std::uint8_t> EntryBytes(std::size_t index) const;
    const std::vector<TSkinEntry>& Entries() const { return FEntries; }
    std::int32_t Version() const { return FVersion; }

private:
    void Clear();
    TSkinLoadResult Parse();

    std::vector<std::uint8_t> FArchive;
    std::vector<TSkinEntry> FEntries;
    std::int32_t FVersion = 0;
};

} // namespace orvo

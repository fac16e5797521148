#include "core/skinfile/skin_reader.h"

#include "core/skinfile/ascii_text.h"
#include "core/skinfile/byte_order.h"
#include "core/skinfile/skin_archive.h"
#include "core/skinfile/skin_store.h"
#include "core/skinfile/skinfile_error.h"

#include <algorithm>
#include <new>
#include <string>

namespace orvo {
namespace {

TSkinLoadResult Corrupt(std::string message) {
    return {TSkinLoadStatus::Corrupt, "Skin archive: " + std::move(message)};
}

// A name as messages show it: hostile ones can be long and hold anything.
std::string Shown(std::string_view name) {
    std::string out;
    for (const char c : name.substr(0, 60))
        out += static_cast<unsigned char>(c) < 32 ? '?' : c;
    return name.size() > 60 ? out + "..." : out;
}

// CR, LF and CR LF each end a name; a final line break adds no name. Stops once there are more
// than `limit` names: a hostile list of empty lines must not cost memory.
std::vector<std::string_view> SplitNames(std::string_view list, std::size_t limit) {
    std::vector<std::string_view> names;
    std::size_t start = 0, i = 0;
    while (i < list.size() && names.size() <= limit) {
        const char c = list[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        names.push_back(list.substr(start, i - start));
        i += c == '\r' && i + 1 < list.size() && list[i + 1] == '\n' ? 2 : 1;
        start = i;
    }
    if (start < list.size() && names.size() <= limit) names.push_back(list.substr(start));
    return names;
}

// How many bytes the archive's directory (header, filler, name list, size table) takes, as far as
// `prefix` tells: when it is too short to know, at least the bytes it must hold to tell more.
std::uint64_t DirectoryEnd(std::span<const std::uint8_t> prefix) {
    if (prefix.size() < SkinArchiveHeaderSize) return SkinArchiveHeaderSize;
    const int filler = SkinArchiveFillerSize(static_cast<std::int32_t>(LoadLE32(prefix.data())));
    if (filler < 0) return SkinArchiveHeaderSize; // the version is refused by Parse
    const std::uint64_t listStart = SkinArchiveHeaderSize + static_cast<unsigned>(filler);
    const std::uint64_t listEnd = listStart + LoadLE32(prefix.data() + 4);
    if (prefix.size() < listEnd) return listEnd;
    const std::string_view list(reinterpret_cast<const char*>(prefix.data() + listStart), listEnd - listStart);
    return listEnd + 4 * SplitNames(list, MaxSkinEntries).size();
}

} // namespace

void TSkinReader::Clear() {
    FArchive.clear();
    FStore.clear();
    FStated = 0;
    FEntries.clear();
    FVersion = 0;
}

TSkinLoadResult TSkinReader::Load(std::span<const std::uint8_t> store) {
    Clear();
    try {
        return LoadArchive(DecodeSkinStore(store));
    } catch (const ESkinFileError& e) {
        return {TSkinLoadStatus::Corrupt, e.what()};
    } catch (const std::bad_alloc&) {
        return {TSkinLoadStatus::Corrupt, "LZH : Cannot get memory for the skin archive"};
    }
}

TSkinLoadResult TSkinReader::LoadArchive(std::vector<std::uint8_t> archive) {
    Clear();
    FArchive = std::move(archive);
    TSkinLoadResult result = Parse(FArchive.size());
    if (!result) Clear();
    return result;
}

TSkinLoadResult TSkinReader::LoadPartly(std::span<const std::uint8_t> store,
                                        const std::function<bool(const TSkinEntry&)>& needed) {
    Clear();
    try {
        FStated = SkinStoreSize(store);
        FStore.assign(store.begin(), store.end());
        TSkinLoadResult result = DecodeDirectory();
        if (result) result = Parse(FStated);
        if (result.Status == TSkinLoadStatus::UnknownVersion) {
            Clear();
            return result;
        }
        if (result) {
            std::uint64_t end = 0;
            for (const TSkinEntry& e : FEntries)
                if (needed(e)) end = std::max<std::uint64_t>(end, e.Offset + e.Size);
            if (DecodeTo(end)) return result;
        }
    } catch (const ESkinFileError&) {
    } catch (const std::bad_alloc&) {
    }
    return Load(store); // read whole, with the errors a whole read reports
}

TSkinLoadResult TSkinReader::DecodeDirectory() {
    // A directory is a few kilobytes; one step usually holds it, and each further step is sized
    // by what the last one told. Decoding more than it needs here would decode entries that may
    // never be wanted.
    std::uint64_t want = 8 * 1024;
    for (int step = 0; step < 4; ++step) {
        FArchive = DecodeSkinStorePrefix(FStore, static_cast<std::uint32_t>(std::min<std::uint64_t>(want, FStated)));
        const std::uint64_t directory = DirectoryEnd(FArchive);
        if (directory <= FArchive.size() || FArchive.size() >= FStated) return {};
        want = directory;
    }
    return Corrupt("the directory is not where its sizes say");
}

bool TSkinReader::Decoded(std::size_t index) const {
    const TSkinEntry& e = FEntries.at(index);
    return e.Offset + e.Size <= FArchive.size();
}

bool TSkinReader::DecodeTo(std::uint64_t end) {
    if (end <= FArchive.size()) return true;
    if (FStore.empty() || end > FStated) return false;
    try {
        FArchive = DecodeSkinStorePrefix(FStore, static_cast<std::uint32_t>(end));
    } catch (const ESkinFileError&) {
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
    return end <= FArchive.size();
}

TSkinLoadResult TSkinReader::Parse(std::uint64_t total) {
    const std::uint8_t* a = FArchive.data();
    if (total < SkinArchiveHeaderSize || FArchive.size() < SkinArchiveHeaderSize)
        return Corrupt(std::to_string(total) + " bytes are too few for the 16-byte header");
    const auto version = static_cast<std::int32_t>(LoadLE32(a));
    const int filler = SkinArchiveFillerSize(version);
    if (filler < 0)
        return {TSkinLoadStatus::UnknownVersion, "unknown skin archive version " + std::to_string(version)};
    const std::uint64_t listSize = LoadLE32(a + 4);
    const std::uint64_t listStart = SkinArchiveHeaderSize + static_cast<unsigned>(filler);
    if (listStart + listSize > total)
        return Corrupt("name list of " + std::to_string(listSize) +
                       " bytes runs past the end of the archive (" + std::to_string(total) + " bytes)");
    if (listStart + listSize > FArchive.size()) return Corrupt("the name list is not decoded");
    const std::string_view list(reinterpret_cast<const char*>(a + listStart), listSize);
    const std::vector<std::string_view> names = SplitNames(list, MaxSkinEntries);
    if (names.size() > MaxSkinEntries)
        return Corrupt("more than " + std::to_string(MaxSkinEntries) + " entries are not supported");
    const std::uint64_t tableStart = listStart + listSize;
    const std::uint64_t dataStart = tableStart + 4 * names.size();
    if (dataStart > total || dataStart > FArchive.size())
        return Corrupt("size table of " + std::to_string(names.size()) + " entries is truncated");
    std::uint64_t offset = dataStart;
    FEntries.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::uint64_t size = LoadLE32(a + tableStart + 4 * i);
        if (offset + size > total)
            return Corrupt("entry '" + Shown(names[i]) + "' of " + std::to_string(size) + " bytes runs " +
                           std::to_string(offset + size - total) + " bytes past the end of the archive");
        FEntries.push_back({std::string(names[i]), AsciiLower(names[i]), static_cast<std::size_t>(offset),
                            static_cast<std::size_t>(size)});
        offset += size;
    }
    FVersion = version;
    return {};
}

int TSkinReader::IndexOf(std::string_view name) const {
    const std::string key = AsciiLower(name);
    for (std::size_t i = 0; i < FEntries.size(); ++i)
        if (FEntries[i].Key == key) return static_cast<int>(i);
    return -1;
}

std::span<const std::uint8_t> TSkinReader::EntryBytes(std::size_t index) const {
    if (!Decoded(index)) return {};
    const TSkinEntry& e = FEntries.at(index);
    return {FArchive.data() + e.Offset, e.Size};
}

std::vector<std::uint8_t> TSkinReader::GetEntry(std::string_view name) const {
    const int i = IndexOf(name);
    if (i < 0) return {};
    const auto bytes = EntryBytes(static_cast<std::size_t>(i));
    return {bytes.begin(), bytes.end()};
}

std::vector<std::uint8_t> TSkinReader::FindEntry(std::string_view part, std::string& name) const {
    if (part.empty()) return {};
    for (std::size_t i = 0; i < FEntries.size(); ++i) {
        if (FEntries[i].Key.find(part) == std::string::npos) continue;
        name = FEntries[i].Key;
        const auto bytes = EntryBytes(i);
        return {bytes.begin(), bytes.end()};
    }
    return {};
}

} // namespace orvo

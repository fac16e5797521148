#pragma once
// Checksums of pieces and sources: XXH3-128 (xxHash), computed as the bytes go by.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace orvo {

struct TChecksum {
    std::uint64_t High = 0;
    std::uint64_t Low = 0;

    // 32 lower-case hexadecimal digits, the high half first (as xxHash's own tools print it).
    std::string Hex() const;
    static std::optional<TChecksum> FromHex(std::string_view hex);
    bool operator==(const TChecksum&) const = default;
};

// The checksum of bytes given in any number of parts.
class TChecksumState {
public:
    TChecksumState();
    ~TChecksumState();
    TChecksumState(const TChecksumState&) = delete;
    TChecksumState& operator=(const TChecksumState&) = delete;

    void Reset();
    void Update(const char* data, std::size_t size);
    TChecksum Digest() const;

private:
    struct TState;
    std::unique_ptr<TState> FState;
};

TChecksum ChecksumOf(std::string_view bytes);

} // namespace orvo

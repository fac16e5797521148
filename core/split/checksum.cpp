// XXH3-128 from Debian's xxHash, compiled in (header-only) so the Windows build needs no library.
#include "core/split/checksum.h"

#define XXH_INLINE_ALL
#include <xxhash.h>

namespace orvo {

struct TChecksumState::TState {
    XXH3_state_t State;
};

TChecksumState::TChecksumState() : FState(std::make_unique<TState>()) {
    Reset();
}

TChecksumState::~TChecksumState() = default;

void TChecksumState::Reset() {
    XXH3_128bits_reset(&FState->State);
}

void TChecksumState::Update(const char* data, std::size_t size) {
    if (size > 0) XXH3_128bits_update(&FState->State, data, size);
}

TChecksum TChecksumState::Digest() const {
    const XXH128_hash_t hash = XXH3_128bits_digest(&FState->State);
    return {hash.high64, hash.low64};
}

TChecksum ChecksumOf(std::string_view bytes) {
    const XXH128_hash_t hash = XXH3_128bits(bytes.data(), bytes.size());
    return {hash.high64, hash.low64};
}

std::string TChecksum::Hex() const {
    static constexpr char Digits[] = "0123456789abcdef";
    std::string text(32, '0');
    for (int i = 0; i < 16; ++i) {
        text[15 - i] = Digits[(High >> (4 * i)) & 0xF];
        text[31 - i] = Digits[(Low >> (4 * i)) & 0xF];
    }
    return text;
}

std::optional<TChecksum> TChecksum::FromHex(std::string_view hex) {
    if (hex.size() != 32) return std::nullopt;
    TChecksum checksum;
    for (std::size_t i = 0; i < 32; ++i) {
        const char c = hex[i];
        unsigned digit;
        if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'f') digit = static_cast<unsigned>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F') digit = static_cast<unsigned>(c - 'A' + 10);
        else return std::nullopt;
        std::uint64_t& half = i < 16 ? checksum.High : checksum.Low;
        half = half << 4 | digit;
    }
    return checksum;
}

} // namespace orvo

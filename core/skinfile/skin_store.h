// A skin store: the 32-bit little-endian size U of the skin archive, then its LZHUF bit stream.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace orvo {

// The archive bytes as the decoder produced them (at least U bytes, see TLZH::Decode).
// Throws ElzhException for a store shorter than its size field, a size that is negative or above
// TLZH::MaxDecodedSize, or a bit stream that ends long before U bytes.
std::vector<std::uint8_t> DecodeSkinStore(std::span<const std::uint8_t> store);

// The archive size U a store states. Throws ElzhException as DecodeSkinStore does for a store
// shorter than its size field or a negative size.
std::uint32_t SkinStoreSize(std::span<const std::uint8_t> store);

// The first bytes of the archive: decoding stops once at least `limit` bytes are out, or U when
// that is less (a match is not cut, so it may give up to 59 more). Throws as DecodeSkinStore.
std::vector<std::uint8_t> DecodeSkinStorePrefix(std::span<const std::uint8_t> store, std::uint32_t limit);

// The store of `archive`. Throws ElzhException when it is larger than TLZH::MaxDecodedSize.
std::vector<std::uint8_t> EncodeSkinStore(std::span<const std::uint8_t> archive);

} // namespace orvo

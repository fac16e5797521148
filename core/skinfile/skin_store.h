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

// The store of `archive`. Throws ElzhException when it is larger than TLZH::MaxDecodedSize.
std::vector<std::uint8_t> EncodeSkinStore(std::span<const std::uint8_t> archive);

} // namespace orvo

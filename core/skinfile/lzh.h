// TLZH: the LZHUF codec of skin stores. The program only decodes; the encoder serves the tools
// that build stores. Both work on whole buffers in memory (a skin is small, and the largest
// archive we accept is MaxDecodedSize).
#pragma once

#include "core/skinfile/lzh_tree.h"

#include <cstdint>
#include <span>
#include <vector>

namespace orvo {

class TLZH {
public:
    // Larger stated sizes are refused before anything is allocated.
    static constexpr std::uint32_t MaxDecodedSize = 64u << 20;

    // Decodes the bit stream until at least `size` bytes are out. The last match is never cut,
    // so the result may be up to 59 bytes longer than `size`; callers use it as produced.
    // Throws ElzhException when `size` is out of bounds or the stream ends long before it.
    std::vector<std::uint8_t> Decode(std::span<const std::uint8_t> stream, std::uint32_t size);
    // Throws ElzhException when `size` bytes cannot be asked of a stream of `streamBytes` (what
    // Decode refuses before anything is allocated).
    static void CheckDecodable(std::size_t streamBytes, std::uint32_t size);

    // The LZHUF bit stream of `data` (without any size field).
    std::vector<std::uint8_t> Encode(std::span<const std::uint8_t> data);

private:
    lzh::TLzhTree FTree;
};

} // namespace orvo

#include "core/skinfile/lzh.h"

#include "core/skinfile/lzh_bit_reader.h"

#include <cstring>
#include <string>

namespace orvo {
namespace {

using namespace lzh;

// The most output one input byte can yield: a match symbol takes at least 1 + 9 bits for 60 bytes.
constexpr std::uint64_t MaxBytesPerInputByte = 8 * F / 10;
// A match copies in 8-byte steps and may run this far past its end.
constexpr std::size_t CopySlack = 8;

} // namespace

void TLZH::CheckDecodable(std::size_t streamBytes, std::uint32_t size) {
    if (size > TLZH::MaxDecodedSize)
        throw ElzhException("LZH : stated size " + std::to_string(size) + " exceeds the limit of " +
                            std::to_string(TLZH::MaxDecodedSize) + " bytes");
    const std::uint64_t reachable = (streamBytes + TLzhBitReader::ZeroTailBytes) * MaxBytesPerInputByte + F;
    if (size > reachable)
        throw ElzhException("LZH : stated size " + std::to_string(size) + " cannot come from " +
                            std::to_string(streamBytes) + " bytes of compressed data");
}

namespace {

// The ring starts as N - F spaces followed by zeros; `back` counts bytes before the first output.
std::uint8_t InitialRingByte(std::size_t back) {
    return back <= RingFill ? ' ' : 0;
}

// Copies `length` bytes from `distance` back; an overlapping copy repeats what it has just written.
void CopyMatch(std::uint8_t* out, std::size_t at, std::size_t distance, std::size_t length) {
    std::uint8_t* dst = out + at;
    if (distance > at) {
        // The first matches of a stream reach into the initial ring contents.
        for (std::size_t k = 0; k < length; ++k, ++dst)
            *dst = at + k >= distance ? *(dst - distance) : InitialRingByte(distance - at - k);
        return;
    }
    // A short distance repeats a short pattern: once it is laid out, any multiple of the distance
    // of at least 8 copies the same bytes in whole words.
    std::size_t k = 0;
    if (distance < 8) {
        const std::size_t period = (8 + distance - 1) / distance * distance;
        const std::uint8_t* pattern = dst - distance;
        for (; k < period && k < length; ++k)
            dst[k] = pattern[k];
        distance = period;
    }
    const std::uint8_t* src = dst - distance;
    for (; k < length; k += 8)
        std::memcpy(dst + k, src + k, 8);
}

} // namespace

std::vector<std::uint8_t> TLZH::Decode(std::span<const std::uint8_t> stream, std::uint32_t size) {
    CheckDecodable(stream.size(), size);
    std::vector<std::uint8_t> out(size + F + CopySlack);
    FTree.Reset();
    TLzhBitReader bits(stream);
    auto nextBit = [&bits] { return bits.Bit(); };
    std::uint8_t* const o = out.data();
    std::size_t n = 0;
    while (n < size) {
        bits.Fill();
        const unsigned c = FTree.DecodeSymbol(nextBit);
        FTree.Update(c);
        if (c < 256) {
            o[n++] = static_cast<std::uint8_t>(c);
            continue;
        }
        // Position: an 8-bit lookup gives the upper 6 bits and the prefix length; 6 bits follow.
        bits.Fill();
        const unsigned j = bits.Peek(8);
        const unsigned codeBits = DLen[j] + 6u;
        const unsigned position = (DCode[j] << 6) | (bits.Peek(codeBits) & 0x3F);
        bits.Skip(codeBits);
        const std::size_t length = MatchLength(c);
        CopyMatch(o, n, position + 1, length);
        n += length;
    }
    bits.CheckConsumed();
    out.resize(n);
    return out;
}

} // namespace orvo

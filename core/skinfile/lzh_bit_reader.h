// Most-significant-bit-first reader of an LZHUF bit stream held in memory. Past the end it reads
// zero bits, as the format's decoder always has, but only for a few bytes: a stream that needs
// more than that is cut short, and decoding it further would only produce garbage.
#pragma once

#include "core/skinfile/skinfile_error.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace orvo::lzh {

class TLzhBitReader {
public:
    // Zero bytes a stream may lean on past its end: an encoder that does not flush its last
    // partial byte leaves the final code a few bits short.
    static constexpr std::size_t ZeroTailBytes = 2;

    explicit TLzhBitReader(std::span<const std::uint8_t> data)
        : FPos(data.data()), FEnd(data.data() + data.size()), FDataBits(data.size() * 8) {}

    // Keeps at least 56 bits buffered, enough for any symbol with its position.
    void Fill() {
        if (FCount < 40) Refill();
    }

    // Throws when more than the tolerated zero tail has been consumed.
    void CheckConsumed() const {
        if (FLoadedBits - FCount > FDataBits + ZeroTailBytes * 8)
            throw ElzhException("LZH : compressed data ends before the stated size is reached");
    }

    unsigned Bit() {
        if (FCount == 0) Refill();
        const unsigned b = static_cast<unsigned>(FBuf >> 63);
        FBuf <<= 1;
        --FCount;
        return b;
    }

    // The next `n` bits (1..32) without consuming them; needs them buffered (Fill).
    std::uint32_t Peek(unsigned n) const { return static_cast<std::uint32_t>(FBuf >> (64 - n)); }
    void Skip(unsigned n) {
        FBuf <<= n;
        FCount -= n;
    }

private:
    void Refill() {
        if (FEnd - FPos >= 8) {
            std::uint64_t w = 0;
            for (int i = 0; i < 8; ++i)
                w = (w << 8) | FPos[i];
            FBuf |= w >> FCount;
            const unsigned n = (63 - FCount) >> 3;
            FPos += n;
            FLoadedBits += n * 8;
            FCount += n * 8;
            return;
        }
        RefillTail();
    }

    void RefillTail() {
        CheckConsumed();
        while (FCount <= 56) {
            const std::uint64_t byte = FPos < FEnd ? *FPos++ : 0;
            FBuf |= byte << (56 - FCount);
            FLoadedBits += 8;
            FCount += 8;
        }
    }

    const std::uint8_t* FPos;
    const std::uint8_t* FEnd;
    std::size_t FDataBits;
    std::size_t FLoadedBits = 0; // bits moved into the buffer, zero padding included
    std::uint64_t FBuf = 0;      // valid bits are left-aligned
    unsigned FCount = 0;         // number of valid bits in FBuf
};

} // namespace orvo::lzh

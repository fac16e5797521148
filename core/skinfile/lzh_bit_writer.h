// Most-significant-bit-first writer of an LZHUF bit stream; the last byte is padded with zeros.
#pragma once

#include <cstdint>
#include <vector>

namespace orvo::lzh {

class TLzhBitWriter {
public:
    explicit TLzhBitWriter(std::vector<std::uint8_t>& out) : FOut(out) {}

    // Appends the low `n` bits of `code` (n up to 64), highest first.
    void Put(std::uint64_t code, unsigned n) {
        if (n > 32) {
            Put32(static_cast<std::uint32_t>(code >> 32), n - 32);
            n = 32;
        }
        Put32(static_cast<std::uint32_t>(code), n);
    }

    void Flush() {
        while (FCount >= 8)
            Emit();
        if (FCount > 0) {
            FOut.push_back(static_cast<std::uint8_t>(FBuf >> 56));
            FBuf = 0;
            FCount = 0;
        }
    }

private:
    void Put32(std::uint32_t code, unsigned n) {
        if (n == 0) return;
        const std::uint64_t bits = n < 32 ? code & ((1u << n) - 1) : code;
        FBuf |= bits << (64 - FCount - n);
        FCount += n;
        while (FCount >= 8)
            Emit();
    }

    void Emit() {
        FOut.push_back(static_cast<std::uint8_t>(FBuf >> 56));
        FBuf <<= 8;
        FCount -= 8;
    }

    std::vector<std::uint8_t>& FOut;
    std::uint64_t FBuf = 0; // pending bits, left-aligned; fewer than 8 between calls
    unsigned FCount = 0;
};

} // namespace orvo::lzh

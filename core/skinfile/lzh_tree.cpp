#include "core/skinfile/lzh_tree.h"

#include <algorithm>

namespace orvo::lzh {

void TLzhTree::Reset() {
    for (unsigned i = 0; i < NChar; ++i) {
        FFreq[i] = 1;
        FSon[i] = static_cast<std::uint16_t>(i + T);
        FParent[i + T] = static_cast<std::uint16_t>(i);
    }
    for (unsigned i = 0, j = NChar; j <= R; i += 2, ++j) {
        FFreq[j] = static_cast<std::uint16_t>(FFreq[i] + FFreq[i + 1]);
        FSon[j] = static_cast<std::uint16_t>(i);
        FParent[i] = FParent[i + 1] = static_cast<std::uint16_t>(j);
    }
    FFreq[T] = 0xFFFF;
    FParent[R] = 0;
}

std::uint64_t TLzhTree::Code(unsigned symbol, unsigned& length) const {
    // Depth is bounded far below 64: a leaf at depth d needs a root frequency of at least the
    // (d + 1)th Fibonacci number, and the root never exceeds MaxFreq.
    std::uint64_t code = 0;
    unsigned n = 0;
    for (unsigned k = FParent[symbol + T]; k != R; k = FParent[k], ++n)
        code |= static_cast<std::uint64_t>(k & 1) << n;
    length = n;
    return code;
}

void TLzhTree::Rebuild() {
    // Leaves keep their table order, with frequencies halved (rounding up).
    unsigned j = 0;
    for (unsigned i = 0; i < T; ++i) {
        if (FSon[i] >= T) {
            FFreq[j] = static_cast<std::uint16_t>((FFreq[i] + 1) / 2);
            FSon[j] = FSon[i];
            ++j;
        }
    }
    // Internal nodes: join consecutive pairs, inserting each sum after the last node not above it.
    for (unsigned i = 0, node = NChar; node < T; i += 2, ++node) {
        const unsigned f = FFreq[i] + FFreq[i + 1];
        unsigned k = node;
        while (f < FFreq[k - 1])
            --k;
        std::copy_backward(FFreq + k, FFreq + node, FFreq + node + 1);
        std::copy_backward(FSon + k, FSon + node, FSon + node + 1);
        FFreq[k] = static_cast<std::uint16_t>(f);
        FSon[k] = static_cast<std::uint16_t>(i);
    }
    for (unsigned i = 0; i < T; ++i) {
        const unsigned k = FSon[i];
        if (k >= T) {
            FParent[k] = static_cast<std::uint16_t>(i);
        } else {
            FParent[k] = FParent[k + 1] = static_cast<std::uint16_t>(i);
        }
    }
}

} // namespace orvo::lzh

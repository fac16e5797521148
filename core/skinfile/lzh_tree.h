// The adaptive Huffman tree of LZHUF, shared by the decoder and the encoder so that both sides
// evolve it identically. Nodes live in one table ordered by frequency (the sibling property); the
// two children of an internal node are always an even slot and the slot after it, so a node's
// branch bit is the parity of its slot.
#pragma once

#include "core/skinfile/lzh_format.h"

#include <cstdint>

namespace orvo::lzh {

class TLzhTree {
public:
    TLzhTree() { Reset(); }

    // Every symbol at frequency 1, internal nodes the sums of consecutive pairs.
    void Reset();

    // Walks from the root to a leaf, one bit per level; `nextBit` yields 0 or 1.
    template <class TNextBit> unsigned DecodeSymbol(TNextBit&& nextBit) const {
        unsigned c = FSon[R];
        while (c < T)
            c = FSon[c + nextBit()];
        return c - T;
    }

    // The code of `symbol`, root bit first, right-aligned in the result; its length in `length`.
    std::uint64_t Code(unsigned symbol, unsigned& length) const;

    // Counts one more occurrence of `symbol`, keeping the table ordered by frequency.
    void Update(unsigned symbol) {
        if (FFreq[R] == MaxFreq) Rebuild();
        unsigned k = FParent[symbol + T];
        do {
            const unsigned f = ++FFreq[k];
            if (f > FFreq[k + 1]) SwapWithLastBelow(k, f);
            k = FParent[k];
        } while (k != 0);
    }

    unsigned RootFrequency() const { return FFreq[R]; }

private:
    // Halves every leaf frequency and rebuilds the internal nodes in frequency order.
    void Rebuild();

    // Slot k just grew to f and breaks the order: exchange it with the last slot still below f.
    // The table is sorted, so the search gallops instead of stepping over long runs of equal
    // frequencies (the rarely used literals all sit at 1).
    void SwapWithLastBelow(unsigned& k, unsigned f) {
        unsigned lo = k + 1, hi = k + 2, step = 1;
        while (FFreq[hi] < f) {
            lo = hi;
            step <<= 1;
            hi = lo + step < T ? lo + step : T;
        }
        while (hi - lo > 1) {
            const unsigned mid = (lo + hi) / 2;
            (FFreq[mid] < f ? lo : hi) = mid;
        }
        const unsigned l = lo;
        FFreq[k] = FFreq[l];
        FFreq[l] = static_cast<std::uint16_t>(f);
        const unsigned i = FSon[k];
        FParent[i] = static_cast<std::uint16_t>(l);
        if (i < T) FParent[i + 1] = static_cast<std::uint16_t>(l);
        const unsigned j = FSon[l];
        FSon[l] = static_cast<std::uint16_t>(i);
        FParent[j] = static_cast<std::uint16_t>(k);
        if (j < T) FParent[j + 1] = static_cast<std::uint16_t>(k);
        FSon[k] = static_cast<std::uint16_t>(j);
        k = l;
    }

    std::uint16_t FFreq[T + 1];       // FFreq[T] is a 0xFFFF sentinel that ends every search
    std::uint16_t FParent[T + NChar]; // parents of slots, then of leaves (symbol + T)
    std::uint16_t FSon[T];            // left child slot, or symbol + T for a leaf
};

} // namespace orvo::lzh

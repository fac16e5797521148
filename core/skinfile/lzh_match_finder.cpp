#include "core/skinfile/lzh_match_finder.h"

#include <bit>
#include <cstring>

namespace orvo::lzh {
namespace {

std::uint64_t LoadBE64(const std::uint8_t* p) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    if constexpr (std::endian::native == std::endian::little) v = __builtin_bswap64(v);
    return v;
}

// How many of the first F bytes of a and b agree (at least 1: the trees are keyed by the first
// byte), and in `cmp` the sign of the first difference (0 when all F agree). Compares a word at a
// time; both strings have F bytes readable.
unsigned CommonPrefix(const std::uint8_t* a, const std::uint8_t* b, int& cmp) {
    unsigned i = 1;
    for (; i + 8 <= F; i += 8) {
        const std::uint64_t x = LoadBE64(a + i), y = LoadBE64(b + i);
        if (x != y) {
            i += static_cast<unsigned>(std::countl_zero(x ^ y)) / 8;
            cmp = a[i] - b[i];
            return i;
        }
    }
    for (; i < F; ++i)
        if ((cmp = a[i] - b[i]) != 0) return i;
    cmp = 0;
    return F;
}

} // namespace

TLzhMatchFinder::TLzhMatchFinder(const std::uint8_t* ring)
    : FRing(ring), FLeft(N + 1, Nil), FRight(N + 257, Nil), FParent(N + 1, Nil) {}

void TLzhMatchFinder::Insert(unsigned r) {
    const std::uint8_t* key = FRing + r;
    unsigned p = N + 1 + key[0];
    int cmp = 1;
    FLeft[r] = FRight[r] = Nil;
    FMatchLength = 0;
    for (;;) {
        std::uint16_t& next = cmp >= 0 ? FRight[p] : FLeft[p];
        if (next == Nil) {
            next = static_cast<std::uint16_t>(r);
            FParent[r] = static_cast<std::uint16_t>(p);
            return;
        }
        p = next;
        const unsigned i = CommonPrefix(key, FRing + p, cmp);
        if (i <= Threshold) continue;
        const unsigned position = ((r - p) & (N - 1)) - 1;
        if (i > FMatchLength) {
            FMatchPosition = position;
            FMatchLength = i;
            if (i >= F) break;
        } else if (i == FMatchLength && position < FMatchPosition) {
            FMatchPosition = position;
        }
    }
    // A full-length match: r takes over p's place in the tree, p leaves it.
    ReplaceNode(p, r);
}

void TLzhMatchFinder::ReplaceNode(unsigned p, unsigned r) {
    FParent[r] = FParent[p];
    FLeft[r] = FLeft[p];
    FRight[r] = FRight[p];
    FParent[FLeft[p]] = static_cast<std::uint16_t>(r);
    FParent[FRight[p]] = static_cast<std::uint16_t>(r);
    if (FRight[FParent[p]] == p)
        FRight[FParent[p]] = static_cast<std::uint16_t>(r);
    else
        FLeft[FParent[p]] = static_cast<std::uint16_t>(r);
    FParent[p] = Nil;
}

void TLzhMatchFinder::Remove(unsigned p) {
    if (FParent[p] == Nil) return;
    unsigned q;
    if (FRight[p] == Nil) {
        q = FLeft[p];
    } else if (FLeft[p] == Nil) {
        q = FRight[p];
    } else {
        // Two children: the in-order predecessor (rightmost of the left subtree) takes p's place.
        q = FLeft[p];
        if (FRight[q] != Nil) {
            do
                q = FRight[q];
            while (FRight[q] != Nil);
            FRight[FParent[q]] = FLeft[q];
            FParent[FLeft[q]] = FParent[q];
            FLeft[q] = FLeft[p];
            FParent[FLeft[p]] = static_cast<std::uint16_t>(q);
        }
        FRight[q] = FRight[p];
        FParent[FRight[p]] = static_cast<std::uint16_t>(q);
    }
    FParent[q] = FParent[p];
    if (FRight[FParent[p]] == p)
        FRight[FParent[p]] = static_cast<std::uint16_t>(q);
    else
        FLeft[FParent[p]] = static_cast<std::uint16_t>(q);
    FParent[p] = Nil;
}

} // namespace orvo::lzh

#include "core/skinfile/lzh_match_finder.h"

namespace orvo::lzh {

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
        unsigned i = 1;
        const std::uint8_t* other = FRing + p;
        while (i < F && (cmp = key[i] - other[i]) == 0)
            ++i;
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

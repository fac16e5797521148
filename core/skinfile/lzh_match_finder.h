// Longest-match search of the LZHUF encoder: a binary search tree of the strings starting at each
// ring position, keyed by their first F bytes, with one tree per first byte. Inserting a position
// also finds the longest earlier match of it (the nearest one among equals, whose position code is
// shortest).
#pragma once

#include "core/skinfile/lzh_format.h"

#include <cstdint>
#include <vector>

namespace orvo::lzh {

class TLzhMatchFinder {
public:
    // `ring` holds N + F - 1 bytes: the ring, then a copy of its first F - 1 bytes.
    explicit TLzhMatchFinder(const std::uint8_t* ring);

    void Insert(unsigned r);
    void Remove(unsigned p);

    unsigned MatchLength() const { return FMatchLength; }
    unsigned MatchPosition() const { return FMatchPosition; } // distance - 1

private:
    static constexpr unsigned Nil = N;

    void ReplaceNode(unsigned p, unsigned r);

    const std::uint8_t* FRing;
    std::vector<std::uint16_t> FLeft;   // N + 1
    std::vector<std::uint16_t> FRight;  // N + 257: slots N + 1 + b are the roots of the trees
    std::vector<std::uint16_t> FParent; // N + 1
    unsigned FMatchLength = 0;
    unsigned FMatchPosition = 0;
};

} // namespace orvo::lzh

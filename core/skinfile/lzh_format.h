// Parameters and position tables of the LZHUF format (LZSS over a 4 KiB ring, literals and match
// lengths coded with an adaptive Huffman tree, upper position bits with a fixed prefix code). Every
// value here is part of the format: changing one breaks every stored skin.
#pragma once

#include <array>
#include <cstdint>

namespace orvo::lzh {

constexpr unsigned N = 4096;                    // ring buffer size; positions are 12 bits
constexpr unsigned F = 60;                      // longest match
constexpr unsigned Threshold = 2;               // matches are at least Threshold + 1 bytes
constexpr unsigned NChar = 256 - Threshold + F; // 314 symbols: literals, then lengths 3..60
constexpr unsigned T = 2 * NChar - 1;           // 627 tree nodes
constexpr unsigned R = T - 1;                   // root
constexpr unsigned MaxFreq = 0x8000;            // root frequency that triggers a rebuild
constexpr unsigned RingFill = N - F;            // initial write position; ring[0, RingFill) is spaces

// Symbol of a match of `length` bytes, and back.
constexpr unsigned MatchSymbol(unsigned length) {
    return 256 - Threshold - 1 + length;
}
constexpr unsigned MatchLength(unsigned symbol) {
    return symbol - (256 - Threshold - 1);
}

namespace detail {
// d_code/d_len are runs: `count` consecutive 8-bit prefixes per upper value, with a given length.
struct TPositionRun {
    unsigned Values;   // how many upper values share this code length
    unsigned PerValue; // table entries per upper value
    unsigned Length;   // d_len of these entries
};
constexpr TPositionRun PositionRuns[] = {{1, 32, 3}, {3, 16, 4}, {8, 8, 5},
                                         {12, 4, 6}, {24, 2, 7}, {16, 1, 8}};

constexpr std::array<std::array<std::uint8_t, 256>, 2> MakeDecodeTables() {
    std::array<std::array<std::uint8_t, 256>, 2> t{};
    unsigned index = 0, value = 0;
    for (const auto& run : PositionRuns)
        for (unsigned v = 0; v < run.Values; ++v, ++value)
            for (unsigned k = 0; k < run.PerValue; ++k, ++index) {
                t[0][index] = static_cast<std::uint8_t>(value);
                t[1][index] = static_cast<std::uint8_t>(run.Length);
            }
    return t;
}
inline constexpr auto DecodeTables = MakeDecodeTables();
} // namespace detail

// d_code: upper 6 position bits by the first 8 bits of a position code.
inline constexpr const std::array<std::uint8_t, 256>& DCode = detail::DecodeTables[0];
// d_len: the length in bits (3..8) of the prefix those 8 bits start with.
inline constexpr const std::array<std::uint8_t, 256>& DLen = detail::DecodeTables[1];

// The encoder's view: for each upper value, its prefix (left-aligned in 8 bits) and length.
struct TPositionCode {
    std::uint8_t Prefix;
    std::uint8_t Length;
};
constexpr std::array<TPositionCode, 64> MakePositionCodes() {
    std::array<TPositionCode, 64> codes{};
    for (unsigned j = 256; j-- > 0;)
        codes[DCode[j]] = {static_cast<std::uint8_t>(j), DLen[j]};
    return codes;
}
inline constexpr auto PositionCodes = MakePositionCodes();

static_assert(NChar == 314 && T == 627 && R == 626);
static_assert(DCode[31] == 0 && DCode[32] == 1 && DCode[79] == 3 && DCode[80] == 4 && DCode[255] == 63);
static_assert(DLen[0] == 3 && DLen[32] == 4 && DLen[80] == 5 && DLen[144] == 6 && DLen[192] == 7 &&
              DLen[240] == 8);

} // namespace orvo::lzh

#include "core/split/line_scan.h"

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace orvo {

namespace {

constexpr std::uint64_t Ones = 0x0101010101010101ull;
constexpr std::uint64_t Highs = 0x8080808080808080ull;

// High bit set in each byte of `word` that equals `byte`; the lowest flagged byte is always exact.
inline std::uint64_t BytesEqual(std::uint64_t word, char byte) {
    const std::uint64_t x = word ^ (Ones * static_cast<unsigned char>(byte));
    return (x - Ones) & ~x & Highs;
}

const char* FindBytewise(const char* p, const char* end) {
    for (; p < end; ++p)
        if (*p == LineFeed || *p == CarriageReturn || *p == EndOfText) return p;
    return end;
}

} // namespace

const char* FindLineSpecialPortable(const char* p, const char* end) {
    if constexpr (std::endian::native == std::endian::little) {
        while (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, 8);
            const std::uint64_t hits =
                BytesEqual(word, LineFeed) | BytesEqual(word, CarriageReturn) | BytesEqual(word, EndOfText);
            if (hits != 0) return p + std::countr_zero(hits) / 8;
            p += 8;
        }
    }
    return FindBytewise(p, end);
}

#if defined(__SSE2__)

namespace {

inline int SpecialMask(__m128i bytes) {
    const __m128i lf = _mm_cmpeq_epi8(bytes, _mm_set1_epi8(LineFeed));
    const __m128i cr = _mm_cmpeq_epi8(bytes, _mm_set1_epi8(CarriageReturn));
    const __m128i sub = _mm_cmpeq_epi8(bytes, _mm_set1_epi8(EndOfText));
    return _mm_movemask_epi8(_mm_or_si128(_mm_or_si128(lf, cr), sub));
}

} // namespace

const char* FindLineSpecial(const char* p, const char* end) {
    while (end - p >= 32) {
        const int low = SpecialMask(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
        const int high = SpecialMask(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16)));
        const unsigned mask = static_cast<unsigned>(low) | (static_cast<unsigned>(high) << 16);
        if (mask != 0) return p + std::countr_zero(mask);
        p += 32;
    }
    if (end - p >= 16) {
        const int mask = SpecialMask(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
        if (mask != 0) return p + std::countr_zero(static_cast<unsigned>(mask));
        p += 16;
    }
    return FindBytewise(p, end);
}

#else

const char* FindLineSpecial(const char* p, const char* end) {
    return FindLineSpecialPortable(p, end);
}

#endif

} // namespace orvo

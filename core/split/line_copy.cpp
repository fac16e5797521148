#include "core/split/line_copy.h"

#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace orvo {

#ifdef ORVO_HAS_AVX_COPY
// Compiled for their instruction sets, in files of their own.
TLineCopier LineCopierAvx2(TTextEncoding encoding, TCopyRule rule);
TLineCopier LineCopierAvx512(TTextEncoding encoding, TCopyRule rule);
#endif

namespace {

#include "core/split/line_copy_kernel.h"

// Eight bytes in a 64-bit word, for machines without a vector unit we know: the units are its lanes.
template <class TCodesOf> struct TWordBlock {
    using TCodes = TCodesOf;
    static constexpr std::size_t Width = 8;
    static constexpr std::size_t Unit = sizeof(typename TCodes::Unit);
    static constexpr std::uint64_t LaneOnes = Unit == 1 ? 0x0101010101010101ull
                                              : Unit == 2 ? 0x0001000100010001ull
                                                          : 0x0000000100000001ull;
    static constexpr std::uint64_t LaneHighs = LaneOnes << (8 * Unit - 1);

    // The high bit of each lane equal to `code`; only the lowest flag is exact, as CopyAndFind needs.
    static std::uint64_t Equal(std::uint64_t word, std::uint64_t code) {
        const std::uint64_t x = word ^ (LaneOnes * code);
        return (x - LaneOnes) & ~x & LaneHighs;
    }
    // The first unit in memory into the lowest lane, each lane's bytes as they were.
    static std::uint64_t FirstLaneLowest(std::uint64_t word) {
        if constexpr (std::endian::native == std::endian::big) {
            word = __builtin_bswap64(word);
            if constexpr (Unit == 2)
                word = ((word >> 8) & 0x00FF00FF00FF00FFull) | ((word & 0x00FF00FF00FF00FFull) << 8);
            if constexpr (Unit == 4) {
                word = ((word >> 16) & 0x0000FFFF0000FFFFull) | ((word & 0x0000FFFF0000FFFFull) << 16);
                word = ((word >> 8) & 0x00FF00FF00FF00FFull) | ((word & 0x00FF00FF00FF00FFull) << 8);
            }
        }
        return word;
    }
    static std::uint64_t CopyAndFind(const char* in, char* out) {
        std::uint64_t word;
        std::memcpy(&word, in, Width);
        std::memcpy(out, &word, Width);
        word = FirstLaneLowest(word);
        return Equal(word, TCodes::Lf) | Equal(word, TCodes::Cr) | Equal(word, TCodes::Sub);
    }
    static std::uint64_t KeepFirst(std::uint64_t mask, std::size_t bytes) {
        return mask & ((std::uint64_t{1} << (bytes * 8)) - 1);
    }
    // Exact for every lane, unlike Equal: the high bit of each lane that equals `code`.
    static std::uint64_t ExactEqual(std::uint64_t word, std::uint64_t code) {
        const std::uint64_t x = word ^ (LaneOnes * code);
        return ~(((x & ~LaneHighs) + ~LaneHighs) | x | ~LaneHighs);
    }
    static constexpr std::uint64_t All = LaneHighs;
    static TFound<std::uint64_t> CopyAndClassify(const char* in, char* out) {
        std::uint64_t word;
        std::memcpy(&word, in, Width);
        std::memcpy(out, &word, Width);
        word = FirstLaneLowest(word);
        return {ExactEqual(word, TCodes::Lf), ExactEqual(word, TCodes::Cr), ExactEqual(word, TCodes::Sub),
                ExactEqual(word, TCodes::Quote)};
    }
    static std::size_t FirstIndex(std::uint64_t mask) {
        return static_cast<std::size_t>(std::countr_zero(mask)) / (8 * Unit) * Unit;
    }
};

#if defined(__SSE2__)
template <class TCodesOf> struct TSse2Block {
    using TCodes = TCodesOf;
    static constexpr std::size_t Width = 16;
    static constexpr std::size_t Unit = sizeof(typename TCodes::Unit);
    // All bytes of each unit equal to `code` set.
    static __m128i Equal(__m128i units, typename TCodes::Unit code) {
        if constexpr (Unit == 1) return _mm_cmpeq_epi8(units, _mm_set1_epi8(static_cast<char>(code)));
        else if constexpr (Unit == 2) return _mm_cmpeq_epi16(units, _mm_set1_epi16(static_cast<short>(code)));
        else return _mm_cmpeq_epi32(units, _mm_set1_epi32(static_cast<int>(code)));
    }
    static unsigned CopyAndFind(const char* in, char* out) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), units);
        const __m128i found = _mm_or_si128(_mm_or_si128(Equal(units, TCodes::Lf), Equal(units, TCodes::Cr)),
                                           Equal(units, TCodes::Sub));
        return static_cast<unsigned>(_mm_movemask_epi8(found));
    }
    static unsigned KeepFirst(unsigned mask, std::size_t bytes) { return mask & ((1u << bytes) - 1); }
    // One flag a unit: that of its first byte.
    static constexpr unsigned All = Unit == 1 ? 0xFFFFu : Unit == 2 ? 0x5555u : 0x1111u;
    static TFound<unsigned> CopyAndClassify(const char* in, char* out) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), units);
        const auto flags = [&](typename TCodes::Unit code) {
            return static_cast<unsigned>(_mm_movemask_epi8(Equal(units, code))) & All;
        };
        return {flags(TCodes::Lf), flags(TCodes::Cr), flags(TCodes::Sub), flags(TCodes::Quote)};
    }
    static std::size_t FirstIndex(unsigned mask) { return static_cast<std::size_t>(std::countr_zero(mask)); }
};
#endif

} // namespace

std::size_t AvailableLineCopiers(TTextEncoding encoding, TNamedCopier (&copiers)[4], TCopyRule rule) {
    std::size_t count = 0;
    copiers[count++] = {"word", CopierFor<TWordBlock>(encoding, rule)};
#if defined(__SSE2__)
    copiers[count++] = {"sse2", CopierFor<TSse2Block>(encoding, rule)};
#endif
#ifdef ORVO_HAS_AVX_COPY
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2")) copiers[count++] = {"avx2", LineCopierAvx2(encoding, rule)};
    if (__builtin_cpu_supports("avx512bw")) copiers[count++] = {"avx512", LineCopierAvx512(encoding, rule)};
#endif
    return count;
}

TLineCopier BestLineCopier(TTextEncoding encoding, TCopyRule rule) {
    TNamedCopier copiers[4];
    return copiers[AvailableLineCopiers(encoding, copiers, rule) - 1].Copier;
}

} // namespace orvo

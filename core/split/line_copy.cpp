#include "core/split/line_copy.h"

#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace orvo {

#ifdef ORVO_HAS_AVX_COPY
// Compiled for their instruction sets, in files of their own.
TCopyStop CopyLineTextAvx2(TLineCopy& copy);
TCopyStop CopyLineTextAvx512(TLineCopy& copy);
#endif

namespace {

#include "core/split/line_copy_kernel.h"

// Eight bytes in a 64-bit word, for machines without a vector unit we know.
struct TWordBlock {
    static constexpr std::size_t Width = 8;
    static constexpr std::uint64_t Ones = 0x0101010101010101ull;
    static constexpr std::uint64_t Highs = 0x8080808080808080ull;

    // The high bit of each byte equal to `byte`; only the lowest flag is exact, as the kernel needs.
    static std::uint64_t Equal(std::uint64_t word, unsigned char byte) {
        const std::uint64_t x = word ^ (Ones * byte);
        return (x - Ones) & ~x & Highs;
    }
    static std::uint64_t CopyAndFind(const char* in, char* out) {
        std::uint64_t word;
        std::memcpy(&word, in, Width);
        std::memcpy(out, &word, Width);
        if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
        return Equal(word, '\n') | Equal(word, '\r') | Equal(word, 0x1A);
    }
    static std::uint64_t KeepFirst(std::uint64_t mask, std::size_t count) {
        return mask & ((std::uint64_t{1} << (count * 8)) - 1);
    }
    static std::size_t FirstIndex(std::uint64_t mask) {
        return static_cast<std::size_t>(std::countr_zero(mask)) / 8;
    }
};

TCopyStop CopyWords(TLineCopy& copy) {
    return CopyLineText<TWordBlock>(copy);
}

#if defined(__SSE2__)
struct TSse2Block {
    static constexpr std::size_t Width = 16;
    static unsigned CopyAndFind(const char* in, char* out) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), bytes);
        const __m128i lf = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n'));
        const __m128i cr = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r'));
        const __m128i sub = _mm_cmpeq_epi8(bytes, _mm_set1_epi8(0x1A));
        return static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(lf, cr), sub)));
    }
    static unsigned KeepFirst(unsigned mask, std::size_t count) { return mask & ((1u << count) - 1); }
    static std::size_t FirstIndex(unsigned mask) { return static_cast<std::size_t>(std::countr_zero(mask)); }
};

TCopyStop CopySse2(TLineCopy& copy) {
    return CopyLineText<TSse2Block>(copy);
}
#endif

} // namespace

std::size_t AvailableLineCopiers(TNamedCopier (&copiers)[4]) {
    std::size_t count = 0;
    copiers[count++] = {"word", CopyWords};
#if defined(__SSE2__)
    copiers[count++] = {"sse2", CopySse2};
#endif
#ifdef ORVO_HAS_AVX_COPY
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2")) copiers[count++] = {"avx2", CopyLineTextAvx2};
    if (__builtin_cpu_supports("avx512bw")) copiers[count++] = {"avx512", CopyLineTextAvx512};
#endif
    return count;
}

TLineCopier BestLineCopier() {
    static const TLineCopier best = [] {
        TNamedCopier copiers[4];
        return copiers[AvailableLineCopiers(copiers) - 1].Copier;
    }();
    return best;
}

} // namespace orvo

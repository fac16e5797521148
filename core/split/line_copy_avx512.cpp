// The copy loops for processors with AVX-512 (byte and word instructions). This file alone is
// compiled for AVX-512 and is entered only after the processor has said it has it, so it must not
// define anything shared with other files (no standard library templates).
#include "core/split/line_copy.h"

#include <immintrin.h>

namespace orvo {

namespace {

#include "core/split/line_copy_kernel.h"

// The compares give one flag bit per code unit.
template <class TCodesOf> struct TAvx512Block {
    using TCodes = TCodesOf;
    static constexpr std::size_t Width = 64;
    static constexpr std::size_t Unit = sizeof(typename TCodes::Unit);
    static unsigned long long Equal(__m512i units, typename TCodes::Unit code) {
        if constexpr (Unit == 1) return _mm512_cmpeq_epi8_mask(units, _mm512_set1_epi8(static_cast<char>(code)));
        else if constexpr (Unit == 2)
            return _mm512_cmpeq_epi16_mask(units, _mm512_set1_epi16(static_cast<short>(code)));
        else return _mm512_cmpeq_epi32_mask(units, _mm512_set1_epi32(static_cast<int>(code)));
    }
    static constexpr unsigned long long All = ~0ull >> (64 - 64 / Unit);
    static TFound<unsigned long long> CopyAndClassify(const char* in, char* out) {
        const __m512i units = _mm512_loadu_si512(in);
        _mm512_storeu_si512(out, units);
        return {Equal(units, TCodes::Lf), Equal(units, TCodes::Cr), Equal(units, TCodes::Sub),
                Equal(units, TCodes::Quote)};
    }
    static unsigned long long KeepFirst(unsigned long long mask, std::size_t bytes) {
        return mask & ((1ull << (bytes / Unit)) - 1);
    }
    static std::size_t FirstIndex(unsigned long long mask) {
        return static_cast<std::size_t>(__builtin_ctzll(mask)) * Unit;
    }
};

} // namespace

TLineCopier LineCopierAvx512(TTextEncoding encoding, TCopyRule rule) {
    return CopierFor<TAvx512Block>(encoding, rule);
}

} // namespace orvo

// The copy loops for processors with AVX2. This file alone is compiled for AVX2 and is entered
// only after the processor has said it has AVX2, so it must not define anything shared with other
// files (no standard library templates).
#include "core/split/line_copy.h"

#include <immintrin.h>

namespace orvo {

namespace {

#include "core/split/line_copy_kernel.h"

// Two vectors per step: most lines are longer than 32 bytes, so fewer steps end without a find.
template <class TCodesOf> struct TAvx2Block : TMask64 {
    using TCodes = TCodesOf;
    static constexpr std::size_t Width = 64;
    static constexpr std::size_t Unit = sizeof(typename TCodes::Unit);
    static __m256i Equal(__m256i units, typename TCodes::Unit code) {
        if constexpr (Unit == 1) return _mm256_cmpeq_epi8(units, _mm256_set1_epi8(static_cast<char>(code)));
        else if constexpr (Unit == 2)
            return _mm256_cmpeq_epi16(units, _mm256_set1_epi16(static_cast<short>(code)));
        else return _mm256_cmpeq_epi32(units, _mm256_set1_epi32(static_cast<int>(code)));
    }
    // One flag a unit: that of its first byte.
    static constexpr unsigned long long All =
        Unit == 1 ? ~0ull : Unit == 2 ? 0x5555555555555555ull : 0x1111111111111111ull;
    static unsigned long long Flags(__m256i low, __m256i high, typename TCodes::Unit code) {
        const auto half = [&](__m256i units) { return static_cast<unsigned>(_mm256_movemask_epi8(Equal(units, code))); };
        return (half(low) | static_cast<unsigned long long>(half(high)) << 32) & All;
    }
    static TFound<unsigned long long> CopyAndClassify(const char* in, char* out) {
        const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in));
        const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + 32));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), low);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 32), high);
        return {Flags(low, high, TCodes::Lf), Flags(low, high, TCodes::Cr), Flags(low, high, TCodes::Sub),
                Flags(low, high, TCodes::Quote)};
    }
};

} // namespace

TLineCopier LineCopierAvx2(TTextEncoding encoding, TCopyRule rule) {
    return CopierFor<TAvx2Block>(encoding, rule);
}

} // namespace orvo

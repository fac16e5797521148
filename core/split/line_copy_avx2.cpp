// The copy loop for processors with AVX2. This file alone is compiled for AVX2 and is entered
// only after the processor has said it has AVX2, so it must not define anything shared with other
// files (no standard library templates).
#include "core/split/line_copy.h"

#include <immintrin.h>

namespace orvo {

namespace {

#include "core/split/line_copy_kernel.h"

// Two vectors per step: most lines are longer than 32 bytes, so fewer steps end without a find.
struct TAvx2Block : TMask64 {
    static constexpr std::size_t Width = 64;
    static unsigned Half(__m256i bytes) {
        const __m256i lf = _mm256_cmpeq_epi8(bytes, _mm256_set1_epi8('\n'));
        const __m256i cr = _mm256_cmpeq_epi8(bytes, _mm256_set1_epi8('\r'));
        const __m256i sub = _mm256_cmpeq_epi8(bytes, _mm256_set1_epi8(0x1A));
        return static_cast<unsigned>(_mm256_movemask_epi8(_mm256_or_si256(_mm256_or_si256(lf, cr), sub)));
    }
    static unsigned long long CopyAndFind(const char* in, char* out) {
        const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in));
        const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + 32));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), low);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 32), high);
        return Half(low) | static_cast<unsigned long long>(Half(high)) << 32;
    }
};

} // namespace

TCopyStop CopyLineTextAvx2(TLineCopy& copy) {
    return CopyLineText<TAvx2Block>(copy);
}

} // namespace orvo

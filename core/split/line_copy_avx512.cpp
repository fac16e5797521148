// The copy loop for processors with AVX-512 (byte and word instructions). This file alone is
// compiled for AVX-512 and is entered only after the processor has said it has it, so it must not
// define anything shared with other files (no standard library templates).
#include "core/split/line_copy.h"

#include <immintrin.h>

namespace orvo {

namespace {

#include "core/split/line_copy_kernel.h"

struct TAvx512Block : TMask64 {
    static constexpr std::size_t Width = 64;
    static unsigned long long CopyAndFind(const char* in, char* out) {
        const __m512i bytes = _mm512_loadu_si512(in);
        _mm512_storeu_si512(out, bytes);
        return _mm512_cmpeq_epi8_mask(bytes, _mm512_set1_epi8('\n')) |
               _mm512_cmpeq_epi8_mask(bytes, _mm512_set1_epi8('\r')) |
               _mm512_cmpeq_epi8_mask(bytes, _mm512_set1_epi8(0x1A));
    }
};

} // namespace

TCopyStop CopyLineTextAvx512(TLineCopy& copy) {
    return CopyLineText<TAvx512Block>(copy);
}

} // namespace orvo

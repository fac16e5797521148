#include "core/colour/colour_ramp.h"

#include <stdexcept>

namespace orvo {

namespace {

int RampChannel(int from, int to, int i, int n) {
    const int d = to - from;
    if (n == 1) return from + d / 2;
    const int c = n - 1;
    const int h = c / 2;
    // 64-bit: i * d overflows int for ramps longer than about eight million entries.
    return from + static_cast<int>((h + static_cast<long long>(i) * d) / c);
}

} // namespace

void ComputeRamp(std::span<TColourValue> out, TColourValue a, TColourValue b) {
    const int n = static_cast<int>(out.size());
    for (int i = 0; i < n; ++i) {
        out[i] = MakeColour(RampChannel(RedOf(a), RedOf(b), i, n), RampChannel(GreenOf(a), GreenOf(b), i, n),
                            RampChannel(BlueOf(a), BlueOf(b), i, n));
    }
}

int TRampCache::RampIndex(int count, TColourValue c1, TColourValue c2) {
    if (count < 1) throw std::invalid_argument("Assertion failure");
    for (int slot = SlotCount - 1; slot >= 0; --slot) {
        const auto& ramp = FSlots[slot];
        if (static_cast<int>(ramp.size()) == count && ramp.front() == c1 && ramp.back() == c2) return slot;
    }
    const int slot = FNext;
    FNext = (FNext + 1) % SlotCount;
    FSlots[slot].assign(count, 0);
    ComputeRamp(FSlots[slot], c1, c2);
    return slot;
}

TRampCache& GlobalRampCache() {
    static TRampCache cache;
    return cache;
}

} // namespace orvo

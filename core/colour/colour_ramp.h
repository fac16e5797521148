// Colour ramps for two-colour gradients, and the small cache that keeps the last sixteen of them:
// gradients are redrawn on every paint with the same lengths and colours.
#pragma once

#include "core/colour/colour.h"

#include <array>
#include <span>
#include <vector>

namespace orvo {

// Fills `out` (n = out.size() >= 1 entries) with the ramp from a to b, channel by channel. The
// first entry is a; the last is b for rising channels and may be one step short for falling ones.
void ComputeRamp(std::span<TColourValue> out, TColourValue a, TColourValue b);

class TRampCache {
public:
    static constexpr int SlotCount = 16;

    // The slot holding the ramp of `count` colours from c1 to c2: an existing slot whose length,
    // first and last entries match (searched from the highest slot down), or else the slot at the
    // counter, recomputed, with the counter advanced. A count below 1 throws std::invalid_argument.
    int RampIndex(int count, TColourValue c1, TColourValue c2);
    std::span<const TColourValue> Ramp(int slot) const { return FSlots.at(slot); }
    int NextSlot() const { return FNext; }

private:
    std::array<std::vector<TColourValue>, SlotCount> FSlots;
    int FNext = 0;
};

// The process-wide cache used by the gradient fill (user-interface thread only).
TRampCache& GlobalRampCache();

} // namespace orvo

#include "core/skinfile/lzh.h"

#include "core/skinfile/lzh_bit_writer.h"
#include "core/skinfile/lzh_match_finder.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace orvo {
namespace {

using namespace lzh;

// The sliding window of the encoder: the ring that the decoder rebuilds, plus a copy of its first
// F - 1 bytes after the end so that a string starting near the end can be compared without wrapping.
class TEncoderWindow {
public:
    TEncoderWindow(std::span<const std::uint8_t> data, lzh::TLzhTree& tree, std::vector<std::uint8_t>& out)
        : FData(data), FTree(tree), FBits(out), FFinder(FRing) {
        std::memset(FRing, ' ', sizeof FRing);
    }

    void Run();

private:
    void PutSymbol(unsigned symbol) {
        unsigned length = 0;
        const std::uint64_t code = FTree.Code(symbol, length);
        FBits.Put(code, length);
        FTree.Update(symbol);
    }

    void PutPosition(unsigned position) {
        const TPositionCode& upper = PositionCodes[position >> 6];
        FBits.Put(upper.Prefix >> (8 - upper.Length), upper.Length);
        FBits.Put(position & 0x3F, 6);
    }

    // Moves the window on by one byte, taking the next input byte if there is one.
    void Advance(unsigned& s, unsigned& r, unsigned& lookahead) {
        FFinder.Remove(s);
        const bool more = FNext < FData.size();
        if (more) {
            const std::uint8_t c = FData[FNext++];
            FRing[s] = c;
            if (s < F - 1) FRing[s + N] = c;
        }
        s = (s + 1) & (N - 1);
        r = (r + 1) & (N - 1);
        if (!more) --lookahead;
        if (lookahead > 0) FFinder.Insert(r);
    }

    std::span<const std::uint8_t> FData;
    std::size_t FNext = 0;
    lzh::TLzhTree& FTree;
    TLzhBitWriter FBits;
    std::uint8_t FRing[N + F - 1] = {};
    TLzhMatchFinder FFinder;
};

void TEncoderWindow::Run() {
    unsigned s = 0, r = RingFill;
    unsigned lookahead = static_cast<unsigned>(std::min<std::size_t>(F, FData.size()));
    std::memcpy(FRing + r, FData.data(), lookahead);
    FNext = lookahead;
    // The spaces before the first byte are matchable, exactly as the decoder's ring holds them.
    for (unsigned i = 1; i <= F; ++i)
        FFinder.Insert(r - i);
    FFinder.Insert(r);
    while (lookahead > 0) {
        unsigned length = std::min(FFinder.MatchLength(), lookahead);
        if (length <= Threshold) {
            length = 1;
            PutSymbol(FRing[r]);
        } else {
            PutSymbol(MatchSymbol(length));
            PutPosition(FFinder.MatchPosition());
        }
        for (unsigned i = 0; i < length; ++i)
            Advance(s, r, lookahead);
    }
    FBits.Flush();
}

} // namespace

std::vector<std::uint8_t> TLZH::Encode(std::span<const std::uint8_t> data) {
    std::vector<std::uint8_t> out;
    if (data.empty()) return out;
    out.reserve(data.size() / 2 + 16);
    FTree.Reset();
    auto window = std::make_unique<TEncoderWindow>(data, FTree, out);
    window->Run();
    return out;
}

} // namespace orvo

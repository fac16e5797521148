#include "lzh_reference.h"

#include "core/skinfile/lzh_format.h"

#include <stdexcept>

namespace orvo::test {

using namespace orvo::lzh;

TReferenceTree::TReferenceTree() : FFreq(T + 1), FParent(T + NChar), FSon(T) {
    for (unsigned i = 0; i < NChar; ++i) {
        FFreq[i] = 1;
        FSon[i] = i + T;
        FParent[i + T] = i;
    }
    for (unsigned i = 0, j = NChar; j <= R; i += 2, ++j) {
        FFreq[j] = FFreq[i] + FFreq[i + 1];
        FSon[j] = i;
        FParent[i] = FParent[i + 1] = j;
    }
    FFreq[T] = 0xFFFF;
    FParent[R] = 0;
}

std::string TReferenceTree::Code(unsigned symbol) const {
    std::string code;
    for (unsigned k = FParent[symbol + T]; k != R; k = FParent[k])
        code.insert(code.begin(), k & 1 ? '1' : '0');
    return code;
}

unsigned TReferenceTree::Decode(const std::vector<int>& bits, std::size_t& at) const {
    unsigned c = FSon[R];
    while (c < T)
        c = FSon[c + (at < bits.size() ? bits[at++] : (++at, 0))];
    return c - T;
}

void TReferenceTree::Update(unsigned symbol) {
    if (FFreq[R] == MaxFreq) Rebuild();
    unsigned c = FParent[symbol + T];
    do {
        const unsigned k = ++FFreq[c];
        if (k > FFreq[c + 1]) {
            unsigned l = c + 1;
            while (k > FFreq[l + 1])
                ++l;
            FFreq[c] = FFreq[l];
            FFreq[l] = k;
            const unsigned i = FSon[c];
            FParent[i] = l;
            if (i < T) FParent[i + 1] = l;
            const unsigned j = FSon[l];
            FSon[l] = i;
            FParent[j] = c;
            if (j < T) FParent[j + 1] = c;
            FSon[c] = j;
            c = l;
        }
    } while ((c = FParent[c]) != 0);
}

void TReferenceTree::Rebuild() {
    ++FRebuilds;
    unsigned j = 0;
    for (unsigned i = 0; i < T; ++i)
        if (FSon[i] >= T) {
            FFreq[j] = (FFreq[i] + 1) / 2;
            FSon[j] = FSon[i];
            ++j;
        }
    for (unsigned i = 0, n = NChar; n < T; i += 2, ++n) {
        const unsigned f = FFreq[i] + FFreq[i + 1];
        unsigned k = n - 1;
        while (f < FFreq[k])
            --k;
        ++k;
        FFreq.insert(FFreq.begin() + k, f);
        FFreq.erase(FFreq.begin() + n + 1);
        FSon.insert(FSon.begin() + k, i);
        FSon.erase(FSon.begin() + n + 1);
    }
    for (unsigned i = 0; i < T; ++i) {
        if (FSon[i] >= T)
            FParent[FSon[i]] = i;
        else
            FParent[FSon[i]] = FParent[FSon[i] + 1] = i;
    }
}

std::string PositionPrefix(unsigned upper) {
    // Upper values by prefix length: 1 of 3 bits, 3 of 4, 8 of 5, 12 of 6, 24 of 7, 16 of 8. Codes
    // of one length follow the last of the previous length, counting upwards (canonical order).
    static const unsigned counts[] = {1, 3, 8, 12, 24, 16};
    unsigned first = 0, code = 0;
    for (unsigned length = 3; length <= 8; ++length) {
        const unsigned n = counts[length - 3];
        if (upper < first + n) {
            const unsigned value = code + (upper - first);
            std::string bits;
            for (unsigned b = length; b-- > 0;)
                bits += (value >> b) & 1 ? '1' : '0';
            return bits;
        }
        first += n;
        code = (code + n) << 1;
    }
    throw std::out_of_range("upper position bits above 63");
}

void TStreamBuilder::Symbol(unsigned symbol) {
    FBits += FTree.Code(symbol);
    FTree.Update(symbol);
}

TStreamBuilder& TStreamBuilder::Literal(std::uint8_t byte) {
    Symbol(byte);
    return *this;
}

TStreamBuilder& TStreamBuilder::Literals(const std::string& text) {
    for (const char c : text)
        Literal(static_cast<std::uint8_t>(c));
    return *this;
}

TStreamBuilder& TStreamBuilder::Match(unsigned length, unsigned distance) {
    Symbol(253 + length);
    const unsigned position = distance - 1;
    FBits += PositionPrefix(position >> 6);
    for (unsigned b = 6; b-- > 0;)
        FBits += (position >> b) & 1 ? '1' : '0';
    return *this;
}

TStreamBuilder& TStreamBuilder::Bits(const std::string& bits) {
    FBits += bits;
    return *this;
}

std::vector<std::uint8_t> TStreamBuilder::Bytes() const {
    std::vector<std::uint8_t> out((FBits.size() + 7) / 8, 0);
    for (std::size_t i = 0; i < FBits.size(); ++i)
        if (FBits[i] == '1') out[i / 8] |= static_cast<std::uint8_t>(0x80 >> (i % 8));
    return out;
}

std::vector<std::uint8_t> ReferenceDecode(const std::vector<std::uint8_t>& stream, std::size_t size) {
    std::vector<int> bits;
    for (const std::uint8_t byte : stream)
        for (int b = 7; b >= 0; --b)
            bits.push_back((byte >> b) & 1);
    std::size_t at = 0;
    auto bit = [&] { return at < bits.size() ? bits[at++] : (++at, 0); };
    std::vector<std::uint8_t> ring(N, 0), out;
    for (unsigned i = 0; i < N - F; ++i)
        ring[i] = ' ';
    unsigned r = N - F;
    TReferenceTree tree;
    while (out.size() < size) {
        const unsigned c = tree.Decode(bits, at);
        tree.Update(c);
        if (c < 256) {
            out.push_back(static_cast<std::uint8_t>(c));
            ring[r] = static_cast<std::uint8_t>(c);
            r = (r + 1) % N;
            continue;
        }
        unsigned i = 0;
        for (int b = 0; b < 8; ++b)
            i = (i << 1) | bit();
        unsigned extra = DLen[i] - 2;
        const unsigned upper = DCode[i];
        while (extra-- > 0)
            i = (i << 1) | bit();
        unsigned from = (r - ((upper << 6) | (i & 0x3F)) - 1) % N;
        for (unsigned k = 0; k < c - 253; ++k) {
            const std::uint8_t byte = ring[(from + k) % N];
            out.push_back(byte);
            ring[r] = byte;
            r = (r + 1) % N;
        }
    }
    return out;
}

} // namespace orvo::test

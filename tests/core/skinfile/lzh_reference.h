// A deliberately plain model of the LZHUF format, written from its published description and
// sharing nothing with the codec under test but the constants: an adaptive tree updated by linear
// search, a bit-by-bit writer and reader, and a decoder over a 4096-byte ring. Tests build
// streams by hand with it and check the codec against it in both directions.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvo::test {

class TReferenceTree {
public:
    TReferenceTree();
    // The code of `symbol` as '0'/'1' characters, root first.
    std::string Code(unsigned symbol) const;
    unsigned Decode(const std::vector<int>& bits, std::size_t& at) const;
    void Update(unsigned symbol);
    unsigned Rebuilds() const { return FRebuilds; }

private:
    void Rebuild();
    std::vector<unsigned> FFreq, FParent, FSon;
    unsigned FRebuilds = 0;
};

// Builds a bit stream symbol by symbol, as the published encoder would write it.
class TStreamBuilder {
public:
    TStreamBuilder& Literal(std::uint8_t byte);
    TStreamBuilder& Literals(const std::string& text);
    // A match of `length` bytes (3..60) starting `distance` bytes back (1..4096).
    TStreamBuilder& Match(unsigned length, unsigned distance);
    TStreamBuilder& Bits(const std::string& bits);
    std::vector<std::uint8_t> Bytes() const; // padded with zero bits to a whole byte

private:
    void Symbol(unsigned symbol);
    TReferenceTree FTree;
    std::string FBits;
};

// Decodes like the published decoder: one bit at a time, zeros past the end of the input.
std::vector<std::uint8_t> ReferenceDecode(const std::vector<std::uint8_t>& stream, std::size_t size);

// The prefix code of the upper six position bits, from the format's run-length description.
std::string PositionPrefix(unsigned upper);

} // namespace orvo::test

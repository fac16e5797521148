#include "core/skinfile/lzh.h"
#include "core/skinfile/lzh_tree.h"
#include "core/skinfile/skin_store.h"
#include "core/skinfile/skinfile_error.h"

#include "lzh_reference.h"
#include "test_data.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

using test::Bytes;
using test::ReferenceDecode;
using test::TStreamBuilder;

std::vector<std::uint8_t> Decode(const std::vector<std::uint8_t>& stream, std::uint32_t size) {
    TLZH codec;
    return codec.Decode(stream, size);
}

std::vector<std::uint8_t> Spaces(std::size_t n) {
    return std::vector<std::uint8_t>(n, ' ');
}

TEST(LzhRoundTrip, EverySizeAndKindOfData) {
    const std::size_t sizes[] = {0, 1, 2, 3, 59, 60, 61, 4035, 4036, 4037, 4095, 4096, 4097, 70000};
    for (const std::size_t size : sizes) {
        const std::vector<std::vector<std::uint8_t>> inputs = {
            test::RandomBytes(size, static_cast<std::uint32_t>(size)), test::RepetitiveText(size),
            std::vector<std::uint8_t>(size, 0x5A), Spaces(size)};
        for (std::size_t kind = 0; kind < inputs.size(); ++kind) {
            SCOPED_TRACE("size " + std::to_string(size) + ", kind " + std::to_string(kind));
            const auto& data = inputs[kind];
            TLZH codec;
            const auto stream = codec.Encode(data);
            EXPECT_EQ(codec.Decode(stream, static_cast<std::uint32_t>(size)), data);
        }
    }
}

TEST(LzhRoundTrip, LongRunsDriveTheTreeRebuild) {
    // Random bytes give one symbol per byte, a long run one per 60 bytes: both pass the root
    // frequency at which the tree is rebuilt, several times.
    for (const auto& data : {test::RandomBytes(200000, 7), std::vector<std::uint8_t>(6u << 20, 0xEE)}) {
        TLZH codec;
        const auto stream = codec.Encode(data);
        EXPECT_EQ(codec.Decode(stream, static_cast<std::uint32_t>(data.size())), data);
    }
}

TEST(LzhTree, FollowsThePublishedUpdateThroughRebuilds) {
    // The galloping search and the rebuild must leave exactly the tree a linear search leaves.
    lzh::TLzhTree tree;
    test::TReferenceTree reference;
    std::mt19937 gen(3);
    for (int i = 0; i < 300000; ++i) {
        // Skewed symbol mix: a few hot symbols, many cold ones, like real data.
        const unsigned symbol = gen() % 4 ? gen() % 8 : gen() % lzh::NChar;
        tree.Update(symbol);
        reference.Update(symbol);
        if (i % 997 == 0 || i == 299999) {
            for (unsigned s = 0; s < lzh::NChar; ++s) {
                unsigned length = 0;
                const std::uint64_t code = tree.Code(s, length);
                std::string bits;
                for (unsigned b = length; b-- > 0;)
                    bits += (code >> b) & 1 ? '1' : '0';
                ASSERT_EQ(bits, reference.Code(s)) << "symbol " << s << " after " << i << " updates";
            }
        }
    }
    EXPECT_GE(reference.Rebuilds(), 8u);
}

TEST(LzhFormat, HandBuiltLiteralsDecode) {
    TStreamBuilder b;
    b.Literal('A');
    EXPECT_EQ(Decode(b.Bytes(), 1), Bytes("A"));
    // Pinned by hand: in the initial tree slot j > 313 has children 2(j - 314) and 2(j - 314) + 1,
    // so 'A' (slot 65) climbs 346, 487, 557, 592, 610, 619, 623, 625 to the root.
    EXPECT_EQ(test::TReferenceTree().Code('A'), "111001101");
    TStreamBuilder all;
    std::string text;
    for (int c = 0; c < 256; ++c)
        text += static_cast<char>(255 - c);
    all.Literals(text);
    EXPECT_EQ(Decode(all.Bytes(), 256), Bytes(text));
}

TEST(LzhFormat, MatchPositionsOfEveryPrefixLength) {
    // 4096 distinct-enough literals, then one match per position class (3- to 8-bit prefixes).
    const std::vector<std::uint8_t> history = test::RandomBytes(4096, 11);
    TStreamBuilder b;
    std::vector<std::uint8_t> expected = history;
    for (const std::uint8_t c : history)
        b.Literal(c);
    const unsigned distances[] = {1, 64, 65, 256, 257, 768, 769, 1536, 1537, 3072, 3073, 4096};
    for (const unsigned distance : distances) {
        b.Match(7, distance);
        for (int k = 0; k < 7; ++k)
            expected.push_back(expected[expected.size() - distance]);
    }
    EXPECT_EQ(Decode(b.Bytes(), static_cast<std::uint32_t>(expected.size())), expected);
    EXPECT_EQ(test::PositionPrefix(0), "000");
    EXPECT_EQ(test::PositionPrefix(1), "0010");
    EXPECT_EQ(test::PositionPrefix(63), "11111111");
}

TEST(LzhFormat, FirstMatchesCopyTheInitialRing) {
    // Spaces lie up to 4036 bytes back, the 60 bytes before them are zero.
    TStreamBuilder spaces;
    spaces.Match(5, 10);
    EXPECT_EQ(Decode(spaces.Bytes(), 5), Spaces(5));
    TStreamBuilder edge;
    edge.Match(10, 4041);
    const std::vector<std::uint8_t> expected = {0, 0, 0, 0, 0, ' ', ' ', ' ', ' ', ' '};
    EXPECT_EQ(Decode(edge.Bytes(), 10), expected);
    // A match overlapping its own output repeats it.
    TStreamBuilder overlap;
    overlap.Literals("ab").Match(6, 2);
    EXPECT_EQ(Decode(overlap.Bytes(), 8), Bytes("abababab"));
}

TEST(LzhFormat, FinalMatchRunsPastTheStatedSize) {
    TStreamBuilder b;
    b.Literal('x').Match(60, 1);
    EXPECT_EQ(Decode(b.Bytes(), 10), std::vector<std::uint8_t>(61, 'x'));
}

TEST(LzhFormat, EncoderOutputDecodesWithThePlainModel) {
    for (const auto& data : {test::RepetitiveText(50000), test::RandomBytes(9000, 5)}) {
        TLZH codec;
        EXPECT_EQ(ReferenceDecode(codec.Encode(data), data.size()), data);
    }
}

TEST(LzhHostileInput, RefusesSizesTheDataCannotReach) {
    EXPECT_THROW(Decode({}, 100), ElzhException);
    EXPECT_THROW(Decode(std::vector<std::uint8_t>(10, 0xFF), TLZH::MaxDecodedSize + 1), ElzhException);
    // Zero bits decode forever (to the shortest code); a stream of them must end in an error.
    EXPECT_THROW(Decode(std::vector<std::uint8_t>(1000, 0), 40000), ElzhException);
    // Every byte value soup either decodes or fails cleanly, within bounded output.
    for (std::uint32_t seed = 0; seed < 200; ++seed) {
        const auto junk = test::RandomBytes(64 + seed, seed);
        try {
            EXPECT_LE(Decode(junk, 3000).size(), 3000u + 59u);
        } catch (const ElzhException&) {
        }
    }
}

TEST(LzhHostileInput, ToleratesOnlyAShortZeroTail) {
    // The last code may lean on a few padding bytes; a stream cut in half may not.
    const auto data = test::RandomBytes(2000, 9);
    TLZH codec;
    auto stream = codec.Encode(data);
    stream.resize(stream.size() / 2);
    EXPECT_THROW(codec.Decode(stream, 2000), ElzhException);
}

TEST(SkinStore, FramesTheSizeBeforeTheStream) {
    const auto data = test::RepetitiveText(5000);
    const auto store = EncodeSkinStore(data);
    ASSERT_GE(store.size(), 4u);
    EXPECT_EQ(store[0] | store[1] << 8 | store[2] << 16 | store[3] << 24, 5000);
    EXPECT_EQ(DecodeSkinStore(store), data);
    EXPECT_TRUE(DecodeSkinStore(EncodeSkinStore({})).empty());
    EXPECT_THROW(DecodeSkinStore(std::vector<std::uint8_t>{1, 0, 0}), ElzhException);
    EXPECT_THROW(DecodeSkinStore(std::vector<std::uint8_t>{0, 0, 0, 0x80, 1}), ElzhException);
}

} // namespace
} // namespace orvo

// Every copy loop the processor runs, against the plain transformation, driven the way the
// engine drives it: small output limits, small line budgets, junk past both buffer ends.
#include "core/split/line_copy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace orvo {
namespace {

// The text up to the first Ctrl-Z, with CRs dropped and LFs written as CR LF.
std::string Transformed(const std::string& source) {
    std::string out;
    for (const char c : source) {
        if (c == '\x1A') break;
        if (c == '\n')
            out += "\r\n";
        else if (c != '\r')
            out += c;
    }
    return out;
}

std::string RandomBytes(std::mt19937& random) {
    // Special bytes, their one-bit neighbours and high-bit twins, and plain text.
    static const char alphabet[] = {'\n',   '\r',   '\x1A', '\x0B', '\x0C', '\x8A',
                                    '\x8D', '\x9A', '\x1B', 'a',    'b'};
    std::string source(std::uniform_int_distribution<std::size_t>(0, 300)(random), 'x');
    const int density = std::uniform_int_distribution<int>(1, 60)(random);
    for (char& c : source) {
        if (std::uniform_int_distribution<int>(0, density)(random) == 0)
            c = alphabet[random() % sizeof alphabet];
        if (c == '\x1A' && random() % 4 != 0) c = 'z'; // keep most of the text reachable
    }
    return source;
}

void CheckCopier(const TNamedCopier& named, std::mt19937& random) {
    for (int round = 0; round < 400; ++round) {
        const std::string source = RandomBytes(random);
        std::string in = source + std::string(LineCopySlack, '\n'); // junk that must not count
        std::string out(source.size() * 2 + 4 * LineCopySlack, '\0');
        TLineCopy copy{in.data(), in.data() + source.size(), out.data(), nullptr, 0};
        for (;;) {
            const char* before = copy.In;
            const std::uint32_t budget = std::uniform_int_distribution<std::uint32_t>(1, 4)(random);
            copy.LinesLeft = budget;
            copy.OutLimit = copy.Out + std::uniform_int_distribution<int>(1, 40)(random);
            const TCopyStop stop = named.Copier(copy);
            ASSERT_LE(copy.Out, copy.OutLimit + 64) << named.Name;
            ASSERT_EQ(std::count(before, copy.In, '\n'), budget - copy.LinesLeft) << named.Name;
            if (stop == TCopyStop::LinesDone) {
                ASSERT_EQ(copy.LinesLeft, 0u);
                ASSERT_EQ(copy.In[-1], '\n');
            } else if (stop == TCopyStop::OutputFull) {
                ASSERT_GE(copy.Out, copy.OutLimit);
            } else if (stop == TCopyStop::EndOfText) {
                ASSERT_EQ(*copy.In, '\x1A');
                break;
            } else {
                ASSERT_EQ(copy.In, copy.InEnd);
                break;
            }
        }
        const std::string written(out.data(), copy.Out);
        ASSERT_EQ(written, Transformed(source)) << named.Name << ", round " << round;
    }
}

TEST(LineCopy, EveryCopierMatchesThePlainTransformation) {
    TNamedCopier copiers[4];
    const std::size_t count = AvailableLineCopiers(copiers);
    ASSERT_GE(count, 1u);
    std::mt19937 random(11);
    for (std::size_t i = 0; i < count; ++i)
        CheckCopier(copiers[i], random);
    EXPECT_EQ(BestLineCopier(), copiers[count - 1].Copier);
}

} // namespace
} // namespace orvo

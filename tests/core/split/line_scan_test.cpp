// The block-at-a-time search for LF, CR and Ctrl-Z against a plain loop, at every alignment.
#include "core/split/line_scan.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace orvo {
namespace {

const char* Plain(const char* p, const char* end) {
    while (p < end && *p != '\n' && *p != '\r' && *p != '\x1A')
        ++p;
    return p;
}

void ExpectAllAgree(const std::string& text) {
    const char* begin = text.data();
    for (std::size_t from = 0; from <= text.size(); ++from) {
        for (const std::size_t to : {text.size(), (from + text.size()) / 2}) {
            if (to < from) continue;
            const char* expected = Plain(begin + from, begin + to);
            ASSERT_EQ(FindLineSpecial(begin + from, begin + to), expected) << from << ".." << to;
            ASSERT_EQ(FindLineSpecialPortable(begin + from, begin + to), expected) << from << ".." << to;
        }
    }
}

TEST(LineScan, FindsEachSpecialByteAtEveryPosition) {
    for (const char special : {'\n', '\r', '\x1A'}) {
        for (std::size_t at = 0; at < 100; ++at) {
            // Neighbours that differ from the special bytes by one bit, or only in the high bit.
            std::string text(100, '\x8A');
            for (std::size_t i = 0; i < text.size(); i += 3)
                text[i] = i % 2 ? '\x0B' : '\x9A';
            text[at] = special;
            ExpectAllAgree(text);
        }
    }
}

TEST(LineScan, AgreesWithAPlainLoopOnRandomBytes) {
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        std::string text(std::uniform_int_distribution<std::size_t>(0, 160)(random), '\0');
        const int sparsity = std::uniform_int_distribution<int>(1, 200)(random);
        for (char& c : text) {
            c = static_cast<char>(random());
            if (c == '\n' || c == '\r' || c == '\x1A')
                if (static_cast<int>(random() % 256) >= 256 / sparsity) c = 'x';
        }
        ExpectAllAgree(text);
    }
}

} // namespace
} // namespace orvo

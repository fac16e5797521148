// Data generators shared by the skin-file tests.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace orvo::test {

inline std::vector<std::uint8_t> RandomBytes(std::size_t size, std::uint32_t seed) {
    std::mt19937 gen(seed);
    std::vector<std::uint8_t> out(size);
    for (auto& b : out)
        b = static_cast<std::uint8_t>(gen());
    return out;
}

// Log-like text: repeated phrases with changing numbers, the kind of data skins and logs hold.
inline std::vector<std::uint8_t> RepetitiveText(std::size_t size) {
    std::vector<std::uint8_t> out;
    out.reserve(size + 64);
    for (unsigned line = 0; out.size() < size; ++line) {
        const std::string text = "line " + std::to_string(line) + ": the quick brown fox jumps over " +
                                 std::to_string(line * 7 % 1000) + " lazy dogs\r\n";
        out.insert(out.end(), text.begin(), text.end());
    }
    out.resize(size);
    return out;
}

inline std::vector<std::uint8_t> Bytes(const std::string& s) {
    return {s.begin(), s.end()};
}

} // namespace orvo::test

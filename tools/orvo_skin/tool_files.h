// Whole-file reads and writes of the skin tool, with paths given as UTF-8. Failures throw
// ESkinToolError naming the file and the reason.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace orvo {

class ESkinToolError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::filesystem::path PathFromUtf8(const std::string& text);
std::string Utf8FromPath(const std::filesystem::path& path);

// Larger inputs are refused: no skin file comes near this.
constexpr std::uintmax_t MaxToolInputSize = 256u << 20;

std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path);
// Writes beside the target first and renames over it, so a failed write never leaves a torn file.
void WriteWholeFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

} // namespace orvo

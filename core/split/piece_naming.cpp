#include "core/split/piece_naming.h"

#include <charconv>

namespace orvo {

std::string_view DirectoryPartOf(std::string_view path, std::string_view separators) {
    const std::size_t last = path.find_last_of(separators);
    return last == std::string_view::npos ? std::string_view() : path.substr(0, last + 1);
}

std::string BaseNameOf(std::string_view path, std::string_view separators) {
    std::string_view name = path.substr(DirectoryPartOf(path, separators).size());
    const std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos) name = name.substr(0, dot);
    return std::string(name);
}

std::string PiecePath(std::string_view prefix, std::uint64_t number) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, number);
    std::string path;
    path.reserve(prefix.size() + 6 + static_cast<std::size_t>(result.ptr - digits));
    path += prefix;
    path += '_';
    path.append(digits, result.ptr);
    path += ".txt";
    return path;
}

} // namespace orvo

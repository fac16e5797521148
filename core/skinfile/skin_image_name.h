// How a skin INI value names an image in the archive.
#pragma once

#include <string_view>

namespace orvo {

// The file name part of a value: what follows its last '/' or '\'.
constexpr std::string_view FileNamePart(std::string_view value) {
    const std::size_t slash = value.find_last_of("/\\");
    return slash == std::string_view::npos ? value : value.substr(slash + 1);
}

// The archive entry an image key's value names: its file name part, or nothing (empty) when the
// value is empty or its extension is not exactly ".bmp" (lower case), which leaves the image empty.
constexpr std::string_view SkinImageEntryName(std::string_view value) {
    return value.ends_with(".bmp") ? FileNamePart(value) : std::string_view();
}

} // namespace orvo

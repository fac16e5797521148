#pragma once
// Where the pieces of a source go and what they are called.
#include <cstdint>
#include <string>
#include <string_view>

namespace orvo {

// The characters that end a directory part. On Windows a drive ("D:name.txt") ends one as well:
// a colon can never be part of a file name there.
#ifdef _WIN32
inline constexpr std::string_view PathSeparators = "/\\:";
#else
inline constexpr std::string_view PathSeparators = "/";
#endif

// The name after the last separator, without the part from its last "." on:
// "dir/a.b.txt" -> "a.b", "dir/README" -> "README", "dir/notes." -> "notes".
std::string BaseNameOf(std::string_view path, std::string_view separators = PathSeparators);

// The directory part of `path` up to and including its last separator; empty when it has none.
std::string_view DirectoryPartOf(std::string_view path, std::string_view separators = PathSeparators);

// `prefix` (target directory + base name) + "_" + number + ".txt".
std::string PiecePath(std::string_view prefix, std::uint64_t number);

} // namespace orvo

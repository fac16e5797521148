#pragma once
// How the text of a source is read: in bytes (any code page, UTF-8) or in the code units of
// UTF-16 or UTF-32 in either byte order; and the byte-order marks that tell them apart.
//
// The line rules are the same in every encoding, applied to code units: LF ends a line, a CR
// right before it belongs to it, any other CR is dropped, U+001A ends the text.
#include <cstddef>
#include <optional>
#include <string_view>

namespace orvo {

enum class TTextEncoding { Bytes, Utf8, Utf16Le, Utf16Be, Utf32Le, Utf32Be };

// Bytes per code unit: 1, 2 or 4.
std::size_t UnitSize(TTextEncoding encoding);

// The byte-order mark of the encoding; empty for Bytes.
std::string_view MarkOf(TTextEncoding encoding);

// CR LF in the encoding's code units.
std::string_view LineEndOf(TTextEncoding encoding);

// "UTF-16LE", "UTF-8", …, "bytes".
std::string_view EncodingName(TTextEncoding encoding);

// The longest mark, in bytes: MarkAt needs this many bytes of the source (or all of a shorter one).
inline constexpr std::size_t LongestMark = 4;

// The encoding whose mark starts `text`, if any. FF FE 00 00 is UTF-32LE, not UTF-16LE followed
// by U+0000.
std::optional<TTextEncoding> MarkAt(std::string_view text);

} // namespace orvo

#include "core/split/text_encoding.h"

namespace orvo {

namespace {

using namespace std::string_view_literals;

struct TEncodingInfo {
    TTextEncoding Encoding;
    std::size_t Unit;
    std::string_view Mark;
    std::string_view LineEnd;
    std::string_view Name;
};

// The UTF-32 marks come before UTF-16LE's, which is a prefix of UTF-32LE's.
constexpr TEncodingInfo Encodings[] = {
    {TTextEncoding::Utf32Le, 4, "\xFF\xFE\0\0"sv, "\r\0\0\0\n\0\0\0"sv, "UTF-32LE"},
    {TTextEncoding::Utf32Be, 4, "\0\0\xFE\xFF"sv, "\0\0\0\r\0\0\0\n"sv, "UTF-32BE"},
    {TTextEncoding::Utf8, 1, "\xEF\xBB\xBF"sv, "\r\n"sv, "UTF-8"},
    {TTextEncoding::Utf16Le, 2, "\xFF\xFE"sv, "\r\0\n\0"sv, "UTF-16LE"},
    {TTextEncoding::Utf16Be, 2, "\xFE\xFF"sv, "\0\r\0\n"sv, "UTF-16BE"},
    {TTextEncoding::Bytes, 1, ""sv, "\r\n"sv, "bytes"},
};

const TEncodingInfo& InfoOf(TTextEncoding encoding) {
    for (const TEncodingInfo& info : Encodings)
        if (info.Encoding == encoding) return info;
    return Encodings[std::size(Encodings) - 1];
}

} // namespace

std::size_t UnitSize(TTextEncoding encoding) {
    return InfoOf(encoding).Unit;
}

std::string_view MarkOf(TTextEncoding encoding) {
    return InfoOf(encoding).Mark;
}

std::string_view LineEndOf(TTextEncoding encoding) {
    return InfoOf(encoding).LineEnd;
}

std::string_view EncodingName(TTextEncoding encoding) {
    return InfoOf(encoding).Name;
}

std::optional<TTextEncoding> MarkAt(std::string_view text) {
    for (const TEncodingInfo& info : Encodings)
        if (!info.Mark.empty() && text.starts_with(info.Mark)) return info.Encoding;
    return std::nullopt;
}

} // namespace orvo

#include "reference_split.h"

namespace orvo::test {

namespace {

struct TReferenceEncoding {
    std::string_view Mark;
    std::size_t Unit;
    bool BigEndian;
};

using namespace std::string_view_literals;

TReferenceEncoding DescribeEncoding(TTextEncoding encoding) {
    switch (encoding) {
    case TTextEncoding::Utf8:
        return {"\xEF\xBB\xBF"sv, 1, false};
    case TTextEncoding::Utf16Le:
        return {"\xFF\xFE"sv, 2, false};
    case TTextEncoding::Utf16Be:
        return {"\xFE\xFF"sv, 2, true};
    case TTextEncoding::Utf32Le:
        return {"\xFF\xFE\0\0"sv, 4, false};
    case TTextEncoding::Utf32Be:
        return {"\0\0\xFE\xFF"sv, 4, true};
    case TTextEncoding::Bytes:
        break;
    }
    return {""sv, 1, false};
}

std::uint32_t Decode(const TReferenceEncoding& encoding, std::string_view bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < encoding.Unit; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[encoding.BigEndian ? i : encoding.Unit - 1 - i]);
        value = value << 8 | byte;
    }
    return value;
}

std::string EncodeUnit(const TReferenceEncoding& encoding, std::uint32_t value) {
    std::string bytes(encoding.Unit, '\0');
    for (std::size_t i = 0; i < encoding.Unit; ++i)
        bytes[encoding.BigEndian ? encoding.Unit - 1 - i : i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

} // namespace

std::string Encode(TTextEncoding encoding, std::u32string_view text) {
    const TReferenceEncoding described = DescribeEncoding(encoding);
    std::string bytes;
    for (const char32_t c : text) {
        if (described.Unit == 4) {
            bytes += EncodeUnit(described, c);
        } else if (described.Unit == 2 && c > 0xFFFF) {
            bytes += EncodeUnit(described, 0xD800 + ((c - 0x10000) >> 10));
            bytes += EncodeUnit(described, 0xDC00 + ((c - 0x10000) & 0x3FF));
        } else if (described.Unit == 2) {
            bytes += EncodeUnit(described, c);
        } else if (c < 0x80) {
            bytes += static_cast<char>(c);
        } else if (c < 0x800) {
            bytes += static_cast<char>(0xC0 | (c >> 6));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            bytes += static_cast<char>(0xE0 | (c >> 12));
            bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            bytes += static_cast<char>(0xF0 | (c >> 18));
            bytes += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return bytes;
}

std::vector<std::string> ReferenceLines(std::string_view source) {
    std::size_t i = 0;
    // Ctrl-Z counts as the end of the file.
    const auto atEnd = [&] { return i >= source.size() || source[i] == '\x1A'; };
    std::vector<std::string> lines;
    while (!atEnd()) {
        std::string line;
        while (!atEnd()) {
            const char c = source[i++];
            if (c == '\n') break;
            if (c == '\r') {
                if (i < source.size() && source[i] == '\n') {
                    ++i;
                    break;
                }
                continue; // a lone CR is dropped
            }
            line += c;
        }
        lines.push_back(line);
    }
    return lines;
}

TReferenceSplit ReferenceSplit(std::string_view source, const TReferenceJob& job, const std::string& targetDir,
                               const std::string& prefix) {
    // The encoding: by the mark, else as the job says.
    TTextEncoding encoding = job.Unmarked;
    std::string mark;
    for (const TTextEncoding marked : {TTextEncoding::Utf32Le, TTextEncoding::Utf32Be, TTextEncoding::Utf8,
                                       TTextEncoding::Utf16Le, TTextEncoding::Utf16Be}) {
        if (source.starts_with(DescribeEncoding(marked).Mark)) {
            encoding = marked;
            mark = DescribeEncoding(marked).Mark;
            break;
        }
    }
    const TReferenceEncoding described = DescribeEncoding(encoding);
    source.remove_prefix(mark.size());

    // Lines (records) of code units, up to SUB; the bytes after the last whole unit, unless SUB
    // came first. Inside a CSV quoted field every unit is the field's; exactly, every unit stays.
    std::vector<std::string> lines;
    std::string line;
    bool open = false;
    bool quoted = false;
    std::string trailing;
    std::size_t at = 0;
    const std::string lineEnd = EncodeUnit(described, '\r') + EncodeUnit(described, '\n');
    for (; at + described.Unit <= source.size(); at += described.Unit) {
        const std::uint32_t unit = Decode(described, source.substr(at, described.Unit));
        if (unit == 0x1A && !job.KeepLineEnds) break;
        open = true;
        if (job.Csv && unit == '"') quoted = !quoted;
        if ((job.Csv && quoted) || (job.KeepLineEnds && unit != '\n')) {
            line += EncodeUnit(described, unit);
        } else if (unit == '\n') {
            lines.push_back(line + (job.KeepLineEnds ? EncodeUnit(described, unit) : lineEnd));
            line.clear();
            open = false;
        } else if (unit != '\r') {
            line += EncodeUnit(described, unit);
        }
    }
    if (open) lines.push_back(job.KeepLineEnds ? line : line + lineEnd);
    if (at + described.Unit > source.size()) trailing = source.substr(at);

    TReferenceSplit result;
    result.Reports.emplace_back(TSplitReportCode::Progress, "准备开始分割");
    std::string header = mark;
    std::size_t next = 0;
    for (; next < lines.size() && next < static_cast<std::size_t>(job.HeaderLines); ++next)
        header += lines[next];
    result.Pieces.push_back(header);
    int inPiece = 0;
    const auto startPiece = [&] {
        const std::string path = prefix + "_" + std::to_string(result.Pieces.size()) + ".txt";
        result.Reports.emplace_back(TSplitReportCode::Progress, "分割完成：" + path);
        result.Pieces.push_back(header);
        inPiece = 0;
    };
    for (; next < lines.size(); ++next) {
        if (job.PieceBytes > 0) {
            if (inPiece > 0 && result.Pieces.back().size() + lines[next].size() > job.PieceBytes) startPiece();
            result.Pieces.back() += lines[next];
            ++inPiece;
        } else {
            result.Pieces.back() += lines[next];
            if (++inPiece == job.LineCount) startPiece();
        }
    }
    result.Pieces.back() += trailing;
    result.Reports.emplace_back(TSplitReportCode::Done, targetDir);
    return result;
}

} // namespace orvo::test

// The manifest's text: written as JSON, and read back by a small JSON reader of our own that
// bounds its depth and checks every field, since a manifest may come from anywhere.
#include "core/split/manifest.h"
#include "core/split/name_template.h"
#include "core/split/piece_naming.h"
#include "core/split/split_texts.h"

#include <charconv>
#include <map>
#include <memory>
#include <set>
#include <tuple>

namespace orvo {

namespace {

using namespace std::string_view_literals;

constexpr std::string_view FormatName = "orvo-split-manifest";
constexpr std::uint64_t FormatVersion = 1;
constexpr int MaxDepth = 8;

// ---- writing ----------------------------------------------------------------------------------

void AppendString(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            static constexpr char Digits[] = "0123456789abcdef";
            out += "\\u00";
            out += Digits[byte >> 4];
            out += Digits[byte & 0xF];
        } else {
            out += c;
        }
    }
    out += '"';
}

void AppendNumber(std::string& out, std::uint64_t value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

std::string_view ModeName(TSplitMode mode) {
    switch (mode) {
    case TSplitMode::Lines:
        return "lines";
    case TSplitMode::Bytes:
        return "bytes";
    case TSplitMode::Pieces:
        return "pieces";
    }
    return "lines";
}

constexpr TTextEncoding AllEncodings[] = {TTextEncoding::Bytes,   TTextEncoding::Utf8,    TTextEncoding::Utf16Le,
                                          TTextEncoding::Utf16Be, TTextEncoding::Utf32Le, TTextEncoding::Utf32Be};

// ---- reading ----------------------------------------------------------------------------------

struct TJson {
    enum class TKind { Null, Bool, Number, String, Array, Object } Kind = TKind::Null;
    bool Bool = false;
    std::optional<std::uint64_t> Unsigned; // Number: when it is a whole number from 0 to 2^63
    std::string String;
    std::vector<TJson> Items;        // Array; Object: the members' values
    std::vector<std::string> Names;  // Object: the members' names

    const TJson* Member(std::string_view name) const {
        for (std::size_t i = 0; i < Names.size(); ++i)
            if (Names[i] == name) return &Items[i];
        return nullptr;
    }
};

class TJsonReader {
public:
    explicit TJsonReader(std::string_view text) : FText(text) {}

    // The whole text as one value; on failure, where it stopped.
    bool Read(TJson& value, std::string& where) {
        if (!Value(value, 0) || (Blank(), FAt != FText.size())) {
            where = "offset " + std::to_string(FAt);
            return false;
        }
        return true;
    }

private:
    void Blank() {
        while (FAt < FText.size() && (FText[FAt] == ' ' || FText[FAt] == '\t' || FText[FAt] == '\n' || FText[FAt] == '\r'))
            ++FAt;
    }

    bool Take(char c) {
        Blank();
        if (FAt < FText.size() && FText[FAt] == c) {
            ++FAt;
            return true;
        }
        return false;
    }

    bool Word(std::string_view word) {
        if (FText.substr(FAt, word.size()) != word) return false;
        FAt += word.size();
        return true;
    }

    bool Value(TJson& value, int depth) {
        if (depth > MaxDepth) return false;
        Blank();
        if (FAt >= FText.size()) return false;
        const char c = FText[FAt];
        if (c == '{') return Object(value, depth);
        if (c == '[') return Array(value, depth);
        if (c == '"') {
            value.Kind = TJson::TKind::String;
            return String(value.String);
        }
        if (c == 't' || c == 'f') {
            value.Kind = TJson::TKind::Bool;
            value.Bool = c == 't';
            return Word(value.Bool ? "true" : "false");
        }
        if (c == 'n') return Word("null");
        return Number(value);
    }

    bool Object(TJson& value, int depth) {
        value.Kind = TJson::TKind::Object;
        ++FAt;
        if (Take('}')) return true;
        do {
            Blank();
            std::string name;
            if (FAt >= FText.size() || FText[FAt] != '"' || !String(name)) return false;
            value.Names.push_back(std::move(name));
            value.Items.emplace_back();
            if (!Take(':') || !Value(value.Items.back(), depth + 1)) return false;
        } while (Take(','));
        return Take('}');
    }

    bool Array(TJson& value, int depth) {
        value.Kind = TJson::TKind::Array;
        ++FAt;
        if (Take(']')) return true;
        do {
            value.Items.emplace_back();
            if (!Value(value.Items.back(), depth + 1)) return false;
        } while (Take(','));
        return Take(']');
    }

    static void AppendUtf8(std::string& out, std::uint32_t code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    bool Hex4(std::uint32_t& code) {
        if (FText.size() - FAt < 4) return false;
        code = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = FText[FAt++];
            code <<= 4;
            if (c >= '0' && c <= '9') code |= static_cast<std::uint32_t>(c - '0');
            else if (c >= 'a' && c <= 'f') code |= static_cast<std::uint32_t>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F') code |= static_cast<std::uint32_t>(c - 'A' + 10);
            else return false;
        }
        return true;
    }

    bool String(std::string& out) {
        ++FAt; // the opening quote
        while (FAt < FText.size()) {
            const char c = FText[FAt++];
            if (c == '"') return true;
            if (static_cast<unsigned char>(c) < 0x20) return false;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (FAt >= FText.size()) return false;
            const char escaped = FText[FAt++];
            switch (escaped) {
            case '"': case '\\': case '/': out += escaped; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'u': {
                std::uint32_t code = 0;
                if (!Hex4(code)) return false;
                if (code >= 0xD800 && code < 0xDC00) {
                    std::uint32_t low = 0;
                    if (!Word("\\u") || !Hex4(low) || low < 0xDC00 || low >= 0xE000) return false;
                    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                } else if (code >= 0xDC00 && code < 0xE000) {
                    return false;
                }
                AppendUtf8(out, code);
                break;
            }
            default:
                return false;
            }
        }
        return false;
    }

    bool Number(TJson& value) {
        value.Kind = TJson::TKind::Number;
        const std::size_t start = FAt;
        const auto digits = [&] {
            const std::size_t from = FAt;
            while (FAt < FText.size() && FText[FAt] >= '0' && FText[FAt] <= '9')
                ++FAt;
            return FAt > from;
        };
        const bool negative = FAt < FText.size() && FText[FAt] == '-';
        if (negative) ++FAt;
        const std::size_t whole = FAt;
        if (!digits()) return false;
        if (FAt - whole > 1 && FText[whole] == '0') return false;
        bool integer = true;
        if (FAt < FText.size() && FText[FAt] == '.') {
            ++FAt;
            integer = false;
            if (!digits()) return false;
        }
        if (FAt < FText.size() && (FText[FAt] == 'e' || FText[FAt] == 'E')) {
            ++FAt;
            integer = false;
            if (FAt < FText.size() && (FText[FAt] == '+' || FText[FAt] == '-')) ++FAt;
            if (!digits()) return false;
        }
        if (integer && !negative) {
            std::uint64_t number = 0;
            const auto result = std::from_chars(FText.data() + start, FText.data() + FAt, number);
            if (result.ec == std::errc() && number <= (std::uint64_t{1} << 63)) value.Unsigned = number;
        }
        return true;
    }

    std::string_view FText;
    std::size_t FAt = 0;
};

// Reads the fields of a parsed manifest; the first one missing or wrong is the refusal's detail.
class TManifestFields {
public:
    std::optional<TManifestRefusal> Refusal;

    const TJson* Field(const TJson& object, std::string_view name, TJson::TKind kind) {
        const TJson* value = object.Kind == TJson::TKind::Object ? object.Member(name) : nullptr;
        if (value == nullptr || value->Kind != kind) {
            Refuse(name);
            return nullptr;
        }
        return value;
    }

    std::uint64_t Unsigned(const TJson& object, std::string_view name, std::uint64_t most = std::uint64_t{1} << 62) {
        const TJson* value = Field(object, name, TJson::TKind::Number);
        if (value == nullptr) return 0;
        if (!value->Unsigned || *value->Unsigned > most) {
            Refuse(name);
            return 0;
        }
        return *value->Unsigned;
    }

    std::string String(const TJson& object, std::string_view name) {
        const TJson* value = Field(object, name, TJson::TKind::String);
        return value ? value->String : std::string();
    }

    bool Bool(const TJson& object, std::string_view name) {
        const TJson* value = Field(object, name, TJson::TKind::Bool);
        return value && value->Bool;
    }

    TChecksum Checksum(const TJson& object, std::string_view name) {
        const std::optional<TChecksum> checksum = TChecksum::FromHex(String(object, name));
        if (!checksum) Refuse(name);
        return checksum.value_or(TChecksum{});
    }

    TTextEncoding Encoding(const TJson& object, std::string_view name) {
        const std::string text = String(object, name);
        for (const TTextEncoding encoding : AllEncodings)
            if (EncodingName(encoding) == text) return encoding;
        Refuse(name);
        return TTextEncoding::Bytes;
    }

    // A file name in the manifest's folder, or a refusal.
    std::string FileName(const TJson& object, std::string_view name) {
        std::string text = String(object, name);
        if (!Refusal && CheckName(text)) Refusal = TManifestRefusal{TManifestProblem::NameOutsideFolder, text};
        return text;
    }

    void Refuse(std::string_view name) {
        if (!Refusal) Refusal = TManifestRefusal{TManifestProblem::NotManifest, std::string(name)};
    }
};

} // namespace

std::string ManifestPathFor(std::string_view targetDir, std::string_view sourcePath) {
    return std::string(targetDir) + BaseNameOf(sourcePath) + std::string(ManifestSuffix);
}

bool TManifest::operator==(const TManifest& other) const {
    const auto options = [](const TSplitOptions& o) {
        return std::tuple(o.Mode, o.LineCount, o.PieceBytes, o.PieceCount, o.HeaderLines, o.Csv, o.MaxRecordBytes,
                          o.Unmarked, o.NameTemplate, o.KeepLineEnds);
    };
    return Complete == other.Complete && SourceName == other.SourceName && SourceSize == other.SourceSize &&
           SourceChecksum == other.SourceChecksum && options(Options) == options(other.Options) &&
           Encoding == other.Encoding && PrefixBytes == other.PrefixBytes && Pieces == other.Pieces;
}

std::string ManifestText(const TManifest& manifest) {
    std::string out = "{\n  \"format\": ";
    AppendString(out, FormatName);
    out += ",\n  \"version\": ";
    AppendNumber(out, FormatVersion);
    out += manifest.Complete ? ",\n  \"complete\": true" : ",\n  \"complete\": false";
    out += ",\n  \"source\": {\"name\": ";
    AppendString(out, manifest.SourceName);
    out += ", \"size\": ";
    AppendNumber(out, manifest.SourceSize);
    if (manifest.SourceChecksum) {
        out += ", \"xxh3_128\": ";
        AppendString(out, manifest.SourceChecksum->Hex());
    }
    const TSplitOptions& options = manifest.Options;
    out += "},\n  \"options\": {\"mode\": ";
    AppendString(out, ModeName(options.Mode));
    out += ", \"lines\": ";
    AppendNumber(out, static_cast<std::uint64_t>(options.LineCount));
    out += ", \"bytes\": ";
    AppendNumber(out, options.PieceBytes);
    out += ", \"pieces\": ";
    AppendNumber(out, static_cast<std::uint64_t>(options.PieceCount));
    out += ", \"header\": ";
    AppendNumber(out, static_cast<std::uint64_t>(options.HeaderLines));
    out += options.Csv ? ", \"csv\": true" : ", \"csv\": false";
    out += ", \"max_record\": ";
    AppendNumber(out, options.MaxRecordBytes);
    out += ", \"encoding\": ";
    AppendString(out, EncodingName(options.Unmarked));
    out += ", \"name\": ";
    AppendString(out, options.NameTemplate);
    out += options.KeepLineEnds ? ", \"keep_line_ends\": true" : ", \"keep_line_ends\": false";
    out += "},\n  \"encoding\": ";
    AppendString(out, EncodingName(manifest.Encoding));
    out += ",\n  \"prefix_bytes\": ";
    AppendNumber(out, manifest.PrefixBytes);
    out += ",\n  \"pieces\": [";
    for (std::size_t i = 0; i < manifest.Pieces.size(); ++i) {
        const TManifestPiece& piece = manifest.Pieces[i];
        out += i == 0 ? "\n    {\"name\": " : ",\n    {\"name\": ";
        AppendString(out, piece.Name);
        out += ", \"size\": ";
        AppendNumber(out, piece.Size);
        out += ", \"records\": ";
        AppendNumber(out, piece.Records);
        out += ", \"xxh3_128\": ";
        AppendString(out, piece.Checksum.Hex());
        out += '}';
    }
    out += manifest.Pieces.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

std::optional<TManifestRefusal> ParseManifest(std::string_view text, TManifest& manifest) {
    if (text.size() > MaxManifestBytes) return TManifestRefusal{TManifestProblem::TooLarge, std::to_string(text.size())};
    TJson root;
    std::string where;
    if (!TJsonReader(text).Read(root, where)) return TManifestRefusal{TManifestProblem::NotJson, where};
    TManifestFields fields;
    if (fields.String(root, "format") != FormatName) {
        fields.Refusal.reset();
        return TManifestRefusal{TManifestProblem::NotManifest, "format"};
    }
    const std::uint64_t version = fields.Unsigned(root, "version");
    if (fields.Refusal) return fields.Refusal;
    if (version > FormatVersion) return TManifestRefusal{TManifestProblem::NewerVersion, std::to_string(version)};
    if (version < 1) return TManifestRefusal{TManifestProblem::NotManifest, "version"};

    TManifest read;
    read.Complete = fields.Bool(root, "complete");
    if (const TJson* source = fields.Field(root, "source", TJson::TKind::Object)) {
        read.SourceName = fields.FileName(*source, "name");
        read.SourceSize = fields.Unsigned(*source, "size");
        if (source->Member("xxh3_128")) read.SourceChecksum = fields.Checksum(*source, "xxh3_128");
    }
    if (const TJson* options = fields.Field(root, "options", TJson::TKind::Object)) {
        TSplitOptions& o = read.Options;
        const std::string mode = fields.String(*options, "mode");
        if (mode == "lines") o.Mode = TSplitMode::Lines;
        else if (mode == "bytes") o.Mode = TSplitMode::Bytes;
        else if (mode == "pieces") o.Mode = TSplitMode::Pieces;
        else fields.Refuse("mode");
        o.LineCount = static_cast<int>(fields.Unsigned(*options, "lines", MaxLineCount));
        o.PieceBytes = fields.Unsigned(*options, "bytes", MaxPieceBytes);
        o.PieceCount = static_cast<int>(fields.Unsigned(*options, "pieces", MaxPieceCount));
        o.HeaderLines = static_cast<int>(fields.Unsigned(*options, "header", MaxHeaderLines));
        o.Csv = fields.Bool(*options, "csv");
        o.MaxRecordBytes = fields.Unsigned(*options, "max_record", MaxMaxRecordBytes);
        o.Unmarked = fields.Encoding(*options, "encoding");
        o.NameTemplate = fields.String(*options, "name");
        o.KeepLineEnds = fields.Bool(*options, "keep_line_ends");
        if (!fields.Refusal && ValidateSplitOptions(o)) fields.Refuse("options");
    }
    read.Encoding = fields.Encoding(root, "encoding");
    read.PrefixBytes = fields.Unsigned(root, "prefix_bytes");
    if (const TJson* pieces = fields.Field(root, "pieces", TJson::TKind::Array)) {
        std::set<std::string> names;
        read.Pieces.reserve(pieces->Items.size());
        for (const TJson& item : pieces->Items) {
            TManifestPiece piece;
            piece.Name = fields.FileName(item, "name");
            piece.Size = fields.Unsigned(item, "size");
            piece.Records = fields.Unsigned(item, "records");
            piece.Checksum = fields.Checksum(item, "xxh3_128");
            if (fields.Refusal) break;
            if (!names.insert(piece.Name).second) return TManifestRefusal{TManifestProblem::DuplicateName, piece.Name};
            read.Pieces.push_back(std::move(piece));
        }
    }
    if (fields.Refusal) return fields.Refusal;
    manifest = std::move(read);
    return std::nullopt;
}

std::string ManifestRefusalText(const TManifestRefusal& refusal, std::string_view path) {
    using namespace split_texts;
    std::string text = std::string(ManifestUnusable) + std::string(QuoteOpen) + std::string(path) +
                       std::string(QuoteClose) + std::string(Colon);
    switch (refusal.Problem) {
    case TManifestProblem::None:
        break;
    case TManifestProblem::Unreadable:
        text += refusal.Detail;
        break;
    case TManifestProblem::TooLarge:
        text += ManifestTooLarge;
        break;
    case TManifestProblem::NotJson:
        text += std::string(ManifestNotJson) + refusal.Detail;
        break;
    case TManifestProblem::NotManifest:
        text += std::string(ManifestBadField) + std::string(QuoteOpen) + refusal.Detail + std::string(QuoteClose);
        break;
    case TManifestProblem::NewerVersion:
        text += std::string(ManifestNewer) + refusal.Detail;
        break;
    case TManifestProblem::NameOutsideFolder:
        text += std::string(ManifestOutside) + std::string(QuoteOpen) + refusal.Detail + std::string(QuoteClose);
        break;
    case TManifestProblem::DuplicateName:
        text += std::string(ManifestDuplicate) + std::string(QuoteOpen) + refusal.Detail + std::string(QuoteClose);
        break;
    }
    return text;
}

} // namespace orvo

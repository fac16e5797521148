#include "core/split/name_template.h"
#include "core/split/piece_naming.h"

#include <algorithm>
#include <charconv>

namespace orvo {

namespace {

// A number as the template writes it: at least `width` digits, zero-padded.
void AppendNumber(std::string& out, std::uint64_t value, int width) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    const auto length = static_cast<int>(result.ptr - digits);
    if (length < width) out.append(static_cast<std::size_t>(width - length), '0');
    out.append(digits, result.ptr);
}

bool SameText(std::string_view a, std::string_view b) {
#ifdef _WIN32
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
#else
    return a == b;
#endif
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

constexpr std::string_view ForbiddenCharacters = "<>:\"|?*";

} // namespace

TSourceNameParts SourceNameParts(std::string_view sourcePath) {
    const std::string_view file = sourcePath.substr(DirectoryPartOf(sourcePath).size());
    const std::size_t dot = file.rfind('.');
    if (dot == std::string_view::npos) return {std::string(file), {}};
    return {std::string(file.substr(0, dot)), std::string(file.substr(dot + 1))};
}

std::optional<TOptionRefusal> CheckName(std::string_view name, bool portable) {
#ifdef _WIN32
    portable = true;
#endif
    if (name.empty()) return TOptionRefusal{TOptionProblem::TemplateEmpty, {}};
    if (name == "." || name == "..") return TOptionRefusal{TOptionProblem::TemplateLeavesFolder, std::string(name)};
    for (const char c : name) {
        if (c == '/' || (portable && c == '\\'))
            return TOptionRefusal{TOptionProblem::TemplateLeavesFolder, std::string(1, c)};
        if (static_cast<unsigned char>(c) < 0x20 ||
            (portable && ForbiddenCharacters.find(c) != std::string_view::npos))
            return TOptionRefusal{TOptionProblem::TemplateBadCharacter, std::string(1, c)};
    }
    if (!portable) return std::nullopt;
    if (name.back() == '.' || name.back() == ' ')
        return TOptionRefusal{TOptionProblem::TemplateBadEnding, std::string(name)};
    // Windows opens a device for these names, whatever follows the first dot.
    std::string stem(name.substr(0, name.find('.')));
    while (!stem.empty() && stem.back() == ' ')
        stem.pop_back();
    for (char& c : stem)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    const bool device = stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL" ||
                        (stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) &&
                         stem[3] >= '1' && stem[3] <= '9');
    if (device) return TOptionRefusal{TOptionProblem::TemplateReservedName, std::string(name)};
    return std::nullopt;
}

std::optional<TNameTemplate> TNameTemplate::Parse(std::string_view text, TOptionRefusal* refusal) {
    const auto refuse = [&](TOptionProblem problem, std::string detail = {}) -> std::optional<TNameTemplate> {
        if (refusal) *refusal = {problem, std::move(detail)};
        return std::nullopt;
    };
    if (text.empty()) return refuse(TOptionProblem::TemplateEmpty);
    TNameTemplate names;
    names.FDefault = text == DefaultNameTemplate;
    bool number = false;
    std::string literal;
    const auto flush = [&] {
        if (!literal.empty()) names.FParts.push_back({TKind::Text, std::move(literal)});
        literal.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '}') {
            if (i + 1 < text.size() && text[i + 1] == '}') {
                literal += '}';
                ++i;
                continue;
            }
            return refuse(TOptionProblem::TemplateUnbalancedBrace);
        }
        if (c != '{') {
            literal += c;
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '{') {
            literal += '{';
            ++i;
            continue;
        }
        const std::size_t close = text.find('}', i);
        const std::size_t reopen = text.find('{', i + 1);
        if (close == std::string_view::npos || (reopen != std::string_view::npos && reopen < close))
            return refuse(TOptionProblem::TemplateUnbalancedBrace);
        const std::string_view field = text.substr(i + 1, close - i - 1);
        const std::string_view whole = text.substr(i, close - i + 1);
        const std::size_t colon = field.find(':');
        const std::string_view key = field.substr(0, colon);
        TPart part{TKind::Text, {}};
        if (key == "name") part.Kind = TKind::Name;
        else if (key == "ext") part.Kind = TKind::Ext;
        else if (key == "n") part.Kind = TKind::Number;
        else if (key == "total") part.Kind = TKind::Total;
        else return refuse(TOptionProblem::TemplateUnknownField, std::string(whole));
        if (colon != std::string_view::npos) {
            const std::string_view width = field.substr(colon + 1);
            int value = 0;
            const auto result = std::from_chars(width.data(), width.data() + width.size(), value);
            if ((part.Kind != TKind::Number && part.Kind != TKind::Total) || width.empty() ||
                result.ec != std::errc() || result.ptr != width.data() + width.size() || value < 1 || value > 20)
                return refuse(TOptionProblem::TemplateBadWidth, std::string(whole));
            part.Width = value;
        }
        number = number || part.Kind == TKind::Number;
        names.FHasTotal = names.FHasTotal || part.Kind == TKind::Total;
        flush();
        names.FParts.push_back(std::move(part));
        i = close;
    }
    flush();
    for (const TPart& part : names.FParts) {
        if (part.Kind != TKind::Text) continue;
        for (const char c : part.Text) {
            if (c == '/' || c == '\\') return refuse(TOptionProblem::TemplateLeavesFolder, std::string(1, c));
            if (static_cast<unsigned char>(c) < 0x20 || ForbiddenCharacters.find(c) != std::string_view::npos)
                return refuse(TOptionProblem::TemplateBadCharacter, std::string(1, c));
        }
    }
    if (!number) return refuse(TOptionProblem::TemplateWithoutNumber);
    return names;
}

std::string TNameTemplate::Render(std::string_view sourceName, std::string_view sourceExt, std::uint64_t number,
                                  std::uint64_t total) const {
    std::string out;
    for (std::size_t i = 0; i < FParts.size(); ++i) {
        const TPart& part = FParts[i];
        switch (part.Kind) {
        case TKind::Text:
            out += part.Text;
            break;
        case TKind::Name:
            out += sourceName;
            break;
        case TKind::Ext:
            // "name.{ext}" for a source without an extension is "name", not "name.".
            if (sourceExt.empty() && i > 0 && FParts[i - 1].Kind == TKind::Text && out.ends_with('.'))
                out.pop_back();
            out += sourceExt;
            break;
        case TKind::Number:
            AppendNumber(out, number, part.Width);
            break;
        case TKind::Total:
            if (total == 0) out += UnknownTotalText;
            else AppendNumber(out, total, part.Width);
            break;
        }
    }
    return out;
}

std::optional<std::uint64_t> TNameTemplate::Match(std::string_view fileName, std::string_view sourceName,
                                                  std::string_view sourceExt) const {
    // The template with the source's fields filled in: texts, and the numbers to find.
    struct TPiece {
        bool Text;
        std::string Value;
        bool Total = false;
        int Width = 0;
    };
    std::vector<TPiece> pieces;
    for (std::size_t i = 0; i < FParts.size(); ++i) {
        const TPart& part = FParts[i];
        const auto text = [&](std::string_view value) {
            if (!pieces.empty() && pieces.back().Text) pieces.back().Value += value;
            else pieces.push_back({true, std::string(value)});
        };
        switch (part.Kind) {
        case TKind::Text:
            text(part.Text);
            break;
        case TKind::Name:
            text(sourceName);
            break;
        case TKind::Ext:
            if (sourceExt.empty() && i > 0 && FParts[i - 1].Kind == TKind::Text && !pieces.empty() &&
                pieces.back().Text && pieces.back().Value.ends_with('.'))
                pieces.back().Value.pop_back();
            text(sourceExt);
            break;
        case TKind::Number:
        case TKind::Total:
            pieces.push_back({false, {}, part.Kind == TKind::Total, part.Width});
            break;
        }
    }
    std::optional<std::uint64_t> found;
    // Tries every length of every number field; every {n} must give the same number.
    const auto match = [&](const auto& self, std::size_t index, std::size_t at, std::optional<std::uint64_t> n) {
        if (index == pieces.size()) {
            if (at != fileName.size() || !n) return false;
            found = n;
            return true;
        }
        const TPiece& piece = pieces[index];
        if (piece.Text) {
            if (fileName.size() - at < piece.Value.size() ||
                !SameText(fileName.substr(at, piece.Value.size()), piece.Value))
                return false;
            return self(self, index + 1, at + piece.Value.size(), n);
        }
        if (piece.Total && fileName.substr(at).starts_with(UnknownTotalText) &&
            self(self, index + 1, at + UnknownTotalText.size(), n))
            return true;
        std::uint64_t value = 0;
        for (std::size_t length = 1; length <= 20 && at + length <= fileName.size(); ++length) {
            const char digit = fileName[at + length - 1];
            if (!IsDigit(digit)) break;
            value = value * 10 + static_cast<std::uint64_t>(digit - '0');
            // As the template writes numbers: never 0, zeros only as padding to the width.
            const auto width = static_cast<std::size_t>(std::max(piece.Width, 1));
            if (length < width || value == 0 || (length > width && fileName[at] == '0')) continue;
            if (!piece.Total && n && *n != value) continue;
            if (self(self, index + 1, at + length, piece.Total ? n : std::optional<std::uint64_t>(value))) return true;
        }
        return false;
    };
    if (match(match, 0, 0, std::nullopt)) return found;
    return std::nullopt;
}

std::optional<TNamePreview> PreviewPieceNames(const TSplitOptions& options, std::string_view sourcePath,
                                              TOptionRefusal* refusal) {
    const std::optional<TNameTemplate> names = TNameTemplate::Parse(options.NameTemplate, refusal);
    if (!names) return std::nullopt;
    const TSourceNameParts source = SourceNameParts(sourcePath);
    TNamePreview preview;
    const bool known = options.Mode == TSplitMode::Pieces && options.PieceCount > 0;
    const auto total = known ? static_cast<std::uint64_t>(options.PieceCount) : 0;
    preview.First = names->Render(source.Name, source.Ext, 1, total);
    if (known) {
        preview.Last = names->Render(source.Name, source.Ext, total, total);
        preview.LastKnown = true;
    }
    for (const std::string* name : {&preview.First, &preview.Last}) {
        if (name->empty()) continue;
        if (std::optional<TOptionRefusal> bad = CheckName(*name)) {
            if (refusal) *refusal = *bad;
            return std::nullopt;
        }
    }
    return preview;
}

} // namespace orvo

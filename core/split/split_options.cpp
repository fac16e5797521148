#include "core/split/split_options.h"
#include "core/split/name_template.h"
#include "core/split/split_texts.h"

#include <string>

namespace orvo {

namespace {

TOptionRefusal Refuse(TOptionProblem problem, std::uint64_t value) {
    return {problem, std::to_string(value)};
}

std::string Quoted(std::string_view text) {
    return std::string(split_texts::QuoteOpen) + std::string(text) + std::string(split_texts::QuoteClose);
}

} // namespace

std::optional<TOptionRefusal> ValidateSplitOptions(const TSplitOptions& options) {
    switch (options.Mode) {
    case TSplitMode::Lines:
        if (options.LineCount < 1 || options.LineCount > MaxLineCount)
            return Refuse(TOptionProblem::LineCountOutOfRange, static_cast<std::uint64_t>(options.LineCount));
        break;
    case TSplitMode::Bytes:
        if (options.PieceBytes < 1 || options.PieceBytes > MaxPieceBytes)
            return Refuse(TOptionProblem::PieceBytesOutOfRange, options.PieceBytes);
        break;
    case TSplitMode::Pieces:
        if (options.PieceCount < MinPieceCount || options.PieceCount > MaxPieceCount)
            return Refuse(TOptionProblem::PieceCountOutOfRange, static_cast<std::uint64_t>(options.PieceCount));
        break;
    }
    if (options.HeaderLines < 0 || options.HeaderLines > MaxHeaderLines)
        return Refuse(TOptionProblem::HeaderLinesOutOfRange, static_cast<std::uint64_t>(options.HeaderLines));
    if (options.Csv && (options.MaxRecordBytes < 1 || options.MaxRecordBytes > MaxMaxRecordBytes))
        return Refuse(TOptionProblem::MaxRecordOutOfRange, options.MaxRecordBytes);
    TOptionRefusal refusal;
    const std::optional<TNameTemplate> names = TNameTemplate::Parse(options.NameTemplate, &refusal);
    if (!names) return refusal;
    // What a template gives at its ends, whatever the source: "{n}." ends in a dot, "COM{n}" is
    // a device.
    if (std::optional<TOptionRefusal> bad = CheckName(names->Render("x", "txt", 1, 1), true)) return bad;
    return std::nullopt;
}

std::string TOptionRefusal::Text() const {
    using namespace split_texts;
    switch (Problem) {
    case TOptionProblem::None:
        return {};
    case TOptionProblem::LineCountOutOfRange:
        return std::string(BadLineCount) + Quoted(Detail);
    case TOptionProblem::PieceBytesOutOfRange:
        return std::string(BadPieceBytes) + Quoted(Detail);
    case TOptionProblem::PieceCountOutOfRange:
        return std::string(BadPieceCount) + Quoted(Detail);
    case TOptionProblem::HeaderLinesOutOfRange:
        return std::string(BadHeaderLines) + Quoted(Detail);
    case TOptionProblem::MaxRecordOutOfRange:
        return std::string(BadMaxRecord) + Quoted(Detail);
    case TOptionProblem::TemplateEmpty:
        return std::string(TemplateEmpty);
    case TOptionProblem::TemplateWithoutNumber:
        return std::string(TemplateWithoutNumber);
    case TOptionProblem::TemplateUnknownField:
        return std::string(TemplateUnknownField) + Quoted(Detail);
    case TOptionProblem::TemplateBadWidth:
        return std::string(TemplateBadWidth) + Quoted(Detail);
    case TOptionProblem::TemplateUnbalancedBrace:
        return std::string(TemplateUnbalancedBrace);
    case TOptionProblem::TemplateLeavesFolder:
        return std::string(TemplateLeavesFolder) + Quoted(Detail);
    case TOptionProblem::TemplateBadCharacter:
        return std::string(TemplateBadCharacter) + Quoted(Detail);
    case TOptionProblem::TemplateBadEnding:
        return std::string(TemplateBadEnding) + Quoted(Detail);
    case TOptionProblem::TemplateReservedName:
        return std::string(TemplateReservedName) + Quoted(Detail);
    case TOptionProblem::PieceIsSource:
        return std::string(PieceIsSource) + Quoted(Detail);
    case TOptionProblem::PieceExists:
        return std::string(PieceExists) + Quoted(Detail);
    case TOptionProblem::ManifestExists:
        return std::string(ManifestExists) + Quoted(Detail);
    }
    return {};
}

} // namespace orvo

#pragma once
// The pieces' names: a template of text and fields, rendered for each piece, and matched against
// the names in a folder (which files a template may have made).
//
//   {name}     the source's name without its extension ("report" for report.2024.log is
//              "report.2024")
//   {ext}      the source's extension without its dot ("log"); when the source has none, a "."
//              right before {ext} goes too, so "{name}_{n}.{ext}" gives "README_1"
//   {n}        the piece's number: 1, 2, ...; {n:W} zero-padded to at least W digits (1 to 20)
//   {total}    the number of pieces; {total:W} padded likewise. Known in advance only when
//              splitting into N pieces: otherwise pieces are written with "~" in its place and
//              renamed once the count is known
//   {{ and }}  a brace
//
// A template must hold {n} (otherwise every piece gets one name) and must give a plain file name
// in the target folder: no separators, no "." or "..", no characters Windows refuses in names, no
// dot or blank at the end, no device name (CON, NUL, COM1, ...). The default "{name}_{n}.txt"
// gives the names the splitter always gave.
#include "core/split/split_options.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvo {

// What {total} renders as while the number of pieces is not known yet.
inline constexpr std::string_view UnknownTotalText = "~";

class TNameTemplate {
public:
    // The parsed template, or why it cannot be used. Checks the template alone; names rendered
    // for a source are checked by CheckName().
    static std::optional<TNameTemplate> Parse(std::string_view text, TOptionRefusal* refusal = nullptr);

    bool HasTotal() const { return FHasTotal; }
    bool IsDefault() const { return FDefault; }

    // The name of piece `number`; with `total` 0, {total} is UnknownTotalText.
    std::string Render(std::string_view sourceName, std::string_view sourceExt, std::uint64_t number,
                       std::uint64_t total) const;

    // The piece number of `fileName` if this template could have given it for the source (with
    // any total, or the temporary "~"); nothing otherwise. Case-insensitive on Windows.
    std::optional<std::uint64_t> Match(std::string_view fileName, std::string_view sourceName,
                                       std::string_view sourceExt) const;

private:
    enum class TKind { Text, Name, Ext, Number, Total };
    struct TPart {
        TKind Kind;
        std::string Text; // Text
        int Width = 0;    // Number, Total
    };

    std::vector<TPart> FParts;
    bool FHasTotal = false;
    bool FDefault = false;
};

// The name and extension the fields {name} and {ext} take for a source path.
struct TSourceNameParts {
    std::string Name; // without the extension
    std::string Ext;  // without its dot; empty when none
};
TSourceNameParts SourceNameParts(std::string_view sourcePath);

// Why a file name cannot be used (TemplateLeavesFolder, TemplateBadCharacter, TemplateBadEnding,
// TemplateReservedName), or nothing. Names that only Windows refuses (<>:"|?*, a dot or blank at
// the end, device names) are refused on Windows, or everywhere when `portable`: a template must
// work on every system, a name that came from an existing file need only work on this one.
std::optional<TOptionRefusal> CheckName(std::string_view fileName, bool portable = false);

// The names the window shows while the options are chosen: the first piece's, and the last one's
// as far as it is known before the split (exactly when splitting into N pieces; otherwise not
// known and left empty). Names only, without the folder. Nothing when the template is refused.
struct TNamePreview {
    std::string First;
    std::string Last;
    bool LastKnown = false;
};
std::optional<TNamePreview> PreviewPieceNames(const TSplitOptions& options, std::string_view sourcePath,
                                              TOptionRefusal* refusal = nullptr);

} // namespace orvo

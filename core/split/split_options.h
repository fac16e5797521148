#pragma once
// The options of one split, as the command line and the window both fill them, and the one check
// that says whether they can be used: each refusal is a reason (an enumeration the window turns
// into its own words) plus the detail it concerns (a field of the name template, a path).
#include "core/split/text_encoding.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvo {

enum class TSplitMode {
    Lines,  // at most LineCount lines (records) a piece
    Bytes,  // at most PieceBytes bytes a piece, cut only at line (record) ends
    Pieces, // PieceCount pieces of about equal size, cut only at line (record) ends
};

inline constexpr int MaxLineCount = 99999;
inline constexpr int MaxHeaderLines = 9999;
inline constexpr int MinPieceCount = 2;
inline constexpr int MaxPieceCount = 99999;
// Far beyond any disk, far below overflow.
inline constexpr std::uint64_t MaxPieceBytes = std::uint64_t{1} << 50;
inline constexpr std::uint64_t DefaultMaxRecordBytes = std::uint64_t{64} << 20;
inline constexpr std::uint64_t MaxMaxRecordBytes = std::uint64_t{1} << 40;
inline constexpr std::string_view DefaultNameTemplate = "{name}_{n}.txt";

struct TSplitOptions {
    TSplitMode Mode = TSplitMode::Lines;
    int LineCount = 3000;         // Lines: 1 to MaxLineCount
    std::uint64_t PieceBytes = 0; // Bytes: 1 to MaxPieceBytes, mark and header included
    int PieceCount = 0;           // Pieces: MinPieceCount to MaxPieceCount
    int HeaderLines = 0;          // 0 to MaxHeaderLines lines (records) at the top of every piece
    // The unit is the CSV record: a line break inside a quoted field does not end it.
    bool Csv = false;
    // CSV: a record that grows past this (an unclosed quote, most likely) stops the split.
    std::uint64_t MaxRecordBytes = DefaultMaxRecordBytes;
    // How a source without a byte-order mark is read (a mark always decides).
    TTextEncoding Unmarked = TTextEncoding::Bytes;
    // The pieces' names: {name}, {ext}, {n}, {n:W}, {total}, {total:W}; see name_template.h.
    std::string NameTemplate = std::string(DefaultNameTemplate);
    // Pieces hold the source's bytes exactly: no CR LF rewrite, no CR dropped, U+001A kept.
    bool KeepLineEnds = false;
    // Writes <name>.manifest.json beside the pieces (manifest.h).
    bool Manifest = false;
    // Refuses to start when a piece's name (or the manifest's) already exists.
    bool NoClobber = false;
};

enum class TOptionProblem {
    None,
    LineCountOutOfRange,    // detail: the count
    PieceBytesOutOfRange,   // detail: the size
    PieceCountOutOfRange,   // detail: the count
    HeaderLinesOutOfRange,  // detail: the count
    MaxRecordOutOfRange,    // detail: the size
    TemplateEmpty,
    TemplateWithoutNumber,  // no {n}: every piece would get one name
    TemplateUnknownField,   // detail: the field, e.g. "{size}"
    TemplateBadWidth,       // detail: the field, e.g. "{n:0}"
    TemplateUnbalancedBrace,
    TemplateLeavesFolder,   // a path separator, "." or ".."; detail: the character or name
    TemplateBadCharacter,   // a character no file name may hold; detail: the character
    TemplateBadEnding,      // the name ends in a dot or a blank, which Windows drops
    TemplateReservedName,   // a device name such as CON or COM1; detail: the name
    // Found against the source and the target folder (CheckSplitTargets):
    PieceIsSource,          // a piece would overwrite the source; detail: its path
    PieceExists,            // --no-clobber and a piece's name exists; detail: its path
    ManifestExists,         // --no-clobber and the manifest's name exists; detail: its path
};

struct TOptionRefusal {
    TOptionProblem Problem = TOptionProblem::None;
    std::string Detail;

    // One line for the user, in Chinese (UTF-8).
    std::string Text() const;
};

// The refusal of the first option that cannot be used, in the order of the fields above;
// nothing when all can.
std::optional<TOptionRefusal> ValidateSplitOptions(const TSplitOptions& options);

} // namespace orvo

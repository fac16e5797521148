#pragma once
// The manifest a split writes beside its pieces (<name>.manifest.json): the source's name, size
// and checksum, the options used, and each piece's name, size, line (record) count and checksum.
// Verify and join read it; it is untrusted input: its size is bounded, every field is checked,
// and every piece name must be a plain file name in the manifest's own folder.
//
//   {"format": "orvo-split-manifest", "version": 1, "complete": true,
//    "source": {"name": "sales.csv", "size": 1234, "xxh3_128": "<32 hex digits>"},
//    "options": {"mode": "lines", "lines": 3000, "bytes": 0, "pieces": 0, "header": 1,
//                "csv": true, "encoding": "bytes", "name": "{name}_{n}.txt",
//                "keep_line_ends": false, "max_record": 67108864},
//    "encoding": "UTF-8", "prefix_bytes": 15,
//    "pieces": [{"name": "sales_1.txt", "size": 456, "records": 3000, "xxh3_128": "..."}, ...]}
//
// "complete" is false when the split was stopped or failed: the pieces listed are then those it
// finished (and, after a write failure, the one it was writing, with what was meant for it), the
// source's checksum is left out. "prefix_bytes" is the mark and header every piece starts with.
#include "core/split/checksum.h"
#include "core/split/split_options.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvo {

inline constexpr std::size_t MaxManifestBytes = std::size_t{256} << 20;
inline constexpr std::string_view ManifestSuffix = ".manifest.json";

struct TManifestPiece {
    std::string Name; // a file name in the manifest's folder
    std::uint64_t Size = 0;
    std::uint64_t Records = 0;
    TChecksum Checksum;
    bool operator==(const TManifestPiece&) const = default;
};

struct TManifest {
    bool Complete = true;
    std::string SourceName; // file name only
    std::uint64_t SourceSize = 0;
    std::optional<TChecksum> SourceChecksum; // absent when the source was not read to its end
    TSplitOptions Options;                   // Manifest and NoClobber are not kept
    TTextEncoding Encoding = TTextEncoding::Bytes; // how the source was read
    std::uint64_t PrefixBytes = 0;
    std::vector<TManifestPiece> Pieces;
    bool operator==(const TManifest&) const;
};

// <target dir><source name without extension>.manifest.json
std::string ManifestPathFor(std::string_view targetDir, std::string_view sourcePath);

std::string ManifestText(const TManifest& manifest);

enum class TManifestProblem {
    None,
    Unreadable,       // the file cannot be read; System says why
    TooLarge,         // past MaxManifestBytes
    NotJson,          // detail: where the text stops being JSON
    NotManifest,      // JSON, but not a manifest of ours; detail: the missing or wrong field
    NewerVersion,     // detail: the version
    NameOutsideFolder, // a piece or source name that is no plain file name; detail: the name
    DuplicateName,    // detail: the name
};

struct TManifestRefusal {
    TManifestProblem Problem = TManifestProblem::None;
    std::string Detail;
};

// Reads a manifest's text; nothing or why it is refused.
std::optional<TManifestRefusal> ParseManifest(std::string_view text, TManifest& manifest);

// The user's words for a refusal of the manifest at `path`.
std::string ManifestRefusalText(const TManifestRefusal& refusal, std::string_view path);

} // namespace orvo

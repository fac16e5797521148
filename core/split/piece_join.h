#pragma once
// Join: rebuilds the content of a split from its manifest: the first piece whole, then each
// further piece without the mark and header lines it starts with, each piece checked against its
// size and checksum as it is read (from beside the manifest only). When the split kept the
// source's line ends, the result is the source byte for byte and is checked against the source's
// checksum. The output is written under a temporary name beside it and takes its name only when
// everything held, so a failed join leaves no output behind; an existing output that is not one
// of the join's inputs is replaced.
#include "core/split/piece_verify.h"

#include <optional>
#include <string>

namespace orvo {

enum class TJoinProblem {
    Manifest,       // the manifest cannot be used: ManifestError says why
    Incomplete,     // the manifest is of a split that did not finish
    OutputIsInput,  // the output would overwrite the manifest or a piece; Path names it
    PieceMissing,   // Path
    PieceChanged,   // Path: its size or checksum is not the listed one
    PrefixDiffers,  // Path: it does not start with the mark and header of the first piece
    SourceMismatch, // exact line ends, but the result is not the source (size or checksum)
    Io,             // Action, Path, System
    Stopped,        // on request; no output was made
};

struct TJoinError {
    TJoinProblem Problem = TJoinProblem::Io;
    std::string Path;
    TSplitAction Action = TSplitAction::Read; // Io
    TSystemError System;                      // Io
    TManifestError ManifestError;             // Manifest
    std::string Text() const;
};

struct TJoinReport {
    std::uint64_t Pieces = 0;
    std::uint64_t Bytes = 0;       // written to the output
    bool SourceChecked = false;    // the output was checked against the source's checksum
};

std::optional<TJoinError> JoinPieces(const std::string& manifestPath, const std::string& outputPath,
                                     TFileSystem& files, const TTaskControl& control, TJoinReport& report);

} // namespace orvo

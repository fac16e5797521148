#pragma once
// Verify: checks the pieces a manifest lists, each read beside the manifest (never elsewhere),
// against their sizes and checksums, and finds the files beside it that the manifest's name
// template could have made but the manifest does not list (extra pieces, such as those an earlier
// split left).
#include "core/split/manifest.h"
#include "core/split/split_engine.h"
#include "platform/file_system.h"

#include <atomic>
#include <optional>
#include <string>
#include <vector>

namespace orvo {

// How the caller follows and stops verify and join.
struct TTaskControl {
    TSplitProgressSink Progress;               // bytes read of the bytes the manifest lists
    const std::atomic<bool>* Stop = nullptr;   // looked at after every read
};

enum class TPieceState {
    Intact,
    Missing,    // no such file
    Unreadable, // it is there but cannot be read; System says why
    Short,      // fewer bytes than listed (a write cut short, a truncated copy)
    Changed,    // as many bytes or more, other content
};

struct TPieceCheck {
    std::string Name;
    TPieceState State = TPieceState::Intact;
    std::uint64_t ListedSize = 0;
    std::uint64_t ActualSize = 0; // Short, Changed, Intact
    TSystemError System;          // Unreadable
};

struct TVerifyReport {
    bool Complete = true;             // the manifest says the split finished
    std::vector<TPieceCheck> Pieces;  // every listed piece, in order
    std::vector<std::string> Extra;   // names of unlisted files the template could have made
    bool Stopped = false;             // stopped on request: Pieces holds those checked so far

    // Every listed piece intact, nothing extra, the split complete, not stopped.
    bool AllHold() const;
};

// The manifest's own failure (unreadable, not a manifest, names outside its folder) or nothing;
// then `report` holds the findings.
struct TManifestError {
    std::string Path;
    TManifestRefusal Refusal;
    TSystemError System; // Unreadable
    std::string Text() const;
};

std::optional<TManifestError> VerifyPieces(const std::string& manifestPath, TFileSystem& files,
                                           const TTaskControl& control, TVerifyReport& report);

// Reads and parses a manifest file (bounded), as verify and join do.
std::optional<TManifestError> ReadManifest(const std::string& manifestPath, TFileSystem& files, TManifest& manifest);

} // namespace orvo

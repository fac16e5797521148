#include "core/split/piece_verify.h"
#include "core/split/name_template.h"
#include "core/split/piece_naming.h"
#include "core/split/split_texts.h"

#include <algorithm>
#include <memory>
#include <set>

namespace orvo {

namespace {

constexpr std::size_t ChunkSize = 1 << 20;

bool Stopped(const TTaskControl& control) {
    return control.Stop != nullptr && control.Stop->load(std::memory_order_relaxed);
}

} // namespace

std::optional<TManifestError> ReadManifest(const std::string& manifestPath, TFileSystem& files, TManifest& manifest) {
    TSystemError system;
    std::unique_ptr<TInputFile> file = files.OpenRead(manifestPath, system);
    std::string text;
    if (file) {
        // One byte past the limit tells a manifest that is too large.
        auto chunk = std::make_unique<char[]>(ChunkSize);
        for (;;) {
            std::size_t got = 0;
            if (!file->Read(chunk.get(), ChunkSize, got, system)) {
                file.reset();
                break;
            }
            if (got == 0) break;
            text.append(chunk.get(), std::min(got, MaxManifestBytes + 1 - text.size()));
            if (text.size() > MaxManifestBytes) break;
        }
    }
    TManifestError error;
    error.Path = manifestPath;
    if (!file) {
        error.Refusal.Problem = TManifestProblem::Unreadable;
        error.Refusal.Detail = system.Message;
        error.System = std::move(system);
        return error;
    }
    std::optional<TManifestRefusal> refusal = ParseManifest(text, manifest);
    if (!refusal) return std::nullopt;
    error.Refusal = std::move(*refusal);
    return error;
}

std::string TManifestError::Text() const {
    return ManifestRefusalText(Refusal, Path);
}

bool TVerifyReport::AllHold() const {
    if (!Complete || Stopped || !Extra.empty()) return false;
    return std::all_of(Pieces.begin(), Pieces.end(),
                       [](const TPieceCheck& piece) { return piece.State == TPieceState::Intact; });
}

std::optional<TManifestError> VerifyPieces(const std::string& manifestPath, TFileSystem& files,
                                           const TTaskControl& control, TVerifyReport& report) {
    report = {};
    TManifest manifest;
    if (std::optional<TManifestError> error = ReadManifest(manifestPath, files, manifest)) return error;
    report.Complete = manifest.Complete;
    const std::string folder(DirectoryPartOf(manifestPath));
    TSplitProgress progress;
    for (const TManifestPiece& piece : manifest.Pieces)
        progress.Total += piece.Size;

    const auto chunk = std::make_unique<char[]>(ChunkSize);
    TChecksumState checksum;
    for (const TManifestPiece& piece : manifest.Pieces) {
        TPieceCheck check;
        check.Name = piece.Name;
        check.ListedSize = piece.Size;
        const std::string path = folder + piece.Name;
        std::unique_ptr<TInputFile> file = files.OpenRead(path, check.System);
        if (!file) {
            TFileStatus status;
            TSystemError ignored;
            const bool missing = files.Status(path, status, ignored) && !status.Exists;
            check.State = missing ? TPieceState::Missing : TPieceState::Unreadable;
            report.Pieces.push_back(std::move(check));
            continue;
        }
        checksum.Reset();
        bool readable = true;
        for (;;) {
            std::size_t got = 0;
            if (!file->Read(chunk.get(), ChunkSize, got, check.System)) {
                readable = false;
                break;
            }
            if (got == 0) break;
            checksum.Update(chunk.get(), got);
            check.ActualSize += got;
            progress.Done += got;
            if (control.Progress) control.Progress(progress);
            if (Stopped(control)) {
                report.Stopped = true;
                return std::nullopt;
            }
        }
        if (!readable) check.State = TPieceState::Unreadable;
        else if (check.ActualSize < piece.Size) check.State = TPieceState::Short;
        else if (check.ActualSize > piece.Size || checksum.Digest() != piece.Checksum) check.State = TPieceState::Changed;
        report.Pieces.push_back(std::move(check));
    }

    // Files the template could have made for this source, that the manifest does not list.
    const std::optional<TNameTemplate> names = TNameTemplate::Parse(manifest.Options.NameTemplate);
    std::vector<std::string> entries;
    TSystemError ignored;
    if (names && files.ListDirectory(folder, entries, ignored)) {
        std::set<std::string> listed;
        for (const TManifestPiece& piece : manifest.Pieces)
            listed.insert(piece.Name);
        const TSourceNameParts source = SourceNameParts(manifest.SourceName);
        std::sort(entries.begin(), entries.end());
        for (const std::string& entry : entries) {
            if (listed.contains(entry) || !names->Match(entry, source.Name, source.Ext)) continue;
            TFileStatus status;
            if (files.Status(folder + entry, status, ignored) && status.Directory) continue;
            report.Extra.push_back(entry);
        }
    }
    return std::nullopt;
}

} // namespace orvo

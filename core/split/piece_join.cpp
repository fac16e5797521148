#include "core/split/piece_join.h"
#include "core/split/piece_naming.h"
#include "core/split/split_texts.h"

#include <cstring>
#include <memory>

namespace orvo {

namespace {

constexpr std::size_t ChunkSize = 1 << 20;
constexpr std::string_view TemporarySuffix = ".orvo-join.tmp";

std::string TemporaryPath(const std::string& path) {
    std::string temporary;
    temporary.reserve(path.size() + TemporarySuffix.size());
    temporary.append(path).append(TemporarySuffix);
    return temporary;
}

class TJoin {
public:
    TJoin(const std::string& manifestPath, const std::string& outputPath, TFileSystem& files,
          const TTaskControl& control, TJoinReport& report)
        : FManifestPath(manifestPath), FOutputPath(outputPath), FTemporary(TemporaryPath(outputPath)),
          FFiles(files), FControl(control), FReport(report) {}

    std::optional<TJoinError> Run() {
        FReport = {};
        if (std::optional<TManifestError> error = ReadManifest(FManifestPath, FFiles, FManifest)) {
            TJoinError failure = Failure(TJoinProblem::Manifest, FManifestPath);
            failure.ManifestError = std::move(*error);
            return failure;
        }
        if (!FManifest.Complete) return Failure(TJoinProblem::Incomplete, FManifestPath);
        const std::string folder(DirectoryPartOf(FManifestPath));
        if (SameFile(FFiles, FOutputPath, FManifestPath)) return Failure(TJoinProblem::OutputIsInput, FManifestPath);
        for (const TManifestPiece& piece : FManifest.Pieces)
            if (SameFile(FFiles, FOutputPath, folder + piece.Name))
                return Failure(TJoinProblem::OutputIsInput, folder + piece.Name);
        for (const TManifestPiece& piece : FManifest.Pieces)
            FProgress.Total += piece.Size;

        TSystemError system;
        FOutput = FFiles.Create(FTemporary, system);
        if (!FOutput) return Io(TSplitAction::Create, FTemporary, std::move(system));
        std::optional<TJoinError> error;
        for (std::size_t k = 0; k < FManifest.Pieces.size() && !error; ++k)
            error = Piece(folder, FManifest.Pieces[k], k == 0);
        if (!error && !FOutput->Close(system)) error = Io(TSplitAction::Close, FTemporary, std::move(system));
        FOutput.reset();
        if (!error) error = CheckSource();
        if (!error && !FFiles.Rename(FTemporary, FOutputPath, system))
            error = Io(TSplitAction::Rename, FOutputPath, std::move(system));
        if (error) {
            TSystemError ignored;
            FFiles.Remove(FTemporary, ignored);
            return error;
        }
        FReport.Pieces = FManifest.Pieces.size();
        return std::nullopt;
    }

private:
    // Copies one piece (without its mark and header, but for the first), checking it as it goes.
    std::optional<TJoinError> Piece(const std::string& folder, const TManifestPiece& piece, bool first) {
        const std::string path = folder + piece.Name;
        TSystemError system;
        std::unique_ptr<TInputFile> file = FFiles.OpenRead(path, system);
        if (!file) {
            TFileStatus status;
            TSystemError ignored;
            if (FFiles.Status(path, status, ignored) && !status.Exists) return Failure(TJoinProblem::PieceMissing, path);
            return Io(TSplitAction::Open, path, std::move(system));
        }
        const auto chunk = std::make_unique<char[]>(ChunkSize);
        FPieceChecksum.Reset();
        std::uint64_t size = 0;
        for (;;) {
            std::size_t got = 0;
            if (!file->Read(chunk.get(), ChunkSize, got, system)) return Io(TSplitAction::Read, path, std::move(system));
            if (got == 0) break;
            if (size + got > piece.Size) return Failure(TJoinProblem::PieceChanged, path);
            FPieceChecksum.Update(chunk.get(), got);
            const char* data = chunk.get();
            std::size_t keep = got;
            // The prefix: kept from the first piece, skipped (and compared) in the others.
            if (size < FManifest.PrefixBytes) {
                const std::size_t prefix =
                    static_cast<std::size_t>(std::min<std::uint64_t>(FManifest.PrefixBytes - size, got));
                if (first) {
                    FPrefix.append(data, prefix);
                } else {
                    if (FPrefix.size() < size + prefix ||
                        std::memcmp(FPrefix.data() + size, data, prefix) != 0)
                        return Failure(TJoinProblem::PrefixDiffers, path);
                    data += prefix;
                    keep -= prefix;
                }
            }
            size += got;
            if (keep > 0) {
                if (!FOutput->Write(data, keep, system)) return Io(TSplitAction::Write, FTemporary, std::move(system));
                FOutputChecksum.Update(data, keep);
                FReport.Bytes += keep;
            }
            FProgress.Done += got;
            if (FControl.Progress) FControl.Progress(FProgress);
            if (FControl.Stop != nullptr && FControl.Stop->load(std::memory_order_relaxed))
                return Failure(TJoinProblem::Stopped, path);
        }
        if (size != piece.Size || FPieceChecksum.Digest() != piece.Checksum) return Failure(TJoinProblem::PieceChanged, path);
        if (size < FManifest.PrefixBytes) return Failure(TJoinProblem::PrefixDiffers, path);
        return std::nullopt;
    }

    // With the source's line ends kept, what was joined is the source itself.
    std::optional<TJoinError> CheckSource() {
        if (!FManifest.Options.KeepLineEnds || !FManifest.SourceChecksum) return std::nullopt;
        if (FReport.Bytes != FManifest.SourceSize || FOutputChecksum.Digest() != *FManifest.SourceChecksum)
            return Failure(TJoinProblem::SourceMismatch, FOutputPath);
        FReport.SourceChecked = true;
        return std::nullopt;
    }

    static TJoinError Failure(TJoinProblem problem, std::string path) {
        TJoinError error;
        error.Problem = problem;
        error.Path = std::move(path);
        return error;
    }

    static TJoinError Io(TSplitAction action, std::string path, TSystemError system) {
        TJoinError error = Failure(TJoinProblem::Io, std::move(path));
        error.Action = action;
        error.System = std::move(system);
        return error;
    }

    const std::string& FManifestPath;
    const std::string& FOutputPath;
    const std::string FTemporary;
    TFileSystem& FFiles;
    const TTaskControl& FControl;
    TJoinReport& FReport;
    TManifest FManifest;
    TSplitProgress FProgress;
    std::unique_ptr<TOutputFile> FOutput;
    TChecksumState FPieceChecksum;
    TChecksumState FOutputChecksum;
    std::string FPrefix;
};

} // namespace

std::optional<TJoinError> JoinPieces(const std::string& manifestPath, const std::string& outputPath,
                                     TFileSystem& files, const TTaskControl& control, TJoinReport& report) {
    return TJoin(manifestPath, outputPath, files, control, report).Run();
}

std::string TJoinError::Text() const {
    using namespace split_texts;
    const std::string path = std::string(QuoteOpen) + Path + std::string(QuoteClose);
    switch (Problem) {
    case TJoinProblem::Manifest:
        return ManifestError.Text();
    case TJoinProblem::Incomplete:
        return std::string(JoinIncomplete) + path;
    case TJoinProblem::OutputIsInput:
        return std::string(JoinOutputIsInput) + path;
    case TJoinProblem::PieceMissing:
        return std::string(JoinPieceMissing) + path;
    case TJoinProblem::PieceChanged:
        return std::string(JoinPieceChanged) + path;
    case TJoinProblem::PrefixDiffers:
        return std::string(JoinPrefixDiffers) + path;
    case TJoinProblem::SourceMismatch:
        return std::string(JoinSourceMismatch);
    case TJoinProblem::Io:
        return TSplitError{Action, Path, System}.Text();
    case TJoinProblem::Stopped:
        return std::string(JoinStopped);
    }
    return {};
}

} // namespace orvo

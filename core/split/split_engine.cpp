#include "core/split/split_engine.h"
#include "core/split/line_scan.h"
#include "core/split/piece_naming.h"
#include "core/split/piece_writer.h"
#include "core/split/split_texts.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

namespace orvo {

namespace {

class TSplitRun {
public:
    TSplitRun(const TSplitJob& job, TFileSystem& files, const TSplitReporter& report)
        : FJob(job), FFiles(files), FReport(report), FPiece(job.WriteBufferSize),
          FPrefix(job.TargetDir + BaseNameOf(job.SourcePath)) {}

    std::optional<TSplitError> Run() {
        if (Split()) return std::nullopt;
        FPiece.Abandon();
        FSource.reset();
        return std::move(FError);
    }

private:
    bool Split() {
        if (!FPiece.Create(FFiles, PiecePath(FPrefix, FNumber), FError)) return false;
        Report(TSplitReportCode::Progress, std::string(split_texts::Starting));
        if (!OpenSource() || !CopyLines() || !CloseSource()) return false;
        if (!FPiece.Close(FError)) return false;
        Report(TSplitReportCode::Done, FJob.TargetDir);
        return true;
    }

    void Report(TSplitReportCode code, const std::string& text) const {
        if (FReport) FReport(code, text);
    }

    bool OpenSource() {
        TSystemError system;
        FSource = FFiles.OpenRead(FJob.SourcePath, system);
        if (FSource) return true;
        FError = {TSplitAction::Open, FJob.SourcePath, std::move(system)};
        return false;
    }

    bool CloseSource() {
        TSystemError system;
        const bool closed = FSource->Close(system);
        FSource.reset();
        if (!closed) FError = {TSplitAction::Close, FJob.SourcePath, std::move(system)};
        return closed;
    }

    bool CopyLines() {
        const std::size_t size = std::max<std::size_t>(FJob.ReadBufferSize, 1);
        const auto buffer = std::make_unique<char[]>(size);
        bool endOfText = false;
        while (!endOfText) {
            std::size_t got = 0;
            TSystemError system;
            if (!FSource->Read(buffer.get(), size, got, system)) {
                FError = {TSplitAction::Read, FJob.SourcePath, std::move(system)};
                return false;
            }
            if (got == 0) break;
            if (!CopyBlock(buffer.get(), buffer.get() + got, endOfText)) return false;
        }
        // The last line needs no terminator; but a line of nothing is no line.
        return !FLineOpen || EndLine();
    }

    // Copies the lines in [p, end); a line may continue in the next block.
    bool CopyBlock(const char* p, const char* end, bool& endOfText) {
        while (p < end) {
            const char* special = FindLineSpecial(p, end);
            if (special != p) {
                FLineOpen = true;
                if (!FPiece.Append(p, static_cast<std::size_t>(special - p), FError)) return false;
            }
            if (special == end) return true;
            p = special + 1;
            switch (*special) {
            case LineFeed:
                if (!EndLine()) return false;
                break;
            case CarriageReturn: // dropped; a following LF ends the line
                FLineOpen = true;
                if (p < end && *p == LineFeed) {
                    ++p;
                    if (!EndLine()) return false;
                }
                break;
            default: // Ctrl-Z: the text ends here
                endOfText = true;
                return true;
            }
        }
        return true;
    }

    bool EndLine() {
        FLineOpen = false;
        if (!FPiece.AppendLineEnd(FError)) return false;
        if (++FLinesInPiece < FJob.LineCount) return true;
        return NextPiece();
    }

    // The current piece is full: close it, say so, and open the next one at once.
    bool NextPiece() {
        if (!FPiece.Close(FError)) return false;
        Report(TSplitReportCode::Progress, std::string(split_texts::PieceDone) + FPiece.Path());
        ++FNumber;
        FLinesInPiece = 0;
        return FPiece.Create(FFiles, PiecePath(FPrefix, FNumber), FError);
    }

    const TSplitJob& FJob;
    TFileSystem& FFiles;
    const TSplitReporter& FReport;
    TPieceWriter FPiece;
    std::unique_ptr<TInputFile> FSource;
    std::string FPrefix;
    std::uint64_t FNumber = 1;
    int FLinesInPiece = 0;
    bool FLineOpen = false; // bytes of a line (even dropped CRs) have been read since the last LF
    TSplitError FError;
};

} // namespace

std::optional<TSplitError> RunSplit(const TSplitJob& job, TFileSystem& files, const TSplitReporter& report) {
    if (job.LineCount < 1) throw std::invalid_argument("RunSplit: the line count must be at least 1");
    return TSplitRun(job, files, report).Run();
}

} // namespace orvo

#include "core/split/split_engine.h"
#include "core/split/line_copy.h"
#include "core/split/piece_naming.h"
#include "core/split/piece_output.h"
#include "core/split/split_texts.h"

#include <algorithm>
#include <deque>
#include <memory>
#include <stdexcept>

namespace orvo {

namespace {

class TSplitRun {
public:
    TSplitRun(const TSplitJob& job, TFileSystem& files, const TSplitReporter& report)
        : FJob(job), FFiles(files), FReport(report), FOutput(files, job.WriteBufferSize),
          FPrefix(job.TargetDir + BaseNameOf(job.SourcePath)),
          FLinesLeft(static_cast<std::uint32_t>(job.LineCount)) {}

    std::optional<TSplitError> Run() {
        if (Split()) return std::nullopt;
        FSource.reset();
        // What the writer was asked to do came before the failure: let it finish, report the
        // pieces it closed, and if it failed too, its failure is the first one.
        FOutput.Finish();
        ReportClosedPieces();
        std::optional<TSplitError> error = FOutput.Failed() ? FOutput.Error() : std::move(FError);
        FOutput.Abandon();
        return error;
    }

private:
    bool Split() {
        // Piece 1 exists before the source is opened.
        FOpenPiece = PiecePath(FPrefix, FNumber);
        if (!FOutput.Create(FOpenPiece) || !FOutput.Finish()) return false;
        Report(TSplitReportCode::Progress, std::string(split_texts::Starting));
        if (!OpenSource() || !CopyLines() || !CloseSource()) return false;
        if (!FOutput.Close() || !FOutput.Finish()) return false;
        ReportClosedPieces();
        Report(TSplitReportCode::Done, FJob.TargetDir);
        return true;
    }

    // Full pieces are reported once the writer has closed them, in order. (The last piece is
    // closed too, but never reported: it is not in FClosedPieces.)
    void ReportClosedPieces() {
        for (const std::size_t closed = FOutput.ClosedCount(); FReported < closed && !FClosedPieces.empty();
             ++FReported) {
            Report(TSplitReportCode::Progress, std::string(split_texts::PieceDone) + FClosedPieces.front());
            FClosedPieces.pop_front();
        }
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
        const auto buffer = std::make_unique<char[]>(size + LineCopySlack);
        TLineCopy copy{};
        for (;;) {
            std::size_t got = 0;
            TSystemError system;
            if (!FSource->Read(buffer.get(), size, got, system)) {
                FError = {TSplitAction::Read, FJob.SourcePath, std::move(system)};
                return false;
            }
            if (got == 0) break;
            copy.In = buffer.get();
            copy.InEnd = buffer.get() + got;
            bool endOfText = false;
            if (!CopyBlock(copy, endOfText)) return false;
            if (endOfText) break;
        }
        // The last line needs no terminator; but a line of nothing is no line.
        return !FLineOpen || EndLastLine();
    }

    // Copies the lines of one source block; a line may continue in the next block.
    bool CopyBlock(TLineCopy& copy, bool& endOfText) {
        for (;;) {
            const char* start = copy.In;
            copy.Out = FOutput.Tail();
            copy.OutLimit = FOutput.Limit();
            copy.LinesLeft = FLinesLeft;
            const TCopyStop stop = FCopy(copy);
            FOutput.Commit(copy.Out);
            FLinesLeft = copy.LinesLeft;
            if (copy.In != start) FLineOpen = copy.In[-1] != '\n';
            switch (stop) {
            case TCopyStop::NeedInput:
                return true;
            case TCopyStop::EndOfText:
                endOfText = true;
                return true;
            case TCopyStop::OutputFull:
                if (!FOutput.Flush()) return false;
                ReportClosedPieces();
                break;
            case TCopyStop::LinesDone:
                if (!NextPiece()) return false;
                break;
            }
        }
    }

    bool EndLastLine() {
        char* tail = FOutput.Tail(); // the buffer always has room past its limit
        tail[0] = '\r';
        tail[1] = '\n';
        FOutput.Commit(tail + 2);
        FLineOpen = false;
        return --FLinesLeft > 0 || NextPiece();
    }

    // The current piece is full: close it and open the next one at once.
    bool NextPiece() {
        FClosedPieces.push_back(std::move(FOpenPiece));
        ++FNumber;
        FLinesLeft = static_cast<std::uint32_t>(FJob.LineCount);
        FOpenPiece = PiecePath(FPrefix, FNumber);
        if (!FOutput.Replace(FOpenPiece)) return false;
        ReportClosedPieces();
        return true;
    }

    const TSplitJob& FJob;
    TFileSystem& FFiles;
    const TSplitReporter& FReport;
    TPieceOutput FOutput;
    std::unique_ptr<TInputFile> FSource;
    std::string FPrefix;
    std::uint64_t FNumber = 1;
    std::string FOpenPiece;                // path of the piece being filled
    std::deque<std::string> FClosedPieces; // closed or being closed, not yet reported
    std::size_t FReported = 0;
    std::uint32_t FLinesLeft; // lines the current piece still takes
    bool FLineOpen = false;   // bytes of a line (even dropped CRs) have been read since the last LF
    const TLineCopier FCopy = BestLineCopier();
    TSplitError FError;
};

} // namespace

std::optional<TSplitError> RunSplit(const TSplitJob& job, TFileSystem& files, const TSplitReporter& report) {
    if (job.LineCount < 1) throw std::invalid_argument("RunSplit: the line count must be at least 1");
    return TSplitRun(job, files, report).Run();
}

} // namespace orvo

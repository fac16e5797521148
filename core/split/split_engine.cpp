#include "core/split/split_engine.h"
#include "core/split/line_copy.h"
#include "core/split/piece_naming.h"
#include "core/split/piece_output.h"
#include "core/split/split_texts.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <limits>
#include <memory>
#include <stdexcept>

namespace orvo {

namespace {

// By size, a line that does not start its piece is held whole in memory until it is known
// whether it fits; one longer than this starts a new piece instead.
constexpr std::size_t MaxHeldLine = 64u << 20;

class TSplitRun {
public:
    TSplitRun(const TSplitJob& job, TFileSystem& files, const TSplitReporter& report)
        : FJob(job), FFiles(files), FReport(report), FOutput(files, job.WriteBufferSize),
          FPrefix(job.TargetDir + BaseNameOf(job.SourcePath)),
          FHeaderLeft(static_cast<std::uint32_t>(job.HeaderLines)), FBySize(job.Mode == TSplitMode::Bytes),
          FLinesLeft(static_cast<std::uint32_t>(job.LineCount)) {}

    std::optional<TSplitError> Run(TSplitSummary* summary) {
        std::optional<TSplitError> error;
        if (!Split()) {
            FSource.reset();
            // What the writer was asked to do came before the failure: let it finish, report the
            // pieces it closed, and if it failed too, its failure is the first one.
            FOutput.Finish();
            ReportClosedPieces();
            error = FOutput.Failed() ? FOutput.Error() : std::move(FError);
            FOutput.Abandon();
        }
        if (summary) {
            summary->Encoding = FEncoding;
            summary->Marked = FMarked;
            summary->TrailingBytes = FTrailing;
            summary->Pieces = FNumber;
        }
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
        if (!FSource) {
            FError = {TSplitAction::Open, FJob.SourcePath, std::move(system)};
            return false;
        }
        if (!FSource->Size(FProgress.Total)) FProgress.Total = 0;
        return true;
    }

    bool CloseSource() {
        TSystemError system;
        const bool closed = FSource->Close(system);
        FSource.reset();
        if (!closed) FError = {TSplitAction::Close, FJob.SourcePath, std::move(system)};
        return closed;
    }

    bool Read(char* at, std::size_t size, std::size_t& got) {
        TSystemError system;
        if (!FSource->Read(at, size, got, system)) {
            FError = {TSplitAction::Read, FJob.SourcePath, std::move(system)};
            return false;
        }
        FProgress.Done += got;
        if (FJob.Progress) FJob.Progress(FProgress);
        return true;
    }

    // ---- reading the source ----------------------------------------------------------------------

    bool CopyLines() {
        const std::size_t size = std::max<std::size_t>(FJob.ReadBufferSize, 1);
        // Room for the bytes of a mark being gathered, or of a code unit cut by a read.
        const auto buffer = std::make_unique<char[]>(LongestMark + size + LineCopySlack);
        std::size_t have = 0;
        bool ended = false;
        while (have < LongestMark && !ended) {
            std::size_t got = 0;
            if (!Read(buffer.get() + have, size, got)) return false;
            ended = got == 0;
            have += got;
        }
        const std::size_t markSize = StartText(std::string_view(buffer.get(), have));
        if (FHeaderLeft == 0 && !HeaderDone()) return false;

        const char* begin = buffer.get() + markSize;
        std::size_t available = have - markSize;
        for (;;) {
            const std::size_t whole = available - available % FUnit;
            if (whole > 0) {
                TLineCopy copy{begin, begin + whole, nullptr, nullptr, 0};
                bool endOfText = false;
                if (!CopyBlock(copy, endOfText)) return false;
                if (endOfText) break;
            }
            // A code unit cut by the read moves to the front, to be completed by the next one.
            const std::size_t cut = available - whole;
            std::memmove(buffer.get(), begin + whole, cut);
            if (ended) {
                FTrailing = cut;
                break;
            }
            std::size_t got = 0;
            if (!Read(buffer.get() + cut, size, got)) return false;
            ended = got == 0;
            begin = buffer.get();
            available = cut + got;
        }
        // The last line needs no terminator; but a line of nothing is no line.
        if (FLineOpen && !EndLastLine()) return false;
        if (FBySize && FHeaderKept && !FitPiece()) return false;
        if (FTrailing > 0) {
            // Kept as they came, after the last line end, so that every code unit stays whole.
            char* tail = FOutput.Tail(); // the buffer always has room past its limit
            std::memcpy(tail, buffer.get(), FTrailing);
            FOutput.Commit(tail + FTrailing);
        }
        return true;
    }

    // Takes the encoding from the mark (or the job), and starts piece 1 with the mark. Returns
    // the size of the mark.
    std::size_t StartText(std::string_view start) {
        const std::optional<TTextEncoding> mark = MarkAt(start);
        FMarked = mark.has_value();
        FEncoding = mark.value_or(FJob.Unmarked);
        FUnit = UnitSize(FEncoding);
        FLineEnd = LineEndOf(FEncoding);
        FLf = FLineEnd.substr(FUnit);
        FSub.assign(FLf);
        std::replace(FSub.begin(), FSub.end(), '\n', '\x1A');
        FCopy = BestLineCopier(FEncoding);
        FMark = mark ? MarkOf(*mark) : std::string_view();
        Append(FMark);
        return FMark.size();
    }

    // Writes a few bytes into the buffer: it always has room past its limit for them.
    void Append(std::string_view text) {
        char* tail = FOutput.Tail();
        std::memcpy(tail, text.data(), text.size());
        FOutput.Commit(tail + text.size());
    }

    // Copies the lines of one source block; a line may continue in the next block.
    bool CopyBlock(TLineCopy& copy, bool& endOfText) {
        for (;;) {
            const char* start = copy.In;
            char* out = FOutput.Tail();
            copy.Out = out;
            SetLimits(copy);
            const std::uint32_t budget = copy.LinesLeft;
            const TCopyStop stop = FCopy(copy);
            FOutput.Commit(copy.Out);
            if (copy.In != start) FLineOpen = std::memcmp(copy.In - FUnit, FLf.data(), FUnit) != 0;
            if (FHeaderLeft > 0) {
                FHeaderLeft = copy.LinesLeft;
                if (!KeepHeader(out, copy.Out)) return false;
            } else if (!FBySize) {
                FLinesLeft = copy.LinesLeft;
            } else if (FOwnLine && copy.LinesLeft < budget) {
                FOwnLine = false;
            }
            switch (stop) {
            case TCopyStop::NeedInput:
                return true;
            case TCopyStop::EndOfText:
                endOfText = true;
                return true;
            case TCopyStop::OutputFull:
                if (FBySize && FHeaderLeft == 0 && FPieceFull) {
                    // The next line goes to a new piece, if there is one.
                    if (std::memcmp(copy.In, FSub.data(), FUnit) == 0) {
                        endOfText = true;
                        return true;
                    }
                    if (!NextPiece(FOutput.Used())) return false;
                } else if (FBySize && FHeaderLeft == 0) {
                    if (!FitPiece()) return false;
                } else {
                    if (!Flush(FOutput.Used())) return false;
                }
                break;
            case TCopyStop::LinesDone:
                if (!LineEnded()) return false;
                break;
            }
        }
    }

    // Where the copier has to stop and look.
    void SetLimits(TLineCopy& copy) {
        copy.OutLimit = FOutput.Limit();
        if (FHeaderLeft > 0) {
            copy.LinesLeft = FHeaderLeft;
        } else if (!FBySize) {
            copy.LinesLeft = FLinesLeft;
        } else if (FOwnLine) {
            copy.LinesLeft = 1; // to the end of a line that has a piece of its own
        } else {
            copy.LinesLeft = std::numeric_limits<std::uint32_t>::max();
            if (FPieceFull) {
                copy.OutLimit = FOutput.Tail();
            } else {
                // One byte past what the piece may hold: reaching it means the piece is over.
                const std::uint64_t room = FJob.PieceBytes > FHanded ? FJob.PieceBytes - FHanded : 0;
                if (room < static_cast<std::uint64_t>(copy.OutLimit - FOutput.Begin()))
                    copy.OutLimit = FOutput.Begin() + room + 1;
            }
        }
    }

    // A line has ended: its LF was the last the copier was allowed, or the source ended in it.
    bool LineEnded() {
        if (FHeaderLeft > 0) return true; // more header lines to come
        if (!FHeaderKept) return HeaderDone();
        if (!FBySize) return NextPiece(FOutput.Used());
        FOwnLine = false;
        return FitPiece();
    }

    bool EndLastLine() {
        const char* out = FOutput.Tail();
        Append(FLineEnd);
        FLineOpen = false;
        if (FHeaderLeft > 0) {
            if (!KeepHeader(out, FOutput.Tail())) return false;
            --FHeaderLeft;
            return FHeaderLeft > 0 || HeaderDone();
        }
        if (!FBySize) return --FLinesLeft > 0 || NextPiece(FOutput.Used());
        FOwnLine = false;
        return FitPiece();
    }

    // ---- the header lines ---------------------------------------------------------------------

    bool KeepHeader(const char* from, const char* to) {
        if (FHeader.size() + static_cast<std::size_t>(to - from) > MaxHeaderBytes) {
            FError = {TSplitAction::Header, FJob.SourcePath, {0, std::string(split_texts::HeaderTooLong)}};
            return false;
        }
        FHeader.append(from, to);
        return true;
    }

    // The header is complete (or there is none): every further piece starts with it.
    bool HeaderDone() {
        FHeaderKept = true;
        FPiecePrefix.assign(FMark);
        FPiecePrefix += FHeader;
        FHeader.clear();
        FHeader.shrink_to_fit();
        FOutput.SetPrefix(FPiecePrefix);
        FLineArea = FOutput.Used();
        return true;
    }

    // ---- pieces ---------------------------------------------------------------------------------

    // Hands over the buffer up to `keep` to the current piece.
    bool Flush(std::size_t keep) {
        FHanded += std::min(keep, FOutput.Used());
        FLineArea = 0;
        FFirstLineEnd = 0; // the buffer goes on with a line of the piece, or starts one
        return FOutput.Flush(keep);
    }

    // The current piece ends at `keep` in the buffer; the rest begins the next piece.
    bool NextPiece(std::size_t keep) {
        FClosedPieces.push_back(std::move(FOpenPiece));
        ++FNumber;
        FLinesLeft = static_cast<std::uint32_t>(FJob.LineCount);
        FOpenPiece = PiecePath(FPrefix, FNumber);
        if (!FOutput.Replace(FOpenPiece, keep)) return false;
        FHanded = FOutput.PrefixSize();
        FLineArea = 0;
        FFirstLineOpen = true;
        FFirstLineEnd = 0;
        FPieceFull = false;
        FOwnLine = false;
        ReportClosedPieces();
        return true;
    }

    // By size: cuts the piece at a line end while it holds more than it may (as often as the
    // carried lines need), and hands over the lines of a full buffer that surely stay in it.
    bool FitPiece() {
        for (;;) {
            const std::size_t used = FOutput.Used();
            if (FHanded + used <= FJob.PieceBytes) break;
            if (!FindFirstLineEnd(used)) {
                FOwnLine = true; // the piece's first line is too long: it runs to its end here
                break;
            }
            const std::uint64_t room = FJob.PieceBytes > FHanded ? FJob.PieceBytes - FHanded : 0;
            const std::size_t cut =
                LastLineEndBefore(static_cast<std::size_t>(std::min<std::uint64_t>(room, used)));
            if (cut == used) {
                FPieceFull = true; // it ends with a line that would not fit anywhere else
                return true;
            }
            if (!NextPiece(cut)) return false;
        }
        if (FOutput.Tail() < FOutput.Limit()) return true;
        // The buffer is full and the piece not: what is certain to stay in the piece goes.
        const std::size_t used = FOutput.Used();
        if (!FindFirstLineEnd(used)) return Flush(used); // a long first line, whatever comes
        const std::size_t cut = LastLineEndBefore(used);
        if (cut > 0) return Flush(cut);
        // One line fills the buffer, and it may still fit: hold it whole while that is affordable.
        if (FOutput.Grow(MaxHeldLine)) return true;
        return NextPiece(0);
    }

    // Sets FFirstLineEnd once the piece's first line has ended in the buffer; false while it
    // goes on.
    bool FindFirstLineEnd(std::size_t used) {
        if (!FFirstLineOpen) return true;
        const char* begin = FOutput.Begin();
        for (std::size_t at = FLineArea; at + FUnit <= used; at += FUnit) {
            if (std::memcmp(begin + at, FLf.data(), FUnit) == 0) {
                FFirstLineOpen = false;
                FFirstLineEnd = at + FUnit;
                return true;
            }
        }
        return false;
    }

    // The end of the last line that ends at or before `limit` in the buffer, but not before the
    // piece's first line (so a piece keeps at least one line).
    std::size_t LastLineEndBefore(std::size_t limit) {
        const std::size_t lowest = FFirstLineEnd;
        const char* begin = FOutput.Begin();
        for (std::size_t end = limit - limit % FUnit; end > lowest && end >= FUnit; end -= FUnit)
            if (std::memcmp(begin + end - FUnit, FLf.data(), FUnit) == 0) return end;
        return lowest;
    }

    const TSplitJob& FJob;
    TFileSystem& FFiles;
    const TSplitReporter& FReport;
    TPieceOutput FOutput;
    std::unique_ptr<TInputFile> FSource;
    TSplitProgress FProgress;
    std::string FPrefix;
    std::uint64_t FNumber = 1;
    std::string FOpenPiece;                // path of the piece being filled
    std::deque<std::string> FClosedPieces; // closed or being closed, not yet reported
    std::size_t FReported = 0;
    TSplitError FError;

    // The text.
    TTextEncoding FEncoding = TTextEncoding::Bytes;
    bool FMarked = false;
    std::size_t FUnit = 1;
    std::string_view FMark;
    std::string_view FLineEnd = "\r\n"; // CR LF in code units
    std::string_view FLf = "\n";        // LF in code units
    std::string FSub = "\x1A";          // SUB in code units
    std::size_t FTrailing = 0;
    TLineCopier FCopy = nullptr;
    bool FLineOpen = false; // bytes of a line (even dropped CRs) have been read since the last LF

    // The header lines and what every piece after the first starts with.
    std::uint32_t FHeaderLeft; // header lines still to come
    bool FHeaderKept = false;
    std::string FHeader;
    std::string FPiecePrefix;

    // The piece being filled.
    const bool FBySize;
    std::uint32_t FLinesLeft;     // by lines: lines the current piece still takes
    std::uint64_t FHanded = 0;    // bytes of it handed to the writer, prefix included
    std::size_t FLineArea = 0;    // where its lines begin in the buffer (after the mark and header)
    bool FFirstLineOpen = true;   // its first line has not ended yet
    std::size_t FFirstLineEnd = 0; // where it ended in the buffer, once it has
    bool FOwnLine = false;        // by size: its first line is too long, copied to its end
    bool FPieceFull = false;      // by size: it takes no further line
};

} // namespace

std::optional<TSplitError> RunSplit(const TSplitJob& job, TFileSystem& files, const TSplitReporter& report,
                                    TSplitSummary* summary) {
    if (job.Mode == TSplitMode::Lines && job.LineCount < 1)
        throw std::invalid_argument("RunSplit: the line count must be at least 1");
    if (job.HeaderLines < 0) throw std::invalid_argument("RunSplit: the header lines cannot be negative");
    return TSplitRun(job, files, report).Run(summary);
}

} // namespace orvo

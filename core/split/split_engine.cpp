#include "core/split/split_engine.h"
#include "core/split/line_copy.h"
#include "core/split/manifest.h"
#include "core/split/name_template.h"
#include "core/split/piece_naming.h"
#include "core/split/piece_output.h"
#include "core/split/split_texts.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <limits>
#include <memory>
#include <stdexcept>
#include <vector>

namespace orvo {

namespace {

// By size, a line that does not start its piece is held whole in memory until it is known
// whether it fits; one longer than this starts a new piece instead.
constexpr std::size_t MaxHeldLine = 64u << 20;

class TSplitRun {
public:
    // `budgets`: the lines (records) of each piece, for a second run into N pieces.
    TSplitRun(const TSplitJob& job, TFileSystem& files, const TSplitReporter& report,
              const std::vector<std::uint64_t>* budgets = nullptr)
        : FJob(job), FFiles(files), FReport(report), FOutput(files, job.WriteBufferSize),
          FNames(*TNameTemplate::Parse(job.NameTemplate)), FSourceName(SourceNameParts(job.SourcePath)),
          FTotal(job.Mode == TSplitMode::Pieces ? static_cast<std::uint64_t>(job.PieceCount) : 0),
          FTemporaryNames(FNames.HasTotal() && FTotal == 0), FBudgets(budgets), FExact(job.KeepLineEnds),
          FCsv(job.Csv), FByPieces(job.Mode == TSplitMode::Pieces),
          FHeaderLeft(static_cast<std::uint32_t>(job.HeaderLines)), FBySize(job.Mode == TSplitMode::Bytes),
          FLinesLeft(job.Mode == TSplitMode::Lines ? static_cast<std::uint32_t>(job.LineCount) : NoLimit) {
        FOutput.SetExclusive(job.NoClobber);
        if (job.Manifest) FOutput.KeepChecksums();
        if (FBudgets) FLinesLeft = Budget(1);
    }

    std::optional<TSplitError> Run(TSplitSummary* summary) {
        std::optional<TSplitError> error;
        if (!Split()) {
            FSource.reset();
            // What the writer was asked to do came before the failure: let it finish, report the
            // pieces it closed, and if it failed too, its failure is the first one.
            FOutput.Finish();
            ReportClosedPieces();
            if (FOutput.Failed() || !FStopped) error = FOutput.Failed() ? FOutput.Error() : std::move(FError);
            FOutput.Abandon();
            if (!error) error = EndStopped();
            else EndFailed();
        }
        if (summary) {
            summary->Encoding = FEncoding;
            summary->Marked = FMarked;
            summary->TrailingBytes = FTrailing;
            summary->Pieces = FStopped ? FNumber - 1 : FNumber;
            summary->Records = 0;
            for (const std::uint64_t records : FPieceRecords)
                summary->Records += records;
            summary->Stopped = FStopped && !error;
            if (summary->Stopped) {
                const bool none = FNumber == 1;
                summary->StoppedAtRecord = none ? 1 : FHeaderRecords + summary->Records + 1;
                summary->StoppedAtLine = none ? 1 : FPieceFirstLine;
            }
            summary->UnclosedQuoteLine = FUnclosedQuoteLine;
            summary->EmptyPieces = FEmptyPieces;
            summary->Renamed = FTemporaryNames && FRenamed > 0;
            const std::uint64_t made = summary->Pieces;
            if (made > 0) {
                summary->FirstPiece = PieceName(1, FinalTotal());
                summary->LastPiece = PieceName(made, FinalTotal());
            }
            summary->ManifestPath = FManifestWritten ? ManifestPathFor(FJob.TargetDir, FJob.SourcePath) : "";
        }
        return error;
    }

    // What the pieces of a run into N pieces held; for the second run when the first had too few.
    const std::vector<std::uint64_t>& PieceRecords() const { return FPieceRecords; }
    bool NeedsSecondRun() const { return FSecondRun; }

private:
    static constexpr std::uint32_t NoLimit = std::numeric_limits<std::uint32_t>::max();

    bool Split() {
        // Piece 1 exists before the source is opened.
        FOpenPiece = PieceName(FNumber, FTotal);
        if (!FOutput.Create(FOpenPiece) || !FOutput.Finish()) return false;
        if (!FBudgets) Report(TSplitReportCode::Progress, std::string(split_texts::Starting)); // once a split
        if (!OpenSource() || !ReserveManifest() || !CopyLines() || !CloseSource()) return false;
        if (!FOutput.Close() || !FOutput.Finish()) return false;
        FPieceRecords.push_back(FRecords - FPieceFirstRecord);
        if (FByPieces && !FBudgets) {
            const std::uint64_t filled = FNumber - (FPieceRecords.back() == 0 ? 1 : 0);
            if (filled < std::min(FRecords, FTotal)) {
                // Long lines took more than their share: a second run cuts by line counts.
                FSecondRun = true;
                return true;
            }
        }
        if (FByPieces && !AddEmptyPieces()) return false;
        ReportClosedPieces();
        if (!RenamePieces(FNumber) || !WriteManifest(true)) return false;
        Report(TSplitReportCode::Done, FJob.TargetDir);
        return true;
    }

    // Into N pieces, from a source of fewer lines: the rest hold the mark and header only.
    bool AddEmptyPieces() {
        FEmptyPieces = static_cast<std::uint64_t>(std::count(FPieceRecords.begin(), FPieceRecords.end(), 0));
        while (FNumber < FTotal) {
            FClosedPieces.push_back(std::move(FOpenPiece));
            ++FNumber;
            ++FEmptyPieces;
            FOpenPiece = PieceName(FNumber, FTotal);
            if (!FOutput.Create(FOpenPiece)) return false;
            Append(FPiecePrefix);
            if (!FOutput.Close()) return false;
            FPieceRecords.push_back(0);
        }
        return FOutput.Finish();
    }

    // ---- the end of a run --------------------------------------------------------------------------

    // The total the pieces' names hold on disk: 0 ("~") until they are renamed.
    std::uint64_t FinalTotal() const { return FTotal > 0 ? FTotal : FNamedTotal; }

    std::string PieceName(std::uint64_t number, std::uint64_t total) const {
        if (FNames.IsDefault()) return PiecePath(FJob.TargetDir + FSourceName.Name, number);
        return FJob.TargetDir + FNames.Render(FSourceName.Name, FSourceName.Ext, number, total);
    }

    // Pieces written under a temporary name get their final one, now that their number is known.
    bool RenamePieces(std::uint64_t count) {
        if (!FTemporaryNames || FNamedTotal > 0) return true; // never twice
        FNamedTotal = count;
        for (std::uint64_t k = 1; k <= count; ++k) {
            TSystemError system;
            const std::string final = PieceName(k, count);
            if (!FFiles.Rename(PieceName(k, 0), final, system)) {
                FError = {TSplitAction::Rename, final, std::move(system)};
                return false;
            }
            ++FRenamed;
        }
        return true;
    }

    // Stopped on request: the finished pieces stay (named), the unfinished one goes.
    std::optional<TSplitError> EndStopped() {
        TSystemError system;
        if (!FFiles.Remove(FOpenPiece, system)) return TSplitError{TSplitAction::Remove, FOpenPiece, std::move(system)};
        if (!RenamePieces(FNumber - 1)) return FError;
        if (!WriteManifest(false)) return FError;
        return std::nullopt;
    }

    // After a failure: the pieces stay as they are; the finished ones are named, and the manifest
    // (if asked for, and if it can be written) lists them and the piece being written.
    void EndFailed() {
        if (FRecordTooLong) {
            TSystemError ignored;
            FFiles.Remove(FOpenPiece, ignored); // it ends in a record cut short
        }
        if (!RenamePieces(FNumber - 1)) return;
        WriteManifest(false);
    }

    // The manifest's room on the disk, taken before the pieces fill it: when the disk is full the
    // manifest still lists what was written, and verify can say which piece is short. (Blanks
    // after JSON are JSON; WriteManifest replaces them.)
    bool ReserveManifest() {
        if (!FJob.Manifest) return true;
        const std::uint64_t size = FProgress.Total;
        std::uint64_t pieces = FByPieces ? FTotal
                               : FBySize ? size / FJob.PieceBytes + 1
                                         : size / (16 * static_cast<std::uint64_t>(FJob.LineCount)) + 1;
        const std::string blanks(static_cast<std::size_t>(std::min<std::uint64_t>(4096 + 200 * pieces, 16u << 20)), ' ');
        const std::string temporary = ManifestPathFor(FJob.TargetDir, FJob.SourcePath) + ".tmp";
        TSystemError system;
        std::unique_ptr<TOutputFile> file = FFiles.Create(temporary, system);
        if (!file || !file->Write(blanks.data(), blanks.size(), system) || !file->Close(system)) {
            FError = {TSplitAction::Write, temporary, std::move(system)};
            return false;
        }
        return true;
    }

    bool WriteManifest(bool complete) {
        if (!FJob.Manifest) return true;
        TManifest manifest;
        manifest.Complete = complete;
        manifest.SourceName = FJob.SourcePath.substr(DirectoryPartOf(FJob.SourcePath).size());
        manifest.SourceSize = FProgress.Total > 0 ? FProgress.Total : FProgress.Done;
        if (complete) manifest.SourceChecksum = FSourceChecksum.Digest();
        manifest.Options = FJob;
        manifest.Options.Manifest = false;
        manifest.Options.NoClobber = false;
        manifest.Encoding = FEncoding;
        manifest.PrefixBytes = FPiecePrefix.size();
        const std::vector<TPieceFacts>& facts = FOutput.ClosedFacts();
        const std::uint64_t total = FinalTotal();
        for (std::size_t k = 0; k < facts.size() && k < FPieceRecords.size(); ++k) {
            const std::string path = PieceName(k + 1, total);
            manifest.Pieces.push_back({path.substr(FJob.TargetDir.size()), facts[k].Size, FPieceRecords[k],
                                       facts[k].Checksum});
        }
        if (!complete && !FStopped && !FRecordTooLong && FOutput.Failed() && facts.size() + 1 == FNumber) {
            // The piece being written when the writer failed: what was meant for it, so that
            // verify finds it short.
            const std::string path = PieceName(FNumber, FTotal);
            manifest.Pieces.push_back({path.substr(FJob.TargetDir.size()), FOutput.OpenFacts().Size,
                                       FRecords - FPieceFirstRecord, FOutput.OpenFacts().Checksum});
        }
        const std::string path = ManifestPathFor(FJob.TargetDir, FJob.SourcePath);
        const std::string text = ManifestText(manifest);
        // Written beside the pieces under a temporary name, then renamed: never half a manifest.
        const std::string temporary = path + ".tmp";
        TSystemError system;
        std::unique_ptr<TOutputFile> file = FFiles.Create(temporary, system);
        if (!file) {
            FError = {TSplitAction::Create, temporary, std::move(system)};
            return false;
        }
        if (!file->Write(text.data(), text.size(), system)) {
            FError = {TSplitAction::Write, temporary, std::move(system)};
            return false;
        }
        if (!file->Close(system)) {
            FError = {TSplitAction::Close, temporary, std::move(system)};
            return false;
        }
        if (!FFiles.Rename(temporary, path, system)) {
            FError = {TSplitAction::Rename, path, std::move(system)};
            return false;
        }
        FManifestWritten = true;
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
        if (!FSource->Size(FProgress.Total)) {
            FProgress.Total = 0;
            if (FByPieces) {
                FError = {TSplitAction::Size, FJob.SourcePath, {0, std::string(split_texts::SizeNeeded)}};
                return false;
            }
        }
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
        if (FJob.Manifest) FSourceChecksum.Update(at, got);
        FBufferOffset = FProgress.Done - static_cast<std::uint64_t>(at - FBufferBase); // the bytes go to `at`
        FProgress.Done += got;
        if (FJob.Progress) FJob.Progress(FProgress);
        return !StopAsked();
    }

    bool StopAsked() {
        if (FJob.Stop == nullptr || !FJob.Stop->load(std::memory_order_relaxed)) return false;
        FStopped = true;
        return true;
    }

    // Where `at` in the read buffer is in the source.
    std::uint64_t SourceOffset(const char* at) const {
        return FBufferOffset + static_cast<std::uint64_t>(at - FBufferBase);
    }

    // The other read buffer, once the writer is done with what it was given from it.
    char* NextReadBuffer() {
        FReading = 1 - FReading;
        FOutput.WaitWritten(FReadFences[FReading]);
        return FReadBuffers[FReading].get();
    }

    // Reads the rest of a source whose text has ended, for its checksum.
    bool ReadToTheEnd(std::size_t size) {
        if (!FJob.Manifest) return true;
        char* const buffer = NextReadBuffer();
        FBufferBase = buffer;
        for (;;) {
            std::size_t got = 0;
            if (!Read(buffer, size, got)) return false;
            if (got == 0) return true;
        }
    }

    // ---- reading the source ----------------------------------------------------------------------

    bool CopyLines() {
        const std::size_t size = std::max<std::size_t>(FJob.ReadBufferSize, 1);
        // Room for the bytes of a mark being gathered, or of a code unit cut by a read.
        for (std::unique_ptr<char[]>& buffer : FReadBuffers)
            buffer = std::make_unique<char[]>(LongestMark + size + LineCopySlack);
        char* buffer = FReadBuffers[FReading].get();
        FBufferBase = buffer;
        std::size_t have = 0;
        bool ended = false;
        while (have < LongestMark && !ended) {
            std::size_t got = 0;
            if (!Read(buffer + have, size, got)) return false;
            ended = got == 0;
            have += got;
        }
        const std::size_t markSize = StartText(std::string_view(buffer, have));
        if (FHeaderLeft == 0 && !HeaderDone()) return false;

        const char* begin = buffer + markSize;
        std::size_t available = have - markSize;
        for (;;) {
            const std::size_t whole = available - available % FUnit;
            if (whole > 0) {
                bool endOfText = false;
                FScanning = FScan != nullptr;
                if (!CopyTo(begin, begin + whole, endOfText)) return false;
                if (endOfText) {
                    if (!ReadToTheEnd(size)) return false;
                    break;
                }
            }
            // A code unit cut by the read moves to the front of the next buffer, to be completed
            // by the next read.
            const std::size_t cut = available - whole;
            const char* const rest = begin + whole;
            buffer = NextReadBuffer();
            FBufferBase = buffer;
            std::memcpy(buffer, rest, cut);
            if (ended) {
                FTrailing = cut;
                break;
            }
            std::size_t got = 0;
            if (!Read(buffer + cut, size, got)) return false;
            ended = got == 0;
            begin = buffer;
            available = cut + got;
        }
        if (FCsv && FQuote.Quoted) FUnclosedQuoteLine = FQuote.QuoteLine > 0 ? FQuote.QuoteLine : FQuote.Lines + 1;
        // The last line needs no terminator; but a line of nothing is no line.
        if (FLineOpen && !EndLastLine()) return false;
        if (FBySize && FHeaderKept && !FitPiece()) return false;
        if (FTrailing > 0) {
            // Kept as they came, after the last line end, so that every code unit stays whole.
            char* tail = FOutput.Tail(); // the buffer always has room past its limit
            std::memcpy(tail, buffer, FTrailing);
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
        FQuoteUnit.assign(FLf);
        std::replace(FQuoteUnit.begin(), FQuoteUnit.end(), '\n', '"');
        const TCopyRule rule = FCsv ? (FExact ? TCopyRule::ExactRecords : TCopyRule::Records)
                                    : (FExact ? TCopyRule::ExactLines : TCopyRule::Lines);
        FCopy = BestLineCopier(FEncoding, rule);
        if (!FCsv) FScan = BestLineCopier(FEncoding, FExact ? TCopyRule::ScanExactLines : TCopyRule::ScanLines);
        FMark = mark ? MarkOf(*mark) : std::string_view();
        Append(FMark);
        return FMark.size();
    }

    // Writes a few bytes into the buffer: it always has room past its limit for them.
    void Append(std::string_view text) {
        if (text.empty()) return; // an empty view may have no memory at all
        char* tail = FOutput.Tail();
        std::memcpy(tail, text.data(), text.size());
        FOutput.Commit(tail + text.size());
    }

    // Copies the lines of [begin, end); into N pieces, it is taken in parts that end where the
    // pieces' shares of the source end.
    bool CopyTo(const char* begin, const char* end, bool& endOfText) {
        while (begin < end) {
            const char* stop = end;
            bool share = false;
            if (FByPieces && FHeaderKept && !FBudgets && FNumber < FTotal && !FTargetReached) {
                const std::uint64_t target = Target(FNumber);
                const std::uint64_t at = SourceOffset(begin);
                if (target <= at) {
                    ShareReached();
                    if (!FTargetReached && !NextPiece(FOutput.Used())) return false;
                    continue;
                }
                if (target - at < static_cast<std::uint64_t>(end - begin)) {
                    stop = begin + (target - at);
                    stop -= (stop - begin) % static_cast<std::ptrdiff_t>(FUnit);
                    share = true;
                }
            }
            TLineCopy copy{begin, stop, nullptr, nullptr, 0, FQuote, nullptr};
            if (!CopyBlock(copy, endOfText)) return false;
            if (endOfText) return true;
            begin = copy.In; // a new piece may have begun before `stop`: its share ends elsewhere
            if (share && begin == stop) {
                ShareReached();
                if (!FTargetReached && !NextPiece(FOutput.Used())) return false;
            }
        }
        return true;
    }

    // Into N pieces: the current piece's share of the source is read. It ends with the line
    // being read, or here if a line has just ended and the piece has one.
    void ShareReached() {
        if (FLineOpen || FRecords == FPieceFirstRecord) {
            FTargetReached = true;
            FLinesLeft = 1;
        }
    }

    // The source offset where piece k's share ends.
    std::uint64_t Target(std::uint64_t k) const {
        const std::uint64_t size = FProgress.Total > FContentStart ? FProgress.Total - FContentStart : 0;
        // size * k / FTotal without overflow: k and FTotal are below 100000.
        return FContentStart + size / FTotal * k + size % FTotal * k / FTotal;
    }

    // Copies the lines of one source block; a line may continue in the next block.
    bool CopyBlock(TLineCopy& copy, bool& endOfText) {
        for (;;) {
            if (StopAsked()) return false;
            const char* start = copy.In;
            char* out = FOutput.Tail();
            copy.Out = out;
            SetLimits(copy);
            const std::uint32_t budget = copy.LinesLeft;
            // Lines that the pieces hold as they are go to the writer from the read buffer; by
            // size they are cut in the output buffer, and the header is kept from it.
            const bool scan = FScanning && FHeaderLeft == 0 && !FBySize;
            const TCopyStop stop = scan ? FScan(copy) : FCopy(copy);
            if (scan) {
                // (The output buffer may be another one now: nothing was written to it.)
                if (copy.In != start && !WriteAsItIs(start, copy.In)) return false;
                if (stop == TCopyStop::Rewrite) FScanning = false; // the copier takes this read on
            } else {
                FOutput.Commit(copy.Out);
            }
            FPosition = SourceOffset(copy.In);
            const std::uint32_t ended = budget - copy.LinesLeft;
            if (FCsv) {
                FQuote = copy.Quote;
                if (copy.RecordEnd != nullptr) {
                    FRecordStart = SourceOffset(copy.RecordEnd);
                    copy.RecordEnd = nullptr;
                }
                if (copy.In != start) FLineOpen = SourceOffset(copy.In) != FRecordStart;
                if (SourceOffset(copy.In) - FRecordStart > FJob.MaxRecordBytes) return RecordTooLong();
            } else if (copy.In != start) {
                FLineOpen = std::memcmp(copy.In - FUnit, FLf.data(), FUnit) != 0;
            }
            if (FHeaderLeft > 0) {
                FHeaderLeft = copy.LinesLeft;
                FHeaderRecords += ended;
                if (!KeepHeader(out, copy.Out)) return false;
            } else {
                FRecords += ended;
                if (!FBySize) FLinesLeft = copy.LinesLeft;
                else if (FOwnLine && copy.LinesLeft < budget) FOwnLine = false;
            }
            switch (stop) {
            case TCopyStop::NeedInput:
                return true;
            case TCopyStop::Rewrite:
                break;
            case TCopyStop::EndOfText:
                endOfText = true;
                return true;
            case TCopyStop::OutputFull:
                if (FBySize && FHeaderLeft == 0 && FPieceFull) {
                    // The next line goes to a new piece, if there is one.
                    if (!FExact && std::memcmp(copy.In, FSub.data(), FUnit) == 0) {
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
                if (FNewShare) {
                    FNewShare = false;
                    return true;
                }
                break;
            }
        }
    }

    bool RecordTooLong() {
        FRecordTooLong = true;
        const bool quoted = FQuote.QuoteLine > 0 || FQuote.Quoted;
        // Without a line break inside quotes, the record (and its quote) is on one line.
        const std::uint64_t line = FQuote.QuoteLine > 0 ? FQuote.QuoteLine : FQuote.Lines + 1;
        char limit[32];
        const double mib = static_cast<double>(FJob.MaxRecordBytes) / (1024.0 * 1024.0);
        if (FJob.MaxRecordBytes % 1024 == 0 && mib >= 1) std::snprintf(limit, sizeof limit, "%g MiB", mib);
        else std::snprintf(limit, sizeof limit, "%llu 字节", static_cast<unsigned long long>(FJob.MaxRecordBytes));
        std::string text(split_texts::LineBefore);
        text += std::to_string(line);
        text += quoted ? split_texts::QuoteNotClosed : split_texts::RecordPastLimit;
        text += limit;
        FError = {TSplitAction::Record, FJob.SourcePath, {0, std::move(text)}, line};
        return false;
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
        if (FByPieces && !FBudgets) {
            if (FTargetReached) {
                FNewShare = true;
                return NextPiece(FOutput.Used());
            }
            FLinesLeft = NoLimit; // a piece of four billion lines, and more to come
            return true;
        }
        if (FByPieces && FNumber == FTotal) {
            FLinesLeft = NoLimit; // the last piece takes the rest
            return true;
        }
        if (!FBySize) return NextPiece(FOutput.Used());
        FOwnLine = false;
        return FitPiece();
    }

    bool EndLastLine() {
        const char* out = FOutput.Tail();
        if (!FExact) Append(FLineEnd); // exactly: the source's last line keeps its lack of an end
        FLineOpen = false;
        if (FHeaderLeft > 0) {
            if (!KeepHeader(out, FOutput.Tail())) return false;
            --FHeaderLeft;
            ++FHeaderRecords;
            return FHeaderLeft > 0 || HeaderDone();
        }
        ++FRecords;
        if (FByPieces) return true;
        if (!FBySize) return --FLinesLeft > 0 || NextPiece(FOutput.Used());
        FOwnLine = false;
        return FitPiece();
    }

    // Lines of the source read so far (for CSV, counting those inside quoted fields).
    std::uint64_t LinesRead() const { return FCsv ? FQuote.Lines : FHeaderRecords + FRecords; }

    std::uint32_t Budget(std::uint64_t number) const {
        if (number > FBudgets->size()) return NoLimit;
        return static_cast<std::uint32_t>(std::min<std::uint64_t>((*FBudgets)[number - 1], NoLimit));
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
        FAreaQuoted = false;
        FContentStart = FPosition;
        FPieceFirstLine = LinesRead() + 1;
        return true;
    }

    // ---- pieces ---------------------------------------------------------------------------------

    // Source bytes [from, to) of the current read buffer, which the current piece holds as they
    // are: handed to the writer after what the output buffer holds, without a copy.
    bool WriteAsItIs(const char* from, const char* to) {
        if (!Flush(FOutput.Used())) return false;
        const auto size = static_cast<std::size_t>(to - from);
        FHanded += size;
        if (!FOutput.WriteSpan(from, size)) return false;
        FReadFences[FReading] = FOutput.Asked();
        return true;
    }

    // Hands over the buffer up to `keep` to the current piece.
    bool Flush(std::size_t keep) {
        // The buffer goes on from `keep`: a line end, or the place the copier has reached.
        if (FCsv) FAreaQuoted = keep >= FOutput.Used() && FQuote.Quoted;
        FHanded += std::min(keep, FOutput.Used());
        FLineArea = 0;
        FFirstLineEnd = 0; // the buffer goes on with a line of the piece, or starts one
        return FOutput.Flush(keep);
    }

    // The current piece ends at `keep` in the buffer; the rest begins the next piece.
    bool NextPiece(std::size_t keep) {
        // The lines carried over belong to the next piece.
        std::uint64_t carriedRecords = 0;
        std::uint64_t carriedLines = 0;
        if (keep < FOutput.Used()) CountEnds(keep, FOutput.Used(), false, carriedRecords, carriedLines);
        FPieceRecords.push_back(FRecords - carriedRecords - FPieceFirstRecord);
        FPieceFirstRecord = FRecords - carriedRecords;
        FPieceFirstLine = LinesRead() - carriedLines + 1;
        FClosedPieces.push_back(std::move(FOpenPiece));
        ++FNumber;
        FLinesLeft = FBudgets          ? (FNumber == FTotal ? NoLimit : Budget(FNumber))
                     : FByPieces       ? NoLimit
                                       : static_cast<std::uint32_t>(FJob.LineCount);
        FTargetReached = false;
        FAreaQuoted = false;
        FOpenPiece = PieceName(FNumber, FTotal);
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
        if (FCsv) {
            const std::size_t end = RecordEndIn(FLineArea, used, FAreaQuoted, true);
            if (end == 0) return false;
            FFirstLineOpen = false;
            FFirstLineEnd = end;
            return true;
        }
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
        if (FCsv) {
            // Records are found from the front: a line end may be inside a quoted field. The
            // first line has ended at `lowest`, outside quotes.
            if (limit <= lowest) return lowest;
            const std::size_t from = lowest > 0 ? lowest : FLineArea;
            return std::max(lowest, RecordEndIn(from, limit, lowest > 0 ? false : FAreaQuoted, false));
        }
        const char* begin = FOutput.Begin();
        for (std::size_t end = limit - limit % FUnit; end > lowest && end >= FUnit; end -= FUnit)
            if (std::memcmp(begin + end - FUnit, FLf.data(), FUnit) == 0) return end;
        return lowest;
    }

    // CSV: the end of the first (or the last) record that ends in [from, to) of the buffer, which
    // starts inside quotes or not; 0 when none does.
    std::size_t RecordEndIn(std::size_t from, std::size_t to, bool quoted, bool first) const {
        const char* begin = FOutput.Begin();
        std::size_t found = 0;
        for (std::size_t at = from; at + FUnit <= to; at += FUnit) {
            const char* unit = begin + at;
            if (std::memcmp(unit, FQuoteUnit.data(), FUnit) == 0) {
                quoted = !quoted;
            } else if (!quoted && std::memcmp(unit, FLf.data(), FUnit) == 0) {
                found = at + FUnit;
                if (first) return found;
            }
        }
        return found;
    }

    // The record ends and line ends in [from, to) of the buffer.
    void CountEnds(std::size_t from, std::size_t to, bool quoted, std::uint64_t& records,
                   std::uint64_t& lines) const {
        const char* begin = FOutput.Begin();
        for (std::size_t at = from; at + FUnit <= to; at += FUnit) {
            const char* unit = begin + at;
            if (FCsv && std::memcmp(unit, FQuoteUnit.data(), FUnit) == 0) {
                quoted = !quoted;
            } else if (std::memcmp(unit, FLf.data(), FUnit) == 0) {
                ++lines;
                if (!quoted) ++records;
            }
        }
    }

    const TSplitJob& FJob;
    TFileSystem& FFiles;
    const TSplitReporter& FReport;
    // The source is read into two buffers in turn: runs of it that the pieces hold as they are
    // go to the writer straight from them, so a buffer is read into again only once the writer
    // is done with it (its fence: the output's requests up to its last run). Before the output,
    // which waits for its writer when it goes.
    std::unique_ptr<char[]> FReadBuffers[2];
    std::uint64_t FReadFences[2] = {0, 0};
    std::size_t FReading = 0; // the buffer being read
    TPieceOutput FOutput;
    std::unique_ptr<TInputFile> FSource;
    TSplitProgress FProgress;
    const TNameTemplate FNames;
    const TSourceNameParts FSourceName;
    const std::uint64_t FTotal;         // the number of pieces when known in advance, else 0
    const bool FTemporaryNames;         // {total} to be filled in once the pieces are counted
    const std::vector<std::uint64_t>* FBudgets; // lines (records) per piece, for a second run
    std::uint64_t FNumber = 1;
    std::string FOpenPiece;                // path of the piece being filled
    std::deque<std::string> FClosedPieces; // closed or being closed, not yet reported
    std::size_t FReported = 0;
    TSplitError FError;
    bool FStopped = false;
    bool FRecordTooLong = false;
    bool FSecondRun = false;
    std::uint64_t FRenamed = 0;
    std::uint64_t FNamedTotal = 0; // the total the pieces were renamed with
    bool FManifestWritten = false;
    std::uint64_t FEmptyPieces = 0;
    TChecksumState FSourceChecksum;

    // Where the reading is.
    const char* FBufferBase = nullptr;
    std::uint64_t FBufferOffset = 0; // of FBufferBase in the source
    std::uint64_t FPosition = 0;     // source offset the copier has reached
    std::uint64_t FContentStart = 0; // source offset after the mark and header

    // Lines (records) counted.
    std::uint64_t FHeaderRecords = 0;
    std::uint64_t FRecords = 0;           // after the header
    std::uint64_t FPieceFirstRecord = 0;  // FRecords when the current piece began
    std::uint64_t FPieceFirstLine = 1;    // the source line the current piece begins on
    std::vector<std::uint64_t> FPieceRecords; // of each closed piece

    // CSV records.
    const bool FExact;
    const bool FCsv;
    TQuoteState FQuote;
    std::string FQuoteUnit = "\"";   // '"' in code units
    std::uint64_t FRecordStart = 0;  // source offset of the current record
    std::uint64_t FUnclosedQuoteLine = 0;
    bool FAreaQuoted = false;        // the piece's lines in the buffer start inside quotes

    // Into N pieces.
    const bool FByPieces;
    bool FTargetReached = false;     // the current piece ends with the line being read
    bool FNewShare = false;          // a piece has begun: where its share ends is to be found

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
    TLineCopier FScan = nullptr; // passes over text written as it is; none for CSV records
    bool FScanning = false;      // it is used on the current read (until the text needs a rewrite)
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

// Into N pieces, when long lines left too few lines for the last pieces: as many lines a piece
// as the first run gave, the pieces with most lines halved until there are N (or one a line).
std::vector<std::uint64_t> SecondRunBudgets(std::vector<std::uint64_t> records, std::uint64_t pieces) {
    std::erase(records, 0);
    std::uint64_t total = 0;
    for (const std::uint64_t count : records)
        total += count;
    const std::uint64_t wanted = std::min(pieces, total);
    while (records.size() < wanted) {
        const auto most = std::max_element(records.begin(), records.end());
        const std::uint64_t half = *most / 2;
        *most -= half;
        records.insert(most + 1, half);
    }
    return records;
}

} // namespace

std::optional<TSplitError> RunSplit(const TSplitJob& job, TFileSystem& files, const TSplitReporter& report,
                                    TSplitSummary* summary) {
    if (job.Mode == TSplitMode::Lines && job.LineCount < 1)
        throw std::invalid_argument("RunSplit: the line count must be at least 1");
    if (job.HeaderLines < 0) throw std::invalid_argument("RunSplit: the header lines cannot be negative");
    if (const std::optional<TOptionRefusal> refusal = ValidateSplitOptions(job))
        throw std::invalid_argument("RunSplit: " + refusal->Text());
    if (std::optional<TOptionRefusal> refusal = CheckSplitTargets(job, files)) return TSplitError(std::move(*refusal));
    TSplitRun first(job, files, report);
    std::optional<TSplitError> error = first.Run(summary);
    if (error || !first.NeedsSecondRun()) return error;
    const std::vector<std::uint64_t> budgets =
        SecondRunBudgets(first.PieceRecords(), static_cast<std::uint64_t>(job.PieceCount));
    return TSplitRun(job, files, report, &budgets).Run(summary);
}

} // namespace orvo

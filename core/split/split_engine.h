#pragma once
// The split: copies the lines of a text source into numbered pieces of at most N lines each, of
// at most a number of bytes each, or into N pieces of about equal size.
//
// The source is read in bytes, unless it starts with the byte-order mark of UTF-8, UTF-16 or
// UTF-32 (either byte order), or the job says how a source without a mark is to be read: then in
// that encoding's code units. The rules are the same for every code unit: lines end at LF or
// CR LF; a CR that does not start a CR LF is dropped; SUB (U+001A, Ctrl-Z) ends the text; the last
// line needs no terminator (and is a line, an empty one, even if it held nothing but dropped CRs).
// Each piece starts with the source's mark (if it has one), then the header lines (the first H
// lines of the source, in every piece), then its lines, each followed by CR LF in the source's
// encoding. A stray last byte or two that make no whole code unit are kept at the very end of
// the last piece. The pieces are called <target directory><source name without extension>_<k>.txt
// unless the job's name template says otherwise (name_template.h).
//
// With KeepLineEnds the pieces hold the source's bytes exactly (no CR LF rewrite, no CR dropped,
// SUB is text): the pieces, each without the mark and header but the first, concatenate to the
// source. With Csv the unit is the CSV record: a line break inside a quoted field belongs to the
// field and is copied as it is; only the break that ends a record follows the rules above.
//
// By lines, a piece is opened as soon as the previous one is full, so when the number of lines
// after the header is a multiple of N the last piece holds the mark and header only. By size, a
// piece takes lines while it stays within the size (mark and header included); a line that does
// not fit on its own gets a piece of its own and is never cut; no piece is left empty. Into N
// pieces, piece k ends with the line that reaches k/N of the source after the header, and takes
// at least one line; when long lines would leave pieces empty, a second run cuts by line counts.
// Only a source of fewer than N lines leaves pieces empty (the last ones).
#include "core/split/split_error.h"
#include "core/split/split_options.h"
#include "core/split/text_encoding.h"
#include "platform/file_system.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace orvo {

// The two kinds of report; the numbers are those of the window message that carries them.
enum class TSplitReportCode : int {
    Progress = 0, // a log line: "准备开始分割", or "分割完成：" + the path of a piece that is full
    Done = 1,     // the split has finished; the text is the target directory
};

using TSplitReporter = std::function<void(TSplitReportCode code, const std::string& text)>;

// How far the split has read its source.
struct TSplitProgress {
    std::uint64_t Done = 0;  // bytes read
    std::uint64_t Total = 0; // the source's size; 0 when it cannot be told
};

using TSplitProgressSink = std::function<void(const TSplitProgress& progress)>;

// Header lines are kept in memory for every piece: their text (as written) may not pass this.
inline constexpr std::size_t MaxHeaderBytes = 16u << 20;

// One split: the options (split_options.h), the source, the target folder and how the caller
// follows and stops it.
struct TSplitJob : TSplitOptions {
    std::string SourcePath;
    // Used as the pieces' path prefix exactly as given, so it ends in a separator (or is empty
    // for the current directory).
    std::string TargetDir;
    // Sizes measured with bench/split_bench.sh. The source is read into two buffers of
    // ReadBufferSize in turn; runs of lines that the pieces hold as they are go to the writer
    // straight from them, and larger reads mean fewer waits for it.
    std::size_t ReadBufferSize = 512 * 1024;
    std::size_t WriteBufferSize = 512 * 1024;
    // Told after every read of the source, on the calling thread; keep it quick.
    TSplitProgressSink Progress;
    // Set from any thread to stop the split: it is looked at after every read of the source and
    // every buffer of output, so the split ends within a few milliseconds. The finished pieces
    // stay, the unfinished one is removed, and the summary says where it stopped.
    const std::atomic<bool>* Stop = nullptr;
};

// What the split found out about its source, and how it ended.
struct TSplitSummary {
    TTextEncoding Encoding = TTextEncoding::Bytes; // how the source was read
    bool Marked = false;                           // it started with a mark
    std::size_t TrailingBytes = 0;                 // bytes after the last whole code unit
    std::uint64_t Pieces = 0;                      // pieces made (when stopped: finished pieces)
    std::uint64_t Records = 0;                     // lines (records) in them, headers not counted
    // Stopped on request: the first line (record) of the source, counting from 1 and the header
    // included, that is in no finished piece, and the source line it starts on (the same as the
    // record but for CSV records that hold line breaks).
    bool Stopped = false;
    std::uint64_t StoppedAtRecord = 0;
    std::uint64_t StoppedAtLine = 0;
    // CSV: the source ended inside a quoted field that opened on this line (0: it did not). The
    // rest of the source is in the last record of the last piece.
    std::uint64_t UnclosedQuoteLine = 0;
    // Into N pieces: the source had fewer lines (records) than N, so the last pieces are empty.
    std::uint64_t EmptyPieces = 0;
    // The pieces were written under a temporary name and renamed once {total} was known.
    bool Renamed = false;
    std::string FirstPiece; // path of the first piece, as finally named; empty when none
    std::string LastPiece;  // path of the last piece, as finally named
    std::string ManifestPath; // when one was written
};

// Checks what can be checked before anything is written: the options, the names against the
// source (no piece may overwrite it) and, with NoClobber, against the files in the target folder.
std::optional<TOptionRefusal> CheckSplitTargets(const TSplitJob& job, TFileSystem& files);

// Runs the split and returns when it is over. Reports are given on the calling thread, in order;
// a full piece is reported once it is closed. (The piece files are written by a helper thread, so
// that reading the source and writing the pieces overlap.) Returns the failure that stopped the
// split, if any: a refusal of CheckSplitTargets (nothing written), an I/O failure, a CSV record
// past the limit. Then every file the split had open is closed, the pieces written so far stay as
// they are, a manifest (when asked for) lists the finished ones, and no Done report is given.
// Stopped on request is no failure: no Done report either, and the summary says so. Throws
// std::invalid_argument for options that ValidateSplitOptions refuses.
std::optional<TSplitError> RunSplit(const TSplitJob& job, TFileSystem& files, const TSplitReporter& report,
                                    TSplitSummary* summary = nullptr);

} // namespace orvo

#pragma once
// The split: copies the lines of a text source into numbered pieces of at most N lines each.
//
// Lines end at LF or CR LF; a CR that does not start a CR LF is dropped; a Ctrl-Z byte ends the
// text; the last line needs no terminator (and is a line, an empty one, even if it held nothing
// but dropped CRs). Each piece holds its lines, each followed by CR LF, and is called
// <target directory><source name without extension>_<k>.txt. A piece is opened as soon as the
// previous one is full, so when the line count is a multiple of N the last piece is empty.
#include "core/split/split_error.h"
#include "platform/file_system.h"

#include <cstddef>
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

struct TSplitJob {
    std::string SourcePath;
    // Used as the pieces' path prefix exactly as given, so it ends in a separator (or is empty
    // for the current directory).
    std::string TargetDir;
    int LineCount = 3000; // 1 or more
    // Sizes that keep the buffers in the processor's cache (bench/split_bench.sh).
    std::size_t ReadBufferSize = 128 * 1024;
    std::size_t WriteBufferSize = 512 * 1024;
};

// Runs the split and returns when it is over. Reports are given on the calling thread, in order;
// a full piece is reported once it is closed. (The piece files are written by a helper thread, so
// that reading the source and writing the pieces overlap.) Returns the failure that stopped the
// split, if any: then every file the split had open is closed, the pieces written so far stay as
// they are, and no Done report is given. Throws std::invalid_argument for a line count below 1.
std::optional<TSplitError> RunSplit(const TSplitJob& job, TFileSystem& files, const TSplitReporter& report);

} // namespace orvo

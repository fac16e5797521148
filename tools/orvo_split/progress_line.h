#pragma once
// The progress line of orvo-split on standard error: how much of the source is read, the speed,
// the time taken and the time left, redrawn in place (carriage return) at most ten times a
// second, so that following it costs the split nothing.
#include "core/split/split_engine.h"
#include "tools/orvo_split/split_command.h"

#include <chrono>
#include <cstddef>
#include <string>

namespace orvo {

// One state of the line: " 42.0%  123.4 MiB/s  已用 0:05  剩余 0:07"; with the size unknown,
// "1234.5 MiB  123.4 MiB/s  已用 0:05".
std::string ProgressText(const TSplitProgress& progress, double elapsedSeconds);

// The columns a line of UTF-8 text takes on a terminal (Chinese characters take two).
std::size_t TerminalColumns(std::string_view text);

class TProgressLine {
public:
    using TClock = std::chrono::steady_clock;
    static constexpr TClock::duration Interval = std::chrono::milliseconds(100);

    TProgressLine(TTextSink err, TClock::time_point start) : FErr(std::move(err)), FStart(start) {}

    // Redraws the line if the last drawing is at least Interval old.
    void Update(const TSplitProgress& progress, TClock::time_point now);
    // Blanks the line, for other output on the same screen; the next Update draws it again.
    void Clear();
    // Draws the last state and ends the line.
    void Finish(TClock::time_point now);

private:
    void Draw(TClock::time_point now);

    TTextSink FErr;
    TClock::time_point FStart;
    TClock::time_point FDrawn{};
    bool FEverDrawn = false;
    std::size_t FColumns = 0; // of the line on the screen, 0 when blank
    TSplitProgress FLast;
};

} // namespace orvo

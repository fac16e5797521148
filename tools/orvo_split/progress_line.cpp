#include "tools/orvo_split/progress_line.h"

#include <cstdio>

namespace orvo {

namespace {

constexpr double MiB = 1024.0 * 1024.0;

std::string Duration(double seconds) {
    const long long whole = seconds < 0 ? 0 : static_cast<long long>(seconds + 0.5);
    char text[32];
    if (whole >= 3600)
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60, whole % 60);
    else
        std::snprintf(text, sizeof text, "%lld:%02lld", whole / 60, whole % 60);
    return text;
}

} // namespace

std::string ProgressText(const TSplitProgress& progress, double elapsedSeconds) {
    const double done = static_cast<double>(progress.Done);
    const double speed = elapsedSeconds > 0 ? done / elapsedSeconds : 0;
    char text[128];
    if (progress.Total > 0) {
        const double total = static_cast<double>(progress.Total);
        const double percent = progress.Done >= progress.Total ? 100.0 : 100.0 * done / total;
        std::snprintf(text, sizeof text, "%5.1f%%  %.1f MiB/s  已用 ", percent, speed / MiB);
        std::string line(text);
        line += Duration(elapsedSeconds);
        line += "  剩余 ";
        // A speed measured over less than a moment says little about the time left.
        if (progress.Done >= progress.Total)
            line += Duration(0);
        else if (speed > 0 && elapsedSeconds >= 0.2)
            line += Duration((total - done) / speed);
        else
            line += "-:--";
        return line;
    }
    std::snprintf(text, sizeof text, "%.1f MiB  %.1f MiB/s  已用 ", done / MiB, speed / MiB);
    std::string line(text);
    line += Duration(elapsedSeconds);
    return line;
}

std::size_t TerminalColumns(std::string_view text) {
    std::size_t columns = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) ++columns;
        else if (byte >= 0xE0) columns += 2; // the lead byte of a character from U+0800 on
        else if (byte >= 0xC0) ++columns;
    }
    return columns;
}

void TProgressLine::Update(const TSplitProgress& progress, TClock::time_point now) {
    FLast = progress;
    if (FEverDrawn && now - FDrawn < Interval) return;
    Draw(now);
}

void TProgressLine::Clear() {
    if (FColumns == 0) return;
    std::string blank(FColumns + 2, ' ');
    blank.front() = blank.back() = '\r';
    FErr(blank);
    FColumns = 0;
    FDrawn = {}; // drawn again at the next update
}

void TProgressLine::Finish(TClock::time_point now) {
    Draw(now);
    FErr("\n");
    FColumns = 0;
}

void TProgressLine::Draw(TClock::time_point now) {
    const std::string line = ProgressText(FLast, std::chrono::duration<double>(now - FStart).count());
    const std::size_t columns = TerminalColumns(line);
    // Spaces blank what is left of a longer line drawn before.
    std::string text = "\r";
    text += line;
    text.append(FColumns > columns ? FColumns - columns : 0, ' ');
    FErr(text);
    FColumns = columns;
    FDrawn = now;
    FEverDrawn = true;
}

} // namespace orvo

#pragma once
// The orvo-split command: arguments in, reports out, an exit code back.
#include <atomic>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvo {

enum TSplitExitCode : int {
    ExitSuccess = 0,
    ExitUsage = 1,     // bad arguments
    ExitIoFailure = 2, // the split could not be done; stderr says what failed, where and why
    ExitStopped = 3,   // stopped on request (Ctrl-C): the finished pieces stay
};
// verify: 0 when every piece holds, ExitUsage (1) otherwise.

using TTextSink = std::function<void(std::string_view text)>;

// What the command's output goes to: a progress line is shown by default on a terminal only, and
// blanked before each report when both streams are on the same screen.
struct TCommandStreams {
    TTextSink Out;
    TTextSink Err;
    bool OutIsTerminal = false;
    bool ErrIsTerminal = false;
    const std::atomic<bool>* Stop = nullptr; // set to stop a split, verify or join
};

// Runs `orvo-split [options] SOURCE [TARGET_DIR]` with the arguments after the program name.
int RunSplitCommand(const std::vector<std::string>& arguments, const TCommandStreams& streams);
inline int RunSplitCommand(const std::vector<std::string>& arguments, const TTextSink& out, const TTextSink& err) {
    return RunSplitCommand(arguments, TCommandStreams{out, err});
}

} // namespace orvo

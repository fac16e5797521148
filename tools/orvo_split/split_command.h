#pragma once
// The orvo-split command: arguments in, reports out, an exit code back.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvo {

enum TSplitExitCode : int {
    ExitSuccess = 0,
    ExitUsage = 1,     // bad arguments
    ExitIoFailure = 2, // the split could not be done; stderr says what failed, where and why
};

using TTextSink = std::function<void(std::string_view text)>;

// Runs `orvo-split [--lines N] SOURCE [TARGET_DIR]` with the arguments after the program name.
int RunSplitCommand(const std::vector<std::string>& arguments, const TTextSink& out, const TTextSink& err);

} // namespace orvo

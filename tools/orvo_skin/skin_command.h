// The orvo-skin command: builds, takes apart and checks skin store files (.skn).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvo {

enum TSkinExitCode : int {
    SkinExitOk = 0,
    SkinExitUsage = 1,  // bad arguments
    SkinExitFailed = 2, // bad input, an I/O failure, or a check that found errors; stderr says which
};

using TSkinTextSink = std::function<void(std::string_view text)>;

// Runs `orvo-skin COMMAND ARGS...` with the arguments after the program name (UTF-8).
int RunSkinCommand(const std::vector<std::string>& arguments, const TSkinTextSink& out,
                   const TSkinTextSink& err);

} // namespace orvo

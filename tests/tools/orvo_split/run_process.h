#pragma once
// Runs a program with arguments and collects its exit code and output bytes.
#include <filesystem>
#include <string>
#include <vector>

namespace orvo::test {

struct TProcessResult {
    int ExitCode = -1;
    std::string Out;
    std::string Err;
};

// `program` is started directly (no shell); `scratch` is a directory for the captured output.
TProcessResult RunProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                          const std::filesystem::path& scratch);

#ifndef _WIN32
// The same with standard error on a terminal of its own (a pseudo-terminal); Err is what the
// program wrote to it, as the terminal passed it on.
TProcessResult RunWithTerminalErr(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                                  const std::filesystem::path& scratch);
#endif

// The directory of the running test program.
std::filesystem::path OwnDirectory();

} // namespace orvo::test

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

// The directory of the running test program.
std::filesystem::path OwnDirectory();

} // namespace orvo::test

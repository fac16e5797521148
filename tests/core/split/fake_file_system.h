#pragma once
// An in-memory file system for the split tests: reads in chunks of a chosen size, counts every
// call, can make the n-th call of any operation fail, and knows which files are still open.
// Files are created, written and closed on one thread and read on another.
#include "platform/file_system.h"

#include <array>
#include <cstddef>
#include <map>
#include <mutex>
#include <string>

namespace orvo::test {

enum class TFakeOp { Create, Open, Read, Write, CloseInput, CloseOutput, Count };

class TFakeFileSystem final : public TFileSystem {
public:
    static constexpr int FailureCode = 5;
    static constexpr const char* FailureMessage = "Injected failure";

    std::map<std::string, std::string> Files;
    std::size_t MaxReadChunk = static_cast<std::size_t>(-1); // a Read returns at most this much

    // The n-th call (1-based) of `op` fails.
    void FailAt(TFakeOp op, int nth) { FFailAt[Index(op)] = nth; }
    int Calls(TFakeOp op) const {
        std::lock_guard lock(FLock);
        return FCalls[Index(op)];
    }
    int OpenFiles() const {
        std::lock_guard lock(FLock);
        return FOpenFiles;
    }

    std::unique_ptr<TInputFile> OpenRead(const std::string& path, TSystemError& error) override;
    std::unique_ptr<TOutputFile> Create(const std::string& path, TSystemError& error) override;

    // Counts the call; false (with the injected error) when this one is to fail.
    bool Pass(TFakeOp op, TSystemError& error);
    void Released() {
        std::lock_guard lock(FLock);
        --FOpenFiles;
    }

private:
    static std::size_t Index(TFakeOp op) { return static_cast<std::size_t>(op); }

    std::array<int, static_cast<std::size_t>(TFakeOp::Count)> FCalls{};
    std::array<int, static_cast<std::size_t>(TFakeOp::Count)> FFailAt{};
    int FOpenFiles = 0;
    mutable std::mutex FLock; // the split reads on its thread and writes on another
};

} // namespace orvo::test

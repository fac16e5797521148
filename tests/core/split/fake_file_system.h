#pragma once
// An in-memory file system for the split tests: reads in chunks of a chosen size, counts every
// call, can make the n-th call of any operation fail, and knows which files are still open.
// Files are created, written and closed on one thread and read on another.
#include "platform/file_system.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace orvo::test {

enum class TFakeOp { Create, Open, Read, Write, CloseInput, CloseOutput, Rename, Remove, Count };

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
    std::unique_ptr<TOutputFile> CreateNew(const std::string& path, TSystemError& error) override;
    bool Rename(const std::string& from, const std::string& to, TSystemError& error) override;
    bool Remove(const std::string& path, TSystemError& error) override;
    // The names in "dir/" (paths are "dir/name"; "" lists the names without a folder).
    bool ListDirectory(const std::string& path, std::vector<std::string>& names, TSystemError& error) override;
    // A file's identity is its path.
    bool Status(const std::string& path, TFileStatus& status, TSystemError& error) override;
    // Writes past this many bytes in all fail as a full disk would (after writing what fits).
    std::size_t DiskSpace = static_cast<std::size_t>(-1);

    // Counts the call; false (with the injected error) when this one is to fail.
    bool Pass(TFakeOp op, TSystemError& error);
    // Takes `size` bytes of the disk; false (a full disk) when they do not all fit, after
    // taking what does (`fits`).
    bool Reserve(std::size_t size, std::size_t& fits) {
        std::lock_guard lock(FLock);
        fits = std::min(size, DiskSpace - FUsedSpace);
        FUsedSpace += fits;
        return fits == size;
    }
    // Caller holds the lock.
    void Freed(std::size_t size) { FUsedSpace -= std::min(FUsedSpace, size); }
    void Released() {
        std::lock_guard lock(FLock);
        --FOpenFiles;
    }

private:
    static std::size_t Index(TFakeOp op) { return static_cast<std::size_t>(op); }

    std::array<int, static_cast<std::size_t>(TFakeOp::Count)> FCalls{};
    std::array<int, static_cast<std::size_t>(TFakeOp::Count)> FFailAt{};
    int FOpenFiles = 0;
    std::size_t FUsedSpace = 0;
    mutable std::mutex FLock; // the split reads on its thread and writes on another
};

} // namespace orvo::test

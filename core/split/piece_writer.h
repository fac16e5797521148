#pragma once
// One piece file at a time, written through a large buffer so that a piece costs a few big writes.
#include "core/split/split_error.h"
#include "platform/file_system.h"

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>

namespace orvo {

class TPieceWriter {
public:
    explicit TPieceWriter(std::size_t bufferSize);
    ~TPieceWriter() { Abandon(); }
    TPieceWriter(const TPieceWriter&) = delete;
    TPieceWriter& operator=(const TPieceWriter&) = delete;

    bool Create(TFileSystem& files, std::string path, TSplitError& error);

    bool Append(const char* data, std::size_t size, TSplitError& error) {
        if (size <= FCapacity - FUsed) {
            std::memcpy(FBuffer.get() + FUsed, data, size);
            FUsed += size;
            return true;
        }
        return AppendLarge(data, size, error);
    }

    bool AppendLineEnd(TSplitError& error) {
        if (FCapacity - FUsed >= 2) {
            FBuffer[FUsed] = '\r';
            FBuffer[FUsed + 1] = '\n';
            FUsed += 2;
            return true;
        }
        return AppendLarge("\r\n", 2, error);
    }

    // Writes out what is buffered and closes the file; the file is released even when this fails.
    bool Close(TSplitError& error);

    // After a failure elsewhere: keeps what was written (buffered lines included, unless writing
    // is what failed), closes the file and ignores further errors.
    void Abandon() noexcept;

    bool IsOpen() const { return FFile != nullptr; }
    const std::string& Path() const { return FPath; }

private:
    bool AppendLarge(const char* data, std::size_t size, TSplitError& error);
    bool Flush(TSplitError& error);
    bool WriteOut(const char* data, std::size_t size, TSplitError& error);

    std::unique_ptr<char[]> FBuffer;
    std::size_t FCapacity;
    std::size_t FUsed = 0;
    std::unique_ptr<TOutputFile> FFile;
    std::string FPath;
    bool FWriteFailed = false;
};

} // namespace orvo

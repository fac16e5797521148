#include "core/split/piece_writer.h"

#include <algorithm>

namespace orvo {

TPieceWriter::TPieceWriter(std::size_t bufferSize)
    : FBuffer(std::make_unique<char[]>(std::max<std::size_t>(bufferSize, 2))),
      FCapacity(std::max<std::size_t>(bufferSize, 2)) {}

bool TPieceWriter::Create(TFileSystem& files, std::string path, TSplitError& error) {
    Abandon();
    FPath = std::move(path);
    FUsed = 0;
    FWriteFailed = false;
    TSystemError system;
    FFile = files.Create(FPath, system);
    if (FFile) return true;
    error = {TSplitAction::Create, FPath, std::move(system)};
    return false;
}

bool TPieceWriter::WriteOut(const char* data, std::size_t size, TSplitError& error) {
    TSystemError system;
    if (FFile->Write(data, size, system)) return true;
    FWriteFailed = true;
    error = {TSplitAction::Write, FPath, std::move(system)};
    return false;
}

bool TPieceWriter::Flush(TSplitError& error) {
    if (FUsed == 0) return true;
    const std::size_t used = FUsed;
    FUsed = 0;
    return WriteOut(FBuffer.get(), used, error);
}

bool TPieceWriter::AppendLarge(const char* data, std::size_t size, TSplitError& error) {
    // Fill the buffer up, then write whole buffers; a run at least a buffer long goes straight
    // from the caller's memory to the file.
    const std::size_t room = FCapacity - FUsed;
    std::memcpy(FBuffer.get() + FUsed, data, room);
    FUsed += room;
    data += room;
    size -= room;
    if (!Flush(error)) return false;
    if (size >= FCapacity) return WriteOut(data, size, error);
    std::memcpy(FBuffer.get(), data, size);
    FUsed = size;
    return true;
}

bool TPieceWriter::Close(TSplitError& error) {
    if (!Flush(error)) {
        Abandon();
        return false;
    }
    TSystemError system;
    const bool closed = FFile->Close(system);
    FFile.reset();
    if (!closed) error = {TSplitAction::Close, FPath, std::move(system)};
    return closed;
}

void TPieceWriter::Abandon() noexcept {
    if (!FFile) return;
    TSystemError ignored;
    if (!FWriteFailed && FUsed > 0) FFile->Write(FBuffer.get(), FUsed, ignored);
    FUsed = 0;
    FFile->Close(ignored);
    FFile.reset();
}

} // namespace orvo

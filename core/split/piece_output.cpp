#include "core/split/piece_output.h"

#include <algorithm>
#include <cstring>
#include <exception>

namespace orvo {

TPieceOutput::TPieceOutput(TFileSystem& files, std::size_t bufferSize, std::size_t bufferCount)
    : FFiles(files), FCapacity(std::max<std::size_t>(bufferSize, 1)) {
    for (std::size_t i = 0; i < std::max<std::size_t>(bufferCount, 2); ++i) {
        FBuffers.push_back(std::make_unique<char[]>(FCapacity + LineCopySlack));
        FCapacities.push_back(FCapacity);
        if (i > 0) FFree.push_back(i);
    }
    FWriter = std::thread([this] { WriterLoop(); });
}

TPieceOutput::~TPieceOutput() {
    Abandon();
    Queue({TKind::Stop, {}});
    FWriter.join();
}

void TPieceOutput::Queue(TCommand command) {
    Queue(&command, 1);
}

// Several commands go in under one lock and one wake-up of the writer.
void TPieceOutput::Queue(TCommand* commands, std::size_t count) {
    {
        std::lock_guard lock(FLock);
        for (std::size_t i = 0; i < count; ++i)
            FQueue.push_back(std::move(commands[i]));
        FPending += count;
        FAsked += count;
    }
    FWork.notify_one();
}

TPieceOutput::TCommand TPieceOutput::HandOver(std::size_t keep) {
    return {TKind::Write, {}, Begin(), std::min(keep, FUsed), FCurrent};
}

// The next buffer to fill, starting with the bytes of the last one from `keep` on. The writer may
// have been so quick that it is the same buffer again.
void TPieceOutput::TakeFreeBuffer(std::size_t keep) {
    const std::size_t last = FCurrent;
    const std::size_t carry = FUsed - keep;
    {
        std::unique_lock lock(FLock);
        FDone.wait(lock, [this] { return !FFree.empty(); });
        FCurrent = FFree.back();
        FFree.pop_back();
    }
    if (FCurrent != last) {
        // Back to the usual size, unless the carried bytes need a grown one.
        std::size_t capacity = FCapacity;
        while (capacity < carry)
            capacity *= 2;
        if (FCapacities[FCurrent] != capacity) {
            FBuffers[FCurrent] = std::make_unique<char[]>(capacity + LineCopySlack);
            FCapacities[FCurrent] = capacity;
        }
    }
    if (carry > 0) std::memmove(Begin(), FBuffers[last].get() + keep, carry);
    FUsed = carry;
}

bool TPieceOutput::Create(std::string path) {
    Queue({TKind::Create, std::move(path)});
    return !Failed();
}

bool TPieceOutput::Flush(std::size_t keep) {
    keep = std::min(keep, FUsed);
    if (keep == 0) return !Failed();
    Queue(HandOver(keep));
    TakeFreeBuffer(keep);
    return !Failed();
}

bool TPieceOutput::Close() {
    Flush();
    Queue({TKind::Close, {}});
    return !Failed();
}

bool TPieceOutput::Replace(std::string path, std::size_t keep) {
    keep = std::min(keep, FUsed);
    TCommand commands[] = {HandOver(keep),
                           {TKind::Close, {}},
                           {TKind::Create, std::move(path)},
                           {TKind::Write, {}, FPrefix.data(), FPrefix.size()}};
    const std::size_t first = keep == 0 ? 1 : 0;
    const std::size_t count = FPrefix.empty() ? 3 : 4;
    Queue(commands + first, count - first);
    if (keep > 0) TakeFreeBuffer(keep);
    return !Failed();
}

bool TPieceOutput::Finish() {
    std::unique_lock lock(FLock);
    FDone.wait(lock, [this] { return FPending == 0; });
    return !Failed();
}

bool TPieceOutput::WriteSpan(const char* data, std::size_t size) {
    if (!Flush()) return false;
    if (size > 0) Queue({TKind::Write, {}, data, size});
    return !Failed();
}

void TPieceOutput::WaitWritten(std::uint64_t asked) {
    std::unique_lock lock(FLock);
    FDone.wait(lock, [&] { return FWritten >= asked; });
}

bool TPieceOutput::Grow(std::size_t most) {
    const std::size_t capacity = FCapacities[FCurrent];
    if (capacity >= most / 2) return false;
    auto grown = std::make_unique<char[]>(2 * capacity + LineCopySlack);
    std::memcpy(grown.get(), Begin(), FUsed);
    FBuffers[FCurrent] = std::move(grown);
    FCapacities[FCurrent] = 2 * capacity;
    return true;
}

void TPieceOutput::Abandon() noexcept {
    if (FStopped) return;
    FStopped = true;
    Flush();
    Queue({TKind::Discard, {}});
    Finish();
}

std::size_t TPieceOutput::ClosedCount() {
    std::lock_guard lock(FLock);
    return FClosed;
}

void TPieceOutput::Fail(TSplitAction action, TSystemError system) {
    std::lock_guard lock(FLock);
    FError = {action, FPath, std::move(system)};
    FFailed.store(true, std::memory_order_release);
}

void TPieceOutput::Execute(const TCommand& command) {
    TSystemError system;
    switch (command.Kind) {
    case TKind::Create:
        if (Failed()) return;
        FPath = command.Path;
        FOpenFacts = {};
        if (FKeepChecksums) FChecksum.Reset();
        FFile = FExclusive ? FFiles.CreateNew(FPath, system) : FFiles.Create(FPath, system);
        if (!FFile) Fail(TSplitAction::Create, std::move(system));
        return;
    case TKind::Write:
        if (Failed() || !FFile || command.Size == 0) return;
        // Counted before it is written: after a failure, the facts are what the piece was meant to hold.
        FOpenFacts.Size += command.Size;
        if (FKeepChecksums) FChecksum.Update(command.Data, command.Size);
        if (!FFile->Write(command.Data, command.Size, system)) Fail(TSplitAction::Write, std::move(system));
        return;
    case TKind::Close:
        if (!FFile) return;
        if (FKeepChecksums) FOpenFacts.Checksum = FChecksum.Digest();
        if (FFile->Close(system)) {
            FFile.reset();
            if (Failed()) return;
            FClosedFacts.push_back(FOpenFacts);
            FOpenFacts = {};
            std::lock_guard lock(FLock);
            ++FClosed;
        } else {
            FFile.reset();
            if (!Failed()) Fail(TSplitAction::Close, std::move(system));
        }
        return;
    case TKind::Discard:
        if (FKeepChecksums && FFile) FOpenFacts.Checksum = FChecksum.Digest();
        if (FFile) FFile->Close(system);
        FFile.reset();
        return;
    case TKind::Stop:
        return;
    }
}

void TPieceOutput::WriterLoop() {
    for (;;) {
        TCommand command;
        {
            std::unique_lock lock(FLock);
            FWork.wait(lock, [this] { return !FQueue.empty(); });
            command = std::move(FQueue.front());
            FQueue.pop_front();
        }
        try {
            Execute(command);
        } catch (const std::exception& e) {
            // Nothing may escape the thread; the split stops as for any failure.
            if (!Failed())
                Fail(command.Kind == TKind::Create ? TSplitAction::Create : TSplitAction::Write,
                     {0, e.what()});
        }
        {
            std::lock_guard lock(FLock);
            if (command.Buffer != NoBuffer) FFree.push_back(command.Buffer);
            --FPending;
            ++FWritten;
        }
        FDone.notify_all();
        if (command.Kind == TKind::Stop) return;
    }
}

} // namespace orvo

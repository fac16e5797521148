#include "core/split/piece_output.h"

#include <algorithm>
#include <exception>

namespace orvo {

TPieceOutput::TPieceOutput(TFileSystem& files, std::size_t bufferSize, std::size_t bufferCount)
    : FFiles(files), FCapacity(std::max<std::size_t>(bufferSize, 1)) {
    for (std::size_t i = 0; i < std::max<std::size_t>(bufferCount, 2); ++i) {
        FBuffers.push_back(std::make_unique<char[]>(FCapacity + LineCopySlack));
        if (i > 0) FFree.push_back(i);
    }
    FWriter = std::thread([this] { WriterLoop(); });
}

TPieceOutput::~TPieceOutput() {
    Abandon();
    Queue({TKind::Stop, {}, 0, 0});
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
    }
    FWork.notify_one();
}

void TPieceOutput::TakeFreeBuffer() {
    std::unique_lock lock(FLock);
    FDone.wait(lock, [this] { return !FFree.empty(); });
    FCurrent = FFree.back();
    FFree.pop_back();
    FUsed = 0;
}

bool TPieceOutput::Create(std::string path) {
    Queue({TKind::Create, std::move(path), 0, 0});
    return !Failed();
}

bool TPieceOutput::Flush() {
    if (FUsed > 0) {
        Queue({TKind::Write, {}, FCurrent, FUsed});
        TakeFreeBuffer();
    }
    return !Failed();
}

bool TPieceOutput::Close() {
    Flush();
    Queue({TKind::Close, {}, 0, 0});
    return !Failed();
}

bool TPieceOutput::Replace(std::string path) {
    TCommand commands[] = {{TKind::Write, {}, FCurrent, FUsed},
                           {TKind::Close, {}, 0, 0},
                           {TKind::Create, std::move(path), 0, 0}};
    if (FUsed == 0) {
        Queue(commands + 1, 2);
        return !Failed();
    }
    Queue(commands, 3);
    TakeFreeBuffer();
    return !Failed();
}

bool TPieceOutput::Finish() {
    std::unique_lock lock(FLock);
    FDone.wait(lock, [this] { return FPending == 0; });
    return !Failed();
}

void TPieceOutput::Abandon() noexcept {
    if (FStopped) return;
    FStopped = true;
    Flush();
    Queue({TKind::Discard, {}, 0, 0});
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
        FFile = FFiles.Create(FPath, system);
        if (!FFile) Fail(TSplitAction::Create, std::move(system));
        return;
    case TKind::Write:
        if (Failed() || !FFile) return;
        if (!FFile->Write(FBuffers[command.Buffer].get(), command.Size, system))
            Fail(TSplitAction::Write, std::move(system));
        return;
    case TKind::Close:
        if (!FFile) return;
        if (FFile->Close(system)) {
            FFile.reset();
            if (Failed()) return;
            std::lock_guard lock(FLock);
            ++FClosed;
        } else {
            FFile.reset();
            if (!Failed()) Fail(TSplitAction::Close, std::move(system));
        }
        return;
    case TKind::Discard:
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
            if (command.Kind == TKind::Write) FFree.push_back(command.Buffer);
            --FPending;
        }
        FDone.notify_all();
        if (command.Kind == TKind::Stop) return;
    }
}

} // namespace orvo

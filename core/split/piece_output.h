#pragma once
// The pieces being written. The split fills one buffer while a writer thread creates, writes and
// closes the piece files in the order asked, so scanning the source and the system's work on the
// pieces overlap. A failure of the writer stops all further writing; the split sees it at its
// next request and stops too.
#include "core/split/line_copy.h"
#include "core/split/split_error.h"
#include "platform/file_system.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace orvo {

class TPieceOutput {
public:
    TPieceOutput(TFileSystem& files, std::size_t bufferSize, std::size_t bufferCount = 3);
    ~TPieceOutput();
    TPieceOutput(const TPieceOutput&) = delete;
    TPieceOutput& operator=(const TPieceOutput&) = delete;

    // The buffer being filled: Tail() is where the next byte goes, Limit() where it counts as
    // full; there is room for LineCopySlack bytes past the limit.
    char* Tail() { return FBuffers[FCurrent].get() + FUsed; }
    char* Limit() { return FBuffers[FCurrent].get() + FCapacity; }
    void Commit(char* tail) { FUsed = static_cast<std::size_t>(tail - FBuffers[FCurrent].get()); }

    // Each returns false once the writer has failed.
    bool Create(std::string path);  // the next piece
    bool Flush();                   // hands the buffer over and takes an empty one
    bool Close();                   // flushes and closes the current piece
    bool Replace(std::string path); // Close() and Create(path) at once
    bool Finish();                  // waits until all that was asked is done

    // After a failure: writes what is buffered (unless writing failed), closes the open piece,
    // ignores further errors and waits for the writer.
    void Abandon() noexcept;

    // How many pieces Close() and Replace() have closed so far.
    std::size_t ClosedCount();
    bool Failed() const { return FFailed.load(std::memory_order_acquire); }
    const TSplitError& Error() const { return FError; } // valid once Failed()

private:
    enum class TKind { Create, Write, Close, Discard, Stop };
    struct TCommand {
        TKind Kind;
        std::string Path;       // Create
        std::size_t Buffer = 0; // Write
        std::size_t Size = 0;   // Write
    };

    void Queue(TCommand command);
    void Queue(TCommand* commands, std::size_t count);
    void TakeFreeBuffer();
    void WriterLoop();
    void Execute(const TCommand& command);
    void Fail(TSplitAction action, TSystemError system);

    TFileSystem& FFiles;
    std::size_t FCapacity;
    std::vector<std::unique_ptr<char[]>> FBuffers;
    std::size_t FCurrent = 0; // the buffer the split fills
    std::size_t FUsed = 0;

    std::mutex FLock;
    std::condition_variable FWork; // commands queued
    std::condition_variable FDone; // commands done, buffers free
    std::deque<TCommand> FQueue;
    std::vector<std::size_t> FFree;
    std::size_t FPending = 0; // queued and not yet done
    std::size_t FClosed = 0;
    std::atomic<bool> FFailed{false};
    TSplitError FError;
    bool FStopped = false;

    // Used by the writer thread only.
    std::unique_ptr<TOutputFile> FFile;
    std::string FPath;

    std::thread FWriter; // last: starts once everything above exists
};

} // namespace orvo

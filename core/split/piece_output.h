#pragma once
// The pieces being written. The split fills one buffer while a writer thread creates, writes and
// closes the piece files in the order asked, so scanning the source and the system's work on the
// pieces overlap. A failure of the writer stops all further writing; the split sees it at its
// next request and stops too.
//
// Every piece that Replace() opens starts with the prefix (the mark and header lines of the
// source), written from the caller's memory. A buffer can be handed over only up to a point, the
// rest carried to the front of the next buffer: that is how a piece is cut at a line end.
#include "core/split/checksum.h"
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
#include <string_view>
#include <thread>
#include <vector>

namespace orvo {

// What was written into one piece: its size, and its checksum when they are kept.
struct TPieceFacts {
    std::uint64_t Size = 0;
    TChecksum Checksum;
};

class TPieceOutput {
public:
    TPieceOutput(TFileSystem& files, std::size_t bufferSize, std::size_t bufferCount = 3);
    ~TPieceOutput();
    TPieceOutput(const TPieceOutput&) = delete;
    TPieceOutput& operator=(const TPieceOutput&) = delete;

    // The buffer being filled: Begin() is its start, Tail() where the next byte goes, Limit()
    // where it counts as full; there is room for LineCopySlack bytes past the limit.
    char* Begin() { return FBuffers[FCurrent].get(); }
    const char* Begin() const { return FBuffers[FCurrent].get(); }
    char* Tail() { return Begin() + FUsed; }
    char* Limit() { return Begin() + FCapacities[FCurrent]; }
    std::size_t Used() const { return FUsed; }
    void Commit(char* tail) { FUsed = static_cast<std::size_t>(tail - Begin()); }

    // What Replace() writes first into each new piece. The memory must stay as it is until the
    // output is finished or the prefix is set again.
    void SetPrefix(std::string_view prefix) { FPrefix = prefix; }
    std::size_t PrefixSize() const { return FPrefix.size(); }

    // Pieces are created only where no file has their name yet.
    void SetExclusive(bool exclusive) { FExclusive = exclusive; }
    // The writer keeps each piece's checksum (before Create).
    void KeepChecksums() { FKeepChecksums = true; }

    // Each returns false once the writer has failed. `keep` is an offset in the buffer: the bytes
    // before it are handed over, those from it on carried to the front of the next buffer.
    bool Create(std::string path);                       // the next piece
    bool Flush() { return Flush(FUsed); }                // hands the buffer over, takes an empty one
    bool Flush(std::size_t keep);
    bool Close();                                        // flushes and closes the current piece
    bool Replace(std::string path) { return Replace(std::move(path), FUsed); }
    bool Replace(std::string path, std::size_t keep);    // closes the piece, opens the next one
    bool Finish();                                       // waits until all that was asked is done

    // Hands over the buffer, then `size` bytes at `data` (the caller's memory, often its read
    // buffer) to be written as they are, without a copy. The memory must stay as it is until
    // WaitWritten(Asked()) returns.
    bool WriteSpan(const char* data, std::size_t size);
    // How many requests have been made so far; waits until the writer is done with that many.
    std::uint64_t Asked() const { return FAsked; }
    void WaitWritten(std::uint64_t asked);

    // Makes the buffer being filled twice as large, keeping what it holds; false when it would
    // pass `most` bytes. The buffer goes back to the usual size once it has been written.
    bool Grow(std::size_t most);

    // After a failure: writes what is buffered (unless writing failed), closes the open piece,
    // ignores further errors and waits for the writer.
    void Abandon() noexcept;

    // How many pieces Close() and Replace() have closed so far.
    std::size_t ClosedCount();
    // What went into each closed piece, in order; once the writer is idle (Finish, Abandon).
    const std::vector<TPieceFacts>& ClosedFacts() const { return FClosedFacts; }
    // What was meant for the piece that was open when the writer failed or was abandoned (the
    // bytes handed to it, whether or not they reached the disk).
    const TPieceFacts& OpenFacts() const { return FOpenFacts; }
    bool Failed() const { return FFailed.load(std::memory_order_acquire); }
    const TSplitError& Error() const { return FError; } // valid once Failed()

private:
    static constexpr std::size_t NoBuffer = static_cast<std::size_t>(-1);
    enum class TKind { Create, Write, Close, Discard, Stop };
    struct TCommand {
        TKind Kind;
        std::string Path;            // Create
        const char* Data = nullptr;  // Write
        std::size_t Size = 0;        // Write
        std::size_t Buffer = NoBuffer; // Write: the buffer to give back once written
    };

    void Queue(TCommand command);
    void Queue(TCommand* commands, std::size_t count);
    TCommand HandOver(std::size_t keep);
    void TakeFreeBuffer(std::size_t keep);
    void WriterLoop();
    void Execute(const TCommand& command);
    void Fail(TSplitAction action, TSystemError system);

    TFileSystem& FFiles;
    const std::size_t FCapacity; // of every buffer that has not grown
    std::vector<std::unique_ptr<char[]>> FBuffers;
    std::vector<std::size_t> FCapacities; // changed by the filling side only, for its own buffer
    std::size_t FCurrent = 0; // the buffer the split fills
    std::size_t FUsed = 0;
    std::string_view FPrefix;

    std::mutex FLock;
    std::condition_variable FWork; // commands queued
    std::condition_variable FDone; // commands done, buffers free
    std::deque<TCommand> FQueue;
    std::vector<std::size_t> FFree;
    std::size_t FPending = 0; // queued and not yet done
    std::uint64_t FAsked = 0;   // queued, ever
    std::uint64_t FWritten = 0; // done, ever
    std::size_t FClosed = 0;
    std::atomic<bool> FFailed{false};
    TSplitError FError;
    bool FStopped = false;

    bool FExclusive = false;
    bool FKeepChecksums = false;

    // Used by the writer thread only (and read once it is idle).
    std::unique_ptr<TOutputFile> FFile;
    std::string FPath;
    TChecksumState FChecksum;
    TPieceFacts FOpenFacts;
    std::vector<TPieceFacts> FClosedFacts;

    std::thread FWriter; // last: starts once everything above exists
};

} // namespace orvo

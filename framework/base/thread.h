// TThread: Execute() on a thread of its own.
//
//     class TWorker : public TThread {
//     protected:
//         void Execute() override { while (!Terminated()) ...; }
//     };
//     auto* w = new TWorker;   // created suspended
//     w->Start();
//     ... w->WaitFor(); delete w;   // or FreeOnTerminate = true before Start, and forget it
//
// An exception that ends Execute is kept (FatalException, FatalMessage) instead of ending the
// program. Delete a started thread only after it has finished (Terminate(), then WaitFor()):
// a derived class's members die before the base destructor could wait, so the base only waits
// as a last resort. Deleting one that was never started is fine. With FreeOnTerminate the object
// deletes itself when Execute ends: do not touch it after Start then.
#pragma once

#include "framework/base/object.h"

#include <atomic>
#include <cstdint>
#include <exception>
#include <string>
#include <windows.h>

namespace orvo {

class TThread : public TObject {
    ORVO_CLASS(TThread, TObject)
public:
    TThread();
    ~TThread() override;

    // Begins Execute on a new thread; once only. Throws EThread when the system refuses.
    void Start();
    void Terminate() noexcept { FTerminated = true; }
    bool Terminated() const noexcept { return FTerminated; }
    bool Started() const noexcept { return FHandle != nullptr; }
    bool Finished() const noexcept { return FFinished; }
    // Waits for the end of Execute and returns ReturnValue. Messages sent to this thread's windows
    // from other threads are delivered while it waits, so a worker that reports with SendMessage
    // cannot dead-lock a waiting user-interface thread. Throws EThread if never started.
    std::uint32_t WaitFor();

    HANDLE Handle() const noexcept { return FHandle; }
    DWORD ThreadID() const noexcept { return FThreadID; }
    // The exception that ended Execute, if any, and its message; read them once Finished().
    std::exception_ptr FatalException() const noexcept { return FFatalException; }
    std::wstring FatalMessage() const;

    bool FreeOnTerminate = false;
    std::atomic<std::uint32_t> ReturnValue{0};

    // Creates a T with the arguments and starts it.
    template <class T, class... A> static T* StartNew(A&&... args) {
        T* thread = new T(std::forward<A>(args)...);
        thread->Start();
        return thread;
    }

protected:
    virtual void Execute() = 0;

private:
    static unsigned __stdcall ThreadProc(void* self);

    HANDLE FHandle = nullptr;
    DWORD FThreadID = 0;
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FFinished{false};
    std::exception_ptr FFatalException;
};

} // namespace orvo

#include "framework/base/thread.h"

#include "framework/base/exceptions.h"
#include "framework/base/properties.h"
#include "framework/base/sysutils.h"

#include <process.h>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TThread);

TThread::TThread() = default;

TThread::~TThread() {
    if (!FHandle) return;
    if (GetCurrentThreadId() != FThreadID && !FFinished) {
        Terminate();
        WaitForSingleObject(FHandle, INFINITE);
    }
    CloseHandle(FHandle);
}

void TThread::Start() {
    if (FHandle) throw EThread(L"Cannot call Start on a running or finished thread");
    unsigned id = 0;
    // Suspended until the handle and id are stored: a FreeOnTerminate thread may end at once.
    const std::uintptr_t handle = _beginthreadex(nullptr, 0, &ThreadProc, this, CREATE_SUSPENDED, &id);
    if (!handle) throw EThread(L"Thread creation error: " + SysErrorMessage(GetLastError()));
    FHandle = reinterpret_cast<HANDLE>(handle);
    FThreadID = id;
    ResumeThread(FHandle);
}

unsigned __stdcall TThread::ThreadProc(void* self) {
    auto* thread = static_cast<TThread*>(self);
    try {
        thread->Execute();
    } catch (...) {
        thread->FFatalException = std::current_exception();
    }
    const std::uint32_t result = thread->ReturnValue;
    const bool freeSelf = thread->FreeOnTerminate;
    thread->FFinished = true;
    if (freeSelf) delete thread;
    return result;
}

std::uint32_t TThread::WaitFor() {
    if (!FHandle) throw EThread(L"Cannot wait for a thread that was never started");
    if (GetCurrentThreadId() == FThreadID) throw EThread(L"A thread cannot wait for itself");
    while (MsgWaitForMultipleObjects(1, &FHandle, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE); // delivers the sent messages
    }
    return ReturnValue;
}

std::wstring TThread::FatalMessage() const {
    return ExceptionMessage(FFatalException);
}

} // namespace orvo

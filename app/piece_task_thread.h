// TPieceTaskThread: verify or join the pieces of a manifest on a thread of its own, for the
// window. While it reads it posts WM_SPLIT_PERCENT (0 to 100, as the split worker does); at the end
// it sends WM_PIECE_TASK_DONE with WParam 1 when everything held (0 otherwise) and LParam the
// TPieceTaskResult, valid while the window handles the message.
#pragma once

#include "framework/base/thread.h"

#include <atomic>
#include <string>
#include <vector>
#include <windows.h>

namespace orvo {

constexpr UINT WM_PIECE_TASK_DONE = WM_USER + 68;

struct TPieceTaskResult {
    std::vector<std::wstring> Lines; // the findings, the summary last
};

class TPieceTaskThread : public TThread {
    ORVO_CLASS(TPieceTaskThread, TThread)
public:
    enum TKind { Verify, Join };
    // Created suspended. `output` is the joined file's path (Join only).
    TPieceTaskThread(TKind kind, std::wstring manifest, std::wstring output, HWND wnd);

    TKind Kind() const noexcept { return FKind; }
    void RequestStop() noexcept { FStop.store(true, std::memory_order_relaxed); }

protected:
    void Execute() override;

private:
    // The findings and whether everything held.
    bool Run(TPieceTaskResult& result);

    const TKind FKind;
    const std::wstring FManifest;
    const std::wstring FOutput;
    const HWND FWnd;
    std::atomic<bool> FStop{false};
    int FPercent = -1;
};

} // namespace orvo

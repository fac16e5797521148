// TSplitFileThread: the worker that splits one file and reports each step to a window.
//
// Reports are WM_SPLIT_REPORT messages sent with SendMessageW, so the worker waits while the
// window handles each one and the text (LParam, a zero-terminated UTF-16 string) stays valid for
// the handler. WParam is the report code:
//   SR_PROGRESS  a log line ("准备开始分割", "分割完成：" + the path of a full piece)
//   SR_DONE      the split finished; the text is the target directory
//   SR_FAILED    the split stopped; the text says what failed, on which file, and why
//   SR_STOPPED   the split stopped on request (RequestStop); the text says how many pieces were
//                finished and at which line of the source it stopped. The finished pieces stay,
//                the unfinished one is gone.
// Every run ends with exactly one SR_DONE, SR_FAILED or SR_STOPPED report.
//
// A window that takes many reports may have the SR_PROGRESS lines queued instead (QueueReports):
// the worker then goes on splitting instead of waiting for the window at every piece, and posts
// WM_SPLIT_REPORTS_PENDING whenever the queue fills from empty; the window takes the lines with
// TakeReports() when it likes (no further notice comes until it has). Lines still queued when the
// split ends are sent as usual before the final report, so the order is the same either way.
//
// While it reads the source the worker posts WM_SPLIT_PERCENT with the percentage read (0 to 100)
// in WParam, each time it changes, when the source's size is known.
#pragma once

#include "core/split/split_options.h"
#include "framework/base/thread.h"

#include <atomic>
#include <mutex>
#include <string>
#include <vector>
#include <windows.h>

namespace orvo {

constexpr UINT WM_SPLIT_REPORT = WM_USER + 64;          // 1088
constexpr UINT WM_SPLIT_REPORTS_PENDING = WM_USER + 66; // posted; LParam is the worker
constexpr UINT WM_SPLIT_PERCENT = WM_USER + 67;         // posted; WParam 0 to 100

enum TSplitReport : WPARAM {
    SR_PROGRESS = 0,
    SR_DONE = 1,
    SR_FAILED = 2,
    SR_STOPPED = 3,
};

class TSplitFileThread : public TThread {
    ORVO_CLASS(TSplitFileThread, TThread)
public:
    // Created suspended: Start() runs the split. `saveDir` ends in a backslash: the pieces' paths
    // are saveDir + the names the options' template gives ("<base name>_<number>.txt" by default).
    TSplitFileThread(TSplitOptions options, std::wstring fileName, std::wstring saveDir, HWND wnd);
    // By lines, every other option at its default.
    TSplitFileThread(int lineCount, std::wstring fileName, std::wstring saveDir, HWND wnd);

    const TSplitOptions& Options() const noexcept { return FOptions; }
    int LineCount() const noexcept { return FOptions.LineCount; }
    const std::wstring& FileName() const noexcept { return FFileName; }
    const std::wstring& SaveDir() const noexcept { return FSaveDir; }
    HWND Wnd() const noexcept { return FWnd; }

    // Before Start(): SR_PROGRESS lines go to the queue (see above).
    void QueueReports(bool queue) noexcept { FQueueReports = queue; }
    // The queued lines, oldest first; the queue is empty afterwards. Any thread.
    std::vector<std::wstring> TakeReports();

    // Any thread: the split ends within a few milliseconds with SR_STOPPED (or, when it had just
    // ended, with its own final report).
    void RequestStop() noexcept { FStop.store(true, std::memory_order_relaxed); }

    // The split, on the calling thread.
    void Run();
    // Sends WM_SPLIT_REPORT and returns when the window has handled it.
    void SendReport(TSplitReport code, const std::wstring& text) const;

protected:
    void Execute() override;

private:
    void Progress(std::wstring text);
    void SendQueuedReports();

    const TSplitOptions FOptions;
    const std::wstring FFileName;
    const std::wstring FSaveDir;
    const HWND FWnd;
    bool FQueueReports = false;
    std::mutex FQueueLock;
    std::vector<std::wstring> FQueue;
    int FPercent = -1; // last posted
    std::atomic<bool> FStop{false};
};

} // namespace orvo

#include "app/piece_task_thread.h"

#include "app/split_file_thread.h"
#include "core/settings/split_text.h"
#include "core/split/piece_join.h"
#include "core/split/piece_verify.h"
#include "framework/base/properties.h"
#include "platform/file_system.h"
#include "platform/wide_text.h"

#include <algorithm>
#include <exception>
#include <new>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TPieceTaskThread);

namespace {
constexpr wchar_t JoinFailed[] = L"合并失败：";
constexpr wchar_t OutOfMemoryText[] = L"内存不足，已停止";
} // namespace

TPieceTaskThread::TPieceTaskThread(TKind kind, std::wstring manifest, std::wstring output, HWND wnd)
    : FKind(kind), FManifest(std::move(manifest)), FOutput(std::move(output)), FWnd(wnd) {}

void TPieceTaskThread::Execute() {
    TPieceTaskResult result;
    bool held = false;
    // Whatever ends the task is reported: the window waits for this message to leave its busy state.
    try {
        held = Run(result);
    } catch (const std::bad_alloc&) {
        result.Lines = {OutOfMemoryText};
    } catch (const std::exception& e) {
        result.Lines = {Utf8ToWideForDisplay(e.what())};
    }
    SendMessageW(FWnd, WM_PIECE_TASK_DONE, held ? 1 : 0, reinterpret_cast<LPARAM>(&result));
}

bool TPieceTaskThread::Run(TPieceTaskResult& result) {
    TTaskControl control;
    control.Stop = &FStop;
    control.Progress = [this](const TSplitProgress& progress) {
        if (progress.Total == 0) return;
        const int percent = static_cast<int>(std::min(progress.Done, progress.Total) * 100 / progress.Total);
        if (percent == FPercent) return;
        FPercent = percent;
        PostMessageW(FWnd, WM_SPLIT_PERCENT, static_cast<WPARAM>(percent), 0);
    };
    const std::string manifest = WideToUtf8(FManifest);
    const auto take = [&](const std::vector<std::string>& lines) {
        for (const std::string& line : lines)
            result.Lines.push_back(Utf8ToWideForDisplay(line));
    };
    if (FKind == Verify) {
        TVerifyReport report;
        if (const auto error = VerifyPieces(manifest, NativeFileSystem(), control, report)) {
            result.Lines = {Utf8ToWideForDisplay(error->Text())};
            return false;
        }
        take(VerifyReportLines(report));
        return report.AllHold();
    }
    TJoinReport report;
    if (const auto error = JoinPieces(manifest, WideToUtf8(FOutput), NativeFileSystem(), control, report)) {
        result.Lines = {JoinFailed + Utf8ToWideForDisplay(error->Text())};
        return false;
    }
    take(JoinReportLines(report, WideToUtf8(FOutput)));
    return true;
}

} // namespace orvo

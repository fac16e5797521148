#include "app/split_file_thread.h"

#include "core/split/split_engine.h"
#include "framework/base/properties.h"
#include "platform/file_system.h"
#include "platform/wide_text.h"

#include <exception>
#include <new>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TSplitFileThread);

namespace {
constexpr wchar_t OutOfMemoryText[] = L"内存不足，拆分已停止";
}

TSplitFileThread::TSplitFileThread(int lineCount, std::wstring fileName, std::wstring saveDir, HWND wnd)
    : FLineCount(lineCount), FFileName(std::move(fileName)), FSaveDir(std::move(saveDir)), FWnd(wnd) {}

void TSplitFileThread::Execute() {
    Run();
}

void TSplitFileThread::Run() {
    // Whatever stops the split is reported: the window waits for a final report to leave its
    // splitting state.
    try {
        TSplitJob job;
        job.SourcePath = WideToUtf8(FFileName);
        job.TargetDir = WideToUtf8(FSaveDir);
        job.LineCount = FLineCount;
        const auto report = [this](TSplitReportCode code, const std::string& text) {
            SendReport(code == TSplitReportCode::Done ? SR_DONE : SR_PROGRESS, Utf8ToWideForDisplay(text));
        };
        if (const std::optional<TSplitError> error = RunSplit(job, NativeFileSystem(), report))
            SendReport(SR_FAILED, Utf8ToWideForDisplay(error->Text()));
    } catch (const std::bad_alloc&) {
        SendReport(SR_FAILED, OutOfMemoryText);
    } catch (const std::exception& e) {
        SendReport(SR_FAILED, Utf8ToWideForDisplay(e.what()));
    }
}

void TSplitFileThread::SendReport(TSplitReport code, const std::wstring& text) const {
    SendMessageW(FWnd, WM_SPLIT_REPORT, code, reinterpret_cast<LPARAM>(text.c_str()));
}

} // namespace orvo

#include "app/split_file_thread.h"

#include "core/split/split_engine.h"
#include "framework/base/properties.h"
#include "platform/file_system.h"
#include "platform/wide_text.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <new>
#include <optional>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TSplitFileThread);

namespace {
constexpr wchar_t OutOfMemoryText[] = L"内存不足，拆分已停止";

std::wstring StoppedText(const TSplitSummary& summary) {
    return L"拆分已停止：完成 " + std::to_wstring(summary.Pieces) + L" 个文件，停在源文件第 " +
           std::to_wstring(summary.StoppedAtLine) + L" 行";
}
} // namespace

TSplitFileThread::TSplitFileThread(TSplitOptions options, std::wstring fileName, std::wstring saveDir, HWND wnd)
    : FOptions(std::move(options)), FFileName(std::move(fileName)), FSaveDir(std::move(saveDir)), FWnd(wnd) {}

namespace {
TSplitOptions ByLines(int lineCount) {
    TSplitOptions options;
    options.LineCount = lineCount;
    return options;
}
} // namespace

TSplitFileThread::TSplitFileThread(int lineCount, std::wstring fileName, std::wstring saveDir, HWND wnd)
    : TSplitFileThread(ByLines(lineCount), std::move(fileName), std::move(saveDir), wnd) {}

void TSplitFileThread::Execute() {
    Run();
}

void TSplitFileThread::Run() {
    // Whatever stops the split is reported: the window waits for a final report to leave its
    // splitting state.
    try {
        TSplitJob job;
        static_cast<TSplitOptions&>(job) = FOptions;
        job.SourcePath = WideToUtf8(FFileName);
        job.TargetDir = WideToUtf8(FSaveDir);
        job.Stop = &FStop;
        job.Progress = [this](const TSplitProgress& progress) {
            if (progress.Total == 0) return;
            const int percent = static_cast<int>(std::min<std::uint64_t>(progress.Done, progress.Total) * 100 /
                                                 progress.Total);
            if (percent == FPercent) return;
            FPercent = percent;
            PostMessageW(FWnd, WM_SPLIT_PERCENT, static_cast<WPARAM>(percent), 0);
        };
        std::optional<TSplitError> error;
        TSplitSummary summary;
        {
            const auto report = [this](TSplitReportCode code, const std::string& text) {
                if (code == TSplitReportCode::Progress) {
                    Progress(Utf8ToWideForDisplay(text));
                } else {
                    SendQueuedReports();
                    SendReport(SR_DONE, Utf8ToWideForDisplay(text));
                }
            };
            error = RunSplit(job, NativeFileSystem(), report, &summary);
        }
        if (error) {
            SendQueuedReports();
            SendReport(SR_FAILED, Utf8ToWideForDisplay(error->Text()));
        } else if (summary.Stopped) {
            SendQueuedReports();
            SendReport(SR_STOPPED, StoppedText(summary));
        }
    } catch (const std::bad_alloc&) {
        SendQueuedReports();
        SendReport(SR_FAILED, OutOfMemoryText);
    } catch (const std::exception& e) {
        SendQueuedReports();
        SendReport(SR_FAILED, Utf8ToWideForDisplay(e.what()));
    }
}

void TSplitFileThread::Progress(std::wstring text) {
    if (!FQueueReports) {
        SendReport(SR_PROGRESS, text);
        return;
    }
    bool first = false;
    {
        std::lock_guard lock(FQueueLock);
        first = FQueue.empty();
        FQueue.push_back(std::move(text));
    }
    // One notice for all the lines that gather until the window takes them.
    if (first) PostMessageW(FWnd, WM_SPLIT_REPORTS_PENDING, 0, reinterpret_cast<LPARAM>(this));
}

std::vector<std::wstring> TSplitFileThread::TakeReports() {
    std::lock_guard lock(FQueueLock);
    std::vector<std::wstring> taken;
    taken.swap(FQueue);
    return taken;
}

void TSplitFileThread::SendQueuedReports() {
    for (const std::wstring& text : TakeReports())
        SendReport(SR_PROGRESS, text);
}

void TSplitFileThread::SendReport(TSplitReport code, const std::wstring& text) const {
    SendMessageW(FWnd, WM_SPLIT_REPORT, code, reinterpret_cast<LPARAM>(text.c_str()));
}

} // namespace orvo

// Splitting from the window, timed, while a second thread checks that the window keeps answering:
// every 20 ms it sends WM_NULL (SendMessageTimeout) and records how long the answer took.
// Run by hand under Wine (docs/perf-app.md):
//   orvo_app_split_window_bench.exe SOURCE TARGET_DIR [LINES]
// Prints the split's time (from the click on "立即拆分" to the button enabled again by the final
// report), the number of probes and the slowest answers.
#include "app/about_dlg.h"
#include "app/main_win.h"
#include "app/split_file_thread.h"
#include "app/program.h"
#include "framework/forms/application.h"
#include "tests/framework/support/message_box_answerer.h"
#include "tests/framework/support/pump.h"

#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <string_view>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

struct TProbeResult {
    std::vector<double> Latencies;
    int TimedOut = 0;
    std::atomic<double> DoneAt{-1}; // ms after the click when the final report came
};

// Probes the window until `stop`, timing the answers while the split runs. Sets `done` at the end.
void Probe(HWND window, HWND button, const std::atomic<bool>& stop, std::atomic<bool>& done, TProbeResult& out) {
    while (!stop) {
        const auto sent = Clock::now();
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result)) ++out.TimedOut;
        // Only while splitting: the final question is a window of its own.
        wchar_t caption[16]{};
        GetWindowTextW(button, caption, 16);
        if (out.DoneAt < 0 && std::wstring_view(caption) == L"停止拆分")
            out.Latencies.push_back(Milliseconds(Clock::now() - sent));
        Sleep(20);
    }
    done = true;
}

} // namespace

int main() {
    using namespace orvo;
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 3) {
        std::fprintf(stderr, "usage: orvo_app_split_window_bench SOURCE TARGET_DIR [LINES [bytes:N | pieces:N]]\n");
        return 2;
    }
    StartProgram();
    fMainWin->Show();
    test::PumpUntil([] { return IsWindowVisible(fMainWin->Handle()) != FALSE; });
    // Without a window manager Wine waits up to 2 s for one around a new window's first showing;
    // the split starts after that, as a user's would.
    test::Pump(2500);

    fMainWin->edtFileToSplit->SetText(argv[1]);
    fMainWin->edtSaveToDir->SetText(argv[2]);
    fMainWin->edtSplitLineNum->SetText(argc > 3 ? argv[3] : L"3000");
    // Another mode, as the options dialog would set it: by size or into N pieces.
    if (argc > 4) {
        const std::wstring mode = argv[4];
        TSplitOptions options = fMainWin->Options();
        if (mode.rfind(L"bytes:", 0) == 0) {
            options.Mode = TSplitMode::Bytes;
            options.PieceBytes = std::stoull(mode.substr(6));
        } else if (mode.rfind(L"pieces:", 0) == 0) {
            options.Mode = TSplitMode::Pieces;
            options.PieceCount = std::stoi(mode.substr(7));
        }
        fMainWin->SetOptions(options);
        fMainWin->edtSplitLineNum->SetText(argc > 3 ? argv[3] : L"3000");
    }
    test::TMessageBoxAnswerer boxes(IDNO);

    std::atomic<bool> stop{false};
    std::atomic<bool> proberDone{false};
    TProbeResult probes;
    const auto start = Clock::now();
    // The split is over when its final report reaches the window (which enables the button).
    fMainWin->WindowProc = [&probes, start, old = fMainWin->WindowProc](TMessage& m) {
        if (m.Msg == WM_SPLIT_REPORT && m.WParam != SR_PROGRESS && probes.DoneAt < 0)
            probes.DoneAt = Milliseconds(Clock::now() - start);
        old(m);
    };
    std::thread prober(Probe, fMainWin->Handle(), fMainWin->btnSplitNow->Handle(), std::cref(stop),
                       std::ref(proberDone), std::ref(probes));
    SendMessageW(fMainWin->btnSplitNow->Handle(), BM_CLICK, 0, 0);
    // The program's own loop, which sleeps until a message comes, as it does for a user: a loop
    // that looks every few milliseconds would load Wine's server beside the split. A timer once a
    // second only bounds the wait.
    const auto deadline = Clock::now() + std::chrono::minutes(30);
    const UINT_PTR timer = SetTimer(nullptr, 0, 1000, nullptr);
    bool ended = false;
    while (!(ended = fMainWin->Worker() == nullptr && fMainWin->btnSplitNow->Enabled()) && Clock::now() < deadline)
        Application->HandleMessage();
    KillTimer(nullptr, timer);
    // The window answers the last probe only while this thread still pumps its messages.
    stop = true;
    test::PumpUntil([&] { return proberDone.load(); }, 10000);
    prober.join();

    std::vector<double> sorted = probes.Latencies;
    std::sort(sorted.begin(), sorted.end());
    const auto at = [&](double q) {
        return sorted.empty() ? 0.0 : sorted[static_cast<std::size_t>(q * (sorted.size() - 1))];
    };
    std::printf("ended: %s, final questions: %d\n", ended ? "yes" : "NO", boxes.Count());
    std::printf("split time: %.3f s\n", probes.DoneAt / 1000.0);
    std::printf("WM_NULL probes: %zu, timed out: %d, median %.2f ms, p99 %.2f ms, max %.2f ms\n",
                sorted.size(), probes.TimedOut, at(0.5), at(0.99), at(1.0));
    std::printf("log lines at the end: %d\n", fMainWin->MemoLog->Lines()->Count());
    delete fAboutDlg;
    delete fMainWin;
    LocalFree(argv);
    return ended && probes.TimedOut == 0 ? 0 : 1;
}

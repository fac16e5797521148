// The skinned frame's cost on the program's main window against the platform's own frame on the
// same window, in one run: a full non-client repaint (WM_NCPAINT of the whole frame), and a storm of
// 200 resize steps each painted at once. Rounds alternate skinned and native; medians are printed
// with their ratio. Run by hand under Wine (not a test):
//   wine build/win/tests/app/orvo_frame_bench.exe [rounds]
#include "app/main_win.h"
#include "app/program.h"
#include "framework/forms/application.h"
#include "skin/manager/skin_manager.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

using namespace orvo;

namespace {

double Seconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Drain() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double Time(const std::function<void()>& work) {
    Drain();
    GdiFlush();
    const double start = Seconds();
    work();
    GdiFlush();
    return Seconds() - start;
}

void Skinning(bool on) {
    TSkinManage* manager = SkinManager();
    manager->SetPendingSkinData(fMainWin->SkinData1);
    manager->RequestAction(on ? TSkinAction::SwitchOn : TSkinAction::SwitchOff, 1);
    manager->DoPendingAction();
    for (int i = 0; i < 20; ++i) {
        Drain();
        Sleep(5);
    }
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 15;
    StartProgram();
    fMainWin->Show();
    SetForegroundWindow(fMainWin->Handle());
    for (int i = 0; i < 50; ++i) {
        Drain();
        Sleep(10);
    }
    HWND h = fMainWin->Handle();
    const bool skinnedAtStart = SendMessageW(h, 13603, 0, 0) == 1;
    constexpr int Repaints = 200, Steps = 200;

    auto repaint = [h] {
        for (int i = 0; i < Repaints; ++i) SendMessageW(h, WM_NCPAINT, 1, 0);
    };
    auto storm = [h] {
        RECT r{};
        GetWindowRect(h, &r);
        const int w = r.right - r.left, ht = r.bottom - r.top;
        for (int i = 0; i < Steps; ++i) {
            const int d = (i % 20) < 10 ? i % 10 : 10 - i % 10; // grow and shrink by up to 10 pixels
            SetWindowPos(h, nullptr, 0, 0, w + d, ht + d, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            UpdateWindow(h);
        }
        SetWindowPos(h, nullptr, 0, 0, w, ht, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    };

    std::vector<double> skinnedRepaint, nativeRepaint, skinnedStorm, nativeStorm;
    for (int round = 0; round < rounds; ++round) {
        // Alternate which one goes first, so neither always runs on a warmer machine.
        for (int k = 0; k < 2; ++k) {
            const bool skinned = (round + k) % 2 == 0;
            Skinning(skinned);
            if ((SendMessageW(h, 13603, 0, 0) == 1) != skinned) {
                std::printf("the window did not follow the switch\n");
                return 1;
            }
            (skinned ? skinnedRepaint : nativeRepaint).push_back(Time(repaint) / Repaints);
            (skinned ? skinnedStorm : nativeStorm).push_back(Time(storm) / Steps);
        }
    }
    std::printf("skinned at start: %s; %d rounds, %d repaints, %d resize steps\n", skinnedAtStart ? "yes" : "no",
                rounds, Repaints, Steps);
    const double sr = Median(skinnedRepaint), nr = Median(nativeRepaint);
    const double ss = Median(skinnedStorm), ns = Median(nativeStorm);
    std::printf("non-client repaint   skinned %8.1f us   native %8.1f us   ratio %.2f\n", sr * 1e6, nr * 1e6, sr / nr);
    std::printf("resize step + paint  skinned %8.1f us   native %8.1f us   ratio %.2f\n", ss * 1e6, ns * 1e6, ss / ns);
    FreeSkinManager();
    return 0;
}

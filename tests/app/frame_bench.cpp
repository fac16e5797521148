// The skinned frame's cost on the program's main window against the platform's own frame on the
// same window, in one run: a full non-client repaint (WM_NCPAINT of the whole frame), and a storm of
// 200 resize steps each painted at once. Rounds alternate skinned and native; medians are printed
// with their ratio. Run by hand under Wine (not a test):
//   wine build/win/tests/app/orvo_frame_bench.exe [rounds] [dpi] [skin store ...]
// With a DPI other than the prefix's (192: 200 %), the bench sets the prefix's LogPixels, runs
// itself again there and puts 96 back: both frames are then drawn at that scale, the skinned one
// from the skin at that DPI. Each store named after the DPI is loaded and made ready at every
// scale (100 % and each DPI of 125 to 300 %), and the median time of that is printed.
#include "app/main_win.h"
#include "app/program.h"
#include "framework/forms/application.h"
#include "skin/manager/skin_manager.h"

#include "core/scale/dpi_scale.h"
#include "framework/window/display_scale.h"
#include "skin/data/skin_data.h"
#include "tests/framework/support/dpi_harness.h"
#include "tests/framework/support/stopwatch.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <vector>

using namespace orvo;

namespace {

using test::Seconds;

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

// Runs this program again with the prefix at `dpi` (Wine reads LogPixels when a process starts).
int RunAtDpi(int dpi) {
    test::TDpiScope scope(dpi);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring command = GetCommandLineW();
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::printf("cannot start the bench again at %d DPI\n", dpi);
        return 1;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

// A store loaded, then the skin made ready at each scale a window may have.
void BenchSkinLoad(const char* path, int rounds) {
    const std::string narrow = path;
    const std::wstring store(narrow.begin(), narrow.end());
    constexpr std::size_t Scales = std::size(SkinScalePercents);
    std::vector<double> load, all, each[Scales];
    for (int round = 0; round < rounds; ++round) {
        TSkinData skin(nullptr);
        bool loaded = false;
        load.push_back(Time([&] {
            skin.SetSkinFile(store);
            loaded = !skin.NoSkin();
        }));
        if (!loaded) {
            std::printf("%s: does not load (%ls)\n", path, skin.LoadError().c_str());
            return;
        }
        double sum = 0;
        for (std::size_t i = 0; i < Scales; ++i) {
            const double t = Time([&] { skin.AtDpi(DpiOfPercent(SkinScalePercents[i])); });
            each[i].push_back(t);
            sum += t;
        }
        all.push_back(sum);
    }
    std::printf("skin load  %s\n  load (100 %%) %6.1f ms   every scale %6.1f ms   total %6.1f ms\n  ", path,
                Median(load) * 1e3, Median(all) * 1e3, (Median(load) + Median(all)) * 1e3);
    for (std::size_t i = 0; i < Scales; ++i)
        std::printf("%d %%: %.1f ms  ", SkinScalePercents[i], Median(each[i]) * 1e3);
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 15;
    const int dpi = argc > 2 ? std::atoi(argv[2]) : 0;
    if (dpi > 0 && dpi != SystemDpi()) return RunAtDpi(dpi);
    for (int i = 3; i < argc; ++i) BenchSkinLoad(argv[i], rounds);
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
    std::printf("%d DPI, skinned at start: %s; %d rounds, %d repaints, %d resize steps\n", DpiForWindow(h),
                skinnedAtStart ? "yes" : "no", rounds, Repaints, Steps);
    const double sr = Median(skinnedRepaint), nr = Median(nativeRepaint);
    const double ss = Median(skinnedStorm), ns = Median(nativeStorm);
    std::printf("non-client repaint   skinned %8.1f us   native %8.1f us   ratio %.2f\n", sr * 1e6, nr * 1e6, sr / nr);
    std::printf("resize step + paint  skinned %8.1f us   native %8.1f us   ratio %.2f\n", ss * 1e6, ns * 1e6, ss / ns);
    FreeSkinManager();
    return 0;
}

// What the scroll-bar overlays cost while a memo scrolls: 1,000 line steps (WM_VSCROLL
// SB_LINEDOWN, each painted at once: the memo's new line and, when skinned, its overlay) on a memo
// skinned with the default skin against its twin with Tag 99 on the same form, in one run. Rounds
// alternate which memo goes first; medians per step are printed with their ratio. Run by hand
// under Wine (not a test):
//   wine build/win/tests/skin/controls/orvo_scroll_bench.exe [rounds]
#include "framework/controls/memo.h"
#include "framework/forms/application.h"
#include "framework/forms/forms.h"
#include "skin/controls/scroll_bar.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_protocol.h"
#include "skin/form/form_skin.h"
#include "tests/framework/support/stopwatch.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

using namespace orvo;

namespace {

constexpr int Steps = 1000;

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

TMemo* AddMemo(TForm* form, int left, int tag) {
    auto* memo = new TMemo(form);
    memo->SetParent(form);
    memo->SetBounds(left, 10, 260, 300);
    memo->SetScrollBars(ssVertical);
    memo->SetWordWrap(false);
    memo->SetTag(tag);
    std::wstring text;
    for (int i = 0; i < Steps + 100; ++i) text += L"Line " + std::to_wstring(i) + L" of the memo that scrolls\r\n";
    memo->SetText(text);
    return memo;
}

// Seconds per painted line step.
double Scroll(TForm* form, TMemo* memo) {
    HWND w = memo->Handle();
    SendMessageW(w, WM_VSCROLL, SB_TOP, 0);
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    Drain();
    GdiFlush();
    const double start = test::Seconds();
    for (int i = 0; i < Steps; ++i) {
        SendMessageW(w, WM_VSCROLL, SB_LINEDOWN, 0);
        RedrawWindow(form->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    SendMessageW(w, WM_VSCROLL, SB_ENDSCROLL, 0);
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    return (test::Seconds() - start) / Steps;
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 9;
    Application->Initialize();
    std::ifstream file(ORVO_DEFAULT_SKIN_STORE, std::ios::binary);
    std::vector<std::uint8_t> store((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    auto skin = std::make_unique<TSkinData>(nullptr);
    skin->SetStoreStream(std::move(store));
    if (!skin->LoadSkin()) {
        std::printf("the default skin did not load\n");
        return 1;
    }
    auto* form = new TForm(nullptr);
    form->SetBounds(20, 20, 560, 360);
    TMemo* skinned = AddMemo(form, 10, 0);
    TMemo* twin = AddMemo(form, 280, 99);
    form->Show();
    auto* formSkin = new TWinSkinForm(form);
    formSkin->Handle = form->Handle();
    formSkin->AttachForm(skin.get(), form);
    SendMessageW(form->Handle(), SKM_FINISHSKINNING, 0, SkmFinishSkinningParam);
    for (int i = 0; i < 20; ++i) {
        Drain();
        Sleep(10);
    }
    HWND above = GetWindow(skinned->Handle(), GW_HWNDPREV);
    wchar_t name[64]{};
    GetClassNameW(above, name, 64);
    if (SendMessageW(skinned->Handle(), SKM_ISSKINNED, 0, 0) != 1 || std::wstring(name) != L"TWScrollbar" ||
        SendMessageW(twin->Handle(), SKM_ISSKINNED, 0, 0) == 1) {
        std::printf("the memo has no overlay (or the twin has one)\n");
        return 1;
    }

    std::vector<double> withOverlay, without;
    for (int round = 0; round < rounds; ++round) {
        if (round % 2 == 0) {
            withOverlay.push_back(Scroll(form, skinned));
            without.push_back(Scroll(form, twin));
        } else {
            without.push_back(Scroll(form, twin));
            withOverlay.push_back(Scroll(form, skinned));
        }
    }
    const double s = Median(withOverlay), n = Median(without);
    std::printf("%d rounds of %d line steps, each painted at once\n", rounds, Steps);
    std::printf("memo line step  with overlay %8.1f us   unskinned %8.1f us   ratio %.2f\n", s * 1e6, n * 1e6, s / n);
    formSkin->Unskin();
    delete formSkin;
    delete form;
    return 0;
}

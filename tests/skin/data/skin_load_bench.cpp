// Run by hand under Wine (not a test): how long the program takes to have its skin loaded.
//
//   wine build/<dir>/tests/skin/data/orvo_skin_load_bench.exe
//
// Prints the time from process creation to the first loaded skin (the stored form read, store
// decoded, INI parsed, every bitmap converted, derived images built), then the median of repeated
// loads and of each step of one, so the steps can be compared with the whole in the same run.
#include "core/skinfile/quick_ini.h"
#include "core/skinfile/skin_reader.h"
#include "core/skinfile/skin_store.h"
#include "framework/forms/form_reader.h"
#include "tests/skin/data/skin_test_host.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_load_steps.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double Median(int runs, const std::function<void()>& action) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        action();
        times.push_back(Milliseconds(Clock::now() - start));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Milliseconds since the process was created, by the system's clock.
double SinceProcessStart() {
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimePreciseAsFileTime(&now);
    const auto ticks = [](FILETIME t) {
        return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

} // namespace

int main() {
    using namespace orvo;
    const double atEntry = SinceProcessStart();
    const auto entry = Clock::now();
    auto first = std::make_unique<TSkinTestHost>(nullptr);
    ReadComponentRes(first.get());
    const double fromEntry = Milliseconds(Clock::now() - entry);
    const double startup = SinceProcessStart();
    if (!first->SkinData1 || first->SkinData1->NoSkin()) {
        std::fprintf(stderr, "the stored skin did not load\n");
        return 1;
    }
    const std::vector<std::uint8_t> store = first->SkinData1->StoreStream();
    std::printf("process start to loaded skin: %.1f ms, of which process start to program entry %.1f ms\n",
                startup, atEntry);
    std::printf("program entry to loaded skin (first form read, cold): %.2f ms\n", fromEntry);

    constexpr int runs = 50;
    const double form = Median(runs, [] {
        TSkinTestHost host(nullptr);
        ReadComponentRes(&host);
    });
    const double load = Median(runs, [&] { first->SkinData1->LoadSkin(); });
    const double decode = Median(runs, [&] { DecodeSkinStore(store); });
    TSkinReader archive;
    const double open = Median(runs, [&] { archive.Load(store); });
    std::string iniName;
    TQuickIni ini;
    const double parse = Median(runs, [&] { ini.LoadFromBytes(archive.FindEntry(".ini", iniName)); });
    TSkinDefinitions skin;
    const double definitions = Median(runs, [&] {
        TSkinSource source(archive, ini);
        LoadSkinDefinitions(source, skin);
    });
    std::printf("median of %d runs:\n", runs);
    std::printf("  stored form read with its skin component  %7.2f ms\n", form);
    std::printf("  LoadSkin from the %zu-byte store          %7.2f ms\n", store.size(), load);
    std::printf("    store decoded                           %7.2f ms (%.0f %%)\n", decode,
                100 * decode / load);
    std::printf("    archive opened (decoding included)      %7.2f ms (%.0f %%)\n", open, 100 * open / load);
    std::printf("    INI parsed                              %7.2f ms (%.0f %%)\n", parse,
                100 * parse / load);
    std::printf("    definitions, bitmaps, derived images    %7.2f ms (%.0f %%)\n", definitions,
                100 * definitions / load);
    return 0;
}

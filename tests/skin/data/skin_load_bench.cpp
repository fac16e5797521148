// Run by hand under Wine (not a test): how long the program takes to have its skin loaded.
//
//   wine build/<dir>/tests/skin/data/orvo_skin_load_bench.exe
//   wine build/<dir>/tests/skin/data/orvo_skin_load_bench.exe STORE.skn [DPI...]
//   wine build/<dir>/tests/skin/data/orvo_skin_load_bench.exe --resample IN.skn OUT.skn PERCENT...
//
// Without arguments: the time from process creation to the first loaded skin (the stored form
// read, store decoded, INI parsed, every bitmap converted, derived images built), then the median
// of repeated loads and of each step of one, so the steps can be compared with the whole in the
// same run. With a store file: the median of its loads against loads of the same skin without
// its images for other scales (alternating, same run), of decoding the whole store, and of the
// first use of the skin at each DPI (default 120 144 168 192 240 288) after a fresh load. --resample writes a
// copy of a store with resampled images for the given scales added, for measuring stores that
// carry scales their art has not been drawn for.
#include "core/skinfile/bmp.h"
#include "core/skinfile/quick_ini.h"
#include "core/skinfile/skin_archive_writer.h"
#include "core/skinfile/skin_reader.h"
#include "core/skinfile/skin_store.h"
#include "core/skinscale/skin_resample.h"
#include "framework/forms/form_reader.h"
#include "tests/skin/data/skin_test_host.h"
#include "skin/data/skin_bitmaps.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_load_steps.h"
#include "skin/data/skin_scaling.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace orvo;
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

std::vector<std::uint8_t> ReadFile(const char* path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

} // namespace

namespace orvo {
namespace {

int StoredSkin() {
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

// The store's archive without its images for other scales: the same skin as a plain store.
std::vector<std::uint8_t> HundredPercentOnly(const TSkinReader& archive) {
    TSkinArchiveWriter writer;
    for (std::size_t i = 0; i < archive.Entries().size(); ++i) {
        if (ParseScaledName(archive.Entries()[i].Name).Kind != TScaledNameKind::Plain) continue;
        const auto bytes = archive.EntryBytes(i);
        writer.Add(archive.Entries()[i].Name, {bytes.begin(), bytes.end()});
    }
    return EncodeSkinStore(writer.Build());
}

int StoreFile(const char* path, std::vector<int> dpis) {
    const std::vector<std::uint8_t> store = ReadFile(path);
    TSkinData data(nullptr), plain(nullptr);
    data.SetStoreStream(store);
    if (!data.LoadSkin()) {
        std::fprintf(stderr, "%s does not load\n", path);
        return 1;
    }
    if (dpis.empty()) dpis = {120, 144, 168, 192, 240, 288};
    TSkinReader archive;
    archive.Load(store);
    std::size_t scaled = 0;
    for (const TSkinEntry& e : archive.Entries()) scaled += ParseScaledName(e.Name).Kind == TScaledNameKind::Scaled;
    plain.SetStoreStream(HundredPercentOnly(archive));
    std::printf("%s: %zu bytes of store, %zu of archive, %zu entries (%zu for other scales)\n", path, store.size(),
                DecodeSkinStore(store).size(), archive.Entries().size(), scaled);
    // Alternating, so that both see the same machine.
    constexpr int runs = 50;
    std::vector<double> loads, plains, decodes;
    for (int i = 0; i < runs; ++i) {
        const auto a = Clock::now();
        data.LoadSkin();
        const auto b = Clock::now();
        plain.LoadSkin();
        const auto c = Clock::now();
        DecodeSkinStore(store);
        const auto d = Clock::now();
        loads.push_back(Milliseconds(b - a));
        plains.push_back(Milliseconds(c - b));
        decodes.push_back(Milliseconds(d - c));
    }
    for (auto* v : {&loads, &plains, &decodes}) std::sort(v->begin(), v->end());
    const double load = loads[runs / 2], alone = plains[runs / 2], whole = decodes[runs / 2];
    std::printf("median of %d, alternating:\n", runs);
    std::printf("  LoadSkin of this store                    %7.2f ms (%.2f of the 100 %% entries alone)\n", load,
                load / alone);
    std::printf("  LoadSkin of its 100 %% entries alone       %7.2f ms\n", alone);
    std::printf("  decoding the whole store                  %7.2f ms\n", whole);
    for (const int dpi : dpis) {
        std::vector<double> times;
        for (int i = 0; i < runs / 2; ++i) {
            data.LoadSkin(); // a fresh skin: nothing made for this DPI yet
            const auto start = Clock::now();
            data.AtDpi(dpi);
            times.push_back(Milliseconds(Clock::now() - start));
        }
        std::sort(times.begin(), times.end());
        std::printf("  first use at %3d DPI after a load         %7.2f ms\n", dpi, times[times.size() / 2]);
    }
    return 0;
}

// IN with resampled images for `percents` added after its entries, as the skin's own would be.
int Resample(const char* in, const char* out, const std::vector<int>& percents) {
    const std::vector<std::uint8_t> store = ReadFile(in);
    TSkinReader archive;
    if (!archive.Load(store)) {
        std::fprintf(stderr, "%s does not load\n", in);
        return 1;
    }
    std::string iniName;
    TQuickIni ini;
    ini.LoadFromBytes(archive.FindEntry(".ini", iniName));
    TSkinDefinitions skin;
    TSkinSource source(archive, ini);
    LoadSkinDefinitions(source, skin);
    TSkinArchiveWriter writer;
    for (std::size_t i = 0; i < archive.Entries().size(); ++i) {
        const auto bytes = archive.EntryBytes(i);
        writer.Add(archive.Entries()[i].Name, {bytes.begin(), bytes.end()});
    }
    for (const int percent : percents) {
        std::set<std::string> done;
        VisitSkinImages(skin, nullptr, [&](const TSkinImageSlot& slot) {
            if (slot.Designed.Empty() || slot.Entry.empty() || !done.insert(slot.Entry).second) return;
            const int count = std::max(slot.Frames.Count, 1);
            const int w = slot.Designed.Width(), h = slot.Designed.Height();
            const TImage32 image = ScaleSkinImage(BitmapToImage32(slot.Designed), DesignDpi, slot.Frames,
                                                  slot.Frames.Stacked ? w : w / count,
                                                  slot.Frames.Stacked ? h / count : h, slot.Margins,
                                                  DpiOfPercent(percent));
            if (!image.Empty()) writer.Add(ScaledImageName(archive.Entries()[archive.IndexOf(slot.Entry)].Name, percent),
                                           WriteBmp32(image));
        });
    }
    const std::vector<std::uint8_t> packed = EncodeSkinStore(writer.Build());
    std::ofstream(out, std::ios::binary).write(reinterpret_cast<const char*>(packed.data()), packed.size());
    std::printf("%s: %zu entries, %zu bytes\n", out, writer.Count(), packed.size());
    return 0;
}

} // namespace
} // namespace orvo

int main(int argc, char** argv) {
    using namespace orvo;
    if (argc == 1) return StoredSkin();
    if (std::string(argv[1]) == "--resample" && argc >= 5) {
        std::vector<int> percents;
        for (int i = 4; i < argc; ++i) percents.push_back(std::atoi(argv[i]));
        return Resample(argv[2], argv[3], percents);
    }
    std::vector<int> dpis;
    for (int i = 2; i < argc; ++i) dpis.push_back(std::atoi(argv[i]));
    return StoreFile(argv[1], dpis);
}

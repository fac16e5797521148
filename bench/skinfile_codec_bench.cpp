// Throughput of the skin store codec. Decoding is measured in bytes of output per second, encoding
// in bytes of input per second; a plain memcpy of the same output, timed in the same run, is the
// reference. Each figure is the best of several runs.
//   skinfile-codec-bench [STORE]    STORE defaults to the default skin store of this build
#include "core/skinfile/lzh.h"
#include "core/skinfile/skin_store.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using TBytes = std::vector<std::uint8_t>;
using TClock = std::chrono::steady_clock;

// Log-like lines: the same phrases with changing numbers.
TBytes LogText(std::size_t size) {
    TBytes out;
    out.reserve(size + 128);
    for (unsigned line = 0; out.size() < size; ++line) {
        const std::string text = "2024-03-17 12:" + std::to_string(line % 60) + " INFO worker " +
                                 std::to_string(line % 7) + " finished request " + std::to_string(line) +
                                 " in " + std::to_string(line * 37 % 1000) + " ms, status ok\r\n";
        out.insert(out.end(), text.begin(), text.end());
    }
    out.resize(size);
    return out;
}

// One paragraph of about a kilobyte, over and over.
TBytes RepeatedParagraph(std::size_t size) {
    const TBytes paragraph = LogText(1000);
    TBytes out;
    out.reserve(size);
    while (out.size() < size)
        out.insert(out.end(), paragraph.begin(), paragraph.end());
    out.resize(size);
    return out;
}

template <class TFunc> double BestSeconds(int runs, TFunc&& f) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const auto start = TClock::now();
        f();
        best = std::min(best, std::chrono::duration<double>(TClock::now() - start).count());
    }
    return best;
}

double MBps(std::size_t bytes, double seconds) {
    return static_cast<double>(bytes) / seconds / 1e6;
}

void Measure(const char* name, const TBytes& data, int runs) {
    orvo::TLZH codec;
    TBytes stream;
    const double encode = BestSeconds(std::max(1, runs / 3), [&] { stream = codec.Encode(data); });
    TBytes decoded;
    const double decode =
        BestSeconds(runs, [&] { decoded = codec.Decode(stream, static_cast<std::uint32_t>(data.size())); });
    if (decoded != data) {
        std::printf("%s: DECODED DATA DIFFERS\n", name);
        return;
    }
    TBytes copy(data.size());
    const double memcpyTime = BestSeconds(runs, [&] { std::memcpy(copy.data(), data.data(), data.size()); });
    std::printf("%-26s %10zu -> %9zu bytes (%5.1f%%)  decode %8.1f MB/s (%4.1f%% of memcpy %6.0f MB/s)"
                "  encode %6.1f MB/s\n",
                name, data.size(), stream.size(), 100.0 * static_cast<double>(stream.size()) / data.size(),
                MBps(data.size(), decode), 100.0 * memcpyTime / decode, MBps(data.size(), memcpyTime),
                MBps(data.size(), encode));
}

void MeasureStore(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::printf("%-26s (no store at %s)\n", "default skin store", path.c_str());
        return;
    }
    const TBytes store{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    TBytes archive;
    const double decode = BestSeconds(200, [&] { archive = orvo::DecodeSkinStore(store); });
    std::printf("%-26s %10zu <- %9zu bytes (%5.1f%%)  decode %8.1f MB/s (%.3f ms per load)\n",
                "default skin store", archive.size(), store.size(),
                100.0 * static_cast<double>(store.size()) / archive.size(), MBps(archive.size(), decode),
                decode * 1e3);
    Measure("default skin archive", archive, 30);
}

} // namespace

int main(int argc, char** argv) {
#ifdef ORVO_DEFAULT_SKIN_STORE
    std::string store = ORVO_DEFAULT_SKIN_STORE;
#else
    std::string store;
#endif
    if (argc > 1) store = argv[1];
    if (!store.empty()) MeasureStore(store);
    constexpr std::size_t Large = 32u << 20;
    Measure("log text, 32 MiB", LogText(Large), 5);
    Measure("repeated 1 KB, 32 MiB", RepeatedParagraph(Large), 5);
    Measure("one byte value, 32 MiB", TBytes(Large, 'x'), 5);
    return 0;
}

// Speed of the split's copy loops alone, in memory: each copier this processor runs over a text
// file's bytes, against a memchr-per-line loop (what a line splitter without the CR LF rewrite
// does). Prints the median of several passes in GB/s of source text. A file that starts with a
// byte-order mark is copied in its code units. RULE picks the copy loops: lines (the line rules,
// the default), exact (line ends kept), csv (CSV records) or exact-csv.
//   split-copy-bench FILE [RULE]
#include "core/split/line_copy.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

constexpr std::size_t OutputSize = 256 * 1024;

double CopierPass(orvo::TLineCopier copier, std::string_view text, char* out, std::size_t& checksum) {
    const auto start = TClock::now();
    orvo::TLineCopy copy{text.data(), text.data() + text.size(), out, out + OutputSize, 3000};
    for (;;) {
        const orvo::TCopyStop stop = copier(copy);
        if (stop == orvo::TCopyStop::NeedInput || stop == orvo::TCopyStop::EndOfText) break;
        checksum += static_cast<std::size_t>(copy.Out - out);
        copy.Out = out;
        if (stop == orvo::TCopyStop::LinesDone) copy.LinesLeft = 3000;
    }
    return std::chrono::duration<double>(TClock::now() - start).count();
}

double MemchrPass(const std::string& text, std::size_t& checksum) {
    const auto start = TClock::now();
    const char* p = text.data();
    const char* end = p + text.size();
    while (const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p))) {
        p = static_cast<const char*>(lf) + 1;
        ++checksum;
    }
    return std::chrono::duration<double>(TClock::now() - start).count();
}

template <class TPass> void Report(const char* name, std::size_t bytes, TPass pass) {
    std::vector<double> seconds;
    for (int i = 0; i < 7; ++i)
        seconds.push_back(pass());
    std::sort(seconds.begin(), seconds.end());
    std::printf("%-8s %6.2f GB/s\n", name, static_cast<double>(bytes) / seconds[3] / 1e9);
}

} // namespace

int main(int argc, char** argv) {
    const std::string_view ruleName = argc == 3 ? argv[2] : "lines";
    const orvo::TCopyRule rule = ruleName == "exact"       ? orvo::TCopyRule::ExactLines
                                 : ruleName == "csv"       ? orvo::TCopyRule::Records
                                 : ruleName == "exact-csv" ? orvo::TCopyRule::ExactRecords
                                                           : orvo::TCopyRule::Lines;
    if (argc < 2 || argc > 3 || (rule == orvo::TCopyRule::Lines && ruleName != "lines")) {
        std::fprintf(stderr, "usage: split-copy-bench FILE [lines|exact|csv|exact-csv]\n");
        return 1;
    }
    std::ifstream in(argv[1], std::ios::binary | std::ios::ate);
    std::string text(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0).read(text.data(), static_cast<std::streamsize>(text.size()));
    text.reserve(text.size() + orvo::LineCopySlack);
    const auto out = std::make_unique<char[]>(OutputSize + orvo::LineCopySlack);
    std::size_t checksum = 0;
    const orvo::TTextEncoding encoding = orvo::MarkAt(text).value_or(orvo::TTextEncoding::Bytes);
    std::string_view units(text);
    units.remove_prefix(orvo::MarkOf(encoding).size());
    units.remove_suffix(units.size() % orvo::UnitSize(encoding));
    std::printf("%s, %s\n", std::string(orvo::EncodingName(encoding)).c_str(), std::string(ruleName).c_str());
    orvo::TNamedCopier copiers[4];
    const std::size_t count = orvo::AvailableLineCopiers(encoding, copiers, rule);
    for (std::size_t i = 0; i < count; ++i)
        Report(copiers[i].Name, units.size(),
               [&] { return CopierPass(copiers[i].Copier, units, out.get(), checksum); });
    Report("memchr", text.size(), [&] { return MemchrPass(text, checksum); });
    return checksum == 0 ? 1 : 0;
}

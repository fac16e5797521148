// Writes a deterministic text file for the splitting benchmark: log-like lines of words and
// numbers, 10 to 200 bytes long (about 80 on average), LF or CR LF line ends, or one single line.
//   split-textgen SIZE_MIB lf|crlf|oneline OUTPUT
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

// A fixed generator, so that every run measures the same bytes.
struct TRandom {
    std::uint64_t State = 0x9E3779B97F4A7C15ull;
    std::uint64_t Next() {
        State ^= State << 13;
        State ^= State >> 7;
        State ^= State << 17;
        return State;
    }
    unsigned Below(unsigned n) { return static_cast<unsigned>(Next() % n); }
};

constexpr std::string_view Words[] = {
    "request", "user",   "2024-03-17", "GET",   "/api/v2/items", "status", "200",    "ms",
    "cache",   "miss",   "hit",        "order", "payment",       "ok",     "failed", "retry",
    "订单",    "用户",   "完成",       "文件",  "session",       "token",  "worker", "queue",
    "12345",   "0.0031", "INFO",       "WARN",  "DEBUG",         "node-7", "shard",  "42"};

void AppendLine(std::string& out, TRandom& random) {
    const unsigned target = 10 + random.Below(random.Below(4) == 0 ? 191 : 120);
    const std::size_t start = out.size();
    while (out.size() - start < target) {
        out += Words[random.Below(sizeof Words / sizeof Words[0])];
        out += ' ';
    }
    out.pop_back();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: split-textgen SIZE_MIB lf|crlf|oneline OUTPUT\n");
        return 1;
    }
    const std::uint64_t size = std::strtoull(argv[1], nullptr, 10) << 20;
    const std::string_view mode = argv[2];
    const std::string_view lineEnd = mode == "crlf" ? "\r\n" : mode == "lf" ? "\n" : "";
    std::FILE* file = std::fopen(argv[3], "wb");
    if (file == nullptr) {
        std::perror(argv[3]);
        return 1;
    }
    TRandom random;
    std::string block;
    std::uint64_t written = 0;
    while (written < size) {
        block.clear();
        while (block.size() < (1u << 20)) {
            AppendLine(block, random);
            block += mode == "oneline" ? std::string_view(" ") : lineEnd;
        }
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(block.size(), size - written));
        if (std::fwrite(block.data(), 1, n, file) != n) {
            std::perror(argv[3]);
            return 1;
        }
        written += n;
    }
    if (std::fclose(file) != 0) {
        std::perror(argv[3]);
        return 1;
    }
    return 0;
}

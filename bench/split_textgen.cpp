// Writes a deterministic text file for the splitting benchmark: log-like lines of words and
// numbers, 10 to 200 bytes long (about 80 on average), LF or CR LF line ends, or one single line;
// or a CSV export of such records (CR LF), with quoted fields, doubled quotes and, in one record
// of eight, a quoted field that holds a line break.
//   split-textgen SIZE_MIB lf|crlf|oneline|csv OUTPUT
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

// id,"quoted text",number,text: the text fields hold commas and now and then a doubled quote or
// a line break.
void AppendRecord(std::string& out, TRandom& random, std::uint64_t id) {
    out += std::to_string(id);
    out += ",\"";
    const unsigned words = 2 + random.Below(12);
    for (unsigned i = 0; i < words; ++i) {
        out += Words[random.Below(sizeof Words / sizeof Words[0])];
        const unsigned pick = random.Below(40);
        out += pick == 0 ? "\"\"" : pick == 1 ? ", " : pick == 2 && random.Below(3) == 0 ? "\n" : " ";
    }
    out += "\",";
    out += std::to_string(random.Below(100000));
    out += ',';
    out += Words[random.Below(sizeof Words / sizeof Words[0])];
    out += "\r\n";
}

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
        std::fprintf(stderr, "usage: split-textgen SIZE_MIB lf|crlf|oneline|csv OUTPUT\n");
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
    std::uint64_t id = 0;
    if (mode == "csv") block = "id,text,amount,tag\r\n";
    while (written < size) {
        if (written > 0) block.clear();
        while (block.size() < (1u << 20)) {
            if (mode == "csv") {
                AppendRecord(block, random, ++id);
                continue;
            }
            AppendLine(block, random);
            block += mode == "oneline" ? std::string_view(" ") : lineEnd;
        }
        // A CSV file ends with a whole record (a little past the size).
        const std::size_t n = mode == "csv" ? block.size()
                                            : static_cast<std::size_t>(std::min<std::uint64_t>(block.size(), size - written));
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

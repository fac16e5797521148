#include "tools/orvo_skin/tool_files.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

namespace orvo {
namespace fs = std::filesystem;

namespace {

std::string Quoted(const fs::path& path) {
    std::string text = "'";
    return text.append(Utf8FromPath(path)).append("'");
}

std::string LastError() {
    return errno != 0 ? std::strerror(errno) : "I/O error";
}

} // namespace

fs::path PathFromUtf8(const std::string& text) {
    return fs::path(std::u8string(text.begin(), text.end()));
}

std::string Utf8FromPath(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::vector<std::uint8_t> ReadWholeFile(const fs::path& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        throw ESkinToolError("cannot read " + Quoted(path) + ": " +
                             (ec ? ec.message() : "not a regular file"));
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec) throw ESkinToolError("cannot read " + Quoted(path) + ": " + ec.message());
    if (size > MaxToolInputSize)
        throw ESkinToolError(Quoted(path) + " is too large (" + std::to_string(size) + " bytes)");
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (!in || !in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())))
        throw ESkinToolError("cannot read " + Quoted(path) + ": " + LastError());
    return bytes;
}

void WriteWholeFile(const fs::path& path, std::span<const std::uint8_t> bytes) {
    fs::path temporary = path;
    temporary += ".tmp";
    errno = 0;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (out)
            out.write(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<std::streamsize>(bytes.size()));
        if (out) out.close();
        if (!out) {
            const std::string reason = LastError();
            std::error_code ignored;
            fs::remove(temporary, ignored);
            throw ESkinToolError("cannot write " + Quoted(path) + ": " + reason);
        }
    }
    std::error_code ec;
    fs::rename(temporary, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw ESkinToolError("cannot write " + Quoted(path) + ": " + ec.message());
    }
}

} // namespace orvo

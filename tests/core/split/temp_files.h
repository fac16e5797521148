#pragma once
// Real files for tests: a private temporary directory and UTF-8 paths, on every system.
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

namespace orvo::test {

inline std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

inline std::filesystem::path FromUtf8(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string ReadAll(const std::filesystem::path& path) {
    std::string content(std::filesystem::file_size(path), '\0');
    std::ifstream(path, std::ios::binary).read(content.data(), static_cast<std::streamsize>(content.size()));
    return content;
}

inline void WriteAll(const std::filesystem::path& path, std::string_view content) {
    std::ofstream(path, std::ios::binary).write(content.data(), static_cast<std::streamsize>(content.size()));
}

// A new directory under the system's temporary one (its name has Chinese characters, so every
// path in it does), removed with all it holds.
class TTempDir {
public:
    TTempDir()
        : FPath(std::filesystem::temp_directory_path() /
                FromUtf8("orvo-split-测试-" + std::to_string(std::random_device()()))) {
        std::filesystem::create_directories(FPath);
    }
    ~TTempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(FPath, ignored);
    }
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    const std::filesystem::path& Path() const { return FPath; }

private:
    std::filesystem::path FPath;
};

} // namespace orvo::test

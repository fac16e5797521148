// The orvo-skin command run in-process on a temporary directory, for the tool's tests.
#pragma once

#include "tools/orvo_skin/skin_command.h"

#include "core/skinfile/bmp.h"
#include "core/skinfile/skin_archive_writer.h"
#include "core/skinfile/skin_store.h"
#include "tools/orvo_skin/tool_files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace orvo::test {
namespace fs = std::filesystem;

using TBytes = std::vector<std::uint8_t>;

inline TBytes Text(const std::string& s) {
    return {s.begin(), s.end()};
}

inline TBytes Bitmap(int width, int height) {
    return WriteBmp32(TImage32(width, height, 0x336699));
}

class SkinCommand : public ::testing::Test {
protected:
    void SetUp() override {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        FDir = fs::temp_directory_path() / ("orvo-skin-test-" + std::to_string(stamp));
        fs::create_directories(FDir / "art");
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(FDir, ignored);
    }

    std::string Path(const std::string& name) const { return Utf8FromPath(FDir / name); }
    void Put(const std::string& name, const TBytes& bytes) const { WriteWholeFile(FDir / name, bytes); }

    int Run(const std::vector<std::string>& args) {
        FOut.clear();
        FErr.clear();
        return RunSkinCommand(
            args, [this](std::string_view t) { FOut += t; }, [this](std::string_view t) { FErr += t; });
    }

    // A store made of the given entries, bypassing pack's checks.
    std::string Store(const std::vector<std::pair<std::string, TBytes>>& entries) {
        TSkinArchiveWriter w;
        for (const auto& [name, bytes] : entries)
            w.Add(name, bytes);
        Put("made.skn", EncodeSkinStore(w.Build()));
        return Path("made.skn");
    }

    fs::path FDir;
    std::string FOut, FErr;
};

} // namespace orvo::test

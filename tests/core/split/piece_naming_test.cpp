// Piece names: the base name rules and the directory part, for both separator conventions.
#include "core/split/piece_naming.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

TEST(PieceNaming, BaseNameDropsDirectoryAndExtension) {
    const std::pair<const char*, const char*> cases[] = {
        {"/data/report.txt", "report"},
        {"a.b.txt", "a.b"},
        {"README", "README"},
        {"dir/notes.", "notes"},
        {"data.csv", "data"},
        {"my.dir/plain", "plain"},
        {"v1.2/x.y/archive", "archive"},
        {"dir/", ""},
        {".profile", ""},
        {"文件夹/数据 文件.log", "数据 文件"},
        {"", ""},
    };
    for (const auto& [path, base] : cases)
        EXPECT_EQ(BaseNameOf(path, "/"), base) << path;
}

TEST(PieceNaming, WindowsPathsEndTheirDirectoryAtEitherSlashOrADrive) {
    EXPECT_EQ(BaseNameOf("C:\\Users\\li.wei\\data.csv", "/\\:"), "data");
    EXPECT_EQ(BaseNameOf("C:\\mixed/dir.v2\\a.b.txt", "/\\:"), "a.b");
    EXPECT_EQ(BaseNameOf("D:log.txt", "/\\:"), "log");
    EXPECT_EQ(DirectoryPartOf("D:log.txt", "/\\:"), "D:");
    EXPECT_EQ(DirectoryPartOf("C:\\a.d\\b/c.txt", "/\\:"), "C:\\a.d\\b/");
    // Natively a backslash is an ordinary character of a name.
    EXPECT_EQ(BaseNameOf("odd\\name.txt", "/"), "odd\\name");
}

TEST(PieceNaming, DirectoryPartKeepsItsSeparator) {
    EXPECT_EQ(DirectoryPartOf("/data/x.txt", "/"), "/data/");
    EXPECT_EQ(DirectoryPartOf("/x.txt", "/"), "/");
    EXPECT_EQ(DirectoryPartOf("x.txt", "/"), "");
}

TEST(PieceNaming, PiecePathNumbersWithoutPadding) {
    EXPECT_EQ(PiecePath("out/report", 1), "out/report_1.txt");
    EXPECT_EQ(PiecePath("out/report", 10), "out/report_10.txt");
    EXPECT_EQ(PiecePath("", 18446744073709551615ull), "_18446744073709551615.txt");
}

} // namespace
} // namespace orvo

// skininfo on the default skin and on stores it must refuse; the real program once.
#include "tools/skininfo/skin_info.h"

#include "core/skinfile/bmp.h"
#include "core/skinfile/skin_archive_writer.h"
#include "core/skinfile/skin_store.h"
#include "tests/tools/orvo_split/run_process.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace orvo::test {
namespace {

using ::testing::HasSubstr;

struct TRun {
    int Code = -1;
    std::string Out, Err;
};

TRun SkinInfo(std::vector<std::string> arguments) {
    TRun run;
    run.Code = RunSkinInfo(
        arguments, [&](std::string_view t) { run.Out += t; }, [&](std::string_view t) { run.Err += t; });
    return run;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(SkinInfo, ReportsTheDefaultSkinInLoadOrder) {
    const TRun run = SkinInfo({ORVO_DEFAULT_SKIN_STORE});
    ASSERT_EQ(run.Code, SkinInfoOk) << run.Err;
    EXPECT_TRUE(run.Err.empty());
    const std::vector<std::string> lines = Lines(run.Out);
    ASSERT_GT(lines.size(), 40u);
    EXPECT_EQ(lines.front(), "skin|SkinName|Orvo Slate");
    EXPECT_EQ(lines[1],
              "element|Left|frame=2|left=0|top=29|right=0|bottom=5|trans=1|tile=1|style=0|image=8x250");
    EXPECT_EQ(lines[3],
              "element|Top|frame=2|left=32|top=0|right=39|bottom=0|trans=1|tile=1|style=0|image=292x58");
    EXPECT_EQ(lines[5], "colour|0|WindowText|0xFF000008|given=0");
    EXPECT_EQ(lines[6], "colour|3|ButtonFace|0x00D5E0E3|given=1");
    EXPECT_EQ(lines[21], "colour|19|Window|0xFF000005|given=0") << "read after the older keys";
    EXPECT_EQ(lines[22],
              "button|BUTTON0|action=0|align=1|x=25|y=5|visibility=0|visibility1=0|frame=6|image=126x21");
    EXPECT_EQ(lines[26],
              "button|BUTTON4|action=3|align=0|x=8|y=7|visibility=0|visibility1=0|frame=6|image=0x0");
    EXPECT_EQ(lines[29],
              "button|MDICLOSE|action=9|align=100|x=20|y=0|visibility=100|visibility1=100|frame=4|image=64x14");
    EXPECT_EQ(lines[30],
              "element|Buttons|frame=5|left=8|top=9|right=8|bottom=9|trans=0|tile=0|style=0|image=90x21"
              "|check=52x13|checkframes=4|radio=52x13|radioframes=4");
    EXPECT_EQ(lines[31],
              "element|Title|frame=2|left=16|top=2|right=20|bottom=0|trans=0|tile=0|style=0|image=0x0");
    EXPECT_THAT(run.Out,
                HasSubstr("\nelement|Track|frame=1|left=3|top=3|right=3|bottom=3|trans=0|tile=0|style=0"
                          "|image=40x4\nelement|TRACKVERT|"));
    EXPECT_THAT(
        run.Out,
        HasSubstr("\nelement|Progress|frame=1|left=4|top=3|right=4|bottom=3|trans=0|tile=1|style=1|"));
    EXPECT_THAT(run.Out, ::testing::Not(HasSubstr("Progress.Chunk")));
    // Then the scales the skin is drawn at, and each image's.
    const auto sample = std::find_if(lines.begin(), lines.end(),
                                     [](const std::string& l) { return l.starts_with("sample|"); });
    ASSERT_NE(sample, lines.end());
    const std::size_t at = static_cast<std::size_t>(sample - lines.begin());
    EXPECT_THAT(lines[at - 2], ::testing::StartsWith("element|ComboxArrow|frame=4|"));
    EXPECT_THAT(lines[at - 1], ::testing::StartsWith("element|Toolbar|frame=1|"));
    EXPECT_THAT(lines[at], ::testing::StartsWith("sample|FrameSample|0x00")) << "a plain colour";
    EXPECT_EQ(lines[at].size(), std::string("sample|FrameSample|0x00000000").size());
    // 24 images: the store's ProgressChunk.bmp is named only by a key no reader uses.
    ASSERT_EQ(lines.size(), at + 2 + 24) << "the store's scales, then one line for each image the skin loads";
    EXPECT_EQ(lines[at + 1], "scales|store|150,200");
    EXPECT_EQ(lines[at + 2], "scales|FrameLeft.bmp|150,200"); // in load order
    for (std::size_t i = at + 2; i < lines.size(); ++i) EXPECT_THAT(lines[i], ::testing::EndsWith("|150,200"));
}

std::filesystem::path TempStore(const char* name, std::int32_t version, const std::string& ini) {
    TSkinArchiveWriter writer;
    writer.Add("a.ini", std::vector<std::uint8_t>(ini.begin(), ini.end()));
    std::vector<std::uint8_t> archive = writer.Build();
    for (int i = 0; i < 4; ++i)
        archive[i] = static_cast<std::uint8_t>(version >> (8 * i));
    const std::vector<std::uint8_t> store = EncodeSkinStore(archive);
    const auto path = std::filesystem::temp_directory_path() / name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(store.data()), store.size());
    return path;
}

TEST(SkinInfo, RefusesWhatDoesNotLoad) {
    EXPECT_EQ(SkinInfo({}).Code, SkinInfoUsage);
    EXPECT_EQ(SkinInfo({"a", "b"}).Code, SkinInfoUsage);
    const TRun help = SkinInfo({"--help"});
    EXPECT_EQ(help.Code, SkinInfoOk);
    EXPECT_THAT(help.Out, HasSubstr("usage: skininfo STORE.skn"));

    const TRun missing = SkinInfo({"C:\\no\\such.skn"});
    EXPECT_EQ(missing.Code, SkinInfoNotLoaded);
    EXPECT_THAT(missing.Err, HasSubstr("cannot load C:\\no\\such.skn"));
    EXPECT_TRUE(missing.Out.empty());

    const auto old = TempStore("orvo_old.skn", 10000, "");
    const TRun refused = SkinInfo({old.string()});
    EXPECT_EQ(refused.Code, SkinInfoNotLoaded);
    EXPECT_THAT(refused.Err, HasSubstr("This is Older Skin File Please update to new version !"));

    const auto junk = std::filesystem::temp_directory_path() / "orvo_junk.skn";
    std::ofstream(junk, std::ios::binary) << "not a skin store at all";
    EXPECT_EQ(SkinInfo({junk.string()}).Code, SkinInfoNotLoaded);
    std::filesystem::remove(old);
    std::filesystem::remove(junk);
}

TEST(SkinInfo, NamesTheScalesAStoreHasImagesFor) {
    const auto bitmap = [](int w, int h) { return WriteBmp32(TImage32(w, h, 0x336699)); };
    TSkinArchiveWriter writer;
    writer.Add("B.bmp", bitmap(90, 21));
    const std::string ini = "[Buttons]\nBitmap=B.bmp\n";
    writer.Add("skin.ini", std::vector<std::uint8_t>(ini.begin(), ini.end()));
    writer.Add("B@150.bmp", bitmap(135, 32));
    writer.Add("B@200.bmp", bitmap(181, 42)); // not five frames of 36: no image for 200 %
    const std::vector<std::uint8_t> store = EncodeSkinStore(writer.Build());
    const auto path = std::filesystem::temp_directory_path() / "orvo_scales.skn";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(store.data()), store.size());
    const TRun run = SkinInfo({path.string()});
    ASSERT_EQ(run.Code, SkinInfoOk) << run.Err;
    EXPECT_THAT(run.Out, HasSubstr("\nscales|store|150,200\nscales|B.bmp|150\n"));
    std::filesystem::remove(path);
}

TEST(SkinInfo, TheProgramPrintsTheSameReport) {
    const auto store = TempStore("orvo_tiny.skn", 20000, "[TitlebarSkin]\nSkinName=Tiny\n");
    const TRun inProcess = SkinInfo({store.string()});
    const TProcessResult child = RunProcess(OwnDirectory() / ORVO_SKININFO_TOOL, {store.string()},
                                            std::filesystem::temp_directory_path());
    EXPECT_EQ(child.ExitCode, 0) << child.Err;
    EXPECT_EQ(child.Out, inProcess.Out);
    EXPECT_THAT(child.Out, ::testing::StartsWith("skin|SkinName|Tiny\n"));
    const TProcessResult bad = RunProcess(OwnDirectory() / ORVO_SKININFO_TOOL, {"missing.skn"},
                                          std::filesystem::temp_directory_path());
    EXPECT_EQ(bad.ExitCode, 2);
    EXPECT_THAT(bad.Err, HasSubstr("cannot load missing.skn"));
    std::filesystem::remove(store);
}

} // namespace
} // namespace orvo::test

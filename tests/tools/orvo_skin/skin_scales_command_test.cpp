// orvo-skin and the per-scale images of a store: packing them, checking them, reporting them.
#include "tests/tools/orvo_skin/skin_command_fixture.h"

#include "core/skinfile/skin_reader.h"

namespace orvo {
namespace {
using namespace test;

std::uint64_t Fnv1a(const TBytes& bytes) {
    std::uint64_t h = 0xcbf29ce484222325ull;
    for (const std::uint8_t b : bytes) h = (h ^ b) * 0x100000001b3ull;
    return h;
}

// A small skin as a designer's folder holds it: an INI and bitmaps of several kinds.
class SkinScales : public SkinCommand {
protected:
    void PutSkin() {
        Put("art/skin.ini", Text("[Buttons]\r\nBitmap=Buttons.bmp\r\nCheckButton=Check.bmp\r\nLeftWidth=8\r\n"
                                 "[Personality]\r\nTop=Top.bmp\r\nTopFrame=2\r\n[Headerbar]\r\nImage=Header.bmp\r\n"
                                 "[MenuBackground]\r\nImage=Menu.bmp\r\n"));
        Put("art/Buttons.bmp", Bitmap(90, 21)); // 5 frames of 18
        Put("art/Check.bmp", Bitmap(52, 13));   // 4 frames of 13
        Put("art/Top.bmp", Bitmap(40, 58));     // 2 frames of 29, stacked
        Put("art/Header.bmp", Bitmap(72, 18));  // 5 frames of 14 and 2 spare columns
        Put("art/Menu.bmp", Bitmap(20, 20));
    }
};

TEST_F(SkinScales, AStoreWithoutPerScaleImagesPacksAsBefore) {
    PutSkin();
    ASSERT_EQ(Run({"pack", Path("art"), Path("s.skn")}), SkinExitOk) << FErr;
    // The store this folder made before stores carried other scales, byte for byte.
    EXPECT_EQ(Fnv1a(ReadWholeFile(FDir / "s.skn")), 0x85aed7b1c9cd49c7ull);
}

TEST_F(SkinScales, PerScaleImagesFollowTheIniAndLeaveTheSkinAsItWas) {
    PutSkin();
    ASSERT_EQ(Run({"pack", Path("art"), Path("plain.skn")}), SkinExitOk) << FErr;
    Put("art/Buttons@200.bmp", Bitmap(180, 42));
    Put("art/Buttons@150.bmp", Bitmap(135, 32));
    Put("art/check@150.bmp", Bitmap(80, 20)); // another letter case than Check.bmp: still its image
    Put("art/Top@150.bmp", Bitmap(60, 88));   // frames of 44 rows: 58 * 1.5 would be 87
    Put("art/Header@150.bmp", Bitmap(108, 27)); // 5 frames of 21 and 3 spare columns
    ASSERT_EQ(Run({"pack", Path("art"), Path("s.skn")}), SkinExitOk) << FErr;
    ASSERT_EQ(Run({"list", Path("s.skn")}), SkinExitOk) << FErr;
    std::string names;
    for (std::size_t at = 0; at < FOut.size();) {
        const std::size_t end = FOut.find('\n', at);
        names += FOut.substr(at, FOut.find(' ', at) - at) + ",";
        at = end + 1;
    }
    EXPECT_EQ(names, "Buttons.bmp,Check.bmp,Top.bmp,Header.bmp,Menu.bmp,skin.ini,"
                     "Buttons@150.bmp,check@150.bmp,Top@150.bmp,Header@150.bmp,Buttons@200.bmp,");
    // A reader that takes the first entry of a name sees the skin it saw before.
    TSkinReader plain, scaled;
    ASSERT_TRUE(plain.Load(ReadWholeFile(FDir / "plain.skn")));
    ASSERT_TRUE(scaled.Load(ReadWholeFile(FDir / "s.skn")));
    std::string a, b;
    EXPECT_EQ(plain.FindEntry(".ini", a), scaled.FindEntry(".ini", b));
    EXPECT_EQ(a, b);
    for (const TSkinEntry& e : plain.Entries()) EXPECT_EQ(plain.GetEntry(e.Name), scaled.GetEntry(e.Name)) << e.Name;

    ASSERT_EQ(Run({"info", Path("s.skn")}), SkinExitOk) << FErr;
    EXPECT_EQ(FOut, "store: 11 entries, 5 images, scales 100 150 200\n"
                    "scale 150: 4 of 5 images\n"
                    "scale 200: 1 of 5 images\n"
                    "image Buttons.bmp 90x21 5 frames: 100 150 200\n"
                    "image Check.bmp 52x13 4 frames: 100 150\n"
                    "image Top.bmp 40x58 2 frames stacked: 100 150\n"
                    "image Header.bmp 72x18 5 frames: 100 150\n"
                    "image Menu.bmp 20x20 1 frame: 100\n");
    ASSERT_EQ(Run({"check", Path("s.skn")}), SkinExitOk) << FErr;
    EXPECT_NE(FOut.find("checked 5 images and 5 for other scales: 0 errors, 1 warnings"), std::string::npos) << FOut;
    ASSERT_EQ(Run({"info", Path("plain.skn")}), SkinExitOk) << FErr;
    EXPECT_NE(FOut.find("store: 6 entries, 5 images, scales 100\nimage Buttons.bmp"), std::string::npos) << FOut;
}

TEST_F(SkinScales, PackRefusesPerScaleImagesThatDoNotFitNamingThem) {
    PutSkin();
    const auto refused = [this](const std::string& file, const TBytes& bytes, const std::string& message) {
        Put("art/" + file, bytes);
        EXPECT_EQ(Run({"pack", Path("art"), Path("s.skn")}), SkinExitFailed) << file;
        EXPECT_NE(FErr.find(message), std::string::npos) << FErr;
        EXPECT_FALSE(fs::exists(FDir / "s.skn"));
        fs::remove(FDir / "art" / file);
    };
    refused("Buttons@150.bmp", Bitmap(136, 32),
            "'Buttons@150.bmp' is 136 x 32 pixels; at 150 % it must have 5 frames of 27 x 32 side by side: "
            "135 x 32 pixels (the 100 % image 'Buttons.bmp' scaled)");
    refused("Top@150.bmp", Bitmap(60, 87), "at 150 % it must have 2 frames of 60 x 44 stacked: 60 x 88 pixels");
    refused("Header@200.bmp", Bitmap(145, 36), "5 frames of 28 x 36 side by side: 140 x 36 to 144 x 36 pixels");
    refused("Menu@110.bmp", Bitmap(22, 22), "'Menu@110.bmp': 110 % is not a scale a skin store carries");
    refused("Gone@150.bmp", Bitmap(30, 30), "'Gone@150.bmp' has no 100 % image: the INI names no 'Gone.bmp'");
    refused("Menu@150.bmp", Text("BM not really"), "'Menu@150.bmp' is not a readable bitmap");
#ifndef _WIN32 // names that differ only in case are one file there
    Put("art/menu@150.bmp", Bitmap(30, 30));
    refused("Menu@150.bmp", Bitmap(30, 30), "differ only in letter case");
#endif
}

TEST_F(SkinScales, CheckJudgesEveryPerScaleEntryOfAStore) {
    const std::string ini = "[Buttons]\nBitmap=Buttons.bmp\n[Scrollbar]\nImage=Arrows.bmp\n";
    const std::string store = Store({{"Buttons.bmp", Bitmap(90, 21)},
                                     {"Early@150.bmp", Bitmap(3, 3)}, // before 100 % entries, and no 100 % image
                                     {"Arrows.bmp", Bitmap(391, 17)},
                                     {"Spare.bmp", Bitmap(4, 4)},
                                     {"skin.ini", Text(ini)},
                                     {"Buttons@125.bmp", Bitmap(115, 26)}, // 5 frames of 23, 26 high: fits
                                     {"Arrows@125.bmp", Bitmap(489, 21)},  // the strip scaled, not its frames
                                     {"Arrows@175.bmp", Text("junk")},
                                     {"Spare@200.bmp", Bitmap(8, 8)},
                                     {"Buttons@111.bmp", Bitmap(100, 23)}});
    EXPECT_EQ(Run({"check", store}), SkinExitFailed);
    for (const char* expected : {
             "error: [Scrollbar] Image: 'Arrows@125.bmp' is 489 x 21 pixels; at 125 % it must have 23 frames of "
             "21 x 21 side by side: 483 x 21 pixels",
             "error: [Scrollbar] Image: 'Arrows@175.bmp' is not a readable bitmap",
             "error: 'Early@150.bmp' has no 100 % image: the archive holds no 'Early.bmp'",
             "warning: 'Early@150.bmp' comes before the 100 % entry 'skin.ini'",
             "warning: 'Spare@200.bmp' is not used: no section names 'Spare.bmp'",
             "error: 'Buttons@111.bmp': 111 % is not a scale a skin store carries (125, 150, 175, 200, 250, 300)",
         })
        EXPECT_NE(FErr.find(expected), std::string::npos) << expected << "\n" << FErr;
    EXPECT_EQ(FErr.find("Buttons@125"), std::string::npos) << FErr;
    EXPECT_NE(FOut.find("checked 2 images and 3 for other scales: 4 errors, 2 warnings"), std::string::npos) << FOut;
}

} // namespace
} // namespace orvo

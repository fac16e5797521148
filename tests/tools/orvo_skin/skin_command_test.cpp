#include "tests/tools/orvo_skin/skin_command_fixture.h"

namespace orvo {
namespace {
using namespace test;

TEST_F(SkinCommand, UsageErrors) {
    EXPECT_EQ(Run({}), SkinExitUsage);
    EXPECT_NE(FErr.find("usage"), std::string::npos);
    EXPECT_EQ(Run({"shrink", "a"}), SkinExitUsage);
    EXPECT_NE(FErr.find("unknown command 'shrink'"), std::string::npos);
    EXPECT_EQ(Run({"pack", "onlyone"}), SkinExitUsage);
    EXPECT_EQ(Run({"--help"}), SkinExitOk);
}

TEST_F(SkinCommand, PackOrdersBitmapsByFirstMentionAndUnpacksThemBack) {
    // Named in another case than on disk, named twice, named through a directory; one not named.
    Put("art/skin.ini", Text("Top=Stray.bmp\r\n[A]\r\nImage=Second.bmp\r\n[B]\r\nX=checkbox.BMP\r\n"
                             "Y=..\\elsewhere\\Second.bmp\r\nZ=First.bmp\r\n; W=Commented.bmp\r\n"));
    Put("art/Second.bmp", Bitmap(4, 2));
    Put("art/CheckBox.bmp", Bitmap(3, 3));
    Put("art/First.bmp", Bitmap(1, 1));
    Put("art/Unused.bmp", Bitmap(1, 1));
    ASSERT_EQ(Run({"pack", Path("art"), Path("s.skn")}), SkinExitOk) << FErr;
    EXPECT_NE(FOut.find("packed 4 entries"), std::string::npos);
    ASSERT_EQ(Run({"list", Path("s.skn")}), SkinExitOk) << FErr;
    EXPECT_EQ(FOut, "Second.bmp " + std::to_string(Bitmap(4, 2).size()) + "\nCheckBox.bmp " +
                        std::to_string(Bitmap(3, 3).size()) + "\nFirst.bmp " +
                        std::to_string(Bitmap(1, 1).size()) + "\nskin.ini " +
                        std::to_string(ReadWholeFile(FDir / "art/skin.ini").size()) + "\n");
    ASSERT_EQ(Run({"unpack", Path("s.skn"), Path("out")}), SkinExitOk) << FErr;
    for (const char* name : {"Second.bmp", "CheckBox.bmp", "First.bmp", "skin.ini"})
        EXPECT_EQ(ReadWholeFile(FDir / "out" / name), ReadWholeFile(FDir / "art" / name)) << name;
    EXPECT_FALSE(fs::exists(FDir / "out/Unused.bmp"));
}

TEST_F(SkinCommand, PackRefusesIncompleteSkins) {
    EXPECT_EQ(Run({"pack", Path("art"), Path("s.skn")}), SkinExitFailed);
    EXPECT_NE(FErr.find("no .ini file"), std::string::npos);
    Put("art/a.ini", Text("[A]\nImage=Missing.bmp\n"));
    EXPECT_EQ(Run({"pack", Path("art"), Path("s.skn")}), SkinExitFailed);
    EXPECT_NE(FErr.find("'Missing.bmp' named in the INI is missing"), std::string::npos);
    Put("art/Missing.bmp", Text("not a bitmap"));
    EXPECT_EQ(Run({"pack", Path("art"), Path("s.skn")}), SkinExitFailed);
    EXPECT_NE(FErr.find("not a bitmap the skin can load"), std::string::npos);
    Put("art/b.INI", Text(""));
    EXPECT_EQ(Run({"pack", Path("art"), Path("s.skn")}), SkinExitFailed);
    EXPECT_NE(FErr.find("several .ini files"), std::string::npos);
    EXPECT_FALSE(fs::exists(FDir / "s.skn"));
    EXPECT_EQ(Run({"pack", Path("nowhere"), Path("s.skn")}), SkinExitFailed);
}

TEST_F(SkinCommand, CheckReportsWhatTheSkinCannotUse) {
    const std::string ini =
        "[Buttons]\nBitmap=Buttons.bmp\nCheckButton=Check.bmp\n[Scrollbar]\nImage=Arrows.bmp\n"
        "[Tabs]\nImage=Tab.BMP\n[Button0]\nButtonImage=Close.bmp\n[Headerbar]\nImage=Bad.bmp\n";
    const std::string store = Store({{"Buttons.bmp", Bitmap(90, 21)},
                                     {"Check.bmp", Bitmap(50, 13)}, // 50 / 13 gives 4 frames, 2 pixels over
                                     {"Arrows.bmp", Bitmap(46, 2)}, // 23 frames of 2
                                     {"Close.bmp", Bitmap(57, 19)}, // 3 frames of 19
                                     {"Tab.BMP", Bitmap(5, 5)},
                                     {"Bad.bmp", Text("BMjunk")},
                                     {"skin.ini", Text(ini)}});
    EXPECT_EQ(Run({"check", store}), SkinExitFailed);
    EXPECT_NE(FErr.find("error: [Headerbar] Image: 'Bad.bmp' is not a readable bitmap"), std::string::npos)
        << FErr;
    EXPECT_NE(
        FErr.find("warning: [Buttons] CheckButton: 'Check.bmp' is 50 pixels wide, not a multiple of its 4"),
        std::string::npos)
        << FErr;
    EXPECT_NE(FErr.find("warning: [Tabs] Image: 'Tab.BMP' is not loaded"), std::string::npos) << FErr;
    EXPECT_EQ(FErr.find("Arrows"), std::string::npos) << FErr;
    EXPECT_EQ(FErr.find("Close"), std::string::npos) << FErr;
    EXPECT_NE(FOut.find("checked 5 images: 1 errors, 2 warnings"), std::string::npos) << FOut;

    EXPECT_EQ(Run({"check", Store({{"skin.ini", Text("[Scrollbar]\nImage=Gone.bmp\n")}})}), SkinExitFailed);
    EXPECT_NE(FErr.find("'Gone.bmp' is missing from the archive"), std::string::npos) << FErr;
    EXPECT_EQ(Run({"check", Store({{"a.bmp", Bitmap(1, 1)}})}), SkinExitFailed);
    EXPECT_NE(FErr.find("no .ini entry"), std::string::npos);
}

TEST_F(SkinCommand, EncodeDecodeAndDamagedStores) {
    Put("data.bin", Text(std::string(5000, 'q') + "tail"));
    ASSERT_EQ(Run({"encode", Path("data.bin"), Path("data.skn")}), SkinExitOk) << FErr;
    ASSERT_EQ(Run({"decode", Path("data.skn"), Path("back.bin")}), SkinExitOk) << FErr;
    EXPECT_EQ(ReadWholeFile(FDir / "back.bin"), ReadWholeFile(FDir / "data.bin"));

    TBytes cut = ReadWholeFile(FDir / "data.skn");
    cut.resize(cut.size() / 2);
    Put("cut.skn", cut);
    EXPECT_EQ(Run({"decode", Path("cut.skn"), Path("x.bin")}), SkinExitFailed);
    EXPECT_NE(FErr.find("LZH"), std::string::npos);
    EXPECT_FALSE(fs::exists(FDir / "x.bin"));
    // Any bytes decode, but they are no archive: "qqqq" is no version we know.
    EXPECT_EQ(Run({"list", Path("data.skn")}), SkinExitFailed);
    EXPECT_NE(FErr.find("unknown version"), std::string::npos);
    Put("short.bin", Text(std::string("\x20\x4E\0\0", 4))); // version 20000, then nothing
    ASSERT_EQ(Run({"encode", Path("short.bin"), Path("short.skn")}), SkinExitOk);
    EXPECT_EQ(Run({"list", Path("short.skn")}), SkinExitFailed);
    EXPECT_NE(FErr.find("not a usable skin store"), std::string::npos);
    EXPECT_EQ(Run({"list", Path("absent.skn")}), SkinExitFailed);
    EXPECT_NE(FErr.find("cannot read"), std::string::npos);
}

TEST_F(SkinCommand, UnpackWritesOnlyPlainNames) {
    const std::string store = Store({{"../escape.bmp", Text("x")}, {"ok.ini", Text("y")}});
    EXPECT_EQ(Run({"unpack", store, Path("out")}), SkinExitFailed);
    EXPECT_NE(FErr.find("not a plain file name"), std::string::npos);
    EXPECT_FALSE(fs::exists(FDir / "escape.bmp"));
    EXPECT_FALSE(fs::exists(FDir / "out/ok.ini"));
    // A repeated name is written once, with the entry the skin would read.
    const std::string twice = Store({{"a.ini", Text("first")}, {"A.INI", Text("second")}});
    EXPECT_EQ(Run({"unpack", twice, Path("out2")}), SkinExitOk);
    EXPECT_EQ(ReadWholeFile(FDir / "out2/a.ini"), Text("first"));
    EXPECT_NE(FErr.find("skipped 'A.INI'"), std::string::npos);
}

} // namespace
} // namespace orvo

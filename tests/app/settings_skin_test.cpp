// The window's skin menu and the settings it keeps: switching at run time, a store that does not
// load, every choice written at once, and, from outside, a restart that brings them back and a
// damaged or stale settings file that is harmless.
#include "app/settings_file.h"
#include "platform/wide_text.h"
#include "skin/data/skin_protocol.h"
#include "tests/app/app_test_support.h"
#include "tests/app/splitter_process.h"

#include <gmock/gmock.h>

#include <algorithm>

namespace orvo {

// Failures show the settings as their file says them.
void PrintTo(const TWindowSettings& settings, std::ostream* out) {
    *out << FormatWindowSettings(settings);
}

namespace {

using test::AppWindow;
using test::TSplitterWithSettings;
using test::TTempDir;
using testing::HasSubstr;

// The menu items as a click on them reaches the window.
void Choose(TMenuItem* item) {
    SendMessageW(fMainWin->Handle(), WM_COMMAND, item->Command(), 0);
    test::Pump(50);
}

std::vector<TMenuItem*> SkinItems() {
    TfMainWin& w = *fMainWin;
    return {w.miSkinSlate, w.miSkinJade, w.miSkinNight, w.miSkinFile, w.miSkinNone};
}

TMenuItem* CheckedSkinItem() {
    std::vector<TMenuItem*> checked;
    for (TMenuItem* item : SkinItems())
        if (item->Checked()) checked.push_back(item);
    return checked.size() == 1 ? checked.front() : nullptr;
}

std::wstring LogText() {
    return fMainWin->MemoLog->Text();
}

TEST_F(AppWindow, TheSkinMenuSwitchesAtRunTimeAndAStoreThatDoesNotLoadChangesNothing) {
    EXPECT_EQ(CheckedSkinItem(), Win().miSkinSlate);
    const std::wstring slate = Win().SkinData1->SkinName();

    Choose(Win().miSkinNight);
    EXPECT_EQ(CheckedSkinItem(), Win().miSkinNight);
    EXPECT_THAT(Win().SkinData1->SkinName(), HasSubstr(L"Night"));
    EXPECT_EQ(Win().Skin(), TSkinChoice::Night);
    EXPECT_EQ(SendMessageW(Win().Handle(), SKM_ISSKINNED, 0, 0), 1);

    Choose(Win().miSkinNone);
    EXPECT_EQ(CheckedSkinItem(), Win().miSkinNone);
    EXPECT_FALSE(Win().SkinData1->Active());

    // Not a store: refused, said in the log, the platform's look stays.
    TTempDir dir;
    test::WriteBytes(dir.Path() / L"坏.skn", "not a skin at all");
    const std::wstring refused = Win().UseSkin(TSkinChoice::File, dir / L"坏.skn");
    EXPECT_THAT(refused, HasSubstr(L"坏.skn"));
    EXPECT_THAT(LogText(), HasSubstr(L"皮肤未能载入：" + refused));
    EXPECT_EQ(CheckedSkinItem(), Win().miSkinNone);
    EXPECT_FALSE(Win().SkinData1->Active());
    EXPECT_EQ(Win().Skin(), TSkinChoice::None);

    // A real store from disk, then Jade, then the built-in skin again.
    EXPECT_EQ(Win().UseSkin(TSkinChoice::File, test::WinePath(ORVO_NIGHT_SKIN_STORE)), L"");
    EXPECT_EQ(CheckedSkinItem(), Win().miSkinFile);
    EXPECT_TRUE(Win().SkinData1->Active());
    Choose(Win().miSkinJade);
    EXPECT_THAT(Win().SkinData1->SkinName(), HasSubstr(L"Jade"));
    Choose(Win().miSkinSlate);
    EXPECT_EQ(CheckedSkinItem(), Win().miSkinSlate);
    EXPECT_EQ(Win().SkinData1->SkinName(), slate);
}

TEST_F(AppWindow, EveryChoiceIsWrittenAtOnceAndAFailedWriteIsReportedNotFatal) {
    TTempDir dir;
    const std::wstring path = dir / L"settings.ini";
    Win().KeepSettings(path); // no file yet: the defaults
    EXPECT_EQ(Win().edtSplitLineNum->Text(), L"3000");
    EXPECT_EQ(Win().edtSaveToDir->Text(), L"");
    EXPECT_FALSE(std::filesystem::exists(path));

    Win().edtSaveToDir->SetText(L"C:\\拆分到");
    Win().edtSplitLineNum->SetText(L"250");
    Choose(Win().miSkinJade);
    TWindowSettings expected;
    expected.TargetDir = "C:\\拆分到";
    expected.Options.LineCount = 250;
    expected.Skin = TSkinChoice::Jade;
    EXPECT_EQ(LoadSettingsFile(path), expected);
    EXPECT_FALSE(std::filesystem::exists(path + L".tmp"));

    // A line count that is no count keeps the last one taken.
    Win().edtSplitLineNum->SetText(L"");
    Choose(Win().miSkinSlate);
    expected.Skin = TSkinChoice::Slate;
    EXPECT_EQ(LoadSettingsFile(path), expected);

    // The folder cannot be made (a file has its name): the log says so, the window goes on.
    test::WriteBytes(dir.Path() / L"occupied", "x");
    Win().KeepSettings(dir / L"occupied\\settings.ini");
    Choose(Win().miSkinNight);
    EXPECT_THAT(LogText(), HasSubstr(L"设置未能保存："));
    EXPECT_EQ(CheckedSkinItem(), Win().miSkinNight);
    Choose(Win().miSkinSlate);
}

// ---- from outside: the program started as the user starts it -------------------------------------

// Dark: the mean of the channels under 100.
bool Dark(COLORREF c) {
    return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 100;
}

bool Has(const std::vector<std::wstring>& texts, const std::wstring& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST_F(AppWindow, SettingsSurviveARestartAndADamagedOrStaleFileIsHarmless) {
    // The command numbers the program gives its menu items are the ones this process gave.
    const UINT slateCommand = Win().miSkinSlate->Command();
    TTempDir dir;
    const std::wstring path = dir / L"settings.ini";
    TWindowSettings kept;
    kept.TargetDir = WideToUtf8(dir / L"目标");
    kept.Options.LineCount = 250;
    kept.Skin = TSkinChoice::Night;
    test::WriteBytes(path, FormatWindowSettings(kept));
    {
        TSplitterWithSettings program(dir.Path().wstring());
        ASSERT_TRUE(program.Main()) << "started with the settings";
        const auto edits = program.TextsOf(L"TEdit");
        EXPECT_TRUE(Has(edits, L"250"));
        EXPECT_TRUE(Has(edits, dir / L"目标"));
        EXPECT_TRUE(Dark(program.ClientPixel())) << "under Night";
        // Back to the built-in skin from the menu, then closed: kept for the next start.
        PostMessageW(program.Main(), WM_COMMAND, slateCommand, 0);
        test::WaitFor([] { return false; }, 500);
        EXPECT_FALSE(Dark(program.ClientPixel()));
        ASSERT_TRUE(program.Close());
    }
    kept.Skin = TSkinChoice::Slate;
    EXPECT_EQ(LoadSettingsFile(path), kept);

    // Damaged: the defaults, the built-in skin, and the program works.
    test::WriteBytes(path, std::string("\xff\xfe\0[split]\r\nlines=0\r\nmode=pieces\r\n\x1a", 32));
    {
        TSplitterWithSettings program(dir.Path().wstring());
        ASSERT_TRUE(program.Main()) << "started despite the damaged file";
        const auto edits = program.TextsOf(L"TEdit");
        EXPECT_TRUE(Has(edits, L"3000"));
        EXPECT_EQ(std::count(edits.begin(), edits.end(), L""), 2) << "no source, no target";
        EXPECT_FALSE(Dark(program.ClientPixel()));
    }

    // A store from disk that is gone: the built-in skin, and the log says so.
    TWindowSettings stale;
    stale.Skin = TSkinChoice::File;
    stale.SkinFile = WideToUtf8(dir / L"gone.skn");
    test::WriteBytes(path, FormatWindowSettings(stale));
    {
        TSplitterWithSettings program(dir.Path().wstring());
        ASSERT_TRUE(program.Main());
        const auto logs = program.TextsOf(L"TMemo");
        ASSERT_EQ(logs.size(), 1u);
        EXPECT_THAT(logs.front(), HasSubstr(L"皮肤未能载入："));
        EXPECT_THAT(logs.front(), HasSubstr(L"gone.skn"));
        EXPECT_THAT(logs.front(), HasSubstr(L"已改用内置皮肤"));
        EXPECT_FALSE(Dark(program.ClientPixel()));
    }
}

} // namespace
} // namespace orvo

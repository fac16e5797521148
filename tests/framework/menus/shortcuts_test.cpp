// Shortcut texts both ways and the mnemonic rules of captions.
#include "framework/menus/shortcuts.h"

#include <gtest/gtest.h>

#include <string>

namespace orvo {
namespace {

TEST(ShortCut, TextNamesModifiersInFixedOrderAndTheKey) {
    EXPECT_EQ(ShortCutToText(scCtrl | 'S'), L"Ctrl+S");
    EXPECT_EQ(ShortCutToText(scShift | VK_F10), L"Shift+F10");
    EXPECT_EQ(ShortCutToText(VK_DELETE), L"Del");
    EXPECT_EQ(ShortCutToText(scAlt | VK_F4), L"Alt+F4");
    EXPECT_EQ(ShortCutToText(scAlt | scCtrl | scShift | VK_HOME), L"Shift+Ctrl+Alt+Home");
    EXPECT_EQ(ShortCutToText(VK_NUMPAD5), L"Num 5");
    EXPECT_EQ(ShortCutToText(VK_F24), L"F24");
    EXPECT_EQ(ShortCutToText(scCtrl | '0'), L"Ctrl+0");
    // A key without a name has no text at all, not a lone "Ctrl+".
    EXPECT_EQ(ShortCutToText(scCtrl | 0x07), L"");
    EXPECT_EQ(ShortCutToText(scNone), L"");
}

TEST(ShortCut, EveryNamedShortcutReadsBackToItself) {
    int named = 0;
    for (int key = 1; key <= 0xFF; ++key)
        for (int modifiers :
             {0, scShift + 0, scCtrl + 0, scAlt + 0, scShift | scCtrl, scCtrl | scAlt | scShift}) {
            const auto shortCut = static_cast<TShortCut>(key | modifiers);
            const std::wstring text = ShortCutToText(shortCut);
            if (text.empty()) continue;
            ++named;
            EXPECT_EQ(TextToShortCut(text), shortCut) << "text " << std::string(text.begin(), text.end());
        }
    EXPECT_GT(named, 6 * 80);
}

TEST(ShortCut, TextIsReadWithoutCaseInAnyModifierOrder) {
    EXPECT_EQ(TextToShortCut(L"ctrl+shift+a"), scShift | scCtrl | 'A');
    EXPECT_EQ(TextToShortCut(L"ALT+F4"), scAlt | VK_F4);
    EXPECT_EQ(TextToShortCut(L"del"), VK_DELETE);
    EXPECT_EQ(TextToShortCut(L"Alt+Ctrl+PgDn"), scCtrl | scAlt | VK_NEXT);
    for (const wchar_t* bad : {L"", L"Ctrl+", L"Ctrl", L"Foo", L"Ctrl+Foo", L"F25", L"Ctrl+S+", L" Ctrl+S"})
        EXPECT_EQ(TextToShortCut(bad), scNone) << std::string(bad, bad + wcslen(bad));
}

TEST(ShortCut, BuiltFromKeyAndShiftAndTakenApart) {
    EXPECT_EQ(ShortCut('S', TShiftState{ssCtrl}), scCtrl | 'S');
    // Mouse buttons and double clicks are not part of a shortcut.
    EXPECT_EQ(ShortCut(VK_F1, TShiftState{ssShift, ssLeft, ssDouble}), scShift | VK_F1);
    EXPECT_EQ(ShortCut(0, TShiftState{ssCtrl}), scNone);
    EXPECT_EQ(ShortCut(0x100, TShiftState{}), scNone);
    WORD key = 0;
    TShiftState shift;
    ShortCutToKey(scAlt | scShift | VK_TAB, key, shift);
    EXPECT_EQ(key, VK_TAB);
    EXPECT_EQ(shift, (TShiftState{ssAlt, ssShift}));
}

TEST(Mnemonic, FoundAfterTheFirstSingleAmpersandAndComparedWithoutCase) {
    EXPECT_TRUE(IsAccel('F', L"&File"));
    EXPECT_TRUE(IsAccel('f', L"&File"));
    EXPECT_FALSE(IsAccel('I', L"&File"));
    EXPECT_FALSE(IsAccel('F', L"&&File")); // a literal ampersand
    EXPECT_TRUE(IsAccel('X', L"Save && E&xit"));
    EXPECT_TRUE(IsAccel('f', L"文件(&F)"));
    EXPECT_TRUE(IsAccel(L'文', L"&文件"));
    EXPECT_FALSE(IsAccel('A', L"Trailing&"));
    EXPECT_FALSE(IsAccel(0, L"&File"));
    EXPECT_EQ(GetHotkey(L"&A&B"), L'A');
    EXPECT_EQ(GetHotkey(L"None"), L'\0');
}

TEST(Mnemonic, StrippedCaptionsShowLiteralAmpersandsOnce) {
    EXPECT_EQ(StripHotkey(L"&File"), L"File");
    EXPECT_EQ(StripHotkey(L"Save && E&xit"), L"Save & Exit");
    EXPECT_EQ(StripHotkey(L"文件(&F)"), L"文件(F)");
    EXPECT_EQ(StripHotkey(L"a&&&b"), L"a&b");
    EXPECT_EQ(StripHotkey(L"&"), L"");
    EXPECT_EQ(StripHotkey(L""), L"");
}

} // namespace
} // namespace orvo

#include "framework/graphics/color.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace orvo {
namespace {

TEST(Color, SystemColoursResolveAndPlainOnesStay) {
    EXPECT_EQ(clBtnFace, static_cast<TColor>(0xFF00000F));
    EXPECT_EQ(ColorToRGB(clBtnFace), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(ColorToRGB(clMenuBar), static_cast<TColor>(GetSysColor(COLOR_MENUBAR)));
    EXPECT_EQ(ColorToRGB(0x123456), 0x123456);
    EXPECT_EQ(ColorToColorRef(0x02123456), 0x123456u);
}

TEST(Color, IdentifiersAndTextRoundTrip) {
    EXPECT_EQ(IdentToColor(L"clBtnFace"), clBtnFace);
    EXPECT_EQ(IdentToColor(L"CLFUCHSIA"), clFuchsia); // identifiers ignore case
    EXPECT_EQ(IdentToColor(L"clPlaid"), std::nullopt);
    EXPECT_EQ(ColorToString(cl3DDkShadow), L"cl3DDkShadow");
    EXPECT_EQ(ColorToString(0x00123456), L"$00123456");
    for (TColor c : {clNavy, clInfoBk, clNone, clDefault, TColor{0x00ABCDEF}, TColor{-16777201}})
        EXPECT_EQ(StringToColor(ColorToString(c)), c);
    EXPECT_EQ(StringToColor(L"16711935"), clFuchsia);
    EXPECT_EQ(StringToColor(L"-16777201"), clBtnFace);
    EXPECT_EQ(StringToColor(L"$FF00000F"), clBtnFace);
    for (const wchar_t* bad :
         {L"", L"$", L"-", L"12a", L"$1G", L"99999999999", L"$123456789", L"-2147483649"})
        EXPECT_EQ(StringToColor(bad), std::nullopt) << bad;
}

} // namespace
} // namespace orvo

// Integer conversion, UTF-8 <-> UTF-16 and exception messages.
#include "framework/base/exceptions.h"
#include "framework/base/sysutils.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace orvo {
namespace {

TEST(SysUtils, StrToIntBoundariesAndMessage) {
    EXPECT_EQ(StrToInt(L"-2147483648"), INT32_MIN);
    EXPECT_EQ(StrToInt(L"2147483647"), INT32_MAX);
    EXPECT_EQ(StrToInt(L"+7"), 7);
    EXPECT_EQ(StrToInt(L"00000"), 0);
    EXPECT_EQ(StrToInt(L"$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt(L"0x1f"), 31);
    for (const wchar_t* bad :
         {L"2147483648", L"-2147483649", L"", L"-", L" 1", L"1 ", L"$", L"$123456789", L"1e3", L"９"})
        EXPECT_FALSE(TryStrToInt(bad)) << bad;
    EXPECT_EQ(StrToIntDef(L"x", -5), -5);
    try {
        StrToInt(L"12a");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), L"'12a' is not a valid integer value");
        EXPECT_STREQ(e.what(), "'12a' is not a valid integer value");
    }
}

TEST(SysUtils, Utf8RoundTripAndRejects) {
    const std::wstring text = L"Orvo大文件分割机 \U0001F600 é";
    EXPECT_EQ(Utf8Decode(Utf8Encode(text)), text);
    EXPECT_EQ(Utf8Encode(L"\xD800x"), "\xEF\xBF\xBDx") << "a lone surrogate becomes U+FFFD";
    for (const char* bad :
         {"\xC0\x80", "\xE0\x80\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE4\xB8", "\x80", "\xFF"})
        EXPECT_FALSE(TryUtf8Decode(bad)) << bad;
    EXPECT_THROW(Utf8Decode("\xFF"), EConvertError);
}

TEST(SysUtils, NamesCompareAsciiCaseInsensitively) {
    EXPECT_TRUE(SameText(L"TButton", L"tBUTTON"));
    EXPECT_FALSE(SameText(L"É", L"é")) << "only ASCII letters fold";
    EXPECT_TRUE(IsValidIdent(L"_btn1"));
    EXPECT_FALSE(IsValidIdent(L"1btn"));
    EXPECT_FALSE(IsValidIdent(L"btn-1"));
    EXPECT_EQ(IntToHex(0xAB, 4), L"00AB");
}

TEST(Exceptions, OsErrorsCarryTheSystemText) {
    try {
        RaiseOSError(ERROR_FILE_NOT_FOUND);
        FAIL();
    } catch (const EOSError& e) {
        EXPECT_EQ(e.ErrorCode(), static_cast<unsigned long>(ERROR_FILE_NOT_FOUND));
        EXPECT_EQ(e.Message().rfind(L"System Error.  Code: 2.", 0), 0u);
    }
    EXPECT_EQ(ExceptionMessage(std::make_exception_ptr(std::runtime_error("plain"))), L"plain");
    EXPECT_EQ(ExceptionMessage(std::make_exception_ptr(42)), L"Unknown error");
}

} // namespace
} // namespace orvo

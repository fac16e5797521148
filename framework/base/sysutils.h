// Text helpers of the framework: integer conversion, UTF-8 <-> UTF-16, ASCII case rules for the
// names of classes, properties and identifiers (which are ASCII), and system messages.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvo {

// Decimal with an optional sign, or hexadecimal as "$1F" / "0x1F" (up to 8 digits, taken as the
// 32-bit pattern). No blanks. Throws EConvertError "'12a' is not a valid integer value".
std::int32_t StrToInt(std::wstring_view text);
std::int32_t StrToIntDef(std::wstring_view text, std::int32_t fallback);
std::optional<std::int32_t> TryStrToInt(std::wstring_view text);
std::wstring IntToStr(std::int64_t value);
std::wstring IntToHex(std::uint32_t value, int digits);

// Throws EConvertError on invalid UTF-8 (a leading BOM is kept: callers strip it where it belongs).
std::wstring Utf8Decode(std::string_view text);
std::optional<std::wstring> TryUtf8Decode(std::string_view text);
// Unpaired surrogates become U+FFFD.
std::string Utf8Encode(std::wstring_view text);

// ASCII-only case folding: identifiers compare like this everywhere in the framework.
wchar_t AsciiUpper(wchar_t c) noexcept;
wchar_t AsciiLower(wchar_t c) noexcept;
std::wstring UpperCase(std::wstring_view text);
std::wstring LowerCase(std::wstring_view text);
bool SameText(std::wstring_view a, std::wstring_view b) noexcept;
// A valid identifier: a letter or "_" followed by letters, digits or "_" (ASCII).
bool IsValidIdent(std::wstring_view text) noexcept;

std::wstring Trim(std::wstring_view text);
// The system's description of an error code, without the trailing line break.
std::wstring SysErrorMessage(unsigned long code);

} // namespace orvo

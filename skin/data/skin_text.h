// Text helpers of the skin engine: captions are wide strings, drawn with DrawTextW on the NT
// family and through the ANSI call elsewhere.
#pragma once

#include <string>
#include <string_view>
#include <windows.h>

namespace orvo {

// A text of the system ANSI code page as UTF-16.
std::wstring AnsiToWide(std::string_view text);
// UTF-16 as a text of the system ANSI code page (characters it lacks become its default character).
std::string WideToAnsi(std::wstring_view text);

// Draws `text` into `r` with DrawTextW on the NT family, otherwise converted to the ANSI code page
// with DrawTextA. Answers what the drawing call answers (the text height, 0 on failure); with
// DT_CALCRECT `r` receives the measured rectangle.
int DrawTextWide(HDC dc, const std::wstring& text, RECT& r, UINT format);

// The two roads of DrawTextWide, for callers and tests that need one of them.
int DrawTextWideNt(HDC dc, const std::wstring& text, RECT& r, UINT format);
int DrawTextWideAnsi(HDC dc, const std::wstring& text, RECT& r, UINT format);

// True on the Windows NT family (GetVersion's top bit clear).
bool IsNtPlatform();

} // namespace orvo

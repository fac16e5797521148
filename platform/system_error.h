#pragma once
// A failed system call, as the operating system describes it.
#include <string>
#include <string_view>

namespace orvo {

struct TSystemError {
    int Code = 0;        // errno, or GetLastError() on Windows
    std::string Message; // the system's own text, UTF-8, without trailing punctuation or line breaks
};

// Drops the line breaks, blanks and full stops that system messages end with, so the text can be
// embedded in a longer sentence.
std::string TrimSystemMessage(std::string_view message);

// The error of the last failed call on this thread (errno, or GetLastError() on Windows).
TSystemError LastSystemError();

// The error for a known code, with the system's message for it.
TSystemError SystemErrorFromCode(int code);

} // namespace orvo

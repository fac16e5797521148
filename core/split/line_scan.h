#pragma once
// Finding the bytes that matter to the line rules: LF (10), CR (13) and Ctrl-Z (26). Everything
// else is copied as it is, so the scan only has to find these, a block of bytes at a time.

namespace orvo {

inline constexpr char LineFeed = '\n';
inline constexpr char CarriageReturn = '\r';
inline constexpr char EndOfText = '\x1A';

// The first LF, CR or Ctrl-Z in [p, end), or end. Uses the widest vector unit of the machine.
const char* FindLineSpecial(const char* p, const char* end);

// The same without vector instructions, a machine word at a time (used for the tails, and on
// machines without a vector unit).
const char* FindLineSpecialPortable(const char* p, const char* end);

} // namespace orvo

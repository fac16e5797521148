// The program's start: the application's title and its two forms, made as OrvoSplitter.exe makes
// them (the tests start the same way).
#pragma once

namespace orvo {

// The product name, the application's title and the message boxes' caption.
inline constexpr wchar_t ProductName[] = L"Orvo大文件分割机";

// Initialises the application, sets its title, creates fMainWin (the main form) from its stored
// description and fAboutDlg, hidden. The message loop is the caller's.
void StartProgram();

} // namespace orvo

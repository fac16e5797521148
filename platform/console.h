#pragma once
// Text output and arguments of command-line programs, in UTF-8 on every system.
#include <string>
#include <string_view>
#include <vector>

namespace orvo {

enum class TStdStream { Output, Error };

// Prepares the standard streams: a closed output pipe must not kill a program that is still
// writing the user's files.
void InitConsole();

// Writes UTF-8 text so that it reads correctly on a console (Windows: as UTF-16) and through a
// pipe or into a file (as UTF-8 bytes). Returns false when the stream cannot be written.
bool WriteConsoleText(TStdStream stream, std::string_view text);

// True when the stream is a terminal (Windows: a console) rather than a pipe or a file.
bool IsTerminal(TStdStream stream);

// The program's arguments after the program name, as UTF-8; on Windows taken from the wide
// command line, so that any path survives whatever the console code page.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

} // namespace orvo

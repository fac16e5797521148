#include "platform/console.h"

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace orvo {

void InitConsole() {
    std::signal(SIGPIPE, SIG_IGN);
}

bool WriteConsoleText(TStdStream stream, std::string_view text) {
    std::FILE* file = stream == TStdStream::Output ? stdout : stderr;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fflush(file) == 0 && written;
}

bool IsTerminal(TStdStream stream) {
    return ::isatty(stream == TStdStream::Output ? STDOUT_FILENO : STDERR_FILENO) == 1;
}

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
    return arguments;
}

} // namespace orvo

#include "platform/console.h"

#include <csignal>
#include <cstdio>

namespace orvo {

void InitConsole() {
    std::signal(SIGPIPE, SIG_IGN);
}

bool WriteConsoleText(TStdStream stream, std::string_view text) {
    std::FILE* file = stream == TStdStream::Output ? stdout : stderr;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fflush(file) == 0 && written;
}

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
    return arguments;
}

} // namespace orvo

// orvo-split: splits a text file into numbered pieces of at most N lines or SIZE bytes, from the
// command line.
#include "platform/console.h"
#include "tools/orvo_split/split_command.h"

#include <exception>
#include <string>

int main(int argc, char** argv) {
    using namespace orvo;
    InitConsole();
    const auto out = [](std::string_view text) { WriteConsoleText(TStdStream::Output, text); };
    const auto err = [](std::string_view text) { WriteConsoleText(TStdStream::Error, text); };
    try {
        return RunSplitCommand(CommandLineArguments(argc, argv),
                               {out, err, IsTerminal(TStdStream::Output), IsTerminal(TStdStream::Error)});
    } catch (const std::exception& e) {
        err(std::string("orvo-split: ") + e.what() + "\n");
        return ExitIoFailure;
    }
}

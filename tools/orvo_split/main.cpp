// orvo-split: splits a text file into numbered pieces of at most N lines or SIZE bytes, from the
// command line.
#include "platform/console.h"
#include "tools/orvo_split/split_command.h"

#include <atomic>
#include <csignal>
#include <exception>
#include <string>

namespace {

// Ctrl-C stops the work cleanly: the finished pieces stay, the unfinished one goes.
std::atomic<bool> StopAsked{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void AskToStop(int) {
    StopAsked.store(true, std::memory_order_relaxed);
}

} // namespace

int main(int argc, char** argv) {
    using namespace orvo;
    InitConsole();
    std::signal(SIGINT, AskToStop);
    const auto out = [](std::string_view text) { WriteConsoleText(TStdStream::Output, text); };
    const auto err = [](std::string_view text) { WriteConsoleText(TStdStream::Error, text); };
    try {
        return RunSplitCommand(CommandLineArguments(argc, argv),
                               {out, err, IsTerminal(TStdStream::Output), IsTerminal(TStdStream::Error), &StopAsked});
    } catch (const std::exception& e) {
        err(std::string("orvo-split: ") + e.what() + "\n");
        return ExitIoFailure;
    }
}

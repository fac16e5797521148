// orvo-skin: builds, takes apart and checks skin store files.
#include "platform/console.h"
#include "tools/orvo_skin/skin_command.h"

int main(int argc, char** argv) {
    using namespace orvo;
    InitConsole();
    const auto out = [](std::string_view text) { WriteConsoleText(TStdStream::Output, text); };
    const auto err = [](std::string_view text) { WriteConsoleText(TStdStream::Error, text); };
    return RunSkinCommand(CommandLineArguments(argc, argv), out, err);
}

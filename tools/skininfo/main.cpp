// skininfo: what the skin engine reads from a skin store, for skin authors.
#include "platform/console.h"
#include "tools/skininfo/skin_info.h"

int main(int argc, char** argv) {
    using namespace orvo;
    InitConsole();
    const auto out = [](std::string_view text) { WriteConsoleText(TStdStream::Output, text); };
    const auto err = [](std::string_view text) { WriteConsoleText(TStdStream::Error, text); };
    return RunSkinInfo(CommandLineArguments(argc, argv), out, err);
}

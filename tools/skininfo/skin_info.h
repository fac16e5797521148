// skininfo: loads a skin store through the skin component exactly as the program loads a skin
// file, and prints what the engine understood of it, one line per item, in load order.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvo {

class TSkinData;

enum TSkinInfoExitCode : int {
    SkinInfoOk = 0,
    SkinInfoUsage = 1,
    SkinInfoNotLoaded = 2, // the store does not load; stderr says why
};

using TSkinInfoSink = std::function<void(std::string_view text)>;

// Runs `skininfo STORE.skn` with the arguments after the program name (UTF-8).
int RunSkinInfo(const std::vector<std::string>& arguments, const TSkinInfoSink& out,
                const TSkinInfoSink& err);

// The report of a loaded skin: skin, element, button, colour and sample lines, then for a store
// with images for other scales its scales and those of each image.
std::string SkinReport(TSkinData& skin);

} // namespace orvo

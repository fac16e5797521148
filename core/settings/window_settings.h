// What the splitter's window keeps for the next start: the target folder, whether the source's
// own folder is used, every option of a split (the line count included) and the skin.
//
// The text is a small UTF-8 INI file. Reading never fails: a field that is missing, damaged or
// out of range keeps its default, and options that cannot be used together give the default
// options. Writing gives every field, so a file written by this version reads back the same.
#pragma once

#include "core/split/split_options.h"

#include <string>
#include <string_view>

namespace orvo {

enum class TSkinChoice {
    Slate, // the skin stored with the window
    Jade,
    Night,
    File,  // a skin store on disk: SkinFile
    None,  // the platform's look
};

struct TWindowSettings {
    std::string TargetDir; // UTF-8; empty: none chosen
    bool UseFileDir = false;
    TSplitOptions Options; // Options.LineCount is the window's line count
    TSkinChoice Skin = TSkinChoice::Slate;
    std::string SkinFile; // UTF-8; used when Skin is File

    bool operator==(const TWindowSettings&) const;
};

// Larger files are not settings: read as empty.
inline constexpr std::size_t MaxSettingsText = 64 * 1024;

TWindowSettings ParseWindowSettings(std::string_view text);
std::string FormatWindowSettings(const TWindowSettings& settings);

std::string_view SkinChoiceName(TSkinChoice skin);

} // namespace orvo

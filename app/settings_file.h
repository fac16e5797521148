// Where the window's settings are kept for the user, and reading and writing that file.
//
// The file is %APPDATA%\Orvo\settings.ini, or settings.ini in the folder ORVO_SETTINGS_DIR names
// when that variable is set (a portable copy of the program, and the tests, keep theirs apart).
// Reading is tolerant: a missing, unreadable or damaged file gives the defaults. Writing replaces
// the file in one step (a temporary file beside it, written through, then moved over it), so a
// failure at any point leaves the old settings whole.
#pragma once

#include "core/settings/window_settings.h"

#include <string>

namespace orvo {

std::wstring SettingsFilePath();

TWindowSettings LoadSettingsFile(const std::wstring& path);
// Empty when written; else what failed, in Chinese, with the system's reason.
std::wstring SaveSettingsFile(const std::wstring& path, const TWindowSettings& settings);

} // namespace orvo

#pragma once
// Why a split stopped: which operation failed, on which file, and what the system said.
#include "platform/system_error.h"

#include <string>
#include <string_view>

namespace orvo {

enum class TSplitAction { Create, Open, Read, Write, Close, Header };

struct TSplitError {
    TSplitAction Action = TSplitAction::Open;
    std::string Path;    // UTF-8, as the engine used it
    TSystemError System; // the system's code and message

    // One line for the user: <action>“<path>”：<system message>
    std::string Text() const;
};

// The user's words for an action, e.g. "无法创建文件".
std::string_view ActionText(TSplitAction action);

} // namespace orvo

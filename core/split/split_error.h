#pragma once
// Why a split stopped: which operation failed, on which file, and what the system said.
#include "core/split/split_options.h"
#include "platform/system_error.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace orvo {

enum class TSplitAction {
    Create,
    Open,
    Read,
    Write,
    Close,
    Header,
    Refused, // the options or names cannot be used: Refusal says why, nothing was written
    Record,  // CSV: a record grew past the limit; Line is where its quote opened
    Size,    // into N pieces: the source's size cannot be told
    Rename,  // a piece could not get its final name
    Remove,  // the unfinished piece could not be removed
    List,    // the target folder could not be listed (--no-clobber)
};

struct TSplitError {
    TSplitError() = default;
    TSplitError(TSplitAction action, std::string path, TSystemError system, std::uint64_t line = 0)
        : Action(action), Path(std::move(path)), System(std::move(system)), Line(line) {}
    explicit TSplitError(TOptionRefusal refusal) : Action(TSplitAction::Refused), Refusal(std::move(refusal)) {}

    TSplitAction Action = TSplitAction::Open;
    std::string Path;    // UTF-8, as the engine used it
    TSystemError System; // the system's code and message
    std::uint64_t Line = 0;  // Record: the source line where the open quote started
    TOptionRefusal Refusal;  // Refused

    // One line for the user: <action>“<path>”：<system message>, or the refusal's text.
    std::string Text() const;
};

// The user's words for an action, e.g. "无法创建文件".
std::string_view ActionText(TSplitAction action);

} // namespace orvo

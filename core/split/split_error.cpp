#include "core/split/split_error.h"
#include "core/split/split_texts.h"

namespace orvo {

std::string_view ActionText(TSplitAction action) {
    switch (action) {
    case TSplitAction::Create:
        return split_texts::CannotCreate;
    case TSplitAction::Open:
        return split_texts::CannotOpen;
    case TSplitAction::Read:
        return split_texts::ReadFailed;
    case TSplitAction::Write:
        return split_texts::WriteFailed;
    case TSplitAction::Close:
        return split_texts::CloseFailed;
    case TSplitAction::Header:
        return split_texts::HeaderUnusable;
    case TSplitAction::Refused:
        return split_texts::Refused;
    case TSplitAction::Record:
        return split_texts::RecordTooLong;
    case TSplitAction::Size:
        return split_texts::SizeUnknown;
    case TSplitAction::Rename:
        return split_texts::CannotRename;
    case TSplitAction::Remove:
        return split_texts::CannotRemove;
    case TSplitAction::List:
        return split_texts::CannotList;
    }
    return split_texts::CannotOpen;
}

std::string TSplitError::Text() const {
    if (Action == TSplitAction::Refused) return std::string(split_texts::Refused) + std::string(split_texts::Colon) + Refusal.Text();
    std::string text(ActionText(Action));
    text += split_texts::QuoteOpen;
    text += Path;
    text += split_texts::QuoteClose;
    text += split_texts::Colon;
    text += System.Message;
    return text;
}

} // namespace orvo

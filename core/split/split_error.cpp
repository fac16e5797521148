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
    }
    return split_texts::CannotOpen;
}

std::string TSplitError::Text() const {
    std::string text(ActionText(Action));
    text += split_texts::QuoteOpen;
    text += Path;
    text += split_texts::QuoteClose;
    text += split_texts::Colon;
    text += System.Message;
    return text;
}

} // namespace orvo

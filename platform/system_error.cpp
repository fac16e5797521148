#include "platform/system_error.h"

namespace orvo {

std::string TrimSystemMessage(std::string_view message) {
    static constexpr std::string_view FullStop = "\xE3\x80\x82"; // "。", as Chinese systems end messages
    for (;;) {
        if (message.ends_with(FullStop)) {
            message.remove_suffix(FullStop.size());
            continue;
        }
        if (!message.empty() && std::string_view(" \t\r\n.").find(message.back()) != std::string_view::npos) {
            message.remove_suffix(1);
            continue;
        }
        return std::string(message);
    }
}

} // namespace orvo

#include "core/skinfile/colour_text.h"

#include "core/skinfile/ascii_text.h"

namespace orvo {

std::int32_t ParseColour(std::string_view text, std::int32_t def) {
    text = TrimBlanks(text);
    if (text.empty()) return def;
    unsigned components[3] = {0, 0, 0};
    unsigned ended = 0;
    unsigned run = 0; // the digits collected so far, modulo 256
    bool inRun = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            run = (run * 10 + static_cast<unsigned>(c - '0')) % 256;
            inRun = true;
        } else if (inRun) {
            if (ended < 3) components[ended] = run;
            ++ended;
            run = 0;
            inRun = false;
        }
    }
    if (ended == 2 && inRun) components[2] = run;
    return static_cast<std::int32_t>(components[0] | (components[1] << 8) | (components[2] << 16));
}

} // namespace orvo

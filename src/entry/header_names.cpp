#include "entry/header_names.h"

namespace tandrel {

HeaderNameChoices ListHeaderNames(std::string_view header_block, std::string_view preferred) {
    constexpr std::string_view kLineEnd = "\r\n";
    HeaderNameChoices choices;
    int counter = 0;
    bool found = false;
    std::size_t cursor = 0;
    for (;;) {
        const auto colon = header_block.find(':', cursor);
        if (colon == std::string_view::npos) {
            break;
        }
        const std::string_view candidate = header_block.substr(cursor, colon - cursor);
        if (candidate != "Received") {
            choices.names.emplace_back(candidate);
            if (candidate == preferred) {
                found = true;
            } else if (!found) {
                ++counter;
            }
        }
        const auto line_end = header_block.find(kLineEnd, cursor);
        if (line_end == std::string_view::npos) {
            break;
        }
        cursor = line_end + kLineEnd.size();
    }
    // The counter runs past the end when nothing matched: no selection.
    choices.selected = found ? counter : -1;
    return choices;
}

}  // namespace tandrel

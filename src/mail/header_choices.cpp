#include "mail/header_choices.h"

#include "mail/message_file.h"

namespace tandrel {

HeaderNameChoices ListHeaderNames(std::string_view header_block, std::string_view preferred) {
    HeaderNameChoices choices;
    int counter = 0;
    bool found = false;
    std::size_t cursor = 0;
    std::size_t colon = 0;  // the next colon at or after the cursor, kept while ahead
    for (;;) {
        if (colon < cursor || cursor == 0) {
            colon = header_block.find(':', cursor);
        }
        if (colon == std::string_view::npos) {
            break;
        }
        const auto line_end = header_block.find(kHeaderLineEnd, cursor);
        // A line without a colon of its own names no header: the text up to
        // a later line's colon is left out (a folded header could otherwise
        // offer thousands of names, each as long as the rest of the block).
        const std::string_view candidate = header_block.substr(cursor, colon - cursor);
        const bool one_line =
            colon < line_end && candidate.find_first_of("\r\n") == std::string_view::npos;
        if (one_line && candidate != "Received") {
            choices.names.emplace_back(candidate);
            if (candidate == preferred) {
                found = true;
            } else if (!found) {
                ++counter;
            }
        }
        if (line_end == std::string_view::npos) {
            break;
        }
        cursor = line_end + kHeaderLineEnd.size();
    }
    // The counter runs past the end when nothing matched: no selection.
    choices.selected = found ? counter : -1;
    return choices;
}

}  // namespace tandrel

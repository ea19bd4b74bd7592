#include "mail/header_field.h"

#include "mail/message_file.h"

namespace tandrel {

bool FindHeaderField(std::string_view header_block, std::string_view name, std::string& value) {
    value.clear();
    std::size_t position = 0;
    for (;;) {
        const auto colon = header_block.find(':', position);
        if (colon == std::string_view::npos) {
            return false;
        }
        // The name runs from the line start to the next colon, even when that
        // colon stands on a later line.
        if (header_block.substr(position, colon - position) == name) {
            const auto end = header_block.find(kHeaderLineEnd, colon + 1);
            value = std::string(header_block.substr(colon + 1, end == std::string_view::npos
                                                                   ? std::string_view::npos
                                                                   : end - colon - 1));
            return true;
        }
        const auto line_end = header_block.find(kHeaderLineEnd, position);
        if (line_end == std::string_view::npos) {
            return false;
        }
        position = line_end + kHeaderLineEnd.size();
    }
}

}  // namespace tandrel

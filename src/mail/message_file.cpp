#include "mail/message_file.h"

#include "text/affixes.h"

namespace tandrel {

std::string HeaderBlockOf(const std::string& message) {
    if (message.rfind(kHeaderLineEnd, 0) == 0) {
        return std::string();
    }
    const auto end = message.find("\r\n\r\n");
    const std::string block = end == std::string::npos ? message : message.substr(0, end + 2);
    return block.substr(0, block.find('\0'));
}

std::string FieldOf(const std::string& header_block, const std::string& name) {
    std::size_t line = 0;
    while (line < header_block.size()) {
        auto line_end = header_block.find(kHeaderLineEnd, line);
        if (line_end == std::string::npos) {
            line_end = header_block.size();
        }
        const auto colon = header_block.find(':', line);
        if (colon != std::string::npos && colon < line_end &&
            EqualIgnoringCase(header_block.substr(line, colon - line), name)) {
            // The field runs on over continuation lines, which begin with a blank.
            std::size_t end = line_end;
            while (end + 2 < header_block.size() &&
                   (header_block[end + 2] == ' ' || header_block[end + 2] == '\t')) {
                const auto next = header_block.find(kHeaderLineEnd, end + 2);
                end = next == std::string::npos ? header_block.size() : next;
            }
            std::size_t start = colon + 1;
            while (start < end && (header_block[start] == ' ' || header_block[start] == '\t')) {
                ++start;
            }
            return header_block.substr(start, end - start);
        }
        line = line_end + 2;
    }
    return std::string();
}

}  // namespace tandrel

#include "shell/one_line.h"

namespace tandrel {

std::string ToOneLine(std::string_view text) {
    std::string line;
    line.reserve(text.size());
    for (const char c : text) {
        if (c == '\t') {
            line += ' ';
        } else if (c != '\r' && c != '\n' && c != '\0' && c != kTextEndOfFile) {
            line += c;
        }
    }
    return line;
}

std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool FitsHostLines(std::string_view text) {
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        end = end == std::string_view::npos ? text.size() : end;
        if (end > start && text[end - 1] == '\r') {
            --end;
        }
        if (end - start > kHostLineLimit) {
            return false;
        }
        start = next;
    }
    return true;
}

}  // namespace tandrel

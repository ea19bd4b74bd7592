#include "shell/one_line.h"

namespace tandrel {

std::string ToOneLine(std::string_view text) {
    std::string line;
    line.reserve(text.size());
    for (const char c : text) {
        if (c == '\t') {
            line += ' ';
        } else if (c != '\r' && c != '\n' && c != '\0') {
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

}  // namespace tandrel

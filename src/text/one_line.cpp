#include "text/one_line.h"

#include "text/affixes.h"

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
    return TrimAnyOf(text, " ");
}

bool FitsHostLines(std::string_view text) {
    // Not each line is looked at but each stretch of kHostLineLimit + 1
    // bytes, from its end: the lines it holds whole are short enough, and the
    // next stretch starts after its last line feed. Only a stretch without
    // one holds a long line, or a line of the limit and its CR.
    const char* const data = text.data();
    const std::size_t size = text.size();
    constexpr std::size_t kStretch = kHostLineLimit + 1;
    for (std::size_t at = 0; size - at > kHostLineLimit;) {
        std::size_t last = at + kStretch;
        while (last > at && data[last - 1] != '\n') {
            --last;
        }
        if (last > at) {
            at = last;
            continue;
        }
        const std::size_t end = at + kStretch;
        if (end == size) {
            return data[end - 1] == '\r';  // the text's last line, with its CR
        }
        if (data[end] != '\n' || data[end - 1] != '\r') {
            return false;
        }
        at = end + 1;
    }
    return true;
}

}  // namespace tandrel

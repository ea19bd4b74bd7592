#include "text/ini_text.h"

#include <cstdint>
#include <vector>

#include "text/affixes.h"

namespace tandrel {

namespace {

// The blanks that the profile functions trim (Ctrl-Z among them).
constexpr std::string_view kBlanks = " \t\r\n\v\f\x1a";

std::string_view Trim(std::string_view text) {
    return TrimAnyOf(text, kBlanks);
}

struct Line {
    std::size_t begin = 0;
    std::size_t content_end = 0;  // before the line end
    std::size_t end = 0;          // after the line end
};

std::vector<Line> SplitLines(std::string_view text) {
    std::vector<Line> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        const auto newline = text.find('\n', begin);
        Line line;
        line.begin = begin;
        line.end = newline == std::string_view::npos ? text.size() : newline + 1;
        line.content_end = newline == std::string_view::npos ? text.size() : newline;
        if (line.content_end > begin && text[line.content_end - 1] == '\r') {
            --line.content_end;
        }
        lines.push_back(line);
        begin = line.end;
    }
    return lines;
}

// The name of a "[name]" line, or nullopt for any other line. A "[" without
// its "]" makes no section, as for the system's functions.
std::optional<std::string_view> SectionName(std::string_view trimmed) {
    if (trimmed.empty() || trimmed.front() != '[') {
        return std::nullopt;
    }
    const auto close = trimmed.find(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return Trim(trimmed.substr(1, close - 1));
}

// A "[" line without its "]": the system's functions skip it.
bool IsBrokenSectionLine(std::string_view trimmed) {
    return !trimmed.empty() && trimmed.front() == '[' &&
           trimmed.find(']') == std::string_view::npos;
}

// The key of a "key=value" line, or nullopt.
std::optional<std::string_view> KeyName(std::string_view trimmed) {
    const auto equals = trimmed.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    return Trim(trimmed.substr(0, equals));
}

std::string Unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

// Where a key stands, or would go, in the text.
struct KeyPlace {
    int key_line = -1;           // the key's line
    int section_last_line = -1;  // the last non-blank line of the first such section
};

KeyPlace FindKeyPlace(std::string_view text, const std::vector<Line>& lines,
                      std::string_view section, std::string_view key) {
    KeyPlace place;
    // Lines before the first section header make a section without a name.
    bool in_first_section = Trim(section).empty();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view content =
            text.substr(lines[i].begin, lines[i].content_end - lines[i].begin);
        const std::string_view trimmed = Trim(content);
        if (const auto name = SectionName(trimmed)) {
            in_first_section =
                place.section_last_line < 0 && EqualIgnoringCase(*name, Trim(section));
            if (in_first_section) {
                place.section_last_line = static_cast<int>(i);
            }
            continue;
        }
        if (IsBrokenSectionLine(trimmed)) {
            continue;
        }
        if (in_first_section && !trimmed.empty()) {
            place.section_last_line = static_cast<int>(i);
        }
        // As the system does it, only the first section of the name counts.
        if (in_first_section && place.key_line < 0) {
            const auto name = KeyName(trimmed);
            if (name && EqualIgnoringCase(*name, Trim(key))) {
                place.key_line = static_cast<int>(i);
            }
        }
    }
    return place;
}

// Ends the last line of `text` if it has no line end yet; a CR alone ends no
// line, so it gets its LF.
void EndLastLine(std::string& text) {
    if (!text.empty() && text.back() != '\n') {
        text += text.back() == '\r' ? "\n" : "\r\n";
    }
}

}  // namespace

std::optional<std::string> FindIniValue(std::string_view text, std::string_view section,
                                        std::string_view key) {
    const std::vector<Line> lines = SplitLines(text);
    const KeyPlace place = FindKeyPlace(text, lines, section, key);
    if (place.key_line < 0) {
        return std::nullopt;
    }
    const Line& line = lines[static_cast<std::size_t>(place.key_line)];
    const std::string_view content = text.substr(line.begin, line.content_end - line.begin);
    return Unquoted(Trim(content.substr(content.find('=') + 1)));
}

std::string WithIniValue(std::string_view text, std::string_view section, std::string_view key,
                         std::string_view value) {
    const std::vector<Line> lines = SplitLines(text);
    const KeyPlace place = FindKeyPlace(text, lines, section, key);
    const std::string key_line = std::string(key) + "=" + std::string(value);
    std::string out;
    if (place.key_line >= 0) {
        const Line& line = lines[static_cast<std::size_t>(place.key_line)];
        out.append(text.substr(0, line.begin));
        out += key_line;
        out.append(text.substr(line.content_end));
        return out;
    }
    if (place.section_last_line >= 0) {
        const Line& line = lines[static_cast<std::size_t>(place.section_last_line)];
        out.append(text.substr(0, line.end));
        EndLastLine(out);  // the section's last line may be the file's last
        out += key_line + "\r\n";
        out.append(text.substr(line.end));
        return out;
    }
    out.append(text);
    EndLastLine(out);
    out += "[" + std::string(section) + "]\r\n" + key_line + "\r\n";
    return out;
}

int ParseProfileInt(std::string_view value) {
    std::size_t i = 0;
    while (i < value.size() && static_cast<unsigned char>(value[i]) <= ' ') {
        ++i;
    }
    bool negative = false;
    if (i < value.size() && (value[i] == '-' || value[i] == '+')) {
        negative = value[i] == '-';
        ++i;
    }
    std::uint32_t base = 10;
    if (i + 1 < value.size() && value[i] == '0') {
        const char prefix = value[i + 1];
        base = prefix == 'x' ? 16U : prefix == 'o' ? 8U : prefix == 'b' ? 2U : 10U;
        if (base != 10) {
            i += 2;
        }
    }
    std::uint32_t total = 0;
    for (; i < value.size(); ++i) {
        const char c = value[i];
        std::uint32_t digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<std::uint32_t>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<std::uint32_t>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<std::uint32_t>(c - 'A' + 10);
        } else {
            break;
        }
        if (digit >= base) {
            break;
        }
        total = total * base + digit;
    }
    return static_cast<int>(negative ? 0U - total : total);
}

}  // namespace tandrel

// The grammar of a rule file, written once for the reader, the writer, the
// insertion into the model, the block walk (rule_blocks), the edit of the
// text and the condition index: where a line ends, the marks that open and
// close a block, the action line, how a condition line is taken apart and
// the text of its header and value, which conditions "Delete same
// condition" takes out, and the condition and block a new rule adds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "rules/rule_file.h"

namespace tandrel {

// The marks a block's opening and closing lines begin with.
constexpr std::string_view kBeginMark = ":Begin";
constexpr std::string_view kEndMark = ":End";

// One line of a rule file, as a text-mode reader takes it: its bytes from
// `begin`, its content up to `content_end` (before its LF, and a CR right
// before that LF), and the next line's start at `end`. A last line needs no
// line end.
struct RuleLine {
    std::size_t begin = 0;
    std::size_t content_end = 0;
    std::size_t end = 0;
};

inline RuleLine RuleLineAt(std::string_view text, std::size_t begin) {
    const void* found = std::memchr(text.data() + begin, '\n', text.size() - begin);
    RuleLine line;
    line.begin = begin;
    if (found == nullptr) {
        line.content_end = line.end = text.size();
        return line;
    }
    line.content_end = static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
    line.end = line.content_end + 1;
    if (line.content_end > begin && text[line.content_end - 1] == '\r') {
        --line.content_end;
    }
    return line;
}

inline std::string_view ContentOf(std::string_view text, const RuleLine& line) {
    return text.substr(line.begin, line.content_end - line.begin);
}

// A ":Begin" or ":End" line as the writer writes it: the mark, a blank, the
// label in double quotes and the host's line end.
std::string BlockMarkLine(std::string_view mark, std::string_view label);

// Whether a line's content opens a block, or closes one.
inline bool IsBeginLine(std::string_view content) {
    return content.substr(0, kBeginMark.size()) == kBeginMark;
}
inline bool IsEndLine(std::string_view content) {
    return content.substr(0, kEndMark.size()) == kEndMark;
}

// Whether the line after a ":Begin" line is a well-formed action line, "!K:ARGUMENT":
// its third character is ":" (the first is not examined); else the reader drops the block.
inline bool IsActionLine(std::string_view content) {
    return content.size() >= 3 && content[2] == ':';
}

// The fields of an action line: its kind (the second character) and its
// argument (after the ":"), as views into it.
struct ActionFields {
    char kind = 0;
    std::string_view argument;
};

// Splits an action line; nullopt when it is not one.
inline std::optional<ActionFields> SplitActionLine(std::string_view content) {
    if (!IsActionLine(content)) {
        return std::nullopt;
    }
    return ActionFields{content[1], content.substr(3)};
}

// An action line as the writer writes it, without its line end.
std::string FormatActionLine(const RuleBlock& block);

// A condition's mark: the header contains the value, or lacks it.
constexpr char kContainsMark = 'O';
constexpr char kLacksMark = 'X';

// Where the fields of a condition line "@N:HEADER:VALUE<TAB>O<TAB>FLAGS" end:
// the number at the first ":" after the first character (which is not
// examined), the header at the next ":", the value at the next tab, which
// "O" or "X" and a tab must follow. Nullopt when the line is not one. Inline,
// with a plain scan: the fields are short, the edit of a large file looks at
// a line of every block and the index of the "already sorted into" line at
// every line, and a call of the C library's search for each field costs more
// than the search where that is a DLL's (Windows).
struct ConditionFieldEnds {
    std::size_t number_end = 0;
    std::size_t header_end = 0;
    std::size_t value_end = 0;
};

inline std::optional<ConditionFieldEnds> FindConditionFields(std::string_view line) {
    const char* const data = line.data();
    const std::size_t size = line.size();
    const auto find = [data, size](char wanted, std::size_t from) {
        while (from < size && data[from] != wanted) {
            ++from;
        }
        return from;
    };
    if (size == 0) {
        return std::nullopt;
    }
    ConditionFieldEnds ends;
    ends.number_end = find(':', 1);
    ends.header_end = find(':', ends.number_end + 1);
    ends.value_end = find('\t', ends.header_end + 1);
    const std::size_t mark_at = ends.value_end + 1;
    if (mark_at + 1 >= size || (data[mark_at] != kContainsMark && data[mark_at] != kLacksMark) ||
        data[mark_at + 1] != '\t') {
        return std::nullopt;
    }
    return ends;
}

// The header and value of a condition, "HEADER:VALUE", as a condition line
// holds them: a header holds no ":", so the two together name the condition.
inline std::string ConditionKey(std::string_view header, std::string_view value) {
    std::string key;
    key.reserve(header.size() + 1 + value.size());
    key.append(header).append(1, ':').append(value);
    return key;
}

// The same text where a condition line holds it.
inline std::string_view ConditionKeyOf(std::string_view line, const ConditionFieldEnds& ends) {
    return line.substr(ends.number_end + 1, ends.value_end - ends.number_end - 1);
}

// What a condition line holds from the ":" after its number to the tab
// before its mark, ":HEADER:VALUE<TAB>": the writer writes it so, and every
// line holding that condition holds it.
std::string ConditionMiddle(std::string_view header, std::string_view value);

// A condition line as the writer writes it, without its line end:
// "@N:HEADER:VALUE<TAB>MARK<TAB>FLAGS", the flags in the order I, W, T, R.
std::string FormatConditionLine(const RuleCondition& condition);

// Whether the line reads as a condition. A CR at its end changes nothing: it
// is neither a ":" nor a tab.
inline bool IsConditionLine(std::string_view line) {
    return FindConditionFields(line).has_value();
}

// The fields of a condition line, as views into it.
struct ConditionFields {
    std::int32_t number = 0;
    std::string_view header;
    std::string_view value;
    bool mark = true;
    std::string_view flags;  // the text after the mark's tab
};

// Splits a condition line; nullopt when it is not one.
std::optional<ConditionFields> SplitConditionLine(std::string_view line);

// A decimal integer: an optional sign and digits, up to the first other
// character. Digits beyond 32 bits wrap, as the host's own reader does.
std::int32_t ParseDecimal(std::string_view text);

// Whether a condition line's number reads as 0, as ParseDecimal reads it,
// without reading it where it is one character: that is 0 unless it is a
// digit from 1 to 9.
inline bool IsNumberedZero(std::string_view line, const ConditionFieldEnds& ends) {
    return ends.number_end == 2 ? !(line[1] >= '1' && line[1] <= '9')
                                : ParseDecimal(line.substr(1, ends.number_end - 1)) == 0;
}

// "Delete same condition" looks at a condition numbered 0 with the header
// and the address of the new rule, byte for byte...
inline bool IsSameCondition(std::int32_t number, std::string_view header, std::string_view value,
                            std::string_view new_header, std::string_view new_address) {
    return number == 0 && header == new_header && value == new_address;
}

// ... and takes it out when it is the last condition of its block or the
// next one is numbered 0 too: one numbered above 0 continues it.
inline bool SameConditionGoes(std::optional<std::int32_t> next_number) {
    return !next_number || *next_number == 0;
}

// The condition a new rule adds: numbered 0, "contains" (mark O), without
// regard to case (flag I).
RuleCondition NewRuleCondition(const std::string& header, const std::string& address);

// The block a new rule adds: no label, kind M, the folder, the new condition.
RuleBlock NewRuleBlock(const std::string& folder, const std::string& header,
                       const std::string& address);

}  // namespace tandrel

#include "rules/rule_lines.h"

#include "text/one_line.h"

namespace tandrel {

std::string BlockMarkLine(std::string_view mark, std::string_view label) {
    std::string line;
    line.append(mark).append(" \"").append(label).append("\"").append(kHostLineEnd);
    return line;
}

std::string FormatConditionLine(const RuleCondition& condition) {
    std::string line = "@" + std::to_string(condition.number) +
                       ConditionMiddle(condition.header, condition.value) +
                       (condition.mark ? kContainsMark : kLacksMark) + "\t";
    if (condition.flag_i) {
        line += 'I';
    }
    if (condition.flag_w) {
        line += 'W';
    }
    if (condition.flag_t) {
        line += 'T';
    }
    if (condition.flag_r) {
        line += 'R';
    }
    return line;
}

std::string FormatActionLine(const RuleBlock& block) {
    std::string line = "!";
    line += block.kind;
    line += ':';
    line += block.argument;
    return line;
}

std::optional<ConditionFields> SplitConditionLine(std::string_view line) {
    const auto ends = FindConditionFields(line);
    if (!ends) {
        return std::nullopt;
    }
    const std::size_t mark_at = ends->value_end + 1;
    ConditionFields fields;
    fields.number = ParseDecimal(line.substr(1, ends->number_end - 1));
    fields.header = line.substr(ends->number_end + 1, ends->header_end - ends->number_end - 1);
    fields.value = line.substr(ends->header_end + 1, ends->value_end - ends->header_end - 1);
    fields.mark = line[mark_at] == kContainsMark;
    fields.flags = line.substr(mark_at + 2);
    return fields;
}

std::string ConditionMiddle(std::string_view header, std::string_view value) {
    return ":" + ConditionKey(header, value) + "\t";
}

std::int32_t ParseDecimal(std::string_view text) {
    bool negative = false;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    std::uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10U + static_cast<std::uint32_t>(text[i] - '0');
    }
    if (negative) {
        value = 0U - value;
    }
    return static_cast<std::int32_t>(value);
}

RuleCondition NewRuleCondition(const std::string& header, const std::string& address) {
    RuleCondition condition;
    condition.number = 0;
    condition.header = header;
    condition.value = address;
    condition.mark = true;
    condition.flag_i = true;
    return condition;
}

RuleBlock NewRuleBlock(const std::string& folder, const std::string& header,
                       const std::string& address) {
    RuleBlock block;
    block.kind = kMoveKind;
    block.argument = folder;
    block.conditions.push_back(NewRuleCondition(header, address));
    return block;
}

}  // namespace tandrel

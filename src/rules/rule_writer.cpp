#include "rules/rule_writer.h"

#include "rules/rule_lines.h"
#include "text/one_line.h"

namespace tandrel {

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

std::string FormatRuleFile(const RuleFile& rule_file) {
    std::string out;
    for (const FileSetting& setting : rule_file.settings) {
        out += setting.key;
        out += '=';
        out += std::to_string(setting.value);
        out += kHostLineEnd;
    }
    for (const RuleBlock& block : rule_file.blocks) {
        out += BlockMarkLine(kBeginMark, block.label);
        out += FormatActionLine(block);
        out += kHostLineEnd;
        for (const RuleCondition& condition : block.conditions) {
            out += FormatConditionLine(condition);
            out += kHostLineEnd;
        }
        out += BlockMarkLine(kEndMark, block.label);
    }
    return out;
}

}  // namespace tandrel

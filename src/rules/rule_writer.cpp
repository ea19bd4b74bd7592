#include "rules/rule_writer.h"

#include "rules/rule_lines.h"
#include "text/one_line.h"

namespace tandrel {

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

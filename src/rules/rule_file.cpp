#include "rules/rule_file.h"

#include <tuple>

namespace tandrel {

std::string RuleFilePath(const std::string& data_folder, const std::string& mailbox_id,
                         bool receiving) {
    return data_folder + mailbox_id + (receiving ? kReceivingRuleFileName : kSendingRuleFileName);
}

bool operator==(const FileSetting& a, const FileSetting& b) {
    return a.key == b.key && a.value == b.value;
}

bool operator==(const RuleCondition& a, const RuleCondition& b) {
    return std::tie(a.number, a.header, a.value, a.mark, a.flag_i, a.flag_w, a.flag_t, a.flag_r) ==
           std::tie(b.number, b.header, b.value, b.mark, b.flag_i, b.flag_w, b.flag_t, b.flag_r);
}

bool operator==(const RuleBlock& a, const RuleBlock& b) {
    return a.label == b.label && a.kind == b.kind && a.argument == b.argument &&
           a.conditions == b.conditions;
}

bool operator==(const RuleFile& a, const RuleFile& b) {
    return a.settings == b.settings && a.blocks == b.blocks;
}

}  // namespace tandrel

// Writing the model back in the host's rule-file format, lines ending CR LF.
#pragma once

#include <string>

#include "platform/files.h"
#include "rules/rule_file.h"

namespace tandrel {

// One line of a block, without its line end.
std::string FormatConditionLine(const RuleCondition& condition);
std::string FormatActionLine(const RuleBlock& block);

// The whole file: the settings, then each block.
std::string FormatRuleFile(const RuleFile& rule_file);

}  // namespace tandrel
